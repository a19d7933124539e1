// SPDX-License-Identifier: GPL-3.0-or-later
// The section drawing of a calculation written as an SVG file, with the
// same drawing routine as the section window.
#pragma once

#include "hydraulics/design.h"

#include <optional>
#include <string>

namespace cli {

// False when this build has no Qt SVG module and cannot write the file.
bool SvgSupported();

// Writes the drawing of `design`, a successful calculation (its section,
// elements, checks, adopted section and curve), to `path`. Returns an
// empty string when the file is written, otherwise the Chinese message of
// the failure. Makes a
// QGuiApplication for the duration when the process has none; it runs on
// the offscreen platform unless QT_QPA_PLATFORM says otherwise, since the
// file needs no display and a display that cannot be reached would end
// the process.
std::string WriteSectionSvg(const std::string& path, const hydraulics::Design& design);

} // namespace cli
