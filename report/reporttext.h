// The fixed prose of the calculation report: the formulas of section 二 as
// the engine evaluates them, the clauses of the design checks, and how
// each case's search runs.
#pragma once

#include <string>
#include <vector>

namespace report {

struct Paragraph {
    enum class Kind { Subheading, Text, Formula };
    Kind kind;
    std::string text;
};

// 二、计算依据与公式: section geometry (both branches), Manning's formula,
// the head-loss chain with its constants, rounding, and the clauses of
// GB 50288-2018 behind the design checks.
std::vector<Paragraph> BasisParagraphs();

// How the search of case `caseNo` (1..4) runs and how its table reads.
std::string TrialMethod(int caseNo);

} // namespace report
