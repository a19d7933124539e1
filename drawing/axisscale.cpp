// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/axisscale.h"

#include <algorithm>
#include <cmath>

namespace drawing {

AxisScale NiceAxis(double dataMax, int targetSteps) {
    AxisScale axis;
    if (!std::isfinite(dataMax) || dataMax <= 0 || targetSteps < 1)
        return axis;
    const double rough = dataMax / targetSteps;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / decade; // 1 <= fraction < 10
    double mantissa = 10;
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (fraction <= m * (1 + 1e-9)) {
            mantissa = m;
            break;
        }
    axis.step = mantissa * decade;
    // A hair of tolerance so that a maximum that is already a whole number
    // of steps is not pushed up by rounding noise.
    axis.max = std::ceil(dataMax / axis.step * (1 - 1e-12)) * axis.step;
    const int exponent = int(std::floor(std::log10(axis.step) + 1e-9));
    axis.decimals = std::max(0, -exponent) + (mantissa == 2.5 && exponent <= 0 ? 1 : 0);
    return axis;
}

} // namespace drawing
