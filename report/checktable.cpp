#include "report/checktable.h"

#include "hydraulics/designchecks.h"

namespace report {

TextTable CheckTable(const hydraulics::DesignChecks& checks) {
    TextTable table{{"项目", "计算值", "要求", "依据", "结论"}, {}, -1};
    for (const hydraulics::CheckRow& row : hydraulics::CheckRows(checks)) {
        if (row.verdict == hydraulics::Verdict::NotMet)
            table.unmetRows.push_back(static_cast<int>(table.rows.size()));
        table.rows.push_back({row.item, row.value, row.requirement, row.clause,
                              std::string(hydraulics::VerdictText(row.verdict))});
    }
    return table;
}

} // namespace report
