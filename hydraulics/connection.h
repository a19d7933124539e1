// SPDX-License-Identifier: GPL-3.0-or-later
// The flume in its canal: water-surface connection (水面衔接), bed
// elevations, transition lengths and the backwater at the increased
// discharge, after GB 50288-2018 §9.2.4-3, §9.4.1-3 and appendix K.
//
// These figures stand beside the case results and change none of them:
// double precision, the true U section, g = 9.81 m/s². Nothing throws; a
// figure that cannot be formed is empty ("—"), and so is a verdict whose
// figures are missing.
//
// Design discharge Q (all depths normal depths by Manning):
//   h₁, h₂      normal depths of the upstream and downstream canals
//   v₁, v₂, v   Q/A of the canals at h₁, h₂ and of the flume at its depth h
//   L₁ = max(0, (T₁ − T)/2 / tan θ₁),  L₂ = max(0, (T₂ − T)/2 / tan θ₂)
//               T₁, T₂ = b + 2·m·h of the canals, T the flume's width at h
//   J₁₋₂, J₃₋₄  mean of the friction slopes (n·Q/(A·R^(2/3)))² of the two
//               end sections of each transition, each with its own n
//   Z₁ = (1 + ξ₁)(v² − v₁²)/2g + J₁₋₂·L₁      (grades 1–3; 4–5 without J·L)
//   Z₂ = i·L
//   Z₃ = (1 − ξ₂)(v² − v₂²)/2g − J₃₋₄·L₂      (grades 1–3; 4–5 without J·L)
//   ΔZ = Z₁ + Z₂ − Z₃, met when ΔZ ≤ [ΔZ]
//   ∇₁ = ∇₃ + h₁ − Z₁ − h,  ∇₂ = ∇₁ − i·L,  ∇₄ = ∇₂ + h + Z₃ − h₂
//   levels ∇₃ + h₁ upstream and ∇₄ + h₂ downstream.
//
// Increased discharge Q加 = Q(1 + p/100), p as the design checks take it:
//   h₂加        downstream normal depth; the level ∇₄ + h₂加 holds.
//   outlet      the depth y ≥ h_c(Q加) of the flume with
//               ∇₂ + y + Z₃(y) = ∇₄ + h₂加, Z₃ at Q加 with the outlet
//               velocity at y, v₂ at h₂加, J₃₋₄ from y and h₂加, the same L₂.
//               Left side less right side rises with y above h_c (for
//               ξ₂ ≤ 1); bisection to the last bit. When it is already ≥ 0
//               at h_c the outlet is at critical depth.
//   profile     TraceProfile (hydraulics/backwater.h) from the outlet to the
//               inlet: inlet depth and largest depth in the flume.
//   h₁需        the upstream canal depth with ∇₃ + h₁需 = ∇₁ + y_inlet + Z₁,
//               Z₁ at Q加 with v₁ at h₁需 and J₁₋₂ from h₁需 and y_inlet.
//               Sought above the canal's critical depth, where the
//               difference rises; bisection to the last bit. When it is
//               already ≥ 0 there, h₁需 is the canal's critical depth.
//   rise        h₁需 − h₁加 over the canal's own normal depth h₁加, and
//               ratio = rise / h₁加; the rise 不宜超过 1%～3% of h₁加 (9.4.1-3):
//               met when ratio ≤ 3 %.
//   When the flume is steep at Q加 (normal depth not above h_c) the outlet,
//   profile and upstream figures are empty; Q加, h₁加 and h₂加 remain.
//
// The drop: ΔZ 应等于或略小于 [ΔZ] (K.1.2, 9.4.1-3): not met above it, a
// note with the margin when more than 10 % of it is left unused.
//
// Long flume when L ≥ 15·h₁ (K.1.1). A short flume is checked as K.1.2
// asks: the water surface at the design discharge traced from the outlet
// depth the downstream level sets up to the inlet, as at Q加, gives the
// upstream level it needs and so the drop ΔZ′ = ∇₃ + h₁需 − (∇₄ + h₂),
// compared with [ΔZ]. Bend of radius r (K.1.4, 9.2.2-2):
// Δh = α₁v²/(g·r)·A/h with α₁ = 1.0, largest transverse depth h + Δh/2,
// r/T met when r ≥ 6·T.
#pragma once

#include "hydraulics/backwater.h"
#include "hydraulics/canal.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"

#include <optional>
#include <vector>

