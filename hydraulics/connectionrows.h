// The water-surface connection as lines of figures and of checks, for the
// command line's text, the window's table and the report: one wording in
// every place.
#pragma once

#include "hydraulics/connection.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"

#include <string>
#include <string_view>
#include <vector>

namespace hydraulics {

// A group of figures: "设计流量", "加大流量", "弯道".
struct ConnectionGroup {
    std::string_view title;
    std::vector<ElementRow> rows; // name, symbol, unit, value (ElementRow of elements.h)
};

// Design discharge (depths, velocities, transitions, losses, elevations and
// levels), increased discharge (Q加 to the rise and its ratio), and the bend
// when a radius is given.
std::vector<ConnectionGroup> ConnectionGroups(const Connection& c);

// The verdicts: total drop against [ΔZ], the backwater rise at Q加, the
// largest depth with its clearance against the net depth, long or short
// flume by L/h₁, and the bend when a radius is given.
std::vector<CheckRow> ConnectionChecks(const Connection& c);

// "过水断面面积 A (m²): 2.476" — a figure as the detail lines print it.
std::string ConnectionLine(const ElementRow& row);

} // namespace hydraulics
