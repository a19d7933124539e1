// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/designchecks.h"

#include "hydraulics/canal.h"
#include "hydraulics/connection.h"
#include "hydraulics/formed.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hydraulics {
namespace {

constexpr double kMinVelocity = 1.0;         // m/s
constexpr double kMaxVelocity = 2.5;         // m/s
constexpr double kFreeboardShare = 0.1;      // freeboard at the design discharge, × B
constexpr double kIncreasedFreeboard = 0.10; // m, at the increased discharge
constexpr double kMinDepthRatio = 0.7;       // H/B of a beam flume
constexpr double kMaxDepthRatio = 0.9;       // H/B

// Denominator of the critical slope: x_c = 1/i_c with
// i_c = (Q·n / (A_c·R_c^(2/3)))² at the critical depth `hc` (to the last
// double: the display's 1 mm is too coarse for the slope of a mild design).
std::optional<double> CriticalSlopeX(double B, double Q, double n, std::optional<double> hc) {
    if (!hc)
        return std::nullopt;
    const SectionShape s = TrueSection(B, *hc);
    if (!Positive(s.area) || !Positive(s.perimeter))
        return std::nullopt;
    const double xc = TrueManningSlopeX(B, *hc, Q, n);
    return Positive(xc) ? std::optional<double>(xc) : std::nullopt;
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
    {30, 35, "35～30", "< 1"},
    {25, 30, "30～25", "1～5"},
    {20, 25, "25～20", "5～20"},
    {15, 20, "20～15", "20～50"},
    {10, 15, "15～10", "50～100"},
    {5, 10, "10～5", "100～300"},
    {0, 5, "< 5", "> 300"},
}};

void CheckIncrease(const DesignPoint& p, const DesignConditions& conditions,
                   const Connection* connection, DesignChecks& c) {
    c.increasePercent = IncreaseFor(p.Q, conditions.increasePercent, conditions.region);
    if (!Positive(p.Q) || !c.increasePercent)
        return;
    c.Qinc = Finite(p.Q * (1 + *c.increasePercent / 100));
    // The connection has solved the same depth for its backwater.
    if (c.Qinc)
        c.hinc = connection && connection->increased.Q == c.Qinc && connection->increased.flumeDepth
                     ? connection->increased.flumeDepth
                     : FlumeNormalDepth(p.B, *c.Qinc, p.x, p.n);
    const double percent = *c.increasePercent;
    c.increase = percent >= c.increaseRow.low && percent <= c.increaseRow.high ? Verdict::Met
                                                                               : Verdict::Note;
}

// The surfaces the freeboards are measured from: the bend's outer depth
// and the backwater's largest depth where the canals give them.
void Surfaces(const DesignPoint& p, const Connection* connection, DesignChecks& c) {
    if (connection) {
        if (connection->bend)
            c.bendDepth = connection->bend->largestDepth;
        c.backwaterDepth = connection->increased.maxDepth;
    }
    if (Positive(p.h))
        c.designSurface = std::max(p.h, c.bendDepth.value_or(p.h));
    if (!c.hinc)
        return;
    c.increasedSurface =
        std::max({*c.hinc, c.backwaterDepth.value_or(*c.hinc), c.bendDepth.value_or(*c.hinc)});
}

// The net depth to the centimetre above (a hair of rounding noise is not a
// centimetre more).
double UpToCentimetre(double H) {
    return std::ceil(H * 100 - 1e-6) / 100;
}

void CheckNetDepth(const DesignPoint& p, const DesignConditions& conditions, bool round,
                   DesignChecks& c) {
    c.support = conditions.support;
    c.tieRodDepth = conditions.tieRodDepth;
    c.rounded = round;
    if (!Positive(p.B) || !c.designSurface || !c.increasedSurface)
        return;
    const double rods = c.tieRodDepth.value_or(0);
    c.H1 = Finite(*c.designSurface + kFreeboardShare * p.B);
    c.H2 = Finite(*c.increasedSurface + kIncreasedFreeboard + rods);
    if (c.support == SupportForm::Beam)
        c.H3 = kMinDepthRatio * p.B;
    if (!c.H1 || !c.H2)
        return;
    const double H = std::max({*c.H1, *c.H2, c.H3.value_or(0)});
    c.H = round ? UpToCentimetre(H) : H;
    c.ratio = Finite(*c.H / p.B);
    c.freeboard = *c.H - *c.designSurface;
    c.freeboardRequired = kFreeboardShare * p.B;
    c.increasedClearance = *c.H - rods - *c.increasedSurface;
    c.freeboardOk = MetIf(*c.freeboard >= kFreeboardShare * p.B - kLimitSlack);
    c.increasedOk = MetIf(*c.increasedClearance >= kIncreasedFreeboard - kLimitSlack);
    if (c.ratio) {
        const bool aboveFloor =
            c.support == SupportForm::Arch || *c.ratio >= kMinDepthRatio - kLimitSlack;
        c.depthRatioOk = MetIf(aboveFloor && *c.ratio <= kMaxDepthRatio + kLimitSlack);
    }
}

