// SPDX-License-Identifier: GPL-3.0-or-later
// Gradually varied flow in the true U section of the flume: the water
// surface traced upstream from a known outlet depth.
//
//   dh/dx = (i − S_f) / (1 − Fr²),  S_f = (n·Q / (A·R^(2/3)))²,
//   Fr² = Q²·T / (g·A³),  x downstream, g = 9.81 m/s².
//
// Numerical method. The equation is integrated in depth, not in distance:
// the distance upstream s from the outlet grows by
//   ds/dh = (1 − Fr²) / (S_f − i),
// which is finite at the critical depth (where dh/dx is not) and tends to
// infinity only at the normal depth h₀, which the surface approaches and
// never crosses on a mild slope. The depth moves from the outlet depth
// towards h₀ in steps of 2 % of the remaining gap; each step's distance is
// Simpson's rule over the step (the fourth-order Runge–Kutta step of an
// equation in h alone). The step that passes the flume's length L is
// bisected to the last bit of a double for the depth at exactly s = L. The
// quadrature error per step is below 10⁻⁸ of its length; depths come out
// far inside 1 mm. When the gap falls below 10⁻⁹ m, or below the last bit
// of the depth (depths of some 10⁶ m), the rest of the flume runs at h₀.
//
// Only mild flumes (h₀ above the critical depth h_c) and outlet depths at
// or above h_c have such a profile (M1 above h₀, M2 between h_c and h₀);
// otherwise the profile is empty. Nothing throws.
#pragma once

#include <optional>
#include <vector>

namespace hydraulics {

struct ProfilePoint {
    double distance; // m upstream from the outlet, 0..L
    double depth;    // m
};

struct FlumeProfile {
    double inletDepth; // m, at s = L
    double maxDepth;   // m, the largest depth from outlet to inlet
    // From the outlet (s = 0) to the inlet (s = L), one point a step, each
    // further up than the one before (a step shorter than the last bit of
    // the distance has none of its own); the last point is the inlet.
    std::vector<ProfilePoint> points;
};

// The profile of discharge Q in a flume of width B, slope 1/x, roughness n
// and length L (all > 0) from `outletDepth` up to the inlet. Empty when the
// flume is not mild for Q or the outlet depth lies below the critical depth
// (by more than 1 µm; within it the outlet counts as critical).
// `normal` and `critical`, where the caller has them, are the normal and
// critical depths of Q in this flume (they are solved otherwise).
std::optional<FlumeProfile> TraceProfile(double B, double x, double n, double Q, double L,
                                         double outletDepth, std::optional<double> normal = {},
                                         std::optional<double> critical = {});

} // namespace hydraulics
