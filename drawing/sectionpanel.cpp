// SPDX-License-Identifier: GPL-3.0-or-later
// The U-section to scale, with its water and dimensions.
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"
#include "drawing/labelplacer.h"
#include "hydraulics/elements.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace drawing {
namespace {

// Room around the section for the labels, canvas units.
constexpr double kLeftRoom = 130;  // hc and the dimension H
constexpr double kRightRoom = 130; // the dimension h and the label of h加
constexpr double kTopRoom = 48;    // the B dimension
constexpr double kBottomRoom = 14;
constexpr double kDimensionGap = 18; // from the concrete to a dimension line
// The label of hc ends left of the dimension H, with a gap.
constexpr double kHcLabelShift = kDimensionGap + 6;

// Half the width of the water surface at depth y (metres).
double HalfWidthAt(double B, double y) {
    return hydraulics::TrueSection(B, y).topWidth / 2;
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

void DrawNote(QPainter& painter, const QRectF& box, const QString& text) {
    painter.setPen(kInk);
    painter.setFont(SongTiPx(14));
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
}

// A depth of the checks' marks worth drawing: finite and above the design
// depth.
bool Above(const std::optional<double>& depth, double h) {
    return depth && std::isfinite(*depth) && *depth > h;
}

// The section's sizes in metres and the scale it is drawn at.
struct SectionFit {
    double B = 0, h = 0, r = 0;
    bool showCritical = false;
    double hc = 0;             // critical depth, 0 where it is not shown
    bool showNetDepth = false; // the walls end at the net depth H of the checks
    double top = 0;            // height of the walls above the invert
    double extent = 0;         // height of the highest line drawn
    double t = 0;              // shell thickness, for the look only
    SectionScale s;
};

// The walls stand at the recommended net depth H where the checks give
// one, otherwise a fair height above the water and the critical depth; a
// critical depth far above everything else is left to the table. The scale
// is the largest at which shell and labels fit the box.
SectionFit FitSection(const QRectF& box, const hydraulics::DesignPoint& point,
                      const hydraulics::HydraulicElements& elements, const SectionMarks& marks) {
    SectionFit f;
    f.B = point.B;
    f.h = point.h;
    f.r = f.B / 2;
    const double reach = std::max(f.h, f.r);
    f.showCritical = elements.hc && *elements.hc <= 2.5 * reach;
    f.hc = f.showCritical ? *elements.hc : 0.0;
    f.showNetDepth = Above(marks.netDepth, f.h);
    f.top = f.showNetDepth ? *marks.netDepth : std::max(reach, f.hc) + 0.25 * reach;
    f.extent = std::max(f.top, f.hc);
    f.t = 0.08 * f.B;

    const QRectF room = box.adjusted(kLeftRoom, kTopRoom, -kRightRoom, -kBottomRoom);
    f.s.unit = std::min(room.width() / (f.B + 2 * f.t), room.height() / (f.extent + f.t));
    const double drawnHeight = f.s.len(f.extent + f.t);
    f.s.invert =
        QPointF(room.center().x(), room.top() + (room.height() + drawnHeight) / 2 - f.s.len(f.t));
    return f;
}

// Concrete shell: the outer U, back along the inner U.
void PaintShell(QPainter& painter, const SectionFit& f) {
    const QPainterPath inner = UPath(f.s, f.r, f.r, f.top);
    QPainterPath shell = UPath(f.s, f.r, f.r + f.t, f.top);
    shell.connectPath(inner.toReversed());
    shell.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kConcrete);
    painter.drawPath(shell);
    painter.setBrush(QBrush(kGuide, Qt::BDiagPattern));
    painter.drawPath(shell);
}

// Water: the inside of the U below the surface.
void PaintWater(QPainter& painter, const SectionFit& f) {
    QPainterPath inside = UPath(f.s, f.r, f.r, f.top);
    inside.closeSubpath();
    QPainterPath below;
    below.addRect(QRectF(f.s.at(-f.r - f.t, f.h), f.s.at(f.r + f.t, -f.t)).normalized());
    painter.setBrush(kWater);
    painter.drawPath(inside.intersected(below));
}

// Outlines of the concrete, and the centre line.
void PaintOutlines(QPainter& painter, const SectionFit& f) {
    const SectionScale& s = f.s;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kInk, 1.5));
    painter.drawPath(UPath(s, f.r, f.r, f.top));
    painter.drawPath(UPath(s, f.r, f.r + f.t, f.top));
    painter.drawLine(s.at(-f.r - f.t, f.top), s.at(-f.r, f.top));
    painter.drawLine(s.at(f.r, f.top), s.at(f.r + f.t, f.top));

    painter.setPen(QPen(kGuide, 0.8, Qt::DashDotLine));
    painter.drawLine(s.at(0, -f.t) + QPointF(0, 6), s.at(0, f.top) - QPointF(0, 6));
}

