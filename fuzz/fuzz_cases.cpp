// The four case calculations on arbitrary inputs.
//
// Input: up to eight records, each one calculation on the same Module1 (the
// windows share one state, and a calculation starts from what the previous
// one left in the working values):
//   byte 0        case, 1 + byte % 4
//   bytes 1..40   eight values in box order, five bytes each: a tag byte,
//                 then a little-endian 32-bit word read by tag % 4 as
//                   0  the bits of a single value (NaN and infinity, which
//                      no box or project file can hand over, become ±FLT_MAX)
//                   1  a whole number of thousandths (0.014 = 14)
//                   2  a whole number of millionths
//                   3  a whole number
//
// Contract of one calculation: five result texts in the forms the windows
// show, NotConverged, or one CalcError of an arithmetic kind that names the
// step where it happened; within a bounded CPU time. The search of the
// case, run on its own with a trace, takes no more than its bounded number
// of trials: 20 whole-metre steps and 20 halving steps for the width and
// the depth, 20 slope trials.
#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cases.h"
#include "elements.h"
#include "errors.h"
#include "fuzzcheck.h"
#include "module1.h"
#include "numtext.h"
#include "searches.h"

namespace {

constexpr std::size_t kRecordSize = 1 + 8 * 5;
constexpr std::size_t kMaxRecords = 8;
// One calculation runs at most 20 × 40 section evaluations (case 2); that
// takes well under a millisecond even instrumented.
constexpr double kCalcLimitMs = 50;

float DecodeValue(const std::uint8_t* p) {
    std::uint32_t word = 0;
    for (int i = 4; i >= 1; --i)
        word = (word << 8) | p[i];
    const auto whole = static_cast<std::int32_t>(word);
    switch (p[0] % 4) {
    case 0: {
        float value = 0;
        std::memcpy(&value, &word, sizeof value);
        if (std::isnan(value))
            return 0.0f;
        if (std::isinf(value))
            return std::copysign(FLT_MAX, value);
        return value;
    }
    case 1: return static_cast<float>(whole / 1e3);
    case 2: return static_cast<float>(whole / 1e6);
    default: return static_cast<float>(whole);
    }
}

void CheckElements(const hydraulics::ResultTexts& texts, int caseNumber,
                   const hydraulics::Module1& m) {
    // The section drawing works out the elements of every successful
    // calculation; they may be empty but never hang, throw or go non-finite.
    fuzzcheck::CpuBudget budget("hydraulic elements", kCalcLimitMs);
    const auto e = hydraulics::ComputeElements(m.ChannelWidth, m.BasicData[hydraulics::PosH],
                                               m.BasicData[hydraulics::PosQ]);
    for (const auto& figure : {e.A, e.P, e.R, e.T, e.v, e.velocityHead, e.Fr, e.hc})
        if (figure)
            fuzzcheck::Require(std::isfinite(*figure), "element not finite",
                               texts[4] + " case " + std::to_string(caseNumber));
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
        case 1: WidthSearch(probe, [] {}, count); break;
        case 2: SlopeSearch(probe, count); break;
        case 3: DepthSearch(probe, count); break;
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
        fuzzcheck::Require(fuzzcheck::IsShownNumber(text), "result text not a shown number",
                           text);
    // The solved quantity reads back as a finite single value.
    try {
        const float back = ParseSingle(texts[4], "result");
        fuzzcheck::Require(std::isfinite(back), "result not finite", texts[4]);
    } catch (const CalcError& e) {
        fuzzcheck::Fail("result text does not read back", texts[4] + " " + e.message());
    }
    CheckElements(texts, caseNumber, m);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    hydraulics::Module1 m;
    for (std::size_t r = 0; r < kMaxRecords && size >= kRecordSize; ++r) {
        const int caseNumber = 1 + data[0] % 4;
        std::array<float, 8> inputs{};
        for (std::size_t k = 0; k < inputs.size(); ++k)
            inputs[k] = DecodeValue(data + 1 + 5 * k);
        RunOne(m, caseNumber, inputs);
        data += kRecordSize;
        size -= kRecordSize;
    }
    return 0;
}
