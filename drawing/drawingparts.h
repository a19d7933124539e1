// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the section drawing, each within its box on the
// canvas, and the dimension arrows they share.
#pragma once

#include "drawing/labelplacer.h"
#include "hydraulics/design.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <optional>

class QPainter;

namespace drawing {

// What the design checks add to the section, m: the recommended net depth
// H (the walls are drawn up to it) and the depth of the increased discharge.
struct SectionMarks {
    std::optional<double> netDepth, increasedDepth;
    QStringList latinFaces{};   // faces for the labels' Latin letters first; none: the design face
    LabelLog* labels = nullptr; // where given, the panel and its label boxes are added to it
};

// What the report adds to the rating chart: no title (its caption names
// it), the curve up to the net depth H marked across, the point of the
// increased discharge, and the faces of its text.
struct RatingMarks {
    bool title = true;
    std::optional<double> netDepth, increasedDischarge, increasedDepth; // m, m³/s, m
    QStringList latinFaces{};
    LabelLog* labels = nullptr; // where given, the plot and its label boxes are added to it
};

// The U-section to scale: concrete shell, water, surface, critical depth
// (dashed) and the dimensions B and h; with marks, the walls up to H with
// its dimension and the surface of the increased discharge (dashed).
void PaintSectionPanel(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point,
                       const hydraulics::HydraulicElements& elements,
                       const SectionMarks& marks = {});

// Design checks as a table under `title`: 项目, 计算值, 要求, 依据, 结论, a
// rule not met on a light red ground, a recommendation not met (宜调整) or
// a note on amber. What does not fit `box` is cut off, never drawn over
// the parts below; CheckTableHeight is the height the rows need at a width.
void PaintCheckTable(QPainter& painter, const QRectF& box,
                     const std::vector<hydraulics::CheckRow>& rows, const QString& title);
double CheckTableHeight(double width, const std::vector<hydraulics::CheckRow>& rows);

// The ink of a verdict: red for a rule not met, amber for a recommendation
// not met or a note, green when met, black for a classification.
QColor VerdictInk(const hydraulics::CheckRow& row);

// The adopted section under the checks: 采用断面（采用值） or （计算值（不得采用））,
// its figures B, h, H, H/B, i, v, Q and Z or ΔZ, each check's verdict at
// that section, and in sentences the basis of its width, the approach
// velocity against the canals' and the ways out. AdoptedPanelHeight is
// the height it needs at a width.
void PaintAdoptedPanel(QPainter& painter, const QRectF& box, const hydraulics::Design& design);
double AdoptedPanelHeight(double width, const hydraulics::Design& design);

// The elements with names, symbols, values and units, then the regime and
// the position of the surface.
void PaintElementTable(QPainter& painter, const QRectF& box,
                       const hydraulics::HydraulicElements& elements);

// Discharge against depth for the design width, slope and roughness, with
// the design point and the semicircle's top marked.
void PaintRatingChart(QPainter& painter, const QRectF& box, const hydraulics::DesignPoint& point,
                      const RatingMarks& marks = {});

// A filled arrow head with its tip at `tip`, pointing away from `from`.
void DrawArrowHead(QPainter& painter, const QPointF& tip, const QPointF& from);

} // namespace drawing
