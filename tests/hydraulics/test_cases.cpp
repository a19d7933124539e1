// The four calculation cases as a window runs them: inputs in box order,
// the five result texts in Text9..Text13 order, failures as typed errors.
#include "hydraulics/cases.h"
#include "hydraulics/errors.h"
#include "hydraulics/module1.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace hydraulics;
using Inputs = std::array<float, 8>;

// The worked example of each case, in box order.
constexpr Inputs kExample[] = {{4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f},
                               {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f},
                               {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f},
                               {1, 100, 2, 1000, 1, 0.014f, 0.2f, 0.3f}};

// The example of case `caseNo` with boxes (1-based) set to new values.
using Boxes = std::vector<std::pair<int, float>>;
Inputs With(int caseNo, const Boxes& boxes = {}) {
    Inputs in = kExample[caseNo - 1];
    for (const auto& [box, value] : boxes)
        in[box - 1] = value;
    return in;
}

// Case 4 inputs: h, L, B, x, V, n, ξ1, ξ2.
Inputs Discharge(float h, float V, float L = 100, float x = 1000) {
    return With(4, {{1, h}, {5, V}, {2, L}, {4, x}});
}

const ResultTexts kSlopeResults = {"0.135", "0.13", "0.065", "1.72", "771.0842"};

// All rows share one Module1, as the windows do: no result may depend on what
// ran before it (the slope search, for one, starts from zero losses).
TEST(Cases, WorkedExamplesShowTheDocumentedTexts) {
    struct {
        const char* what;
        int caseNo;
        Inputs inputs;
        ResultTexts shown;
    } const rows[] = {
        {"width", 1, With(1), {"0.153", "0.103", "0.1", "0.049", "1.912109"}},
        {"tiny Q", 1, With(1, {{1, 0.0001f}}), {"0.067", "-0.064", "0.1", "-0.031", "0.002527237"}},
        // The width may exceed twice the depth; it is shown as found.
        {"B > 2h", 1, With(1, {{1, 9}}), {"0.197", "0.186", "0.1", "0.089", "4.4375"}},
        {"width and slope", 2, With(2), kSlopeResults},
        {"h in segment", 3, With(3), {"0.118", "0.044", "0.1", "0.025", "0.71"}},
        {"h on walls",
         3,
         With(3, {{1, 3}, {2, 150}, {3, 1.8f}, {4, 800}, {5, 0.9f}}),
         {"0.237", "0.118", "0.188", "0.069", "1.2"}},
        {"h = B/2", 4, Discharge(1, 1), {"0.126", "0.063", "0.1", "0.037", "2.23514"}},
        {"h = 0.5", 4, Discharge(0.5f, 0.5f), {"0.119", "0.046", "0.1", "0.027", "0.6123553"}},
        {"h < B/2", 4, Discharge(0.999999f, 1), {"0.126", "0.063", "0.1", "0.037", "2.235152"}},
        {"h = 1.5", 4, Discharge(1.5f, 1), {"0.143", "0.104", "0.1", "0.061", "4.22545"}},
        {"long flat", 4, Discharge(1, 1, 150, 2000), {"0.075", "0.001", "0.075", "0", "1.580483"}},
        {"V > v", 4, Discharge(1, 2), {"0.05", "-0.121", "0.1", "-0.07", "2.23514"}},
        // A negative net local loss left behind must not be where the slope search starts.
        {"width and slope after case 4", 2, With(2), kSlopeResults}};
    Module1 m;
    for (const auto& r : rows) {
        const float trialDischarge = m.CalcDischarge;
        EXPECT_EQ(CalculateCase(m, r.caseNo, r.inputs), r.shown) << r.what;
        // Case 4 stores its discharge in Q and leaves the trial discharge alone.
        EXPECT_TRUE(r.caseNo != 4 || m.CalcDischarge == trialDischarge) << r.what;
        // Clicking again with the same boxes gives the same results.
        EXPECT_EQ(CalculateCase(m, r.caseNo, r.inputs), r.shown) << r.what << ", again";
    }
}

// What a calculation raises: the kind of a typed error (which must name its
// step), "not_converged", or "none".
std::string Failure(Module1& m, int caseNo, const Inputs& inputs) {
    try {
        CalculateCase(m, caseNo, inputs);
    } catch (const CalcError& e) {
        return e.subject().empty() ? "unnamed step" : std::string(ErrorKindId(e.kind()));
    } catch (const NotConverged&) {
        return "not_converged";
    }
    return "none";
}

TEST(Cases, FailuresAreTypedAndNameTheirStep) {
    const std::string div = "division_by_zero", arg = "invalid_argument", op = "invalid_operation",
                      nc = "not_converged";
    struct F {
        int caseNo;
        Boxes boxes; // changed in the worked example
        std::string kind;
    };
    for (const F& r :
         {// Case 1: Q, L, h, x, V, n, ξ1, ξ2.
          F{1, {{4, 0}}, div}, F{1, {{4, -1000}}, arg}, F{1, {{3, 0.1f}}, arg},
          F{1, {{7, 0}, {8, 0}}, op}, F{1, {{1, 0}}, nc}, F{1, {{1, 10000}, {3, 20}}, nc},
          // Case 2: Q, L, h, Z, V, n, ξ1, ξ2.
          F{2, {{4, 0}}, div}, F{2, {{2, 0}}, div}, F{2, {{3, 0.1f}}, arg},
          F{2, {{7, 0.3f}, {8, -0.3f}}, op}, F{2, {{5, 3}}, nc}, F{2, {{4, -0.2f}}, nc},
          // Case 3: Q, L, B, x, V, n, ξ1, ξ2.
          F{3, {{4, 0}}, div}, F{3, {{4, -1000}}, arg}, F{3, {{3, 0}}, div},
          F{3, {{7, 0}, {8, 0}}, op}, F{3, {{1, 0}}, nc}, F{3, {{1, 1e6f}}, nc},
          // Case 4: h, L, B, x, V, n, ξ1, ξ2.
          F{4, {{1, 0}}, div}, F{4, {{1, -0.1f}}, arg}, F{4, {{3, 0}, {1, 0}}, op},
          F{4, {{3, 0}}, op}, F{4, {{7, 0}, {8, 0}}, op},
          F{4, {{2, 3e38f}, {4, 1e-3f}}, "overflow"},
          // Every width trial needs more than 21 m; Z2 alone reaches Z = 0.01.
          F{2, {{1, 100}, {3, 5}, {4, 0.01f}}, nc}}) {
        Module1 m;
        EXPECT_EQ(Failure(m, r.caseNo, With(r.caseNo, r.boxes)), r.kind)
            << "case " << r.caseNo << ", Text" << r.boxes[0].first << "=" << r.boxes[0].second;
    }
}

} // namespace
