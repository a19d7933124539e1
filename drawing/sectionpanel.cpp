// The U-section to scale, with its water and dimensions.
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace drawing {
namespace {

// Room around the section for the labels, canvas units.
constexpr double kLeftRoom = 130;  // hc and the dimension H
constexpr double kRightRoom = 118; // the dimension h and the label of h加
constexpr double kTopRoom = 48;    // the B dimension
constexpr double kBottomRoom = 14;
constexpr double kDimensionGap = 18; // from the concrete to a dimension line
// The label of hc ends left of the dimension H, with a gap.
constexpr double kHcLabelShift = kDimensionGap + 6;

// Half the width of the water surface at depth y (metres).
double HalfWidthAt(double B, double y) {
    const double r = B / 2;
    return y >= r ? r : std::sqrt(std::max(0.0, y * (B - y)));
}

// Metres of the section to canvas units: x from the centre line, y up
// from the invert.
struct SectionScale {
    double unit = 1; // canvas units per metre
    QPointF invert;  // the lowest point of the semicircle
    QPointF at(double x, double y) const { return {invert.x() + x * unit, invert.y() - y * unit}; }
    double len(double metres) const { return metres * unit; }
};

// The U of radius `radius` with walls up to `top`, from the top of the left
// wall down round the invert to the top of the right wall. The semicircle
// stays centred at B/2 above the inner invert whatever the radius.
QPainterPath UPath(const SectionScale& s, double centreY, double radius, double top) {
    QPainterPath path(s.at(-radius, top));
    path.lineTo(s.at(-radius, centreY));
    const QPointF corner = s.at(-radius, centreY + radius);
    path.arcTo(QRectF(corner, QSizeF(s.len(2 * radius), s.len(2 * radius))), 180, 180);
    path.lineTo(s.at(radius, top));
    return path;
}

void DrawDimensionLine(QPainter& painter, const QPointF& a, const QPointF& b) {
    painter.setPen(QPen(kInk, 1));
    painter.drawLine(a, b);
    DrawArrowHead(painter, a, b);
    DrawArrowHead(painter, b, a);
}

// A depth of the marks worth drawing: finite and above the design depth.
bool Above(const std::optional<double>& depth, double h) {
    return depth && std::isfinite(*depth) && *depth > h;
}

// Where the marks of the checks go: the scale, the panel's box, the outer
// width of the shell, the h dimension's line and the top of its text, and
// the critical depth labelled on the left (negative: none).
struct MarkPlaces {
    SectionScale s;
    QRectF box;
    double outerWidth, dimX, depthTextTop, labelledHc;
};

// The surface of the increased discharge: dashed across the section,
// named right of the shell above the depth h (never over its label).
void DrawIncreasedSurface(QPainter& painter, const MarkPlaces& m, double B, double depth) {
    const double half = HalfWidthAt(B, depth);
    const QPointF right = m.s.at(half, depth);
    painter.setPen(QPen(kSurface, 1.5, Qt::DashLine));
    painter.drawLine(m.s.at(-half, depth), right);
    painter.setPen(QPen(kSurface, 0.8, Qt::DotLine));
    painter.drawLine(right + QPointF(3, 0), QPointF(m.dimX + 5, right.y()));
    const double bottom = std::min(right.y() - 1, m.depthTextTop - 2);
    painter.setPen(kSurface);
    painter.setFont(SongTiPx(14));
    painter.drawText(QRectF(m.dimX + 6, bottom - 17, m.box.right() + 12 - m.dimX - 6, 17),
                     Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("h加 = %1 m").arg(Fixed3(depth)));
}

// The net depth H: a dimension left of the shell from the invert to the
// top of the walls, named at its top end, above the label of the critical
// depth where the two would meet.
void DrawNetDepth(QPainter& painter, const MarkPlaces& m, double top) {
    const double x = m.s.at(-m.outerWidth / 2, 0).x() - kDimensionGap;
    const QPointF invert = m.s.at(0, 0), wallTop = m.s.at(-m.outerWidth / 2, top);
    painter.setPen(QPen(kGuide, 0.8));
    painter.drawLine(invert - QPointF(4, 0), QPointF(x - 5, invert.y()));
    painter.drawLine(wallTop - QPointF(3, 0), QPointF(x - 5, wallTop.y()));
    DrawDimensionLine(painter, QPointF(x, invert.y()), QPointF(x, wallTop.y()));
    double bottom = wallTop.y() - 2;
    if (m.labelledHc >= 0) {
        const double hcY = m.s.at(0, m.labelledHc).y(); // its label spans hcY - 16 .. hcY
        if (bottom > hcY - 18 && bottom - 16 < hcY)
            bottom = hcY - 18;
    }
    painter.setPen(kInk);
    painter.setFont(SongTiPx(14));
    painter.drawText(QRectF(m.box.left() - 12, bottom - 17, x - 4 - m.box.left() + 12, 17),
                     Qt::AlignRight | Qt::AlignBottom, QStringLiteral("H = %1 m").arg(Fixed3(top)));
}

void DrawNote(QPainter& painter, const QRectF& box, const QString& text) {
    painter.setPen(kInk);
    painter.setFont(SongTiPx(14));
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
}

} // namespace

void DrawArrowHead(QPainter& painter, const QPointF& tip, const QPointF& from) {
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0)
        return;
    const QPointF u = d / length;   // along the line, towards the tip
    const QPointF n(-u.y(), u.x()); // across it
    const double headLength = std::min(8.0, length / 2), halfWidth = 3;
    const QPointF base = tip - u * headLength;
    const QColor colour = painter.pen().color(); // the line's colour
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF{tip, base + n * halfWidth, base - n * halfWidth});
    painter.restore();
}

