// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/cases.h"

#include "hydraulics/checked.h"
#include "hydraulics/errors.h"
#include "hydraulics/headloss.h"
#include "hydraulics/numtext.h"
#include "hydraulics/searches.h"
#include "hydraulics/section.h"

#include <stdexcept>

namespace hydraulics {

float& FieldRef(ProjectState& m, Field field) {
    switch (field) {
    case Field::Q:
        return m.BasicData[PosQ];
    case Field::L:
        return m.BasicData[PosL];
    case Field::h:
        return m.BasicData[PosH];
    case Field::x:
        return m.BasicData[PosX];
    case Field::V:
        return m.BasicData[PosV];
    case Field::n:
        return m.BasicData[PosN];
    case Field::Xi1:
        return m.BasicData[PosXi1];
    case Field::Xi2:
        return m.BasicData[PosXi2];
    case Field::TotalLoss:
        return m.TotalLoss;
    case Field::ChannelWidth:
        return m.ChannelWidth;
    }
    throw std::out_of_range("field");
}

float FieldValue(const ProjectState& m, Field field) {
    return FieldRef(const_cast<ProjectState&>(m), field);
}

namespace {

constexpr Quantity kQ{"Q", "流量", "Q", "m³/s"};
constexpr Quantity kL{"L", "槽身长", "L", "m"};
constexpr Quantity kH{"h", "槽内水深", "h", "m"};
constexpr Quantity kX{"x", "槽身比降", "1/x", ""};
constexpr Quantity kV{"V", "渠道流速", "V", "m/s"};
constexpr Quantity kN{"n", "槽身糙率", "n", ""};
constexpr Quantity kXi1{"xi1", "进口局部损失系数", "ξ1", ""};
constexpr Quantity kXi2{"xi2", "出口局部损失系数", "ξ2", ""};
constexpr Quantity kZ{"Z", "总水头损失", "Z", "m"};
constexpr Quantity kHead{"Z", "水头", "Z", "m"};
constexpr Quantity kZ1{"Z1", "进口水头损失", "Z1", "m"};
constexpr Quantity kZ2{"Z2", "沿程水头损失", "Z2", "m"};
constexpr Quantity kZ3{"Z3", "出口水位回升", "Z3", "m"};
constexpr Quantity kB{"B", "槽宽", "B", "m"};

using enum Field;

const CaseInfo kCases[kCaseCount] = {
    {1,
     {Q, L, h, x, V, n, Xi1, Xi2},
     {kQ, kL, kH, kX, kV, kN, kXi1, kXi2},
     {kZ, kZ1, kZ2, kZ3, kB},
     "计算槽宽及水头损失"},
    {2,
     {Q, L, h, TotalLoss, V, n, Xi1, Xi2},
     {kQ, kL, kH, kHead, kV, kN, kXi1, kXi2},
     {kZ1, kZ2, kZ3, kB, kX},
     "计算槽宽及槽身比降"},
    {3,
     {Q, L, ChannelWidth, x, V, n, Xi1, Xi2},
     {kQ, kL, kB, kX, kV, kN, kXi1, kXi2},
     {kZ, kZ1, kZ2, kZ3, kH},
     "计算水深及水头损失"},
    {4,
     {h, L, ChannelWidth, x, V, n, Xi1, Xi2},
     {kH, kL, kB, kX, kV, kN, kXi1, kXi2},
     {kZ, kZ1, kZ2, kZ3, kQ},
     "计算流量及水头损失"},
};

// The inputs of a case that can make its section, discharge and search
// steps fail, where the step's own clause names a figure the case finds:
// case 1 finds B, case 2 B and x, case 3 h. The straight-wall formulas of
// cases 1 and 2 give a negative area once B exceeds about 9.3·h, so a
// discharge that no width up to 20 m carries at depth h ends in the power
// of a negative radius; so does case 2's negative friction loss, when Z is
// smaller than the local losses alone.
constexpr StepCauses kCase1Causes{nullptr, "流量 Q 过大，在该水深下 20 m 以内的槽宽都不能通过，"
                                           "或槽内水深 h、槽身比降的 x 为负数"};
constexpr StepCauses kCase2Causes{"槽身糙率 n、槽身长 L 或水头 Z 为零",
                                  "流量 Q 过大，在该水深下 20 m 以内的槽宽都不能通过，"
                                  "或水头 Z 小于进出口局部水头损失之和，"
                                  "或槽内水深 h、槽身长 L 为负数"};
constexpr StepCauses kCase3Causes{nullptr, "槽宽 B 为负数或过小，或槽身比降的 x 为负数"};

// Runs `body`, naming the case's own causes in an arithmetic fault.
template <class Body> auto InCase(const StepCauses& causes, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const CalcError& e) {
        throw e.withCauses(causes);
    }
}

ResultTexts FourLosses(const ProjectState& m, std::string last) {
    return {RoundTo3Decimals(m.TotalLoss), RoundTo3Decimals(m.InletLoss),
            RoundTo3Decimals(m.FrictionLoss), RoundTo3Decimals(m.OutletRecovery), std::move(last)};
}

} // namespace

