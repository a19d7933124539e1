// Hydraulic elements of the true section: hand values, the critical depth,
// the flow regime, figures that cannot be formed, and the design point of
// each case.
#include "cases.h"
#include "elements.h"
#include "module1.h"
#include "numtext.h"

#include <array>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>

namespace {

using namespace hydraulics;
constexpr double kPi = std::numbers::pi;
constexpr double kG = 9.81;

struct SectionHand {
    const char* what;
    double B, h;
    double A, P, T;
    SurfacePosition surface;
};

void PrintTo(const SectionHand& c, std::ostream* os) {
    *os << c.what;
}

class TrueSectionHand : public ::testing::TestWithParam<SectionHand> {};

TEST_P(TrueSectionHand, AreaPerimeterTopWidthAndSurface) {
    const SectionHand& c = GetParam();
    const HydraulicElements e = ComputeElements(c.B, c.h, 1.0);
    ASSERT_TRUE(e.A && e.P && e.R && e.T && e.surface);
    EXPECT_NEAR(*e.A, c.A, 1e-12);
    EXPECT_NEAR(*e.P, c.P, 1e-12);
    EXPECT_NEAR(*e.R, c.A / c.P, 1e-12);
    EXPECT_NEAR(*e.T, c.T, 1e-12);
    EXPECT_EQ(*e.surface, c.surface);
}

INSTANTIATE_TEST_SUITE_P(
    Hand, TrueSectionHand,
    ::testing::Values(
        // Half full: the semicircle exactly, T = B.
        SectionHand{"half_full", 2, 1, kPi / 2, kPi, 2, SurfacePosition::AtSemicircleTop},
        // On the walls: semicircle plus a 2 × 0.5 rectangle.
        SectionHand{"on_walls", 2, 1.5, kPi / 2 + 1, kPi + 1, 2, SurfacePosition::OnWalls},
        // Shallow segment, half angle 60°: A = π/3 − √3/4, P = 2π/3, T = √3.
        SectionHand{"segment", 2, 0.5, kPi / 3 - std::sqrt(3.0) / 4, 2 * kPi / 3, std::sqrt(3.0),
                    SurfacePosition::InSemicircle}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(TrueSection, SurfaceBandAroundTheTopIsHalfAMillimetre) {
    EXPECT_EQ(*ComputeElements(2, 0.9996, 1).surface, SurfacePosition::AtSemicircleTop);
    EXPECT_EQ(*ComputeElements(2, 1.0004, 1).surface, SurfacePosition::AtSemicircleTop);
    EXPECT_EQ(*ComputeElements(2, 0.9994, 1).surface, SurfacePosition::InSemicircle);
    EXPECT_EQ(*ComputeElements(2, 1.0006, 1).surface, SurfacePosition::OnWalls);
}

TEST(Elements, VelocityHeadAndFroudeNumberOnTheWalls) {
    // B = 2, h = 1.5, Q = 4: A = 2.5708, v = 1.5559, v²/2g = 0.12339,
    // hydraulic depth A/T = 1.2854, Fr = 0.43817.
    const HydraulicElements e = ComputeElements(2, 1.5, 4);
    ASSERT_TRUE(e.v && e.velocityHead && e.Fr && e.regime);
    EXPECT_NEAR(*e.v, 1.555938, 1e-6);
    EXPECT_NEAR(*e.velocityHead, 0.1233916, 1e-7);
    EXPECT_NEAR(*e.Fr, 0.4381663, 1e-7);
    EXPECT_EQ(*e.regime, FlowRegime::Subcritical);
}

// The critical depth solves Q²·T = g·A³; bisection to 1 mm.
void ExpectSolvesCriticalCondition(double B, double Q, double hc) {
    const auto excess = [&](double y) {
        const SectionShape s = TrueSection(B, y);
        return kG * std::pow(s.area, 3) - Q * Q * s.topWidth;
    };
    EXPECT_LT(excess(hc - 0.001), 0) << "B=" << B << " Q=" << Q;
    EXPECT_GT(excess(hc + 0.001), 0) << "B=" << B << " Q=" << Q;
}

TEST(CriticalDepth, CircularChannelExampleInsideTheSemicircle) {
    // Published example: a circular channel 0.2 m across carrying 0.01 m³/s
    // has a critical depth of about 0.085 m, below the centre.
    const auto hc = CriticalDepth(0.2, 0.01);
    ASSERT_TRUE(hc);
    EXPECT_NEAR(*hc, 0.085, 0.001);
    EXPECT_LT(*hc, 0.1);
    ExpectSolvesCriticalCondition(0.2, 0.01, *hc);
}

TEST(CriticalDepth, OnTheWallsMatchesTheClosedForm) {
    // With T = B: A = (Q²B/g)^(1/3), h = B/2 + (A − πB²/8)/B.
    const double B = 2, Q = 10;
    const double A = std::cbrt(Q * Q * B / kG);
    const auto hc = CriticalDepth(B, Q);
    ASSERT_TRUE(hc);
    EXPECT_NEAR(*hc, B / 2 + (A - kPi * B * B / 8) / B, 0.001);
    ExpectSolvesCriticalCondition(B, Q, *hc);
}

TEST(CriticalDepth, SolvesTheConditionOverAWideRange) {
    for (double B : {0.05, 0.3, 1.0, 4.0, 20.0})
        for (double Q : {1e-4, 0.02, 0.5, 3.0, 50.0, 2000.0}) {
            const auto hc = CriticalDepth(B, Q);
            ASSERT_TRUE(hc) << "B=" << B << " Q=" << Q;
            ExpectSolvesCriticalCondition(B, Q, *hc);
        }
}

TEST(CriticalDepth, NotFormedWithoutFlowOrWidth) {
    EXPECT_FALSE(CriticalDepth(2, 0));
    EXPECT_FALSE(CriticalDepth(2, -1));
    EXPECT_FALSE(CriticalDepth(0, 1));
    EXPECT_FALSE(CriticalDepth(std::numeric_limits<double>::quiet_NaN(), 1));
}

// Discharge that gives Froude number `fr` at B = 2, h = 1.5.
double DischargeFor(double fr) {
    const double A = kPi / 2 + 1, T = 2;
    return fr * A * std::sqrt(kG * A / T);
}

struct RegimeCase {
    double fr;
    FlowRegime regime;
};

class RegimeThresholds : public ::testing::TestWithParam<RegimeCase> {};

TEST_P(RegimeThresholds, CriticalWithinOnePercent) {
    const HydraulicElements e = ComputeElements(2, 1.5, DischargeFor(GetParam().fr));
    ASSERT_TRUE(e.Fr && e.regime);
    EXPECT_NEAR(*e.Fr, GetParam().fr, 1e-12);
    EXPECT_EQ(*e.regime, GetParam().regime);
}

INSTANTIATE_TEST_SUITE_P(Band, RegimeThresholds,
                         ::testing::Values(RegimeCase{0.5, FlowRegime::Subcritical},
                                           RegimeCase{0.985, FlowRegime::Subcritical},
                                           RegimeCase{0.995, FlowRegime::Critical},
                                           RegimeCase{1.0, FlowRegime::Critical},
                                           RegimeCase{1.005, FlowRegime::Critical},
                                           RegimeCase{1.015, FlowRegime::Supercritical},
                                           RegimeCase{3.0, FlowRegime::Supercritical}));

TEST(Elements, FroudeNumberOneAtTheCriticalDepth) {
    // Fr = 1 and Q²T = gA³ are the same condition: at the discharge that
    // makes the flow critical at h, the critical depth is h.
    for (double h : {0.3, 1.0, 1.5, 4.0}) {
        const double A = TrueSection(2, h).area, T = TrueSection(2, h).topWidth;
        const double Q = A * std::sqrt(kG * A / T);
        EXPECT_NEAR(*ComputeElements(2, h, Q).hc, h, 0.001) << "h=" << h;
    }
}

TEST(Elements, NoFlowLeavesTheFlowFiguresUnformed) {
    const HydraulicElements e = ComputeElements(2, 1.5, 0);
    EXPECT_TRUE(e.A && e.P && e.R && e.T && e.surface); // the section itself
    EXPECT_FALSE(e.v || e.velocityHead || e.Fr || e.regime || e.hc);
    const auto rows = ElementRows(e);
    for (const ElementRow& row : rows) {
        const bool sectionRow =
            row.symbol == "A" || row.symbol == "P" || row.symbol == "R" || row.symbol == "T";
        EXPECT_EQ(FormatElement(row.value) == "—", !sectionRow) << row.symbol;
    }
    EXPECT_EQ(RegimeText(e.regime), "—");
}

TEST(Elements, NoSectionWithoutDepthOrWidth) {
    const HydraulicElements dry = ComputeElements(2, 0, 1);
    EXPECT_FALSE(dry.A || dry.P || dry.R || dry.T || dry.v || dry.Fr || dry.surface);
    EXPECT_TRUE(dry.hc); // the flow still has a critical depth
    EXPECT_EQ(SurfaceText(dry.surface), "—");
    const HydraulicElements none = ComputeElements(0, 1, 1);
    EXPECT_FALSE(none.A || none.hc || none.surface);
    const HydraulicElements nan = ComputeElements(2, std::numeric_limits<double>::quiet_NaN(), 1);
    EXPECT_FALSE(nan.A || nan.hc || nan.surface);
}

TEST(FormatElement, ThreeDecimalsOrDash) {
    EXPECT_EQ(FormatElement(kPi / 2), "1.571");
    EXPECT_EQ(FormatElement(2.0), "2.000");
    EXPECT_EQ(FormatElement(1234.5678), "1234.568");
    EXPECT_EQ(FormatElement(-0.0001), "0.000");
    EXPECT_EQ(FormatElement(-0.25), "-0.250");
    EXPECT_EQ(FormatElement(std::nullopt), "—");
    EXPECT_EQ(FormatElement(std::numeric_limits<double>::quiet_NaN()), "—");
    EXPECT_EQ(FormatElement(std::numeric_limits<double>::infinity()), "—");
}

TEST(RatingCurve, RisesThroughTheSemicircleTop) {
    const auto curve = RatingCurve(2, 1000, 0.014, 3, 60);
    ASSERT_EQ(curve.size(), 60u);
    EXPECT_DOUBLE_EQ(curve.front().depth, 0.05);
    EXPECT_DOUBLE_EQ(curve.back().depth, 3);
    for (std::size_t k = 1; k < curve.size(); ++k)
        EXPECT_GT(curve[k].discharge, curve[k - 1].discharge) << "depth " << curve[k].depth;
    // At h = B/2 the true section carries about what the case solver's
    // section (π = 3.14159, single precision) carries: 2.23514 m³/s.
    EXPECT_NEAR(curve[19].discharge, 2.23514, 0.0001);
    EXPECT_TRUE(RatingCurve(2, 1000, 0.014, 3, 0).empty());
    EXPECT_TRUE(RatingCurve(2, 1000, 0.014, 0, 10).empty());
}

// The four worked examples of the case windows.
struct DesignCase {
    int caseNo;
    std::array<float, 8> inputs;
};

class DesignPointOfCase : public ::testing::TestWithParam<DesignCase> {};

TEST_P(DesignPointOfCase, IsWhatTheCaseShowsAndCarriesItsDischarge) {
    const DesignCase& c = GetParam();
    Module1 m;
    const ResultTexts results = CalculateCase(m, c.caseNo, c.inputs);
    const Module1 before = m;
    const DesignPoint p = FromCase(m, c.caseNo);
    const HydraulicElements e = ComputeElements(p);
    // Reading the design point and its elements changes nothing.
    EXPECT_EQ(std::memcmp(&before.BasicData, &m.BasicData, sizeof m.BasicData), 0);
    EXPECT_EQ(before.ChannelWidth, m.ChannelWidth);
    EXPECT_TRUE(e.A && e.Fr && e.hc && e.regime && e.surface);

    // The found quantity is the one in Text13.
    const double found[] = {p.B, p.x, p.h, p.Q};
    EXPECT_EQ(FormatSingle(float(found[c.caseNo - 1])), results[4]);
    // Given ones are the inputs (Text1 is h in case 4, Q otherwise).
    if (c.caseNo != 4)
        EXPECT_EQ(float(p.Q), c.inputs[0]);
    else
        EXPECT_EQ(float(p.h), c.inputs[0]);
    EXPECT_EQ(float(p.n), c.inputs[5]);
    // The true section at the design point carries the design discharge to
    // within the differences of π, single precision and search tolerance.
    EXPECT_NEAR(TrueManningDischarge(p.B, p.h, p.x, p.n), p.Q, 0.02 * p.Q);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, DesignPointOfCase,
    ::testing::Values(DesignCase{1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}},
                      DesignCase{2, {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f}},
                      DesignCase{3, {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f}},
                      DesignCase{4, {1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f}}),
    [](const auto& info) { return "case" + std::to_string(info.param.caseNo); });

} // namespace