void CheckLength(const DesignPoint& p, double L, const Connection* connection, DesignChecks& c) {
    // One classification: the connection's by h₁ where the canals are
    // known, else by the flume's own depth.
    c.lengthByCanal = connection != nullptr;
    if (connection) {
        c.lengthRatio = connection->shortRatio;
        c.longFlume = connection->longFlume;
        return;
    }
    if (!Positive(L) || !Positive(p.h))
        return;
    c.lengthRatio = Finite(L / p.h);
    if (c.lengthRatio)
        c.longFlume =
            *c.lengthRatio >= kLongFlumeDepths - kLimitSlack ? Verdict::Met : Verdict::Note;
}

void CheckColdRegion(const DesignConditions& conditions, const Connection* connection,
                     DesignChecks& c) {
    c.coldRegion = conditions.coldRegion;
    c.grade = ChecksGrade(conditions, connection ? std::optional(connection->grade) : std::nullopt);
    if (!c.coldRegion)
        return;
    if (!connection) {
        c.drains = Verdict::Note; // no beds to compare: the drain valve is the advice
        return;
    }
    c.bedOutlet = connection->levels.bedOutlet;
    c.bedDownstream = connection->levels.bedDownstream;
    if (c.bedOutlet && c.bedDownstream)
        c.drains = MetIf(*c.bedOutlet > *c.bedDownstream);
}

} // namespace

Verdict Applicability(const DesignPoint& p) {
    if (!Positive(p.B) || !std::isfinite(p.h))
        return Verdict::Unknown;
    return MetIf(!p.straightWalls || p.h >= p.B / 2 - kLimitSlack);
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

std::optional<double> IncreaseFor(double Q, std::optional<double> given,
                                  std::optional<Region> region) {
    if (given)
        return std::isfinite(*given) && *given >= kMinIncreasePercent &&
                       *given <= kMaxIncreasePercent
                   ? given
                   : std::nullopt;
    if (!Positive(Q))
        return std::nullopt;
    return RegionalIncreasePercent(Q, region);
}

DesignChecks CheckDesign(const DesignPoint& p, double L, const DesignConditions& conditions,
                         const Connection* connection, bool roundNetDepth) {
    DesignChecks c;
    c.increaseRow = IncreaseRange(p.Q);
    const HydraulicElements e = ComputeElements(p.B, p.h, p.Q);
    c.straightWalls = p.straightWalls;
    c.applicability = Applicability(p);
    if (c.applicability != Verdict::Unknown)
        c.depthRatio = Finite(p.h / p.B);

    c.v = Finite(e.v);
    if (c.v)
        c.velocity =
            MetIf(*c.v >= kMinVelocity - kLimitSlack && *c.v <= kMaxVelocity + kLimitSlack);

    c.Fr = Finite(e.Fr);
    if (Positive(p.B) && Positive(p.Q) && Positive(p.n))
        c.criticalSlopeX = CriticalSlopeX(p.B, p.Q, p.n, e.hc);
    const Verdict subcritical = c.Fr ? MetIf(*c.Fr < 1) : Verdict::Unknown;
    const Verdict mild =
        c.criticalSlopeX && Positive(p.x) ? MetIf(p.x > *c.criticalSlopeX) : Verdict::Unknown;
    c.mildSlope = Both(subcritical, mild);

    CheckIncrease(p, conditions, connection, c);
    Surfaces(p, connection, c);
    CheckNetDepth(p, conditions, roundNetDepth, c);
    CheckLength(p, L, connection, c);
    CheckColdRegion(conditions, connection, c);
    return c;
}

DesignChecks CheckDesign(const DesignPoint& p, double L, std::optional<double> increasePercent) {
    DesignConditions conditions;
    conditions.increasePercent = increasePercent;
    return CheckDesign(p, L, conditions);
}

} // namespace hydraulics
