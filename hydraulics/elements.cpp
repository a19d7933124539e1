// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/elements.h"

#include "hydraulics/formed.h"
#include "hydraulics/risingroot.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace hydraulics {
namespace {

constexpr double kTopTolerance = 0.0005; // m, water level counted as the semicircle's top

} // namespace

SectionShape TrueSection(double B, double y) {
    const double r = B / 2;
    if (y <= 0 || B <= 0)
        return {0, 0, 0};
    if (y >= r) {
        // Full semicircle plus the rectangle between the walls.
        return {std::numbers::pi * r * r / 2 + B * (y - r), std::numbers::pi * r + 2 * (y - r), B};
    }
    // Circular segment of half angle θ measured from the downward vertical.
    const double theta = std::acos((r - y) / r);
    return {r * r * (theta - std::sin(theta) * std::cos(theta)), B * theta,
            2 * std::sqrt(y * (B - y))};
}

double TrueManningDischarge(double B, double y, double x, double n) {
    const SectionShape s = TrueSection(B, y);
    if (!Positive(s.area) || !Positive(s.perimeter) || !Positive(x) || !Positive(n))
        return 0;
    return s.area * std::pow(s.area / s.perimeter, 2.0 / 3.0) * std::sqrt(1 / x) / n;
}

double TrueManningSlopeX(double B, double y, double Q, double n) {
    const SectionShape s = TrueSection(B, y);
    const double root = s.area * std::pow(s.area / s.perimeter, 2.0 / 3.0) / (Q * n);
    return root * root;
}

std::optional<double> CriticalDepth(double B, double Q, double tolerance) {
    if (!Positive(B) || !Positive(Q))
        return std::nullopt;
    // g·A³ − Q²·T rises with y: A³/T grows from 0 without bound.
    return RisingRoot(
        [&](double y) {
            const SectionShape s = TrueSection(B, y);
            return kG * s.area * s.area * s.area - Q * Q * s.topWidth;
        },
        B / 2, tolerance);
}

HydraulicElements ComputeElements(double B, double h, double Q) {
    HydraulicElements e;
    if (!Positive(B) || !std::isfinite(h) || !std::isfinite(Q))
        return e;
    const double r = B / 2;
    e.hc = CriticalDepth(B, Q);
    if (h <= 0)
        return e; // an empty flume: no surface, no section
    e.surface = std::fabs(h - r) <= kTopTolerance ? SurfacePosition::AtSemicircleTop
                : h < r                           ? SurfacePosition::InSemicircle
                                                  : SurfacePosition::OnWalls;
    const SectionShape s = TrueSection(B, h);
    if (!Positive(s.area))
        return e;
    e.A = s.area;
    e.P = s.perimeter;
    e.T = s.topWidth;
    if (Positive(s.perimeter))
        e.R = s.area / s.perimeter;
    if (Q <= 0)
        return e; // no flow: velocity, Froude number and regime mean nothing
    e.v = Q / s.area;
    e.velocityHead = *e.v * *e.v / (2 * kG);
    if (Positive(s.topWidth)) {
        e.Fr = *e.v / std::sqrt(kG * s.area / s.topWidth);
        e.regime = std::fabs(*e.Fr - 1) <= 0.01 ? FlowRegime::Critical
                   : *e.Fr < 1                  ? FlowRegime::Subcritical
                                                : FlowRegime::Supercritical;
    }
    return e;
}

std::string_view RegimeName(FlowRegime regime) {
    switch (regime) {
    case FlowRegime::Subcritical:
        return "缓流";
    case FlowRegime::Critical:
        return "临界流";
    case FlowRegime::Supercritical:
        return "急流";
    }
    return "";
}

std::string_view RegimeId(FlowRegime regime) {
    switch (regime) {
    case FlowRegime::Subcritical:
        return "subcritical";
    case FlowRegime::Critical:
        return "critical";
    case FlowRegime::Supercritical:
        return "supercritical";
    }
    return "";
}

std::string_view SurfaceName(SurfacePosition surface) {
    switch (surface) {
    case SurfacePosition::InSemicircle:
        return "水面在半圆内";
    case SurfacePosition::AtSemicircleTop:
        return "水面在半圆顶";
    case SurfacePosition::OnWalls:
        return "水面在直墙段";
    }
    return "";
}

std::string_view SurfaceId(SurfacePosition surface) {
    switch (surface) {
    case SurfacePosition::InSemicircle:
        return "in_semicircle";
    case SurfacePosition::AtSemicircleTop:
        return "at_top";
    case SurfacePosition::OnWalls:
        return "on_walls";
    }
    return "";
}

HydraulicElements ComputeElements(const DesignPoint& point) {
    return ComputeElements(point.B, point.h, point.Q);
}

DesignPoint FromCase(const ProjectState& m, int caseNo) {
    if (caseNo < 1 || caseNo > 4)
        throw std::out_of_range("case number must be 1 to 4");
    // Case 1 finds B, case 2 B and x, case 3 h, case 4 Q; each solver leaves
    // what it found where the given value of another case would stand.
    return {m.ChannelWidth,    m.BasicData[PosH], m.BasicData[PosQ],
            m.BasicData[PosX], m.BasicData[PosN], caseNo <= 2};
}

std::array<ElementRow, kElementRowCount> ElementRows(const HydraulicElements& e) {
    return {{
        {"过水断面面积", "A", "m²", e.A},
        {"湿周", "P", "m", e.P},
        {"水力半径", "R", "m", e.R},
        {"水面宽度", "T", "m", e.T},
        {"断面平均流速", "v", "m/s", e.v},
        {"流速水头", "v²/2g", "m", e.velocityHead},
        {"弗劳德数", "Fr", "", e.Fr},
        {"临界水深", "hc", "m", e.hc},
    }};
}

std::string FormatElement(const std::optional<double>& value) {
    if (!value || !std::isfinite(*value))
        return "—";
    double shown = *value;
    if (std::fabs(shown) < 0.0005)
        shown = 0; // no "-0.000"
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::fixed, 3);
    if (ec != std::errc())
        return "—";
    return std::string(buffer, end);
}

std::string_view RegimeText(const std::optional<FlowRegime>& regime) {
    return regime ? RegimeName(*regime) : "—";
}

std::string_view SurfaceText(const std::optional<SurfacePosition>& surface) {
    return surface ? SurfaceName(*surface) : "—";
}

std::vector<RatingPoint> RatingCurve(double B, double x, double n, double maxDepth, int count) {
    std::vector<RatingPoint> curve;
    if (count < 1 || !Positive(maxDepth))
        return curve;
    curve.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        const double depth = maxDepth * k / count;
        curve.push_back({depth, TrueManningDischarge(B, depth, x, n)});
    }
    return curve;
}

} // namespace hydraulics
