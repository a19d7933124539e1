// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/dxfprofile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace drawing {
namespace {

constexpr double kMm = 1000;                           // drawing units (mm) per metre
constexpr double kLabelHeight = 3.5, kTitleHeight = 5; // paper mm

// Where things stand: stretch edges from the upstream end, elevations
// exaggerated above the datum (the lowest bed) at the origin.
struct Frame {
    DxfPoint origin;
    double n = 1;              // horizontal 1:N
    double e = 1;              // exaggeration
    double datum = 0;          // m
    std::array<double, 6> x{}; // m from the upstream end

    DxfPoint At(int edge, double level) const { return At(x[std::size_t(edge)] * kMm, level); }
    DxfPoint At(double units, double level) const {
        return {origin.x + units, origin.y + (level - datum) * kMm * e};
    }
};

constexpr std::array<double, 12> kScales = {50,   100,  200,  250,   500,   1000,
                                            2000, 2500, 5000, 10000, 20000, 50000};
constexpr double kPaperWidth = 400; // mm: an A3 sheet across, less its margins
constexpr double kCanalPaper = 40;  // mm: room for a canal's marks and names

// Transitions and flume, m.
double MiddleLength(const DxfProfile& p) {
    return p.connection.design.L1.value_or(0) + p.L + p.connection.design.L2.value_or(0);
}

// Stretch lengths, m: canal, L₁, L, L₂, canal. The canals are shown over
// 15 % of the rest, and at least 5 m and 40 mm of paper.
std::array<double, 5> Stretches(const DxfProfile& p) {
    const double canal =
        std::max({5.0, 0.15 * MiddleLength(p), kCanalPaper * ProfileScale(p) / kMm});
    return {canal, p.connection.design.L1.value_or(0), p.L, p.connection.design.L2.value_or(0),
            canal};
}

double TotalLength(const DxfProfile& p) {
    const auto s = Stretches(p);
    return s[0] + s[1] + s[2] + s[3] + s[4];
}

bool Complete(const hydraulics::ConnectionLevels& e) {
    return e.bedUpstream && e.bedInlet && e.bedOutlet && e.bedDownstream && e.levelUpstream &&
           e.levelDownstream;
}

std::string Level(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.3f", value);
    return text.data();
}

std::string Ratio(double n) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "1:%g", n);
    return text.data();
}

Frame MakeFrame(const DxfProfile& p, DxfPoint origin) {
    Frame f;
    f.origin = origin;
    f.n = ProfileScale(p);
    f.e = p.exaggeration;
    const hydraulics::ConnectionLevels& l = p.connection.levels;
    f.datum = std::min({*l.bedUpstream, *l.bedInlet, *l.bedOutlet, *l.bedDownstream});
    const auto s = Stretches(p);
    for (std::size_t k = 0; k < s.size(); ++k)
        f.x[k + 1] = f.x[k] + s[k];
    return f;
}

DxfPolyline Through(DxfLayer layer, double scale, const std::vector<DxfPoint>& points) {
    DxfPolyline line{layer, scale, {}, false};
    for (const DxfPoint& p : points)
        line.vertices.push_back({p});
    return line;
}

// Beds and the water at the design discharge.
void AddBedsAndWater(DxfSheet& sheet, const Frame& f, const DxfProfile& p) {
    const hydraulics::ConnectionLevels& l = p.connection.levels;
    sheet.shapes.push_back(
        Through(DxfLayer::Outline, f.n,
                {f.At(0, *l.bedUpstream), f.At(1, *l.bedUpstream), f.At(2, *l.bedInlet),
                 f.At(3, *l.bedOutlet), f.At(4, *l.bedDownstream), f.At(5, *l.bedDownstream)}));
    sheet.shapes.push_back(Through(DxfLayer::Water, f.n,
                                   {f.At(0, *l.levelUpstream), f.At(1, *l.levelUpstream),
                                    f.At(2, *l.bedInlet + p.h), f.At(3, *l.bedOutlet + p.h),
                                    f.At(4, *l.levelDownstream), f.At(5, *l.levelDownstream)}));
}

// The surface at the increased discharge: the upstream level it needs,
// the profile traced up the flume, the downstream level. False where the
// surface is not formed.
bool AddIncreased(DxfSheet& sheet, const Frame& f, const DxfProfile& p) {
    const hydraulics::ConnectionLevels& l = p.connection.levels;
    const hydraulics::ConnectionIncreased& r = p.connection.increased;
    if (!r.requiredH1 || !r.levelDownstream || r.profile.empty() || !(p.L > 0))
        return false;
    const double upstream = *l.bedUpstream + *r.requiredH1;
    std::vector<DxfPoint> points{f.At(0, upstream), f.At(1, upstream)};
    for (auto it = r.profile.rbegin(); it != r.profile.rend(); ++it) { // inlet to outlet
        const double share = it->distance / p.L;                       // 0 at the outlet
        const double bed = *l.bedOutlet + (*l.bedInlet - *l.bedOutlet) * share;
        points.push_back(f.At((f.x[3] - it->distance) * kMm, bed + it->depth));
    }
    points.push_back(f.At(4, *r.levelDownstream));
    points.push_back(f.At(5, *r.levelDownstream));
    sheet.shapes.push_back(Through(DxfLayer::IncreasedWater, f.n, points));
    return true;
}

