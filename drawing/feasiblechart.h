// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of 推荐断面: every candidate of the search as a dot over the
// width B (across) and the slope i = 1/x (up, on a logarithmic scale, the
// steepest slope at the top), green where it meets every check, else in
// the colour of the first check it does not meet, grey where no depth
// formed; the recommendation ringed and the case's adopted section marked
// with a diamond; a legend above.
#pragma once

#include "hydraulics/recommend.h"

#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;
class QRectF;

namespace drawing {

constexpr int kFeasibleDot = -1;  // FeasibleDot::kind of a candidate meeting every check
constexpr int kNoSectionDot = -2; // of a candidate where no depth formed

struct FeasibleDot {
    double B = 0, x = 0;
    int kind = kFeasibleDot; // index into FeasibleChart::kinds, or one of the above
};

struct FeasibleChart {
    std::vector<FeasibleDot> dots;
    std::vector<QString> kinds; // the checks by name: 设计流速
    std::vector<double> slopes; // x of the rows, ascending
    double Bmin = 0, Bmax = 0;
    std::optional<QPointF> recommended, current; // (B, x)
};

FeasibleChart FeasibleChartOf(const hydraulics::Recommendation& r);

// Draws the chart into `box`; a note where there is no candidate yet. The
// painter's state is restored afterwards.
void PaintFeasibleChart(QPainter& painter, const QRectF& box, const FeasibleChart& chart);

// The dot drawn nearest `at` (within a few pixels) in a chart drawn into
// `box`, as an index into chart.dots.
std::optional<std::size_t> FeasibleDotAt(const QRectF& box, const FeasibleChart& chart,
                                         const QPointF& at);

} // namespace drawing
