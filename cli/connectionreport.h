// SPDX-License-Identifier: GPL-3.0-or-later
// The water-surface connection of a design on the command line
// (--connection): lines of text and the JSON "connection" object. The
// connection is the design's: at the adopted section where one is formed.
#pragma once

#include "hydraulics/connection.h"

#include <string>

namespace cli {

// After a blank line the heading "水面衔接与高程", then each group of
// figures under its title, one a line ("上游渠道正常水深 h₁ (m): 1.568"),
// then the checks as the design checks print theirs
// ("总水面降落: ΔZ = 0.145 m | ΔZ 应等于或略小于 [ΔZ] = 0.300 m | … | 提示").
std::string ConnectionLines(const hydraulics::Connection& c);

// The "connection" object, numbers unrounded, null where not formed:
//   {"design": {"h1", "v1", "h2", "v2", "Z1", "Z2", "Z3", "drop"},
//    "allowed_drop": {"value", "margin", "ok", "level"},
//    "transitions": {"inlet_length", "outlet_length"},
//    "elevations": {"bed_upstream", "bed_inlet", "bed_outlet", "bed_downstream",
//                   "level_upstream", "level_downstream"},
//    "increased": {"Q", "h1", "h2", "outlet_depth", "inlet_depth", "max_depth",
//                  "required_h1", "rise", "ratio", "ok", "level"},
//    "short_flume": {"ratio", "ok"},
//    "recheck": {"outlet_depth", "inlet_depth", "required_h1", "drop", "ok", "level"},
//    "bend": {"superelevation", "radius_ratio", "ok", "level"}}
// "recheck" only for a short flume, "bend" only with a radius; "ok" true,
// false or null (not formed; no [ΔZ]); short_flume's "ok" is true for a
// long flume; allowed_drop's "ok" is false for a note of unused margin too.
void AppendConnectionJson(std::string& out, const hydraulics::Connection& c);

} // namespace cli
