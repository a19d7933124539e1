// Head-loss chain: net local loss, friction loss, total, the split into
// inlet loss and outlet recovery, and the millimetre display rounding.
#include "hydraulics/errors.h"
#include "hydraulics/headloss.h"
#include "hydraulics/module1.h"
#include "hydraulics/numtext.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace hydraulics;

// Q, L, x, V, ξ1, ξ2 as given; A is the stored area of the last section.
Module1 Flume(float Q, float A, float V, float xi1, float xi2, float L = 100, float x = 1000) {
    Module1 m;
    m.BasicData = {Q, L, 1.5f, x, V, 0.014f, xi1, xi2};
    m.FlowArea = A;
    return m;
}

// Runs the whole chain; the kind of the failure it raises, or "none".
std::string Failure(Module1 m, bool runLossTerms = true) {
    try {
        if (runLossTerms)
            LossTerms(m, true);
        LocalLossSplit(m);
    } catch (const CalcError& e) {
        return std::string(ErrorKindId(e.kind()));
    }
    return "none";
}

// Both stages of the chain.
Module1 Losses(Module1 m) {
    LossTerms(m, true);
    LocalLossSplit(m);
    return m;
}

TEST(HeadLoss, WorkedExampleDigitForDigit) {
    const Module1 m = Losses(Flume(4, 2.4758532f, 1, 0.25f, 0.4f));
    // K = (ξ1 + ξ2)(v² − V²)/2g gives back the flume velocity Q/A.
    EXPECT_NEAR(std::sqrt(m.NetLocalLoss * 19.62 / 0.65 + 1), 1.615605, 1e-6);
    EXPECT_EQ(
        (std::vector{FormatSingle(m.NetLocalLoss), FormatSingle(m.FrictionLoss),
                     FormatSingle(m.TotalLoss), FormatSingle(m.InletLoss),
                     FormatSingle(m.OutletRecovery)}),
        (std::vector<std::string>{"0.05334434", "0.1", "0.1533443", "0.1025853", "0.04924092"}));
    EXPECT_EQ((std::vector{RoundTo3Decimals(m.TotalLoss), RoundTo3Decimals(m.InletLoss),
                           RoundTo3Decimals(m.FrictionLoss), RoundTo3Decimals(m.OutletRecovery)}),
              (std::vector<std::string>{"0.153", "0.103", "0.1", "0.049"}));
}

TEST(HeadLoss, NoLocalLossAtCanalVelocityAndNoRecoveryAtFullOutletCoefficient) {
    const Module1 same = Losses(Flume(3, 2, 1.5f, 0.2f, 0.3f));
    EXPECT_TRUE(same.NetLocalLoss == 0 && same.InletLoss == 0 && same.OutletRecovery == 0);
    EXPECT_EQ(same.TotalLoss, same.FrictionLoss);
    for (const float V : {0.3f, 1.0f, 2.5f}) {
        const Module1 m = Losses(Flume(4, 2, V, 0.2f, 1));
        EXPECT_EQ(m.OutletRecovery, 0) << V;
        EXPECT_NE(m.InletLoss, 0) << V;
    }
}

TEST(HeadLoss, FailuresAreRaisedAsTheirKind) {
    EXPECT_EQ(Failure(Flume(4, 2, 1, 0, 0)), "invalid_operation")
        << "xi1 = xi2 = 0: K/(xi1 + xi2) is 0/0";
    Module1 leftK = Flume(4, 2, 1, 0, 0);
    leftK.NetLocalLoss = 0.05f; // K of an earlier calculation, split alone
    EXPECT_EQ(Failure(leftK, false), "division_by_zero");
    EXPECT_EQ(Failure(Flume(4, 2, 1, 0.2f, 0.3f, 100, 0)), "division_by_zero") << "x = 0";
    EXPECT_EQ(Failure(Flume(4, 2, 1, 0.2f, 0.3f, 0, 0)), "invalid_operation") << "L = x = 0";
    EXPECT_EQ(Failure(Flume(4, 0, 1, 0.2f, 0.3f)), "division_by_zero") << "A = 0";
    EXPECT_EQ(Failure(Flume(0, 0, 1, 0.2f, 0.3f)), "invalid_operation") << "Q = A = 0";
    EXPECT_EQ(Failure(Flume(1e30f, 1e-30f, 1, 0.2f, 0.3f)), "overflow") << "velocity";
    EXPECT_EQ(Failure(Flume(4, 2, 1, 0.2f, 0.3f, 3e38f, 1e-3f)), "overflow") << "friction";
}

TEST(RoundTo3Decimals, ToTheMillimetreHalvesUpward) {
    using R = std::pair<float, const char*>;
    for (const auto& [value, text] :
         {R{0.15334f, "0.153"}, R{0.1f, "0.1"}, R{-0.0123f, "-0.012"}, R{2, "2"},
          R{0.1875f, "0.188"}, R{-0.0625f, "-0.062"}, // an exact half rounds towards +inf
          R{0.00076f, "0.001"}, R{0.00044f, "0"}, R{-0.0004f, "0"}, R{1234.5678f, "1234.568"}})
        EXPECT_EQ(RoundTo3Decimals(value), text) << value;
}

} // namespace