const CaseInfo& Case(int number) {
    if (number < 1 || number > kCaseCount)
        throw std::out_of_range("case number must be 1 to 4");
    return kCases[number - 1];
}

ResultTexts SolveChannelWidth(ProjectState& m, const SearchTrace& trace) {
    const auto losses = [&] { LossTerms(m, true); };
    if (!InCase(kCase1Causes, [&] { return WidthSearch(m, losses, trace); }))
        throw NotConverged("槽宽 B", "流量可能超出 1～21 m 槽宽所能通过的范围，或为零。");
    LocalLossSplit(m);
    return FourLosses(m, FormatSingle(m.ChannelWidth));
}

ResultTexts SolveWidthAndSlope(ProjectState& m, const SearchTrace& trace) {
    const SlopeSearchResult slope = InCase(kCase2Causes, [&] { return SlopeSearch(m, trace); });
    if (!slope.met)
        throw NotConverged("槽身比降 i",
                           "输入可能超出本情况能求解的范围，例如渠道流速大于槽内流速。");
    // The head loss can be met by friction alone while no width of 1 to
    // 21 m carries the discharge; the last trial width is then no design.
    if (!slope.widthFound)
        throw NotConverged("槽宽 B", "在满足给定水头的比降下，1～21 m 的槽宽都不能通过该流量。");
    LocalLossSplit(m);
    return {RoundTo3Decimals(m.InletLoss), RoundTo3Decimals(m.FrictionLoss),
            RoundTo3Decimals(m.OutletRecovery), RoundTo3Decimals(m.ChannelWidth),
            FormatSingle(m.BasicData[PosX])};
}

ResultTexts SolveDepth(ProjectState& m, const SearchTrace& trace) {
    if (!InCase(kCase3Causes, [&] { return DepthSearch(m, trace); }))
        throw NotConverged("槽内水深 h", "流量可能为零、为负，或超出 21 m 水深所能通过的范围。");
    LocalLossSplit(m);
    return FourLosses(m, FormatSingle(m.BasicData[PosH]));
}

ResultTexts SolveDischarge(ProjectState& m) {
    AnyDepthSectionGeometry(m, m.ChannelWidth, m.BasicData[PosH]);
    m.BasicData[PosQ] = ManningDischarge(m, m.BasicData[PosX], m.BasicData[PosN]);
    LossTerms(m, true);
    LocalLossSplit(m);
    return FourLosses(m, FormatSingle(m.BasicData[PosQ]));
}

ResultTexts SolveCase(ProjectState& m, int number, const SearchTrace& trace) {
    switch (number) {
    case 1:
        return SolveChannelWidth(m, trace);
    case 2:
        return SolveWidthAndSlope(m, trace);
    case 3:
        return SolveDepth(m, trace);
    case 4:
        return SolveDischarge(m);
    }
    throw std::out_of_range("case number must be 1 to 4");
}

ResultTexts CalculateCase(ProjectState& m, int number, const std::array<float, 8>& inputs,
                          const SearchTrace& trace) {
    const CaseInfo& info = Case(number);
    for (std::size_t k = 0; k < inputs.size(); ++k)
        FieldRef(m, info.inputs[k]) = inputs[k];
    return SolveCase(m, number, trace);
}

} // namespace hydraulics
