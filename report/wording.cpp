// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/wording.h"

#include "hydraulics/designchecks.h"
#include "hydraulics/regionincrease.h"

#include <cstdio>
#include <utility>

namespace report {

TextTable SymbolTable(bool connection) {
    TextTable table{{"符号", "名称", "单位"}, {}, -1};
    table.rows = {
        {"Q", "设计流量", "m³/s"},
        {"Q_{c}", "试算断面通过的流量", "m³/s"},
        {"B", "槽宽（U 形槽身半圆段直径）", "m"},
        {"h", "槽内水深", "m"},
        {"L", "槽身长度", "m"},
        {"i = 1/x", "槽身纵坡", ""},
        {"n", "槽身糙率", ""},
        {"V", "渠道流速", "m/s"},
        {"v", "槽内断面平均流速", "m/s"},
        {"A、P、R", "过水断面面积、湿周、水力半径", "m²、m、m"},
        {"T", "水面宽度", "m"},
        {"ξ_{1}、ξ_{2}", "进、出口局部水头损失系数", ""},
        {"Z_{1}", "进口段水面降落", "m"},
        {"Z_{2}", "槽身段水面降落", "m"},
        {"Z_{3}", "出口段水面回升", "m"},
        {"Z", "总水面降落（按渠道流速 V）", "m"},
        {"K", "进口段水面降落与出口段水面回升之差", "m"},
        {"g", "重力加速度，取 9.81", "m/s²"},
        {"h_{c}、Fr", "临界水深、弗劳德数", "m、—"},
        {"p", "加大流量的加大百分数", "%"},
        {"Q_{加}、h_{加}", "加大流量及其槽内水深", "m³/s、m"},
        {"H", "槽身净深", "m"},
    };
    if (connection) {
        const std::vector<std::vector<std::string>> canals = {
            {"h_{1}、h_{2}", "上、下游渠道正常水深", "m"},
            {"v_{1}、v_{2}", "上、下游渠道流速", "m/s"},
            {"ΔZ", "总水面降落（按上、下游渠道流速）", "m"},
            {"L_{1}、L_{2}", "进、出口渐变段长度", "m"},
            {"θ_{1}、θ_{2}", "进口收缩角、出口扩散角", "°"},
            {"J", "水力坡度", ""},
            {"∇_{1}～∇_{4}", "槽身进口、出口及上、下游渠道底高程", "m"},
            {"α_{1}", "动能修正系数，取 1.0", ""},
            {"r", "弯道中心线半径", "m"},
            {"Δh", "弯道横向水面差", "m"},
        };
        table.rows.insert(table.rows.end(), canals.begin(), canals.end());
    }
    return table;
}

std::string ResultsNote(int caseNo, int table) {
    std::string note = "表 " + std::to_string(table) +
                       " 照录计算窗口显示的成果（数值未另行取舍）。窗口中的“进口水头损失 Z1”"
                       "“沿程水头损失 Z2”“出口水位回升 Z3”";
    if (caseNo != 2)
        note += "“总水头损失 Z”";
    note += "即本计算书的进口段水面降落 Z_{1}、槽身段水面降落 Z_{2}、出口段水面回升 Z_{3}";
    if (caseNo != 2)
        note += "、总水面降落 Z";
    return note + "。";
}

std::vector<std::string> IncreaseBasis(const ReportContent& content) {
    const double Q = content.design.Q;
    const hydraulics::IncreaseRow row = hydraulics::IncreaseRange(Q);
    const std::optional<double>& p = content.request.increasePercent;
    std::string basis = "加大流量 Q_{加} = Q(1 + p/100)。加大百分数 p 按 GB 50288-2018 表 6.3.4 "
                        "取值：设计流量 " +
                        std::string(hydraulics::IncreaseRowDischarges(Q)) + " m³/s 一行为 " +
                        std::string(row.text) + " %，湿润地区取小值、干旱地区取大值。";
    const std::string value = p ? "p = " + PercentText(*p) + " %" : std::string("p —");
    switch (content.increaseChoice) {
    case IncreaseChoice::Given:
        basis += "本计算取指定值 " + value + "。";
        break;
    case IncreaseChoice::Region:
        basis += "本工程位于" + std::string(hydraulics::RegionText(*content.request.region)) +
                 "地区，取" +
                 (*content.request.region == hydraulics::Region::Humid ? "小值 " : "大值 ") +
                 value + "。";
        break;
    case IncreaseChoice::Default:
        basis += "未注明地区，取大值 " + value + "（偏于安全）。";
        break;
    }
    return {basis};
}

std::string PercentText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace report
