// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/connection.h"

#include "hydraulics/elements.h"
#include "hydraulics/formed.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hydraulics {
namespace {

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// Root of `rising` above `low`, where it is below zero and rises without
// bound: the top doubles its distance from `low` until the sign changes,
// then bisection to the last bit. Empty when no bracket is found.
template <class Rising> std::optional<double> RootAbove(Rising rising, double low, double start) {
    double step = start;
    double high = low + step;
    for (int i = 0;; ++i) {
        const double top = rising(high);
        if (std::isnan(top) || i == 64)
            return std::nullopt;
        if (top >= 0)
            break;
        low = high;
        step *= 2;
        high = low + step;
    }
    for (;;) {
        const double mid = (low + high) / 2;
        if (mid <= low || mid >= high)
            break;
        (rising(mid) < 0 ? low : high) = mid;
    }
    return (low + high) / 2;
}

// What the formulas need of one discharge: the canal and flume figures.
struct Flow {
    const ConnectionFlume& f;
    const ConnectionInput& in;
    double Q;

    double FlumeVelocity(double y) const { return Q / TrueSection(f.point.B, y).area; }
    double CanalVelocity(const Canal& c, double y) const { return Q / CanalSection(c, y).area; }
    bool WithFriction() const { return in.grade >= 1 && in.grade <= 3; }

    // Z₁ with the canal at y1 and the flume at y; empty when not formed.
    std::optional<double> InletDrop(double y1, double y, const std::optional<double>& L1) const {
        const double v = FlumeVelocity(y), v1 = CanalVelocity(in.upstream, y1);
        double z = (1 + f.xi1) * (v * v - v1 * v1) / (2 * kG);
        if (WithFriction()) {
            const auto a = CanalFrictionSlope(in.upstream, Q, y1);
            const auto b = FlumeFrictionSlope(f.point.B, f.point.n, Q, y);
            if (!a || !b || !L1)
                return std::nullopt;
            z += (*a + *b) / 2 * *L1;
        }
        return Finite(z);
    }

