// SPDX-License-Identifier: GPL-3.0-or-later
// --recommend: the search of 推荐断面 (hydraulics/recommend.h) on the
// command line, as lines of text or one JSON object.
#pragma once

#include "cli/options.h"
#include "hydraulics/design.h"
#include "hydraulics/recommend.h"

#include <iosfwd>
#include <string>

namespace cli {

// The heading 推荐断面, what was searched, the recommendation in a
// sentence (or the binding checks and the candidate failing the fewest
// rules), the checks of the recommended section and the alternatives, one
// a line with their figures separated by " | ".
std::string RecommendText(const hydraulics::Recommendation& r);

// {"case", "recommended": {…the shape of "adopted"…, "cost", "margin"} or
//  null, "alternatives": [{"B", "x", "h", "H", "H_over_B", "v", "Fr", "Z",
//  "margin", "cost", "relative_cost"}, …], "candidates": N, "feasible": M,
//  "binding": [check ids], "closest": {…as "recommended"…} or null,
//  "current_cost", "widths": {"from", "to", "step"}, "slopes": [x, …],
//  "summary", "sentence"} and a line end; numbers unrounded.
std::string RecommendJson(const hydraulics::Recommendation& r);

// Runs the search for the inputs of `design` (their case, conditions and
// canals) and writes it to `out`. An input that could not be read, or a
// design no section can be adopted from, is told on `err`; exit status 1.
int WriteRecommendation(const Options& options, const hydraulics::Design& design, std::ostream& out,
                        std::ostream& err);

} // namespace cli
