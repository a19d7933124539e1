// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/checktable.h"

#include "drawing/drawingstyle.h"
#include "hydraulics/designchecks.h"

#include <regex>

namespace report {
namespace {

// The requirement column's width in half-width characters (a Chinese
// character is two) at the report's table size.
constexpr int kRequirementUnits = 26;

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

// Width units of the code point starting at text[i]: 2 for a Chinese
// character or full-width mark, 1 otherwise; `length` receives its bytes.
int Units(const std::string& text, std::size_t i, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return length >= 3 ? 2 : 1;
}

// A line of words (a requirement) broken into lines of at most `most`
// units: only before a Chinese character that may start a line, never
// inside a number, a symbol or a unit, nor before a closing mark.
std::string Wrapped(const std::string& line, int most) {
    static const std::string kNoStart = "，。、；：）％%～";
    std::string out;
    int width = 0;
    for (std::size_t i = 0, length = 0; i < line.size(); i += length) {
        const int units = Units(line, i, length);
        const std::string point = line.substr(i, length);
        const bool mayStart = length >= 3 && kNoStart.find(point) == std::string::npos;
        if (mayStart && width + units > most && width > 0 && out.back() != '\n') {
            out += '\n';
            width = 0;
        }
        out += point;
        width += units;
    }
    return out;
}

std::string WrappedLines(const std::string& cell, int most) {
    std::string out;
    for (std::size_t start = 0; start <= cell.size();) {
        const std::size_t end = std::min(cell.find('\n', start), cell.size());
        out += (out.empty() ? "" : "\n") + Wrapped(cell.substr(start, end - start), most);
        start = end + 1;
    }
    return out;
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
        // A requirement in words wraps (the PDF keeps each line of a cell whole).
        table.rows.push_back({row.item, AsCell(row.value, true),
                              WrappedLines(AsCell(row.requirement, true), kRequirementUnits),
                              ClauseCell(row.clause), std::string(hydraulics::VerdictText(row))});
    }
    return table;
}

} // namespace report
