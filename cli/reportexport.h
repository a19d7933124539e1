// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report (计算书) of one calculation of the command line,
// written by the same routine as the section window's button.
#pragma once

#include "hydraulics/connection.h"
#include "hydraulics/regionincrease.h"
#include "project/reportidentity.h"

#include <array>
#include <optional>
#include <string>

namespace cli {

// True when `path` ends in .pdf or .odt (any case): the report's formats.
bool IsReportFileName(const std::string& path);

// Writes the report of case `caseNumber` on `inputs` (box order, as
// stored) for project `projectName` (may be empty), its design checks at
// `increasePercent` (empty: table 6.3.4's default), with the heading
// fields `identity` and the section 水面衔接与高程 when `connection` is
// given, p picked by `region` where `increasePercent` is empty, to `path`,
// PDF or ODT
// by its extension. Returns an empty string when the file is written,
// otherwise the Chinese message of the failure; then no file is left.
// Runs in a GuiSession; this build may have no report at all (no desktop
// build), which is a failure too.
std::string WriteCalcReport(const std::string& path, const std::string& projectName, int caseNumber,
                            const std::array<float, 8>& inputs,
                            std::optional<double> increasePercent,
                            const project::ReportIdentity& identity,
                            const std::optional<hydraulics::ConnectionInput>& connection = {},
                            std::optional<hydraulics::Region> region = {});

} // namespace cli
