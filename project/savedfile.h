// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and naming files the way every file of Ambrelo is written: the
// project file, the calculation report, the SVG drawing.
#pragma once

#include <QString>
#include <string>
#include <string_view>

class QFileDevice;

namespace project {

// `fileName` (UTF-8) as a path. The system ends a name at a NUL: "a\0b"
// would name the file "a" and replace whatever has that name, so such a
// name is refused. Throws hydraulics::CalcError(FileAccess).
QString LocalPath(const std::string& fileName);

// True when `fileName` ends in `extension` (".pdf"; ASCII letters in any
// case) after at least one character of a name: "a/.pdf" names no file.
bool HasExtension(std::string_view fileName, std::string_view extension);

// The system's reason for the last failure of `file` in Chinese, "（没有权限）",
// or empty. Call it right after the failure (it reads errno).
std::string SystemReason(const QFileDevice& file);

// Replaces `fileName` with `data` atomically: written to a temporary file
// in the same folder, synced, and renamed over the old file, so a failure
// at any step leaves the old file whole and no temporary file behind.
// Throws hydraulics::CalcError(FileAccess) naming the file.
void SaveAtomically(const std::string& fileName, std::string_view data);

} // namespace project
