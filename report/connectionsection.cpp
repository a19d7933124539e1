// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/connectionsection.h"

#include "hydraulics/adoptedrows.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/elements.h"
#include "report/checktable.h"
#include "report/wording.h"

#include <cstdio>

namespace report {
namespace {

// In the report's markup: "_{…}" and "^{…}" sub- and superscripts, "[a|b]"
// a fraction.
// The inlet and outlet drops: grades 1–3 with the transitions' friction
// (K.1.2-1), grades 4 and 5 without it.
const char* const kFrictionFormulas[] = {
    "L_{1} = [T₁ − T|2tan θ₁]，L_{2} = [T₂ − T|2tan θ₂]，T_{1}、T_{2} = b + 2mh",
    "J = n²v²/R^{4/3}，J_{1−2}、J_{3−4} 取渐变段两端断面 J 的平均值",
    "Z_{1} = (1 + ξ_{1})[v² − v₁²|2g] + J_{1−2}L_{1}",
    "Z_{3} = (1 − ξ_{2})[v² − v₂²|2g] − J_{3−4}L_{2}",
};
const char* const kPlainFormulas[] = {
    "L_{1} = [T₁ − T|2tan θ₁]，L_{2} = [T₂ − T|2tan θ₂]，T_{1}、T_{2} = b + 2mh",
    "Z_{1} = (1 + ξ_{1})[v² − v₁²|2g]",
    "Z_{3} = (1 − ξ_{2})[v² − v₂²|2g]",
};
const char* const kFormulas[] = {
    "ΔZ = Z_{1} + Z_{2} − Z_{3}，Z_{2} = iL",
    "∇_{1} = ∇_{3} + h_{1} − Z_{1} − h，∇_{2} = ∇_{1} − iL，∇_{4} = ∇_{2} + h + Z_{3} − h_{2}",
    "[dh|dx] = [i − J|1 − Fr²]",
    "Δh = [α₁v²|g·r]·[A|h]，α_{1} = 1.0，r ≥ 6T",
};

std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    return buffer;
}

// Lengths and elevations to the millimetre, angles to 0.1°.
std::string Fixed(double value, int decimals = 3) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Canal(const hydraulics::Canal& c) {
    return "b = " + Fixed(c.b) + " m，m = " + Number(c.m) + "，n = " + Number(c.n) + "，i = 1/" +
           Number(c.x);
}

std::string DataText(const hydraulics::ConnectionInput& in, const ReportRequest& request) {
    return "上游渠道：" + Canal(in.upstream) + "，渠底高程 ∇_{3} = " + Fixed(in.upstreamBed) +
           " m。下游渠道：" + Canal(in.downstream) + "。渠系规划允许水面降落 [ΔZ] = " +
           (in.allowedDrop ? Fixed(*in.allowedDrop) + " m" : std::string("未给出")) +
           "；进口收缩角 θ_{1} = " + Fixed(in.inletAngle, 1) +
           "°，出口扩散角 θ_{2} = " + Fixed(in.outletAngle, 1) + "°；建筑物级别 " +
           std::to_string(in.grade) + " 级；弯道半径 r = " +
           (in.bendRadius ? Fixed(*in.bendRadius) + " m" : std::string("—（直槽）")) +
           "。槽身 ξ_{1} = " + Number(request.inputs[hydraulics::PosXi1]) +
           "，ξ_{2} = " + Number(request.inputs[hydraulics::PosXi2]) + "（同基本资料）。";
}

TextTable FiguresTable(const hydraulics::Connection& c) {
    TextTable table{{"项目", "符号", "数值", "单位"}, {}, -1};
    for (const hydraulics::ConnectionGroup& group : hydraulics::ConnectionGroups(c)) {
        table.rows.push_back({std::string(group.title), "", "", ""});
        for (const hydraulics::ElementRow& r : group.rows) {
            const bool percent = std::string_view(r.unit) == "%";
            table.rows.push_back(
                {std::string(r.name), WithSubscripts(std::string(r.symbol)),
                 percent && r.value ? PercentText(*r.value) : hydraulics::FormatElement(r.value),
                 std::string(r.unit)});
        }
    }
    return table;
}

} // namespace

