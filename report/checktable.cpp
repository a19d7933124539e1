// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/checktable.h"

#include "drawing/drawingstyle.h"
#include "hydraulics/designchecks.h"

#include <regex>

namespace report {
namespace {

// A check's text as the report sets it: "x_c" with a true subscript, and
// each figure of a list ("，") on a line of its own, which the cell keeps
// whole, so that no value is parted from its unit.
std::string AsCell(const std::string& text, bool linePerFigure) {
    const std::string cell = WithSubscripts(text);
    if (!linePerFigure)
        return cell;
    const std::string comma = "，";
    std::string lines;
    for (std::size_t start = 0;;) {
        const std::size_t at = cell.find(comma, start);
        lines.append(cell, start, at == std::string::npos ? std::string::npos : at - start);
        if (at == std::string::npos)
            return lines;
        lines += '\n';
        start = at + comma.size();
    }
}

// A clause list ("GB 50288-2018 第 9.4.1 条第 1 款、附录 K.1.2") one clause
// a line under the standard's designation, so that the column stays narrow
// enough for the verdict beside it.
std::string ClauseCell(const std::string& clause) {
    const std::string mark = "、";
    std::string cell = AsCell(clause, false);
    // The standard's designation on a line of its own, its clauses under it.
    const std::string standard = "GB 50288-2018 ";
    if (cell.starts_with(standard))
        cell.replace(standard.size() - 1, 1, "\n");
    std::string lines;
    std::size_t start = 0;
    for (std::size_t at = cell.find(mark); at != std::string::npos; at = cell.find(mark, start)) {
        lines.append(cell, start, at + mark.size() - start).append("\n");
        start = at + mark.size();
    }
    return lines.append(cell, start, std::string::npos);
}

} // namespace

std::string WithSubscripts(const std::string& text) {
    static const std::regex subscript("([A-Za-z])_([A-Za-z0-9]+)");
    return std::regex_replace(text, subscript, "$1_{$2}");
}

TextTable CheckTable(const hydraulics::DesignChecks& checks) {
    return CheckTable(hydraulics::CheckRows(checks));
}

TextTable CheckTable(const std::vector<hydraulics::CheckRow>& rows) {
    TextTable table{{"项目", "计算值", "要求", "依据", "结论"}, {}, -1};
    for (const hydraulics::CheckRow& row : rows) {
        const QColor ground = drawing::VerdictGround(row);
        if (ground == drawing::kUnmetGround)
            table.unmetRows.push_back(static_cast<int>(table.rows.size()));
        else if (ground == drawing::kNotedGround)
            table.notedRows.push_back(static_cast<int>(table.rows.size()));
        table.rows.push_back({row.item, AsCell(row.value, true), AsCell(row.requirement, true),
                              ClauseCell(row.clause), std::string(hydraulics::VerdictText(row))});
    }
    return table;
}

} // namespace report
