// SPDX-License-Identifier: GPL-3.0-or-later
// A project found again by the name it was saved under. Names are used as
// typed, blanks included, so a blank left in Form1's name box makes
// " p1us.dat" where the designer later types "p1".
#pragma once

#include <optional>
#include <string>

namespace project {

// When no project file exists for `projectName`, the name of a project in
// the same folder whose file name differs from it only by blanks (spaces,
// tabs, full-width spaces) before or after the name; the first such by
// file name. Empty when the file for `projectName` exists or no near match
// does.
std::optional<std::string> NearProjectName(const std::string& projectName);

} // namespace project