namespace hydraulics {

constexpr double kDefaultInletAngle = 14.5; // θ₁, degrees
constexpr double kDefaultOutletAngle = 9.5; // θ₂, degrees
constexpr double kMinInletAngle = 11, kMaxInletAngle = 18;
constexpr double kMinOutletAngle = 8, kMaxOutletAngle = 11;
constexpr int kDefaultGrade = 4;           // 建筑物级别 1..5
constexpr double kMaxRiseRatio = 0.03;     // h₁需 − h₁加 ≤ 3 % of h₁加
constexpr double kMinRiseRatio = 0.01;     // the lower end shown beside it
constexpr double kLongFlumeDepths = 15;    // long when L ≥ 15·h₁
constexpr double kMinBendRadiusWidths = 6; // r ≥ 6·T
constexpr double kDropMarginNote = 0.10;   // a drop leaving more than 10 % of [ΔZ] unused

// What the designer gives beside the case.
struct ConnectionInput {
    Canal upstream;
    double upstreamBed = 0; // ∇₃, m
    Canal downstream;
    std::optional<double> allowedDrop;        // [ΔZ], m
    double inletAngle = kDefaultInletAngle;   // θ₁, degrees, 11..18
    double outletAngle = kDefaultOutletAngle; // θ₂, degrees, 8..11
    int grade = kDefaultGrade;                // 1..5
    std::optional<double> bendRadius;         // r, m
    bool operator==(const ConnectionInput&) const = default;
};

// The flume as the case leaves it.
struct ConnectionFlume {
    DesignPoint point;                     // B, h, Q, x, n
    double length = 0;                     // L, m
    double xi1 = 0;                        // ξ₁
    double xi2 = 0;                        // ξ₂
    std::optional<double> increasePercent; // p, %; empty: table 6.3.4
    std::optional<Region> region{};        // the end of table 6.3.4's row it takes
};

struct ConnectionDesign {
    std::optional<double> h1, v1, h2, v2, v; // m, m/s
    std::optional<double> T1, T2, T;         // water-surface widths, m
    std::optional<double> L1, L2;            // transition lengths, m
    std::optional<double> J12, J34;          // mean friction slopes
    std::optional<double> Z1, Z2, Z3, drop;  // m
    // Met; NotMet above [ΔZ]; Note when more than 10 % of [ΔZ] is unused;
    // Unknown also without [ΔZ]. The margin [ΔZ] − ΔZ, m.
    Verdict dropOk = Verdict::Unknown;
    std::optional<double> dropMargin;
};

struct ConnectionLevels {
    std::optional<double> bedUpstream, bedInlet, bedOutlet, bedDownstream; // ∇₃ ∇₁ ∇₂ ∇₄
    std::optional<double> levelUpstream, levelDownstream;                  // m
};

struct ConnectionIncreased {
    std::optional<double> percent, Q;              // %, m³/s
    std::optional<double> h1, h2;                  // canal normal depths at Q加, m
    std::optional<double> levelDownstream;         // ∇₄ + h₂加, m
    std::optional<double> flumeDepth;              // the flume's normal depth at Q加 (h加), m
    std::optional<double> outletDepth;             // m
    bool outletCritical = false;                   // the outlet is at critical depth
    std::optional<double> inletDepth, maxDepth;    // m
    std::optional<double> requiredH1, rise, ratio; // m, m, —
    Verdict ok = Verdict::Unknown;
    bool steep = false;                // the flume is steep at Q加
    std::vector<ProfilePoint> profile; // outlet to inlet, for drawings
};

// The short flume's check at the design discharge (K.1.2).
struct ConnectionRecheck {
    std::optional<double> outletDepth, inletDepth, requiredH1; // m
    std::optional<double> drop;                                // ΔZ′, m
    Verdict ok = Verdict::Unknown;                             // ΔZ′ ≤ [ΔZ]
};

struct ConnectionBend {
    double radius = 0;                    // r, m
    std::optional<double> superelevation; // Δh, m
    std::optional<double> largestDepth;   // h + Δh/2, m
    std::optional<double> radiusRatio;    // r/T
    Verdict ok = Verdict::Unknown;
};

struct Connection {
    ConnectionDesign design;
    std::optional<double> allowedDrop;
    ConnectionLevels levels;
    ConnectionIncreased increased;
    std::optional<double> shortRatio;         // L/h₁
    Verdict longFlume = Verdict::Unknown;     // Met when long, Note when short
    std::optional<ConnectionRecheck> recheck; // only for a short flume
    std::optional<ConnectionBend> bend;       // only with a radius given
    int grade = kDefaultGrade;
};

// The connection of `flume` to the canals of `input`.
Connection ComputeConnection(const ConnectionFlume& flume, const ConnectionInput& input);

} // namespace hydraulics
