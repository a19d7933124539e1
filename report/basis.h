// SPDX-License-Identifier: GPL-3.0-or-later
// 计算依据 of the calculation report: the standard and its clauses, the
// handbook, the ranges the roughness and the loss coefficients should lie
// in, and a remark on each input outside them.
#pragma once

#include "report/reportcontent.h"

namespace report {

// The paragraphs of the section for `request` (its n, ξ1 and ξ2 are
// inputs 6 to 8 in every case).
std::vector<Paragraph> BasisParagraphs(const ReportRequest& request);

// Table K.1.2: ξ1 and ξ2 by the form of the transition.
TextTable TransitionTable();

// The remarks on n, ξ1 and ξ2 against the ranges; empty when all fit.
std::vector<std::string> InputRemarks(float n, float xi1, float xi2);

} // namespace report
