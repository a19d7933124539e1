// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/backwater.h"

#include "hydraulics/canal.h"
#include "hydraulics/elements.h"
#include "hydraulics/formed.h"

#include <algorithm>
#include <cmath>

namespace hydraulics {
namespace {

constexpr double kStepShare = 0.02;     // depth step, share of the gap to h₀
constexpr double kUniformGap = 1e-9;    // m: closer to h₀ than this is h₀
constexpr double kCriticalSlack = 1e-6; // m below h_c still taken as h_c
constexpr int kMaxSteps = 100000;

// The flume and its discharge, for ds/dh.
struct Channel {
    double B, i, n, Q;

    // ds/dh = (1 − Fr²)/(S_f − i), distance upstream per metre of depth.
    double Slope(double y) const {
        const SectionShape s = TrueSection(B, y);
        const double fr2 = Q * Q * s.topWidth / (kG * s.area * s.area * s.area);
        const double root = n * Q / (s.area * std::pow(s.area / s.perimeter, 2.0 / 3.0));
        return (1 - fr2) / (root * root - i);
    }

    // Distance between depths a and b by Simpson's rule.
    double Span(double a, double b) const {
        return (b - a) / 6 * (Slope(a) + 4 * Slope((a + b) / 2) + Slope(b));
    }
};

// The depth in [a, b] (a at distance `s` already) where the distance
// reaches L, by bisection to the last bit.
double DepthAtLength(const Channel& ch, double a, double b, double s, double L) {
    double low = a, high = b; // the distance grows from low to high
    for (int k = 0; k < 200; ++k) {
        const double mid = (low + high) / 2;
        if (mid == low || mid == high)
            break;
        (s + ch.Span(a, mid) < L ? low : high) = mid;
    }
    return (low + high) / 2;
}

} // namespace

std::optional<FlumeProfile> TraceProfile(double B, double x, double n, double Q, double L,
                                         double outletDepth, std::optional<double> normal,
                                         std::optional<double> critical) {
    if (!Positive(B) || !Positive(x) || !Positive(n) || !Positive(Q) || !Positive(L) ||
        !Positive(outletDepth))
        return std::nullopt;
    const std::optional<double> h0 = normal ? normal : FlumeNormalDepth(B, Q, x, n);
    const std::optional<double> hc = critical ? critical : CriticalDepth(B, Q, 0);
    if (!h0 || !hc || *h0 <= *hc || outletDepth < *hc - kCriticalSlack)
        return std::nullopt;
    const Channel ch{B, 1 / x, n, Q};
    FlumeProfile p{0, 0, {}};
    double y = std::max(outletDepth, *hc);
    double s = 0;
    p.points.push_back({0, y});
    for (int step = 0; step < kMaxSteps; ++step) {
        const double gap = *h0 - y;
        if (std::fabs(gap) <= kUniformGap)
            break;
        const double next = y + gap * kStepShare;
        if (next == y)
            break; // h₀ to the last bit of y: uniform flow from here to the inlet
        const double ds = ch.Span(y, next);
        if (!std::isfinite(ds))
            return std::nullopt;
        if (s + ds >= L) {
            y = DepthAtLength(ch, y, next, s, L);
            s = L;
            break;
        }
        s += ds;
        y = next;
        // Far up a long flume a step can be shorter than the last bit of s:
        // it moves the depth, not the distance, and the next point that
        // lies further up carries the depth on.
        if (s > p.points.back().distance)
            p.points.push_back({s, y});
    }
    p.points.push_back({L, y}); // at h₀ when the loop ended there: uniform flow to the inlet
    p.inletDepth = y;
    p.maxDepth = 0;
    for (const ProfilePoint& point : p.points)
        p.maxDepth = std::max(p.maxDepth, point.depth);
    return p;
}

} // namespace hydraulics
