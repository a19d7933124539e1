// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/feasiblechart.h"

#include "drawing/axisscale.h"
#include "drawing/drawingstyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace drawing {
namespace {

// Room around the plot: slope labels left, width labels and title below.
constexpr double kLeft = 78, kRight = 16, kBottom = 40, kLegendGap = 6;
constexpr double kLabelHeight = 13; // px a slope label needs
constexpr double kLegendRow = 18, kPad = 6;
constexpr double kPickRadius = 6; // px: a hover this near a dot names it
const QColor kFeasibleInk{0, 150, 70};
const QColor kNoSectionInk{200, 200, 200};
const QColor kRecommendedInk{0, 0, 0};
const QColor kCurrentInk{0, 70, 170};
// The colours of the checks, in the order they first fail.
const QColor kKindInks[] = {{210, 35, 35}, {235, 140, 0},  {130, 60, 185}, {30, 110, 205},
                            {150, 90, 40}, {220, 60, 160}, {0, 150, 160},  {125, 125, 0},
                            {90, 90, 90},  {255, 95, 95},  {95, 170, 255}, {170, 120, 220}};

QColor InkOf(int kind) {
    if (kind == kFeasibleDot)
        return kFeasibleInk;
    if (kind == kNoSectionDot)
        return kNoSectionInk;
    return kKindInks[std::size_t(kind) % std::size(kKindInks)];
}

// One entry of the legend: a mark and its words.
struct LegendEntry {
    int kind; // the dot's colour, or a marker below
    QString text;
};
constexpr int kRecommendedEntry = -3, kCurrentEntry = -4;

std::vector<LegendEntry> LegendOf(const FeasibleChart& chart) {
    std::vector<bool> shown(chart.kinds.size(), false);
    bool noSection = false;
    for (const FeasibleDot& d : chart.dots) {
        if (d.kind >= 0)
            shown[std::size_t(d.kind)] = true;
        noSection = noSection || d.kind == kNoSectionDot;
    }
    std::vector<LegendEntry> entries{{kFeasibleDot, QStringLiteral("满足全部校核")}};
    for (std::size_t k = 0; k < chart.kinds.size(); ++k)
        if (shown[k])
            entries.push_back({int(k), chart.kinds[k] + QStringLiteral("不满足")});
    if (noSection)
        entries.push_back({kNoSectionDot, QStringLiteral("无正常水深")});
    if (chart.recommended)
        entries.push_back({kRecommendedEntry, QStringLiteral("推荐断面")});
    if (chart.current)
        entries.push_back({kCurrentEntry, QStringLiteral("当前采用断面")});
    return entries;
}

void PaintRing(QPainter& painter, const QPointF& at) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kRecommendedInk, 2.4));
    painter.drawEllipse(at, 7, 7);
}

void PaintDiamond(QPainter& painter, const QPointF& at) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kCurrentInk, 2));
    const QPointF points[] = {at + QPointF(0, -7), at + QPointF(7, 0), at + QPointF(0, 7),
                              at + QPointF(-7, 0)};
    painter.drawPolygon(points, 4);
}

void PaintMark(QPainter& painter, int kind, const QPointF& at) {
    if (kind == kRecommendedEntry)
        return PaintRing(painter, at);
    if (kind == kCurrentEntry)
        return PaintDiamond(painter, at);
    painter.setPen(Qt::NoPen);
    painter.setBrush(InkOf(kind));
    painter.drawEllipse(at, 4.5, 4.5);
}

// Lays the legend out in rows across `width`; paints it where `painter`
// is given. Returns its height.
double Legend(QPainter* painter, const QRectF& box, const FeasibleChart& chart) {
    const QFont font = SongTiPx(12);
    const QFontMetricsF metrics(font);
    double x = box.left() + kPad, y = box.top() + kPad;
    for (const LegendEntry& e : LegendOf(chart)) {
        const double width = 18 + metrics.horizontalAdvance(e.text) + 14;
        if (x + width > box.right() && x > box.left() + kPad) {
            x = box.left() + kPad;
            y += kLegendRow;
        }
        if (painter) {
            PaintMark(*painter, e.kind, QPointF(x + 7, y + kLegendRow / 2));
            painter->setPen(kInk);
            painter->setFont(font);
            painter->drawText(QRectF(x + 18, y, width, kLegendRow),
                              Qt::AlignLeft | Qt::AlignVCenter, e.text);
        }
        x += width;
    }
    return y + kLegendRow - box.top() + kLegendGap;
}

// The plot and the scales of B (linear) and x (logarithmic, steep at top).
struct Frame {
    QRectF plot;
    double Bmin = 0, Bmax = 1, logMin = 0, logMax = 1;

    double X(double B) const { return plot.left() + (B - Bmin) / (Bmax - Bmin) * plot.width(); }
    double Y(double x) const {
        return plot.top() + (std::log(x) - logMin) / (logMax - logMin) * plot.height();
    }
};

Frame FrameOf(const QRectF& box, const FeasibleChart& chart) {
    Frame f;
    const double legend = Legend(nullptr, box, chart);
    f.plot = box.adjusted(kLeft, legend, -kRight, -kBottom);
    // Half a cell of room on every side, so that the outer dots show whole.
    const double halfB = chart.dots.size() > 1 ? (chart.Bmax - chart.Bmin) / 200 : 0.05;
    f.Bmin = chart.Bmin - std::max(halfB, 1e-3);
    f.Bmax = chart.Bmax + std::max(halfB, 1e-3);
    const double low = std::log(chart.slopes.front()), high = std::log(chart.slopes.back());
    const double pad = chart.slopes.size() > 1 ? (high - low) / (2.0 * chart.slopes.size()) : 0.5;
    f.logMin = low - pad;
    f.logMax = high + pad;
    return f;
}

