// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/designchecks.h"

#include "hydraulics/risingroot.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hydraulics {
namespace {

constexpr double kMinVelocity = 1.0;         // m/s
constexpr double kMaxVelocity = 2.5;         // m/s
constexpr double kFreeboardShare = 0.1;      // freeboard at the design discharge, × B
constexpr double kIncreasedFreeboard = 0.10; // m, at the increased discharge
constexpr double kMinDepthRatio = 0.7;       // H/B
constexpr double kMaxDepthRatio = 0.9;       // H/B
constexpr double kShortFlumeDepths = 15;     // L ≤ 15·h: a short flume
// A design set right at an inclusive limit (H = 0.9·B, v = 2.5 m/s) must
// not fail by round-off.
constexpr double kSlack = 1e-9;

bool Positive(double value) {
    return std::isfinite(value) && value > 0;
}

std::optional<double> Finite(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> Finite(const std::optional<double>& value) {
    return value ? Finite(*value) : std::nullopt;
}

// Normal depth of Q in the true section by Manning's formula. The
// discharge grows with depth in the semicircle and on the walls alike.
std::optional<double> NormalDepth(double B, double Q, double x, double n) {
    return RisingRoot([&](double y) { return TrueManningDischarge(B, y, x, n) - Q; }, B / 2, 0);
}

// Denominator of the critical slope: x_c = 1/i_c with
// i_c = (Q·n / (A_c·R_c^(2/3)))² at the critical depth.
std::optional<double> CriticalSlopeX(double B, double Q, double n) {
    // To the last double: the display's 1 mm is too coarse for the critical
    // slope of a mild design.
    const std::optional<double> hc = CriticalDepth(B, Q, 0);
    if (!hc)
        return std::nullopt;
    const SectionShape s = TrueSection(B, *hc);
    if (!Positive(s.area) || !Positive(s.perimeter))
        return std::nullopt;
    const double root = s.area * std::pow(s.area / s.perimeter, 2.0 / 3.0) / (Q * n);
    const double xc = root * root;
    return Positive(xc) ? std::optional<double>(xc) : std::nullopt;
}

Verdict MetIf(bool met) {
    return met ? Verdict::Met : Verdict::NotMet;
}

// Both parts must be met; one part not met decides, a missing part leaves
// the verdict open.
Verdict Both(Verdict a, Verdict b) {
    if (a == Verdict::NotMet || b == Verdict::NotMet)
        return Verdict::NotMet;
    return a == Verdict::Met && b == Verdict::Met ? Verdict::Met : Verdict::Unknown;
}

constexpr std::array<double, 6> kRowFloors = {0, 1, 5, 20, 50, 100}; // m³/s
constexpr std::array<IncreaseRow, 7> kIncreaseRows = {{
    {30, 35, "35～30"},
    {25, 30, "30～25"},
    {20, 25, "25～20"},
    {15, 20, "20～15"},
    {10, 15, "15～10"},
    {5, 10, "10～5"},
    {0, 5, "< 5"},
}};

void CheckIncrease(const DesignPoint& p, std::optional<double> given, DesignChecks& c) {
    const bool flowing = Positive(p.Q);
    if (given)
        c.increasePercent =
            std::isfinite(*given) && *given >= kMinIncreasePercent && *given <= kMaxIncreasePercent
                ? given
                : std::nullopt;
    else if (flowing)
        c.increasePercent = DefaultIncreasePercent(p.Q);
    if (!flowing || !c.increasePercent)
        return;
    c.Qinc = Finite(p.Q * (1 + *c.increasePercent / 100));
    if (c.Qinc && Positive(p.B) && Positive(p.x) && Positive(p.n))
        c.hinc = NormalDepth(p.B, *c.Qinc, p.x, p.n);
    const double percent = *c.increasePercent;
    c.increase = percent >= c.increaseRow.low && percent <= c.increaseRow.high ? Verdict::Met
                                                                               : Verdict::Note;
}

void CheckNetDepth(const DesignPoint& p, DesignChecks& c) {
    if (!Positive(p.B) || !Positive(p.h))
        return;
    c.H1 = Finite(p.h + kFreeboardShare * p.B);
    if (c.hinc)
        c.H2 = Finite(*c.hinc + kIncreasedFreeboard);
    if (!c.H1 || !c.H2)
        return;
    c.H = std::max({*c.H1, *c.H2, kMinDepthRatio * p.B});
    c.ratio = Finite(*c.H / p.B);
    if (c.ratio)
        c.netDepth = MetIf(*c.ratio <= kMaxDepthRatio + kSlack);
}

// "30", "27.5": a percentage without trailing zeros.
std::string FormatPercent(const std::optional<double>& value) {
    std::string text = FormatElement(value);
    if (text.find('.') == std::string::npos)
        return text;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace

std::string CheckFigure(std::string_view symbol, const std::optional<double>& value,
                        std::string_view unit, bool percent) {
    std::string text(symbol);
    text += " = ";
    if (!Finite(value))
        return text + "—";
    text += percent ? FormatPercent(value) : FormatElement(value);
    if (!unit.empty())
        text.append(" ").append(unit);
    return text;
}

std::string JoinFigures(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "，") + part;
    return text;
}

Verdict Applicability(const DesignPoint& p) {
    if (!Positive(p.B) || !std::isfinite(p.h))
        return Verdict::Unknown;
    return MetIf(!p.straightWalls || p.h >= p.B / 2 - kSlack);
}

IncreaseRow IncreaseRange(double Q) {
    if (Q > 300)
        return kIncreaseRows.back();
    // Q = 300 closes the 100～300 row; every other row starts at its floor.
    for (std::size_t i = kRowFloors.size(); i-- > 1;)
        if (Q >= kRowFloors[i])
            return kIncreaseRows[i];
    return kIncreaseRows.front();
}

double DefaultIncreasePercent(double Q) {
    return IncreaseRange(Q).high;
}

DesignChecks CheckDesign(const DesignPoint& p, double L, std::optional<double> increasePercent) {
    DesignChecks c;
    c.increaseRow = IncreaseRange(p.Q);
    const HydraulicElements e = ComputeElements(p.B, p.h, p.Q);
    c.straightWalls = p.straightWalls;
    c.applicability = Applicability(p);
    if (c.applicability != Verdict::Unknown)
        c.depthRatio = Finite(p.h / p.B);

    c.v = Finite(e.v);
    if (c.v)
        c.velocity = MetIf(*c.v >= kMinVelocity - kSlack && *c.v <= kMaxVelocity + kSlack);

    c.Fr = Finite(e.Fr);
    if (Positive(p.B) && Positive(p.Q) && Positive(p.n))
        c.criticalSlopeX = CriticalSlopeX(p.B, p.Q, p.n);
    const Verdict subcritical = c.Fr ? MetIf(*c.Fr < 1) : Verdict::Unknown;
    const Verdict mild =
        c.criticalSlopeX && Positive(p.x) ? MetIf(p.x > *c.criticalSlopeX) : Verdict::Unknown;
    c.mildSlope = Both(subcritical, mild);

    CheckIncrease(p, increasePercent, c);
    CheckNetDepth(p, c);

    if (Positive(L) && Positive(p.h)) {
        c.shortRatio = Finite(L / p.h);
        c.shortFlume = L > kShortFlumeDepths * p.h ? Verdict::Met : Verdict::Note;
    }
    return c;
}

std::vector<CheckRow> CheckRows(const DesignChecks& c) {
    const std::string clause = "GB 50288-2018 第 9.4.1 条";
    std::string increaseRange(c.increaseRow.text);
    return {
        {"适用条件", CheckFigure("h/B", c.depthRatio), c.straightWalls ? "h ≥ B/2" : "任意水深",
         c.straightWalls ? "情况 1、2 的直墙公式" : "情况 3、4 按实际断面计算", c.applicability},
        {"设计流速", CheckFigure("v", c.v, "m/s"), "1.0 ≤ v ≤ 2.5 m/s", clause, c.velocity},
        {"缓坡", JoinFigures({CheckFigure("Fr", c.Fr), CheckFigure("x_c", c.criticalSlopeX)}),
         "Fr < 1，i = 1/x < i_c = 1/x_c", clause, c.mildSlope},
        {"加大流量",
         JoinFigures({CheckFigure("p", c.increasePercent, "%", true), CheckFigure("Q加", c.Qinc, "m³/s"),
               CheckFigure("h加", c.hinc, "m")}),
         "p 取 " + increaseRange + " %", "GB 50288-2018 表 6.3.4", c.increase},
        {"槽身净深",
         JoinFigures({CheckFigure("H₁", c.H1, "m"), CheckFigure("H₂", c.H2, "m"), CheckFigure("H", c.H, "m"),
               CheckFigure("H/B", c.ratio)}),
         "H₁ = h + B/10，H₂ = h加 + 0.10 m，H = max(H₁, H₂, 0.7B)，H/B ≤ 0.9",
         "GB 50288-2018 第 9.4.1 条、第 9.3.3 条", c.netDepth},
        {"短槽判别", CheckFigure("L/h", c.shortRatio), "L > 15h，否则按非均匀流以水面线复核",
         "GB 50288-2018 第 K.1.2 条", c.shortFlume},
    };
}

std::string_view VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Met:
        return "满足";
    case Verdict::NotMet:
        return "不满足";
    case Verdict::Note:
        return "提示";
    case Verdict::Unknown:
        return "—";
    }
    return "—";
}

} // namespace hydraulics
