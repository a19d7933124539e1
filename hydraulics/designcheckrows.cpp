// SPDX-License-Identifier: GPL-3.0-or-later
// The design checks as rows: figures, the requirement in the clause's own
// words (应/不应 a rule, 宜/不宜 a recommendation) and the clause.
#include "hydraulics/designchecks.h"

namespace hydraulics {
namespace {

const std::string kStandard = "GB 50288-2018 ";

constexpr double kMinVelocity = 1.0, kMaxVelocity = 2.5; // m/s
constexpr double kMaxDepthRatio = 0.9, kMinDepthRatio = 0.7;

bool IsMet(Verdict verdict) {
    return verdict == Verdict::Met;
}

CheckRow Applicability(const DesignChecks& c) {
    return {"适用条件",
            CheckFigure("h/B", c.depthRatio),
            c.straightWalls ? "h ≥ B/2" : "任意水深",
            c.straightWalls ? "情况 1、2 的直墙公式" : "按实际断面计算",
            c.applicability,
            CheckLevel::Shall,
            "applicability"};
}

CheckRow Velocity(const DesignChecks& c) {
    // The figure shows the digits that decide against the nearer limit.
    const bool low = c.v && *c.v < (kMinVelocity + kMaxVelocity) / 2;
    return {
        "设计流速",
        DecidingFigure("v", c.v, low ? kMinVelocity : kMaxVelocity, !low, IsMet(c.velocity), "m/s"),
        "宜为 1.0～2.5 m/s",
        kStandard + "第 9.4.1 条第 1 款",
        c.velocity,
        CheckLevel::Should,
        "velocity"};
}

CheckRow MildSlope(const DesignChecks& c) {
    return {"缓坡",
            JoinFigures({DecidingFigure("Fr", c.Fr, 1, true, !c.Fr || *c.Fr < 1),
                         CheckFigure("x_c", c.criticalSlopeX)}),
            "应为缓坡：Fr < 1，i < i_c（x > x_c）",
            kStandard + "第 9.4.1 条第 1 款",
            c.mildSlope,
            CheckLevel::Shall,
            "mild_slope"};
}

CheckRow Increase(const DesignChecks& c) {
    return {"加大流量",
            JoinFigures({CheckFigure("p", c.increasePercent, "%", true),
                         CheckFigure("Q加", c.Qinc, "m³/s"), CheckFigure("h加", c.hinc, "m")}),
            "p 取 " + std::string(c.increaseRow.text) + " %",
            kStandard + "表 6.3.4",
            c.increase,
            CheckLevel::Info,
            "increased_flow"};
}

std::string SurfaceSymbol(const DesignChecks& c, bool increased) {
    if (increased) {
        const double s = c.increasedSurface.value_or(0);
        if (c.bendDepth && *c.bendDepth == s && c.bendDepth != c.hinc)
            return "h+Δh/2";
        if (c.backwaterDepth && *c.backwaterDepth == s && c.backwaterDepth != c.hinc)
            return "h_max";
        return "h加";
    }
    return c.bendDepth ? "h+Δh/2" : "h";
}

CheckRow Freeboard(const DesignChecks& c) {
    const std::string s = SurfaceSymbol(c, false);
    const std::optional<double>& share = c.freeboardRequired;
    return {"设计流量超高",
            JoinFigures({CheckFigure("H", c.H, "m"),
                         DecidingFigure("H − " + s, c.freeboard, share.value_or(0), false,
                                        IsMet(c.freeboardOk), "m"),
                         CheckFigure("B/10", share, "m")}),
            "H − " + s + " 不应小于槽身直径的 1/10（B/10）",
            kStandard + "第 9.4.1 条第 2 款",
            c.freeboardOk,
            CheckLevel::Shall,
            "freeboard"};
}

CheckRow IncreasedFreeboard(const DesignChecks& c) {
    const std::string s = SurfaceSymbol(c, true);
    const std::string top = c.tieRodDepth ? "拉杆底" : "槽顶";
    std::string value = CheckFigure(s, c.increasedSurface, "m");
    if (c.tieRodDepth)
        value = JoinFigures({value, CheckFigure("d", c.tieRodDepth, "m")});
    const std::string gap = c.tieRodDepth ? "H − d − " + s : "H − " + s;
    value = JoinFigures(
        {value, DecidingFigure(gap, c.increasedClearance, 0.10, false, IsMet(c.increasedOk), "m")});
    return {"加大流量超高",
            value,
            "加大流量时水面距" + top + "不应小于 0.10 m",
            kStandard + "第 9.4.1 条第 2 款",
            c.increasedOk,
            CheckLevel::Shall,
            "increased_freeboard"};
}

CheckRow DepthRatio(const DesignChecks& c) {
    const bool beam = c.support == SupportForm::Beam;
    const bool low = beam && c.ratio && *c.ratio < (kMinDepthRatio + kMaxDepthRatio) / 2;
    return {"深宽比",
            JoinFigures({CheckFigure("H", c.H, "m"),
                         DecidingFigure("H/B", c.ratio, low ? kMinDepthRatio : kMaxDepthRatio, !low,
                                        IsMet(c.depthRatioOk))}),
            beam ? "梁式渡槽 U 形槽身的深宽比宜采用 0.7～0.9"
                 : "拱式渡槽 U 形槽身的深宽比宜不大于 0.9",
            kStandard + "第 9.3.3 条第 4 款",
            c.depthRatioOk,
            CheckLevel::Should,
            "net_depth"};
}

CheckRow Length(const DesignChecks& c) {
    CheckRow row{"长槽与短槽",
                 CheckFigure(c.lengthByCanal ? "L/h₁" : "L/h", c.lengthRatio),
                 c.lengthByCanal ? "L ≥ 15h₁ 为长槽，否则为短槽"
                                 : "L ≥ 15h 为长槽，否则为短槽（无渠道资料，按槽内水深近似）",
                 kStandard + "附录 K.1.1",
                 c.longFlume,
                 CheckLevel::Info,
                 "short_flume"};
    if (c.longFlume != Verdict::Unknown)
        row.label = c.longFlume == Verdict::Met ? "长槽" : "短槽";
    return row;
}

CheckRow ColdRegion(const DesignChecks& c) {
    const bool beds = c.bedOutlet && c.bedDownstream;
    return {"寒冷地区泄水",
            beds ? JoinFigures({CheckFigure("∇₂", c.bedOutlet, "m"),
                                CheckFigure("∇₄", c.bedDownstream, "m")})
                 : "无渠道资料，未比较 ∇₂ 与 ∇₄",
            "寒冷或严寒地区，槽身出口底高程 ∇₂ 宜高于下游渠底 ∇₄，否则宜在槽身末端设泄水阀",
            kStandard + "第 9.4.1 条第 4 款",
            c.drains,
            beds ? CheckLevel::Should : CheckLevel::Info,
            "cold_region"};
}

CheckRow ModelTest(const DesignChecks& c) {
    return {"水工模型试验",
            "建筑物级别 " + std::to_string(c.grade.value_or(0)) + " 级",
            "1 级、2 级渡槽的水力设计宜经水工模型试验验证",
            kStandard + "第 9.4.2 条",
            Verdict::Note,
            CheckLevel::Info,
            "model_test"};
}

} // namespace

std::vector<CheckRow> CheckRows(const DesignChecks& c) {
    std::vector<CheckRow> rows{Applicability(c), Velocity(c),           MildSlope(c),  Increase(c),
                               Freeboard(c),     IncreasedFreeboard(c), DepthRatio(c), Length(c)};
    if (c.coldRegion)
        rows.push_back(ColdRegion(c));
    if (c.grade && *c.grade >= 1 && *c.grade <= 2)
        rows.push_back(ModelTest(c));
    return rows;
}

} // namespace hydraulics
