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

// What the user can check: v = Q/A and Z2 = L/x; the split divides by ξ1 + ξ2,
// which, once not zero, can still be small enough to overflow the shares.
constexpr StepCauses kLossCauses{"槽身比降的 x 为零，或槽宽、水深为零使过水断面面积为零"};
constexpr StepCauses kSplitCauses{nullptr, nullptr,
                                  "进口局部损失系数 ξ1 与出口局部损失系数 ξ2 之和过小"};
// ξ1 + ξ2 = 0: the inlet loss and the outlet recovery are the shares
// (1 + ξ1) and (1 − ξ2) of K/(ξ1 + ξ2), which no sum of zero can split.
constexpr const char* kZeroSumRefusal =
    "进口局部损失系数 ξ1 与出口局部损失系数 ξ2 不能同时为零，两者之和也不能为零：进口水头损失 Z1 "
    "与出口水位回升 Z3 是按 ξ1、ξ2 从局部水头损失中分出的。请按 GB 50288-2018 表 K.1.2 "
    "依进、出口渐变段的形式取 ξ1、ξ2（例如直线形扭曲面 ξ1 = 0.05～0.30，ξ2 = 0.30～0.50）。";
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
    const double xi1 = m.BasicData[PosXi1];
    const double xi2 = m.BasicData[PosXi2];
    if (xi2 + xi1 == 0) {
        // The split is K·(ξ1 + 1)/(ξ1 + ξ2): the kind is what that division
        // meets, the words are the designer's.
        const double inlet = (xi1 + 1) * m.NetLocalLoss;
        throw CalcError::Refusal(inlet == 0 ? ErrorKind::InvalidOperation
                                            : ErrorKind::DivisionByZero,
                                 "进口局部损失系数 ξ1 与出口局部损失系数 ξ2", kZeroSumRefusal);
    }
    InStep("分配进口水头损失与出口水位回升时", kSplitCauses, [&] {
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
