// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/adoptedrows.h"

#include "hydraulics/numtext.h"

#include <cmath>

namespace hydraulics {
namespace {

using Rows = std::vector<AdoptedRow>;

void Add(Rows& rows, std::string name, std::string symbol, const std::optional<double>& value,
         int decimals, std::string unit = "m") {
    if (value)
        rows.push_back(
            {std::move(name), std::move(symbol), FixedText(*value, decimals), std::move(unit)});
}

std::string SlopeText(double x) {
    return "1/" + FormatDouble(x);
}

void Levels(Rows& rows, const VerifiedSection& s) {
    const Connection& c = *s.connection;
    const ConnectionLevels& e = c.levels;
    Add(rows, "上游渠底高程", "∇₃", e.bedUpstream, 3);
    Add(rows, "槽身进口底高程", "∇₁", e.bedInlet, 3);
    Add(rows, "槽身出口底高程", "∇₂", e.bedOutlet, 3);
    Add(rows, "下游渠底高程", "∇₄", e.bedDownstream, 3);
    Add(rows, "槽顶高程（进口）", "∇₁ + H", s.topInlet, 3);
    Add(rows, "槽顶高程（出口）", "∇₂ + H", s.topOutlet, 3);
    Add(rows, "进口渐变段长度", "L₁", c.design.L1, 3);
    Add(rows, "出口渐变段长度", "L₂", c.design.L2, 3);
}

std::string FreeName(int caseNo) {
    return caseNo <= 2 ? "槽内水深 h" : "槽宽 B";
}

std::string Nearest(const Design& d, const WaysOut& w) {
    const VerifiedSection& s = w.section->section;
    const int decimals = StepDecimals(d.conditions.widthStep);
    std::string text = "将" + FreeName(d.caseNo) + " 由 " + FormatDouble(w.current) + " m 改为 " +
                       FixedText(*w.nearest, decimals) +
                       " m（其余输入不变），采用断面 B = " + FixedText(s.B, decimals) +
                       " m，i = " + SlopeText(s.x) + "，h = " + FixedText(s.h, 3) +
                       " m，H = " + FixedText(s.checks.H.value_or(0), 2) +
                       " m，H/B = " + FixedText(s.checks.ratio.value_or(0), 3) +
                       "，v = " + FixedText(s.v.value_or(0), 3) + " m/s，" +
                       (s.connection ? "ΔZ" : "Z") + " = " + FixedText(s.Z.value_or(0), 3) + " m";
    if (d.caseNo == 4)
        text += "，通过流量 Q = " + FixedText(s.Q, 3) + " m³/s";
    return text + "，满足全部校核。";
}

} // namespace

int StepDecimals(double step) {
    for (int decimals = 0; decimals < 6; ++decimals) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::fabs(scaled - std::round(scaled)) < 1e-9)
            return std::max(decimals, 2);
    }
    return 6;
}

std::vector<AdoptedRow> AdoptedRows(const Design& design) {
    Rows rows;
    if (!design.adopted)
        return rows;
    const VerifiedSection& s = design.adopted->section;
    const DesignChecks& c = s.checks;
    rows.push_back({"槽宽", "B", FixedText(s.B, StepDecimals(design.conditions.widthStep)), "m"});
    Add(rows, "槽身净深", "H", c.H, 2);
    Add(rows, "深宽比", "H/B", c.ratio, 3, "");
    Add(rows, "槽内水深", "h", s.h, 3);
    rows.push_back({"槽身纵坡", "i", SlopeText(s.x), ""});
    Add(rows, "设计流量", "Q", s.Q, 3, "m³/s");
    Add(rows, "槽内流速", "v", s.v, 3, "m/s");
    Add(rows, "加大流量", "Q加", c.Qinc, 3, "m³/s");
    Add(rows, "加大流量水深", "h加", c.hinc, 3);
    Add(rows, "加大流量槽中最大水深", "h_max", c.backwaterDepth, 3);
    if (s.connection) {
        Add(rows, "总水面降落", "ΔZ", s.Z, 3);
        Add(rows, "允许水面降落", "[ΔZ]", s.connection->allowedDrop, 3);
        Add(rows, "降落富余", "[ΔZ] − ΔZ", s.connection->design.dropMargin, 3);
        Levels(rows, s);
        rows.push_back({"渐变段形式", "", design.transitionNote, ""});
    } else {
        Add(rows, "总水头损失", "Z", s.Z, 3);
    }
    if (s.head)
        Add(rows, "给定水头", "Z给定", s.head, 3);
    return rows;
}

std::string AdoptedLabel(const Design& design) {
    return design.adopted && design.adopted->section.ok ? "采用值" : "计算值（不得采用）";
}

std::string AdoptedBasis(const Design& design) {
    if (!design.adopted)
        return {};
    const AdoptedSection& a = design.adopted.value();
    const int decimals = StepDecimals(design.conditions.widthStep);
    if (design.caseNo > 2)
        return "采用断面即所给槽宽 B = " + FixedText(a.section.B, decimals) +
               " m 与纵坡 i = " + SlopeText(a.section.x) + "，水深按实际断面精确求解。";
    std::string text = "按实际断面精确求解的槽宽 B* = " + FixedText(a.exactB, 6) + " m";
    if (a.exactX)
        text += "、纵坡 i* = 1/" + FixedText(*a.exactX, 1);
    text += "，槽宽按设计步长 " + FormatDouble(design.conditions.widthStep) + " m 向上取整为 " +
            FixedText(a.section.B, decimals) + " m";
    if (a.exactX)
        text += "，纵坡取使该槽宽在水深 h 下恰好通过 Q 的 x 并向上取整为 1/" +
                FormatDouble(a.section.x);
    return text + "；水深按实际断面精确求解。";
}

std::vector<std::string> WaysOutSentences(const Design& design) {
    std::vector<std::string> lines;
    if (!design.waysOut)
        return lines;
    const WaysOut& w = *design.waysOut;
    const std::string name = FreeName(design.caseNo);
    for (const CheckBoundary& b : w.boundaries)
        lines.push_back(name + (b.upper ? " ≤ " : " ≥ ") + FixedText(b.bound, 3) + " m 时，" +
                        b.item + "满足要求。");
    for (const std::string& item : w.unbounded)
        lines.push_back(name + " 在本值 ±50% 内取任何值，" + item + "都不能满足要求。");
    if (w.nearest && w.section)
        lines.push_back(Nearest(design, w));
    else
        lines.push_back(name + " 在本值 ±50% 内按设计步长取值，没有满足全部校核的断面，"
                               "宜同时调整其他输入（如槽身纵坡）。");
    return lines;
}

} // namespace hydraulics