// An elevation mark: ▽ with its tip on the line, a rule on its top with
// the value above it, towards the right or (`leftward`) the left. A water
// level's value stands under its surface instead, clear of the surface at
// the increased discharge just above.
void AddMark(DxfSheet& sheet, const Frame& f, DxfPoint tip, double level, bool leftward,
             DxfLayer layer) {
    const double n = f.n, top = tip.y + 3 * n;
    const bool water = layer == DxfLayer::Water;
    const std::string value = Level(level);
    const double width = TextWidth(value, kLabelHeight * n) + 2 * n;
    sheet.shapes.push_back(
        DxfPolyline{layer, n, {{tip}, {{tip.x - 1.5 * n, top}}, {{tip.x + 1.5 * n, top}}}, true});
    const double end = leftward ? tip.x - width : tip.x + width;
    if (!water)
        sheet.shapes.push_back(DxfLine{layer, n, {tip.x, top}, {end, top}});
    const DxfPoint at{tip.x + (leftward ? -n : n), water ? tip.y - n : top + 0.8 * n};
    sheet.shapes.push_back(DxfText{DxfLayer::Dimension, at, kLabelHeight * n, value, 0,
                                   leftward ? DxfHAlign::Right : DxfHAlign::Left,
                                   water ? DxfVAlign::Top : DxfVAlign::Baseline});
}

// A name under the bed at x (drawing units from the origin).
void AddBedName(DxfSheet& sheet, const Frame& f, DxfPoint at, const std::string& name,
                DxfHAlign align) {
    sheet.shapes.push_back(DxfText{DxfLayer::Text,
                                   {at.x, at.y - 1.5 * f.n},
                                   kLabelHeight * f.n,
                                   name,
                                   0,
                                   align,
                                   DxfVAlign::Top});
}

// ∇₃, ∇₁, ∇₂, ∇₄ on the beds, named under them; the canals' design water
// levels on their surfaces. The values stand over the canal for ∇₃ and ∇₄
// and over the flume for ∇₁ and ∇₂, clear of each other.
void AddMarks(DxfSheet& sheet, const Frame& f, const hydraulics::ConnectionLevels& l) {
    const double upstreamMid = (f.x[0] + f.x[1]) / 2 * kMm;
    const double downstreamMid = (f.x[4] + f.x[5]) / 2 * kMm;
    const DxfPoint b3 = f.At(upstreamMid, *l.bedUpstream), b1 = f.At(2, *l.bedInlet);
    const DxfPoint b2 = f.At(3, *l.bedOutlet), b4 = f.At(downstreamMid, *l.bedDownstream);
    AddMark(sheet, f, b3, *l.bedUpstream, true, DxfLayer::Dimension);
    AddMark(sheet, f, b1, *l.bedInlet, false, DxfLayer::Dimension);
    AddMark(sheet, f, b2, *l.bedOutlet, true, DxfLayer::Dimension);
    AddMark(sheet, f, b4, *l.bedDownstream, false, DxfLayer::Dimension);
    AddBedName(sheet, f, b3, "上游渠底", DxfHAlign::Centre);
    AddBedName(sheet, f, {b1.x + f.n, b1.y}, "槽身进口底", DxfHAlign::Left);
    AddBedName(sheet, f, {b2.x - f.n, b2.y}, "槽身出口底", DxfHAlign::Right);
    AddBedName(sheet, f, b4, "下游渠底", DxfHAlign::Centre);
    AddMark(sheet, f, f.At(upstreamMid, *l.levelUpstream), *l.levelUpstream, true, DxfLayer::Water);
    AddMark(sheet, f, f.At(downstreamMid, *l.levelDownstream), *l.levelDownstream, false,
            DxfLayer::Water);
}

