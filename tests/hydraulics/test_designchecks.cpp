// SPDX-License-Identifier: GPL-3.0-or-later
// Design checks: worked examples by hand and by other routes, the rows of
// the increase table, steep and short flumes, degenerate inputs.
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

namespace hydraulics {
void PrintTo(Verdict verdict, std::ostream* os) {
    *os << VerdictText(verdict);
}
} // namespace hydraulics

namespace {

using namespace hydraulics;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
using enum Verdict;

TEST(DesignChecks, WorkedExamplesOnTheWallsAndInTheSemicircle) {
    // Hand values of v, Fr, x_c, Q加, h加, H, H/B worked out apart from the
    // engine (depths by bisection); the increase is 30 % for 1 ≤ Q < 5.
    using Hand = std::array<double, 7>;
    for (const auto& [p, hand, netDepth] : {
             std::tuple{DesignPoint{1.912109, 1.5, 4, 1000, 0.014},
                        Hand{1.615604, 0.453309, 257.3717, 5.2, 1.807961, 1.907961, 0.997831},
                        NotMet}, // too deep for its width
             std::tuple{DesignPoint{1.6, 0.71, 1, 1000, 0.014},
                        Hand{1.160613, 0.503354, 266.7784, 1.3, 0.825597, 1.12, 0.7},
                        Met}, // water in the semicircle, H = 0.7·B
         }) {
        SCOPED_TRACE(p.B);
        const DesignChecks c = CheckDesign(p, 100);
        const Hand got{c.v.value_or(0),    c.Fr.value_or(0),   c.criticalSlopeX.value_or(0),
                       c.Qinc.value_or(0), c.hinc.value_or(0), c.H.value_or(0),
                       c.ratio.value_or(0)};
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], hand[i], 1e-6 * (1 + hand[i])) << i;
        EXPECT_EQ(c.increasePercent, 30);
        EXPECT_EQ((std::array{c.velocity, c.mildSlope, c.increase, c.depthRatioOk, c.longFlume}),
                  (std::array{Met, Met, Met, netDepth, Met}));
        // The increased discharge at its depth, to the last digits.
        EXPECT_NEAR(TrueManningDischarge(p.B, c.hinc.value_or(0), p.x, p.n), hand[3], 1e-12);
        // At slope 1/x_c the normal depth is the critical depth: within a
        // millimetre of it, Manning's discharge and the Froude number of Q
        // both cross over.
        const double hc = CriticalDepth(p.B, p.Q).value_or(0), xc = c.criticalSlopeX.value_or(1);
        EXPECT_LT(TrueManningDischarge(p.B, hc - 0.001, xc, p.n), p.Q);
        EXPECT_GT(TrueManningDischarge(p.B, hc + 0.001, xc, p.n), p.Q);
        EXPECT_GT(ComputeElements(p.B, hc - 0.001, p.Q).Fr.value_or(0), 1);
        EXPECT_LT(ComputeElements(p.B, hc + 0.001, p.Q).Fr.value_or(2), 1);
    }
}

TEST(DesignChecks, RowsOfTheFirstWorkedExample) {
    // Each row with its clause's strength: H/B is a 宜 clause (宜调整), the
    // length a classification (长槽).
    const auto rows = CheckRows(CheckDesign({1.912109, 1.5, 4, 1000, 0.014, true}, 100));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0].item + rows[0].value + rows[0].requirement, "适用条件h/B = 0.784h ≥ B/2");
    EXPECT_EQ(rows[1].value, "v = 1.616 m/s");
    EXPECT_EQ(rows[2].value, "Fr = 0.453，x_c = 257.372");
    EXPECT_EQ(rows[3].value, "p = 30 %，Q加 = 5.200 m³/s，h加 = 1.808 m");
    EXPECT_EQ(rows[3].requirement, "p 取 30～25 %");
    EXPECT_EQ(rows[4].value, "H = 1.908 m，H − h = 0.408 m，B/10 = 0.191 m");
    EXPECT_EQ(rows[5].value, "h加 = 1.808 m，H − h加 = 0.100 m");
    EXPECT_EQ(rows[6].value, "H = 1.908 m，H/B = 0.998");
    EXPECT_EQ(VerdictText(rows[6]), "宜调整");
    EXPECT_EQ(rows[7].value, "L/h = 66.667");
    EXPECT_EQ(VerdictText(rows[7]), "长槽");
    std::string levels;
    for (const CheckRow& row : rows)
        levels += std::string(LevelId(row.level)).substr(0, 2) + ' ';
    EXPECT_EQ(levels, "sh sh sh no sh sh sh no ");
}

