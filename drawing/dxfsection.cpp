// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/dxfsection.h"

#include "drawing/dxfsheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace drawing {
namespace {

constexpr double kMm = 1000; // drawing units (mm) per metre

// Paper millimetres, times the scale's N in the drawing.
constexpr double kLabelHeight = 3.5;
constexpr double kTitleHeight = 5;
constexpr double kFirstDimension = 10; // from the outline to the first dimension line
constexpr double kNextDimension = 8;   // between dimension lines side by side

bool Positive(double v) {
    return std::isfinite(v) && v > 0;
}

// Half the width of the water surface at depth y of a U of radius r (mm).
double HalfWidthAt(double r, double y) {
    return hydraulics::TrueSection(2 * r, y).topWidth / 2;
}

// Section sizes in drawing units and the scale's N.
struct Frame {
    double r, h, top, n;
};

// The inside of the U as one polyline: down the left wall, round the
// invert (a half circle, bulge 1) and up the right wall, so that CAD's
// offset gives the outside of the shell at once.
void AddOutline(DxfSheet& sheet, const Frame& f) {
    sheet.shapes.push_back(
        DxfPolyline{DxfLayer::Outline,
                    f.n,
                    {{{-f.r, f.top}}, {{-f.r, f.r}, 1}, {{f.r, f.r}}, {{f.r, f.top}}},
                    false});
    sheet.shapes.push_back(DxfLine{DxfLayer::Centre, f.n, {0, -5 * f.n}, {0, f.top + 5 * f.n}});
}

// A water surface across the U at depth y (mm).
void AddSurface(DxfSheet& sheet, const Frame& f, DxfLayer layer, double y) {
    const double half = HalfWidthAt(f.r, y);
    sheet.shapes.push_back(DxfLine{layer, f.n, {-half, y}, {half, y}});
}

// The water-level mark of the design surface: ▽ standing on it, two
// shortening strokes under it.
void AddLevelMark(DxfSheet& sheet, const Frame& f) {
    const double x = HalfWidthAt(f.r, f.h) / 2, y = f.h, n = f.n;
    sheet.shapes.push_back(
        DxfPolyline{DxfLayer::Water,
                    n,
                    {{{x, y}}, {{x - 1.6 * n, y + 2.8 * n}}, {{x + 1.6 * n, y + 2.8 * n}}},
                    true});
    sheet.shapes.push_back(DxfLine{DxfLayer::Water, n, {x - 2 * n, y - n}, {x + 2 * n, y - n}});
    sheet.shapes.push_back(DxfLine{DxfLayer::Water, n, {x - n, y - 2 * n}, {x + n, y - 2 * n}});
}

DxfDimension Linear(DxfPoint a, DxfPoint b, DxfPoint line, double angle, double n,
                    std::string prefix) {
    DxfDimension d;
    d.first = a;
    d.second = b;
    d.line = line;
    d.angleDeg = angle;
    d.scale = n;
    d.prefix = std::move(prefix);
    return d;
}

// B over the walls, H left of the U, h and h加 right of it, the radius
// towards the lower left.
void AddDimensions(DxfSheet& sheet, const Frame& f, const std::optional<double>& hInc) {
    const double n = f.n, first = kFirstDimension * n;
    AddDimension(sheet, Linear({-f.r, f.top}, {f.r, f.top}, {0, f.top + first}, 0, n, "B="));
    AddDimension(sheet, Linear({0, 0}, {-f.r, f.top}, {-f.r - first, 0}, 90, n, "H="));
    AddDimension(sheet, Linear({0, 0}, {f.r, f.h}, {f.r + first, 0}, 90, n, "h="));
    if (hInc)
        AddDimension(sheet, Linear({0, 0}, {f.r, *hInc}, {f.r + first + kNextDimension * n, 0}, 90,
                                   n, "h加="));
    DxfDimension radius;
    radius.kind = DxfDimension::Kind::Radius;
    radius.first = {0, f.r};
    radius.second = {-f.r * std::sqrt(0.5), f.r * (1 - std::sqrt(0.5))}; // at 225°
    radius.scale = n;
    AddDimension(sheet, radius);
}

// The critical depth, dashed across the U, named left of the centre line;
// where the name does not fit inside, left of the dimension H with the
// line drawn out to it, as the section window does.
void AddCritical(DxfSheet& sheet, const Frame& f, double hc) {
    AddSurface(sheet, f, DxfLayer::Critical, hc);
    const std::string name = "hc=" + std::to_string(std::llround(hc));
    const double height = kLabelHeight * f.n, half = HalfWidthAt(f.r, hc);
    DxfPoint at{-f.n, hc + f.n};
    if (TextWidth(name, height) + 2 * f.n > half) {
        at.x = -f.r - (kFirstDimension + 6) * f.n;
        sheet.shapes.push_back(DxfLine{DxfLayer::Critical, f.n, {at.x, hc}, {-half, hc}});
    }
    sheet.shapes.push_back(DxfText{DxfLayer::Text, at, height, name, 0, DxfHAlign::Right});
}

// The title under the section with its scale, and the note under it.
void AddTitle(DxfSheet& sheet, const Frame& f, const DxfSection& s) {
    const double n = f.n;
    const std::string scale = "1:" + std::to_string(std::llround(n));
    std::string title = s.title.empty() ? std::string() : s.title + " ";
    title += "槽身横断面  " + scale;
    const double y = -8 * n;
    sheet.shapes.push_back(DxfText{
        DxfLayer::Text, {0, y}, kTitleHeight * n, title, 0, DxfHAlign::Centre, DxfVAlign::Top});
    const std::string note = s.kind == SectionKind::Adopted
                                 ? "采用断面。尺寸单位：mm。"
                                 : "计算断面：B、h 为计算成果，H 为设计校核推荐的槽身净深。"
                                   "尺寸单位：mm。";
    sheet.shapes.push_back(DxfText{DxfLayer::Text,
                                   {0, y - 9 * n},
                                   kLabelHeight * n,
                                   note,
                                   0,
                                   DxfHAlign::Centre,
                                   DxfVAlign::Top});
}

// A depth worth drawing: positive and finite, within the walls.
std::optional<double> Within(const std::optional<double>& depth, double top) {
    if (depth && Positive(*depth) && *depth * kMm <= top)
        return *depth * kMm;
    return std::nullopt;
}

} // namespace

