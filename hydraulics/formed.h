// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of the engine that may not be formed: a figure is a number
// only where it is finite, and an input counts only where it is a positive
// finite number. Nothing here throws.
#pragma once

#include <cmath>
#include <optional>

namespace hydraulics {

// A design set right at an inclusive limit (H = 0.9·B, v = 2.5 m/s,
// ΔZ = [ΔZ]) must not fail by round-off: limits are compared with this
// much slack.
constexpr double kLimitSlack = 1e-9;

inline bool Positive(double value) {
    return std::isfinite(value) && value > 0;
}

inline std::optional<double> Finite(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

inline std::optional<double> Finite(const std::optional<double>& value) {
    return value ? Finite(*value) : std::nullopt;
}

} // namespace hydraulics
