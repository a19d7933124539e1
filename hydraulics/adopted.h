// SPDX-License-Identifier: GPL-3.0-or-later
// The section a designer adopts (采用断面): the case solved exactly, its
// width rounded up to a buildable step, and that section verified as it
// will be built.
//
// Double precision, the true U section, π exact, g = 9.81 m/s²; every depth
// is solved to the last bit of a double (no search tolerance). The case's
// own results, with their searches and rounding, are not touched.
//
//   width   cases 1, 2: the exact width B* that carries Q at depth h
//           (case 2 together with its slope), rounded UP to the design
//           step; cases 3, 4: the typed B.
//   slope   cases 1, 3, 4: the typed 1/x; case 2: the x at which the
//           adopted B carries Q at depth h, x = (A·R^(2/3)/(Q·n))², rounded
//           UP to a whole number (a flatter slope: the total loss only
//           falls), its total loss then verified against the given head.
//   verify  the normal depth h at Q (case 4: Q at the typed h), v, Fr,
//           Z₁ = (1 + ξ₁)(v² − V²)/2g, Z₂ = L/x, Z₃ = (1 − ξ₂)(v² − V²)/2g,
//           Z = Z₁ + Z₂ − Z₃; with canal data the connection's ΔZ
//           (canal velocities, J·L for grades 1–3) replaces them. Q加, h加
//           and every design check, H rounded up to the centimetre.
#pragma once

#include "hydraulics/connection.h"
#include "hydraulics/designchecks.h"

#include <array>
#include <optional>
#include <vector>

namespace hydraulics {

// The eight inputs of case `caseNo` as the decimals typed (a stored 0.014f
// is 0.014), each where the case takes it; the others zero.
struct FlumeInputs {
    int caseNo = 1;
    double Q = 0, L = 0, h = 0, x = 0, V = 0, n = 0, xi1 = 0, xi2 = 0;
    double B = 0;    // cases 3 and 4
    double head = 0; // case 2: the head loss Z the flume may use
};
FlumeInputs FlumeInputsOf(int caseNo, const std::array<float, 8>& inputs);

// The width that carries Q at depth h on slope 1/x with roughness n, to
// the last bit; empty when the inputs are not positive and finite.
std::optional<double> ExactWidth(double Q, double h, double x, double n);

// Case 2 exactly: the width and slope with Manning's Q at depth h and a
// total loss L/x + (ξ₁ + ξ₂)(v² − V²)/2g equal to the given head. The loss
// falls as x grows (a flatter slope, a wider flume, a slower flow), so x
// is bisected to the last bit. Empty where no slope gives the head.
struct WidthAndSlope {
    double B, x;
};
std::optional<WidthAndSlope> ExactWidthAndSlope(const FlumeInputs& f);

// The k-th multiple of `step`, to the nanometre (0.01·7 is 0.07, not
// 0.07000000000000001).
double StepMultiple(double k, double step);

// `value` rounded up to a multiple of `step` (a value within 1e-9 of a
// multiple is that multiple), to the nanometre.
double RoundUpToStep(double value, double step);

// The multiples k·step from `low` to `high` (a bound within 1e-9 of a step
// of a multiple takes it), as their first and last k: counted before any
// is listed, for a vast range has more than memory holds. Past 2⁵³ the
// multiples are no longer whole numbers apart and the count is infinite.
struct StepMultiples {
    double first = 1, last = 0;
    double count() const;
};
StepMultiples StepMultiplesIn(double low, double high, double step);

// A section verified as it will be built.
struct VerifiedSection {
    double B = 0, x = 0, h = 0, Q = 0; // m, —, m, m³/s
    std::optional<double> v, Fr;       // m/s, —
    std::optional<double> hc;          // critical depth at Q, m
    // The losses by the case's formulas, or with canal data the
    // connection's (Z the total drop ΔZ).
    std::optional<double> Z1, Z2, Z3, Z;
    std::optional<double> head; // case 2: the head the loss must not exceed
    Verdict headOk = Verdict::Unknown;
    DesignChecks checks;                       // H rounded up to the centimetre
    std::optional<Connection> connection;      // with canal data
    std::optional<double> topInlet, topOutlet; // ∇₁ + H, ∇₂ + H, m
    std::vector<CheckRow> rows;                // design checks, then the connection's
    bool ok = false;                           // every rule met
    bool feasible = false;                     // every rule and every recommendation met
};

// Verifies the section of width B and slope 1/x for the flume `f`: the
// depth at Q (case 4: the discharge at f.h). Empty when no depth forms.
std::optional<VerifiedSection> VerifySection(const FlumeInputs& f,
                                             const DesignConditions& conditions,
                                             const std::optional<ConnectionInput>& canals, double B,
                                             double x);

// The adopted section of `f`: the width and slope by the rules above,
// verified, with the exact solution they were rounded from. Empty where
// the exact case has no solution.
struct AdoptedSection {
    VerifiedSection section;
    double exactB = 0;
    std::optional<double> exactX; // case 2
};
std::optional<AdoptedSection> AdoptSection(const FlumeInputs& f, const DesignConditions& conditions,
                                           const std::optional<ConnectionInput>& canals);

} // namespace hydraulics
