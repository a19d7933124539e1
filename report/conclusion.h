// SPDX-License-Identifier: GPL-3.0-or-later
// 结论 of the calculation report: whether the design meets every design
// check, what to change for each one it does not meet, and the figures to
// adopt.
#pragma once

#include "report/reportcontent.h"

namespace report {

// What a designer does about check row `row` of case `caseNo` when it is
// not met (or is a note); a generic sentence for a check without advice.
std::string CheckAdvice(const hydraulics::CheckRow& row, const hydraulics::DesignChecks& checks,
                        int caseNo);

// The conclusion of `content`, whose design checks and results are filled.
Conclusion ComposeConclusion(const ReportContent& content);

} // namespace report
