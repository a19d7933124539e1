// SPDX-License-Identifier: GPL-3.0-or-later
// The geometry CAD programs show for a dimension (they draw the block a
// DIMENSION names, and draw it afresh from the style only when the
// dimension is edited), and the extents of a sheet.
#include "drawing/dxfsheet.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace drawing {
namespace {

using Style = DxfDimensionStyle;

double Dot(DxfPoint a, DxfPoint b) {
    return a.x * b.x + a.y * b.y;
}
double Length(DxfPoint a) {
    return std::hypot(a.x, a.y);
}
DxfPoint Direction(double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return {std::cos(a), std::sin(a)};
}

// An angle turned into (-90°, 90°], so that text along it reads from the
// bottom or the right of the sheet.
double Readable(double degrees) {
    double a = std::remainder(degrees, 360.0);
    if (a > 90)
        a -= 180;
    else if (a <= -90)
        a += 180;
    return a;
}

// A closed filled arrow with its tip at `tip`, pointing along `along`
// (a unit vector): as long as the style's arrow size, a third as wide.
DxfSolid Arrow(DxfPoint tip, DxfPoint along, double scale) {
    const double length = Style::kArrow * scale;
    const DxfPoint base = tip - along * length;
    const DxfPoint across{-along.y * length / 6, along.x * length / 6};
    return {DxfLayer::Dimension, tip, base + across, base - across};
}

std::string WholeUnits(double value) {
    return std::to_string(std::llround(value));
}

// The text of a dimension, centred above the middle of the segment a–b;
// where text and arrows do not fit between a and b, beyond b.
void PlaceText(DxfDimension& d, DxfPoint a, DxfPoint b) {
    const double s = d.scale;
    d.textAngleDeg = Readable(std::atan2(b.y - a.y, b.x - a.x) * 180 / std::numbers::pi);
    const DxfPoint up = Direction(d.textAngleDeg + 90);
    const double width = TextWidth(d.shown, Style::kTextHeight * s);
    const double span = Length(b - a);
    d.textOutside = span > 0 && span < width + 2 * (Style::kArrow + Style::kTextGap) * s;
    const DxfPoint middle =
        d.textOutside ? b + (b - a) * ((width / 2 + (Style::kArrow + Style::kTextGap) * s) / span)
                      : (a + b) * 0.5;
    d.textAt = middle + up * ((Style::kTextGap + Style::kTextHeight / 2) * s);
    d.geometry.push_back(DxfText{DxfLayer::Dimension, d.textAt, Style::kTextHeight * s, d.shown,
                                 d.textAngleDeg, DxfHAlign::Centre, DxfVAlign::Middle});
}

// Extension line from the object point p towards its foot q on the
// dimension line: from the style's offset off the object to its length
// past the line; none where p lies on the line.
void AddExtensionLine(DxfDimension& d, DxfPoint p, DxfPoint q) {
    const double length = Length(q - p);
    if (length <= Style::kExtensionOffset * d.scale)
        return;
    const DxfPoint along = (q - p) * (1 / length);
    d.geometry.push_back(DxfLine{DxfLayer::Dimension, 1,
                                 p + along * (Style::kExtensionOffset * d.scale),
                                 q + along * (Style::kExtensionBeyond * d.scale)});
}

void MakeLinear(DxfDimension& d) {
    const DxfPoint u = Direction(d.angleDeg);
    const DxfPoint n{-u.y, u.x};
    const DxfPoint q1 = d.first + n * Dot(d.line - d.first, n);
    const DxfPoint q2 = d.second + n * Dot(d.line - d.second, n);
    d.measured = std::abs(Dot(d.second - d.first, u));
    d.definition = q2;
    d.shown = d.prefix + WholeUnits(d.measured);
    AddExtensionLine(d, d.first, q1);
    AddExtensionLine(d, d.second, q2);
    d.geometry.push_back(DxfLine{DxfLayer::Dimension, 1, q1, q2});
    if (d.measured > 0) {
        const DxfPoint out = (q1 - q2) * (1 / Length(q1 - q2));
        d.geometry.push_back(Arrow(q1, out, d.scale));
        d.geometry.push_back(Arrow(q2, out * -1, d.scale));
    }
    PlaceText(d, q1, q2);
}

// From the centre to the arc, the arrow on the arc, the text above the
// middle of the line: "R" and the radius.
void MakeRadius(DxfDimension& d) {
    const DxfPoint ray = d.second - d.first;
    d.measured = Length(ray);
    d.definition = d.first;
    d.shown = d.prefix + "R" + WholeUnits(d.measured);
    d.geometry.push_back(DxfLine{DxfLayer::Dimension, 1, d.first, d.second});
    if (d.measured > 0)
        d.geometry.push_back(Arrow(d.second, ray * (1 / d.measured), d.scale));
    PlaceText(d, d.first, d.second);
}

// Grows the box [lo, hi] to hold p.
void Include(std::pair<DxfPoint, DxfPoint>& box, DxfPoint p, bool& first) {
    if (first) {
        box = {p, p};
        first = false;
        return;
    }
    box.first = {std::min(box.first.x, p.x), std::min(box.first.y, p.y)};
    box.second = {std::max(box.second.x, p.x), std::max(box.second.y, p.y)};
}

// The corners of a text's box, its width estimated.
std::vector<DxfPoint> TextCorners(const DxfText& t) {
    const double w = TextWidth(t.text, t.height);
    const double left = t.hAlign == DxfHAlign::Left     ? 0
                        : t.hAlign == DxfHAlign::Centre ? -w / 2
                                                        : -w;
    const double bottom = t.vAlign == DxfVAlign::Baseline ? -0.2 * t.height
                          : t.vAlign == DxfVAlign::Middle ? -0.6 * t.height
                                                          : -1.2 * t.height;
    const DxfPoint u = Direction(t.angleDeg), v = Direction(t.angleDeg + 90);
    std::vector<DxfPoint> corners;
    for (double dx : {left, left + w})
        for (double dy : {bottom, bottom + 1.2 * t.height})
            corners.push_back(t.at + u * dx + v * dy);
    return corners;
}

std::vector<DxfPoint> Points(const DxfShape& shape) {
    if (const auto* l = std::get_if<DxfLine>(&shape))
        return {l->a, l->b};
    if (const auto* s = std::get_if<DxfSolid>(&shape))
        return {s->a, s->b, s->c};
    if (const auto* t = std::get_if<DxfText>(&shape))
        return TextCorners(*t);
    std::vector<DxfPoint> points;
    const auto& v = std::get<DxfPolyline>(shape).vertices;
    for (std::size_t k = 0; k < v.size(); ++k) {
        points.push_back(v[k].at);
        if (v[k].bulge != 0 && k + 1 < v.size()) { // the middle of the arc
            const DxfPoint chord = v[k + 1].at - v[k].at;
            const DxfPoint right{chord.y, -chord.x};
            points.push_back((v[k].at + v[k + 1].at) * 0.5 + right * (v[k].bulge / 2));
        }
    }
    return points;
}

} // namespace

