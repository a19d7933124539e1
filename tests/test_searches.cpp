// The width, slope and depth searches, followed trial by trial.
#include "headloss.h"
#include "module1.h"
#include "numtext.h"
#include "searches.h"

#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace hydraulics;

// Inputs of the worked examples of the width and slope searches.
Module1 WidthExample(float Q) {
    Module1 m;
    m.BasicData = {Q, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f};
    return m;
}

Module1 DepthExample(float Q, float L, float B, float x, float V) {
    Module1 m;
    m.BasicData = {Q, L, 0, x, V, 0.014f, 0.2f, 0.3f};
    m.ChannelWidth = B;
    return m;
}

// The state after every trial of a search.
struct Trials {
    std::vector<Module1> seen;
    SearchTrace Trace() {
        return [this](const Module1& s) { seen.push_back(s); };
    }
    std::vector<float> Of(float Module1::*field) const {
        std::vector<float> v;
        for (const Module1& s : seen)
            v.push_back(s.*field);
        return v;
    }
    std::vector<float> Depths() const {
        std::vector<float> v;
        for (const Module1& s : seen)
            v.push_back(s.BasicData[PosH]);
        return v;
    }
};

TEST(WidthSearch, WorkedExampleTrialByTrial) {
    Module1 m = WidthExample(4);
    Trials t;
    int successes = 0;
    EXPECT_TRUE(WidthSearch(
        m, [&] { ++successes; }, t.Trace()));
    EXPECT_EQ(successes, 1);
    EXPECT_EQ(t.Of(&Module1::ChannelWidth),
              (std::vector<float>{1, 2, 1.5f, 1.75f, 1.875f, 1.9375f, 1.90625f, 1.921875f,
                                  1.9140625f, 1.91015625f, 1.912109375f}));
    const auto Qc = t.Of(&Module1::CalcDischarge);
    EXPECT_EQ(FormatSingle(Qc[0]), "1.679283");
    EXPECT_EQ(FormatSingle(Qc[1]), "4.22545");
    EXPECT_NEAR(std::fabs(1 - 4 / Qc[9]), 0.001013, 5e-7); // not yet enough
    EXPECT_EQ(FormatSingle(Qc[10]), "4.000957");
    EXPECT_EQ(m.ChannelWidth, 1.912109375f);
}

TEST(WidthSearch, TinyDischargeWorksDownwardFromOneMetre) {
    Module1 m = WidthExample(0.0001f);
    Trials t;
    EXPECT_TRUE(WidthSearch(
        m, [] {}, t.Trace()));
    EXPECT_EQ(t.seen.size(), 1u + 19u); // scan stops at 1 m; success at k = 19
    EXPECT_EQ(FormatSingle(m.ChannelWidth), "0.002527237");
}

// The scan stops only where the discharge exceeds Q strictly.
TEST(WidthSearch, ScanPassesAWidthCarryingExactlyQ) {
    Module1 probe = WidthExample(4);
    Trials first;
    WidthSearch(
        probe, [] {}, first.Trace());
    const float atTwo = first.seen[1].CalcDischarge;
    Module1 m = WidthExample(atTwo);
    Trials t;
    EXPECT_TRUE(WidthSearch(
        m, [] {}, t.Trace()));
    const auto widths = t.Of(&Module1::ChannelWidth);
    ASSERT_GE(widths.size(), 4u);
    EXPECT_EQ(std::vector<float>(widths.begin(), widths.begin() + 4),
              (std::vector<float>{1, 2, 3, 2.5f}));
}

// Each row: Z2 after the trial's steps, x, B, K and |Z2 + K − Z|.
struct SlopeRow {
    const char *Z2, *x, *B, *K;
    double d;
};

