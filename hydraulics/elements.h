// SPDX-License-Identifier: GPL-3.0-or-later
// Hydraulic elements of the flume as calculated, for the section drawing.
//
// These figures stand beside the case results and never change them: they
// use double precision and the true value of π, where the case solvers keep
// to single precision and π = 3.14159. g = 9.81 m/s².
#pragma once

#include "hydraulics/projectstate.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hydraulics {

constexpr double kG = 9.81; // acceleration of gravity, m/s²

enum class FlowRegime { Subcritical, Critical, Supercritical };
enum class SurfacePosition { InSemicircle, AtSemicircleTop, OnWalls };

// Geometry of the true U-section at depth y for width B.
struct SectionShape {
    double area;      // A, m²
    double perimeter; // P, m (the water surface is not wetted)
    double topWidth;  // T, m
};
SectionShape TrueSection(double B, double y);

// Manning discharge of the true section at depth y, m³/s; 0 for y <= 0.
double TrueManningDischarge(double B, double y, double x, double n);

// The slope denominator x (i = 1/x) at which the true section carries Q at
// depth y: x = (A·R^(2/3) / (Q·n))². Not finite where the section does not form.
double TrueManningSlopeX(double B, double y, double Q, double n);

struct HydraulicElements {
    // Each figure is empty where it cannot be formed (zero area, Q = 0 for
    // the critical depth, a non-positive width ...).
    std::optional<double> A, P, R, T;
    std::optional<double> v;            // mean velocity Q/A, m/s
    std::optional<double> velocityHead; // v²/2g, m
    std::optional<double> Fr;           // v/√(g·A/T)
    std::optional<FlowRegime> regime;   // critical within 1 % of Fr = 1
    std::optional<double> hc;           // critical depth, m, to the last double
    std::optional<SurfacePosition> surface;
};

// Elements of width B, depth h and discharge Q. The slope and roughness do
// not enter these figures; they enter the rating curve.
HydraulicElements ComputeElements(double B, double h, double Q);

// Depth where Q²·T = g·A³ for width B, by bisection to `tolerance` (m;
// 0, the default, halves until double precision cannot split the bracket,
// so every shown decimal is right); empty for Q <= 0 or B <= 0.
std::optional<double> CriticalDepth(double B, double Q, double tolerance = 0);

std::string_view RegimeName(FlowRegime regime);        // 缓流 / 临界流 / 急流
std::string_view RegimeId(FlowRegime regime);          // subcritical / critical / supercritical
std::string_view SurfaceName(SurfacePosition surface); // 水面在半圆内 ...
std::string_view SurfaceId(SurfacePosition surface);   // in_semicircle / at_top / on_walls

// The flume of a successful calculation: width, depth, discharge, slope
// denominator and roughness, given or found, as the case leaves them.
struct DesignPoint {
    double B; // channel width, m
    double h; // water depth, m
    double Q; // discharge, m³/s
    double x; // slope i = 1/x
    double n; // Manning's roughness
    // Found by the straight-wall formulas of cases 1 and 2, which hold
    // only for h ≥ B/2; cases 3 and 4 use the true section at any depth.
    bool straightWalls = false;
};

// Reads the design point of case `caseNo` (1..4) from `m` right after
// SolveCase succeeded. Every case leaves the width in ChannelWidth and the
// depth, discharge, slope and roughness at their BasicData positions (the
// found one among them written by the solver). Throws std::out_of_range
// for another case number.
DesignPoint FromCase(const ProjectState& m, int caseNo);

// The elements of a design point.
HydraulicElements ComputeElements(const DesignPoint& point);

// One row of the elements table: name, symbol and unit as shown beside the
// section, and the value.
struct ElementRow {
    std::string_view name;   // 过水断面面积
    std::string_view symbol; // A
    std::string_view unit;   // m² (empty for a pure number)
    std::optional<double> value;
};
constexpr std::size_t kElementRowCount = 8;

// A, P, R, T, v, v²/2g, Fr, hc in that order.
std::array<ElementRow, kElementRowCount> ElementRows(const HydraulicElements& e);

// `value` with three decimals ("1.571"), locale-free; "—" when empty or
// not finite. A value that rounds to zero shows as "0.000", never "-0.000".
std::string FormatElement(const std::optional<double>& value);

// The regime and surface in Chinese, "—" when empty.
std::string_view RegimeText(const std::optional<FlowRegime>& regime);
std::string_view SurfaceText(const std::optional<SurfacePosition>& surface);

// A point of the rating curve.
struct RatingPoint {
    double depth;     // m
    double discharge; // m³/s
};

// The rating curve of width B, slope 1/x and roughness n: `count` depths
// evenly spaced from maxDepth/count to maxDepth (the empty section at depth
// 0 carries nothing and is left out), with their Manning discharges of the
// true section. Empty for count < 1 or maxDepth <= 0.
std::vector<RatingPoint> RatingCurve(double B, double x, double n, double maxDepth, int count);

} // namespace hydraulics