DxfSection SectionOf(double B, double h, const hydraulics::DesignChecks& checks,
                     std::optional<double> hc, SectionKind kind, std::string title) {
    DxfSection s;
    s.B = B;
    s.h = h;
    s.H = checks.H && Positive(*checks.H) ? *checks.H : std::max(h, B / 2);
    s.hInc = checks.hinc;
    s.hc = hc;
    s.kind = kind;
    s.title = std::move(title);
    return s;
}

double SectionScale(const DxfSection& section) {
    constexpr std::array<double, 12> kScales = {10, 20,  25,  30,  40,  50,
                                                75, 100, 150, 200, 250, 500};
    const double extent = std::max(section.B, std::max(section.H, section.h)) * kMm;
    for (double n : kScales)
        if (extent / n <= 80)
            return n;
    return kScales.back();
}

void AddSection(DxfSheet& sheet, const DxfSection& s) {
    if (!Positive(s.B) || !Positive(s.h))
        throw std::invalid_argument("槽宽或水深不是正数，无法绘制断面。");
    Frame f{s.B / 2 * kMm, s.h * kMm, std::max(s.H, s.h) * kMm, SectionScale(s)};
    if (!std::isfinite(f.top))
        f.top = std::max(f.h, f.r);
    sheet.dimensionScale = f.n;
    AddOutline(sheet, f);
    AddSurface(sheet, f, DxfLayer::Water, f.h);
    AddLevelMark(sheet, f);
    std::optional<double> hInc = Within(s.hInc, f.top);
    if (hInc && *hInc <= f.h)
        hInc.reset();
    if (hInc)
        AddSurface(sheet, f, DxfLayer::IncreasedWater, *hInc);
    if (const auto hc = Within(s.hc, f.top))
        AddCritical(sheet, f, *hc);
    AddDimensions(sheet, f, hInc);
    AddTitle(sheet, f, s);
}

} // namespace drawing
