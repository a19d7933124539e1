// SPDX-License-Identifier: GPL-3.0-or-later
// The four calculation cases.
//
//   1  Q, L, h, x, V, n, ξ1, ξ2  →  Z, Z1, Z2, Z3, B     (width search)
//   2  Q, L, h, Z, V, n, ξ1, ξ2  →  Z1, Z2, Z3, B, x     (slope search)
//   3  Q, L, B, x, V, n, ξ1, ξ2  →  Z, Z1, Z2, Z3, h     (depth search)
//   4  h, L, B, x, V, n, ξ1, ξ2  →  Z, Z1, Z2, Z3, Q     (direct)
//
// Inputs are in box order, which is also the order of the project file.
// The last result is always the quantity the case solves for.
#pragma once

#include "hydraulics/projectstate.h"
#include "hydraulics/searches.h"

#include <array>
#include <string>
#include <string_view>

namespace hydraulics {

// A ProjectState field that an input box stands for.
enum class Field { Q, L, h, x, V, n, Xi1, Xi2, TotalLoss, ChannelWidth };

float& FieldRef(ProjectState& m, Field field);
float FieldValue(const ProjectState& m, Field field);

// How a quantity is named on screen.
struct Quantity {
    std::string_view symbol;  // ASCII symbol: "Q", "xi1", "Z1"
    std::string_view caption; // Chinese caption: "流量"
    std::string_view display; // symbol as printed: "Q", "ξ1", "1/x"
    std::string_view unit;    // "m³/s", "m", or empty
};

struct CaseInfo {
    int number;                         // 1..4
    std::array<Field, 8> inputs;        // field behind Text1..Text8
    std::array<Quantity, 8> inputNames; // in box order
    std::array<Quantity, 5> results;    // Text9..Text13
    // As the main window's case table: "计算槽宽及水头损失".
    std::string_view caption;
};

constexpr int kCaseCount = 4;

// The description of case 1..4; throws std::out_of_range otherwise.
const CaseInfo& Case(int number);

using ResultTexts = std::array<std::string, 5>;

// Runs the solver of case `number` on the inputs already stored in `m`
// and returns the five result texts in Text9..Text13 order. Throws
// CalcError for an arithmetic fault and NotConverged when the search does
// not meet its tolerance; then no result is formed. `trace` sees every
// trial of the case's search (none for case 4) and changes nothing.
ResultTexts SolveCase(ProjectState& m, int number, const SearchTrace& trace = {});

// Stores the eight inputs (box order) where the case keeps them, then
// SolveCase.
ResultTexts CalculateCase(ProjectState& m, int number, const std::array<float, 8>& inputs,
                          const SearchTrace& trace = {});

// The individual solvers, as SolveCase calls them.
ResultTexts SolveChannelWidth(ProjectState& m, const SearchTrace& trace = {});  // case 1
ResultTexts SolveWidthAndSlope(ProjectState& m, const SearchTrace& trace = {}); // case 2
ResultTexts SolveDepth(ProjectState& m, const SearchTrace& trace = {});         // case 3
ResultTexts SolveDischarge(ProjectState& m);                                    // case 4

} // namespace hydraulics
