// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report (计算书) of one calculation of the command line,
// written by the same routine as the section window's button.
#pragma once

#include "hydraulics/connection.h"
#include "hydraulics/designchecks.h"
#include "project/reportidentity.h"

#include <array>
#include <optional>
#include <string>

namespace cli {

// True when `path` ends in .pdf or .odt (any case): the report's formats.
bool IsReportFileName(const std::string& path);

// Writes the report of case `caseNumber` on `inputs` (box order, as
// stored) for project `projectName` (may be empty), its design under
// `conditions` (p, or the end of table 6.3.4's row the region picks; the
// width step, support form, tie rods, cold region and grade), with the
// heading fields `identity` and the section 水面衔接与高程 when
// `connection` is given, to `path`, PDF or ODT by its extension. Returns an empty string when the file is written,
// otherwise the Chinese message of the failure; then no file is left.
// Runs in a GuiSession; this build may have no report at all (no desktop
// build), which is a failure too.
std::string WriteCalcReport(const std::string& path, const std::string& projectName, int caseNumber,
                            const std::array<float, 8>& inputs,
                            const hydraulics::DesignConditions& conditions,
                            const project::ReportIdentity& identity,
                            const std::optional<hydraulics::ConnectionInput>& connection = {});

} // namespace cli
