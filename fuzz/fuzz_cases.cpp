// The four case calculations on arbitrary inputs.
//
// Input: records of a case and eight values (caseinput.h).
//
// Contract of one calculation: five result texts in the forms the windows
// show, NotConverged, or one CalcError of an arithmetic kind that names the
// step where it happened; within a bounded CPU time. The search of the
// case, run on its own with a trace, takes no more than its bounded number
// of trials: 20 whole-metre steps and 20 halving steps for the width and
// the depth, 20 slope trials.
#include "caseinput.h"
#include "fuzzcheck.h"
#include "hydraulics/cases.h"
#include "hydraulics/elements.h"
#include "hydraulics/errors.h"
#include "hydraulics/module1.h"
#include "hydraulics/numtext.h"
#include "hydraulics/searches.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>

namespace {

// One calculation runs at most 20 × 40 section evaluations (case 2); that
// takes well under a millisecond even instrumented.
constexpr double kCalcLimitMs = 50;

// The hydraulic elements and the rating curve that the section drawing
// works out beside every successful calculation: figures may be empty, but
// never hang, throw or go non-finite, and each is shown as a three-decimal
// text or a dash.
void CheckElements(const hydraulics::Module1& m, int caseNumber) {
    using namespace hydraulics;
    fuzzcheck::CpuBudget budget("hydraulic elements", kCalcLimitMs);
    const DesignPoint point = FromCase(m, caseNumber);
    const HydraulicElements e = ComputeElements(point);
    for (const ElementRow& row : ElementRows(e)) {
        if (row.value)
            fuzzcheck::Require(std::isfinite(*row.value), "element not finite",
                               std::string(row.symbol));
        const std::string shown = FormatElement(row.value);
        static const std::regex form("—|-?[0-9]+\\.[0-9]{3}");
        fuzzcheck::Require(std::regex_match(shown, form) && shown != "-0.000",
                           "element shown outside its form", shown);
    }
    // As the rating chart asks for it: depths to about 1.5 h, 160 points.
    const double maxDepth = std::max(1.5 * point.h, 1.1 * point.B / 2);
    for (const RatingPoint& p : RatingCurve(point.B, point.x, point.n, maxDepth, 160))
        fuzzcheck::Require(std::isfinite(p.depth) && std::isfinite(p.discharge) && p.discharge >= 0,
                           "rating point not a finite discharge", std::to_string(p.discharge));
}

// Runs the search of the case on a copy of the state and counts its trials.
void CheckTrialCount(const hydraulics::Module1& m, int caseNumber,
                     const std::array<float, 8>& inputs) {
    using namespace hydraulics;
    if (caseNumber == 4)
        return; // no search
    Module1 probe = m;
    const CaseInfo& info = Case(caseNumber);
    for (std::size_t k = 0; k < inputs.size(); ++k)
        FieldRef(probe, info.inputs[k]) = inputs[k];
    int trials = 0;
    const SearchTrace count = [&](const Module1&) { ++trials; };
    try {
        switch (caseNumber) {
        case 1:
            WidthSearch(
                probe, [] {}, count);
            break;
        case 2:
            SlopeSearch(probe, count);
            break;
        case 3:
            DepthSearch(probe, count);
            break;
        }
    } catch (const CalcError&) {
        // The calculation itself checks how faults end.
    }
    const int bound = caseNumber == 2 ? 20 : 40;
    fuzzcheck::Require(trials <= bound, "search ran more trials than its bound",
                       std::to_string(trials) + " trials, case " + std::to_string(caseNumber));
}

void RunOne(hydraulics::Module1& m, int caseNumber, const std::array<float, 8>& inputs) {
    using namespace hydraulics;
    CheckTrialCount(m, caseNumber, inputs);
    ResultTexts texts;
    try {
        fuzzcheck::CpuBudget budget("calculation", kCalcLimitMs);
        texts = CalculateCase(m, caseNumber, inputs);
    } catch (const CalcError& e) {
        fuzzcheck::Require(fuzzcheck::IsArithmeticKind(e.kind()), "non-arithmetic kind",
                           e.message());
        fuzzcheck::Require(!e.subject().empty(), "fault does not name its step", e.message());
        return;
    } catch (const NotConverged& e) {
        fuzzcheck::Require(!e.sought().empty(), "NotConverged names nothing", e.message());
        return;
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
    for (const auto& text : texts)
        fuzzcheck::Require(fuzzcheck::IsShownNumber(text), "result text not a shown number", text);
    // The solved quantity reads back as a finite single value.
    try {
        const float back = ParseSingle(texts[4], "result");
        fuzzcheck::Require(std::isfinite(back), "result not finite", texts[4]);
    } catch (const CalcError& e) {
        fuzzcheck::Fail("result text does not read back", texts[4] + " " + e.message());
    }
    CheckElements(m, caseNumber);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    hydraulics::Module1 m;
    caseinput::ForEachRecord(
        data, size, [&](const caseinput::Record& r) { RunOne(m, r.caseNumber, r.inputs); });
    return 0;
}
