// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/connectionrows.h"

#include <cmath>

namespace hydraulics {
namespace {

std::optional<double> Percent(const std::optional<double>& ratio) {
    return ratio ? std::optional<double>(*ratio * 100) : std::nullopt;
}

ConnectionGroup DesignGroup(const Connection& c) {
    const ConnectionDesign& d = c.design;
    const ConnectionLevels& e = c.levels;
    return {"设计流量",
            {{"上游渠道正常水深", "h₁", "m", d.h1},
             {"上游渠道流速", "v₁", "m/s", d.v1},
             {"下游渠道正常水深", "h₂", "m", d.h2},
             {"下游渠道流速", "v₂", "m/s", d.v2},
             {"槽内流速", "v", "m/s", d.v},
             {"进口渐变段长度", "L₁", "m", d.L1},
             {"出口渐变段长度", "L₂", "m", d.L2},
             {"进口水面降落", "Z₁", "m", d.Z1},
             {"槽身沿程水面降落", "Z₂", "m", d.Z2},
             {"出口水面回升", "Z₃", "m", d.Z3},
             {"总水面降落", "ΔZ", "m", d.drop},
             {"上游渠底高程", "∇₃", "m", e.bedUpstream},
             {"槽身进口底高程", "∇₁", "m", e.bedInlet},
             {"槽身出口底高程", "∇₂", "m", e.bedOutlet},
             {"下游渠底高程", "∇₄", "m", e.bedDownstream},
             {"上游水位", "∇₃+h₁", "m", e.levelUpstream},
             {"下游水位", "∇₄+h₂", "m", e.levelDownstream}}};
}

ConnectionGroup IncreasedGroup(const Connection& c) {
    const ConnectionIncreased& r = c.increased;
    return {"加大流量",
            {{"加大百分数", "p", "%", r.percent},
             {"加大流量", "Q加", "m³/s", r.Q},
             {"上游渠道正常水深", "h₁加", "m", r.h1},
             {"下游渠道正常水深", "h₂加", "m", r.h2},
             {"下游水位", "∇₄+h₂加", "m", r.levelDownstream},
             {"槽身出口水深", "h出", "m", r.outletDepth},
             {"槽身进口水深", "h进", "m", r.inletDepth},
             {"槽中最大水深", "h_max", "m", r.maxDepth},
             {"最大水深加安全超高", "h_max+0.10", "m", r.maxDepthClearance},
             {"上游渠道所需水深", "h₁需", "m", r.requiredH1},
             {"上游壅高", "Δh₁", "m", r.rise},
             {"壅高与水深之比", "Δh₁/h₁加", "%", Percent(r.ratio)}}};
}

CheckRow DropCheck(const Connection& c) {
    const std::string requirement = c.allowedDrop
                                        ? "ΔZ ≤ [ΔZ] = " + FormatElement(c.allowedDrop) + " m"
                                        : "ΔZ ≤ [ΔZ]（未给出 [ΔZ]）";
    return {"总水面降落", CheckFigure("ΔZ", c.design.drop, "m"), requirement,
            "GB 50288-2018 第 9.4.1 条、附录 K.1.2", c.design.dropOk};
}

CheckRow RiseCheck(const Connection& c) {
    const ConnectionIncreased& r = c.increased;
    std::string value =
        JoinFigures({CheckFigure("Δh₁", r.rise, "m"), CheckFigure("Δh₁/h₁加", Percent(r.ratio), "%")});
    if (r.steep)
        value = "槽身在加大流量下为陡坡，不推算水面线";
    return {"加大流量壅水", value, "Δh₁/h₁加 宜为 1%～3%，不超过 3%", "GB 50288-2018 第 9.4.1 条",
            r.ok};
}

CheckRow ClearanceCheck(const Connection& c) {
    const ConnectionIncreased& r = c.increased;
    return {"槽中最大水深",
            JoinFigures({CheckFigure("h_max", r.maxDepth, "m"), CheckFigure("h_max+0.10", r.maxDepthClearance, "m"),
                  CheckFigure("H", r.netDepth, "m")}),
            "槽身净深 H ≥ h_max + 0.10 m", "GB 50288-2018 第 9.4.1 条", r.clearanceOk};
}

} // namespace

std::vector<ConnectionGroup> ConnectionGroups(const Connection& c) {
    std::vector<ConnectionGroup> groups{DesignGroup(c), IncreasedGroup(c)};
    if (c.bend)
        groups.push_back({"弯道",
                          {{"弯道半径", "r", "m", c.bend->radius},
                           {"横向水面差", "Δh", "m", c.bend->superelevation},
                           {"凹岸最大水深", "h+Δh/2", "m", c.bend->largestDepth},
                           {"半径与水面宽之比", "r/T", "", c.bend->radiusRatio}}});
    return groups;
}

std::vector<CheckRow> ConnectionChecks(const Connection& c) {
    std::vector<CheckRow> rows{DropCheck(c), RiseCheck(c), ClearanceCheck(c)};
    rows.push_back({"长槽判别", CheckFigure("L/h₁", c.shortRatio), "L ≥ 15h₁ 为长槽，否则为短槽",
                    "GB 50288-2018 附录 K.1.1、K.1.2", c.longFlume});
    if (c.bend)
        rows.push_back(
            {"弯道半径",
             JoinFigures({CheckFigure("Δh", c.bend->superelevation, "m"), CheckFigure("r/T", c.bend->radiusRatio)}),
             "r ≥ 6T", "GB 50288-2018 第 9.2.2 条、附录 K.1.4", c.bend->ok});
    return rows;
}

const std::array<TransitionForm, kTransitionFormCount>& TransitionForms() {
    static constexpr std::array<TransitionForm, kTransitionFormCount> kForms = {{
        {"曲线形反弯扭曲面", 0.1, 0.1, 0.2, 0.2},
        {"直线形扭曲面", 0.05, 0.3, 0.3, 0.5},
        {"圆弧直墙", 0.2, 0.2, 0.5, 0.5},
        {"八字形", 0.3, 0.3, 0.5, 0.5},
        {"直角形", 0.4, 0.4, 0.75, 0.75},
    }};
    return kForms;
}

double InletCoefficient(const TransitionForm& form) {
    return form.inletHigh;
}

double OutletCoefficient(const TransitionForm& form) {
    return form.outletHigh;
}

std::string ConnectionLine(const ElementRow& row) {
    std::string line(row.name);
    line.append(" ").append(row.symbol);
    if (!row.unit.empty())
        line.append(" (").append(row.unit).append(")");
    return line + ": " + FormatElement(row.value);
}

} // namespace hydraulics
