// The rating curve: discharge against depth for the design width, slope
// and roughness, on the true section.
#include "drawing/axisscale.h"
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace drawing {
namespace {

constexpr int kCurvePoints = 160;
constexpr double kTitleHeight = 26;
// Room around the plot, canvas units: tick labels left and below, the
// depth axis title above.
constexpr double kLeftRoom = 58, kRightRoom = 16, kTopRoom = kTitleHeight + 24, kBottomRoom = 44;

QString Tick(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace

void PaintRatingChart(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point) {
    const double B = point.B, h = point.h, Q = point.Q;
    painter.save();
    painter.setPen(kInk);
    painter.setFont(HeiTiPx(16));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), kTitleHeight), Qt::AlignCenter,
                     QStringLiteral("水深—流量关系曲线"));
    painter.setFont(SongTiPx(13));
    painter.drawText(
        QRectF(box.left(), box.top() + kTitleHeight - 4, box.width(), 18), Qt::AlignCenter,
        QStringLiteral("B = %1 m，i = 1/%2，n = %3（曼宁公式，真实断面）")
            .arg(Fixed3(B), QString::number(point.x, 'g', 7), QString::number(point.n, 'g', 7)));

    const bool drawable = B > 0 && h > 0 && point.x > 0 && point.n > 0 && std::isfinite(B) &&
                          std::isfinite(h) && std::isfinite(point.x) && std::isfinite(point.n) &&
                          std::isfinite(Q);
    if (!drawable) {
        painter.setFont(SongTiPx(14));
        painter.drawText(box, Qt::AlignCenter,
                         QStringLiteral("槽宽、水深、比降或糙率不是正数，无法绘制曲线。"));
        painter.restore();
        return;
    }

    // Depths from near 0 to about 1.5 h, far enough to show the top of the
    // semicircle; discharges to the largest on the curve.
    const AxisScale depthAxis = NiceAxis(std::max(1.5 * h, 1.1 * B / 2));
    const auto points = hydraulics::RatingCurve(B, point.x, point.n, depthAxis.max, kCurvePoints);
    double largest = Q;
    for (const auto& p : points)
        largest = std::max(largest, p.discharge);
    const AxisScale flowAxis = NiceAxis(largest);

    const QRectF plot = box.adjusted(kLeftRoom, kTopRoom, -kRightRoom, -kBottomRoom);
    auto at = [&](double discharge, double depth) {
        return QPointF(plot.left() + discharge / flowAxis.max * plot.width(),
                       plot.bottom() - depth / depthAxis.max * plot.height());
    };

    // Grid and tick labels.
    painter.setFont(SongTiPx(13));
    const QFontMetricsF metrics(painter.font());
    for (int k = 0; k * flowAxis.step <= flowAxis.max * (1 + 1e-9); ++k) {
        const double value = k * flowAxis.step;
        const QPointF base = at(value, 0);
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(base, at(value, depthAxis.max));
        painter.setPen(kInk);
        painter.drawLine(base, base + QPointF(0, 4));
        painter.drawText(QRectF(base.x() - 40, base.y() + 5, 80, 16),
                         Qt::AlignHCenter | Qt::AlignTop, Tick(value, flowAxis.decimals));
    }
    for (int k = 0; k * depthAxis.step <= depthAxis.max * (1 + 1e-9); ++k) {
        const double value = k * depthAxis.step;
        const QPointF base = at(0, value);
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(base, at(flowAxis.max, value));
        painter.setPen(kInk);
        painter.drawLine(base, base - QPointF(4, 0));
        painter.drawText(QRectF(box.left(), base.y() - 8, kLeftRoom - 8, 16),
                         Qt::AlignRight | Qt::AlignVCenter, Tick(value, depthAxis.decimals));
    }
    painter.setPen(QPen(kInk, 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setFont(SongTiPx(14));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 22, plot.width(), 18), Qt::AlignCenter,
                     QStringLiteral("流量 Q (m³/s)"));
    painter.drawText(QRectF(box.left(), plot.top() - 22, 200, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("水深 h (m)"));

    painter.setRenderHint(QPainter::Antialiasing, true);

    // The top of the semicircle, marked on the depth axis and across.
    const QPointF topMark = at(0, B / 2);
    painter.setPen(QPen(kSemicircleTop, 1, Qt::DotLine));
    painter.drawLine(topMark, at(flowAxis.max, B / 2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSemicircleTop);
    // A mark pointing at the axis from inside the plot, clear of the tick
    // labels left of the axis.
    painter.drawPolygon(QPolygonF{topMark, topMark + QPointF(8, -4), topMark + QPointF(8, 4)});
    painter.setPen(kSemicircleTop);
    painter.setFont(SongTiPx(13));
    // Named next to the mark, left of where the curve crosses the line; at
    // the right end, below the curve, when the curve crosses too early.
    const QString topText = QStringLiteral("半圆顶 B/2 = %1 m").arg(Fixed3(B / 2));
    const double topWidth = metrics.horizontalAdvance(topText) + 4;
    const double crossing = at(hydraulics::TrueManningDischarge(B, B / 2, point.x, point.n), 0).x();
    QRectF topLabel(topMark.x() + 12, topMark.y() - 17, topWidth, 16);
    if (topLabel.right() + 12 > crossing)
        topLabel.moveRight(plot.right() - 6);
    painter.drawText(topLabel, Qt::AlignLeft | Qt::AlignBottom, topText);

    // The curve.
    QPainterPath path(at(0, 0));
    for (const auto& p : points)
        path.lineTo(at(p.discharge, p.depth));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kCurve, 2));
    painter.drawPath(path);

    // The design point, with guides to both axes.
    const QPointF design = at(Q, h);
    painter.setPen(QPen(kCritical, 0.8, Qt::DashLine));
    painter.drawLine(design, at(Q, 0));
    painter.drawLine(design, at(0, h));
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(kCritical);
    painter.drawEllipse(design, 4.5, 4.5);
    const QString label = QStringLiteral("设计点 Q = %1 m³/s，h = %2 m").arg(Fixed3(Q), Fixed3(h));
    const double width = metrics.horizontalAdvance(label) + 4;
    // Below right of the point, where the rising curve leaves room; above
    // left, the other side of the curve, when it would leave the plot.
    QRectF where(design.x() + 9, design.y() + 4, width, 16);
    if (where.right() > plot.right()) {
        where.moveRight(design.x() - 9);
        where.moveBottom(design.y() - 4);
    }
    painter.setPen(kCritical);
    painter.drawText(where, Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.restore();
}

} // namespace drawing
