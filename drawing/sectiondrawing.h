// SPDX-License-Identifier: GPL-3.0-or-later
// The section drawing: the U-section with its water, the hydraulic
// elements beside it, the design checks and the rating curve below, drawn
// with any QPainter (a widget, an image, an SVG file).
//
// Everything is laid out on a fixed canvas of SectionCanvasSize() units
// (pixels at 96 dpi) and scaled uniformly to the target, so the window,
// the printed page and the SVG show the same picture.
#pragma once

#include "hydraulics/design.h"
#include "hydraulics/elements.h"

#include <QSizeF>
#include <memory>
#include <optional>

class QPainter;
class QRectF;

namespace drawing {

// What the drawing shows: the design point of a successful calculation of
// case `caseNo` (1..4), the flume length, the increase of the design
// discharge that the design checks take, and the design computed from it
// (its elements, checks and adopted section are what the drawing shows;
// without it only the section and its curve are drawn).
struct SectionFigure {
    hydraulics::DesignPoint point;
    int caseNo = 0;
    double length = 0;                       // L, m; 0 where not known
    std::optional<double> increasePercent{}; // p, %; empty: table 6.3.4's default
    std::shared_ptr<const hydraulics::Design> design{};
};

// The canvas the drawing of `figure` is laid out on, in units of 1/96
// inch: 860 wide, as tall as its checks and adopted section need.
QSizeF SectionCanvasSize(const std::optional<SectionFigure>& figure = std::nullopt);

// Draws `figure` into `target`, as large as fits with the canvas's
// proportions kept, centred. Without a figure only the title and a note
// that there is no calculation yet are drawn. The painter's state is
// restored afterwards.
void PaintSectionFigure(QPainter& painter, const QRectF& target,
                        const std::optional<SectionFigure>& figure);

} // namespace drawing
