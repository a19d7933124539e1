// SPDX-License-Identifier: GPL-3.0-or-later
// The rating curve: discharge against depth for the design width, slope
// and roughness, on the true section.
#include "drawing/axisscale.h"
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"
#include "drawing/labelplacer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

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

// The plot area and its two axes: where a discharge and a depth stand on
// the canvas.
struct ChartFrame {
    QRectF plot;
    AxisScale flowAxis;
    AxisScale depthAxis;
    QStringList latin; // faces for Latin letters first

    QFont face(const QFont& font) const { return WithLatin(font, latin); }

    QPointF at(double discharge, double depth) const {
        return QPointF(plot.left() + discharge / flowAxis.max * plot.width(),
                       plot.bottom() - depth / depthAxis.max * plot.height());
    }
};

// The title (unless a caption names the chart), and under it the width,
// slope and roughness the curve is for.
void PaintTitle(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point,
                const RatingMarks& marks) {
    if (marks.title) {
        painter.setFont(HeiTiPx(16));
        painter.drawText(QRectF(box.left(), box.top(), box.width(), kTitleHeight),
                         Qt::AlignCenter | Qt::TextDontClip, QStringLiteral("水深—流量关系曲线"));
    }
    painter.setFont(WithLatin(SongTiPx(13), marks.latinFaces));
    painter.drawText(QRectF(box.left(), box.top() + kTitleHeight - 4, box.width(), 18),
                     Qt::AlignCenter | Qt::TextDontClip,
                     QStringLiteral("B = %1 m，i = 1/%2，n = %3（曼宁公式，按实际断面）")
                         .arg(Fixed3(point.B), QString::number(point.x, 'g', 7),
                              QString::number(point.n, 'g', 7)));
}

bool Drawable(const hydraulics::DesignPoint& point) {
    const double B = point.B, h = point.h, Q = point.Q;
    return B > 0 && h > 0 && point.x > 0 && point.n > 0 && std::isfinite(B) && std::isfinite(h) &&
           std::isfinite(point.x) && std::isfinite(point.n) && std::isfinite(Q);
}

// Depths from near 0 to about 1.5 h, far enough to show the top of the
// semicircle; discharges to the largest on the curve.
// With a net depth H the curve ends at H.
ChartFrame FrameFor(const QRectF& box, const hydraulics::DesignPoint& point,
                    std::vector<hydraulics::RatingPoint>& points, const RatingMarks& marks) {
    ChartFrame frame;
    const bool toNetDepth = marks.netDepth && std::isfinite(*marks.netDepth) && *marks.netDepth > 0;
    frame.depthAxis = NiceAxis(toNetDepth ? std::max(*marks.netDepth, 1.1 * point.B / 2)
                                          : std::max(1.5 * point.h, 1.1 * point.B / 2));
    frame.latin = marks.latinFaces;
    points =
        hydraulics::RatingCurve(point.B, point.x, point.n,
                                toNetDepth ? *marks.netDepth : frame.depthAxis.max, kCurvePoints);
    double largest = point.Q;
    for (const auto& p : points)
        largest = std::max(largest, p.discharge);
    frame.flowAxis = NiceAxis(largest);
    frame.plot = box.adjusted(kLeftRoom, kTopRoom, -kRightRoom, -kBottomRoom);
    return frame;
}

// Grid lines, ticks and tick labels, discharges along the bottom.
void PaintFlowTicks(QPainter& painter, const ChartFrame& frame) {
    const AxisScale& axis = frame.flowAxis;
    for (int k = 0; k * axis.step <= axis.max * (1 + 1e-9); ++k) {
        const double value = k * axis.step;
        const QPointF base = frame.at(value, 0);
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(base, frame.at(value, frame.depthAxis.max));
        painter.setPen(kInk);
        painter.drawLine(base, base + QPointF(0, 4));
        painter.drawText(QRectF(base.x() - 40, base.y() + 5, 80, 16),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                         Tick(value, axis.decimals));
    }
}

