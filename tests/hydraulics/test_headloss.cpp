// SPDX-License-Identifier: GPL-3.0-or-later
// Head-loss chain: net local loss, friction loss, total, the split into
// inlet loss and outlet recovery, and the millimetre display rounding.
#include "hydraulics/errors.h"
#include "hydraulics/headloss.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"

#include <gtest/gtest.h>

namespace {

using namespace hydraulics;

// Q, L, x, V, ξ1, ξ2 as given; A is the stored area of the last section.
ProjectState Flume(float Q, float A, float V, float xi1, float xi2, float L = 100, float x = 1000) {
    ProjectState m;
    m.BasicData = {Q, L, 1.5f, x, V, 0.014f, xi1, xi2};
    m.FlowArea = A;
    return m;
}

// Runs the chain (the split alone when !terms): "K Z2 Z Z1 Z3" as stored, or the failure's kind.
std::string Chain(ProjectState m, bool terms = true) {
    try {
        if (terms)
            LossTerms(m, true);
        LocalLossSplit(m);
    } catch (const CalcError& e) {
        return std::string(ErrorKindId(e.kind()));
    }
    return FormatSingle(m.NetLocalLoss) + " " + FormatSingle(m.FrictionLoss) + " " +
           FormatSingle(m.TotalLoss) + " " + FormatSingle(m.InletLoss) + " " +
           FormatSingle(m.OutletRecovery);
}

TEST(HeadLoss, WorkedExampleAndFailures) {
    ProjectState leftK = Flume(4, 2, 1, 0, 0);
    leftK.NetLocalLoss = 0.05f; // K of an earlier calculation, split alone
    EXPECT_EQ(Chain(leftK, false), "division_by_zero");
    // clang-format off
    const std::pair<ProjectState, const char*> rows[] = {
        {Flume(4, 2.4758532f, 1, 0.25f, 0.4f), "0.05334434 0.1 0.1533443 0.1025853 0.04924092"},
        {Flume(3, 2, 1.5f, 0.2f, 0.3f), "0 0.1 0.1 0 0"},            // at the canal velocity
        {Flume(4, 2, 1, 0.2f, 1), "0.1834863 0.1 0.2834862 0.1834863 0"}, // ξ2 = 1: no recovery
        {Flume(4, 2, 1, 0, 0), "invalid_operation"},                 // K/(ξ1 + ξ2) is 0/0
        {Flume(4, 2, 1, 0.2f, 0.3f, 100, 0), "division_by_zero"},    // x = 0
        {Flume(4, 2, 1, 0.2f, 0.3f, 0, 0), "invalid_operation"},     // L = x = 0
        {Flume(4, 0, 1, 0.2f, 0.3f), "division_by_zero"},            // A = 0
        {Flume(0, 0, 1, 0.2f, 0.3f), "invalid_operation"},           // Q = A = 0
        {Flume(1e30f, 1e-30f, 1, 0.2f, 0.3f), "overflow"},           // velocity
        {Flume(4, 2, 1, 0.2f, 0.3f, 3e38f, 1e-3f), "overflow"}};     // friction
    // clang-format on
    for (const auto& [m, shown] : rows)
        EXPECT_EQ(Chain(m), shown);
}

TEST(RoundTo3Decimals, ToTheMillimetreHalvesUpward) {
    // clang-format off
    const std::pair<float, const char*> rows[] = {
        {0.1533443f, "0.153"}, {0.1025853f, "0.103"}, {0.04924092f, "0.049"}, {0.1f, "0.1"},
        {-0.0123f, "-0.012"}, {2, "2"}, {0.1875f, "0.188"}, {-0.0625f, "-0.062"}, // halves up
        {0.00076f, "0.001"}, {-0.0004f, "0"}, {1234.5678f, "1234.568"}};
    // clang-format on
    for (const auto& [value, text] : rows)
        EXPECT_EQ(RoundTo3Decimals(value), text) << value;
}

} // namespace
