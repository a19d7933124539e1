// Section 六 of the report, the design checks of the flume against
// GB 50288-2018, as a ruled table.
#pragma once

#include "hydraulics/designchecks.h"
#include "report/reportcontent.h"

namespace report {

// 项目, 计算值, 要求, 依据, 结论, one row per check of hydraulics::CheckRows.
TextTable CheckTable(const hydraulics::DesignChecks& checks);

} // namespace report
