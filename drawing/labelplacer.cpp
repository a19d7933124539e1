// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/labelplacer.h"

#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace drawing {
namespace {

constexpr double kLineClearance = 1.5; // canvas units between a label and a line
constexpr double kGridStep = 6;        // the search over the plot, canvas units

bool Inside(const QRectF& outer, const QRectF& box) {
    const double slack = 1e-6;
    return box.left() >= outer.left() - slack && box.right() <= outer.right() + slack &&
           box.top() >= outer.top() - slack && box.bottom() <= outer.bottom() + slack;
}

// `box` moved the least to lie inside `outer` (where it fits).
QRectF KeptInside(const QRectF& outer, QRectF box) {
    if (box.right() > outer.right())
        box.moveRight(outer.right());
    if (box.left() < outer.left())
        box.moveLeft(outer.left());
    if (box.bottom() > outer.bottom())
        box.moveBottom(outer.bottom());
    if (box.top() < outer.top())
        box.moveTop(outer.top());
    return box;
}

bool LineMeetsBox(const QPolygonF& line, const QRectF& box) {
    if (line.size() == 1)
        return box.contains(line.front());
    if (!line.boundingRect().adjusted(-1, -1, 1, 1).intersects(box))
        return false;
    for (qsizetype k = 0; k + 1 < line.size(); ++k)
        if (SegmentMeetsBox(line[k], line[k + 1], box))
            return true;
    return false;
}

} // namespace

bool SegmentMeetsBox(const QPointF& a, const QPointF& b, const QRectF& box) {
    if (box.contains(a) || box.contains(b))
        return true;
    const QLineF segment(a, b);
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    for (const QLineF& edge : edges)
        if (segment.intersects(edge) == QLineF::BoundedIntersection)
            return true;
    return false;
}

void LabelPlacer::avoidLine(const QPolygonF& line) {
    if (!line.isEmpty())
        lines_.push_back(line);
}

bool LabelPlacer::isFree(const QRectF& box) const {
    if (!Inside(plot_, box))
        return false;
    const auto meets = [&](const QRectF& other) { return other.intersects(box); };
    if (std::any_of(labels_.begin(), labels_.end(), meets) ||
        std::any_of(boxes_.begin(), boxes_.end(), meets))
        return false;
    const QRectF cleared =
        box.adjusted(-kLineClearance, -kLineClearance, kLineClearance, kLineClearance);
    return std::none_of(lines_.begin(), lines_.end(),
                        [&](const QPolygonF& line) { return LineMeetsBox(line, cleared); });
}

LabelPlacer::Placed LabelPlacer::place(const std::vector<QRectF>& tries, QPointF away, int steps) {
    Placed placed;
    if (tries.empty())
        return placed;
    placed.box = tries.front();
    const auto keep = [&](const QRectF& box, bool moved) {
        labels_.push_back(box);
        return Placed{box, moved};
    };
    for (const QRectF& box : tries)
        if (isFree(box))
            return keep(box, false);
    for (int k = 1; k <= steps; ++k) {
        const QRectF box = tries.front().translated(away * k);
        if (isFree(box))
            return keep(box, true);
    }
    // The free place nearest to the first try.
    const QPointF want = tries.front().center();
    const QSizeF size = tries.front().size();
    double best = std::numeric_limits<double>::infinity();
    QRectF found;
    for (double y = plot_.top(); y + size.height() <= plot_.bottom(); y += kGridStep)
        for (double x = plot_.left(); x + size.width() <= plot_.right(); x += kGridStep) {
            const QRectF box(QPointF(x, y), size);
            const QPointF d = box.center() - want;
            const double distance = std::hypot(d.x(), d.y());
            if (distance < best && isFree(box)) {
                best = distance;
                found = box;
            }
        }
    if (std::isfinite(best))
        return keep(found, true);
    return keep(KeptInside(plot_, tries.front()), false);
}

void LabelPlacer::report(LabelLog* log) const {
    if (log)
        log->figures.push_back({plot_, labels_, lines_});
}

std::vector<QRectF> AroundPoint(const QPointF& at, const QSizeF& size, double gap) {
    const double w = size.width(), h = size.height();
    return {QRectF(at.x() + gap, at.y() + gap, w, h),
            QRectF(at.x() + gap, at.y() - gap - h, w, h),
            QRectF(at.x() - gap - w, at.y() - gap - h, w, h),
            QRectF(at.x() - gap - w, at.y() + gap, w, h),
            QRectF(at.x() - w / 2, at.y() - gap - h, w, h),
            QRectF(at.x() - w / 2, at.y() + gap, w, h)};
}

void DrawLeader(QPainter& painter, const QPointF& anchor, const QRectF& box) {
    const QPointF nearest(std::clamp(anchor.x(), box.left(), box.right()),
                          std::clamp(anchor.y(), box.top(), box.bottom()));
    painter.save();
    painter.setPen(QPen(painter.pen().color(), 0.6));
    painter.drawLine(anchor, nearest);
    painter.restore();
}

} // namespace drawing

namespace drawing {

QSizeF LabelSize(QPainter& painter, const QString& text) {
    const QRectF used =
        painter.boundingRect(QRectF(0, 0, 1e4, 1e4), Qt::AlignLeft | Qt::AlignTop, text);
    return {used.width() + 2, used.height()};
}

void DrawLabel(QPainter& painter, LabelPlacer& placer, const QString& text,
               const std::vector<QRectF>& tries, const QPointF& anchor, QPointF away, int steps) {
    const LabelPlacer::Placed at = placer.place(tries, away, steps);
    if (at.moved)
        DrawLeader(painter, anchor, at.box);
    painter.drawText(at.box, Qt::AlignCenter | Qt::TextDontClip, text);
}

} // namespace drawing
