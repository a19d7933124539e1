// SPDX-License-Identifier: GPL-3.0-or-later
// Water-surface connection: hand values from an independent model (depths
// by bisection, the backwater by fourth-order Runge–Kutta in distance with
// 200 000 steps), the uniform profile, grades 1–3 against 4–5, the steep
// flume and figures that cannot be formed.
#include "hydraulics/connection.h"
#include "hydraulics/connectionrows.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace hydraulics {
void PrintTo(Verdict verdict, std::ostream* os); // test_designchecks.cpp
} // namespace hydraulics

namespace {

using namespace hydraulics;
using enum Verdict;

const Canal kCanal{2, 1.5, 0.025, 4000};
// B = 2 m, Q = 4 m³/s, i = 1/2000, n = 0.014, L = 200 m, ξ₁ = 0.2, ξ₂ = 0.5, p = 20 %.
ConnectionFlume Flume(double h) {
    return {{2, h, 4, 2000, 0.014}, 200, 0.2, 0.5, 20.0};
}
ConnectionInput Input(const Canal& down, int grade) {
    ConnectionInput in;
    in.upstream = kCanal;
    in.upstreamBed = 100;
    in.downstream = down;
    in.allowedDrop = 0.3;
    in.grade = grade;
    return in;
}

struct Hand {
    const char* name;
    double h;
    Canal down;
    int grade;
    // h1 v1 h2 v2 L1 L2 Z1 Z3 ΔZ ∇1 ∇4
    std::vector<double> design;
    // h2加 outlet inlet max h1需 ratio
    std::vector<double> increased;
    bool outletCritical;
};

const Hand kHands[] = {
    {"equal canals",
     1.8,
     kCanal,
     4,
     {1.568368884, 0.585959599, 1.568368884, 0.585959599, 9.096648751, 14.058304330, 0.076334298,
      0.031805957, 0.144528340, 99.692034586, 99.855471660},
     {1.711509498, 1.934958546, 1.961526675, 1.961526675, 1.747389111, 0.020963724},
     false},
    {"different canals, grade 2",
     1.8,
     {1.5, 2, 0.03, 3000},
     2,
     {1.568368884, 0.585959599, 1.571151288, 0.548414011, 9.096648751, 17.283718667, 0.079897423,
      0.025401222, 0.154496201, 99.688471461, 99.842721395},
     {1.703387283, 1.924226660, 1.952760257, 1.952760257, 1.739785121, 0.016520868},
     false},
    {"downstream level below critical at the outlet",
     1.0,
     {6, 0, 0.014, 50},
     4,
     {1.568368884, 0.585959599, 0.200896902, 3.318451702, 9.096648751, 11.951528729, 0.375608997,
      -0.115381395, 0.590990392, 100.192759887, 100.776481590},
     {0.224788350, 1.051972661, 1.537518015, 1.537518015, 1.915401569, 0.119129968},
     true},
};

TEST(Connection, HandValuesAtTheDesignAndIncreasedDischarges) {
    for (const Hand& hand : kHands) {
        SCOPED_TRACE(hand.name);
        const Connection c = ComputeConnection(Flume(hand.h), Input(hand.down, hand.grade));
        const ConnectionDesign& d = c.design;
        const std::vector<std::optional<double>> design{d.h1,
                                                        d.v1,
                                                        d.h2,
                                                        d.v2,
                                                        d.L1,
                                                        d.L2,
                                                        d.Z1,
                                                        d.Z3,
                                                        d.drop,
                                                        c.levels.bedInlet,
                                                        c.levels.bedDownstream};
        for (std::size_t k = 0; k < design.size(); ++k) {
            ASSERT_TRUE(design[k]) << k;
            EXPECT_NEAR(*design[k], hand.design[k], 2e-9) << k;
        }
        const ConnectionIncreased& r = c.increased;
        const std::vector<std::optional<double>> increased{r.h2,       r.outletDepth, r.inletDepth,
                                                           r.maxDepth, r.requiredH1,  r.ratio};
        for (std::size_t k = 0; k < increased.size(); ++k) {
            ASSERT_TRUE(increased[k]) << k;
            EXPECT_NEAR(*increased[k], hand.increased[k], 2e-5) << k; // the model's RK4 start
        }
        EXPECT_EQ(r.outletCritical, hand.outletCritical);
        EXPECT_DOUBLE_EQ(*c.levels.bedOutlet, *c.levels.bedInlet - 0.1); // Z₂ = 200/2000
        // ΔZ 应等于或略小于 [ΔZ]: above it not met, more than 10 % under it a note.
        EXPECT_EQ(d.dropOk, *d.drop > 0.3 ? NotMet : *d.drop < 0.27 ? Note : Met);
        EXPECT_EQ(r.ok, *r.ratio <= 0.03 ? Met : NotMet);
    }
}

TEST(Connection, AtTheDesignDischargeTheNormalDepthStaysFromOutletToInlet) {
    // h₀ of 4 m³/s in this flume by an independent bisection: 1.842607012 m.
    const double h0 = *FlumeNormalDepth(2, 4, 2000, 0.014);
    EXPECT_NEAR(h0, 1.842607012, 1e-9);
    const std::optional<FlumeProfile> p = TraceProfile(2, 2000, 0.014, 4, 200, h0);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->inletDepth, h0, 1e-9);
    EXPECT_NEAR(p->maxDepth, h0, 1e-9);
    // No increase: the outlet returns to h₀, the inlet keeps it and the
    // upstream canal needs exactly its own normal depth.
    ConnectionFlume flume = Flume(h0);
    flume.increasePercent = 0;
    for (int grade : {2, 4}) {
        const ConnectionIncreased r = ComputeConnection(flume, Input(kCanal, grade)).increased;
        ASSERT_TRUE(r.outletDepth && r.inletDepth && r.rise);
        EXPECT_NEAR(*r.outletDepth, h0, 1e-9);
        EXPECT_NEAR(*r.inletDepth, h0, 1e-9);
        EXPECT_NEAR(*r.rise, 0, 1e-9);
    }
}

