// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a sweep as a table: the figures a designer compares them by,
// and the CSV text of the command line and of the window's export.
#pragma once

#include "hydraulics/sweep.h"

#include <optional>
#include <string>
#include <vector>

namespace hydraulics {

// The UTF-8 byte-order mark a CSV starts with where a spreadsheet is to
// read it as UTF-8 (Excel on a Chinese Windows otherwise takes GBK).
inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

// What the comparison table shows of a row besides the variable and the
// verdicts; each empty unless the row succeeded (and the figure formed).
struct SweepFigures {
    std::optional<double> solved;   // the quantity the case solves for, as its result box shows it
    std::optional<double> B, h;     // width and depth of the design point, m
    std::optional<double> v, Fr;    // mean velocity (m/s) and Froude number
    std::optional<double> H, ratio; // recommended net depth (m) and H/B
    std::optional<double> Z;        // total head loss, m: a result, in case 2 the given head
};

SweepFigures FiguresOf(const SweepRow& row, int caseNumber);

// "<variable symbol>,status,error," then the five result symbols, A, P, R,
// T, v, velocity_head, Fr, hc, H, H/B; with canals the connection's figures
// ΔZ, ∇1, ∇2, ∇4 (bed elevations of the flume's inlet and outlet and of the
// downstream canal) and Δh1 (the backwater rise over the upstream canal's
// depth at Q加); then one column per design check named as its row
// (设计流速 …) and, with canals, each connection check (SweepCheckColumns),
// then 全部满足.
std::string SweepCsvHeader(int caseNumber, std::size_t variable,
                           const std::optional<ConnectionInput>& connection = {},
                           const DesignConditions& conditions = {});

// Appends one row and its line end: the variable as stored, "ok",
// "not_converged" or "error", the error kind, the result texts, the
// figures unrounded (fifteen digits; empty where not formed), each check's
// verdict (满足, 不满足, 提示, —; empty where the row has no check of
// that column's kind) and 是 or 否; the figures and verdicts empty unless
// ok. Every row has the header's field count.
void AppendSweepCsvRow(std::string& out, const SweepRow& row, std::size_t variable,
                       const std::optional<ConnectionInput>& connection = {},
                       const DesignConditions& conditions = {});

// The header and every row.
std::string SweepCsv(int caseNumber, std::size_t variable, const std::vector<SweepRow>& rows,
                     const std::optional<ConnectionInput>& connection = {},
                     const DesignConditions& conditions = {});

std::string_view SweepStatusId(SweepStatus status); // "ok", "not_converged", "error"

} // namespace hydraulics
