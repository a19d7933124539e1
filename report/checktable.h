// Section 六 of the report, the design checks of the flume against
// GB 50288-2018, as a ruled table.
#pragma once

#include "hydraulics/elements.h"
#include "report/reportcontent.h"

namespace report {

// 项目, 计算值, 要求, 依据, 结论 of design point `point` for flume length L
// (m), one row per check of hydraulics::CheckRows.
TextTable CheckTable(const hydraulics::DesignPoint& point, double L);

} // namespace report
