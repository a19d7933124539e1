// SPDX-License-Identifier: GPL-3.0-or-later
// Section 六 of the report, the design checks of the flume against
// GB 50288-2018, as a ruled table.
#pragma once

#include "hydraulics/designchecks.h"
#include "report/reportcontent.h"

namespace report {

// 项目, 计算值, 要求, 依据, 结论, one row per check of hydraulics::CheckRows.
// "x_c" of the engine's check texts as "x_{c}", a true subscript.
std::string WithSubscripts(const std::string& text);

TextTable CheckTable(const hydraulics::DesignChecks& checks);
// The same table of any check rows (the water-surface connection's).
TextTable CheckTable(const std::vector<hydraulics::CheckRow>& rows);

} // namespace report
