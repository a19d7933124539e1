// SPDX-License-Identifier: GPL-3.0-or-later
// Section geometry of the U-flume and Manning's discharge.
//
// The section is a semicircle of diameter B (the channel width) with
// vertical walls standing on the ends of the diameter; the depth h is
// measured from the lowest point. All routines read and write the working
// values of ProjectState and round every stored result to single precision.
#pragma once

#include "hydraulics/projectstate.h"

namespace hydraulics {

// Water on the walls (h >= B/2), π taken as 3.14159:
//   A = 3.14159·(B/2)²/2 + (h − B/2)·B,  P = 2·(h − B/2) + 3.14159·B/2,
//   R = A/P. Stores FlowArea, WettedPerimeter, HydraulicRadius in order.
// Not validated: for h < B/2 the rectangle part goes negative.
void DeepSectionGeometry(ProjectState& m, float B, float h);

// Water inside the semicircle (h < B/2): a circular segment of radius B/2
// and central angle 2θ, θ = 1.5708 − arctan(c/√(1 − c²)), c = (B/2 − h)/(B/2):
//   A = (B/2)²/2·(2θ − sin 2θ),  P = B·θ,  R = A/P.
// h = 0 divides by zero; h < 0 takes the root of a negative number.
void SegmentSectionGeometry(ProjectState& m, float B, float h);

// Picks the branch by the single-precision B/2 against h (segment only for
// B/2 > h strictly) and stores A, P, R.
void AnyDepthSectionGeometry(ProjectState& m, float B, float h);

// Manning: Qc = R^(2/3)·A·(1/x)^(1/2)/n from the stored FlowArea and
// HydraulicRadius, returned rounded to single precision. The caller stores
// it (CalcDischarge, or BasicData Q in the discharge case).
float ManningDischarge(const ProjectState& m, float x, float n);

} // namespace hydraulics
