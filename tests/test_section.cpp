// U-section geometry (deep form and any depth) and Manning's discharge.
#include "errors.h"
#include "module1.h"
#include "numtext.h"
#include "section.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace hydraulics {
void PrintTo(ErrorKind kind, std::ostream* os) {
    *os << ErrorKindId(kind);
}
} // namespace hydraulics

namespace {

using namespace hydraulics;

std::optional<ErrorKind> FailureOf(const std::function<void()>& body) {
    try {
        body();
    } catch (const CalcError& e) {
        return e.kind();
    }
    return std::nullopt;
}

// Values as the result boxes would show them: seven significant digits.
std::string Shown(float value) {
    return FormatSingle(value);
}

struct SectionCase {
    float B, h;
    const char *A, *P, *R, *Qc; // x = 1000, n = 0.014
};

void PrintTo(const SectionCase& c, std::ostream* os) {
    *os << "B=" << c.B << " h=" << c.h;
}

class AnyDepthSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(AnyDepthSection, AreaPerimeterRadiusAndDischarge) {
    const SectionCase& c = GetParam();
    Module1 m;
    AnyDepthSectionGeometry(m, c.B, c.h);
    EXPECT_EQ(Shown(m.FlowArea), c.A);
    EXPECT_EQ(Shown(m.WettedPerimeter), c.P);
    EXPECT_EQ(Shown(m.HydraulicRadius), c.R);
    EXPECT_EQ(Shown(ManningDischarge(m, 1000, 0.014f)), c.Qc);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, AnyDepthSection,
    ::testing::Values(
        // Semicircle exactly full, then water on the walls.
        SectionCase{2, 1, "1.570795", "3.14159", "0.5", "2.23514"},
        SectionCase{2, 1.5f, "2.570795", "4.14159", "0.6207266", "4.22545"},
        SectionCase{1, 2, "1.892699", "4.570795", "0.4140852", "2.375089"},
        // Water inside the semicircle: a circular segment.
        SectionCase{2, 0.999999f, "1.570802", "3.141598", "0.5000008", "2.235152"},
        SectionCase{2, 0.5f, "0.6141903", "2.094403", "0.2932532", "0.6123553"},
        SectionCase{2, 0.25f, "0.2266591", "1.445476", "0.1568059", "0.1488744"}));

// The deep formulas at a depth below half the width: the discharge peaks
// at B = 6 and falls after it; at B = 14 the area has turned negative.
TEST(DeepSection, WholeWidthsAtShallowDepth) {
    Module1 m;
    float best = 0;
    int bestWidth = 0;
    for (int B = 1; B <= 13; ++B) {
        DeepSectionGeometry(m, static_cast<float>(B), 1.5f);
        const float q = ManningDischarge(m, 1000, 0.014f);
        if (q > best) {
            best = q;
            bestWidth = B;
        }
    }
    EXPECT_EQ(bestWidth, 6);
    EXPECT_NEAR(best, 9.996, 0.0005);
    DeepSectionGeometry(m, 14, 1.5f);
    EXPECT_EQ(Shown(m.FlowArea), "-0.031045");
    EXPECT_EQ(FailureOf([&] { ManningDischarge(m, 1000, 0.014f); }), ErrorKind::InvalidArgument);
}

TEST(SegmentSection, ShrinksTowardsAnEmptyChannel) {
    Module1 m;
    float lastA = 1, lastQ = 1;
    for (const float h : {0.1f, 0.01f, 1e-3f, 1e-4f, 1e-5f}) {
        AnyDepthSectionGeometry(m, 2, h);
        const float q = ManningDischarge(m, 1000, 0.014f);
        EXPECT_GT(m.FlowArea, 0) << h;
        EXPECT_LT(m.FlowArea, lastA) << h;
        EXPECT_LT(q, lastQ) << h;
        lastA = m.FlowArea;
        lastQ = q;
    }
}

struct FaultCase {
    const char* what;
    float B, h, x, n;
    ErrorKind kind;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.what;
}

class SectionFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SectionFault, IsRaisedAsItsKind) {
    const FaultCase& c = GetParam();
    Module1 m;
    EXPECT_EQ(FailureOf([&] {
                  AnyDepthSectionGeometry(m, c.B, c.h);
                  ManningDischarge(m, c.x, c.n);
              }),
              c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SectionFault,
    ::testing::Values(
        FaultCase{"flat slope x=0", 2, 1, 0, 0.014f, ErrorKind::DivisionByZero},
        FaultCase{"roughness n=0", 2, 1, 1000, 0, ErrorKind::DivisionByZero},
        FaultCase{"negative x", 2, 1, -1000, 0.014f, ErrorKind::InvalidArgument},
        FaultCase{"empty segment h=0", 2, 0, 1000, 0.014f, ErrorKind::DivisionByZero},
        // B/2 − h rounds to B/2 in single precision.
        FaultCase{"h=1e-8", 2, 1e-8f, 1000, 0.014f, ErrorKind::DivisionByZero},
        FaultCase{"negative depth", 2, -0.1f, 1000, 0.014f, ErrorKind::InvalidArgument},
        FaultCase{"B=0 and h=0 (0/0)", 0, 0, 1000, 0.014f, ErrorKind::InvalidOperation},
        FaultCase{"huge section", 1e20f, 1e20f, 1000, 0.014f, ErrorKind::Overflow}));

} // namespace
