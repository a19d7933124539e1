// Head-loss chain: net local loss, friction loss, total, the split into
// inlet loss and outlet recovery, and the millimetre display rounding.
#include "hydraulics/errors.h"
#include "hydraulics/headloss.h"
#include "hydraulics/module1.h"
#include "hydraulics/numtext.h"

#include <gtest/gtest.h>
#include <string>
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

// Runs the chain (the split alone when !terms); the failure's kind or "ok".
std::string Chain(Module1& m, bool terms = true) {
    try {
        if (terms)
            LossTerms(m, true);
        LocalLossSplit(m);
    } catch (const CalcError& e) {
        return std::string(ErrorKindId(e.kind()));
    }
    return "ok";
}

TEST(HeadLoss, WorkedExampleDigitForDigit) {
    Module1 m = Flume(4, 2.4758532f, 1, 0.25f, 0.4f);
    ASSERT_EQ(Chain(m), "ok");
    EXPECT_EQ((std::vector{FormatSingle(m.NetLocalLoss), FormatSingle(m.FrictionLoss),
                           FormatSingle(m.TotalLoss), FormatSingle(m.InletLoss),
                           FormatSingle(m.OutletRecovery)}),
              (std::vector<std::string>{"0.05334434", "0.1", "0.1533443", "0.1025853",
                                        "0.04924092"}));
    EXPECT_EQ((std::vector{RoundTo3Decimals(m.TotalLoss), RoundTo3Decimals(m.InletLoss),
                           RoundTo3Decimals(m.FrictionLoss), RoundTo3Decimals(m.OutletRecovery)}),
              (std::vector<std::string>{"0.153", "0.103", "0.1", "0.049"}));
    // No local loss at the canal velocity; no recovery when ξ2 = 1.
    Module1 same = Flume(3, 2, 1.5f, 0.2f, 0.3f), full = Flume(4, 2, 1, 0.2f, 1);
    ASSERT_EQ(Chain(same) + Chain(full), "okok");
    EXPECT_TRUE(same.NetLocalLoss == 0 && same.TotalLoss == same.FrictionLoss);
    EXPECT_TRUE(full.OutletRecovery == 0 && full.InletLoss != 0);
}

TEST(HeadLoss, FailuresAreRaisedAsTheirKind) {
    Module1 leftK = Flume(4, 2, 1, 0, 0);
    leftK.NetLocalLoss = 0.05f; // K of an earlier calculation, split alone
    EXPECT_EQ(Chain(leftK, false), "division_by_zero");
    struct { Module1 m; const char* kind; } rows[] = {
        {Flume(4, 2, 1, 0, 0), "invalid_operation"},               // K/(ξ1 + ξ2) is 0/0
        {Flume(4, 2, 1, 0.2f, 0.3f, 100, 0), "division_by_zero"},  // x = 0
        {Flume(4, 2, 1, 0.2f, 0.3f, 0, 0), "invalid_operation"},   // L = x = 0
        {Flume(4, 0, 1, 0.2f, 0.3f), "division_by_zero"},          // A = 0
        {Flume(0, 0, 1, 0.2f, 0.3f), "invalid_operation"},         // Q = A = 0
        {Flume(1e30f, 1e-30f, 1, 0.2f, 0.3f), "overflow"},         // velocity
        {Flume(4, 2, 1, 0.2f, 0.3f, 3e38f, 1e-3f), "overflow"}};   // friction
    for (auto& r : rows)
        EXPECT_EQ(Chain(r.m), r.kind) << r.kind;
}

TEST(RoundTo3Decimals, ToTheMillimetreHalvesUpward) {
    struct { float value; const char* text; } const rows[] = {
        {0.15334f, "0.153"}, {-0.0123f, "-0.012"}, {2, "2"}, {0.1875f, "0.188"},
        {-0.0625f, "-0.062"}, // an exact half rounds towards +inf
        {0.00076f, "0.001"}, {-0.0004f, "0"}, {1234.5678f, "1234.568"}};
    for (const auto& r : rows)
        EXPECT_EQ(RoundTo3Decimals(r.value), r.text) << r.value;
}

} // namespace
