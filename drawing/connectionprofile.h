// SPDX-License-Identifier: GPL-3.0-or-later
// The longitudinal profile of the flume in its canal (纵断面示意): the
// upstream canal, the inlet transition, the flume, the outlet transition
// and the downstream canal, their beds with ∇₃, ∇₁, ∇₂ and ∇₄ labelled, the
// water surface at the design discharge (solid, the water filled) and at
// the increased discharge (dashed, the backwater traced up the flume).
// Elevations are to scale; lengths are not (the transitions would vanish
// beside a long flume): each stretch has a fixed share of the width and is
// labelled with its length.
#pragma once

#include "drawing/labelplacer.h"
#include "hydraulics/connection.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>

class QPainter;

namespace drawing {

// The canvas the profile is designed for, drawing units (pixels at 96 dpi).
QSizeF ConnectionProfileCanvas();

// What the report changes: no title (its caption names the figure) and
// the faces of the labels' Latin letters (the report's text face).
struct ProfileMarks {
    bool title = true;
    QStringList latinFaces{};
    LabelLog* labels = nullptr; // where given, the figure and its label boxes are added to it
};

// Draws the profile of `c` for a flume of design depth h (m) and length L
// (m) into `box`. Where the elevations are not formed it says so instead.
void PaintConnectionProfile(QPainter& painter, const QRectF& box, const hydraulics::Connection& c,
                            double h, double L, const ProfileMarks& marks = {});

} // namespace drawing
