// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportcontent.h"

#include "hydraulics/cases.h"
#include "hydraulics/headloss.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"
#include "hydraulics/searches.h"
#include "report/basis.h"
#include "report/checktable.h"
#include "report/conclusion.h"
#include "report/connectionsection.h"
#include "report/reporttext.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace report {

using hydraulics::FormatSingle;
using hydraulics::ProjectState;

std::string TrialNumber(float value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                         std::chars_format::fixed);
    if (ec == std::errc() && std::isfinite(value)) {
        int digits = 0;
        bool leading = true;
        for (const char* p = buffer; p != end; ++p) {
            if (*p < '0' || *p > '9')
                continue;
            leading = leading && *p == '0';
            digits += leading ? 0 : 1;
        }
        if (digits <= 12)
            return std::string(buffer, end);
    }
    return hydraulics::FormatSingleExact(value);
}

namespace {

// A figure of a table as a checker writes it: lengths, depths and losses
// to the millimetre, discharges to 0.001 m³/s.
std::string Fixed(double value, int decimals = 3) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

constexpr int kScanTrials = 20; // whole metres 1..20 before the halving

// The state a trial leaves: what the trial tables show of it.
struct Trial {
    float B, h, Qc; // width, depth (m) and the discharge they carry (m³/s)
    float Z2, x, K; // case 2: friction loss (m), slope 1/x, local loss K (m)
    float trialB;   // case 2: the width search's last, unrounded trial width (m)
};

// The width search of a case-2 trial leaves B to the centimetre; its last
// trial width, whose section K comes from, is found by running the same
// search again on a copy of the state.
float LastTrialWidth(const ProjectState& m) {
    ProjectState copy = m;
    float last = m.ChannelWidth;
    try {
        hydraulics::WidthSearch(
            copy, [] {}, [&](const ProjectState& s) { last = s.ChannelWidth; });
    } catch (const std::exception&) {
    }
    return last;
}

Trial Snapshot(const ProjectState& m, int caseNo) {
    return {m.ChannelWidth,
            m.BasicData[hydraulics::PosH],
            m.CalcDischarge,
            m.FrictionLoss,
            m.BasicData[hydraulics::PosX],
            m.NetLocalLoss,
            caseNo == 2 ? LastTrialWidth(m) : m.ChannelWidth};
}

std::string Direction(double value, double target) {
    return value > target ? "偏大" : value < target ? "偏小" : "相等";
}

// Cases 1 and 3: whole metres until a trial carries more than Q (at most
// 20), then steps of 1/2^k m; the relative error is the searches' own.
TextTable DischargeTrials(const std::vector<Trial>& trials, float Q, bool width, bool met) {
    TextTable table;
    table.header = {"序号",
                    "步长 (m)",
                    width ? "槽宽 B (m)" : "水深 h (m)",
                    "流量 Q_{c} (m³/s)",
                    "相对误差 |1 − Q/Q_{c}|",
                    "判定"};
    bool scanning = true;
    int halvings = 0;
    for (std::size_t k = 0; k < trials.size(); ++k) {
        const Trial& t = trials[k];
        std::string step = "整米";
        if (!scanning)
            step = "1/" + std::to_string(1L << ++halvings);
        else if (t.Qc > Q || k + 1 == kScanTrials)
            scanning = false;
        const bool last = met && k + 1 == trials.size();
        table.rows.push_back({std::to_string(k + 1), step, TrialNumber(width ? t.B : t.h),
                              Fixed(t.Qc),
                              FormatSingle(hydraulics::RelativeDischargeError(Q, t.Qc)),
                              last ? "满足" : Direction(t.Qc, Q)});
    }
    if (met)
        table.markedRow = static_cast<int>(trials.size()) - 1;
    return table;
}

// Case 2: the friction loss halves towards the given head Z; each trial's
// width search gives B (to the centimetre) and K.
TextTable SlopeTrials(const std::vector<Trial>& trials, float Z, bool met) {
    TextTable table;
    table.header = {"序号",       "Z_{2} (m)", "纵坡 i",        "试算槽宽 B′ (m)",
                    "槽宽 B (m)", "K (m)",     "Z_{2} + K (m)", "|Z_{2} + K − Z| (m)",
                    "判定"};
    for (std::size_t k = 0; k < trials.size(); ++k) {
        const Trial& t = trials[k];
        const double sum = static_cast<double>(t.Z2) + t.K;
        const bool last = met && k + 1 == trials.size();
        // x = L/Z₂ to 0.1, the deviation to 0.1 mm beside its 2 mm.
        table.rows.push_back({std::to_string(k + 1), Fixed(t.Z2), "1/" + Fixed(t.x, 1),
                              TrialNumber(t.trialB), Fixed(t.B, 2), Fixed(t.K), Fixed(sum),
                              Fixed(std::fabs(sum - Z), 4), last ? "满足" : Direction(sum, Z)});
    }
    if (met)
        table.markedRow = static_cast<int>(trials.size()) - 1;
    return table;
}

// Case 4: the one evaluation of the given section.
TextTable DirectEvaluation(const ProjectState& m) {
    const float B = m.ChannelWidth, h = m.BasicData[hydraulics::PosH];
    const std::string branch = static_cast<double>(B) / 2 > h ? "水面在半圆内" : "水面在直墙段";
    return {{"项目", "符号", "数值", "单位"},
            {{"槽宽", "B", Fixed(B), "m"},
             {"槽内水深", "h", Fixed(h), "m"},
             {"断面公式", "", branch, ""},
             {"过水断面面积", "A", Fixed(m.FlowArea), "m²"},
             {"湿周", "P", Fixed(m.WettedPerimeter), "m"},
             {"水力半径", "R", Fixed(m.HydraulicRadius), "m"},
             {"流量", "Q", Fixed(m.BasicData[hydraulics::PosQ]), "m³/s"}},
            -1};
}

// The section the losses use: case 1 the width found, case 2 the width
// search's last trial before the centimetre, case 3 the last trial depth.
std::string LossSection(int caseNo, const std::vector<Trial>& trials) {
    if (trials.empty() || caseNo == 4)
        return "A";
    const Trial& t = trials.back();
    if (caseNo == 2)
        return "A（试算槽宽 B′ = " + TrialNumber(t.trialB) + " m）";
    if (caseNo == 3)
        return "A（试算水深 h = " + TrialNumber(t.h) + " m）";
    return "A（槽宽 B = " + TrialNumber(t.B) + " m）";
}

// The chain of the water-surface drops as the engine forms it, each to the
// millimetre (the results round the same values).
TextTable LossChain(const ProjectState& m, const std::string& section) {
    const float v = hydraulics::FlumeVelocity(m);
    return {
        {"项目", "公式", "计算值", "单位"},
        {{"过水断面面积", section, Fixed(m.FlowArea), "m²"},
         {"槽内流速", "v = Q/A", Fixed(v), "m/s"},
         {"Z_{1} 与 Z_{3} 之差", "K = (ξ_{1} + ξ_{2})(v² − V²)/2g", Fixed(m.NetLocalLoss), "m"},
         {"槽身段水面降落", "Z_{2} = L/x", Fixed(m.FrictionLoss), "m"},
         {"总水面降落", "Z = Z_{2} + K", Fixed(m.TotalLoss), "m"},
         {"进口段水面降落", "Z_{1} = (1 + ξ_{1})K/(ξ_{1} + ξ_{2})", Fixed(m.InletLoss), "m"},
         {"出口段水面回升", "Z_{3} = (1 − ξ_{2})K/(ξ_{1} + ξ_{2})", Fixed(m.OutletRecovery), "m"}},
        -1};
}

// Which width or depth the losses use where the result is rounded, and
// what negative losses mean.
std::vector<std::string> LossNotes(int caseNo, const std::vector<Trial>& trials,
                                   const ProjectState& m) {
    std::vector<std::string> notes;
    if (caseNo == 2 && !trials.empty())
        notes.push_back(
            "水面降落按满足精度的试算槽宽 B′ = " + TrialNumber(trials.back().trialB) +
            " m 的过水断面计算；试算槽宽取至厘米为槽宽 B = " + Fixed(m.ChannelWidth, 2) +
            " m 后不再重算 K。按取整后的槽宽复算，Z_{1}、Z_{3} 有毫米级的差别。");
    if (caseNo == 3 && !trials.empty())
        notes.push_back("水面降落按满足精度的试算水深 h = " + TrialNumber(trials.back().h) +
                        " m 的过水断面计算；成果中的水深为其取至厘米之值，取整后不再重算。");
    if (m.NetLocalLoss < 0)
        notes.push_back("槽内流速小于渠道流速，K、Z_{1}、Z_{3} 为负值：进口处水面回升"
                        "（进口段水面降落为负），出口处水面降落（出口段水面回升为负）。");
    return notes;
}

// A quantity as the report names it: "槽身纵坡" for the slope, "允许水头
//损失" for case 2's given head, and the digit of Z1, ξ1 as a subscript.
std::string Caption(const hydraulics::Quantity& q) {
    if (q.symbol == "x")
        return "槽身纵坡";
    if (std::string_view(q.caption) == "水头")
        return "允许总水面降落";
    return std::string(q.caption);
}

std::string Symbol(const hydraulics::Quantity& q) {
    std::string display(q.display);
    if (q.symbol == "x")
        return "i";
    if (display.size() > 1 && display.back() >= '0' && display.back() <= '9')
        return display.substr(0, display.size() - 1) + "_{" + display.back() + "}";
    return display;
}

TextTable InputTable(const hydraulics::CaseInfo& info, const std::array<float, 8>& inputs) {
    TextTable table{{"名称", "符号", "数值", "单位"}, {}, -1};
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        const hydraulics::Quantity& q = info.inputNames[k];
        const bool slope = q.symbol == "x";
        // Lengths, depths, drops, discharges and velocities to three
        // decimals; n, ξ and the slope's x as stored.
        const bool measured = !q.unit.empty();
        table.rows.push_back({Caption(q), Symbol(q),
                              slope      ? "1/" + FormatSingle(inputs[k])
                              : measured ? Fixed(inputs[k])
                                         : FormatSingle(inputs[k]),
                              std::string(q.unit)});
    }
    return table;
}

