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
             {"进口段水面降落", "Z₁", "m", d.Z1},
             {"槽身段水面降落", "Z₂", "m", d.Z2},
             {"出口段水面回升", "Z₃", "m", d.Z3},
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
             {"上游渠道所需水深", "h₁需", "m", r.requiredH1},
             {"上游壅高", "Δh₁", "m", r.rise},
             {"壅高与水深之比", "Δh₁/h₁加", "%", Percent(r.ratio)}}};
}

const std::string kStandard = "GB 50288-2018 ";

CheckRow DropCheck(const Connection& c) {
    const ConnectionDesign& d = c.design;
    if (!c.allowedDrop)
        return {"总水面降落",
                CheckFigure("ΔZ", d.drop, "m"),
                "ΔZ 应等于或略小于 [ΔZ]（未给出 [ΔZ]）",
                kStandard + "附录 K.1.2",
                Verdict::Unknown,
                CheckLevel::Info,
                "allowed_drop"};
    std::string value =
        DecidingFigure("ΔZ", d.drop, *c.allowedDrop, true, d.dropOk != Verdict::NotMet, "m");
    if (d.dropOk == Verdict::Note && d.dropMargin)
        value += "，富余 " + FixedText(*d.dropMargin, 3) + " m（" +
                 FixedText(*d.dropMargin / *c.allowedDrop * 100, 0) +
                 " %），可减小槽身断面或加大纵坡";
    return {"总水面降落",
            value,
            "ΔZ 应等于或略小于 [ΔZ] = " + FixedText(*c.allowedDrop, 3) + " m",
            kStandard + "第 9.4.1 条第 3 款、附录 K.1.2",
            d.dropOk,
            CheckLevel::Shall,
            "allowed_drop"};
}

CheckRow RiseCheck(const Connection& c) {
    const ConnectionIncreased& r = c.increased;
    const bool met = r.ok != Verdict::NotMet;
    std::string value = JoinFigures(
        {CheckFigure("Δh₁", r.rise, "m"),
         DecidingFigure("Δh₁/h₁加", Percent(r.ratio), kMaxRiseRatio * 100, true, met, "%")});
    if (r.steep)
        value = "槽身在加大流量下为陡坡，不推算水面线";
    return {"加大流量壅水",
            value,
            "上游壅水高度不宜超过槽前上游渠道水深的 1%～3%",
            kStandard + "第 9.4.1 条第 3 款",
            r.ok,
            CheckLevel::Should,
            "backwater"};
}

CheckRow RecheckRow(const Connection& c) {
    const ConnectionRecheck& k = *c.recheck;
    const bool allowed = c.allowedDrop.has_value();
    return {"短槽水面线复核",
            allowed
                ? DecidingFigure("ΔZ′", k.drop, *c.allowedDrop, true, k.ok != Verdict::NotMet, "m")
                : CheckFigure("ΔZ′", k.drop, "m"),
            "短槽按设计流量的水面线复核总水面降落：ΔZ′ ≤ [ΔZ]",
            kStandard + "附录 K.1.2",
            k.ok,
            allowed ? CheckLevel::Shall : CheckLevel::Info,
            "short_recheck"};
}

CheckRow BendCheck(const Connection& c) {
    const ConnectionBend& b = *c.bend;
    return {"弯道半径",
            JoinFigures({CheckFigure("Δh", b.superelevation, "m"),
                         DecidingFigure("r/T", b.radiusRatio, kMinBendRadiusWidths, false,
                                        b.ok != Verdict::NotMet)}),
            "弯道半径宜不小于水面宽度的 6 倍：r ≥ 6T",
            kStandard + "第 9.2.2 条、附录 K.1.4",
            b.ok,
            CheckLevel::Should,
            "bend"};
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
    std::vector<CheckRow> rows{DropCheck(c)};
    if (c.recheck)
        rows.push_back(RecheckRow(c));
    rows.push_back(RiseCheck(c));
    if (c.bend)
        rows.push_back(BendCheck(c));
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

const TransitionForm* FormOfCoefficients(double xi1, double xi2) {
    constexpr double kSlack = 1e-9;
    const auto holds = [&](const TransitionForm& f) {
        return xi1 >= f.inletLow - kSlack && xi1 <= f.inletHigh + kSlack &&
               xi2 >= f.outletLow - kSlack && xi2 <= f.outletHigh + kSlack;
    };
    const TransitionForm* found = nullptr;
    for (const TransitionForm& form : TransitionForms()) {
        const bool single = form.inletLow == form.inletHigh && form.outletLow == form.outletHigh;
        if (holds(form) && (single || !found))
            found = &form;
        if (found == &form && single)
            return found;
    }
    return found;
}

std::string ConnectionLine(const ElementRow& row) {
    std::string line(row.name);
    line.append(" ").append(row.symbol);
    if (!row.unit.empty())
        line.append(" (").append(row.unit).append(")");
    return line + ": " + FormatElement(row.value);
}

} // namespace hydraulics
