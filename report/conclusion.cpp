// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/conclusion.h"

#include "hydraulics/connectionrows.h"
#include "hydraulics/headloss.h"
#include "hydraulics/sweeptable.h"
#include "hydraulics/numtext.h"
#include "report/checktable.h"

#include <cmath>
#include <cstdio>

namespace report {
namespace {

using hydraulics::Verdict;

std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// The net depth rounded up to the centimetre (a hair of rounding noise is
// not a centimetre more).
double UpToCentimetre(double H) {
    return std::ceil(H * 100 - 1e-6) / 100;
}

std::string ItemSentence(const hydraulics::CheckRow& row) {
    std::string value = row.value;
    for (std::size_t at; (at = value.find('\n')) != std::string::npos;)
        value.replace(at, 1, "，");
    return row.item + "（" + WithSubscripts(value) + "，要求 " + WithSubscripts(row.requirement) +
           "）";
}

TextTable Adopted(const ReportContent& content) {
    const hydraulics::DesignPoint& p = content.design;
    TextTable table{{"名称", "符号", "采用值", "单位"}, {}, -1};
    table.rows.push_back({"槽宽（取至毫米）", "B", Fixed(p.B, 3), "m"});
    table.rows.push_back({"槽内水深", "h", hydraulics::FormatSingle(static_cast<float>(p.h)), "m"});
    if (content.designChecks.H)
        table.rows.push_back({"槽身净深（向上取至厘米）", "H",
                              Fixed(UpToCentimetre(*content.designChecks.H), 2), "m"});
    table.rows.push_back(
        {"槽身纵坡", "i", "1/" + hydraulics::FormatSingle(static_cast<float>(p.x)), ""});
    table.rows.push_back({"总水头损失", "Z", hydraulics::RoundTo3Decimals(content.totalLoss), "m"});
    return table;
}

// The nearest candidate of a sweep of the case's main unknown-shaping input
// (h in cases 1 and 2, B in 3 and 4) that meets every check, in words.
std::string NearestCandidate(const ReportContent& content) {
    const ReportRequest& r = content.request;
    hydraulics::SweepRequest request{r.caseNo, r.inputs, hydraulics::DefaultSweepVariable(r.caseNo),
                                     {}, r.increasePercent, r.connection};
    const hydraulics::Quantity& q = hydraulics::Case(r.caseNo).inputNames[request.variable];
    const std::string name = std::string(q.caption) + " " + std::string(q.display);
    const std::optional<hydraulics::SweepRow> row = hydraulics::NearestCompliant(request);
    if (!row)
        return "方案比选：其余输入不变，" + name + " 在本值 ±50% 内没有满足全部校核的方案，"
               "宜同时调整其他输入（如槽身纵坡）后再比选。";
    const hydraulics::SweepFigures f = hydraulics::FiguresOf(*row, r.caseNo);
    const std::string unit = q.unit.empty() ? "" : " " + std::string(q.unit);
    std::string text = "方案比选：其余输入不变，将" + name + " 由 " +
                       hydraulics::FormatSingle(r.inputs[request.variable]) + unit + " 改为 " +
                       hydraulics::SweepValueText(*row, request.variable) + unit +
                       "，为满足全部校核的最近方案";
    if (f.B && f.h && f.ratio && f.Z)
        text += "（B = " + Fixed(*f.B, 3) + " m，h = " + Fixed(*f.h, 3) + " m，H/B = " +
                Fixed(*f.ratio, 3) + "，Z = " + Fixed(*f.Z, 3) + " m）";
    return text + "。";
}

} // namespace

std::string CheckAdvice(const hydraulics::CheckRow& row, const hydraulics::DesignChecks& checks,
                        int caseNo) {
    if (row.verdict == Verdict::Unknown)
        return "其计算值无法形成，请检查输入后重算。";
    if (row.item == "适用条件")
        return "水面在半圆内，宜减小槽宽 B 或加大水深 h，使 h ≥ B/2。";
    if (row.item == "设计流速") {
        if (checks.v && *checks.v < 1.0)
            return "流速偏小，槽内易淤积：宜减小过水断面（减小槽宽 B 或水深 h）或加大槽身纵坡 i。";
        return "流速偏大，槽身易冲刷：宜加大过水断面或减缓槽身纵坡 i。";
    }
    if (row.item == "缓坡")
        return "槽内水流不是缓流：宜减缓槽身纵坡 i（加大 x）或加大过水断面。";
    if (row.item == "加大流量")
        return "加大百分数不在表 6.3.4 所列范围内，宜按表中 Q 所在行取值，或说明取值理由。";
    if (row.item == "槽身净深")
        return caseNo == 2 ? "深宽比偏大，槽身窄而深：宜减小水深 h（槽宽随之加大）。"
                           : "深宽比偏大，槽身窄而深：宜加大槽宽 B 或减小水深 h。";
    if (row.item == "短槽判别" || row.item == "长槽判别")
        return "为短槽，槽内为非均匀流：宜按非均匀流推算水面线复核槽内水深与超高。";
    if (row.item == "总水面降落")
        return "总水面降落超过渠系规划的允许值：宜加大过水断面以减小槽内流速，或减缓槽身纵坡 i，"
               "或选用局部损失较小的渐变段形式。";
    if (row.item == "加大流量壅水")
        return "加大流量时上游壅水过高：宜加大槽宽 B 或槽身纵坡 i，使槽身在加大流量下的水面与"
               "上游渠道衔接。";
    if (row.item == "槽中最大水深")
        return "加大流量时槽中水深加 0.10 m 超过槽身净深：宜加高槽身，或加大槽宽 B。";
    if (row.item == "弯道半径")
        return "弯道半径小于水面宽的 6 倍：宜加大弯道半径 r，并按凹岸水深复核超高。";
    return "宜调整断面尺寸或槽身纵坡后重算。";
}

Conclusion ComposeConclusion(const ReportContent& content) {
    Conclusion conclusion;
    std::vector<hydraulics::CheckRow> rows = hydraulics::CheckRows(content.designChecks);
    if (content.connection)
        for (hydraulics::CheckRow& row : hydraulics::ConnectionChecks(*content.connection))
            if (row.verdict != Verdict::Unknown) // a figure left open ([ΔZ] not given)
                rows.push_back(std::move(row));
    std::vector<std::string> unmet, notes;
    for (const hydraulics::CheckRow& row : rows) {
        const std::string advice = CheckAdvice(row, content.designChecks, content.request.caseNo);
        if (row.verdict == Verdict::NotMet || row.verdict == Verdict::Unknown)
            unmet.push_back(ItemSentence(row) +
                            (row.verdict == Verdict::NotMet ? "不满足；" : "未能校核；") + advice);
        else if (row.verdict == Verdict::Note)
            notes.push_back(ItemSentence(row) + "：" + advice);
    }
    if (unmet.empty()) {
        conclusion.paragraphs.push_back(
            "经计算，本设计满足上文所列 GB 50288-2018 的各项校核要求，可按下列采用值设计。");
    } else {
        conclusion.paragraphs.push_back("经计算，本设计有 " + std::to_string(unmet.size()) +
                                        " 项设计校核不满足要求，须修改设计后重新计算：");
        for (std::size_t k = 0; k < unmet.size(); ++k)
            conclusion.paragraphs.push_back("（" + std::to_string(k + 1) + "）" + unmet[k]);
    }
    for (const std::string& note : notes)
        conclusion.paragraphs.push_back("提示：" + note);
    if (content.request.conclusionNote && !content.request.conclusionNote->empty())
        conclusion.paragraphs.push_back(*content.request.conclusionNote);
    else if (!unmet.empty())
        conclusion.paragraphs.push_back(NearestCandidate(content));
    conclusion.paragraphs.push_back(unmet.empty() ? "采用值：" : "本次计算的断面（修改前）：");
    conclusion.adopted = Adopted(content);
    return conclusion;
}

} // namespace report
