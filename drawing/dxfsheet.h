// SPDX-License-Identifier: GPL-3.0-or-later
// What a CAD drawing is made of before it becomes a DXF file: plain
// geometry in drawing units (millimetres, 1 unit = 1 mm at full size), each
// shape on its layer, each annotation sized for the scale 1:N its part is
// meant to be plotted at. The section and the longitudinal profile add to a
// sheet; drawing/dxfdocument.cpp writes it with dxflib. Nothing here knows
// the file format.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace drawing {

// The layers, named for what they hold (their names, colours, line types
// and weights are in drawing/dxfdocument.cpp).
enum class DxfLayer {
    Outline,        // 槽身轮廓: the flume's inside, the beds of the profile
    Water,          // 水面: water surface at the design discharge
    IncreasedWater, // 加大水面: water surface at the increased discharge (dashed)
    Critical,       // 临界水深: critical depth
    Dimension,      // 尺寸标注: dimensions and elevation marks
    Text,           // 文字: labels, titles and notes
    Centre,         // 中心线: centre lines and the stretch boundaries
};

struct DxfPoint {
    double x = 0, y = 0;
};
inline DxfPoint operator+(DxfPoint a, DxfPoint b) {
    return {a.x + b.x, a.y + b.y};
}
inline DxfPoint operator-(DxfPoint a, DxfPoint b) {
    return {a.x - b.x, a.y - b.y};
}
inline DxfPoint operator*(DxfPoint a, double k) {
    return {a.x * k, a.y * k};
}

// A corner of a polyline; `bulge` = tan(θ/4) of the arc of angle θ to the
// next corner (positive anticlockwise), 0 for a straight segment.
struct DxfVertex {
    DxfPoint at;
    double bulge = 0;
};

// `scale` is the N of 1:N: the line type's dashes, given in paper
// millimetres, are drawn N times larger so that they read on the paper.
struct DxfLine {
    DxfLayer layer;
    double scale;
    DxfPoint a, b;
};

struct DxfPolyline {
    DxfLayer layer;
    double scale;
    std::vector<DxfVertex> vertices;
    bool closed = false;
};

// A filled triangle (arrow heads, elevation marks).
struct DxfSolid {
    DxfLayer layer;
    DxfPoint a, b, c;
};

// Horizontal alignment of a text at its point, and vertical: the point is
// on the baseline, the middle or the top of the letters.
enum class DxfHAlign { Left = 0, Centre = 1, Right = 2 };
enum class DxfVAlign { Baseline = 0, Middle = 2, Top = 3 };

struct DxfText {
    DxfLayer layer;
    DxfPoint at;
    double height;    // of the capitals, drawing units
    std::string text; // UTF-8
    double angleDeg = 0;
    DxfHAlign hAlign = DxfHAlign::Left;
    DxfVAlign vAlign = DxfVAlign::Baseline;
};

using DxfShape = std::variant<DxfLine, DxfPolyline, DxfSolid, DxfText>;

// The dimension style both the written style and the dimensions' drawn
// geometry follow, in paper millimetres (times the dimension's 1:N in the
// drawing): closed filled arrows, text above the dimension line and
// aligned with it, whole millimetres.
struct DxfDimensionStyle {
    static constexpr double kArrow = 2.5;           // DIMASZ
    static constexpr double kExtensionOffset = 2.0; // DIMEXO, from the object
    static constexpr double kExtensionBeyond = 2.0; // DIMEXE, past the dimension line
    static constexpr double kTextHeight = 3.5;      // DIMTXT
    static constexpr double kTextGap = 1.0;         // DIMGAP, text above the line
};

// A dimension that stays a dimension in CAD: what it measures, and the
// lines, arrows and text a CAD program shows for it (drawing/dxfdimension).
struct DxfDimension {
    enum class Kind { Linear, Radius } kind = Kind::Linear;
    // Linear: the two points measured, the dimension line through `line`
    // at `angleDeg` (0 horizontal, 90 vertical). Radius: `first` the
    // centre, `second` the point on the arc the dimension points at.
    DxfPoint first, second, line;
    double angleDeg = 0;
    double scale = 1;   // 1:N the part is plotted at (DIMSCALE)
    std::string prefix; // written before the measured value: "B=" shows "B=1912"

    // Made by MakeDimension from the above.
    DxfPoint definition;      // on the dimension line at the second extension line; radius: centre
    DxfPoint textAt;          // middle of the text
    bool textOutside = false; // too narrow: the text stands beyond the second point
    double textAngleDeg = 0;
    double measured = 0; // drawing units
    std::string shown;   // the text as drawn, "B=1912"
    std::vector<DxfShape> geometry;
};

// One drawing: its shapes, its dimensions and the 1:N they are sized for
// (the dimension style's DIMSCALE: programs that draw dimensions from the
// style, not from their blocks, take it from there).
struct DxfSheet {
    std::vector<DxfShape> shapes;
    std::vector<DxfDimension> dimensions;
    double dimensionScale = 1;
};

// Fills in a dimension's definition and text points, its value and its
// geometry (extension lines, dimension line, arrows, text) from what it
// measures, and adds it to `sheet`.
void AddDimension(DxfSheet& sheet, DxfDimension dimension);

// The same lines, arrows and text drawn as plain shapes on the dimension
// layer, for a part at another scale than the sheet's dimensions.
void AddDimensionShapes(DxfSheet& sheet, DxfDimension dimension);

// The box around everything on the sheet (text boxes estimated), as
// {min, max}; {0,0},{0,0} for an empty sheet.
std::pair<DxfPoint, DxfPoint> SheetExtents(const DxfSheet& sheet);

// A text's advance, generously: full width and a margin for Chinese
// characters, three quarters of the height for Latin letters and digits
// (wider than SimSun sets them, as wide as the vector fonts of programs
// that stand in for it).
double TextWidth(const std::string& text, double height);

} // namespace drawing
