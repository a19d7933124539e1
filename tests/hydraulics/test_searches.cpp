// SPDX-License-Identifier: GPL-3.0-or-later
// The width, slope and depth searches, followed trial by trial.
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/searches.h"
#include "hydraulics/section.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace hydraulics;
using Floats = std::vector<float>;

// Inputs of the worked examples of the width and slope searches.
ProjectState WidthExample(float Q) {
    ProjectState m;
    m.BasicData = {Q, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f};
    return m;
}

// The state after every trial of a search, and one column of it.
using Trials = std::vector<ProjectState>;
SearchTrace Into(Trials& seen) {
    return [&seen](const ProjectState& s) { seen.push_back(s); };
}
template <class Field> Floats Column(const Trials& seen, Field field) {
    Floats v;
    for (const ProjectState& s : seen)
        v.push_back(std::invoke(field, s));
    return v;
}

TEST(WidthSearch, WorkedExamplesTrialByTrial) {
    ProjectState m = WidthExample(4);
    Trials t;
    int successes = 0;
    EXPECT_TRUE(WidthSearch(
        m, [&] { ++successes; }, Into(t)));
    EXPECT_EQ(successes, 1);
    EXPECT_EQ(Column(t, &ProjectState::ChannelWidth),
              (Floats{1, 2, 1.5f, 1.75f, 1.875f, 1.9375f, 1.90625f, 1.921875f, 1.9140625f,
                      1.91015625f, 1.912109375f}));
    const Floats Qc = Column(t, &ProjectState::CalcDischarge);
    EXPECT_EQ(FormatSingle(Qc[0]) + " " + FormatSingle(Qc[1]) + " " + FormatSingle(Qc[10]),
              "1.679283 4.22545 4.000957");
    EXPECT_NEAR(std::fabs(1 - 4 / Qc[9]), 0.001013, 5e-7); // not yet enough
    EXPECT_EQ(m.ChannelWidth, 1.912109375f);

    // A tiny discharge: the scan stops at 1 m and the halving succeeds at k = 19.
    ProjectState tiny = WidthExample(0.0001f);
    Trials u;
    EXPECT_TRUE(WidthSearch(
        tiny, [] {}, Into(u)));
    EXPECT_EQ(u.size(), 1u + 19u);

    // The scan stops only where the discharge exceeds Q strictly.
    ProjectState exact = WidthExample(0);
    DeepSectionGeometry(exact, 2, 1.5f);
    exact.BasicData[PosQ] = ManningDischarge(exact, 1000, 0.014f); // Qc at B = 2
    Trials e;
    EXPECT_TRUE(WidthSearch(
        exact, [] {}, Into(e)));
    EXPECT_EQ(Floats(Column(e, &ProjectState::ChannelWidth)).at(2), 3.0f);
}

TEST(SlopeSearch, WorkedExampleTrialByTrial) {
    // Z2 after the trial's steps, x, B and K of each trial.
    const std::vector<std::string> rows = {
        "0.1 1000 1.91 0.05334434",          "0.1 999.9999 1.91 0.05334434",
        "0.125 799.9999 1.75 0.06758095",    "0.125 799.9999 1.75 0.06758095",
        "0.13125 761.9047 1.71 0.07095278",  "0.128125 780.4877 1.73 0.06934261",
        "0.1296875 771.0842 1.72 0.07014239"};
    ProjectState m = WidthExample(4);
    m.TotalLoss = 0.2f;
    Trials t;
    EXPECT_TRUE(SlopeSearch(m, Into(t)));
    std::vector<std::string> seen;
    for (const ProjectState& s : t)
        seen.push_back(FormatSingle(s.FrictionLoss) + " " + FormatSingle(s.BasicData[PosX]) + " " +
                       FormatSingle(s.ChannelWidth) + " " + FormatSingle(s.NetLocalLoss));
    EXPECT_EQ(seen, rows);
    // The addition and its take-back leave Z2 one unit in the last place above 0.1.
    EXPECT_EQ(t.at(1).FrictionLoss, std::nextafter(0.1f, 1.0f));
    EXPECT_EQ(FormatSingle(m.TotalLoss), "0.1998299");
}

// A trial whose width search misses its tolerance keeps the previous net
// local loss, and the slope search goes on to a width that it does find.
TEST(SlopeSearch, GoesOnPastAFailedWidthSearch) {
    ProjectState m;
    m.BasicData = {300, 100, 10, 0, 2, 0.014f, 0.25f, 0.4f};
    m.TotalLoss = 0.01f;
    Trials t;
    EXPECT_TRUE(SlopeSearch(m, Into(t)));
    ASSERT_EQ(t.size(), 4u);
    for (int i : {0, 1})
        EXPECT_TRUE(std::fabs(1 - 300 / t[i].CalcDischarge) >= 0.001f && t[i].NetLocalLoss == 0);
    EXPECT_EQ(FormatSingle(m.ChannelWidth) + " " + FormatSingle(m.BasicData[PosX]),
              "18.88 10666.67");
}

TEST(DepthSearch, WorkedExamplesTrialByTrial) {
    const auto search = [](ProjectState& m, float Q, float L, float B, float x, float V) {
        m.BasicData = {Q, L, 0, x, V, 0.014f, 0.2f, 0.3f};
        m.ChannelWidth = B;
        Trials t;
        EXPECT_TRUE(DepthSearch(m, Into(t)));
        return t;
    };
    const auto depth = [](const ProjectState& s) { return s.BasicData[PosH]; };
    ProjectState segment, walls;
    const Trials s = search(segment, 1, 100, 1.6f, 1000, 0.8f);
    EXPECT_EQ(Column(s, depth), (Floats{1, 0.5f, 0.75f, 0.625f, 0.6875f, 0.71875f, 0.703125f,
                                        0.7109375f, 0.70703125f, 0.708984375f}));
    EXPECT_EQ(FormatSingle(s[0].CalcDischarge), "1.770706");
    EXPECT_EQ(segment.BasicData[PosH], 0.71f); // brought to the centimetre
    // v = Q/A from the area of the last trial depth, not of the rounded one.
    EXPECT_EQ(FormatSingle(1 / segment.FlowArea), "1.162785");
    const Trials w = search(walls, 3, 150, 1.8f, 800, 0.9f);
    EXPECT_EQ(Column(w, depth), (Floats{1, 2, 1.5f, 1.25f, 1.125f, 1.1875f, 1.21875f, 1.203125f,
                                        1.1953125f, 1.19921875f, 1.201171875f}));
    EXPECT_EQ(FormatSingle(w[0].CalcDischarge), "2.247639");
}

} // namespace
