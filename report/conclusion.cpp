// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/conclusion.h"

#include "hydraulics/adoptedrows.h"
#include "hydraulics/recommendtext.h"
#include "report/checktable.h"

namespace report {
namespace {

using hydraulics::Verdict;

std::string ItemSentence(const hydraulics::CheckRow& row) {
    std::string value = row.value;
    for (std::size_t at; (at = value.find('\n')) != std::string::npos;)
        value.replace(at, 1, "，");
    return row.item + "（" + WithSubscripts(value) + "，要求 " + WithSubscripts(row.requirement) +
           "）";
}

TextTable Adopted(const hydraulics::Design& design) {
    TextTable table{{"名称", "符号", hydraulics::AdoptedLabel(design), "单位"}, {}, -1};
    for (const hydraulics::AdoptedRow& row : hydraulics::AdoptedRows(design))
        table.rows.push_back({row.name, WithSubscripts(row.symbol), row.text, row.unit});
    return table;
}

void Numbered(std::vector<std::string>& paragraphs, const std::vector<std::string>& items) {
    for (std::size_t k = 0; k < items.size(); ++k)
        paragraphs.push_back("（" + std::to_string(k + 1) + "）" + items[k]);
}

// The verdict over the adopted section's rows: the rules not met first,
// then the recommendations, then the notes.
void Verdicts(Conclusion& conclusion, const hydraulics::Design& d) {
    const hydraulics::VerifiedSection& s = d.adopted->section;
    std::vector<std::string> unmet, adjust, notes;
    for (const hydraulics::CheckRow& row : s.rows) {
        const std::string advice = CheckAdvice(row, s.checks, d.caseNo);
        if (hydraulics::Fails(row) ||
            (row.verdict == Verdict::Unknown && row.level == hydraulics::CheckLevel::Shall))
            unmet.push_back(ItemSentence(row) +
                            (row.verdict == Verdict::NotMet ? "不满足；" : "未能校核；") + advice);
        else if (!hydraulics::Meets(row))
            adjust.push_back(ItemSentence(row) + "宜调整；" + advice);
        else if (row.verdict == Verdict::Note)
            notes.push_back(ItemSentence(row) + "：" + advice);
    }
    std::vector<std::string>& p = conclusion.paragraphs;
    if (unmet.empty() && adjust.empty())
        p.push_back("经计算，采用断面满足上文所列 GB 50288-2018 的各项规定和建议，可按下列"
                    "采用值设计。");
    else if (unmet.empty())
        p.push_back("经计算，采用断面满足 GB 50288-2018 的各项规定（“应”“不应”的条款），可按下列"
                    "采用值设计；下列 " +
                    std::to_string(adjust.size()) +
                    " 项为“宜”的条款，建议调整，或在设计中说明理由：");
    else
        p.push_back("经计算，采用断面有 " + std::to_string(unmet.size()) +
                    " 项不满足 GB 50288-2018 的规定（“应”“不应”的条款），不得采用，须修改设计后"
                    "重新计算：");
    Numbered(p, unmet);
    if (!unmet.empty() && !adjust.empty())
        p.push_back("另有下列“宜”的条款未满足，建议一并调整：");
    Numbered(p, adjust);
    for (const std::string& note : notes)
        p.push_back("提示：" + note);
}

// 推荐断面 of the design (hydraulics/recommend.h): the last way out of an
// adopted section that fails, or a cheaper section than one that does not.
void Recommended(const hydraulics::Design& d, std::vector<std::string>& ways,
                 std::vector<std::string>& paragraphs) {
    if (!d.recommendation)
        return;
    const hydraulics::Recommendation& r = *d.recommendation;
    const std::string text = d.adopted->section.feasible ? hydraulics::CheaperSentence(r)
                                                         : hydraulics::WayOutSentence(r);
    if (!text.empty())
        (d.adopted->section.feasible ? paragraphs : ways).push_back(text);
}

} // namespace

std::string CheckAdvice(const hydraulics::CheckRow& row, const hydraulics::DesignChecks& checks,
                        int caseNo) {
    if (row.verdict == Verdict::Unknown)
        return "其计算值无法形成，请检查输入后重算。";
    const std::string& id = row.id;
    if (id == "applicability")
        return "水面在半圆内，宜减小槽宽 B 或加大水深 h，使 h ≥ B/2。";
    if (id == "velocity") {
        if (checks.v && *checks.v < 1.0)
            return "流速偏小，槽内易淤积：宜减小过水断面（减小槽宽 B 或水深 h）或加大槽身纵坡 i。";
        return "流速偏大，槽身易冲刷：宜加大过水断面或减缓槽身纵坡 i。";
    }
    if (id == "mild_slope")
        return "槽内水流不是缓流：应减缓槽身纵坡 i（加大 x）或加大过水断面。";
    if (id == "increased_flow")
        return "加大百分数不在表 6.3.4 所列范围内，宜按表中 Q 所在行取值，或说明取值理由。";
    if (id == "freeboard" || id == "increased_freeboard")
        return "超高不足：应加高槽身（加大槽身净深 H）。";
    if (id == "net_depth")
        return caseNo == 2 ? "深宽比不在建议范围内：宜调整水深 h（槽宽随之改变）。"
                           : "深宽比不在建议范围内：宜调整槽宽 B 或水深 h。";
    if (id == "short_flume")
        return "为短槽，槽内为非均匀流：按设计流量推算水面线复核总水面降落。";
    if (id == "allowed_drop")
        return row.verdict == Verdict::Note
                   ? "渠系规划的允许水面降落尚有较多富余，可减小槽身断面或加大纵坡。"
                   : "总水面降落超过渠系规划的允许值：应加大过水断面以减小槽内流速，或减缓槽身"
                     "纵坡 i，或选用局部损失较小的渐变段形式。";
    if (id == "short_recheck")
        return "按短槽水面线复核的总水面降落超过允许值：应加大过水断面或减缓槽身纵坡 i。";
    if (id == "backwater")
        return "加大流量时上游壅水过高：宜加大槽宽 B 或槽身纵坡 i，使槽身在加大流量下的水面与"
               "上游渠道衔接。";
    if (id == "bend")
        return "弯道半径小于水面宽的 6 倍：宜加大弯道半径 r，并按凹岸水深复核超高。";
    if (id == "cold_region")
        return "槽身出口底高程不高于下游渠底：宜在槽身末端设泄水阀，以便停水后放空槽身。";
    if (id == "model_test")
        return "宜经水工模型试验验证其水力设计。";
    if (id == "head")
        return "总水面降落超过给定水头：应加大槽宽或水深后重算。";
    return "宜调整断面尺寸或槽身纵坡后重算。";
}

Conclusion ComposeConclusion(const ReportContent& content) {
    Conclusion conclusion;
    const hydraulics::Design& d = content.computed;
    if (!d.adopted) {
        conclusion.paragraphs.push_back("按实际断面未能求得可采用的断面，请检查输入后重算。");
        return conclusion;
    }
    conclusion.paragraphs.push_back(hydraulics::AdoptedBasis(d));
    if (!d.velocityNote.empty())
        conclusion.paragraphs.push_back(d.velocityNote);
    Verdicts(conclusion, d);
    std::vector<std::string> ways = hydraulics::WaysOutSentences(d);
    Recommended(d, ways, conclusion.paragraphs);
    if (!ways.empty())
        conclusion.paragraphs.push_back("修改途径（按采用断面逐一复核）：");
    Numbered(conclusion.paragraphs, ways);
    if (content.request.conclusionNote && !content.request.conclusionNote->empty())
        conclusion.paragraphs.push_back(*content.request.conclusionNote);
    conclusion.paragraphs.push_back(d.adopted->section.ok ? "采用值：" : "计算值（不得采用）：");
    conclusion.adopted = Adopted(d);
    return conclusion;
}

} // namespace report
