// Hydraulic elements of the flume as calculated, for the section drawing.
//
// These figures stand beside the case results and never change them: they
// use double precision and the true value of π, where the case solvers keep
// to single precision and π = 3.14159. g = 9.81 m/s².
#pragma once

#include <optional>
#include <string_view>

namespace hydraulics {

enum class FlowRegime { Subcritical, Critical, Supercritical };
enum class SurfacePosition { InSemicircle, AtSemicircleTop, OnWalls };

// Geometry of the true U-section at depth y for width B.
struct SectionShape {
    double area;       // A, m²
    double perimeter;  // P, m (the water surface is not wetted)
    double topWidth;   // T, m
};
SectionShape TrueSection(double B, double y);

// Manning discharge of the true section at depth y, m³/s; 0 for y <= 0.
double TrueManningDischarge(double B, double y, double x, double n);

struct HydraulicElements {
    // Each figure is empty where it cannot be formed (zero area, Q = 0 for
    // the critical depth, a non-positive width ...).
    std::optional<double> A, P, R, T;
    std::optional<double> v;             // mean velocity Q/A, m/s
    std::optional<double> velocityHead;  // v²/2g, m
    std::optional<double> Fr;            // v/√(g·A/T)
    std::optional<FlowRegime> regime;    // critical within 1 % of Fr = 1
    std::optional<double> hc;            // critical depth, m, to 1 mm
    std::optional<SurfacePosition> surface;
};

// Elements of width B, depth h and discharge Q. The slope and roughness do
// not enter these figures; they enter the rating curve.
HydraulicElements ComputeElements(double B, double h, double Q);

// Depth where Q²·T = g·A³ for width B, by bisection to 1 mm; empty for
// Q <= 0 or B <= 0.
std::optional<double> CriticalDepth(double B, double Q);

std::string_view RegimeName(FlowRegime regime);        // 缓流 / 临界流 / 急流
std::string_view RegimeId(FlowRegime regime);          // subcritical / critical / supercritical
std::string_view SurfaceName(SurfacePosition surface); // 水面在半圆内 ...
std::string_view SurfaceId(SurfacePosition surface);   // in_semicircle / at_top / on_walls

} // namespace hydraulics
