// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/canal.h"

#include "hydraulics/elements.h"
#include "hydraulics/formed.h"
#include "hydraulics/risingroot.h"

#include <cmath>

namespace hydraulics {
namespace {

// A depth to start the bracket at: about the bottom width, 1 m for a
// V-shaped canal.
double StartDepth(const Canal& c) {
    return c.b > 0 ? c.b : 1.0;
}

} // namespace

bool IsCanal(const Canal& c) {
    return std::isfinite(c.b) && std::isfinite(c.m) && c.b >= 0 && c.m >= 0 && c.b + c.m > 0 &&
           Positive(c.n) && Positive(c.x);
}

CanalShape CanalSection(const Canal& c, double y) {
    if (!(y > 0))
        return {0, 0, 0};
    return {(c.b + c.m * y) * y, c.b + 2 * y * std::sqrt(1 + c.m * c.m), c.b + 2 * c.m * y};
}

std::optional<double> CanalNormalDepth(const Canal& c, double Q) {
    if (!IsCanal(c) || !Positive(Q))
        return std::nullopt;
    const double rootSlope = std::sqrt(1 / c.x);
    return RisingRoot(
        [&](double y) {
            const CanalShape s = CanalSection(c, y);
            if (!Positive(s.area))
                return -Q;
            return s.area * std::pow(s.area / s.perimeter, 2.0 / 3.0) * rootSlope / c.n - Q;
        },
        StartDepth(c), 0);
}

std::optional<double> CanalCriticalDepth(const Canal& c, double Q) {
    if (!IsCanal(c) || !Positive(Q))
        return std::nullopt;
    return RisingRoot(
        [&](double y) {
            const CanalShape s = CanalSection(c, y);
            return kG * s.area * s.area * s.area - Q * Q * s.topWidth;
        },
        StartDepth(c), 0);
}

std::optional<double> FrictionSlope(double Q, double n, double area, double radius) {
    if (!Positive(area) || !Positive(radius) || !std::isfinite(Q) || !std::isfinite(n))
        return std::nullopt;
    const double root = n * Q / (area * std::pow(radius, 2.0 / 3.0));
    const double slope = root * root;
    return Finite(slope);
}

std::optional<double> CanalFrictionSlope(const Canal& c, double Q, double y) {
    const CanalShape s = CanalSection(c, y);
    if (!Positive(s.perimeter))
        return std::nullopt;
    return FrictionSlope(Q, c.n, s.area, s.area / s.perimeter);
}

std::optional<double> FlumeFrictionSlope(double B, double n, double Q, double y) {
    const SectionShape s = TrueSection(B, y);
    if (!Positive(s.perimeter))
        return std::nullopt;
    return FrictionSlope(Q, n, s.area, s.area / s.perimeter);
}

std::optional<double> FlumeNormalDepth(double B, double Q, double x, double n) {
    if (!Positive(B) || !Positive(Q) || !Positive(x) || !Positive(n))
        return std::nullopt;
    return RisingRoot([&](double y) { return TrueManningDischarge(B, y, x, n) - Q; }, B / 2, 0);
}

} // namespace hydraulics