TEST(Connection, ProfilesApproachTheNormalDepthFromAboveAndBelow) {
    // M1 from 2.5 m and M2 from 1.3 m, 4.8 m³/s, against the model's RK4.
    for (const auto& [outlet, inlet] : {std::pair{2.5, 2.463492}, std::pair{1.3, 1.572911}}) {
        const std::optional<FlumeProfile> p = TraceProfile(2, 2000, 0.014, 4.8, 200, outlet);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->inletDepth, inlet, 1e-5);
        EXPECT_DOUBLE_EQ(p->maxDepth, std::max(outlet, p->inletDepth));
        EXPECT_DOUBLE_EQ(p->points.back().distance, 200);
    }
    EXPECT_FALSE(TraceProfile(2, 2000, 0.014, 4.8, 200, 0.9)); // below critical depth
    EXPECT_FALSE(TraceProfile(2, 50, 0.014, 4.8, 200, 1.5));   // steep flume
    // Depths of 10⁶ m and a flume of 10³⁸ m: steps below the last bit of
    // the depth or the distance add no point (they stalled 10⁵ steps).
    const auto huge = TraceProfile(1e8, 1e7, 0.014, 5e15, 3e38, 4e5);
    ASSERT_TRUE(huge);
    EXPECT_LT(huge->points.size(), 5000u);
    for (std::size_t k = 1; k < huge->points.size(); ++k)
        EXPECT_GT(huge->points[k].distance, huge->points[k - 1].distance) << k;
}

TEST(Connection, GradesOneToThreeAddTheTransitionFriction) {
    std::vector<Connection> byGrade;
    for (int grade = 1; grade <= 5; ++grade)
        byGrade.push_back(ComputeConnection(Flume(1.8), Input({1.5, 2, 0.03, 3000}, grade)));
    const ConnectionDesign& friction = byGrade[1].design;
    const ConnectionDesign& plain = byGrade[3].design;
    EXPECT_NEAR(*friction.Z1 - *plain.Z1, *friction.J12 * *friction.L1, 1e-12);
    EXPECT_NEAR(*plain.Z3 - *friction.Z3, *friction.J34 * *friction.L2, 1e-12);
    EXPECT_NEAR(*plain.Z1, 0.076334298, 1e-9);
    for (int k : {0, 2})
        EXPECT_EQ(*byGrade[k].design.drop, *friction.drop);
    EXPECT_EQ(*byGrade[4].design.drop, *plain.drop);
}

TEST(Connection, SteepAtTheIncreasedDischargeLeavesTheBackwaterOpen) {
    ConnectionFlume flume = Flume(0.9);
    flume.point.x = 50;
    const Connection c = ComputeConnection(flume, Input(kCanal, 4));
    EXPECT_TRUE(c.increased.steep);
    EXPECT_TRUE(c.increased.Q && c.increased.h1 && c.increased.h2);
    EXPECT_FALSE(c.increased.outletDepth || c.increased.inletDepth || c.increased.requiredH1 ||
                 c.increased.ratio);
    EXPECT_EQ(c.increased.ok, Unknown);
    EXPECT_TRUE(c.design.drop && c.levels.bedDownstream); // the design figures stand
}

