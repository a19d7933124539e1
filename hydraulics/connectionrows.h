// SPDX-License-Identifier: GPL-3.0-or-later
// The water-surface connection as lines of figures and of checks, for the
// command line's text, the window's table and the report: one wording in
// every place.
#pragma once

#include "hydraulics/connection.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"

#include <array>
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

// The verdicts: total drop against [ΔZ] (a rule; a note with the margin
// when much is left unused), a short flume's drop at the design discharge
// (K.1.2), the backwater rise at Q加 (a recommendation), and the bend when
// a radius is given. The long/short classification and the freeboards are
// design checks (designchecks.h), from the connection's figures.
std::vector<CheckRow> ConnectionChecks(const Connection& c);

// Table K.1.2: the local-loss coefficients of the transition forms, inlet
// ξ₁ and outlet ξ₂, each a range (low = high for a single value).
struct TransitionForm {
    std::string_view name; // 曲线形反弯扭曲面 …
    double inletLow, inletHigh, outletLow, outletHigh;
};
constexpr std::size_t kTransitionFormCount = 5;
const std::array<TransitionForm, kTransitionFormCount>& TransitionForms();

// The value a form gives when filled in: the upper end of its range, on the
// safe side (a larger ξ₁ drops the inlet more, a larger ξ₂ recovers less).
double InletCoefficient(const TransitionForm& form);
double OutletCoefficient(const TransitionForm& form);

// The form of table K.1.2 whose ranges hold both ξ₁ and ξ₂ (a form of
// single values that both equal first); null when none does.
const TransitionForm* FormOfCoefficients(double xi1, double xi2);

// "过水断面面积 A (m²): 2.476" — a figure as the detail lines print it.
std::string ConnectionLine(const ElementRow& row);

} // namespace hydraulics
