// SPDX-License-Identifier: GPL-3.0-or-later
// The water-surface connection of a successful calculation on the command
// line (--connection): lines of text and the JSON "connection" object.
#pragma once

#include "cli/calculation.h"
#include "hydraulics/connection.h"

#include <optional>
#include <string>

namespace cli {

// The flume of a successful calculation as the connection takes it: the
// design point, L, ξ₁ and ξ₂ as stored, and the increase p (empty: table
// 6.3.4). Empty unless status is Ok.
std::optional<hydraulics::ConnectionFlume> ConnectionFlumeOf(const Outcome& outcome,
                                                             std::optional<double> increasePercent);

// After a blank line the heading "水面衔接与高程", then each group of
// figures under its title, one a line ("上游渠道正常水深 h₁ (m): 1.568"),
// then the checks as the design checks print theirs
// ("总水面降落: ΔZ = 0.145 m | ΔZ ≤ [ΔZ] = 0.300 m | … | 满足").
// Empty unless status is Ok.
std::string ConnectionLines(const Outcome& outcome, const hydraulics::ConnectionInput& input,
                            std::optional<double> increasePercent);

// The "connection" object, numbers unrounded, null where not formed:
//   {"design": {"h1", "v1", "h2", "v2", "Z1", "Z2", "Z3", "drop"},
//    "allowed_drop": {"value", "ok"},
//    "transitions": {"inlet_length", "outlet_length"},
//    "elevations": {"bed_upstream", "bed_inlet", "bed_outlet", "bed_downstream",
//                   "level_upstream", "level_downstream"},
//    "increased": {"Q", "h1", "h2", "outlet_depth", "inlet_depth", "max_depth",
//                  "required_h1", "rise", "ratio", "ok"},
//    "short_flume": {"ratio", "ok"},
//    "bend": {"superelevation", "radius_ratio", "ok"}}
// "bend" only with a radius; "ok" true, false or null (not formed; no
// [ΔZ]); short_flume's "ok" is true for a long flume. null unless status
// is Ok.
void AppendConnectionJson(std::string& out, const Outcome& outcome,
                          const hydraulics::ConnectionInput& input,
                          std::optional<double> increasePercent);

} // namespace cli
