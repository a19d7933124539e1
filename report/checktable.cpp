#include "report/checktable.h"

#include "hydraulics/designchecks.h"

namespace report {

TextTable CheckTable(const hydraulics::DesignPoint& point, double L) {
    TextTable table{{"项目", "计算值", "要求", "依据", "结论"}, {}, -1};
    // The increased discharge with the default increase of Q's row of
    // table 6.3.4.
    for (const hydraulics::CheckRow& row : hydraulics::CheckRows(hydraulics::CheckDesign(point, L)))
        table.rows.push_back({row.item, row.value, row.requirement, row.clause,
                              std::string(hydraulics::VerdictText(row.verdict))});
    return table;
}

} // namespace report
