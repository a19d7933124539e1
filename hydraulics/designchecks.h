// SPDX-License-Identifier: GPL-3.0-or-later
// Design checks of a U-shaped aqueduct against GB 50288-2018
// (灌溉与排水工程设计标准): design velocity, mild slope, increased
// discharge, net depth of the flume and the short-flume note.
//
// Like the hydraulic elements these figures stand beside the case results:
// double precision, the true section, the true value of π, g = 9.81 m/s².
// Nothing here throws; a figure that cannot be formed is empty and shows as
// "—", and so does the verdict of a check whose figures are missing.
#pragma once

#include "hydraulics/elements.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hydraulics {

// Met 满足, NotMet 不满足, Note 提示 (a matter to look at, not a failure),
// Unknown "—" (the figures the check needs cannot be formed).
enum class Verdict { Met, NotMet, Note, Unknown };

// One row of table 6.3.4: the increase of the design discharge that gives
// the increased discharge (加大流量), percent, and the row as printed.
struct IncreaseRow {
    double low;            // %, smaller end of the row
    double high;           // %, larger end, the default increase
    std::string_view text; // "30～25" (large first, as the table prints it), "< 5"
};

// The row design discharge Q (m³/s) falls in. Lower bounds are inclusive
// (Q = 1 is in 1～5), except that Q = 300 still belongs to 100～300. Q
// below 1 — zero, negative and -inf included — is in the first row, Q above
// 300 in the last one (0 to 5 %); NaN falls in the first row.
IncreaseRow IncreaseRange(double Q);

// The larger value of Q's row: 35, 30, 25, 20, 15, 10 %, and 5 % above 300.
double DefaultIncreasePercent(double Q);

// The range the user may set the increase in, percent.
constexpr double kMinIncreasePercent = 0;
constexpr double kMaxIncreasePercent = 50;

struct DesignChecks {
    // Range of the formulas, first of all checks: h/B, met when the case
    // used the true section (3, 4) or when h ≥ B/2 within 1e-9 m; a case 1
    // or 2 result below it is only indicative.
    std::optional<double> depthRatio;
    bool straightWalls = false; // the design point's, for the requirement shown
    Verdict applicability = Verdict::Unknown;

    // The increase used, %: the given one, else the default of Q's row.
    // Empty when the given one is outside 0..50 % or not finite, or when
    // none is given and Q is not a positive finite discharge.
    std::optional<double> increasePercent;
    IncreaseRow increaseRow; // Q's row of table 6.3.4, for display

    // Design velocity v = Q/A, m/s: 1.0 ≤ v ≤ 2.5.
    std::optional<double> v;
    Verdict velocity = Verdict::Unknown;

    // Mild slope: Froude number at the design depth below 1 and i = 1/x
    // below the critical slope i_c = (Q·n / (A_c·R_c^(2/3)))², shown as its
    // denominator x_c = 1/i_c (mild when x > x_c).
    std::optional<double> Fr, criticalSlopeX;
    Verdict mildSlope = Verdict::Unknown;

    // Increased discharge Q_inc = Q·(1 + p/100), m³/s, and its normal depth
    // in the same section, slope and roughness, m. Met when p lies within
    // Q's row of table 6.3.4, Note when the user chose a p outside it.
    std::optional<double> Qinc, hinc;
    Verdict increase = Verdict::Unknown;

    // Net depth of the flume, m: H₁ = h + B/10 (freeboard at the design
    // discharge), H₂ = h_inc + 0.10 (freeboard at the increased discharge),
    // H = max(H₁, H₂, 0.7·B); met when H/B ≤ 0.9, else B is too narrow.
    std::optional<double> H1, H2, H, ratio;
    Verdict netDepth = Verdict::Unknown;

    // Length over design depth L/h: met when L > 15·h, a note otherwise
    // (short flume: non-uniform flow, check by a water-surface profile).
    std::optional<double> shortRatio;
    Verdict shortFlume = Verdict::Unknown;
};

// The first check alone: met when the formulas that found `p` hold at its
// depth, not met for a case 1 or 2 result with h < B/2 (more than 1e-9 m
// below), open when B or h is no number to form h/B from.
Verdict Applicability(const DesignPoint& p);

// The checks of design point `p` for flume length L (m) and an increase of
// `increasePercent` (default: the larger value of Q's row of table 6.3.4).
DesignChecks CheckDesign(const DesignPoint& p, double L,
                         std::optional<double> increasePercent = {});

// One line of the checks for tables, reports and listings:
// 项目, 计算值, 要求, 依据, 结论.
struct CheckRow {
    std::string item;        // 设计流速
    std::string value;       // "v = 1.616 m/s", "—" for empty figures
    std::string requirement; // "1.0 ≤ v ≤ 2.5 m/s"
    std::string clause;      // "GB 50288-2018 第 9.4.1 条"
    Verdict verdict;
};
constexpr std::size_t kCheckRowCount = 6;

// Applicability, velocity, mild slope, increased discharge, net depth, short flume.
std::vector<CheckRow> CheckRows(const DesignChecks& checks);

std::string_view VerdictText(Verdict verdict); // 满足 / 不满足 / 提示 / —

// A figure of a check's text: "v = 1.616 m/s" (the element's three
// decimals; with `percent` a percentage without trailing zeros), or
// "v = —" without the unit when the figure is not formed.
std::string CheckFigure(std::string_view symbol, const std::optional<double>& value,
                        std::string_view unit = {}, bool percent = false);

// Figures of one cell joined by "，".
std::string JoinFigures(std::initializer_list<std::string> parts);

} // namespace hydraulics
