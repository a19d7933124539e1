// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/headloss.h"

#include "hydraulics/checked.h"
#include "hydraulics/numtext.h"

#include <cmath>

namespace hydraulics {

using checked::Div;
using checked::Pow;
using checked::Store;

namespace {
constexpr double kTwoG = 19.62; // 2g, g = 9.81 m/s²

// What the user can check: v = Q/A and Z2 = L/x; the split divides by ξ1 + ξ2.
constexpr StepCauses kLossCauses{"槽身比降的 x 为零，或槽宽、水深为零使过水断面面积为零"};
constexpr StepCauses kSplitCauses{"进口局部损失系数 ξ1 与出口局部损失系数 ξ2 之和为零"};
} // namespace

float FlumeVelocity(const ProjectState& m) {
    return Store(Div(m.BasicData[PosQ], m.FlowArea));
}

void LossTerms(ProjectState& m, bool withTotal) {
    InStep("计算水头损失时", kLossCauses, [&] {
        const auto& d = m.BasicData;
        const float v = FlumeVelocity(m);
        const float sum = Store(static_cast<double>(d[PosXi2]) + d[PosXi1]);
        const double canal2 = Pow(d[PosV], 2);
        const double flume2 = Pow(v, 2);
        m.NetLocalLoss = Store(sum * (flume2 - canal2) / kTwoG);
        m.FrictionLoss = Store(Div(d[PosL], d[PosX]));
        if (withTotal)
            m.TotalLoss = Store(static_cast<double>(m.FrictionLoss) + m.NetLocalLoss);
    });
}

void LocalLossSplit(ProjectState& m) {
    InStep("分配进口水头损失与出口水位回升时", kSplitCauses, [&] {
        const double xi1 = m.BasicData[PosXi1];
        const double xi2 = m.BasicData[PosXi2];
        m.InletLoss = Store(Div((xi1 + 1) * m.NetLocalLoss, xi2 + xi1));
        m.OutletRecovery = Store(Div((1 - xi2) * m.NetLocalLoss, xi2 + xi1));
    });
}

double RoundTo3(float value) {
    return std::floor(static_cast<double>(value) * 1000 + 0.5) / 1000;
}

std::string RoundTo3Decimals(float value) {
    return FormatDouble(RoundTo3(value));
}

} // namespace hydraulics
