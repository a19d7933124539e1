// SPDX-License-Identifier: GPL-3.0-or-later
// The report's figures, drawn by the drawing library's own painters: the
// section to scale with its dimensions, the depth–discharge curve, and,
// with canal data, the longitudinal profile of the water-surface connection.
#pragma once

#include "drawing/drawingparts.h"
#include "hydraulics/connection.h"
#include "hydraulics/elements.h"
#include "report/reportcontent.h"

#include <QImage>
#include <QSizeF>
#include <optional>

class QPainter;
class QRectF;

namespace report {

enum class Figure { Section, Rating, Profile };

// The canvas a figure is laid out on, drawing units (pixels at 96 dpi).
QSizeF FigureCanvas(Figure figure);

// What the figures show: the design point, and on the section the net
// depth H and the depth of the increased discharge of the design checks.
struct FigureData {
    hydraulics::DesignPoint point;
    hydraulics::HydraulicElements elements; // the design's, at the point
    drawing::SectionMarks marks;
    drawing::RatingMarks chart;
    std::optional<hydraulics::Connection> connection; // for the profile
    double length = 0;                                // L of the flume, m
};

// The serif face the report sets Latin letters and digits in, where it is
// installed (the Chinese faces' own look like a typewriter's); else none.
QStringList ReportLatinFaces();

// The figures of a report's calculation, their labels' Latin letters in
// `latinFaces` first (the report's text face).
FigureData FiguresOf(const ReportContent& content, const QStringList& latinFaces = {});

// Draws `figure` into `target`, scaled uniformly and centred: vectors and
// text on a PDF, pixels on an image.
void PaintFigure(QPainter& painter, const QRectF& target, Figure figure, const FigureData& data);

// The figure as a picture `scale` times its canvas, on white.
QImage RenderFigure(Figure figure, const FigureData& data, double scale);

} // namespace report
