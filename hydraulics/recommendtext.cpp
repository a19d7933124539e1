// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/recommendtext.h"

#include "hydraulics/adoptedrows.h"
#include "hydraulics/numtext.h"

#include <cmath>

namespace hydraulics {
namespace {

constexpr double kSameCost = 0.005; // within 0.5 % the costs are called alike

std::string Slope(double x) {
    return "1/" + FormatDouble(x);
}

std::string Width(const Recommendation& r, double B) {
    return FixedText(B, StepDecimals(r.step));
}

std::string Optional(const std::optional<double>& value, int decimals) {
    return value ? FixedText(*value, decimals) : "—";
}

std::string Percent(double share) {
    const double percent = std::fabs(share) * 100;
    return FixedText(percent, percent < 1 ? 1 : 0) + " %";
}

// "ΔZ = 0.296 m ≤ 0.300 m", "Z = 0.153 m".
std::string DropText(const VerifiedSection& s) {
    std::string text = std::string(s.connection ? "ΔZ" : "Z") + " = " + Optional(s.Z, 3) + " m";
    const std::optional<double> limit =
        s.connection && s.connection->allowedDrop ? s.connection->allowedDrop : s.head;
    if (s.Z && limit)
        text += (*s.Z <= *limit + 1e-9 ? " ≤ " : " > ") + FixedText(*limit, 3) + " m";
    return text;
}

std::string SectionText(const Recommendation& r, const RankedSection& k) {
    const VerifiedSection& s = k.section;
    std::string text = "B = " + Width(r, s.B) + " m，i = " + Slope(s.x) +
                       "：h = " + FixedText(s.h, 3) + " m，H = " + Optional(s.checks.H, 2) +
                       " m，H/B = " + Optional(s.checks.ratio, 3) + "，v = " + Optional(s.v, 3) +
                       " m/s，" + DropText(s);
    if (r.caseNo == 4)
        text += "，Q = " + FixedText(s.Q, 3) + " m³/s";
    return text + "，衬砌周长 " + FixedText(k.cost, 2) + " m/m";
}

// "（比当前断面省 9 %）" against the case's adopted section.
std::string AgainstCurrent(const Recommendation& r) {
    if (!r.current || !r.recommended)
        return {};
    const VerifiedSection &c = r.current->section, &s = r.recommended->section;
    if (c.B == s.B && c.x == s.x)
        return "（即当前采用断面）";
    const double saving = 1 - r.recommended->cost / r.current->cost;
    if (!std::isfinite(saving) || std::fabs(saving) < kSameCost)
        return "（衬砌周长与当前断面相当）";
    return saving > 0 ? "（比当前断面省 " + Percent(saving) + "）"
                      : "（比当前断面多 " + Percent(saving) + "，当前断面未满足全部校核）";
}

std::string Unmet(const VerifiedSection& s) {
    std::string items;
    for (const CheckRow& row : s.rows)
        if (!Meets(row))
            items += (items.empty() ? "" : "、") + row.item;
    return items;
}

} // namespace

std::string SearchRangeText(const Recommendation& r) {
    std::string text;
    if (!r.widths.empty())
        text = "B = " + Width(r, r.widths.front()) + "～" + Width(r, r.widths.back()) + " m";
    if (!r.slopes.empty())
        text += "、i = " + (r.slopes.size() == 1
                                ? Slope(r.slopes.front())
                                : Slope(r.slopes.front()) + "～" + Slope(r.slopes.back()));
    return text;
}

std::string SearchSummary(const Recommendation& r) {
    std::string text = "在 " + SearchRangeText(r) + " 内按槽宽设计步长 " + FormatDouble(r.step) +
                       " m 比选 " + std::to_string(r.candidates.size()) + " 个断面，其中 " +
                       std::to_string(r.feasibleCount) + " 个满足全部校核";
    if (!r.dropGiven)
        text += "（未给出允许水面降落 [ΔZ]，纵坡保持本设计的 i = " +
                (r.slopes.empty() ? std::string("—") : Slope(r.slopes.front())) + "）";
    return text + "。";
}

std::string RecommendationSentence(const Recommendation& r) {
    if (!r.recommended)
        return {};
    return "推荐 " + SectionText(r, *r.recommended) + AgainstCurrent(r) + "。";
}

std::string BindingSentence(const Recommendation& r) {
    if (r.recommended || !r.searched || r.cancelled)
        return {};
    if (r.binding.empty())
        return "在 " + SearchRangeText(r) + " 内没有能形成正常水深的断面。";
    std::string names;
    for (std::size_t k = 0; k < r.binding.size(); ++k) {
        const std::string& condition = r.kinds[r.binding[k]].condition;
        names += (k == 0 ? "" : k + 1 == r.binding.size() ? " 与 " : "、") + condition;
    }
    return names + " 在 " + SearchRangeText(r) + " 内" +
           (r.binding.size() == 1 ? "无法满足。" : "无法同时满足。");
}

std::string ClosestSentence(const Recommendation& r) {
    if (r.recommended || !r.closest)
        return {};
    return "不满足项最少的断面为 " + SectionText(r, *r.closest) + "，仍不满足" +
           Unmet(r.closest->section) + "。";
}

std::vector<std::string> RecommendationLines(const Recommendation& r) {
    if (!r.searched)
        return {r.problem};
    if (r.cancelled)
        return {"推荐断面的比选已取消。"};
    std::vector<std::string> lines{SearchSummary(r)};
    if (r.recommended) {
        lines.push_back(RecommendationSentence(r));
        return lines;
    }
    lines.push_back("没有满足全部校核的断面：" + BindingSentence(r));
    if (const std::string closest = ClosestSentence(r); !closest.empty())
        lines.push_back(closest);
    return lines;
}

std::string WayOutSentence(const Recommendation& r) {
    if (!r.searched || r.cancelled)
        return {};
    const std::string searched =
        "（" + SearchRangeText(r) + "，比选 " + std::to_string(r.candidates.size()) + " 个断面）";
    if (r.recommended)
        return "同时调整槽宽与纵坡" + searched + "：" + RecommendationSentence(r);
    return "同时调整槽宽与纵坡" + searched + "也没有满足全部校核的断面：" + BindingSentence(r) +
           ClosestSentence(r);
}

std::string CheaperSentence(const Recommendation& r) {
    if (!r.recommended || !r.current || !r.current->section.feasible ||
        !(r.recommended->cost < r.current->cost * (1 - kSameCost)))
        return {};
    return "另按槽宽与纵坡同时比选（" + SearchRangeText(r) + "，" +
           std::to_string(r.candidates.size()) + " 个断面中 " + std::to_string(r.feasibleCount) +
           " 个满足全部校核），有衬砌更省的断面：" + RecommendationSentence(r);
}

std::vector<std::string> RankedHeader(const Recommendation& r) {
    const bool drop = r.dropGiven;
    const std::string z = r.current && r.current->section.connection ? "ΔZ (m)" : "Z (m)";
    return {"B (m)",
            "i",
            "h (m)",
            "H (m)",
            "H/B",
            "v (m/s)",
            "Fr",
            z,
            drop ? "[ΔZ] − ΔZ (m)" : (r.caseNo == 2 ? "给定水头余量 (m)" : "降落余量 (m)"),
            "衬砌周长 (m/m)",
            "比推荐 (%)"};
}

std::vector<RankedCell> RankedCells(const Recommendation& r, const RankedSection& k) {
    const VerifiedSection& s = k.section;
    const auto cell = [](const std::optional<double>& value, int decimals) {
        return RankedCell{value ? FixedText(*value, decimals) : "—", value.value_or(std::nan(""))};
    };
    const double relative = k.relativeCost.value_or(0) * 100;
    return {{Width(r, s.B), s.B},
            {Slope(s.x), s.x},
            cell(s.h, 3),
            cell(s.checks.H, 2),
            cell(s.checks.ratio, 3),
            cell(s.v, 3),
            cell(s.Fr, 3),
            cell(s.Z, 3),
            cell(k.margin, 3),
            cell(k.cost, 2),
            {(relative > 0 ? "+" : "") + FixedText(relative, 1), relative}};
}

} // namespace hydraulics