TextTable ResultTable(const hydraulics::CaseInfo& info, const hydraulics::ResultTexts& texts) {
    TextTable table{{"名称", "符号", "数值", "单位"}, {}, -1};
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const hydraulics::Quantity& q = info.results[k];
        const bool slope = q.symbol == "x"; // the window shows the box after "1/"
        table.rows.push_back(
            {Caption(q), Symbol(q), slope ? "1/" + texts[k] : texts[k], std::string(q.unit)});
    }
    return table;
}

TextTable ElementTable(const hydraulics::HydraulicElements& e) {
    TextTable table{{"名称", "符号", "数值", "单位"}, {}, -1};
    for (const hydraulics::ElementRow& row : hydraulics::ElementRows(e)) {
        const std::string symbol(row.symbol);
        table.rows.push_back({std::string(row.name), symbol == "hc" ? "h_{c}" : symbol,
                              hydraulics::FormatElement(row.value), std::string(row.unit)});
    }
    table.rows.push_back({"流态", "", std::string(hydraulics::RegimeText(e.regime)), ""});
    table.rows.push_back({"水面位置", "", std::string(hydraulics::SurfaceText(e.surface)), ""});
    return table;
}

TextTable TrialTable(int caseNo, const std::vector<Trial>& trials, const ProjectState& m,
                     const ReportRequest& request) {
    switch (caseNo) {
    case 1:
        return DischargeTrials(trials, m.BasicData[hydraulics::PosQ], true, true);
    case 2:
        return SlopeTrials(trials, request.inputs[3], true); // the given head Z is input 4
    case 3:
        return DischargeTrials(trials, m.BasicData[hydraulics::PosQ], false, true);
    default:
        return DirectEvaluation(m);
    }
}

} // namespace

