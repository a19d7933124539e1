#include "hydraulics/section.h"

#include "hydraulics/checked.h"

#include <cmath>

namespace hydraulics {

using checked::Div;
using checked::Pow;
using checked::Sqrt;
using checked::Store;

namespace {
constexpr double kPi = 3.14159;    // π as the design tables take it
constexpr double kHalfPi = 1.5708; // π/2 in the segment angle
} // namespace

void DeepSectionGeometry(Module1& m, float B, float h) {
    InStep("计算槽内过水断面（水面在直墙段）时", [&] {
        const double b = static_cast<double>(B) / 2;
        m.FlowArea = Store(Pow(b, 2) * kPi / 2 + (h - b) * B);
        m.WettedPerimeter = Store((h - b) + (h - b) + B * kPi / 2);
        m.HydraulicRadius = Store(Div(m.FlowArea, m.WettedPerimeter));
    });
}

void SegmentSectionGeometry(Module1& m, float B, float h) {
    InStep("计算槽内过水断面（水面在半圆内）时", [&] {
        const float d = Store(static_cast<double>(B) / 2 - h);
        const float r = Store(static_cast<double>(B) / 2);
        const float c = Store(Div(d, r));
        const float cc = Store(static_cast<double>(c) * c);
        const float oneLessCc = Store(1.0 - cc);
        const double s = Sqrt(oneLessCc);
        const double theta = kHalfPi - std::atan(Div(c, s));
        const double half = static_cast<double>(B) / 2;
        m.FlowArea = Store(Pow(half, 2) / 2 * (2 * theta - std::sin(2 * theta)));
        m.WettedPerimeter = Store(B * theta);
        m.HydraulicRadius = Store(Div(m.FlowArea, m.WettedPerimeter));
    });
}

void AnyDepthSectionGeometry(Module1& m, float B, float h) {
    const float half = InStep("计算槽宽之半时", [&] { return Store(static_cast<double>(B) / 2); });
    if (half > h)
        SegmentSectionGeometry(m, B, h);
    else
        DeepSectionGeometry(m, B, h);
}

float ManningDischarge(const Module1& m, float x, float n) {
    return InStep("按曼宁公式计算流量时", [&] {
        const double e = 2.0 / 3.0;
        const double t = Pow(m.HydraulicRadius, e) * m.FlowArea;
        const double s = Pow(Div(1.0, x), 0.5);
        return Store(Div(s * t, n));
    });
}

} // namespace hydraulics
