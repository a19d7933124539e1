// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/searches.h"

#include "hydraulics/checked.h"
#include "hydraulics/headloss.h"
#include "hydraulics/section.h"

#include <cmath>

namespace hydraulics {

using checked::Div;
using checked::Store;

namespace {

constexpr int kScanSteps = 20;    // whole metres 1..20
constexpr int kHalvingSteps = 20; // steps of 1/2^k m, k = 1..20
constexpr float kRelTolerance = 0.001f;
constexpr float kHeadTolerance = 0.002f; // m, on the total head loss

// One halving step towards Q from the discharge of the previous trial:
// down when it carried too much, up when too little, unchanged when equal.
float Halve(float value, float Qc, float Q, int k) {
    const double step = 1.0 / std::pow(2.0, k);
    if (Qc > Q)
        return Store(value - step);
    if (Qc < Q)
        return Store(value + step);
    return value;
}

// Int(value·100 + 0.5)/100: the nearest centimetre, halves upward.
float ToCentimetre(float value) {
    return Store(std::floor(static_cast<double>(value) * 100 + 0.5) / 100);
}

// The bracketing both searches share. `trial(value)` sets the unknown to
// value and evaluates the section, leaving Qc in CalcDischarge. Scans whole
// metres 1..20 until a trial carries more than Q (else stays at 20), then
// halves steps of 1/2^k m towards Q; runs `onSuccess` and returns true once
// |1 − Q/Qc| < 0.001.
template <class Trial>
bool ScanAndHalve(const ProjectState& m, const float& unknown, Trial trial,
                  const std::function<void()>& onSuccess) {
    const float Q = m.BasicData[PosQ];
    for (int j = 1; j <= kScanSteps; ++j) {
        trial(static_cast<float>(j));
        if (m.CalcDischarge > Q)
            break;
    }
    for (int k = 1; k <= kHalvingSteps; ++k) {
        trial(Halve(unknown, m.CalcDischarge, Q, k));
        if (RelativeDischargeError(Q, m.CalcDischarge) < kRelTolerance) {
            onSuccess();
            return true;
        }
    }
    return false;
}

} // namespace

float RelativeDischargeError(float Q, float Qc) {
    return Store(std::fabs(1.0 - Div(Q, Qc)));
}

bool WidthSearch(ProjectState& m, const std::function<void()>& onSuccess,
                 const SearchTrace& trace) {
    return InStep("试算槽宽时", {"流量 Q 为零", "槽内水深 h 为负数或过小"}, [&] {
        const float h = m.BasicData[PosH];
        const float x = m.BasicData[PosX];
        const float n = m.BasicData[PosN];
        auto trial = [&](float B) {
            m.ChannelWidth = B;
            DeepSectionGeometry(m, B, h);
            m.CalcDischarge = ManningDischarge(m, x, n);
            if (trace)
                trace(m);
        };
        return ScanAndHalve(m, m.ChannelWidth, trial, onSuccess);
    });
}

SlopeSearchResult SlopeSearch(ProjectState& m, const SearchTrace& trace) {
    return InStep("试算槽身比降时", {"水头 Z 或流量 Q 为零"}, [&]() -> SlopeSearchResult {
        const float Zg = m.TotalLoss;
        const float L = m.BasicData[PosL];
        m.FrictionLoss = 0;
        m.NetLocalLoss = 0;
        const auto roundWidthAndLosses = [&] {
            m.ChannelWidth = ToCentimetre(m.ChannelWidth);
            LossTerms(m, false);
        };
        for (int k = 1; k <= kHalvingSteps; ++k) {
            const double step = Zg / std::pow(2.0, k);
            if (Store(static_cast<double>(m.FrictionLoss) + m.NetLocalLoss) < Zg)
                m.FrictionLoss = Store(m.FrictionLoss + step);
            if (Store(static_cast<double>(m.FrictionLoss) + m.NetLocalLoss) > Zg)
                m.FrictionLoss = Store(m.FrictionLoss - step);
            m.BasicData[PosX] = Store(Div(L, m.FrictionLoss));
            const bool widthFound = WidthSearch(m, roundWidthAndLosses);
            if (trace)
                trace(m);
            const float d =
                Store(std::fabs(static_cast<double>(m.FrictionLoss) + m.NetLocalLoss - Zg));
            if (d < kHeadTolerance) {
                m.TotalLoss = Store(static_cast<double>(m.FrictionLoss) + m.NetLocalLoss);
                return {true, widthFound};
            }
        }
        return {false, false};
    });
}

bool DepthSearch(ProjectState& m, const SearchTrace& trace) {
    return InStep("试算槽内水深时", {"槽宽 B 或流量 Q 为零", "槽宽 B 为负数或过小"}, [&] {
        const float B = m.ChannelWidth;
        const float x = m.BasicData[PosX];
        const float n = m.BasicData[PosN];
        auto trial = [&](float h) {
            m.BasicData[PosH] = h;
            AnyDepthSectionGeometry(m, B, h);
            m.CalcDischarge = ManningDischarge(m, x, n);
            if (trace)
                trace(m);
        };
        return ScanAndHalve(m, m.BasicData[PosH], trial, [&] {
            // Found: the depth to the centimetre; the losses use the area of
            // the last trial depth, not of the rounded one.
            m.BasicData[PosH] = ToCentimetre(m.BasicData[PosH]);
            LossTerms(m, true);
        });
    });
}

} // namespace hydraulics