ReportContent ComposeReport(const ReportRequest& request) {
    const hydraulics::CaseInfo& info = hydraulics::Case(request.caseNo);
    ProjectState m; // fresh: nothing of an earlier calculation reaches this one
    m.ProjectName = request.projectName;
    m.CaseNo = static_cast<float>(request.caseNo);
    std::vector<Trial> trials;
    const hydraulics::ResultTexts texts = hydraulics::CalculateCase(
        m, request.caseNo, request.inputs,
        [&](const ProjectState& state) { trials.push_back(Snapshot(state, request.caseNo)); });

    ReportContent content;
    content.request = request;
    // The p of the checks: the one given, else the end of table 6.3.4's
    // row the region takes, else the larger value.
    const hydraulics::DesignPoint point = hydraulics::FromCase(m, request.caseNo);
    content.increaseChoice = request.increasePercent ? IncreaseChoice::Given
                             : request.region        ? IncreaseChoice::Region
                                                     : IncreaseChoice::Default;
    if (!request.increasePercent && std::isfinite(point.Q) && point.Q > 0)
        content.request.increasePercent =
            hydraulics::RegionalIncreasePercent(point.Q, request.region);
    content.caseCaption = std::string(info.caption);
    content.inputs = InputTable(info, request.inputs);
    content.basis = BasisParagraphs(request);
    content.trialMethod = TrialMethod(request.caseNo);
    content.trials = TrialTable(request.caseNo, trials, m, request);
    content.losses = LossChain(m, LossSection(request.caseNo, trials));
    content.lossNotes = LossNotes(request.caseNo, trials, m);
    content.totalLoss = m.TotalLoss;
    content.results = ResultTable(info, texts);
    hydraulics::DesignRequest design{request.caseNo, request.inputs, request.conditions,
                                     request.connection, true};
    // The case just run for its trials is the design's: it is not run again.
    design.outcome = hydraulics::SucceededOutcome(m, request.caseNo, request.inputs, texts);
    design.conditions.increasePercent = content.request.increasePercent;
    design.conditions.region = request.region;
    design.recommend = true; // the conclusion's last way out, or a cheaper section
    content.computed = hydraulics::ComputeDesign(design);
    content.design = point;
    content.elements = ElementTable(content.computed.elements);
    content.designChecks = content.computed.checks;
    content.checks = CheckTable(content.computed.rows);
    ComposeConnection(content);
    content.conclusion = ComposeConclusion(content);
    return content;
}

} // namespace report
