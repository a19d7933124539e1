// SPDX-License-Identifier: GPL-3.0-or-later
// Trapezoidal canals beside the flume and the friction slope of a section.
//
// Double precision, g = 9.81 m/s². A canal has bottom width b ≥ 0 and side
// slope m ≥ 0 (m horizontal to 1 vertical; m = 0 is a rectangle), not both
// zero, roughness n > 0 and bed slope i = 1/x, x > 0. Nothing throws: a depth
// that cannot be formed is empty.
#pragma once

#include <optional>

namespace hydraulics {

struct Canal {
    double b = 0; // bottom width, m
    double m = 0; // side slope, horizontal per vertical
    double n = 0; // Manning's roughness
    double x = 0; // slope denominator, i = 1/x
    bool operator==(const Canal&) const = default;
};

// The canal's figures are usable: b, m ≥ 0 with b + m > 0, n > 0, x > 0,
// all finite.
bool IsCanal(const Canal& c);

// Area, wetted perimeter and water-surface width of the trapezoid at depth y:
//   A = (b + m·y)·y,  P = b + 2·y·√(1 + m²),  T = b + 2·m·y.
// Zero for y ≤ 0.
struct CanalShape {
    double area;      // m²
    double perimeter; // m
    double topWidth;  // m
};
CanalShape CanalSection(const Canal& c, double y);

// Normal depth of Q by Manning: Q = A·R^(2/3)·√i / n, R = A/P. The discharge
// rises with depth, so the root is bracketed from y = 0 upwards by doubling
// and halved to the last bit of a double (bisection, tolerance 0 m). Empty
// for Q ≤ 0 or a canal that is not usable.
std::optional<double> CanalNormalDepth(const Canal& c, double Q);

// Critical depth of Q: Q²·T = g·A³, bisection to the last bit as above.
std::optional<double> CanalCriticalDepth(const Canal& c, double Q);

// Friction slope of discharge Q in a section of area A and hydraulic radius
// R with roughness n: S_f = (n·Q / (A·R^(2/3)))². Empty for A or R ≤ 0.
std::optional<double> FrictionSlope(double Q, double n, double area, double radius);

// Friction slope of Q in the canal at depth y.
std::optional<double> CanalFrictionSlope(const Canal& c, double Q, double y);

// Friction slope of Q in the true U section of width B at depth y with
// roughness n.
std::optional<double> FlumeFrictionSlope(double B, double n, double Q, double y);

// Normal depth of Q in the true U section of width B, slope 1/x and
// roughness n, to the last bit of a double (as the design checks form it).
std::optional<double> FlumeNormalDepth(double B, double Q, double x, double n);

} // namespace hydraulics