void ComposeConnection(ReportContent& content) {
    if (!content.request.connection)
        return;
    const hydraulics::Connection* c = content.computed.connection();
    if (!c)
        return;
    content.connection = *c;
    content.connectionFigures = FiguresTable(*content.connection);
    content.connectionChecks = CheckTable(hydraulics::ConnectionChecks(*content.connection));
}

void AddConnection(DocumentBuilder& b, const ReportContent& content) {
    if (!content.connection)
        return;
    b.heading("水面衔接与高程");
    b.paragraph("依据 GB 50288-2018 第 9.2.4、9.4.1 条及附录 K，按水面衔接确定槽身进出口与下游"
                "渠道的底高程，并复核加大流量时的上游壅水。");
    b.paragraph(DataText(*content.request.connection, content.request));
    const hydraulics::Design& d = content.computed;
    if (d.adopted)
        b.paragraph("以下按采用断面计算（见结论）：" + hydraulics::AdoptedBasis(d));
    if (!d.velocityNote.empty())
        b.paragraph(d.velocityNote);
    b.paragraph("计算公式", Paragraph::Kind::Subheading);
    const bool friction = content.connection->grade >= 1 && content.connection->grade <= 3;
    b.paragraph(
        std::string("h_{1}、h_{2} 为上、下游渠道（梯形断面）按曼宁公式求得的正常水深，"
                    "v_{1}、v_{2} 为其流速，v 为槽内流速。") +
        (friction ? "本建筑物为 " + std::to_string(content.connection->grade) +
                        " 级，按附录 K.1.2 式（K.1.2-1）计入进、出口渐变段的沿程水头损失 "
                        "J·L，J 为水力坡度。"
                  : std::string("4、5 级建筑物不计渐变段的沿程水头损失。")) +
        "Z_{1} 为进口段水面降落，Z_{2} 为槽身段水面降落，Z_{3} 为出口段水面回升，ΔZ 为总水面"
        "降落，应等于或略小于渠系规划的允许水面降落 [ΔZ]。弯道横向水面差式中 α_{1} 为"
        "动能修正系数，取 1.0；r 为弯道中心线半径。");
    if (friction)
        for (const char* formula : kFrictionFormulas)
            b.paragraph(formula, Paragraph::Kind::Formula);
    else
        for (const char* formula : kPlainFormulas)
            b.paragraph(formula, Paragraph::Kind::Formula);
    for (const char* formula : kFormulas)
        b.paragraph(formula, Paragraph::Kind::Formula);
    b.paragraph(
        "加大流量 Q_{加} = Q(1 + p/100) 时，由下游水位 ∇_{4} + h_{2加} 定槽身出口水深（低于"
        "临界水深时取临界水深），按上式向上游推算槽内水面线，再由 ∇_{3} + h_{1需} = "
        "∇_{1} + h_{进} + Z_{1} 求上游渠道所需水深；壅高 Δh_{1} = h_{1需} − h_{1加} 宜不超过 "
        "h_{1加} 的 1%～3%。长槽：L ≥ 15h_{1}；短槽按设计流量以同法推算水面线，复核总水面"
        "降落 ΔZ′ = ∇_{3} + h_{1需} − (∇_{4} + h_{2})。");
    b.paragraph("计算成果", Paragraph::Kind::Subheading);
    b.paragraph("水面衔接计算成果见表 " + std::to_string(b.nextTable()) + "，纵断面见图 " +
                std::to_string(b.nextFigure()) + "。");
    b.table(content.connectionFigures, {40, 20, 24, 16}, "水面衔接计算成果");
    b.figure(Figure::Profile, 1.0,
             QStringLiteral("纵断面示意（高程按比例，长度不按比例；实线为设计流量水面，"
                            "虚线为加大流量水面）"));
    b.paragraph("校核", Paragraph::Kind::Subheading);
    b.table(content.connectionChecks, {13, 22, 24, 31, 10}, "水面衔接校核");
}

} // namespace report
