// SPDX-License-Identifier: GPL-3.0-or-later
// Design checks of a U-shaped aqueduct against GB 50288-2018
// (灌溉与排水工程设计标准), each with the strength of its clause:
//
//   适用条件  h ≥ B/2 for the straight-wall formulas of cases 1 and 2   rule
//   设计流速  1.0 ≤ v ≤ 2.5 m/s                        9.4.1-1          宜
//   缓坡      Fr < 1 and i < i_c                        9.4.1-1          应
//   加大流量  p within Q's row of table 6.3.4           6.3.4            note
//   设计超高  H − h ≥ B/10 (h + Δh/2 in a bend)         9.4.1-2          不应小于
//   加大超高  H − d − s ≥ 0.10 m, s the surface at Q加, d the tie rods   9.4.1-2   应
//   深宽比    0.7 ≤ H/B ≤ 0.9 (梁式), H/B ≤ 0.9 (拱式)   9.3.3-4         宜
//   长槽/短槽 L ≥ 15h₁ (15h without canal data)         K.1.1           classification
//   寒冷地区  ∇₂ above ∇₄, or a drain valve              9.4.1-4          宜
//   模型试验  grades 1 and 2                            9.4.2            note
//
// Like the hydraulic elements these figures stand beside the case results:
// double precision, the true section, the true value of π, g = 9.81 m/s².
// Nothing here throws; a figure that cannot be formed is empty and shows as
// "—", and so does the verdict of a check whose figures are missing.
#pragma once

#include "hydraulics/checkrow.h"
#include "hydraulics/elements.h"
#include "hydraulics/regionincrease.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hydraulics {

struct Connection;

// One row of table 6.3.4: the increase of the design discharge that gives
// the increased discharge (加大流量), percent, and the row as printed.
struct IncreaseRow {
    double low;                  // %, smaller end of the row
    double high;                 // %, larger end, the default increase
    std::string_view text;       // "30～25" (large first, as the table prints it), "< 5"
    std::string_view discharges; // the row's design discharges, m³/s: "1～5", "> 300"
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

// The increase a design takes: `given` where it lies in 0..50 % and is
// finite (empty for any other given value), else the end of Q's row the
// region takes (the larger where none is given; empty for a Q that is no
// positive finite discharge).
std::optional<double> IncreaseFor(double Q, std::optional<double> given,
                                  std::optional<Region> region = {});

enum class SupportForm { Beam, Arch }; // 梁式, 拱式

// The design step of the width a designer builds to, m.
constexpr double kDefaultWidthStep = 0.01;
constexpr double kMinWidthStep = 0.001, kMaxWidthStep = 0.1;

// What the designer gives beside the case's eight inputs.
struct DesignConditions {
    std::optional<double> increasePercent;   // p, %; empty: table 6.3.4, by the region
    std::optional<Region> region;            // 地区: humid the row's smaller p, arid the larger
    double widthStep = kDefaultWidthStep;    // m, 0.001..0.1
    SupportForm support = SupportForm::Beam; // 支承形式
    std::optional<double> tieRodDepth;       // 拉杆底距槽顶, m; empty: no tie rods
    bool coldRegion = false;                 // 寒冷或严寒地区
    std::optional<int> grade;                // 建筑物级别 1..5 (the canals' grade wins)
    bool operator==(const DesignConditions&) const = default;
};

struct DesignChecks {
    // Range of the formulas, first of all checks: h/B, met when the case
    // used the true section (3, 4) or when h ≥ B/2 within 1e-9 m.
    std::optional<double> depthRatio;
    bool straightWalls = false; // the design point's, for the requirement shown
    Verdict applicability = Verdict::Unknown;

    // The increase used, % (IncreaseFor), and Q's row of table 6.3.4. Met
    // when p lies within the row, Note when the user chose one outside it.
    std::optional<double> increasePercent;
    IncreaseRow increaseRow{};
    std::optional<double> Qinc, hinc; // Q加 = Q(1 + p/100), m³/s, and its normal depth, m
    Verdict increase = Verdict::Unknown;

    std::optional<double> v; // design velocity Q/A, m/s: 1.0 ≤ v ≤ 2.5
    Verdict velocity = Verdict::Unknown;

    // Mild slope: Froude number at the design depth below 1 and i = 1/x
    // below the critical slope i_c = (Q·n / (A_c·R_c^(2/3)))², shown as its
    // denominator x_c = 1/i_c (mild when x > x_c).
    std::optional<double> Fr, criticalSlopeX;
    Verdict mildSlope = Verdict::Unknown;

    // The highest water surfaces, m: at the design discharge h, or h + Δh/2
    // in a bend; at Q加 the largest of h加, the backwater's largest depth
    // (with canal data) and h + Δh/2 in a bend.
    std::optional<double> designSurface, increasedSurface;
    std::optional<double> backwaterDepth, bendDepth;
    std::optional<double> tieRodDepth; // as given, m
    // Net depth H = max(H₁, H₂, H₃) with H₁ = designSurface + B/10,
    // H₂ = increasedSurface + 0.10 m (+ d below the top with tie rods),
    // H₃ = 0.7·B for beam flumes; rounded up to the centimetre when
    // `rounded` (the adopted section), m.
    std::optional<double> H1, H2, H3, H, ratio;
    bool rounded = false;
    SupportForm support = SupportForm::Beam;
    std::optional<double> freeboard,
        increasedClearance;                  // H − designSurface, H − d − increasedSurface
    std::optional<double> freeboardRequired; // B/10, m
    Verdict freeboardOk = Verdict::Unknown, increasedOk = Verdict::Unknown;
    Verdict depthRatioOk = Verdict::Unknown; // should

    // L/h₁ with canal data, else L/h: long when ≥ 15 (Met), short (Note).
    std::optional<double> lengthRatio;
    bool lengthByCanal = false;
    Verdict longFlume = Verdict::Unknown;

    // Cold region: the outlet bed ∇₂ above the downstream bed ∇₄ (m), so
    // that the flume drains; without canal data only a note.
    bool coldRegion = false;
    std::optional<double> bedOutlet, bedDownstream;
    Verdict drains = Verdict::Unknown;

    std::optional<int> grade; // for the model-test note of grades 1 and 2
};

// The first check alone: met when the formulas that found `p` hold at its
// depth, not met for a case 1 or 2 result with h < B/2 (more than 1e-9 m
// below), open when B or h is no number to form h/B from.
Verdict Applicability(const DesignPoint& p);

// The checks of design point `p` for flume length L (m) under
// `conditions`; `connection`, where the canals are known, adds the
// backwater, the bend, h₁ and the beds. `roundNetDepth` rounds H up to the
// centimetre, as a section to be built has it.
DesignChecks CheckDesign(const DesignPoint& p, double L, const DesignConditions& conditions,
                         const Connection* connection = nullptr, bool roundNetDepth = false);

// The same at increase `increasePercent` (empty: table 6.3.4) and no more.
DesignChecks CheckDesign(const DesignPoint& p, double L,
                         std::optional<double> increasePercent = {});

// The building grade the checks take: the canal data's where given (the
// grade of the connection), else the design conditions'.
inline std::optional<int> ChecksGrade(const DesignConditions& conditions,
                                      std::optional<int> canalGrade) {
    return canalGrade ? canalGrade : conditions.grade;
}

// The rows in order: applicability, velocity, mild slope, increased
// discharge, freeboard at the design and at the increased discharge, depth
// ratio, long or short flume; the cold-region and model-test rows where
// they apply.
std::vector<CheckRow> CheckRows(const DesignChecks& checks);

} // namespace hydraulics
