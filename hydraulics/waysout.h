// SPDX-License-Identifier: GPL-3.0-or-later
// Ways out of a design whose adopted section does not meet its checks:
// the case's free input (the depth h in cases 1 and 2, the width B in
// cases 3 and 4) moved, the others kept.
//
//   boundaries  for each check not met, the value of the free input where
//               it starts to be met, bisected to 0.1 mm and stated to the
//               millimetre on the safe side ("h ≤ 1.430 m"). The free input
//               is scanned in steps of 2 % out to ±50 % for a value that
//               meets the check; the nearest such side is bisected.
//   nearest     the value on the design step nearest the typed one whose
//               adopted section meets every rule and every
//               recommendation, within ±50 % (of a vast value, among the
//               2,000 step values nearest it), with that section (case 4:
//               the discharge it carries).
#pragma once

#include "hydraulics/adopted.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace hydraulics {

struct CheckBoundary {
    std::string id;   // the check, as its row's id
    std::string item; // 深宽比
    bool upper;       // the check is met for values up to `bound`, else from it
    double bound;     // m, to the millimetre
};

struct WaysOut {
    std::size_t variable = 2; // box index of the free input
    double current = 0;       // its typed value, m
    std::vector<CheckBoundary> boundaries;
    std::vector<std::string> unbounded; // checks no value within ±50 % meets
    std::optional<double> nearest;      // m, on the design step
    std::optional<AdoptedSection> section;
};

WaysOut FindWaysOut(const FlumeInputs& f, const DesignConditions& conditions,
                    const std::optional<ConnectionInput>& canals, const VerifiedSection& current);

// The value of the free input of `f` (h or B) and `f` with it replaced.
double FreeInput(const FlumeInputs& f);
FlumeInputs WithFreeInput(FlumeInputs f, double value);

} // namespace hydraulics