// A label for each slope where they do not crowd, those of the
// recommendation and of the adopted section first.
void PaintSlopes(QPainter& painter, const Frame& f, const FeasibleChart& chart) {
    std::vector<double> first, placed;
    for (const std::optional<QPointF>& mark : {chart.recommended, chart.current})
        if (mark)
            first.push_back(mark->y());
    std::vector<double> order = first;
    order.insert(order.end(), chart.slopes.begin(), chart.slopes.end());
    for (const double x : order) {
        const double y = f.Y(x);
        if (std::any_of(placed.begin(), placed.end(),
                        [&](double at) { return std::fabs(at - y) < kLabelHeight; }))
            continue;
        placed.push_back(y);
        painter.drawText(QRectF(f.plot.left() - kLeft, y - 8, kLeft - 7, 16),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("1/%1").arg(x, 0, 'g', 7));
    }
    for (const double x : chart.slopes)
        painter.drawLine(QPointF(f.plot.left() - 4, f.Y(x)), QPointF(f.plot.left(), f.Y(x)));
    painter.save(); // the axis title, upright along the left edge
    painter.translate(f.plot.left() - kLeft + 8, f.plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-60, -8, 120, 16), Qt::AlignCenter, QStringLiteral("纵坡 i"));
    painter.restore();
}

void PaintAxes(QPainter& painter, const Frame& f, const FeasibleChart& chart) {
    painter.setPen(QPen(kInk, 1));
    painter.setFont(SongTiPx(12));
    PaintSlopes(painter, f, chart);
    const AxisScale across = NiceAxis(f.Bmax - f.Bmin, 8);
    for (double B = std::ceil(f.Bmin / across.step - 1e-9) * across.step;
         B <= f.Bmax + across.step * 1e-9; B += across.step) {
        const double x = f.X(B);
        painter.drawLine(QPointF(x, f.plot.bottom()), QPointF(x, f.plot.bottom() + 4));
        painter.drawText(QRectF(x - 40, f.plot.bottom() + 5, 80, 14), Qt::AlignCenter,
                         QString::number(B, 'f', across.decimals));
    }
    painter.drawRect(f.plot);
    painter.drawText(QRectF(f.plot.left(), f.plot.bottom() + 20, f.plot.width(), 18),
                     Qt::AlignCenter, QStringLiteral("槽宽 B (m)"));
}

double DotRadius(const Frame& f, const FeasibleChart& chart) {
    const double widths = std::max<double>(
        1, double(chart.dots.size()) / double(std::max<std::size_t>(1, chart.slopes.size())));
    const double across = f.plot.width() / widths;
    const double up = f.plot.height() / double(std::max<std::size_t>(1, chart.slopes.size()));
    return std::clamp(std::min(across, up) * 0.45, 1.2, 4.5);
}

} // namespace

FeasibleChart FeasibleChartOf(const hydraulics::Recommendation& r) {
    FeasibleChart chart;
    for (const hydraulics::CheckKind& kind : r.kinds)
        chart.kinds.push_back(Utf8(kind.item));
    chart.slopes = r.slopes;
    if (!r.widths.empty()) {
        chart.Bmin = r.widths.front();
        chart.Bmax = r.widths.back();
    }
    for (const hydraulics::CandidateMark& c : r.candidates)
        chart.dots.push_back({c.B, c.x,
                              !c.formed    ? kNoSectionDot
                              : c.feasible ? kFeasibleDot
                                           : c.firstUnmet});
    if (r.recommended)
        chart.recommended = QPointF(r.recommended->section.B, r.recommended->section.x);
    if (r.current)
        chart.current = QPointF(r.current->section.B, r.current->section.x);
    return chart;
}

void PaintFeasibleChart(QPainter& painter, const QRectF& box, const FeasibleChart& chart) {
    painter.save();
    painter.fillRect(box, Qt::white);
    if (chart.dots.empty() || chart.slopes.empty()) {
        painter.setPen(kNote);
        painter.setFont(SongTiPx(14));
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("尚未比选：点“比选推荐断面”。"));
        painter.restore();
        return;
    }
    const Frame f = FrameOf(box, chart);
    PaintAxes(painter, f, chart);
    painter.setRenderHint(QPainter::Antialiasing, true);
    Legend(&painter, box, chart);
    painter.setClipRect(f.plot.adjusted(-8, -8, 8, 8));
    const double radius = DotRadius(f, chart);
    painter.setPen(Qt::NoPen);
    for (const FeasibleDot& d : chart.dots) {
        painter.setBrush(InkOf(d.kind));
        painter.drawEllipse(QPointF(f.X(d.B), f.Y(d.x)), radius, radius);
    }
    if (chart.current)
        PaintDiamond(painter, QPointF(f.X(chart.current->x()), f.Y(chart.current->y())));
    if (chart.recommended)
        PaintRing(painter, QPointF(f.X(chart.recommended->x()), f.Y(chart.recommended->y())));
    painter.restore();
}

std::optional<std::size_t> FeasibleDotAt(const QRectF& box, const FeasibleChart& chart,
                                         const QPointF& at) {
    if (chart.dots.empty() || chart.slopes.empty())
        return std::nullopt;
    const Frame f = FrameOf(box, chart);
    std::optional<std::size_t> nearest;
    double best = kPickRadius * kPickRadius;
    for (std::size_t k = 0; k < chart.dots.size(); ++k) {
        const QPointF d = QPointF(f.X(chart.dots[k].B), f.Y(chart.dots[k].x)) - at;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= best) {
            best = distance;
            nearest = k;
        }
    }
    return nearest;
}

} // namespace drawing
