// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/sweepchart.h"

#include "drawing/axisscale.h"
#include "drawing/drawingstyle.h"
#include "drawing/labelplacer.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

namespace drawing {
namespace {

// Room around the plot: the legend above, tick labels left (H/B), right
// (v) and below (the variable).
constexpr double kLeft = 52, kRight = 52, kTop = 30, kBottom = 40;
const QColor kRatioInk{0, 90, 190};
const QColor kVelocityInk{200, 95, 0};
const QColor kRatioBand{205, 225, 250};
const QColor kVelocityHatch{230, 150, 70};
const QColor kMetMark{0, 150, 70};

struct Frame {
    QRectF plot;
    double xMin = 0, xMax = 1;
    AxisScale ratio, velocity;

    double X(double x) const { return plot.left() + (x - xMin) / (xMax - xMin) * plot.width(); }
    double Y(double value, const AxisScale& axis) const {
        return plot.bottom() - value / axis.max * plot.height();
    }
};

Frame FrameOf(const QRectF& box, const SweepChart& chart, double legendBottom) {
    Frame f;
    // Below the legend, however many lines a narrow chart gives it.
    const double top = std::max(kTop, legendBottom - box.top() + 6);
    f.plot = box.adjusted(kLeft, top, -kRight, -kBottom);
    double maxRatio = 1.0, maxV = 3.0; // the bands always in view
    f.xMin = f.xMax = chart.points.front().x;
    for (const SweepPoint& p : chart.points) {
        f.xMin = std::min(f.xMin, p.x);
        f.xMax = std::max(f.xMax, p.x);
        maxRatio = std::max(maxRatio, p.ratio.value_or(0));
        maxV = std::max(maxV, p.v.value_or(0));
    }
    if (!(f.xMax > f.xMin)) { // one row: a little room either side
        const double pad = std::max(std::fabs(f.xMin) * 0.1, 0.5);
        f.xMin -= pad;
        f.xMax += pad;
    }
    f.ratio = NiceAxis(std::min(maxRatio, 5.0));
    f.velocity = NiceAxis(std::min(maxV, 20.0));
    return f;
}

// H/B's band solid light blue, v's hatched over it, so that where they
// overlap both still show.
void PaintBands(QPainter& painter, const Frame& f) {
    const auto band = [&](double low, double high, const AxisScale& axis, const QBrush& brush) {
        const double top = std::max(f.Y(high, axis), f.plot.top());
        painter.fillRect(QRectF(f.plot.left(), top, f.plot.width(), f.Y(low, axis) - top), brush);
    };
    band(0.7, 0.9, f.ratio, kRatioBand);
    band(1.0, 2.5, f.velocity, QBrush(kVelocityHatch, Qt::BDiagPattern));
}

QString Tick(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

void PaintAxes(QPainter& painter, LabelPlacer& placer, const Frame& f, const SweepChart& chart) {
    painter.setPen(QPen(kInk, 1));
    painter.setFont(SongTiPx(12));
    for (int side = 0; side < 2; ++side) {
        const AxisScale& axis = side == 0 ? f.ratio : f.velocity;
        const double x = side == 0 ? f.plot.left() : f.plot.right();
        for (int k = 0; k * axis.step <= axis.max * (1 + 1e-9); ++k) {
            const double y = f.Y(k * axis.step, axis);
            painter.drawLine(QPointF(x, y), QPointF(x + (side == 0 ? -4 : 4), y));
            const QString text = Tick(k * axis.step, axis.decimals);
            const QSizeF size = LabelSize(painter, text);
            const QRectF box(
                QPointF(side == 0 ? x - 7 - size.width() : x + 7, y - size.height() / 2), size);
            if (placer.isFree(box))
                DrawLabel(painter, placer, text, {box}, box.center());
        }
    }
    const AxisScale across = NiceAxis(f.xMax - f.xMin, 6);
    for (double v = std::ceil(f.xMin / across.step - 1e-9) * across.step;
         v <= f.xMax + across.step * 1e-9; v += across.step) {
        const double x = f.X(v);
        painter.drawLine(QPointF(x, f.plot.bottom()), QPointF(x, f.plot.bottom() + 4));
        // A tick's number where it has room; on a narrow chart every
        // other one is left out rather than run into its neighbour.
        const QString text = Tick(std::fabs(v) < across.step * 1e-9 ? 0 : v, across.decimals);
        const QSizeF size = LabelSize(painter, text);
        const QRectF box(QPointF(x - size.width() / 2, f.plot.bottom() + 5), size);
        if (placer.isFree(box))
            DrawLabel(painter, placer, text, {box}, box.center());
    }
    painter.drawRect(f.plot);
    const QSizeF size = LabelSize(painter, chart.variable);
    DrawLabel(painter, placer, chart.variable,
              {QRectF(QPointF(f.plot.center().x() - size.width() / 2, f.plot.bottom() + 21), size)},
              f.plot.center(), QPointF(0, 2), 4);
}

// One series: a line through the points that have the figure, a mark on
// each, filled green where the row meets every check.
void PaintSeries(QPainter& painter, const Frame& f, const SweepChart& chart, const QColor& ink,
                 const std::function<std::optional<double>(const SweepPoint&)>& figure,
                 const AxisScale& axis, bool square) {
    QPainterPath path;
    bool open = false;
    for (const SweepPoint& p : chart.points) {
        const std::optional<double> value = figure(p);
        if (!value || !std::isfinite(*value)) {
            open = false; // a failed row breaks the line
            continue;
        }
        const QPointF at(f.X(p.x), f.Y(std::min(*value, axis.max), axis));
        open ? path.lineTo(at) : path.moveTo(at);
        open = true;
    }
    painter.setPen(QPen(ink, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    for (const SweepPoint& p : chart.points) {
        const std::optional<double> value = figure(p);
        if (!value || !std::isfinite(*value))
            continue;
        const QPointF at(f.X(p.x), f.Y(std::min(*value, axis.max), axis));
        painter.setPen(QPen(ink, 1.2));
        painter.setBrush(p.meetsAll ? kMetMark : Qt::white);
        const QRectF mark(at.x() - 3.5, at.y() - 3.5, 7, 7);
        square ? painter.drawRect(mark) : painter.drawEllipse(mark);
    }
}

const QString& LegendPart(int k) {
    static const QString parts[] = {QStringLiteral("● H/B（左轴，阴影 0.7～0.9）"),
                                    QStringLiteral("■ v m/s（右轴，斜线 1.0～2.5 m/s）"),
                                    QStringLiteral("绿色标记：满足全部校核")};
    return parts[k];
}

// Where the legend's parts stand above the plot, side by side; a part that
// would run past the chart's right edge starts a line of its own.
std::vector<QRectF> LegendBoxes(QPainter& painter, const QRectF& box) {
    painter.setFont(SongTiPx(12));
    std::vector<QRectF> boxes;
    QPointF at(box.left() + kLeft, box.top() + 4);
    for (int k = 0; k < 3; ++k) {
        const QSizeF size = LabelSize(painter, LegendPart(k));
        if (at.x() + size.width() > box.right() - 2)
            at = QPointF(box.left() + 4, at.y() + size.height());
        boxes.emplace_back(at, size);
        at.rx() += size.width() + 18;
    }
    return boxes;
}

void PaintLegend(QPainter& painter, LabelPlacer& placer, const std::vector<QRectF>& boxes) {
    const QColor inks[] = {kRatioInk, kVelocityInk, kMetMark};
    for (int k = 0; k < 3; ++k) {
        painter.setPen(inks[k]);
        DrawLabel(painter, placer, LegendPart(k), {boxes[k]}, boxes[k].center());
    }
}

} // namespace

SweepChart SweepChartOf(const std::vector<hydraulics::SweepRow>& rows, int caseNumber,
                        std::size_t variable) {
    const hydraulics::Quantity& q = hydraulics::Case(caseNumber).inputNames.at(variable);
    SweepChart chart;
    chart.variable = Utf8(q.caption) + u' ' + Utf8(q.display);
    if (!q.unit.empty())
        chart.variable += QStringLiteral(" (%1)").arg(Utf8(q.unit));
    for (const hydraulics::SweepRow& row : rows) {
        const std::optional<float>& value = row.inputs[variable];
        const bool ok = row.status == hydraulics::SweepStatus::Ok;
        chart.points.push_back({value ? double(*value) : row.requested,
                                ok ? row.checks.ratio : std::nullopt,
                                ok ? row.elements.v : std::nullopt, row.meetsAll});
    }
    return chart;
}

void PaintSweepChart(QPainter& painter, const QRectF& box, const SweepChart& chart,
                     LabelLog* labels) {
    painter.save();
    painter.fillRect(box, Qt::white);
    if (chart.points.empty()) {
        painter.setPen(kNote);
        painter.setFont(SongTiPx(14));
        painter.drawText(box, Qt::AlignCenter,
                         QStringLiteral("尚未比选：给出范围后点“比选计算”。"));
        painter.restore();
        return;
    }
    const std::vector<QRectF> legend = LegendBoxes(painter, box);
    const Frame frame = FrameOf(box, chart, legend.back().bottom());
    PaintBands(painter, frame);
    // The tick numbers, the axis title and the legend: none over another,
    // all inside the chart, clear of the plot's frame.
    LabelPlacer placer(box);
    placer.avoidBox(frame.plot.adjusted(0.5, 0.5, -0.5, -0.5));
    PaintAxes(painter, placer, frame, chart);
    PaintLegend(painter, placer, legend);
    placer.report(labels);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(frame.plot.adjusted(-5, -5, 5, 5));
    PaintSeries(
        painter, frame, chart, kRatioInk, [](const SweepPoint& p) { return p.ratio; }, frame.ratio,
        false);
    PaintSeries(
        painter, frame, chart, kVelocityInk, [](const SweepPoint& p) { return p.v; },
        frame.velocity, true);
    painter.restore();
}

} // namespace drawing