// L₁, L and L₂ dimensioned below the beds (their extension lines mark
// where the stretches meet), the stretches named under them (the narrow
// transitions a row lower).
void AddStretches(DxfSheet& sheet, const Frame& f, const hydraulics::ConnectionLevels& l,
                  double low) {
    const std::array<double, 6> beds = {*l.bedUpstream, *l.bedUpstream,   *l.bedInlet,
                                        *l.bedOutlet,   *l.bedDownstream, *l.bedDownstream};
    const double n = f.n, dimY = f.At(0, low).y - 12 * n;
    const char* prefixes[] = {"L1=", "L=", "L2="};
    for (int k = 1; k <= 3; ++k) {
        DxfDimension d;
        d.first = f.At(k, beds[std::size_t(k)]);
        d.second = f.At(k + 1, beds[std::size_t(k + 1)]);
        d.line = {d.first.x, dimY};
        d.scale = n;
        d.prefix = prefixes[k - 1];
        if (f.x[std::size_t(k + 1)] > f.x[std::size_t(k)])
            AddDimensionShapes(sheet, d); // the sheet's dimensions are the section's
    }
    const char* names[] = {"上游渠道", "进口渐变段", "槽身", "出口渐变段", "下游渠道"};
    for (int k = 0; k < 5; ++k) {
        const double x = (f.At(k, low).x + f.At(k + 1, low).x) / 2;
        const double y = dimY - (k == 1 || k == 3 ? 8 : 2) * n;
        sheet.shapes.push_back(DxfText{DxfLayer::Text,
                                       {x, y},
                                       kLabelHeight * n,
                                       names[k],
                                       0,
                                       DxfHAlign::Centre,
                                       DxfVAlign::Top});
    }
}

// A sample of each surface's line with its name, left of `at`.
void AddLegend(DxfSheet& sheet, const Frame& f, DxfPoint at, bool increased) {
    const double n = f.n;
    const std::pair<DxfLayer, const char*> lines[] = {{DxfLayer::Water, "设计流量水面"},
                                                      {DxfLayer::IncreasedWater, "加大流量水面"}};
    for (int k = 0; k < (increased ? 2 : 1); ++k) {
        const DxfPoint start = at + DxfPoint{k * 70 * n, 0};
        sheet.shapes.push_back(DxfLine{lines[k].first, n, start, start + DxfPoint{30 * n, 0}});
        sheet.shapes.push_back(DxfText{DxfLayer::Text, start + DxfPoint{33 * n, 0},
                                       kLabelHeight * n, lines[k].second, 0, DxfHAlign::Left,
                                       DxfVAlign::Middle});
    }
}

// The title with both scales, the note on units and the legend under
// the drawing.
void AddTitle(DxfSheet& sheet, const Frame& f, const DxfProfile& p, double low, bool increased) {
    const double n = f.n;
    const DxfPoint middle{(f.At(0, low).x + f.At(5, low).x) / 2, f.At(0, low).y - 32 * n};
    std::string title = p.title.empty() ? std::string() : p.title + " ";
    title += "纵断面图  水平 " + Ratio(n) + "  竖向 " + Ratio(n / f.e);
    sheet.shapes.push_back(DxfText{DxfLayer::Text, middle, kTitleHeight * n, title, 0,
                                   DxfHAlign::Centre, DxfVAlign::Top});
    char exaggeration[32];
    std::snprintf(exaggeration, sizeof exaggeration, "%g", f.e);
    sheet.shapes.push_back(DxfText{DxfLayer::Text, middle - DxfPoint{0, 9 * n}, kLabelHeight * n,
                                   "高程单位：m；长度单位：mm；竖向比例为水平比例的 " +
                                       std::string(exaggeration) + " 倍。",
                                   0, DxfHAlign::Centre, DxfVAlign::Top});
    AddLegend(sheet, f, middle - DxfPoint{(increased ? 62 : 27) * n, 18 * n}, increased);
}

} // namespace

double ProfileScale(const DxfProfile& profile) {
    const double middle = MiddleLength(profile) * kMm;
    for (double n : kScales) {
        const double canal = std::max({5 * kMm / n, 0.15 * middle / n, kCanalPaper});
        if (middle / n + 2 * canal <= kPaperWidth)
            return n;
    }
    return kScales.back();
}

double ProfileGap(const DxfProfile& profile) {
    return 0.1 * TotalLength(profile) * kMm;
}

void AddProfile(DxfSheet& sheet, const DxfProfile& p, DxfPoint origin) {
    if (!(p.exaggeration >= kMinExaggeration && p.exaggeration <= kMaxExaggeration))
        throw std::invalid_argument("纵断面的竖向放大倍数须在 1 到 100 之间。");
    const hydraulics::ConnectionLevels& l = p.connection.levels;
    if (!Complete(l) || !(p.L > 0) || !(p.h > 0)) {
        sheet.shapes.push_back(DxfText{DxfLayer::Text, origin, kLabelHeight * 100,
                                       "渠道资料不全，高程无法确定，纵断面未画出。"});
        return;
    }
    const Frame f = MakeFrame(p, origin);
    AddBedsAndWater(sheet, f, p);
    const bool increased = AddIncreased(sheet, f, p);
    AddMarks(sheet, f, l);
    AddStretches(sheet, f, l, f.datum);
    AddTitle(sheet, f, p, f.datum, increased);
}

} // namespace drawing
