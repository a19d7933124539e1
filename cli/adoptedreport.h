// SPDX-License-Identifier: GPL-3.0-or-later
// The adopted section of a design on the command line: lines of text
// under 采用断面 and the JSON "adopted" object.
#pragma once

#include "cli/checksreport.h"
#include "hydraulics/design.h"

#include <optional>
#include <string>

namespace cli {

// After a blank line "采用断面（采用值）" or "采用断面（计算值（不得采用））",
// the basis of the width, one line a figure ("槽宽 B (m): 1.92"), the
// checks of the adopted section, and the ways out where it fails them.
// Empty without an adopted section.
std::string AdoptedLines(const hydraulics::Design& design);

// {"B", "x", "h", "H", "H_over_B", "v", "Fr", "Z1", "Z2", "Z3", "Z", "Q",
//  "Q_increased", "h_increased", "max_depth", "top_inlet", "top_outlet",
//  "checks": {…}, "exact_B", "exact_x", "feasible", "ok"}: numbers
// unrounded, null where not formed; null without an adopted section. "Z…"
// are the connection's with canal data; "max_depth" is the surface at Q加
// that H is measured from (h加, the backwater's largest depth or the bend's
// outer depth); "ok" is true when every rule is met, "feasible" when every
// recommendation is too.
void AppendAdoptedJson(std::string& out, const hydraulics::Design& design);

// A verified section in the shape of "adopted": the figures from "B" to
// "top_outlet", "checks", then `extra` (for the adopted section "exact_B"
// and "exact_x", for a recommended one its "cost"), "feasible" and "ok".
void AppendSectionJson(std::string& out, const hydraulics::VerifiedSection& section,
                       JsonFigures extra);

} // namespace cli