// The straight-wall formulas of cases 1 and 2 hold for h ≥ B/2 (to 1e-9 m);
// the true section of cases 3 and 4 holds at any depth.
TEST(DesignChecks, ApplicabilityOfTheStraightWallFormulas) {
    using Point = std::tuple<DesignPoint, double, Verdict>; // point, h/B, verdict
    for (const auto& [p, ratio, verdict] :
         {Point{{4.9375, 1.5, 9.5, 1000, 0.014, true}, 0.303797, NotMet}, // case 1, Q = 9.5
          Point{{4.9375, 1.5, 9.5, 1000, 0.014, false}, 0.303797, Met},
          Point{{3, 1.5 - 1e-10, 4, 1000, 0.014, true}, 0.5, Met},
          Point{{3, 1.5 - 1e-7, 4, 1000, 0.014, true}, 0.5, NotMet},
          Point{{0, 1.5, 4, 1000, 0.014, true}, kNaN, Unknown}}) {
        const DesignChecks c = CheckDesign(p, 100);
        EXPECT_EQ(c.applicability, verdict) << p.B << " " << p.h;
        EXPECT_NEAR(c.depthRatio.value_or(-1), std::isnan(ratio) ? -1 : ratio, 1e-6) << p.B;
        EXPECT_EQ(CheckRows(c)[0].verdict, verdict);
    }
}

TEST(IncreaseTable, RowBoundsAndTheDischargeTheyGive) {
    using Row = std::tuple<double, double, std::string_view>; // Q, default %, row
    for (const auto& [Q, percent, text] :
         {Row{0.999, 35, "35～30"}, Row{1, 30, "30～25"}, Row{4.999, 30, "30～25"},
          Row{5, 25, "25～20"}, Row{19.999, 25, "25～20"}, Row{20, 20, "20～15"},
          Row{49.999, 20, "20～15"}, Row{50, 15, "15～10"}, Row{99.999, 15, "15～10"},
          Row{100, 10, "10～5"}, Row{300, 10, "10～5"}, Row{300.001, 5, "< 5"}}) {
        SCOPED_TRACE(Q);
        EXPECT_EQ(std::pair(DefaultIncreasePercent(Q), IncreaseRange(Q).text),
                  std::pair(percent, text));
        const DesignChecks c = CheckDesign({20, 5, Q, 1000, 0.014}, 500);
        EXPECT_NEAR(c.Qinc.value_or(0), Q * (1 + percent / 100), 1e-9 * Q);
        EXPECT_EQ(c.increase, Met);
    }
    // A chosen increase: outside Q's row a note, outside 0..50 % nothing.
    using Given = std::tuple<double, std::optional<double>, Verdict>;
    for (const auto& [percent, Qinc, verdict] :
         {Given{27.5, 5.1, Met}, Given{40, 5.6, Note}, Given{0, 4, Note}, Given{50, 6, Note},
          Given{-1, {}, Unknown}, Given{50.1, {}, Unknown}, Given{kNaN, {}, Unknown}}) {
        SCOPED_TRACE(percent);
        const DesignChecks c = CheckDesign({1.912109, 1.5, 4, 1000, 0.014}, 100, percent);
        EXPECT_NEAR(c.Qinc.value_or(-1), Qinc.value_or(-1), 1e-12); // -1: none
        EXPECT_EQ(c.increase, verdict);
    }
}

