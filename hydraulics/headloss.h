// SPDX-License-Identifier: GPL-3.0-or-later
// Head-loss chain through the flume (2g = 19.62).
//
//   v  = Q/A                              flume velocity
//   K  = (ξ1 + ξ2)(v² − V²)/2g            NetLocalLoss: inlet loss less recovery
//   Z2 = L/x                              FrictionLoss
//   Z  = Z2 + K                           TotalLoss
//   Z1 = (ξ1 + 1)·K/(ξ1 + ξ2)             InletLoss
//   Z3 = (1 − ξ2)·K/(ξ1 + ξ2)             OutletRecovery
#pragma once

#include "hydraulics/projectstate.h"

#include <string>

namespace hydraulics {

// v = Q/A from Q and the stored FlowArea, rounded to single precision as
// the chain takes it (LossTerms' first step; v itself is not kept).
float FlumeVelocity(const ProjectState& m);

// Computes v from Q and the stored FlowArea, then stores K and Z2, and Z
// when `withTotal` is set. Reads Q, L, x, V, ξ1, ξ2 from BasicData.
void LossTerms(ProjectState& m, bool withTotal);

// Splits the stored NetLocalLoss into InletLoss and OutletRecovery.
// ξ1 + ξ2 = 0 is refused with a CalcError::Refusal in the designer's words
// (both coefficients zero, table K.1.2), of the kind the division would
// meet: invalid operation (0/0) after LossTerms, division by zero for a K
// left from elsewhere.
void LocalLossSplit(ProjectState& m);

// Int(value·1000 + 0.5)/1000 in double precision: the millimetre a loss is
// shown to, halves rounded upward.
double RoundTo3(float value);
// RoundTo3 as text with up to 15 significant digits: 0.15334 → "0.153",
// -0.0123 → "-0.012", 2 → "2".
std::string RoundTo3Decimals(float value);

} // namespace hydraulics
