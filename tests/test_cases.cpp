// The four calculation cases as a window runs them: inputs in box order,
// the five result texts in Text9..Text13 order, failures as typed errors.
#include "cases.h"
#include "errors.h"
#include "module1.h"
#include "numtext.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <tuple>

namespace hydraulics {
void PrintTo(ErrorKind kind, std::ostream* os) {
    *os << ErrorKindId(kind);
}
} // namespace hydraulics

namespace {

using namespace hydraulics;
using Inputs = std::array<float, 8>;

struct Example {
    const char* what;
    int caseNo;
    Inputs inputs;
    ResultTexts shown;
};

void PrintTo(const Example& e, std::ostream* os) {
    *os << e.what;
}

class WorkedExample : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExample, ShowsTheDocumentedTexts) {
    const Example& e = GetParam();
    Module1 m;
    EXPECT_EQ(CalculateCase(m, e.caseNo, e.inputs), e.shown);
    // Clicking again with the same boxes gives the same results.
    EXPECT_EQ(CalculateCase(m, e.caseNo, e.inputs), e.shown);
}

// Case 4 inputs: h, L, B, x, V, n, ξ1, ξ2.
constexpr Inputs Discharge(float h, float V, float L = 100, float x = 1000) {
    return {h, L, 2, x, V, 0.014f, 0.2f, 0.3f};
}

INSTANTIATE_TEST_SUITE_P(
    AllCases, WorkedExample,
    ::testing::Values(
        Example{"width",
                1,
                {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f},
                {"0.153", "0.103", "0.1", "0.049", "1.912109"}},
        Example{"width, tiny discharge",
                1,
                {0.0001f, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f},
                {"0.067", "-0.064", "0.1", "-0.031", "0.002527237"}},
        Example{"width and slope",
                2,
                {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f},
                {"0.135", "0.13", "0.065", "1.72", "771.0842"}},
        Example{"depth in the segment",
                3,
                {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f},
                {"0.118", "0.044", "0.1", "0.025", "0.71"}},
        Example{"depth on the walls",
                3,
                {3, 150, 1.8f, 800, 0.9f, 0.014f, 0.2f, 0.3f},
                {"0.237", "0.118", "0.188", "0.069", "1.2"}},
        Example{"h = B/2", 4, Discharge(1, 1), {"0.126", "0.063", "0.1", "0.037", "2.23514"}},
        Example{
            "h = 0.5", 4, Discharge(0.5f, 0.5f), {"0.119", "0.046", "0.1", "0.027", "0.6123553"}},
        Example{"h just below B/2",
                4,
                Discharge(0.999999f, 1),
                {"0.126", "0.063", "0.1", "0.037", "2.235152"}},
        Example{"canal faster than flume",
                4,
                Discharge(1, 2),
                {"0.05", "-0.121", "0.1", "-0.07", "2.23514"}},
        Example{"h = 1.5", 4, Discharge(1.5f, 1), {"0.143", "0.104", "0.1", "0.061", "4.22545"}},
        Example{"long flat flume",
                4,
                Discharge(1, 1, 150, 2000),
                {"0.075", "0.001", "0.075", "0", "1.580483"}}));

TEST(WidthCase, WidthIsShownAsFoundWhenAboveTwiceTheDepth) {
    Module1 m;
    const ResultTexts shown = CalculateCase(m, 1, {9, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f});
    EXPECT_GT(m.ChannelWidth, 2 * 1.5f);
    EXPECT_LT(std::fabs(1 - 9 / m.CalcDischarge), 0.001f);
    EXPECT_EQ(shown[4], FormatSingle(m.ChannelWidth));
}

TEST(WidthAndSlopeCase, TotalAndSlopeDigitForDigit) {
    Module1 m;
    CalculateCase(m, 2, {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f});
    EXPECT_EQ(FormatSingle(m.TotalLoss), "0.1998299");
    EXPECT_EQ(m.ChannelWidth, 1.72f);
}

// The slope search starts from zero losses whatever ran before it.
TEST(WidthAndSlopeCase, SameResultAfterOtherCalculations) {
    const Inputs slope = {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f};
    const ResultTexts expected = {"0.135", "0.13", "0.065", "1.72", "771.0842"};
    Module1 m;
    CalculateCase(m, 3, {3, 150, 1.8f, 800, 0.9f, 0.014f, 0.2f, 0.3f});
    EXPECT_EQ(CalculateCase(m, 2, slope), expected);
    CalculateCase(m, 4, Discharge(1, 2));
    CalculateCase(m, 1, {0.0001f, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f});
    EXPECT_EQ(CalculateCase(m, 2, slope), expected);
}

TEST(DischargeCase, StoresTheDischargeNotTheTrialDischarge) {
    Module1 m;
    m.CalcDischarge = 123;
    CalculateCase(m, 4, Discharge(1, 1));
    EXPECT_EQ(m.BasicData[PosQ], 2.2351403f);
    EXPECT_EQ(m.CalcDischarge, 123);
    EXPECT_EQ(m.ChannelWidth, 2);
    EXPECT_EQ(m.BasicData[PosH], 1);
}

