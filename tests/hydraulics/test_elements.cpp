// SPDX-License-Identifier: GPL-3.0-or-later
// Hydraulic elements of the true section: hand values, the critical depth,
// the flow regime, figures that cannot be formed, the rating curve and the
// design point of each case.
#include "hydraulics/cases.h"
#include "hydraulics/elements.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace hydraulics;
constexpr double kPi = std::numbers::pi, kG = 9.81;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using enum SurfacePosition;

TEST(Elements, HandValuesSurfaceAndRegimeAtWidthTwo) {
    // clang-format off
    struct { double h, A, P, T; SurfacePosition at; } const rows[] = {
        {1, kPi / 2, kPi, 2, AtSemicircleTop},   // half full: the semicircle
        {1.5, kPi / 2 + 1, kPi + 1, 2, OnWalls}, // plus a 2 × 0.5 rectangle
        // Half angle 60°: A = π/3 − √3/4, P = 2π/3, T = √3.
        {0.5, kPi / 3 - std::sqrt(3.0) / 4, 2 * kPi / 3, std::sqrt(3.0), InSemicircle}};
    // clang-format on
    for (const auto& r : rows) {
        const HydraulicElements e = ComputeElements(2, r.h, 1);
        EXPECT_NEAR(e.A.value_or(0), r.A, 1e-12) << r.h;
        EXPECT_NEAR(e.P.value_or(0), r.P, 1e-12) << r.h;
        EXPECT_NEAR(e.R.value_or(0), r.A / r.P, 1e-12) << r.h;
        EXPECT_NEAR(e.T.value_or(0), r.T, 1e-12) << r.h;
        EXPECT_EQ(e.surface, r.at) << r.h;
    }
    // At the top within half a millimetre of it.
    for (const auto& [h, at] : {std::pair{0.9996, AtSemicircleTop},
                                {1.0004, AtSemicircleTop},
                                {0.9994, InSemicircle},
                                {1.0006, OnWalls}})
        EXPECT_EQ(*ComputeElements(2, h, 1).surface, at) << h;
    // B = 2, h = 1.5, Q = 4: v = 1.5559, v²/2g = 0.12339, Fr = 0.43817.
    const HydraulicElements e = ComputeElements(2, 1.5, 4);
    EXPECT_NEAR(e.v.value_or(0), 1.555938, 1e-6);
    EXPECT_NEAR(e.velocityHead.value_or(0), 0.1233916, 1e-7);
    EXPECT_NEAR(e.Fr.value_or(0), 0.4381663, 1e-7);
    // Critical within 1 % of Fr = 1.
    const double A = kPi / 2 + 1, T = 2;
    using enum FlowRegime;
    for (const auto& [fr, regime] : {std::pair{0.985, Subcritical},
                                     {0.995, Critical},
                                     {1.005, Critical},
                                     {1.015, Supercritical}})
        EXPECT_EQ(ComputeElements(2, 1.5, fr * A * std::sqrt(kG * A / T)).regime, regime) << fr;
}

// Every shown decimal is right: Q²·T = g·A³ changes sign within 1e-9 of hc.
TEST(CriticalDepth, SolvesTheCriticalConditionToMachinePrecision) {
    for (double B : {0.05, 0.3, 1.0, 4.0, 20.0})
        for (double Q : {1e-4, 0.02, 0.5, 3.0, 50.0, 2000.0}) {
            const auto hc = CriticalDepth(B, Q);
            ASSERT_TRUE(hc) << "B=" << B << " Q=" << Q;
            const auto excess = [&](double y) { // g·A³ − Q²·T
                const SectionShape s = TrueSection(B, y);
                return kG * std::pow(s.area, 3) - Q * Q * s.topWidth;
            };
            EXPECT_TRUE(excess(*hc * (1 - 1e-9)) < 0 && excess(*hc * (1 + 1e-9)) > 0)
                << B << " " << Q;
        }
    // Case 1's worked flume, B = 1.912109 m, Q = 4 m³/s: 0.96926 m, shown 0.969.
    EXPECT_NEAR(CriticalDepth(1.912109, 4).value_or(0), 0.96926, 5e-6);
    // Published: a circular channel 0.2 m across carrying 0.01 m³/s, hc ≈ 0.085 m.
    EXPECT_NEAR(CriticalDepth(0.2, 0.01).value_or(0), 0.085, 0.001);
    for (const auto& [B, Q] : {std::pair{2.0, 0.0}, {2.0, -1.0}, {0.0, 1.0}, {kNaN, 1.0}})
        EXPECT_FALSE(CriticalDepth(B, Q)) << "B=" << B << " Q=" << Q;
}

// Figures that cannot be formed show a dash (still water, an empty or
// widthless section); the others three decimals.
TEST(Elements, FiguresThatCannotBeFormedShowADash) {
    const HydraulicElements still = ComputeElements(2, 1.5, 0), dry = ComputeElements(2, 0, 1);
    EXPECT_TRUE(still.A && still.T && !still.v && !still.Fr && !still.hc && !still.regime);
    EXPECT_TRUE(!dry.A && !dry.P && !dry.v && !dry.surface && dry.hc); // the flow has an hc
    EXPECT_FALSE(ComputeElements(0, 1, 1).hc || ComputeElements(2, kNaN, 1).A);
    EXPECT_EQ(FormatElement(kPi / 2) + FormatElement(-0.0001) + FormatElement(-0.25) +
                  FormatElement(std::nullopt) + FormatElement(kNaN) +
                  std::string(RegimeText(still.regime)) + SurfaceText(dry.surface).data(),
              "1.5710.000-0.250————");
}

TEST(RatingCurve, RisesThroughTheTopOfTheSemicircle) {
    const auto curve = RatingCurve(2, 1000, 0.014, 3, 60);
    ASSERT_EQ(curve.size(), 60u);
    for (std::size_t k = 1; k < curve.size(); ++k)
        EXPECT_GT(curve[k].discharge, curve[k - 1].discharge) << k;
    EXPECT_NEAR(curve[19].discharge, 2.23514, 0.0001); // the case solver's h = B/2
    EXPECT_TRUE(RatingCurve(2, 1000, 0.014, 3, 0).empty() &&
                RatingCurve(2, 1000, 0.014, 0, 10).empty());
}

TEST(DesignPoint, OfEachCaseIsWhatTheCaseShowsAndCarriesItsDischarge) {
    // clang-format off
    const std::array<float, 8> examples[] = {
        {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}, {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f},
        {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f}, {1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f}};
    // clang-format on
    for (int caseNo = 1; caseNo <= 4; ++caseNo) {
        ProjectState m;
        const ResultTexts results = CalculateCase(m, caseNo, examples[caseNo - 1]);
        const DesignPoint p = FromCase(m, caseNo);
        const HydraulicElements e = ComputeElements(p);
        EXPECT_TRUE(e.A && e.Fr && e.hc && e.regime && e.surface) << caseNo;
        const double found[] = {p.B, p.x, p.h, p.Q}; // the quantity in Text13
        EXPECT_EQ(FormatSingle(float(found[caseNo - 1])), results[4]) << caseNo;
        // Within the differences of π, single precision and search tolerance.
        EXPECT_NEAR(TrueManningDischarge(p.B, p.h, p.x, p.n), p.Q, 0.02 * p.Q) << caseNo;
    }
}

} // namespace