    // Z₃ with the flume at y and the canal at y2.
    std::optional<double> OutletRise(double y, double y2, const std::optional<double>& L2) const {
        const double v = FlumeVelocity(y), v2 = CanalVelocity(in.downstream, y2);
        double z = (1 - f.xi2) * (v * v - v2 * v2) / (2 * kG);
        if (WithFriction()) {
            const auto a = FlumeFrictionSlope(f.point.B, f.point.n, Q, y);
            const auto b = CanalFrictionSlope(in.downstream, Q, y2);
            if (!a || !b || !L2)
                return std::nullopt;
            z -= (*a + *b) / 2 * *L2;
        }
        return Finite(z);
    }
};

std::optional<double> TransitionLength(const std::optional<double>& canalWidth,
                                       const std::optional<double>& flumeWidth, double angle,
                                       double low, double high) {
    if (!canalWidth || !flumeWidth || !(angle >= low && angle <= high))
        return std::nullopt;
    return std::max(0.0, (*canalWidth - *flumeWidth) / 2 / std::tan(Radians(angle)));
}

std::optional<double> Mean(const std::optional<double>& a, const std::optional<double>& b) {
    return a && b ? std::optional<double>((*a + *b) / 2) : std::nullopt;
}

void DesignWidths(const Flow& q, ConnectionDesign& d) {
    const DesignPoint& p = q.f.point;
    d.h1 = CanalNormalDepth(q.in.upstream, p.Q);
    d.h2 = CanalNormalDepth(q.in.downstream, p.Q);
    if (d.h1) {
        d.v1 = Finite(q.CanalVelocity(q.in.upstream, *d.h1));
        d.T1 = CanalSection(q.in.upstream, *d.h1).topWidth;
        d.J12 = CanalFrictionSlope(q.in.upstream, p.Q, *d.h1);
    }
    if (d.h2) {
        d.v2 = Finite(q.CanalVelocity(q.in.downstream, *d.h2));
        d.T2 = CanalSection(q.in.downstream, *d.h2).topWidth;
        d.J34 = CanalFrictionSlope(q.in.downstream, p.Q, *d.h2);
    }
    if (Positive(p.B) && Positive(p.h) && Positive(p.Q)) {
        d.v = Finite(q.FlumeVelocity(p.h));
        d.T = TrueSection(p.B, p.h).topWidth;
        const auto flume = FlumeFrictionSlope(p.B, p.n, p.Q, p.h);
        d.J12 = Mean(d.J12, flume);
        d.J34 = Mean(d.J34, flume);
    } else {
        d.J12 = d.J34 = std::nullopt;
    }
    d.L1 = TransitionLength(d.T1, d.T, q.in.inletAngle, kMinInletAngle, kMaxInletAngle);
    d.L2 = TransitionLength(d.T2, d.T, q.in.outletAngle, kMinOutletAngle, kMaxOutletAngle);
}

void DesignDrops(const Flow& q, ConnectionDesign& d, const std::optional<double>& allowed) {
    const DesignPoint& p = q.f.point;
    if (d.v && d.h1)
        d.Z1 = q.InletDrop(*d.h1, p.h, d.L1);
    if (d.v && d.h2)
        d.Z3 = q.OutletRise(p.h, *d.h2, d.L2);
    if (Positive(q.f.length) && Positive(p.x))
        d.Z2 = Finite(q.f.length / p.x);
    if (d.Z1 && d.Z2 && d.Z3)
        d.drop = Finite(*d.Z1 + *d.Z2 - *d.Z3);
    if (!d.drop || !allowed)
        return;
    d.dropMargin = *allowed - *d.drop;
    d.dropOk = *d.drop > *allowed + kLimitSlack             ? Verdict::NotMet
               : *d.dropMargin > kDropMarginNote * *allowed ? Verdict::Note
                                                            : Verdict::Met;
}

void Levels(const ConnectionFlume& f, const ConnectionInput& in, const ConnectionDesign& d,
            ConnectionLevels& e) {
    e.bedUpstream = Finite(in.upstreamBed);
    if (e.bedUpstream && d.h1)
        e.levelUpstream = Finite(*e.bedUpstream + *d.h1);
    if (e.levelUpstream && d.Z1 && Positive(f.point.h))
        e.bedInlet = Finite(*e.levelUpstream - *d.Z1 - f.point.h);
    if (e.bedInlet && d.Z2)
        e.bedOutlet = Finite(*e.bedInlet - *d.Z2);
    if (e.bedOutlet && d.Z3 && d.h2)
        e.bedDownstream = Finite(*e.bedOutlet + f.point.h + *d.Z3 - *d.h2);
    if (e.bedDownstream && d.h2)
        e.levelDownstream = Finite(*e.bedDownstream + *d.h2);
}

// A water surface traced through the flume at the discharge of `q`, from
// the level `level` that the downstream canal holds at depth `h2` up to
// the upstream canal (see the header).
struct Traced {
    std::optional<double> outletDepth, inletDepth, maxDepth, requiredH1; // m
    std::optional<double> normal; // the flume's normal depth at this discharge, m
    bool outletCritical = false;
    bool steep = false;
    std::vector<ProfilePoint> profile;
};

// The outlet depth: ∇₂ + y + Z₃(y) = level, or critical depth.
void OutletDepth(const Flow& q, const ConnectionDesign& d, double bed, double level, double h2,
                 double hc, Traced& t) {
    auto excess = [&](double y) {
        const std::optional<double> z3 = q.OutletRise(y, h2, d.L2);
        return z3 ? bed + y + *z3 - level : std::nan("");
    };
    const double atCritical = excess(hc);
    if (std::isnan(atCritical))
        return;
    if (atCritical >= 0) {
        t.outletDepth = hc;
        t.outletCritical = true;
        return;
    }
    t.outletDepth = RootAbove(excess, hc, std::max(hc, 0.01));
}

// h₁需: ∇₃ + y = ∇₁ + y_inlet + Z₁(y), from the inlet depth found.
void RequiredDepth(const Flow& q, const ConnectionDesign& d, const ConnectionLevels& e, Traced& t) {
    const std::optional<double> hc1 = CanalCriticalDepth(q.in.upstream, q.Q);
    if (!hc1 || !e.bedUpstream || !e.bedInlet || !t.inletDepth)
        return;
    const double inletLevel = *e.bedInlet + *t.inletDepth;
    const double yIn = *t.inletDepth;
    auto excess = [&](double y) {
        const std::optional<double> z1 = q.InletDrop(y, yIn, d.L1);
        return z1 ? *e.bedUpstream + y - inletLevel - *z1 : std::nan("");
    };
    const double atCritical = excess(*hc1);
    if (std::isnan(atCritical))
        return;
    t.requiredH1 = atCritical >= 0 ? hc1 : RootAbove(excess, *hc1, std::max(*hc1, 0.01));
}

Traced TraceThrough(const Flow& q, const ConnectionDesign& d, const ConnectionLevels& e,
                    const std::optional<double>& level, const std::optional<double>& h2) {
    Traced t;
    const DesignPoint& p = q.f.point;
    const std::optional<double> hc = CriticalDepth(p.B, q.Q, 0);
    const std::optional<double> h0 = FlumeNormalDepth(p.B, q.Q, p.x, p.n);
    t.normal = h0;
    if (!hc || !h0)
        return t;
    t.steep = *h0 <= *hc;
    if (t.steep || !e.bedOutlet || !level || !h2)
        return t;
    OutletDepth(q, d, *e.bedOutlet, *level, *h2, *hc, t);
    if (!t.outletDepth)
        return t;
    std::optional<FlumeProfile> profile =
        TraceProfile(p.B, p.x, p.n, q.Q, q.f.length, *t.outletDepth, h0, hc);
    if (!profile)
        return t;
    t.inletDepth = profile->inletDepth;
    t.maxDepth = profile->maxDepth;
    t.profile = std::move(profile->points);
    RequiredDepth(q, d, e, t);
    return t;
}

void Increased(const ConnectionFlume& f, const ConnectionInput& in, const ConnectionDesign& d,
               const ConnectionLevels& e, ConnectionIncreased& r) {
    const DesignPoint& p = f.point;
    r.percent = IncreaseFor(p.Q, f.increasePercent, f.region);
    if (r.percent)
        r.Q = Finite(p.Q * (1 + *r.percent / 100));
    if (!r.Q)
        return;
    r.h1 = CanalNormalDepth(in.upstream, *r.Q);
    r.h2 = CanalNormalDepth(in.downstream, *r.Q);
    if (e.bedDownstream && r.h2)
        r.levelDownstream = Finite(*e.bedDownstream + *r.h2);
    Traced t = TraceThrough(Flow{f, in, *r.Q}, d, e, r.levelDownstream, r.h2);
    r.flumeDepth = t.normal;
    r.steep = t.steep;
    r.outletDepth = t.outletDepth;
    r.outletCritical = t.outletCritical;
    r.inletDepth = t.inletDepth;
    r.maxDepth = t.maxDepth;
    r.profile = std::move(t.profile);
    r.requiredH1 = t.requiredH1;
    if (r.requiredH1 && r.h1 && Positive(*r.h1)) {
        r.rise = Finite(*r.requiredH1 - *r.h1);
        r.ratio = r.rise ? Finite(*r.rise / *r.h1) : std::nullopt;
        if (r.ratio)
            r.ok = MetIf(*r.ratio <= kMaxRiseRatio + kLimitSlack);
    }
}

// The short flume at the design discharge (K.1.2).
ConnectionRecheck Recheck(const Flow& q, const Connection& c) {
    ConnectionRecheck k;
    const Traced t = TraceThrough(q, c.design, c.levels, c.levels.levelDownstream, c.design.h2);
    k.outletDepth = t.outletDepth;
    k.inletDepth = t.inletDepth;
    k.requiredH1 = t.requiredH1;
    if (k.requiredH1 && c.levels.bedUpstream && c.levels.levelDownstream)
        k.drop = Finite(*c.levels.bedUpstream + *k.requiredH1 - *c.levels.levelDownstream);
    if (k.drop && c.allowedDrop)
        k.ok = MetIf(*k.drop <= *c.allowedDrop + kLimitSlack);
    return k;
}

std::optional<ConnectionBend> Bend(const ConnectionFlume& f, const ConnectionInput& in,
                                   const ConnectionDesign& d) {
    if (!in.bendRadius)
        return std::nullopt;
    ConnectionBend b;
    b.radius = *in.bendRadius;
    const DesignPoint& p = f.point;
    if (!Positive(b.radius) || !d.v || !Positive(p.h))
        return b;
    const double area = TrueSection(p.B, p.h).area;
    b.superelevation = Finite(*d.v * *d.v / (kG * b.radius) * area / p.h);
    if (b.superelevation)
        b.largestDepth = p.h + *b.superelevation / 2;
    if (d.T && Positive(*d.T))
        b.radiusRatio = Finite(b.radius / *d.T);
    if (b.radiusRatio)
        b.ok = MetIf(*b.radiusRatio >= kMinBendRadiusWidths - kLimitSlack);
    return b;
}

} // namespace

Connection ComputeConnection(const ConnectionFlume& flume, const ConnectionInput& input) {
    Connection c;
    c.grade = input.grade;
    c.allowedDrop = input.allowedDrop;
    if (!Positive(flume.point.Q) || !std::isfinite(flume.xi1) || !std::isfinite(flume.xi2))
        return c;
    const Flow design{flume, input, flume.point.Q};
    DesignWidths(design, c.design);
    DesignDrops(design, c.design, input.allowedDrop);
    Levels(flume, input, c.design, c.levels);
    Increased(flume, input, c.design, c.levels, c.increased);
    if (c.design.h1 && Positive(flume.length)) {
        c.shortRatio = Finite(flume.length / *c.design.h1);
        if (c.shortRatio)
            c.longFlume =
                *c.shortRatio >= kLongFlumeDepths - kLimitSlack ? Verdict::Met : Verdict::Note;
    }
    c.bend = Bend(flume, input, c.design);
    if (c.longFlume == Verdict::Note)
        c.recheck = Recheck(design, c);
    return c;
}

} // namespace hydraulics
