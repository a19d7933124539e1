// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the report a checker looks for besides the figures: the
// symbols and their units, what the quoted results stand for in the
// standard's terms, and the basis of the increase p.
#pragma once

#include "report/reportcontent.h"

#include <string>
#include <vector>

namespace report {

// 符号说明: 符号, 名称, 单位; with the canals' symbols where `connection`.
TextTable SymbolTable(bool connection);

// The sentence before the results table (表 `table`): the figures are the
// case window's, and which standard term each window caption stands for.
std::string ResultsNote(int caseNo, int table);

// The basis of p in the checks: its row of table 6.3.4, the rule
// 湿润地区取小值、干旱地区取大值 and which end (or the given p) is taken.
std::vector<std::string> IncreaseBasis(const ReportContent& content);

// A percentage as a checker writes it: "30", "27.5", "2.375".
std::string PercentText(double value);

} // namespace report
