// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of a sweep (方案比选): H/B and the design velocity v against
// the variable, with the bands the design checks ask for (0.7 ≤ H/B ≤ 0.9
// and 1.0 ≤ v ≤ 2.5 m/s) shaded, so that the compliant stretch shows at once.
#pragma once

#include "drawing/labelplacer.h"
#include "hydraulics/sweep.h"

#include <QString>
#include <optional>
#include <vector>

class QPainter;
class QRectF;

namespace drawing {

struct SweepPoint {
    double x = 0;                   // the variable as stored
    std::optional<double> ratio, v; // H/B and v, empty for a failed row
    bool meetsAll = false;          // every check met
};

struct SweepChart {
    QString variable; // axis title: "槽内水深 h (m)"
    std::vector<SweepPoint> points;
};

// The points of the rows of a sweep of case `caseNumber` over input
// `variable` (box index).
SweepChart SweepChartOf(const std::vector<hydraulics::SweepRow>& rows, int caseNumber,
                        std::size_t variable);

// Draws the chart into `box`; a note where there is no point yet. The
// painter's state is restored afterwards. With `labels`, the chart and the
// boxes of its texts are added to it.
void PaintSweepChart(QPainter& painter, const QRectF& box, const SweepChart& chart,
                     LabelLog* labels = nullptr);

} // namespace drawing
