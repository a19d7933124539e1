// SPDX-License-Identifier: GPL-3.0-or-later
// What a project keeps in its side file "<name>us.json" for a calculation
// run without the windows (ambrelo-calc --project): the report's heading
// fields (section "report") and the canal data of the water-surface
// connection (section "connection"), each with a message where it cannot
// be used. Reading never writes: a damaged file stays as it is until a
// window saves over it.
//
// 建筑物级别 is one field: where only one of the two sections gives it, the
// other takes it (the heading shows the grade the connection is worked to,
// and the connection is worked to the grade of the heading).
#pragma once

#include "hydraulics/connection.h"
#include "project/reportidentity.h"

#include <optional>
#include <string>

namespace project {

struct SideData {
    ReportIdentity identity; // section "report"; fields not kept are empty
    // Section "connection" when it holds complete and valid canal data.
    std::optional<hydraulics::ConnectionInput> connection;
    // Whole Chinese sentences naming the file, each empty when all is well:
    // the file itself cannot be read (then neither section is), or one
    // section is damaged or, for the canal data, incomplete or wrong (then
    // the other section is read all the same).
    std::string fileProblem, reportProblem, connectionProblem;
};

// The side data of project `projectName`; a missing file gives nothing and
// no message. Never throws.
SideData ReadSideData(const std::string& projectName);

} // namespace project
