// SPDX-License-Identifier: GPL-3.0-or-later
// The depth where a quantity that rises with depth reaches zero: the
// critical depth (g·A³ − Q²·T) and the normal depth (Manning's discharge
// less Q) of the true section.
#pragma once

#include <cmath>
#include <optional>

namespace hydraulics {

// Root of `rising(y)`, below zero at y = 0 and growing without bound, by
// bisection. The bracket starts at [0, start] and doubles its top (64 times
// at most) until `rising` is no longer below zero there; the halving stops
// when the bracket is no wider than `tolerance` (m) or when double
// precision cannot split it any more (depths of some 10^13 m and more).
// The middle of the last bracket; empty where no bracket is found or the
// quantity is not a number there.
template <class Rising>
std::optional<double> RisingRoot(Rising rising, double start, double tolerance) {
    constexpr int kMaxBracketDoublings = 64;
    double low = 0;
    double high = start;
    for (int i = 0;; ++i) {
        const double top = rising(high);
        if (std::isnan(top) || i == kMaxBracketDoublings)
            return std::nullopt;
        if (top >= 0)
            break;
        low = high;
        high *= 2;
    }
    while (high - low > tolerance) {
        const double mid = (low + high) / 2;
        if (mid <= low || mid >= high)
            break;
        (rising(mid) < 0 ? low : high) = mid;
    }
    return (low + high) / 2;
}

} // namespace hydraulics
