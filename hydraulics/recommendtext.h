// SPDX-License-Identifier: GPL-3.0-or-later
// The search of 推荐断面 in words and as a table, one wording for the
// command line, the window and the report.
#pragma once

#include "hydraulics/recommend.h"

#include <string>
#include <vector>

namespace hydraulics {

// "B = 0.96～3.82 m、i = 1/200～1/10000" (one slope: "i = 1/1000").
std::string SearchRangeText(const Recommendation& r);

// What was searched and how many candidates meet every check, a sentence.
std::string SearchSummary(const Recommendation& r);

// "推荐 B = 1.80 m，i = 1/800：h = 1.372 m，H = 1.58 m，H/B = 0.878，
// v = 1.770 m/s，ΔZ = 0.296 m ≤ 0.300 m，衬砌周长 4.18 m/m（比当前断面省 9 %）。"
// Empty without a recommendation.
std::string RecommendationSentence(const Recommendation& r);

// Where none is feasible: "v ≤ 2.5 m/s 与 H/B ≤ 0.9 在 B = …、i = … 内无法同时
// 满足。" and the candidate failing the fewest rules with what it fails.
// Empty where a candidate is feasible.
std::string BindingSentence(const Recommendation& r);
std::string ClosestSentence(const Recommendation& r);

// The summary, then the recommendation or the binding checks and the
// closest candidate; the reason where no search was made.
std::vector<std::string> RecommendationLines(const Recommendation& r);

// For the 结论 of a report. The last way out of a design whose adopted
// section fails: "同时调整槽宽与纵坡（…）：推荐 B = …。", or that none in the
// search meets every check and why. Empty without a search.
std::string WayOutSentence(const Recommendation& r);
// Where the adopted section meets every check and a section of shorter
// lining does too: that section in a sentence; else empty.
std::string CheaperSentence(const Recommendation& r);

// A cell of the alternatives' table: its text and the number it sorts by.
struct RankedCell {
    std::string text;
    double value;
};

// The columns: B (m), i, h (m), H (m), H/B, v (m/s), Fr, Z or ΔZ (m), the
// margin to [ΔZ] (or to case 2's head; "—" without), the lining length
// (m/m) and the cost relative to the recommendation (%).
std::vector<std::string> RankedHeader(const Recommendation& r);
std::vector<RankedCell> RankedCells(const Recommendation& r, const RankedSection& s);

} // namespace hydraulics
