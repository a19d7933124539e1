// SPDX-License-Identifier: GPL-3.0-or-later
// The report's section 水面衔接与高程: the canal data, the formulas of the
// water-surface connection (GB 50288-2018 §9.2.4, §9.4.1, appendix K), its
// figures, the longitudinal profile and the verdicts. Only when the request
// carries canal data.
#pragma once

#include "report/documentbuilder.h"
#include "report/reportcontent.h"

namespace report {

// Fills content.connection, connectionFigures and connectionChecks from
// the request's canals and the design point; nothing without canals.
void ComposeConnection(ReportContent& content);

// Appends the section under the next heading number; nothing without
// content.connection.
void AddConnection(DocumentBuilder& b, const ReportContent& content);

} // namespace report
