// SPDX-License-Identifier: GPL-3.0-or-later
// 推荐断面: the most economical section that meets every design check and
// uses the drop the canal plan allows, found by searching the width and the
// slope together.
//
//   fixed    Q, L, V, n, ξ₁, ξ₂ of the case (case 4: Q is the discharge
//            its adopted section carries at the typed depth, and each
//            candidate's depth is then its normal depth at that Q), the
//            canals, [ΔZ], the grade, the support form, tie rods, cold
//            region, the increase p and the design step s of the width.
//   varied   the width B = k·s for every whole k with B*/2 ≤ k·s ≤ 2·B*,
//            B* the case's exact width (cases 1 and 2: the exact solution
//            the adopted width is rounded from; cases 3 and 4: the typed
//            B); the slope 1/x with x from 200, 250, 300, 400, 500, 600,
//            700, 800, 900, 1000, 1200, 1500, 2000, 2500, 3000, 4000, 5000,
//            6000, 8000, 10000 and the case's own x (case 2: the adopted
//            x) where [ΔZ] is given, else the case's own x alone (the
//            designer's slope stands).
//   verify   every candidate (B, x) exactly as an adopted section
//            (VerifySection): the normal depth h at Q, H rounded up to the
//            centimetre, every design check with its level and, with canal
//            data, the whole connection with the backwater at Q加 and ΔZ
//            against [ΔZ]; case 2 also its total loss against its head.
//            Cases 1 and 2 also need h ≥ B/2 (适用条件), the range of the
//            straight-wall formulas by which the case window, given the
//            section's depth, finds its width again.
//   feasible every rule and every recommendation met (a note does not
//            count): VerifiedSection::feasible.
//   cost     the lining length of the section per metre of flume,
//            c = πB/2 + 2(H − B/2), m/m.
//   choice   the feasible candidate of least cost; costs within 1e-9 m
//            are equal, and then the larger drop margin wins ([ΔZ] − ΔZ;
//            case 2 without [ΔZ]: its head − Z), then the smaller B, then
//            the flatter slope. The ten next in that order are the
//            alternatives.
//   none     where no candidate is feasible: the smallest set of checks
//            that no candidate meets together (the binding checks), and
//            the candidate failing the fewest rules (then the fewest
//            recommendations, then in the order above).
//
// About 6,000 candidates for a flume of 2 m on the default step, each with
// its backwater profile; bench/bench_recommend.cpp measures the search.
// Standard C++ only; nothing throws for bad inputs (the result says why no
// search was made).
#pragma once

#include "hydraulics/adopted.h"
#include "hydraulics/design.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hydraulics {

// The slopes searched where [ΔZ] is given (x of i = 1/x).
const std::vector<double>& RecommendSlopeSeries();

struct RecommendInput {
    int caseNo = 1;
    std::array<float, 8> inputs{}; // box order, as stored
    DesignConditions conditions{};
    std::optional<ConnectionInput> canals{};
    bool operator==(const RecommendInput&) const = default;
};

// Called after each width with the candidates verified so far and their
// number; returning false cancels the search. Called on the searching
// thread.
using RecommendProgress = std::function<bool(std::size_t done, std::size_t total)>;

// A check that some candidate does not meet, as the chart's legend and the
// binding sentence name it.
struct CheckKind {
    std::string id;        // "velocity", as the rows and the JSON name it
    std::string item;      // 设计流速
    std::string condition; // "v ≤ 2.5 m/s": the side the failing candidates miss
};

// One candidate of the grid, for the chart and the counts.
struct CandidateMark {
    double B = 0, x = 0;
    bool formed = false;     // a depth formed and the section was verified
    bool feasible = false;   // every rule and recommendation met
    double cost = 0;         // m/m, when formed
    int firstUnmet = -1;     // index into Recommendation::kinds of the first check not met
    std::uint32_t unmet = 0; // bit k: kinds[k] not met
    unsigned rulesFailed = 0, recommendationsFailed = 0;
};

// A candidate shown with its figures.
struct RankedSection {
    VerifiedSection section;
    double cost = 0;                    // m/m
    std::optional<double> margin;       // m: [ΔZ] − ΔZ, or case 2's head − Z
    std::optional<double> relativeCost; // cost / the recommendation's − 1
};

struct Recommendation {
    bool searched = false;  // false: no search could be made (see `problem`)
    bool cancelled = false; // the progress callback stopped it
    std::string problem;    // why no search was made, a Chinese sentence
    int caseNo = 1;
    double step = kDefaultWidthStep;
    bool dropGiven = false;                // [ΔZ] given: the slope was varied
    std::vector<double> widths;            // m, ascending
    std::vector<double> slopes;            // x, ascending
    std::vector<CandidateMark> candidates; // width by width, each over the slopes
    std::size_t feasibleCount = 0;
    std::vector<CheckKind> kinds; // the checks some candidate does not meet
    std::optional<RankedSection> recommended;
    std::vector<RankedSection> alternatives; // up to ten, after the recommendation
    std::optional<RankedSection> current;    // the case's adopted section
    // Where none is feasible: the binding checks (indices into `kinds`)
    // and the candidate failing the fewest rules.
    std::vector<std::size_t> binding;
    std::optional<RankedSection> closest;
};

// The search described above. `progress` may be empty.
Recommendation Recommend(const RecommendInput& input, const RecommendProgress& progress = {});

// The search's input for a computed design: its case, inputs, conditions
// and canals; empty where an input could not be read.
std::optional<RecommendInput> RecommendInputOf(const Design& design);

// The lining length of the section of width B and net depth H, m/m.
double LiningLength(double B, double H);

} // namespace hydraulics