// The worked example of a case with one or two boxes (1-based) changed.
struct Change {
    int caseNo, box;
    float value;
    int box2 = 0;
    float value2 = 0;
};

Inputs Changed(const Change& c) {
    static constexpr Inputs kExample[] = {{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f},
                                          {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f},
                                          {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f},
                                          {1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f}};
    Inputs in = kExample[c.caseNo - 1];
    in[c.box - 1] = c.value;
    if (c.box2)
        in[c.box2 - 1] = c.value2;
    return in;
}

void PrintTo(const Change& c, std::ostream* os) {
    *os << "case " << c.caseNo << ", Text" << c.box << "=" << c.value;
    if (c.box2)
        *os << ", Text" << c.box2 << "=" << c.value2;
}

using Fault = std::tuple<Change, ErrorKind>;

class CaseFault : public ::testing::TestWithParam<Fault> {};

TEST_P(CaseFault, IsATypedErrorNamingItsStep) {
    const auto& [change, kind] = GetParam();
    Module1 m;
    try {
        CalculateCase(m, change.caseNo, Changed(change));
        FAIL() << "no failure";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), kind);
        EXPECT_FALSE(e.subject().empty()) << e.what();
    }
}

constexpr ErrorKind kDiv = ErrorKind::DivisionByZero, kArg = ErrorKind::InvalidArgument,
                    kOp = ErrorKind::InvalidOperation;

INSTANTIATE_TEST_SUITE_P(
    Failures, CaseFault,
    ::testing::Values(
        // Case 1: Q, L, h, x, V, n, ξ1, ξ2.
        Fault{{1, 4, 0}, kDiv}, Fault{{1, 6, 0}, kDiv}, Fault{{1, 4, -1000}, kArg},
        Fault{{1, 3, 0.1f}, kArg}, Fault{{1, 3, 0}, kArg}, Fault{{1, 1, 10}, kArg},
        Fault{{1, 7, 0, 8, 0}, kOp},
        // Case 2: Q, L, h, Z, V, n, ξ1, ξ2.
        Fault{{2, 4, 0}, kDiv}, Fault{{2, 2, 0}, kDiv}, Fault{{2, 6, 0}, kDiv},
        Fault{{2, 3, 0.1f}, kArg}, Fault{{2, 7, 0.3f, 8, -0.3f}, kOp},
        // Case 3: Q, L, B, x, V, n, ξ1, ξ2.
        Fault{{3, 4, 0}, kDiv}, Fault{{3, 6, 0}, kDiv}, Fault{{3, 4, -1000}, kArg},
        Fault{{3, 3, 0}, kDiv}, Fault{{3, 7, 0, 8, 0}, kOp},
        // Case 4: h, L, B, x, V, n, ξ1, ξ2.
        Fault{{4, 1, 0}, kDiv}, Fault{{4, 1, -0.1f}, kArg}, Fault{{4, 4, 0}, kDiv},
        Fault{{4, 4, -1000}, kArg}, Fault{{4, 6, 0}, kDiv}, Fault{{4, 3, 0, 1, 0}, kOp},
        Fault{{4, 3, 0}, kOp}, Fault{{4, 7, 0, 8, 0}, kOp},
        Fault{{4, 2, 3e38f, 4, 1e-3f}, ErrorKind::Overflow}));

class CaseNotConverged : public ::testing::TestWithParam<Change> {};

TEST_P(CaseNotConverged, RaisesAndFormsNoResult) {
    Module1 m;
    EXPECT_THROW(CalculateCase(m, GetParam().caseNo, Changed(GetParam())), NotConverged);
}

INSTANTIATE_TEST_SUITE_P(Searches, CaseNotConverged,
                         ::testing::Values(Change{1, 1, 0}, Change{1, 1, 10000, 3, 20},
                                           Change{2, 5, 3}, Change{2, 4, -0.2f}, Change{3, 1, 0},
                                           Change{3, 1, -1}, Change{3, 1, 1e6f}));

TEST(CaseNotConverged, HeadMetByFrictionAloneWithNoWidthIsNoDesign) {
    // Every width trial needs more than 21 m; Z2 alone reaches Z = 0.01.
    Module1 m;
    EXPECT_THROW(CalculateCase(m, 2, {100, 100, 5, 0.01f, 1, 0.014f, 0.25f, 0.4f}), NotConverged);
}

TEST(CaseNotConverged, LossesOfAnEarlierCalculationAreNotSplitAgain) {
    Module1 m;
    CalculateCase(m, 4, Discharge(1, 2));
    const float inlet = m.InletLoss;
    EXPECT_THROW(CalculateCase(m, 1, Changed({1, 1, 0})), NotConverged);
    EXPECT_EQ(m.InletLoss, inlet);
}

} // namespace
