// SPDX-License-Identifier: GPL-3.0-or-later
// Round numbers for the axes of a chart.
#pragma once

namespace drawing {

struct AxisScale {
    double max = 1;   // end of the axis: a whole number of steps
    double step = 1;  // distance between labelled ticks: 1, 2, 2.5 or 5 × 10^k
    int decimals = 0; // decimals the tick labels need
};

// An axis from 0 that reaches `dataMax` in about `targetSteps` round steps.
// A non-positive or non-finite `dataMax` gives the axis 0..1.
AxisScale NiceAxis(double dataMax, int targetSteps = 5);

} // namespace drawing
