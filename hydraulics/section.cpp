// SPDX-License-Identifier: GPL-3.0-or-later
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

// What the user can check when a step fails: A/P with P = 0, the
// segment's cos = (B/2 - h)/(B/2) beyond ±1, Q = A R^(2/3) (1/x)^(1/2) / n.
constexpr StepCauses kDeepCauses{"槽宽 B 与槽内水深 h 都为零", "槽宽 B 为负数"};
constexpr StepCauses kSegmentCauses{"槽宽 B 为零", "槽内水深 h 或槽宽 B 为负数或过小"};
constexpr StepCauses kManningCauses{"槽身糙率 n 为零，或槽身比降 i = 1/x 中的 x 为零",
                                    "槽身比降的 x 为负数，或水深、槽宽为负数或过小"};
} // namespace

void DeepSectionGeometry(ProjectState& m, float B, float h) {
    InStep("计算槽内过水断面（水面在直墙段）时", kDeepCauses, [&] {
        const double b = static_cast<double>(B) / 2;
        m.FlowArea = Store(Pow(b, 2) * kPi / 2 + (h - b) * B);
        m.WettedPerimeter = Store((h - b) + (h - b) + B * kPi / 2);
        m.HydraulicRadius = Store(Div(m.FlowArea, m.WettedPerimeter));
    });
}

void SegmentSectionGeometry(ProjectState& m, float B, float h) {
    InStep("计算槽内过水断面（水面在半圆内）时", kSegmentCauses, [&] {
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

void AnyDepthSectionGeometry(ProjectState& m, float B, float h) {
    const float half = InStep("计算槽宽之半时", [&] { return Store(static_cast<double>(B) / 2); });
    if (half > h)
        SegmentSectionGeometry(m, B, h);
    else
        DeepSectionGeometry(m, B, h);
}

float ManningDischarge(const ProjectState& m, float x, float n) {
    return InStep("按曼宁公式计算流量时", kManningCauses, [&] {
        const double e = 2.0 / 3.0;
        const double t = Pow(m.HydraulicRadius, e) * m.FlowArea;
        const double s = Pow(Div(1.0, x), 0.5);
        return Store(Div(s * t, n));
    });
}

} // namespace hydraulics
