// SPDX-License-Identifier: GPL-3.0-or-later
// The adopted section: the four worked examples against an independent
// model (plain bisection to 300 halvings, its own section formulas), the
// exact solutions to the last bit, every limit of every clause on both
// sides of its boundary with the clause's strength, the short flume's
// re-check, one drop with canal data, and the ways out of a failing design.
#include "hydraulics/adoptedrows.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/design.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace hydraulics {
void PrintTo(Verdict verdict, std::ostream* os); // test_designchecks.cpp
} // namespace hydraulics

namespace {

using namespace hydraulics;
using enum Verdict;

const Canal kCanal{2, 1.5, 0.025, 4000};

ConnectionInput Canals(double allowed = 0.3) {
    ConnectionInput in;
    in.upstream = in.downstream = kCanal;
    in.upstreamBed = 100;
    in.allowedDrop = allowed;
    return in;
}

const CheckRow* Row(const std::vector<CheckRow>& rows, const std::string& id) {
    for (const CheckRow& row : rows)
        if (row.id == id)
            return &row;
    return nullptr;
}

TEST(AdoptedSection, WorkedExamplesAgainstAnIndependentModel) {
    struct Hand {
        int caseNo;
        std::array<float, 8> inputs;
        double B, x, h, Q, Z, H; // the model's, to ten digits
    };
    const Hand hands[] = {
        {1,
         {4, 100, 1.5, 1000, 1, 0.014f, 0.25, 0.4f},
         1.92,
         1000,
         1.494527597,
         4,
         0.15347822,
         1.91},
        {2,
         {4, 100, 1.5, 0.2f, 1, 0.014f, 0.25, 0.4f},
         1.73,
         780,
         1.500234128,
         4,
         0.197558835,
         1.92},
        {3,
         {4, 100, 1.912f, 1000, 1, 0.014f, 0.25, 0.4f},
         1.912,
         1000,
         1.499823525,
         4,
         0.1533761562,
         1.91},
        {4,
         {1.5, 100, 1.912f, 1000, 1, 0.014f, 0.25, 0.4f},
         1.912,
         1000,
         1.5,
         4.000678668,
         0.1533819268,
         1.91},
    };
    for (const Hand& hand : hands) {
        SCOPED_TRACE(hand.caseNo);
        const Design d = ComputeDesign({hand.caseNo, hand.inputs});
        ASSERT_TRUE(d.adopted);
        const VerifiedSection& s = d.adopted->section;
        EXPECT_NEAR(s.B, hand.B, 1e-12);
        EXPECT_EQ(s.x, hand.x);
        EXPECT_NEAR(s.h, hand.h, 1e-9);
        EXPECT_NEAR(s.Q, hand.Q, 1e-9);
        EXPECT_NEAR(s.Z.value_or(0), hand.Z, 1e-9);
        EXPECT_NEAR(s.checks.H.value_or(0), hand.H, 1e-12);
        // Case 2 keeps within its head; H/B is a recommendation: adopted.
        EXPECT_TRUE(s.ok);
        EXPECT_EQ(AdoptedLabel(d), "采用值");
    }
}

TEST(AdoptedSection, ExactSolutionsToTheLastBitAndRoundedUp) {
    const double B = ExactWidth(4, 1.5, 1000, 0.014).value_or(0);
    EXPECT_NEAR(B, 1.9117351767, 1e-10);
    EXPECT_NEAR(TrueManningDischarge(B, 1.5, 1000, 0.014), 4, 1e-14);
    const FlumeInputs f = FlumeInputsOf(2, {4, 100, 1.5, 0.2f, 1, 0.014f, 0.25, 0.4f});
    EXPECT_EQ(f.head, 0.2); // the typed decimal, not 0.2f
    const WidthAndSlope ws = ExactWidthAndSlope(f).value_or(WidthAndSlope{0, 1});
    const double v = 4 / TrueSection(ws.B, 1.5).area;
    EXPECT_NEAR(100 / ws.x + 0.65 * (v * v - 1) / (2 * 9.81), 0.2, 1e-13);
    EXPECT_NEAR(TrueManningDischarge(ws.B, 1.5, ws.x, 0.014), 4, 1e-13);
    // Up to the step, never down; a value on the step stays.
    for (const auto& [value, step, up] : {std::tuple{1.9117351, 0.01, 1.92},
                                          {1.9117351, 0.001, 1.912},
                                          {1.9117351, 0.1, 2.0},
                                          {1.92, 0.01, 1.92},
                                          {1.9, 0.05, 1.9}})
        EXPECT_EQ(RoundUpToStep(value, step), up) << value << " " << step;
}

// Every limit on both sides, and the strength of each clause.
TEST(Clauses, VelocityAndMildSlopeOnBothSides) {
    const double A = TrueSection(2, 1.5).area;
    for (const auto& [v, verdict] : {std::pair{0.99, NotMet},
                                     {1.0, Met},
                                     {1.01, Met},
                                     {2.49, Met},
                                     {2.5, Met},
                                     {2.51, NotMet}}) {
        const DesignChecks c = CheckDesign({2, 1.5, v * A, 1000, 0.014}, 100);
        EXPECT_EQ(c.velocity, verdict) << v;
        EXPECT_EQ(VerdictText(*Row(CheckRows(c), "velocity")), verdict == Met ? "满足" : "宜调整");
    }
    DesignPoint p{2, 1.5, 4, 1000, 0.014};
    const double xc = CheckDesign(p, 100).criticalSlopeX.value_or(0);
    for (const auto& [x, verdict] : {std::pair{xc * 1.001, Met}, {xc * 0.999, NotMet}}) {
        p.x = x;
        const DesignChecks c = CheckDesign(p, 100);
        EXPECT_EQ(c.mildSlope, verdict) << x;
        EXPECT_EQ(VerdictText(*Row(CheckRows(c), "mild_slope")),
                  verdict == Met ? "满足" : "不满足");
    }
}

TEST(Clauses, NetDepthFromEachFreeboardAndTheDepthRatio) {
    DesignConditions beam, arch, rods;
    arch.support = SupportForm::Arch;
    rods.tieRodDepth = 0.2;
    // Deep and narrow: the increased discharge decides, 0.10 m under the
    // top or, with tie rods, under their underside.
    const DesignPoint narrow{1.912109, 1.5, 4, 1000, 0.014};
    const DesignChecks open = CheckDesign(narrow, 100, beam);
    EXPECT_NEAR(open.H.value_or(0), open.hinc.value_or(1) + 0.10, 1e-12);
    const DesignChecks tied = CheckDesign(narrow, 100, rods);
    EXPECT_NEAR(tied.H.value_or(0), tied.hinc.value_or(1) + 0.30, 1e-12);
    EXPECT_NEAR(tied.increasedClearance.value_or(0), 0.10, 1e-12);
    EXPECT_EQ(tied.increasedOk, Met);
    // Without an increase, B/10 above h decides at B = 3 m; H/B = h/B + 0.1
    // meets the 宜 limit 0.9 up to h/B = 0.8.
    beam.increasePercent = arch.increasePercent = 0.0;
    for (const auto& [h, verdict] : {std::pair{2.397, Met}, {2.4, Met}, {2.403, NotMet}}) {
        const double Q = TrueManningDischarge(3, h, 1000, 0.014);
        for (const DesignConditions& c : {beam, arch}) {
            const DesignChecks checks = CheckDesign({3, h, Q, 1000, 0.014}, 100, c);
            EXPECT_NEAR(checks.H.value_or(0), h + 0.3, 1e-12);
            EXPECT_EQ(checks.depthRatioOk, verdict) << h;
            EXPECT_EQ(Row(CheckRows(checks), "net_depth")->level, CheckLevel::Should);
        }
    }
    // Shallow and wide: a beam flume's walls stand at 0.7B; an arch flume
    // may be lower.
    const double Q = TrueManningDischarge(3, 1.5, 1000, 0.014);
    EXPECT_NEAR(CheckDesign({3, 1.5, Q, 1000, 0.014}, 100, beam).H.value_or(0), 2.1, 1e-12);
    const DesignChecks low = CheckDesign({3, 1.5, Q, 1000, 0.014}, 100, arch);
    EXPECT_NEAR(low.H.value_or(0), 1.8, 1e-12);
    EXPECT_EQ(low.depthRatioOk, Met); // H/B = 0.6
    // Rounded up to the centimetre for the section to build.
    EXPECT_EQ(CheckDesign(narrow, 100, DesignConditions{}, nullptr, true).H, 1.91);
}

TEST(Clauses, ConnectionLimitsOnBothSides) {
    // The backwater at Q加 may rise 3 % of the canal's depth (a 宜 clause).
    for (const auto& [h, verdict] : {std::pair{1.70, NotMet}, {1.72, Met}}) { // 3.16 %, 2.93 %
        const Connection c =
            ComputeConnection({{2, h, 4, 2000, 0.014}, 200, 0.2, 0.5, 20.0}, Canals());
        EXPECT_EQ(c.increased.ok, verdict) << h;
        EXPECT_EQ(VerdictText(ConnectionChecks(c)[1]), verdict == Met ? "满足" : "宜调整");
    }
    // The drop: not above [ΔZ] (a rule), a note when over 10 % is unused.
    const ConnectionFlume flume{{2, 1.8, 4, 2000, 0.014}, 200, 0.2, 0.5, 20.0};
    const double drop = ComputeConnection(flume, Canals()).design.drop.value_or(0);
    for (const auto& [allowed, verdict] : {std::pair{drop * 0.999999, NotMet},
                                           {drop, Met},
                                           {drop / 0.901, Met},
                                           {drop / 0.899, Note}})
        EXPECT_EQ(ComputeConnection(flume, Canals(allowed)).design.dropOk, verdict) << allowed;
    // Long from 15 canal depths h₁ on; a bend from 6 surface widths on.
    const double h1 = CanalNormalDepth(kCanal, 4).value_or(0);
    for (const auto& [factor, verdict] : {std::pair{1.0, Met}, {0.9999, Note}}) {
        ConnectionFlume f = flume;
        f.length = 15 * h1 * factor;
        const Connection c = ComputeConnection(f, Canals());
        EXPECT_EQ(CheckDesign(f.point, f.length, DesignConditions{}, &c).longFlume, verdict);
        EXPECT_EQ(c.recheck.has_value(), verdict == Note);
    }
    for (const auto& [r, verdict] : {std::pair{12.0, Met}, {11.99, NotMet}}) {
        ConnectionInput in = Canals();
        in.bendRadius = r;
        const Connection c = ComputeConnection(flume, in);
        EXPECT_EQ(c.bend->ok, verdict) << r;
        EXPECT_EQ(ConnectionChecks(c).back().level, CheckLevel::Should);
    }
}

TEST(Clauses, ColdRegionModelTestAndTheirStrength) {
    DesignConditions cold;
    cold.coldRegion = true;
    cold.grade = 2;
    const DesignPoint p{2, 1.8, 4, 2000, 0.014};
    // A deep narrow downstream canal stands above the outlet's bed, the
    // example's does not: the flume drains only into the first.
    for (const Canal& down : {kCanal, Canal{0.5, 0.5, 0.025, 20000}}) {
        ConnectionInput in = Canals();
        in.downstream = down;
        in.grade = 4;
        const Connection c = ComputeConnection({p, 200, 0.2, 0.5, 20.0}, in);
        const DesignChecks checks = CheckDesign(p, 200, cold, &c);
        EXPECT_EQ(checks.drains, *c.levels.bedOutlet > *c.levels.bedDownstream ? Met : NotMet);
        EXPECT_EQ(Row(CheckRows(checks), "cold_region")->level, CheckLevel::Should);
        EXPECT_FALSE(Row(CheckRows(checks), "model_test")); // the canals' grade 4 decides
    }
    // Without canal data: a note; grade 2 asks for a model test.
    const std::vector<CheckRow> rows = CheckRows(CheckDesign(p, 200, cold));
    EXPECT_EQ(Row(rows, "cold_region")->verdict, Note);
    EXPECT_EQ(Row(rows, "model_test")->level, CheckLevel::Info);
    std::map<std::string, CheckLevel> levels;
    for (const CheckRow& row : rows)
        levels[row.id] = row.level;
    EXPECT_EQ(levels, (std::map<std::string, CheckLevel>{{"applicability", CheckLevel::Shall},
                                                         {"velocity", CheckLevel::Should},
                                                         {"mild_slope", CheckLevel::Shall},
                                                         {"increased_flow", CheckLevel::Info},
                                                         {"freeboard", CheckLevel::Shall},
                                                         {"increased_freeboard", CheckLevel::Shall},
                                                         {"net_depth", CheckLevel::Should},
                                                         {"short_flume", CheckLevel::Info},
                                                         {"cold_region", CheckLevel::Info},
                                                         {"model_test", CheckLevel::Info}}));
}

TEST(Design, OneDropWithCanalDataAndTheShortFlumeRecheck) {
    const std::array<float, 8> example{4, 100, 1.5, 1000, 1, 0.014f, 0.25, 0.4f};
    const Design d = ComputeDesign({1, example, {}, Canals()});
    ASSERT_TRUE(d.adopted && d.adopted->section.connection);
    const VerifiedSection& s = d.adopted->section;
    const Connection& c = *s.connection;
    EXPECT_EQ(d.connection(), &c);
    EXPECT_EQ(s.Z, c.design.drop);
    EXPECT_EQ(s.Z1, c.design.Z1);
    EXPECT_NEAR(s.topInlet.value_or(0), *c.levels.bedInlet + 1.91, 1e-12);
    EXPECT_NE(d.velocityNote.find("V = 1.000 m/s 与上游渠道流速 v₁ = 0.586 m/s"), std::string::npos)
        << d.velocityNote;
    EXPECT_NE(d.transitionNote.find("直线形扭曲面"), std::string::npos);
    // 42 % of [ΔZ] unused: a note, not a failure.
    EXPECT_EQ(Row(s.rows, "allowed_drop")->verdict, Note);
    // A short flume's drop traced at the design discharge from the downstream
    // level: the flume runs at its normal depth, so the drop is ΔZ again.
    std::array<float, 8> shortFlume = example;
    shortFlume[1] = 20;
    const Design e = ComputeDesign({1, shortFlume, {}, Canals()});
    const Connection& k = *e.adopted->section.connection;
    ASSERT_TRUE(k.recheck && k.recheck->drop);
    EXPECT_NEAR(*k.recheck->drop, *k.design.drop, 1e-9);
    EXPECT_EQ(Row(e.adopted->section.rows, "short_recheck")->level, CheckLevel::Shall);
}

TEST(WaysOut, ExactBoundariesAndTheNearestBuildableValue) {
    const Design d = ComputeDesign({1, {4, 100, 1.5, 1000, 1, 0.014f, 0.25, 0.4f}});
    ASSERT_TRUE(d.waysOut);
    const WaysOut& w = *d.waysOut;
    ASSERT_EQ(w.boundaries.size(), 1u);
    EXPECT_EQ(w.boundaries[0].id, "net_depth");
    EXPECT_TRUE(w.boundaries[0].upper);
    EXPECT_EQ(w.boundaries[0].bound, 1.433);
    const FlumeInputs f = FlumeInputsOf(1, {4, 100, 1.5, 1000, 1, 0.014f, 0.25, 0.4f});
    for (const auto& [h, met] : {std::pair{1.433, true}, {1.434, false}}) {
        const auto a = AdoptSection(WithFreeInput(f, h), {}, {});
        EXPECT_EQ(Meets(*Row(a->section.rows, "net_depth")), met) << h;
    }
    EXPECT_EQ(w.nearest, 1.43);
    EXPECT_TRUE(w.section && w.section->section.feasible);
    // Case 4 moves the width and states the discharge it carries.
    const Design q = ComputeDesign({4, {1.5, 100, 1.912f, 1000, 1, 0.014f, 0.25, 0.4f}});
    ASSERT_TRUE(q.waysOut && q.waysOut->section);
    const std::vector<std::string> lines = WaysOutSentences(q);
    EXPECT_NE(lines.back().find("通过流量 Q = "), std::string::npos) << lines.back();
    EXPECT_GE(*q.waysOut->nearest, 1.912);
}

// A vast typed value ends: its nearest buildable value is looked for among
// the step values nearest it only, none where they are not whole steps
// apart, and a bisection stops at neighbouring doubles.
TEST(WaysOut, VastValuesEnd) {
    for (const double B : {1e5, 1e20}) {
        FlumeInputs f = FlumeInputsOf(3, {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f});
        VerifiedSection current = AdoptSection(f, {}, {})->section;
        f.B = B;
        for (CheckRow& row : current.rows)
            row.verdict = Verdict::NotMet;
        const WaysOut w = FindWaysOut(f, {}, {}, current);
        const auto unmet = std::count_if(current.rows.begin(), current.rows.end(),
                                         [](const CheckRow& row) { return !Meets(row); });
        EXPECT_EQ(w.boundaries.size() + w.unbounded.size(), std::size_t(unmet));
        if (w.nearest) {
            EXPECT_LE(std::fabs(*w.nearest - B), 1000 * DesignConditions{}.widthStep + 1e-6);
        }
    }
}

} // namespace