TEST(SlopeSearch, WorkedExampleTrialByTrial) {
    const SlopeRow rows[] = {
        {"0.1", "1000", "1.91", "0.05334434", 0.04666},
        {"0.1", "999.9999", "1.91", "0.05334434", 0.04666},
        {"0.125", "799.9999", "1.75", "0.06758095", 0.00742},
        {"0.125", "799.9999", "1.75", "0.06758095", 0.00742},
        {"0.13125", "761.9047", "1.71", "0.07095278", 0.00220},
        {"0.128125", "780.4877", "1.73", "0.06934261", 0.00253},
        {"0.1296875", "771.0842", "1.72", "0.07014239", 0.00017},
    };
    Module1 m = WidthExample(4);
    m.TotalLoss = 0.2f;
    Trials t;
    EXPECT_TRUE(SlopeSearch(m, t.Trace()));
    const auto& seen = t.seen;
    ASSERT_EQ(seen.size(), std::size(rows));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const Module1& s = seen[i];
        SCOPED_TRACE("trial " + std::to_string(i + 1));
        EXPECT_EQ(FormatSingle(s.FrictionLoss), rows[i].Z2);
        EXPECT_EQ(FormatSingle(s.BasicData[PosX]), rows[i].x);
        EXPECT_EQ(FormatSingle(s.ChannelWidth), rows[i].B);
        EXPECT_EQ(FormatSingle(s.NetLocalLoss), rows[i].K);
        EXPECT_NEAR(std::fabs(s.FrictionLoss + s.NetLocalLoss - 0.2), rows[i].d, 5e-6);
    }
    // The addition and its take-back leave Z2 one unit in the last place
    // above 0.1; the slope shows it.
    EXPECT_EQ(seen[1].FrictionLoss, std::nextafter(0.1f, 1.0f));
    EXPECT_EQ(FormatSingle(m.TotalLoss), "0.1998299");
}

// A trial whose width search misses its tolerance keeps the previous net
// local loss, and the slope search goes on to a width that it does find.
TEST(SlopeSearch, GoesOnPastAFailedWidthSearch) {
    Module1 m;
    m.BasicData = {300, 100, 10, 0, 2, 0.014f, 0.25f, 0.4f};
    m.TotalLoss = 0.01f;
    Trials t;
    EXPECT_TRUE(SlopeSearch(m, t.Trace()));
    const auto& seen = t.seen;
    ASSERT_EQ(seen.size(), 4u);
    for (int i : {0, 1}) {
        EXPECT_GE(std::fabs(1 - 300 / seen[i].CalcDischarge), 0.001f) << i;
        EXPECT_EQ(seen[i].NetLocalLoss, 0) << i;
    }
    EXPECT_EQ(FormatSingle(m.ChannelWidth), "18.88");
    EXPECT_EQ(FormatSingle(m.BasicData[PosX]), "10666.67");
}

TEST(SlopeSearch, StartsFromZeroWhateverTheStateHolds) {
    Module1 m = WidthExample(4);
    m.FrictionLoss = 0.7f;
    m.NetLocalLoss = 0.5f; // would send Z2 below zero at the first trial
    m.TotalLoss = 0.2f;
    EXPECT_TRUE(SlopeSearch(m));
    EXPECT_EQ(FormatSingle(m.BasicData[PosX]), "771.0842");
}

TEST(DepthSearch, WorkedExamplesTrialByTrial) {
    struct {
        Module1 m;
        std::vector<float> depths;
        const char* firstQc;
        float found;
    } rows[] = {
        {DepthExample(1, 100, 1.6f, 1000, 0.8f),
         {1, 0.5f, 0.75f, 0.625f, 0.6875f, 0.71875f, 0.703125f, 0.7109375f, 0.70703125f,
          0.708984375f},
         "1.770706",
         0.71f},
        {DepthExample(3, 150, 1.8f, 800, 0.9f),
         {1, 2, 1.5f, 1.25f, 1.125f, 1.1875f, 1.21875f, 1.203125f, 1.1953125f, 1.19921875f,
          1.201171875f},
         "2.247639",
         1.2f},
    };
    for (auto& r : rows) {
        Trials t;
        EXPECT_TRUE(DepthSearch(r.m, t.Trace()));
        EXPECT_EQ(t.Depths(), r.depths);
        EXPECT_EQ(FormatSingle(t.seen[0].CalcDischarge), r.firstQc);
        EXPECT_EQ(r.m.BasicData[PosH], r.found); // brought to the centimetre
    }
    // v = Q/A from the area at 0.708984375 m, not at the rounded 0.71 m.
    EXPECT_EQ(FormatSingle(1 / rows[0].m.FlowArea), "1.162785");
}

} // namespace
