// SPDX-License-Identifier: GPL-3.0-or-later
// 结论 of the calculation report: whether the adopted section meets every
// rule of the standard (应/不应) and recommendation (宜/不宜), what to
// change for each one it does not meet, the ways out of a failing design,
// and the table of adopted figures.
#pragma once

#include "report/reportcontent.h"

namespace report {

// What a designer does about check row `row` of case `caseNo` when it is
// not met (or is a note); a generic sentence for a check without advice.
std::string CheckAdvice(const hydraulics::CheckRow& row, const hydraulics::DesignChecks& checks,
                        int caseNo);

// The conclusion of `content`, whose design is computed.
Conclusion ComposeConclusion(const ReportContent& content);

} // namespace report
