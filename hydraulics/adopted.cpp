// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/adopted.h"

#include "hydraulics/canal.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/elements.h"
#include "hydraulics/formed.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/risingroot.h"
#include "hydraulics/sweep.h"

#include <algorithm>
#include <cmath>

namespace hydraulics {
namespace {

// Z₁, Z₂, Z₃ and Z by the case's formulas at velocity v.
void CaseLosses(const FlumeInputs& f, double x, VerifiedSection& s) {
    const double head = (*s.v * *s.v - f.V * f.V) / (2 * kG);
    s.Z1 = Finite((1 + f.xi1) * head);
    s.Z2 = Finite(f.L / x);
    s.Z3 = Finite((1 - f.xi2) * head);
    if (s.Z1 && s.Z2 && s.Z3)
        s.Z = Finite(*s.Z1 + *s.Z2 - *s.Z3);
}

void ConnectionLosses(VerifiedSection& s) {
    const ConnectionDesign& d = s.connection->design;
    s.Z1 = d.Z1;
    s.Z2 = d.Z2;
    s.Z3 = d.Z3;
    s.Z = d.drop;
}

CheckRow HeadRow(const VerifiedSection& s) {
    return {"给定水头",
            DecidingFigure(s.connection ? "ΔZ" : "Z", s.Z, *s.head, true,
                           s.headOk != Verdict::NotMet, "m"),
            "总水面降落不应大于给定水头 Z = " + FixedText(*s.head, 3) + " m",
            "情况 2 的给定水头",
            s.headOk,
            CheckLevel::Shall,
            "head"};
}

// The rows and the two verdicts over them.
void Judge(VerifiedSection& s) {
    s.rows = CheckRows(s.checks);
    if (s.connection)
        for (CheckRow& row : ConnectionChecks(*s.connection))
            s.rows.push_back(std::move(row));
    if (s.head)
        s.rows.push_back(HeadRow(s));
    s.ok = std::none_of(s.rows.begin(), s.rows.end(), [](const CheckRow& r) {
        return Fails(r) || (r.level == CheckLevel::Shall && r.verdict == Verdict::Unknown);
    });
    s.feasible = std::all_of(s.rows.begin(), s.rows.end(), Meets);
}

} // namespace

FlumeInputs FlumeInputsOf(int caseNo, const std::array<float, 8>& inputs) {
    std::array<double, 8> d{};
    for (std::size_t k = 0; k < d.size(); ++k)
        d[k] = TypedDecimal(inputs[k]);
    FlumeInputs f;
    f.caseNo = caseNo;
    f.L = d[PosL];
    f.V = d[PosV];
    f.n = d[PosN];
    f.xi1 = d[PosXi1];
    f.xi2 = d[PosXi2];
    // Box 1 is Q except in case 4 (h); box 3 is h in cases 1, 2 and B in
    // 3, 4; box 4 is x except in case 2 (the head).
    (caseNo == 4 ? f.h : f.Q) = d[0];
    (caseNo <= 2 ? f.h : f.B) = d[2];
    (caseNo == 2 ? f.head : f.x) = d[3];
    return f;
}

std::optional<double> ExactWidth(double Q, double h, double x, double n) {
    if (!Positive(Q) || !Positive(h) || !Positive(x) || !Positive(n))
        return std::nullopt;
    // Manning's discharge at a fixed depth grows with the width.
    return RisingRoot([&](double B) { return TrueManningDischarge(B, h, x, n) - Q; }, h, 0);
}

std::optional<WidthAndSlope> ExactWidthAndSlope(const FlumeInputs& f) {
    if (!Positive(f.head) || !Positive(f.L) || !std::isfinite(f.V) || !std::isfinite(f.xi1 + f.xi2))
        return std::nullopt;
    // The loss less the head, falling with x; NaN where no width forms.
    const auto excess = [&](double x) {
        const std::optional<double> B = ExactWidth(f.Q, f.h, x, f.n);
        if (!B)
            return std::nan("");
        const double v = f.Q / TrueSection(*B, f.h).area;
        return f.L / x + (f.xi1 + f.xi2) * (v * v - f.V * f.V) / (2 * kG) - f.head;
    };
    // Bracket on a doubling scale around the slope that spends the head on
    // friction alone, then bisect on the logarithm of x to the last bit.
    double low = f.L / f.head, high = low;
    for (int k = 0; k < 200 && !(excess(low) > 0); ++k)
        low /= 2;
    for (int k = 0; k < 200 && !(excess(high) < 0); ++k)
        high *= 2;
    if (!(excess(low) > 0) || !(excess(high) < 0))
        return std::nullopt;
    for (int k = 0; k < 2000; ++k) {
        const double mid = std::sqrt(low * high);
        if (!(mid > low && mid < high))
            break;
        (excess(mid) > 0 ? low : high) = mid;
    }
    const double x = (low + high) / 2;
    const std::optional<double> B = ExactWidth(f.Q, f.h, x, f.n);
    return B ? std::optional<WidthAndSlope>({*B, x}) : std::nullopt;
}

double StepMultiple(double k, double step) {
    return std::round(k * step * 1e9) / 1e9;
}

double RoundUpToStep(double value, double step) {
    return StepMultiple(std::ceil(value / step - 1e-9), step);
}

double StepMultiples::count() const {
    if (!(std::fabs(first) < 0x1p53 && std::fabs(last) < 0x1p53))
        return HUGE_VAL;
    return std::max(0.0, last - first + 1);
}

StepMultiples StepMultiplesIn(double low, double high, double step) {
    return {std::ceil(low / step - 1e-9), std::floor(high / step + 1e-9)};
}

std::optional<VerifiedSection> VerifySection(const FlumeInputs& f,
                                             const DesignConditions& conditions,
                                             const std::optional<ConnectionInput>& canals, double B,
                                             double x) {
    VerifiedSection s;
    s.B = B;
    s.x = x;
    if (f.caseNo == 4) {
        s.h = f.h;
        s.Q = TrueManningDischarge(B, f.h, x, f.n);
    } else {
        s.Q = f.Q;
        const std::optional<double> h = FlumeNormalDepth(B, f.Q, x, f.n);
        if (!h)
            return std::nullopt;
        s.h = *h;
    }
    if (!Positive(s.h) || !Positive(s.Q))
        return std::nullopt;
    const DesignPoint point{B, s.h, s.Q, x, f.n, false};
    const HydraulicElements e = ComputeElements(point);
    s.v = e.v;
    s.Fr = e.Fr;
    s.hc = e.hc;
    if (!s.v)
        return std::nullopt;
    if (canals) {
        s.connection =
            ComputeConnection(ConnectionFlume{point, f.L, f.xi1, f.xi2, conditions.increasePercent,
                                              conditions.region},
                              *canals);
        ConnectionLosses(s);
    } else {
        CaseLosses(f, x, s);
    }
    s.checks = CheckDesign(point, f.L, conditions, s.connection ? &*s.connection : nullptr, true);
    if (s.connection && s.checks.H) {
        const ConnectionLevels& levels = s.connection->levels;
        if (levels.bedInlet)
            s.topInlet = *levels.bedInlet + *s.checks.H;
        if (levels.bedOutlet)
            s.topOutlet = *levels.bedOutlet + *s.checks.H;
    }
    if (f.caseNo == 2) {
        s.head = f.head;
        if (s.Z)
            s.headOk = *s.Z <= f.head + kLimitSlack ? Verdict::Met : Verdict::NotMet;
    }
    Judge(s);
    return s;
}

std::optional<AdoptedSection> AdoptSection(const FlumeInputs& f, const DesignConditions& conditions,
                                           const std::optional<ConnectionInput>& canals) {
    AdoptedSection a;
    double B = f.B, x = f.x;
    if (f.caseNo == 1) {
        const std::optional<double> exact = ExactWidth(f.Q, f.h, f.x, f.n);
        if (!exact)
            return std::nullopt;
        a.exactB = *exact;
        B = RoundUpToStep(*exact, conditions.widthStep);
    } else if (f.caseNo == 2) {
        const std::optional<WidthAndSlope> exact = ExactWidthAndSlope(f);
        if (!exact)
            return std::nullopt;
        a.exactB = exact->B;
        a.exactX = exact->x;
        B = RoundUpToStep(exact->B, conditions.widthStep);
        x = std::ceil(TrueManningSlopeX(B, f.h, f.Q, f.n) * (1 - 1e-12));
    } else {
        a.exactB = f.B;
    }
    if (!Positive(B) || !Positive(x))
        return std::nullopt;
    std::optional<VerifiedSection> s = VerifySection(f, conditions, canals, B, x);
    if (!s)
        return std::nullopt;
    a.section = std::move(*s);
    return a;
}

} // namespace hydraulics