// Grid lines, ticks and tick labels, depths up the left side.
void PaintDepthTicks(QPainter& painter, const QRectF& box, const ChartFrame& frame) {
    const AxisScale& axis = frame.depthAxis;
    for (int k = 0; k * axis.step <= axis.max * (1 + 1e-9); ++k) {
        const double value = k * axis.step;
        const QPointF base = frame.at(0, value);
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(base, frame.at(frame.flowAxis.max, value));
        painter.setPen(kInk);
        painter.drawLine(base, base - QPointF(4, 0));
        painter.drawText(QRectF(box.left(), base.y() - 8, kLeftRoom - 8, 16),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                         Tick(value, axis.decimals));
    }
}

// The two axes and their titles.
void PaintAxes(QPainter& painter, const QRectF& box, const ChartFrame& frame) {
    const QRectF& plot = frame.plot;
    painter.setPen(QPen(kInk, 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setFont(frame.face(SongTiPx(14)));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 22, plot.width(), 18),
                     Qt::AlignCenter | Qt::TextDontClip, QStringLiteral("流量 Q (m³/s)"));
    painter.drawText(QRectF(box.left(), plot.top() - 22, 200, 18),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                     QStringLiteral("水深 h (m)"));
}

QPolygonF CurveLine(const ChartFrame& frame, const std::vector<hydraulics::RatingPoint>& points) {
    QPolygonF line{frame.at(0, 0)};
    for (const auto& p : points)
        line << frame.at(p.discharge, p.depth);
    return line;
}

// A label on a level line across the plot: above the line just right of
// the axis, else further along it, else below it.
void LevelLabel(QPainter& painter, LabelPlacer& placer, const ChartFrame& frame, double depth,
                const QString& text) {
    const QPointF left = frame.at(0, depth);
    const QSizeF size = LabelSize(painter, text);
    DrawLabel(painter, placer, text,
              {QRectF(QPointF(left.x() + 12, left.y() - 2 - size.height()), size),
               QRectF(QPointF(left.x() + 12, left.y() + 2), size)},
              left, QPointF(size.width() / 4, 0), 40);
}

// The top of the semicircle, marked on the depth axis and across.
void PaintSemicircleTop(QPainter& painter, LabelPlacer& placer, const ChartFrame& frame,
                        const hydraulics::DesignPoint& point) {
    const double B = point.B;
    const QPointF topMark = frame.at(0, B / 2);
    painter.setPen(QPen(kSemicircleTop, 1, Qt::DotLine));
    painter.drawLine(topMark, frame.at(frame.flowAxis.max, B / 2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSemicircleTop);
    // A mark pointing at the axis from inside the plot, clear of the tick
    // labels left of the axis.
    painter.drawPolygon(QPolygonF{topMark, topMark + QPointF(8, -4), topMark + QPointF(8, 4)});
    placer.avoidBox(QRectF(topMark.x(), topMark.y() - 4, 8, 8));
    placer.avoidLine({topMark, frame.at(frame.flowAxis.max, B / 2)});
}

void PaintCurve(QPainter& painter, const ChartFrame& frame,
                const std::vector<hydraulics::RatingPoint>& points) {
    QPainterPath path;
    path.addPolygon(CurveLine(frame, points));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kCurve, 2));
    painter.drawPath(path);
}

// The design point with guides to both axes; the guides and the point are
// kept clear of by every label.
void PaintDesignMarks(QPainter& painter, LabelPlacer& placer, const ChartFrame& frame,
                      const hydraulics::DesignPoint& point) {
    const QPointF design = frame.at(point.Q, point.h);
    painter.setPen(QPen(kCritical, 0.8, Qt::DashLine));
    painter.drawLine(design, frame.at(point.Q, 0));
    painter.drawLine(design, frame.at(0, point.h));
    placer.avoidLine({frame.at(point.Q, 0), design, frame.at(0, point.h)});
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(kCritical);
    painter.drawEllipse(design, 4.5, 4.5);
    placer.avoidBox(QRectF(design - QPointF(5, 5), QSizeF(10, 10)));
}

void LabelDesignPoint(QPainter& painter, LabelPlacer& placer, const ChartFrame& frame,
                      const hydraulics::DesignPoint& point, const QFontMetricsF& metrics) {
    const QPointF design = frame.at(point.Q, point.h);
    const QString label =
        QStringLiteral("设计点 Q = %1 m³/s，h = %2 m").arg(Fixed3(point.Q), Fixed3(point.h));
    painter.setPen(kCritical);
    DrawLabel(painter, placer, label, AroundPoint(design, LabelSize(painter, label), 8), design,
              QPointF(0, metrics.height() / 2), 16);
}