void PaintSectionPanel(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point,
                       const hydraulics::HydraulicElements& elements, const SectionMarks& marks) {
    const double B = point.B, h = point.h, r = B / 2;
    if (!(B > 0 && h > 0 && std::isfinite(B) && std::isfinite(h))) {
        DrawNote(painter, box, QStringLiteral("槽宽或水深不是正数，无法绘制断面。"));
        return;
    }
    // The walls stand a fair height above the water and the critical depth;
    // a critical depth far above everything else is left to the table.
    const double reach = std::max(h, r);
    const bool showCritical = elements.hc && *elements.hc <= 2.5 * reach;
    const double hc = showCritical ? *elements.hc : 0.0;
    // The walls end at the recommended net depth H where the checks give one.
    const bool showNetDepth = Above(marks.netDepth, h);
    const double top = showNetDepth ? *marks.netDepth : std::max(reach, hc) + 0.25 * reach;
    const double extent = std::max(top, hc); // the highest line drawn
    const double t = 0.08 * B;               // shell thickness, for the look only

    // The largest scale at which shell and labels fit the box.
    const QRectF room = box.adjusted(kLeftRoom, kTopRoom, -kRightRoom, -kBottomRoom);
    SectionScale s;
    s.unit = std::min(room.width() / (B + 2 * t), room.height() / (extent + t));
    const double drawnHeight = s.len(extent + t);
    s.invert =
        QPointF(room.center().x(), room.top() + (room.height() + drawnHeight) / 2 - s.len(t));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);

    // Concrete shell: the outer U, back along the inner U.
    const QPainterPath inner = UPath(s, r, r, top);
    QPainterPath shell = UPath(s, r, r + t, top);
    shell.connectPath(inner.toReversed());
    shell.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kConcrete);
    painter.drawPath(shell);
    painter.setBrush(QBrush(kGuide, Qt::BDiagPattern));
    painter.drawPath(shell);

    // Water: the inside of the U below the surface.
    QPainterPath inside = inner;
    inside.closeSubpath();
    QPainterPath below;
    below.addRect(QRectF(s.at(-r - t, h), s.at(r + t, -t)).normalized());
    painter.setBrush(kWater);
    painter.drawPath(inside.intersected(below));

    // Outlines of the concrete.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kInk, 1.5));
    painter.drawPath(inner);
    painter.drawPath(UPath(s, r, r + t, top));
    painter.drawLine(s.at(-r - t, top), s.at(-r, top));
    painter.drawLine(s.at(r, top), s.at(r + t, top));

    // Centre line.
    painter.setPen(QPen(kGuide, 0.8, Qt::DashDotLine));
    painter.drawLine(s.at(0, -t) + QPointF(0, 6), s.at(0, top) - QPointF(0, 6));

    // Water surface with its mark ▽.
    const double halfSurface = HalfWidthAt(B, h);
    painter.setPen(QPen(kSurface, 2));
    painter.drawLine(s.at(-halfSurface, h), s.at(halfSurface, h));
    const QPointF markTip = s.at(halfSurface / 2, h);
    painter.setPen(QPen(kSurface, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF{markTip, markTip + QPointF(-6, -9), markTip + QPointF(6, -9)});
    painter.drawLine(markTip + QPointF(-4, -12), markTip + QPointF(4, -12));

    QFontMetricsF metrics(SongTiPx(14));
    painter.setFont(SongTiPx(14));

    // Critical depth: dashed across the section, named on the left.
    if (showCritical) {
        const double halfCritical = HalfWidthAt(B, hc);
        painter.setPen(QPen(kCritical, 1.5, Qt::DashLine));
        painter.drawLine(s.at(-halfCritical, hc), s.at(halfCritical, hc));
        painter.setPen(QPen(kCritical, 0.8, Qt::DotLine));
        // Left of the dimension H where that stands beside the shell.
        const QPointF labelEnd = s.at(-r - t, hc) - QPointF(showNetDepth ? kHcLabelShift : 6, 0);
        painter.drawLine(labelEnd, s.at(-halfCritical, hc));
        const QString text = QStringLiteral("hc = %1 m").arg(Fixed3(hc));
        painter.setPen(kCritical);
        painter.drawText(QRectF(box.left(), labelEnd.y() - 16, labelEnd.x() - box.left() - 2, 16),
                         Qt::AlignRight | Qt::AlignBottom, text);
    }

    // Width B over the walls.
    const double dimY = s.at(0, extent).y() - kDimensionGap;
    const QPointF leftWall = s.at(-r, top), rightWall = s.at(r, top);
    painter.setPen(QPen(kGuide, 0.8));
    painter.drawLine(leftWall - QPointF(0, 3), QPointF(leftWall.x(), dimY - 4));
    painter.drawLine(rightWall - QPointF(0, 3), QPointF(rightWall.x(), dimY - 4));
    DrawDimensionLine(painter, QPointF(leftWall.x(), dimY), QPointF(rightWall.x(), dimY));
    painter.setPen(kInk);
    painter.drawText(QRectF(box.left(), dimY - 24, box.width(), 18),
                     Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("B = %1 m").arg(Fixed3(B)));

    // Depth h right of the shell, from the invert to the surface.
    const double dimX = s.at(r + t, 0).x() + kDimensionGap;
    painter.setPen(QPen(kGuide, 0.8));
    painter.drawLine(s.at(0, 0) + QPointF(4, 0), QPointF(dimX + 5, s.at(0, 0).y()));
    painter.drawLine(s.at(halfSurface, h) + QPointF(3, 0), QPointF(dimX + 5, s.at(0, h).y()));
    const QPointF dimBottom(dimX, s.at(0, 0).y()), dimTop(dimX, s.at(0, h).y());
    DrawDimensionLine(painter, dimBottom, dimTop);
    painter.setPen(kInk);
    const QString depthText = QStringLiteral("h = %1 m").arg(Fixed3(h));
    const double textTop = (dimBottom.y() + dimTop.y()) / 2 - metrics.height() / 2;
    painter.drawText(QRectF(dimX + 6, textTop, box.right() - dimX - 6, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, depthText);

    const MarkPlaces places{s, box, B + 2 * t, dimX, textTop, showCritical ? hc : -1.0};
    if (Above(marks.increasedDepth, h) && *marks.increasedDepth < top)
        DrawIncreasedSurface(painter, places, B, *marks.increasedDepth);
    if (showNetDepth)
        DrawNetDepth(painter, places, top);
    painter.restore();
}

} // namespace drawing
