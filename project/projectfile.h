// SPDX-License-Identifier: GPL-3.0-or-later
// The project data file: one line of eight comma-separated numbers, the
// input boxes of the case window that wrote it in box order, period as
// decimal separator, CR LF at the end. Named after the project followed by
// "us.dat", relative to the current directory.
#pragma once

#include <array>
#include <string>

namespace project {

using ProjectValues = std::array<float, 8>;

// `projectName` (UTF-8, used as it stands, blanks and folders included)
// followed by "us.dat".
std::string ProjectFileName(const std::string& projectName);

// Replaces the file atomically: written to a temporary file in the same
// folder and renamed over the old one, so a failed write leaves the old
// file whole. Each number in the shortest form that reads back to the same
// single value. Throws hydraulics::CalcError(FileAccess) naming the file.
void WriteProjectFile(const std::string& projectName, const ProjectValues& values);

// Reads the first eight numbers. Blanks around numbers and LF or CR LF
// line ends are accepted; anything after the eighth number is ignored.
// Throws hydraulics::CalcError naming the file: FileNotFound, PastEndOfFile
// (fewer than eight numbers), TypeMismatch (a field that is not a number,
// with its position), FileAccess (cannot be read).
ProjectValues ReadProjectFile(const std::string& projectName);

} // namespace project
