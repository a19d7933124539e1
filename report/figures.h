// The report's two figures, drawn by the drawing library's own painters:
// the section to scale with its dimensions, and the depth–discharge curve.
#pragma once

#include "hydraulics/elements.h"

#include <QImage>
#include <QSizeF>

class QPainter;
class QRectF;

namespace report {

enum class Figure { Section, Rating };

// The canvas a figure is laid out on, drawing units (pixels at 96 dpi).
QSizeF FigureCanvas(Figure figure);

// Draws `figure` of design point `point` into `target`, scaled uniformly
// and centred: vectors and text on a PDF, pixels on an image.
void PaintFigure(QPainter& painter, const QRectF& target, Figure figure,
                 const hydraulics::DesignPoint& point);

// The figure as a picture `scale` times its canvas, on white.
QImage RenderFigure(Figure figure, const hydraulics::DesignPoint& point, double scale);

} // namespace report
