// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/recommendinputs.h"

#include "hydraulics/elements.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/sweep.h"

#include <cmath>

namespace hydraulics {
namespace {

constexpr std::size_t kBox1 = 0, kBox3 = 2, kBox4 = 3; // Q or h; h or B; x or Z

// The decimal a box stores for `text`.
double Stored(const std::string& text) {
    return TypedDecimal(ParseSingle(text, ""));
}

// Case 2's own loss L/x + (ξ₁ + ξ₂)(v² − V²)/2g at width B and depth h,
// x the slope at which B carries Q at h.
double CaseTwoLoss(const FlumeInputs& f, double B, double h) {
    const double v = f.Q / TrueSection(B, h).area;
    return f.L / TrueManningSlopeX(B, h, f.Q, f.n) +
           (f.xi1 + f.xi2) * (v * v - f.V * f.V) / (2 * kG);
}

void Verify(const RecommendInput& in, const VerifiedSection& s, Adoption& a) {
    a.inputs = in.inputs;
    for (const InputFill& fill : a.fills)
        a.inputs[fill.index] = ParseSingle(fill.text, "");
    const std::optional<AdoptedSection> there =
        AdoptSection(FlumeInputsOf(in.caseNo, a.inputs), in.conditions, in.canals);
    a.reproduces = there && there->section.B == s.B && there->section.x == s.x;
    a.feasible = a.reproduces && there->section.feasible;
}

// Case 2: the smallest head that gives the section, then the drop where
// that is larger, whichever reproduces it and meets every check first.
Adoption CaseTwo(const RecommendInput& in, const VerifiedSection& s) {
    const std::string h = SevenDigits(s.h, false);
    const FlumeInputs f = FlumeInputsOf(2, in.inputs);
    std::vector<double> heads{CaseTwoLoss(f, s.B, Stored(h))};
    if (s.Z && *s.Z > heads.front())
        heads.push_back(*s.Z);
    Adoption first;
    for (const double head : heads) {
        Adoption a;
        a.fills = {{kBox3, h}, {kBox4, SevenDigits(head, true)}};
        Verify(in, s, a);
        if (a.feasible)
            return a;
        if (first.fills.empty())
            first = a;
    }
    return first;
}

} // namespace

std::string SevenDigits(double value, bool up) {
    std::string text = FormatSingle(static_cast<float>(value));
    for (int k = 0; k < 4; ++k) {
        const double stored = Stored(text);
        if (up ? stored >= value : stored <= value)
            return text;
        // One unit of the seventh significant digit towards the side.
        const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(stored))) - 6);
        text = FormatSingle(static_cast<float>(up ? stored + unit : stored - unit));
    }
    return text;
}

Adoption AdoptionOf(const RecommendInput& input, const VerifiedSection& s) {
    if (input.caseNo == 2)
        return CaseTwo(input, s);
    Adoption a;
    const std::string x = FormatDouble(s.x), B = FormatDouble(s.B);
    if (input.caseNo == 1)
        a.fills = {{kBox3, SevenDigits(s.h, true)}, {kBox4, x}};
    else if (input.caseNo == 3)
        a.fills = {{kBox3, B}, {kBox4, x}};
    else
        a.fills = {{kBox1, SevenDigits(s.h, true)}, {kBox3, B}, {kBox4, x}};
    Verify(input, s, a);
    return a;
}

std::string AdoptionNote(const RecommendInput& input, const Adoption& a) {
    if (a.feasible)
        return {};
    if (!a.reproduces)
        return "按所填数值，计算窗口求得的采用断面与所选断面不同，请在断面窗口中核对。";
    if (input.caseNo == 2 && input.canals)
        return "情况 2 按基本资料的渠道流速 V 由给定水头 Z 求槽宽，水面衔接则按渠道流速计算总水面"
               "降落 ΔZ，两者不同，计算窗口中“给定水头”一项不能满足；宜先在“渠道与水面衔接”中将 "
               "v₁ 填入渠道流速 V，再比选推荐断面。";
    return "计算窗口中的采用断面仍有校核项不满足，请在断面窗口中核对。";
}

} // namespace hydraulics
