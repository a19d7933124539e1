// U-section geometry (deep form and any depth) and Manning's discharge.
#include "hydraulics/errors.h"
#include "hydraulics/module1.h"
#include "hydraulics/numtext.h"
#include "hydraulics/section.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace hydraulics;

// The kind of the failure that evaluating the section and its discharge
// raises, or "none".
std::string Failure(float B, float h, float x, float n, bool deep = false) {
    Module1 m;
    try {
        deep ? DeepSectionGeometry(m, B, h) : AnyDepthSectionGeometry(m, B, h);
        ManningDischarge(m, x, n);
    } catch (const CalcError& e) {
        return std::string(ErrorKindId(e.kind()));
    }
    return "none";
}

TEST(AnyDepthSection, WorkedExamplesDigitForDigit) {
    using Texts = std::vector<std::string>; // A, P, R and Qc at x = 1000, n = 0.014
    const auto shown = [](float B, float h) {
        Module1 m;
        AnyDepthSectionGeometry(m, B, h);
        return Texts{FormatSingle(m.FlowArea), FormatSingle(m.WettedPerimeter),
                     FormatSingle(m.HydraulicRadius),
                     FormatSingle(ManningDischarge(m, 1000, 0.014f))};
    };
    // Semicircle exactly full, then water on the walls.
    EXPECT_EQ(shown(2, 1), (Texts{"1.570795", "3.14159", "0.5", "2.23514"}));
    EXPECT_EQ(shown(2, 1.5f), (Texts{"2.570795", "4.14159", "0.6207266", "4.22545"}));
    EXPECT_EQ(shown(1, 2), (Texts{"1.892699", "4.570795", "0.4140852", "2.375089"}));
    // Water inside the semicircle: a circular segment.
    EXPECT_EQ(shown(2, 0.999999f), (Texts{"1.570802", "3.141598", "0.5000008", "2.235152"}));
    EXPECT_EQ(shown(2, 0.5f), (Texts{"0.6141903", "2.094403", "0.2932532", "0.6123553"}));
    EXPECT_EQ(shown(2, 0.25f), (Texts{"0.2266591", "1.445476", "0.1568059", "0.1488744"}));
}

// The deep formulas at a depth below half the width: the discharge rises to
// about 9.996 at B = 6 and falls after it; at B = 14 the area is negative.
TEST(DeepSection, WholeWidthsAtShallowDepth) {
    Module1 m;
    const auto discharge = [&m](int B) {
        DeepSectionGeometry(m, static_cast<float>(B), 1.5f);
        return ManningDischarge(m, 1000, 0.014f);
    };
    for (int B = 1; B <= 12; ++B)
        EXPECT_EQ(discharge(B + 1) > discharge(B), B < 6) << "B=" << B;
    EXPECT_NEAR(discharge(6), 9.996, 0.0005);
    DeepSectionGeometry(m, 14, 1.5f);
    EXPECT_EQ(FormatSingle(m.FlowArea), "-0.031045");
    EXPECT_EQ(Failure(14, 1.5f, 1000, 0.014f, true), "invalid_argument");
}

TEST(SegmentSection, ShrinksTowardsAnEmptyChannel) {
    Module1 m;
    float lastQ = 1;
    for (const float h : {0.1f, 0.01f, 1e-3f, 1e-4f, 1e-5f}) {
        AnyDepthSectionGeometry(m, 2, h);
        const float q = ManningDischarge(m, 1000, 0.014f);
        EXPECT_TRUE(m.FlowArea > 0 && m.WettedPerimeter > 0 && q > 0 && q < lastQ) << h;
        lastQ = q;
    }
}

TEST(Section, FailuresAreRaisedAsTheirKind) {
    EXPECT_EQ(Failure(2, 1, 0, 0.014f), "division_by_zero") << "flat slope";
    EXPECT_EQ(Failure(2, 1, 1000, 0), "division_by_zero") << "no roughness";
    EXPECT_EQ(Failure(2, 1, -1000, 0.014f), "invalid_argument") << "negative x";
    EXPECT_EQ(Failure(2, 0, 1000, 0.014f), "division_by_zero") << "empty segment";
    // B/2 − h rounds to B/2 in single precision.
    EXPECT_EQ(Failure(2, 1e-8f, 1000, 0.014f), "division_by_zero") << "h = 1e-8";
    EXPECT_EQ(Failure(2, -0.1f, 1000, 0.014f), "invalid_argument") << "negative depth";
    EXPECT_EQ(Failure(0, 0, 1000, 0.014f), "invalid_operation") << "B = h = 0: 0/0";
    EXPECT_EQ(Failure(1e20f, 1e20f, 1000, 0.014f), "overflow") << "huge section";
}

} // namespace
