// The three parts of the section drawing, each within its box on the
// canvas, and the dimension arrows they share.
#pragma once

#include "hydraulics/elements.h"

#include <QPointF>
#include <QRectF>

class QPainter;

namespace drawing {

// The U-section to scale: concrete shell, water, surface, critical depth
// (dashed) and the dimensions B and h.
void PaintSectionPanel(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point,
                       const hydraulics::HydraulicElements& elements);

// The elements with names, symbols, values and units, then the regime and
// the position of the surface.
void PaintElementTable(QPainter& painter, const QRectF& box,
                       const hydraulics::HydraulicElements& elements);

// Discharge against depth for the design width, slope and roughness, with
// the design point and the semicircle's top marked.
void PaintRatingChart(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point);

// A filled arrow head with its tip at `tip`, pointing away from `from`.
void DrawArrowHead(QPainter& painter, const QPointF& tip, const QPointF& from);

} // namespace drawing
