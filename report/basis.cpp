// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/basis.h"

#include "hydraulics/numtext.h"

namespace report {
namespace {

using Kind = Paragraph::Kind;

// Table K.1.2 of GB 50288-2018: inlet ξ1 and outlet ξ2 from…to.
struct Transition {
    const char* form;
    double xi1Low, xi1High, xi2Low, xi2High;
};
constexpr Transition kTransitions[] = {
    {"曲线形反弯扭曲面", 0.1, 0.1, 0.2, 0.2}, {"直线形扭曲面", 0.05, 0.3, 0.3, 0.5},
    {"圆弧直墙", 0.2, 0.2, 0.5, 0.5},         {"八字形", 0.3, 0.3, 0.5, 0.5},
    {"直角形", 0.4, 0.4, 0.75, 0.75},
};
constexpr double kMinConcreteN = 0.013, kMaxConcreteN = 0.015, kMinMasonryN = 0.017;
constexpr double kSlack = 1e-6; // the single value of 0.015 is a hair above it

bool Within(double value, double low, double high) {
    return value >= low - kSlack && value <= high + kSlack;
}

std::string Range(const char* low, const char* high) {
    return std::string(low) + (std::string(low) == high ? "" : std::string("～") + high);
}

std::string Text(float value) {
    return hydraulics::FormatSingle(value);
}

} // namespace

TextTable TransitionTable() {
    TextTable table{{"渐变段形式", "进口 ξ_{1}", "出口 ξ_{2}"}, {}, -1};
    table.rows = {{"曲线形反弯扭曲面", "0.1", "0.2"},
                  {"直线形扭曲面", Range("0.05", "0.3"), Range("0.3", "0.5")},
                  {"圆弧直墙", "0.2", "0.5"},
                  {"八字形", "0.3", "0.5"},
                  {"直角形", "0.4", "0.75"}};
    return table;
}

std::vector<std::string> InputRemarks(float n, float xi1, float xi2) {
    std::vector<std::string> remarks;
    const std::string nText = "n = " + Text(n);
    if (n < kMinConcreteN - kSlack)
        remarks.push_back(nText + " 小于钢筋混凝土槽身的常用范围（0.013～0.015），偏于不安全。");
    else if (n > kMaxConcreteN + kSlack && n < kMinMasonryN - kSlack)
        remarks.push_back(nText + " 大于钢筋混凝土槽身的常用范围（0.013～0.015），"
                                  "又小于砌石槽身的下限 0.017。");
    else if (n >= kMinMasonryN - kSlack)
        remarks.push_back(nText + " 大于钢筋混凝土槽身的常用范围（0.013～0.015），"
                                  "仅适用于砌石槽身（≥ 0.017）。");
    std::string form;
    for (const Transition& t : kTransitions)
        if (form.empty() && Within(xi1, t.xi1Low, t.xi1High) && Within(xi2, t.xi2Low, t.xi2High))
            form = t.form;
    const std::string pair = "ξ_{1} = " + Text(xi1) + "、ξ_{2} = " + Text(xi2);
    if (form.empty())
        remarks.push_back(pair +
                          " 不在表 K.1.2 所列任一种渐变段形式的范围内，请核对进、出口形式。");
    return remarks;
}

std::vector<Paragraph> BasisParagraphs(const ReportRequest& request) {
    std::vector<Paragraph> p{
        {Kind::Subheading, "1. 标准"},
        {Kind::Text,
         "GB 50288-2018《灌溉与排水工程设计标准》，所用条文：第 6.3.4 条（加大流量的"
         "加大百分数）；第 9.2.2 条（弯道半径）；第 9.3.3 条第 4 款（U 形槽身深宽比）；"
         "第 9.4.1 条（第 1 款槽内设计流速与纵坡，第 2 款槽顶超高，第 3 款总水面降落与"
         "上游壅水，第 4 款寒冷地区泄水）；第 9.4.2 条（水工模型试验）；附录 K 第 K.1.1 条"
         "（糙率，长槽与短槽）、第 K.1.2 条（进、出口局部水头损失系数，进、出口段水面降落与"
         "回升）、第 K.1.4 条（弯道）。条文用词“应”“不应”表示规定，“宜”“不宜”表示建议。"},
        {Kind::Subheading, "2. 手册"},
        {Kind::Text, "武汉水利电力学院水力学教研室编《水力计算手册》，北京：水利电力出版社，"
                     "1983（计算窗口所称“武汉水院《水力计算手册》”）。渡槽进口段水面降落及出口段"
                     "水面回升按能量方程式，采用该手册建议方法计算。"},
        {Kind::Subheading, "3. 输入数值的常用范围"},
        {Kind::Text, "糙率 n（第 K.1.1 条）：钢筋混凝土槽身 0.013～0.015，砌石槽身不小于 0.017。"},
        {Kind::Text, "进、出口局部水头损失系数 ξ_{1}、ξ_{2}，按渐变段形式取值（GB 50288-2018 "
                     "表 K.1.2）："},
    };
    const std::array<float, 8>& in = request.inputs;
    const std::vector<std::string> remarks = InputRemarks(in[5], in[6], in[7]);
    p.push_back({Kind::Table, ""});
    if (remarks.empty())
        p.push_back({Kind::Text, "本计算的 n = " + Text(in[5]) + "、ξ_{1} = " + Text(in[6]) +
                                     "、ξ_{2} = " + Text(in[7]) + " 均在上述范围内。"});
    for (const std::string& remark : remarks)
        p.push_back({Kind::Text, "注：" + remark});
    return p;
}

} // namespace report