// Water surface with its mark ▽.
void PaintSurface(QPainter& painter, const SectionFit& f) {
    const double halfSurface = HalfWidthAt(f.B, f.h);
    painter.setPen(QPen(kSurface, 2));
    painter.drawLine(f.s.at(-halfSurface, f.h), f.s.at(halfSurface, f.h));
    const QPointF markTip = f.s.at(halfSurface / 2, f.h);
    painter.setPen(QPen(kSurface, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF{markTip, markTip + QPointF(-6, -9), markTip + QPointF(6, -9)});
    painter.drawLine(markTip + QPointF(-4, -12), markTip + QPointF(4, -12));
}

// Tries for a label ending at `right` (its right edge) level with `y`:
// above the level, below it, then further up.
std::vector<QRectF> LeftOf(double right, double y, const QSizeF& size) {
    return {QRectF(right - size.width(), y - size.height() - 1, size.width(), size.height()),
            QRectF(right - size.width(), y + 1, size.width(), size.height())};
}

std::vector<QRectF> RightOf(double left, double y, const QSizeF& size) {
    return {QRectF(left, y - size.height() - 1, size.width(), size.height()),
            QRectF(left, y + 1, size.width(), size.height()),
            QRectF(left, y - size.height() / 2, size.width(), size.height())};
}

// Critical depth: dashed across the section, named on the left.
void PaintCriticalDepth(QPainter& painter, LabelPlacer& placer, const SectionFit& f) {
    const double halfCritical = HalfWidthAt(f.B, f.hc);
    painter.setPen(QPen(kCritical, 1.5, Qt::DashLine));
    painter.drawLine(f.s.at(-halfCritical, f.hc), f.s.at(halfCritical, f.hc));
    painter.setPen(QPen(kCritical, 0.8, Qt::DotLine));
    // Left of the dimension H where that stands beside the shell.
    const QPointF labelEnd =
        f.s.at(-f.r - f.t, f.hc) - QPointF(f.showNetDepth ? kHcLabelShift : 6, 0);
    painter.drawLine(labelEnd, f.s.at(-halfCritical, f.hc));
    placer.avoidLine({labelEnd, f.s.at(-halfCritical, f.hc)});
    const QString text = QStringLiteral("hc = %1 m").arg(Fixed3(f.hc));
    painter.setPen(kCritical);
    const QSizeF size = LabelSize(painter, text);
    DrawLabel(painter, placer, text, LeftOf(labelEnd.x() - 2, labelEnd.y(), size), labelEnd,
              QPointF(0, -size.height() / 2), 12);
}

// Width B over the walls.
void PaintWidthDimension(QPainter& painter, LabelPlacer& placer, const SectionFit& f) {
    const double dimY = f.s.at(0, f.extent).y() - kDimensionGap;
    const QPointF leftWall = f.s.at(-f.r, f.top), rightWall = f.s.at(f.r, f.top);
    painter.setPen(QPen(kGuide, 0.8));
    painter.drawLine(leftWall - QPointF(0, 3), QPointF(leftWall.x(), dimY - 4));
    painter.drawLine(rightWall - QPointF(0, 3), QPointF(rightWall.x(), dimY - 4));
    DrawDimensionLine(painter, QPointF(leftWall.x(), dimY), QPointF(rightWall.x(), dimY));
    placer.avoidLine({QPointF(leftWall.x(), dimY), QPointF(rightWall.x(), dimY)});
    painter.setPen(kInk);
    const QString text = QStringLiteral("B = %1 m").arg(Fixed3(f.B));
    const QSizeF size = LabelSize(painter, text);
    const double centre = (leftWall.x() + rightWall.x()) / 2;
    DrawLabel(
        painter, placer, text,
        {QRectF(centre - size.width() / 2, dimY - 3 - size.height(), size.width(), size.height())},
        QPointF(centre, dimY), QPointF(0, -4), 6);
}

// Where the dimension h stands right of the shell.
double DepthDimensionX(const SectionFit& f) {
    return f.s.at(f.r + f.t, 0).x() + kDimensionGap;
}

// Depth h right of the shell, from the invert to the surface.
void PaintDepthDimension(QPainter& painter, LabelPlacer& placer, const SectionFit& f) {
    const SectionScale& s = f.s;
    const double halfSurface = HalfWidthAt(f.B, f.h);
    const double dimX = DepthDimensionX(f);
    painter.setPen(QPen(kGuide, 0.8));
    painter.drawLine(s.at(0, 0) + QPointF(4, 0), QPointF(dimX + 5, s.at(0, 0).y()));
    painter.drawLine(s.at(halfSurface, f.h) + QPointF(3, 0), QPointF(dimX + 5, s.at(0, f.h).y()));
    const QPointF dimBottom(dimX, s.at(0, 0).y()), dimTop(dimX, s.at(0, f.h).y());
    DrawDimensionLine(painter, dimBottom, dimTop);
    placer.avoidLine({dimBottom, dimTop});
    placer.avoidLine({QPointF(dimX - 5, dimTop.y()), QPointF(dimX + 5, dimTop.y())});
    painter.setPen(kInk);
    const QString text = QStringLiteral("h = %1 m").arg(Fixed3(f.h));
    const QSizeF size = LabelSize(painter, text);
    const QPointF middle(dimX, (dimBottom.y() + dimTop.y()) / 2);
    DrawLabel(painter, placer, text,
              {QRectF(dimX + 6, middle.y() - size.height() / 2, size.width(), size.height())},
              middle, QPointF(0, size.height() / 2), 20);
}

// The surface of the increased discharge: dashed across the section,
// named right of the shell near its level (never over the label of h).
void PaintIncreasedSurface(QPainter& painter, LabelPlacer& placer, const SectionFit& f,
                           double depth) {
    const double half = HalfWidthAt(f.B, depth);
    const QPointF right = f.s.at(half, depth);
    const double dimX = DepthDimensionX(f);
    painter.setPen(QPen(kSurface, 1.5, Qt::DashLine));
    painter.drawLine(f.s.at(-half, depth), right);
    painter.setPen(QPen(kSurface, 0.8, Qt::DotLine));
    const QPointF end(dimX + 5, right.y());
    painter.drawLine(right + QPointF(3, 0), end);
    placer.avoidLine({right + QPointF(3, 0), end});
    painter.setPen(kSurface);
    const QString text = QStringLiteral("h加 = %1 m").arg(Fixed3(depth));
    const QSizeF size = LabelSize(painter, text);
    DrawLabel(painter, placer, text, RightOf(dimX + 6, right.y(), size), end,
              QPointF(0, -size.height() / 2), 20);
}

// The net depth H: a dimension left of the shell from the invert to the
// top of the walls, named at its top end.
void PaintNetDepth(QPainter& painter, LabelPlacer& placer, const SectionFit& f) {
    const double x = f.s.at(-f.r - f.t, 0).x() - kDimensionGap;
    const QPointF invert = f.s.at(0, 0), wallTop = f.s.at(-f.r - f.t, f.top);
    painter.setPen(QPen(kGuide, 0.8));
    painter.drawLine(invert - QPointF(4, 0), QPointF(x - 5, invert.y()));
    painter.drawLine(wallTop - QPointF(3, 0), QPointF(x - 5, wallTop.y()));
    DrawDimensionLine(painter, QPointF(x, invert.y()), QPointF(x, wallTop.y()));
    placer.avoidLine({QPointF(x, invert.y()), QPointF(x, wallTop.y())});
    placer.avoidLine({QPointF(x - 5, wallTop.y()), wallTop - QPointF(3, 0)});
    painter.setPen(kInk);
    const QString text = QStringLiteral("H = %1 m").arg(Fixed3(f.top));
    const QSizeF size = LabelSize(painter, text);
    DrawLabel(painter, placer, text, LeftOf(x - 4, wallTop.y(), size), QPointF(x, wallTop.y()),
              QPointF(0, size.height() / 2), 20);
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
    const double B = point.B, h = point.h;
    if (!(B > 0 && h > 0 && std::isfinite(B) && std::isfinite(h))) {
        DrawNote(painter, box, QStringLiteral("槽宽或水深不是正数，无法绘制断面。"));
        return;
    }
    const SectionFit fit = FitSection(box, point, elements, marks);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    PaintShell(painter, fit);
    PaintWater(painter, fit);
    PaintOutlines(painter, fit);
    PaintSurface(painter, fit);
    painter.setFont(WithLatin(SongTiPx(14), marks.latinFaces));
    // The labels in order of importance; each keeps clear of the section's
    // outline and of the labels and lines before it, inside the panel.
    LabelPlacer placer(box);
    placer.avoidLine(UPath(fit.s, fit.r, fit.r + fit.t, fit.top).toFillPolygon());
    PaintWidthDimension(painter, placer, fit);
    PaintDepthDimension(painter, placer, fit);
    if (fit.showNetDepth)
        PaintNetDepth(painter, placer, fit);
    if (Above(marks.increasedDepth, h) && *marks.increasedDepth < fit.top)
        PaintIncreasedSurface(painter, placer, fit, *marks.increasedDepth);
    if (fit.showCritical)
        PaintCriticalDepth(painter, placer, fit);
    placer.report(marks.labels);
    painter.restore();
}

} // namespace drawing
