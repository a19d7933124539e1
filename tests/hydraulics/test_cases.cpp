// SPDX-License-Identifier: GPL-3.0-or-later
// The four calculation cases as a window runs them: inputs in box order,
// the five result texts in Text9..Text13 order, failures as typed errors.
#include "hydraulics/cases.h"
#include "hydraulics/errors.h"
#include "hydraulics/projectstate.h"

#include <gtest/gtest.h>

namespace {

using namespace hydraulics;
using Inputs = std::array<float, 8>;
using Boxes = std::vector<std::pair<int, float>>; // 1-based box, new value

// The worked example of case `caseNo` in box order, with boxes changed.
Inputs With(int caseNo, const Boxes& boxes = {}) {
    static constexpr Inputs kExample[] = {{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f},
                                          {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f},
                                          {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f},
                                          {1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f}};
    Inputs in = kExample[caseNo - 1];
    for (const auto& [box, value] : boxes)
        in[box - 1] = value;
    return in;
}

// The five texts joined by blanks; the kind of a typed error (which must
// name its step); or "not_converged".
std::string Calc(ProjectState& m, int caseNo, const Inputs& inputs) {
    try {
        std::string shown;
        for (const std::string& text : CalculateCase(m, caseNo, inputs))
            shown += (shown.empty() ? "" : " ") + text;
        return shown;
    } catch (const CalcError& e) {
        return e.subject().empty() ? "unnamed step" : std::string(ErrorKindId(e.kind()));
    } catch (const NotConverged&) {
        return "not_converged";
    }
}

// All rows share one ProjectState, as the windows do: no result may depend on what
// ran before it (the slope search, for one, starts from zero losses).
TEST(Cases, WorkedExamplesShowTheDocumentedTexts) {
    const char* slope = "0.135 0.13 0.065 1.72 771.0842";
    // clang-format off
    const struct { int caseNo; Inputs inputs; const char* shown; } rows[] = {
        {1, With(1), "0.153 0.103 0.1 0.049 1.912109"},
        {1, With(1, {{1, 0.0001f}}), "0.067 -0.064 0.1 -0.031 0.002527237"},   // tiny Q
        {1, With(1, {{1, 9}}), "0.197 0.186 0.1 0.089 4.4375"},                // B > 2h, shown as found
        {2, With(2), slope},
        {3, With(3), "0.118 0.044 0.1 0.025 0.71"},                           // h in the segment
        {3, With(3, {{1, 3}, {2, 150}, {3, 1.8f}, {4, 800}, {5, 0.9f}}), "0.237 0.118 0.188 0.069 1.2"},
        {4, With(4), "0.126 0.063 0.1 0.037 2.23514"},                         // h = B/2
        {4, With(4, {{1, 0.5f}, {5, 0.5f}}), "0.119 0.046 0.1 0.027 0.6123553"},
        {4, With(4, {{1, 0.999999f}}), "0.126 0.063 0.1 0.037 2.235152"},
        {4, With(4, {{1, 1.5f}}), "0.143 0.104 0.1 0.061 4.22545"},
        {4, With(4, {{2, 150}, {4, 2000}}), "0.075 0.001 0.075 0 1.580483"},    // long and flat
        {4, With(4, {{5, 2}}), "0.05 -0.121 0.1 -0.07 2.23514"},               // V > v
        {2, With(2), slope}}; // after a negative net local loss of case 4
    // clang-format on
    ProjectState m;
    for (const auto& r : rows) {
        const float trialDischarge = m.CalcDischarge;
        EXPECT_EQ(Calc(m, r.caseNo, r.inputs), r.shown) << r.caseNo;
        // Case 4 stores its discharge in Q and leaves the trial discharge alone.
        EXPECT_TRUE(r.caseNo != 4 || m.CalcDischarge == trialDischarge);
        EXPECT_EQ(Calc(m, r.caseNo, r.inputs), r.shown) << "clicked again";
    }
}

TEST(Cases, FailuresAreTypedAndNameTheirStep) {
    const std::string div = "division_by_zero", arg = "invalid_argument", op = "invalid_operation",
                      nc = "not_converged";
    // clang-format off
    const struct { int caseNo; Boxes boxes; std::string kind; } rows[] = {
        // Case 1: Q, L, h, x, V, n, ξ1, ξ2.
        {1, {{4, 0}}, div}, {1, {{4, -1000}}, arg}, {1, {{3, 0.1f}}, arg},
        {1, {{7, 0}, {8, 0}}, op}, {1, {{1, 0}}, nc}, {1, {{1, 10000}, {3, 20}}, nc},
        // Case 2: Q, L, h, Z, V, n, ξ1, ξ2; the last: every width trial needs
        // more than 21 m, and Z2 alone reaches Z = 0.01.
        {2, {{4, 0}}, div}, {2, {{2, 0}}, div}, {2, {{3, 0.1f}}, arg},
        {2, {{7, 0.3f}, {8, -0.3f}}, op}, {2, {{5, 3}}, nc}, {2, {{4, -0.2f}}, nc},
        {2, {{1, 100}, {3, 5}, {4, 0.01f}}, nc},
        // Case 3: Q, L, B, x, V, n, ξ1, ξ2.
        {3, {{4, 0}}, div}, {3, {{4, -1000}}, arg}, {3, {{3, 0}}, div},
        {3, {{7, 0}, {8, 0}}, op}, {3, {{1, 0}}, nc}, {3, {{1, 1e6f}}, nc},
        // Case 4: h, L, B, x, V, n, ξ1, ξ2.
        {4, {{1, 0}}, div}, {4, {{1, -0.1f}}, arg}, {4, {{3, 0}, {1, 0}}, op},
        {4, {{3, 0}}, op}, {4, {{7, 0}, {8, 0}}, op},
        {4, {{2, 3e38f}, {4, 1e-3f}}, "overflow"}};
    // clang-format on
    for (const auto& r : rows) {
        ProjectState m;
        EXPECT_EQ(Calc(m, r.caseNo, With(r.caseNo, r.boxes)), r.kind)
            << "case " << r.caseNo << ", Text" << r.boxes[0].first << "=" << r.boxes[0].second;
    }
}

// A failure names the inputs of its own case: case 2 has no x box, case 3
// no h box; cases 1 and 2 at a discharge too large for any width at depth
// h name that discharge. (Q = 30 at h = 1.5: B ≈ 14 gives a negative area.)
TEST(Cases, FailuresNameTheInputsOfTheirCase) {
    // clang-format off
    const struct { int caseNo; Boxes boxes; const char* named; const char* notNamed; } rows[] = {
        {1, {{1, 30}}, "流量 Q 过大", "槽宽、"}, {1, {{4, -1000}}, "槽身比降的 x 为负数", "槽宽、"},
        {1, {{4, 0}}, "槽身糙率 n 为零", "槽宽 B"},               // the step's own clause
        {2, {{1, 30}}, "水头 Z 小于进出口局部水头损失之和", "x 为"},
        {2, {{4, 0}}, "水头 Z 为零", "x 为"}, {2, {{3, 0.1f}}, "流量 Q 过大", "x 为"},
        {3, {{4, -1000}}, "槽宽 B 为负数或过小", "槽内水深 h"},
        // ξ1 + ξ2 = 0 in the designer's words, with the table to take them from.
        {1, {{7, 0}, {8, 0}}, "ξ2 不能同时为零，两者之和也不能为零", "零除以零"},
        {2, {{7, 0.3f}, {8, -0.3f}}, "GB 50288-2018 表 K.1.2", "0/0"}};
    // clang-format on
    for (const auto& r : rows) {
        ProjectState m;
        std::string told;
        try {
            CalculateCase(m, r.caseNo, With(r.caseNo, r.boxes));
        } catch (const CalcError& e) {
            told = e.sentence();
        }
        EXPECT_NE(told.find(r.named), std::string::npos) << r.caseNo << ": " << told;
        EXPECT_EQ(told.find(r.notNamed), std::string::npos) << r.caseNo << ": " << told;
    }
}

} // namespace
