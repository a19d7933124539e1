// SPDX-License-Identifier: GPL-3.0-or-later
// The adopted figures of a design as one table, the same in the report's
// 结论, the section window and the command line's text, and the ways out
// of a design that fails its checks in words.
#pragma once

#include "hydraulics/design.h"

#include <string>
#include <vector>

namespace hydraulics {

struct AdoptedRow {
    std::string name;   // 槽宽
    std::string symbol; // B
    std::string text;   // "1.92"; "1/801" for the slope
    std::string unit;   // "m", "" for a pure number
};

// B (to the design step), H (to the centimetre), h, i = 1/x, Q, Q加 and
// h加, the backwater's largest depth, Z or ΔZ with [ΔZ] and its margin,
// ∇₁–∇₄ and the flume top at both ends, L₁, L₂ and the transition form.
// Empty without an adopted section.
std::vector<AdoptedRow> AdoptedRows(const Design& design);

// "采用值" for a section that meets every rule, else "计算值（不得采用）".
std::string AdoptedLabel(const Design& design);

// The exact solution the width was rounded from, in one sentence
// ("按实际断面精确求解的槽宽 B* = 1.911735 m，按设计步长 0.01 m 向上取整为 1.92 m。").
std::string AdoptedBasis(const Design& design);

// The ways out in sentences: each boundary ("槽内水深 h ≤ 1.430 m 时深宽比满足要求"),
// then the nearest value on the design step that meets every check with its
// figures, or that none does. Empty when there are none to give.
std::vector<std::string> WaysOutSentences(const Design& design);

// Decimals a width on `step` takes: 2 for 0.01 m, 3 for 0.001 or 0.005 m.
int StepDecimals(double step);

} // namespace hydraulics
