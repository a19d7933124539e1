// SPDX-License-Identifier: GPL-3.0-or-later
// U-section geometry (deep form and any depth) and Manning's discharge.
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/section.h"

#include <gtest/gtest.h>

namespace {

using namespace hydraulics;

// The kind of the failure that the section and its discharge raise, or "none".
std::string Failure(float B, float h, float x, float n, bool deep = false) {
    ProjectState m;
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
        ProjectState m;
        AnyDepthSectionGeometry(m, B, h);
        return Texts{FormatSingle(m.FlowArea), FormatSingle(m.WettedPerimeter),
                     FormatSingle(m.HydraulicRadius),
                     FormatSingle(ManningDischarge(m, 1000, 0.014f))};
    };
    // Semicircle exactly full, water on the walls, then circular segments.
    EXPECT_EQ(shown(2, 1), (Texts{"1.570795", "3.14159", "0.5", "2.23514"}));
    EXPECT_EQ(shown(2, 1.5f), (Texts{"2.570795", "4.14159", "0.6207266", "4.22545"}));
    EXPECT_EQ(shown(1, 2), (Texts{"1.892699", "4.570795", "0.4140852", "2.375089"}));
    EXPECT_EQ(shown(2, 0.999999f), (Texts{"1.570802", "3.141598", "0.5000008", "2.235152"}));
    EXPECT_EQ(shown(2, 0.5f), (Texts{"0.6141903", "2.094403", "0.2932532", "0.6123553"}));
    EXPECT_EQ(shown(2, 0.25f), (Texts{"0.2266591", "1.445476", "0.1568059", "0.1488744"}));
}

// Near an empty channel the segment stays positive and keeps shrinking.
TEST(Section, ShrinksTowardsAnEmptyChannel) {
    ProjectState m;
    float lastQ = 1;
    for (const float h : {0.1f, 0.01f, 1e-3f, 1e-4f, 1e-5f}) {
        AnyDepthSectionGeometry(m, 2, h);
        const float q = ManningDischarge(m, 1000, 0.014f);
        EXPECT_TRUE(m.FlowArea > 0 && m.WettedPerimeter > 0 && q > 0 && q < lastQ) << h;
        lastQ = q;
    }
}

TEST(Section, FailuresAreRaisedAsTheirKind) {
    // clang-format off
    struct { float B, h, x, n; const char* kind; } const rows[] = {
        {2, 1, 0, 0.014f, "division_by_zero"}, {2, 1, 1000, 0, "division_by_zero"}, // no slope, no n
        {2, 1, -1000, 0.014f, "invalid_argument"}, {2, 0, 1000, 0.014f, "division_by_zero"},
        {2, 1e-8f, 1000, 0.014f, "division_by_zero"}, // B/2 − h rounds to B/2
        {2, -0.1f, 1000, 0.014f, "invalid_argument"}, {0, 0, 1000, 0.014f, "invalid_operation"},
        {1e20f, 1e20f, 1000, 0.014f, "overflow"}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(Failure(r.B, r.h, r.x, r.n), r.kind) << "B=" << r.B << " h=" << r.h;
    // The deep formulas at B = 14, h = 1.5: a negative area, raised to a power.
    EXPECT_EQ(Failure(14, 1.5f, 1000, 0.014f, true), "invalid_argument");
}

} // namespace
