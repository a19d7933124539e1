// SPDX-License-Identifier: GPL-3.0-or-later
// Where the labels of a figure go: each where its box covers neither a
// label placed before it nor a drawn line or mark, and stays inside the
// figure's plot; moved away along a leader line where no place beside its
// point is free. One placer per figure, labels placed in order of their
// importance (the first gets the best place).
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <utility>
#include <vector>

class QPainter;

namespace drawing {

// The label boxes of one figure and the plot they must stay in, canvas
// units; a painter given one appends what it placed (for tests and for
// the caller's own layout).
struct LabelLog {
    struct Figure {
        QRectF plot;
        std::vector<QRectF> labels;
        std::vector<QPolygonF> lines; // the drawn lines the labels keep clear of
    };
    std::vector<Figure> figures;
};

class LabelPlacer {
public:
    explicit LabelPlacer(const QRectF& plot) : plot_(plot) {}

    // A drawn line (a curve, a water surface, a bed) to keep clear of.
    void avoidLine(const QPolygonF& line);
    // A drawn mark or a fixed text to keep clear of.
    void avoidBox(const QRectF& box) { boxes_.push_back(box); }

    struct Placed {
        QRectF box;
        bool moved = false; // away from every try: draw a leader to it
    };
    // The first of `tries` (boxes of the label's size, best first) that is
    // inside the plot and free; else the first try moved step by step by
    // `away` (canvas units a step) until it is, at most `steps` steps; else
    // the free place nearest to the first try on a grid over the plot;
    // else the first try kept inside the plot. The box is kept clear of by
    // the labels placed after it.
    Placed place(const std::vector<QRectF>& tries, QPointF away = {}, int steps = 0);

    // Inside the plot and clear of every label, line and box so far.
    bool isFree(const QRectF& box) const;

    // Appends this figure's plot, labels and lines to `log` (none: nothing).
    void report(LabelLog* log) const;

    const QRectF& plot() const { return plot_; }

private:
    QRectF plot_;
    std::vector<QRectF> boxes_;
    std::vector<QRectF> labels_;
    std::vector<QPolygonF> lines_;
};

// Boxes of `size` around `at`, in the usual order of a label beside a
// point: right-below, right-above, left-above, left-below, above, below,
// each `gap` units from the point.
std::vector<QRectF> AroundPoint(const QPointF& at, const QSizeF& size, double gap);

// Whether the segment a–b passes through `box`.
bool SegmentMeetsBox(const QPointF& a, const QPointF& b, const QRectF& box);

// A thin line from `anchor` to the nearest point of `box`, in the
// painter's pen colour.
void DrawLeader(QPainter& painter, const QPointF& anchor, const QRectF& box);

// The box `text` takes in the painter's font (lines of it one under the
// other), with a unit of room either side.
QSizeF LabelSize(QPainter& painter, const QString& text);

// Draws `text` in the painter's pen where `placer` puts it among `tries`
// (see LabelPlacer::place), with a leader from `anchor` where it had to
// move away.
void DrawLabel(QPainter& painter, LabelPlacer& placer, const QString& text,
               const std::vector<QRectF>& tries, const QPointF& anchor, QPointF away = {},
               int steps = 0);

} // namespace drawing