TEST(DesignChecks, SteepSlopesAreNotMild) {
    // Uniform flow at x = 50 with smooth walls: v ≈ 5.06 m/s, Fr ≈ 2.95.
    const double Q = TrueManningDischarge(1, 0.4, 50, 0.010);
    const DesignChecks steep = CheckDesign({1, 0.4, Q, 50, 0.010}, 100);
    EXPECT_TRUE(steep.Fr > 1 && steep.criticalSlopeX > 50) << steep.Fr.value_or(0);
    EXPECT_EQ((std::pair{steep.mildSlope, steep.velocity}), (std::pair{NotMet, NotMet}));
    // Slow flow on a slope steeper than the critical one (x_c ≈ 257) is not mild.
    EXPECT_EQ(CheckDesign({1.912109, 1.5, 4, 200, 0.014}, 100).mildSlope, NotMet);
}

TEST(DesignChecks, ShortFlumesCallForAWaterSurfaceProfile) {
    using LV = std::pair<double, Verdict>; // L, m; h = 1.5 m
    for (const auto& [L, verdict] : {LV{22.49, Note}, LV{1, Note}, LV{22.5, Met}, LV{0, Unknown},
                                     LV{-5, Unknown}, LV{kInf, Unknown}})
        EXPECT_EQ(CheckDesign({1.912109, 1.5, 4, 1000, 0.014}, L).longFlume, verdict) << L;
}

TEST(DesignChecks, NothingFormedFromDegenerateInputs) {
    // Verdicts of the eight rows (M met, N not met, ? open, "—" shown): the
    // applicability needs B and h alone, the increase Q alone, the length
    // L and h alone; the freeboards and H/B need the depth at Q加.
    using Bad = std::pair<DesignPoint, std::string_view>;
    for (const auto& [p, verdicts] :
         {Bad{{1.6, 0.71, 0, 1000, 0.014}, "M??????M"},
          Bad{{1.6, 0.71, -1, 1000, 0.014}, "M??????M"},
          Bad{{1.6, 0.71, kNaN, 1000, 0.014}, "M??????M"}, Bad{{1.6, 0.71, kInf, 0, 0}, "M??????M"},
          Bad{{0, 0.71, 1, 1000, 0.014}, "???M???M"}, Bad{{-1.6, 0.71, 1, 1000, 0.014}, "???M???M"},
          Bad{{kNaN, 0.71, 1, 1000, 0.014}, "???M???M"}, Bad{{1.6, 0, 1, 1000, 0.014}, "M??M????"},
          Bad{{1.6, kInf, 1, 1000, 0.014}, "???M????"}, Bad{{1.6, 0.71, 1, 0, 0}, "MM?M???M"},
          Bad{{1.6, 0.71, 1e300, 1000, 0.014}, "MNNM???M"}}) {
        std::vector<CheckRow> rows;
        ASSERT_NO_THROW(rows = CheckRows(CheckDesign(p, 100)));
        ASSERT_EQ(rows.size(), verdicts.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string& value = rows[i].value;
            EXPECT_EQ("MNn?"[static_cast<int>(rows[i].verdict)], verdicts[i]) << i << ": " << value;
            EXPECT_TRUE(rows[i].verdict != Unknown || value.find("—") != std::string::npos)
                << value;
            EXPECT_TRUE(value.find("nan") == value.npos && value.find("inf") == value.npos)
                << value;
        }
    }
}

} // namespace

// A verdict decided below the shown digits shows the digits that decide it.
TEST(DesignChecks, FiguresShowTheDigitsThatDecide) {
    EXPECT_EQ(DecidingFigure("ΔZ", 0.3505, 0.35, true, false, "m"), "ΔZ = 0.3505 m");
    EXPECT_EQ(DecidingFigure("ΔZ", 0.3496, 0.35, true, true, "m"), "ΔZ = 0.350 m");
    EXPECT_EQ(DecidingFigure("v", 2.500004, 2.5, true, false, "m/s"), "v = 2.500004 m/s");
    EXPECT_EQ(DecidingFigure("v", 0.99996, 1.0, false, false), "v = 0.99996");
    EXPECT_EQ(DecidingFigure("v", 1.616, 2.5, true, true, "m/s"), "v = 1.616 m/s");
}