// The net depth H across the plot, and the point of the increased
// discharge on the curve.
void PaintReportLines(QPainter& painter, LabelPlacer& placer, const ChartFrame& frame,
                      const RatingMarks& marks) {
    if (marks.netDepth && std::isfinite(*marks.netDepth) && *marks.netDepth > 0) {
        const QPointF left = frame.at(0, *marks.netDepth);
        const QPointF right = frame.at(frame.flowAxis.max, *marks.netDepth);
        painter.setPen(QPen(kInk, 1, Qt::DashDotLine));
        painter.drawLine(left, right);
        placer.avoidLine({left, right});
    }
    if (!marks.increasedDischarge || !marks.increasedDepth ||
        !std::isfinite(*marks.increasedDischarge) || !std::isfinite(*marks.increasedDepth))
        return;
    const QPointF at = frame.at(*marks.increasedDischarge, *marks.increasedDepth);
    painter.setPen(QPen(kSurface, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 4.5, 4.5);
    placer.avoidBox(QRectF(at - QPointF(5, 5), QSizeF(10, 10)));
}

// Their labels and the semicircle's top, after the design point's.
void LabelReportMarks(QPainter& painter, LabelPlacer& placer, const ChartFrame& frame,
                      const RatingMarks& marks, double B, const QFontMetricsF& metrics) {
    if (marks.increasedDischarge && marks.increasedDepth &&
        std::isfinite(*marks.increasedDischarge) && std::isfinite(*marks.increasedDepth)) {
        const QPointF at = frame.at(*marks.increasedDischarge, *marks.increasedDepth);
        const QString text =
            QStringLiteral("加大流量 Q加 = %1 m³/s，h加 = %2 m")
                .arg(Fixed3(*marks.increasedDischarge), Fixed3(*marks.increasedDepth));
        painter.setPen(kSurface);
        DrawLabel(painter, placer, text, AroundPoint(at, LabelSize(painter, text), 8), at,
                  QPointF(0, metrics.height() / 2), 16);
    }
    if (marks.netDepth && std::isfinite(*marks.netDepth) && *marks.netDepth > 0) {
        painter.setPen(kInk);
        LevelLabel(painter, placer, frame, *marks.netDepth,
                   QStringLiteral("槽身净深 H = %1 m").arg(Fixed3(*marks.netDepth)));
    }
    painter.setPen(kSemicircleTop);
    LevelLabel(painter, placer, frame, B / 2,
               QStringLiteral("半圆段顶（直墙底）B/2 = %1 m").arg(Fixed3(B / 2)));
}

} // namespace

void PaintRatingChart(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point,
                      const RatingMarks& marks) {
    painter.save();
    painter.setPen(kInk);
    PaintTitle(painter, box, point, marks);
    if (!Drawable(point)) {
        painter.setFont(SongTiPx(14));
        painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip,
                         QStringLiteral("槽宽、水深、比降或糙率不是正数，无法绘制曲线。"));
        painter.restore();
        return;
    }

    std::vector<hydraulics::RatingPoint> points;
    const ChartFrame frame = FrameFor(box, point, points, marks);
    painter.setFont(frame.face(SongTiPx(13)));
    const QFontMetricsF metrics(painter.font(), painter.device());
    PaintFlowTicks(painter, frame);
    PaintDepthTicks(painter, box, frame);
    PaintAxes(painter, box, frame);

    painter.setRenderHint(QPainter::Antialiasing, true);
    // Lines and marks first, then the labels in order of importance, each
    // kept clear of the curve, the lines and the labels before it, inside
    // the plot.
    LabelPlacer placer(frame.plot);
    PaintCurve(painter, frame, points);
    placer.avoidLine(CurveLine(frame, points));
    PaintSemicircleTop(painter, placer, frame, point);
    PaintReportLines(painter, placer, frame, marks);
    PaintDesignMarks(painter, placer, frame, point);
    LabelDesignPoint(painter, placer, frame, point, metrics);
    LabelReportMarks(painter, placer, frame, marks, point.B, metrics);
    placer.report(marks.labels);
    painter.restore();
}

} // namespace drawing
