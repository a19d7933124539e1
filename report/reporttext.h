// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed prose of the calculation report: the formulas as the engine
// evaluates them beside the handbook's forms, and how each case's search
// runs. Texts may hold "_{…}" and "^{…}" for sub- and superscripts and
// "[a|b]" for the fraction a over b (its parts plain text).
#pragma once

#include <string>
#include <vector>

namespace report {

struct Paragraph {
    // Formula: set apart and numbered (式 1, 式 2, …) in order of the
    // document; Table: where the section's own table stands.
    enum class Kind { Subheading, Text, Formula, Table };
    Kind kind;
    std::string text;
};

// 计算公式: section geometry (both branches), Manning's formula, the
// head-loss chain in the handbook's form and in the engine's, rounding,
// and how the elements and checks stand beside the results.
std::vector<Paragraph> FormulaParagraphs();

// How the search of case `caseNo` (1..4) runs and how its table reads.
std::string TrialMethod(int caseNo);

} // namespace report
