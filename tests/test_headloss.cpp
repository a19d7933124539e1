// Head-loss chain: net local loss, friction loss, total, the split into
// inlet loss and outlet recovery, and the millimetre display rounding.
#include "errors.h"
#include "headloss.h"
#include "module1.h"
#include "numtext.h"

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

// Q, L, x, V, ξ1, ξ2 as given; A is the stored area of the last section.
Module1 Flume(float Q, float A, float V, float xi1, float xi2, float L = 100, float x = 1000) {
    Module1 m;
    m.BasicData = {Q, L, 1.5f, x, V, 0.014f, xi1, xi2};
    m.FlowArea = A;
    return m;
}

TEST(HeadLoss, WorkedExampleDigitForDigit) {
    Module1 m = Flume(4, 2.4758532f, 1, 0.25f, 0.4f);
    LossTerms(m, true);
    LocalLossSplit(m);
    EXPECT_EQ(FormatSingle(m.NetLocalLoss), "0.05334434");
    EXPECT_EQ(FormatSingle(m.FrictionLoss), "0.1");
    EXPECT_EQ(FormatSingle(m.TotalLoss), "0.1533443");
    EXPECT_EQ(FormatSingle(m.InletLoss), "0.1025853");
    EXPECT_EQ(FormatSingle(m.OutletRecovery), "0.04924092");
    EXPECT_EQ(RoundTo3Decimals(m.TotalLoss), "0.153");
    EXPECT_EQ(RoundTo3Decimals(m.InletLoss), "0.103");
    EXPECT_EQ(RoundTo3Decimals(m.FrictionLoss), "0.1");
    EXPECT_EQ(RoundTo3Decimals(m.OutletRecovery), "0.049");
}

TEST(HeadLoss, FlumeVelocityEqualToCanalVelocity) {
    Module1 m = Flume(3, 2, 1.5f, 0.2f, 0.3f);
    LossTerms(m, true);
    LocalLossSplit(m);
    EXPECT_EQ(m.NetLocalLoss, 0);
    EXPECT_EQ(m.TotalLoss, m.FrictionLoss);
    EXPECT_EQ(m.InletLoss, 0);
    EXPECT_EQ(m.OutletRecovery, 0);
}

TEST(HeadLoss, FullOutletCoefficientRecoversNothing) {
    for (const float V : {0.3f, 1.0f, 2.5f}) {
        Module1 m = Flume(4, 2, V, 0.2f, 1);
        LossTerms(m, true);
        LocalLossSplit(m);
        EXPECT_EQ(m.OutletRecovery, 0) << V;
        EXPECT_NE(m.InletLoss, 0) << V;
    }
}

struct ChainFault {
    const char* what;
    Module1 m;
    bool runLossTerms;
    ErrorKind kind;
};

void PrintTo(const ChainFault& c, std::ostream* os) {
    *os << c.what;
}

Module1 WithLocalLoss(float K) {
    Module1 m = Flume(4, 2, 1, 0, 0);
    m.NetLocalLoss = K;
    return m;
}

class HeadLossFault : public ::testing::TestWithParam<ChainFault> {};

TEST_P(HeadLossFault, IsRaisedAsItsKind) {
    ChainFault c = GetParam();
    EXPECT_EQ(FailureOf([&] {
                  if (c.runLossTerms)
                      LossTerms(c.m, true);
                  LocalLossSplit(c.m);
              }),
              c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, HeadLossFault,
    ::testing::Values(
        ChainFault{"xi1=xi2=0: 0/0", Flume(4, 2, 1, 0, 0), true, ErrorKind::InvalidOperation},
        ChainFault{"xi1+xi2=0: 0/0", Flume(4, 2, 1, 0.5f, -0.5f), true,
                   ErrorKind::InvalidOperation},
        ChainFault{"K left non-zero, xi1+xi2=0", WithLocalLoss(0.05f), false,
                   ErrorKind::DivisionByZero},
        ChainFault{"x=0", Flume(4, 2, 1, 0.2f, 0.3f, 100, 0), true, ErrorKind::DivisionByZero},
        ChainFault{"L=0 and x=0", Flume(4, 2, 1, 0.2f, 0.3f, 0, 0), true,
                   ErrorKind::InvalidOperation},
        ChainFault{"A=0", Flume(4, 0, 1, 0.2f, 0.3f), true, ErrorKind::DivisionByZero},
        ChainFault{"Q=0 and A=0", Flume(0, 0, 1, 0.2f, 0.3f), true, ErrorKind::InvalidOperation},
        ChainFault{"velocity beyond range", Flume(1e30f, 1e-30f, 1, 0.2f, 0.3f), true,
                   ErrorKind::Overflow},
        ChainFault{"friction loss beyond range", Flume(4, 2, 1, 0.2f, 0.3f, 3e38f, 1e-3f), true,
                   ErrorKind::Overflow}));

struct Rounded {
    float value;
    double millimetres;
    const char* text;
};

class DisplayRounding : public ::testing::TestWithParam<Rounded> {};

TEST_P(DisplayRounding, ToTheMillimetreHalvesUpward) {
    const Rounded& r = GetParam();
    EXPECT_EQ(RoundTo3(r.value), r.millimetres);
    EXPECT_EQ(RoundTo3Decimals(r.value), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    Losses, DisplayRounding,
    ::testing::Values(Rounded{0.15334f, 0.153, "0.153"}, Rounded{0.1f, 0.1, "0.1"},
                      Rounded{-0.0123f, -0.012, "-0.012"}, Rounded{2, 2, "2"},
                      Rounded{0.1875f, 0.188, "0.188"},    // an exact half rounds up
                      Rounded{-0.0625f, -0.062, "-0.062"}, // ... towards plus infinity
                      Rounded{0.0625f, 0.063, "0.063"}, Rounded{0.00076f, 0.001, "0.001"},
                      Rounded{0.00044f, 0, "0"}, Rounded{-0.0004f, 0, "0"}, Rounded{0, 0, "0"},
                      Rounded{1234.5678f, 1234.568, "1234.568"}));

} // namespace