TEST(Connection, ShortFlumeAndBend) {
    ConnectionInput in = Input(kCanal, 4);
    in.bendRadius = 30;
    const Connection c = ComputeConnection(Flume(1.8), in);
    EXPECT_NEAR(*c.shortRatio, 200 / 1.568368884, 1e-6);
    EXPECT_EQ(c.longFlume, Met);
    ASSERT_TRUE(c.bend);
    EXPECT_NEAR(*c.bend->superelevation, 0.009525524, 1e-9); // v²/(g·r)·A/h by hand
    EXPECT_NEAR(*c.bend->largestDepth, 1.8 + 0.009525524 / 2, 1e-9);
    EXPECT_DOUBLE_EQ(*c.bend->radiusRatio, 15);
    EXPECT_EQ(c.bend->ok, Met);
    in.bendRadius = 11.9; // below 6·T = 12 m
    EXPECT_EQ(ComputeConnection(Flume(1.8), in).bend->ok, NotMet);
    ConnectionFlume shortFlume = Flume(1.8);
    shortFlume.length = 15 * 1.568368884 - 0.01;
    EXPECT_EQ(ComputeConnection(shortFlume, in).longFlume, Note);
}

TEST(Connection, CanalDepthsAgainstClosedForms) {
    // Critical depth: rectangle (q²/g)^(1/3), triangle (2Q²/(g·m²))^(1/5).
    // Normal depth: Manning's discharge at the depth found is Q again.
    struct Row {
        Canal canal;
        double Q, critical;
    };
    for (const Row& row : {Row{{3, 0, 0.02, 2000}, 6, std::cbrt(4.0 / 9.81)},
                           Row{{0, 2, 0.02, 2000}, 6, std::pow(2 * 36 / (9.81 * 4), 0.2)},
                           Row{{2, 1.5, 0.025, 4000}, 4, 0}}) {
        const double h0 = *CanalNormalDepth(row.canal, row.Q);
        const CanalShape s = CanalSection(row.canal, h0);
        EXPECT_NEAR(s.area * std::pow(s.area / s.perimeter, 2.0 / 3.0) / std::sqrt(row.canal.x) /
                        row.canal.n,
                    row.Q, 1e-12);
        if (row.critical > 0) {
            EXPECT_NEAR(*CanalCriticalDepth(row.canal, row.Q), row.critical, 1e-12);
        }
    }
    EXPECT_NEAR(*CanalNormalDepth(kCanal, 4), 1.568368884, 1e-9);
    EXPECT_FALSE(CanalNormalDepth(kCanal, 0) || CanalCriticalDepth({0, 0, 0.02, 100}, 1));
}

TEST(Connection, RowsSayWhatIsNotFormed) {
    ConnectionInput in = Input(kCanal, 4);
    in.allowedDrop.reset();
    const Connection c = ComputeConnection(Flume(1.8), in);
    const std::vector<CheckRow> rows = ConnectionChecks(c);
    ASSERT_EQ(rows.size(), 2u); // drop and backwater: no bend without a radius, a long flume
    EXPECT_EQ(rows[0].verdict, Unknown);
    EXPECT_NE(rows[0].requirement.find("未给出"), std::string::npos);
    EXPECT_EQ(ConnectionLine(ConnectionGroups(c)[0].rows[0]), "上游渠道正常水深 h₁ (m): 1.568");
    ConnectionFlume steep = Flume(0.9);
    steep.point.x = 50;
    in.bendRadius = 20;
    const Connection s = ComputeConnection(steep, in);
    EXPECT_NE(ConnectionChecks(s)[1].value.find("陡坡"), std::string::npos);
    EXPECT_EQ(ConnectionChecks(s).size(), 3u);
    EXPECT_EQ(ConnectionGroups(s).back().title, "弯道");
    // Table K.1.2, a range filled in at its upper end.
    const auto& forms = TransitionForms();
    EXPECT_EQ(forms[1].name, "直线形扭曲面");
    EXPECT_EQ(InletCoefficient(forms[1]), 0.3);
    EXPECT_EQ(OutletCoefficient(forms[1]), 0.5);
    EXPECT_EQ(OutletCoefficient(forms[4]), 0.75);
}

TEST(Connection, FiguresThatCannotBeFormedAreEmpty) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    ConnectionInput noCanal = Input(kCanal, 4);
    noCanal.upstream.m = noCanal.upstream.b = 0; // neither width nor side slope
    ConnectionInput badAngle = Input(kCanal, 4);
    badAngle.inletAngle = 30;
    ConnectionInput noBed = Input(kCanal, 2);
    noBed.upstreamBed = kNaN;
    const Connection a = ComputeConnection(Flume(1.8), noCanal);
    EXPECT_FALSE(a.design.h1 || a.design.Z1 || a.levels.bedInlet || a.increased.requiredH1);
    EXPECT_EQ(a.design.dropOk, Unknown);
    const Connection b = ComputeConnection(Flume(1.8), badAngle);
    EXPECT_FALSE(b.design.L1);
    EXPECT_TRUE(b.design.Z1); // grade 4 needs no length
    const Connection c = ComputeConnection(Flume(1.8), noBed);
    EXPECT_TRUE(c.design.drop);
    EXPECT_FALSE(c.levels.bedInlet || c.increased.outletDepth);
    ConnectionFlume dry = Flume(1.8);
    dry.point.Q = 0;
    EXPECT_FALSE(ComputeConnection(dry, Input(kCanal, 4)).design.h1);
}

} // namespace