void AddDimension(DxfSheet& sheet, DxfDimension dimension) {
    dimension.geometry.clear();
    if (dimension.kind == DxfDimension::Kind::Linear)
        MakeLinear(dimension);
    else
        MakeRadius(dimension);
    sheet.dimensions.push_back(std::move(dimension));
}

void AddDimensionShapes(DxfSheet& sheet, DxfDimension dimension) {
    DxfSheet own;
    AddDimension(own, std::move(dimension));
    for (DxfShape& shape : own.dimensions.front().geometry)
        sheet.shapes.push_back(std::move(shape));
}

std::pair<DxfPoint, DxfPoint> SheetExtents(const DxfSheet& sheet) {
    std::pair<DxfPoint, DxfPoint> box{};
    bool first = true;
    for (const DxfShape& shape : sheet.shapes)
        for (const DxfPoint& p : Points(shape))
            Include(box, p, first);
    for (const DxfDimension& d : sheet.dimensions)
        for (const DxfShape& shape : d.geometry)
            for (const DxfPoint& p : Points(shape))
                Include(box, p, first);
    return box;
}

double TextWidth(const std::string& text, double height) {
    double width = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            width += 0.75 * height;
        else if (c >= 0xC0) // the first byte of a character outside ASCII
            width += 1.1 * height;
    }
    return width;
}

} // namespace drawing
