// SPDX-License-Identifier: GPL-3.0-or-later
// 建筑物级别 is one field of a project, shown by the 计算书信息 dialog and
// by the connection window alike: the report identity's "grade" in the
// side file's section "report". The connection section keeps no grade of
// its own; an older file whose connection section has one and whose report
// section has none still gives it.
#pragma once

#include <string>

namespace project {

// The grade kept for `projectName`, "1".."5", or empty where none is.
std::string KeptGrade(const std::string& projectName);

// Keeps `grade` (1..5) as the project's, the report's other fields as they
// are. Throws hydraulics::CalcError naming the file when it cannot be
// written.
void KeepGrade(const std::string& projectName, int grade);

} // namespace project
