// SPDX-License-Identifier: GPL-3.0-or-later
// The CAD drawings of a calculation (--dxf FILE): the section and, with
// --connection, the longitudinal profile beside it, as one DXF file.
#pragma once

#include "hydraulics/design.h"

#include <optional>
#include <string>

namespace cli {

// True when `path` ends in .dxf (any case) after a name.
bool IsDxfName(const std::string& path);

// Where the drawing goes and how it is titled.
struct DxfRequest {
    std::string path;
    std::string projectName;  // may be empty
    double exaggeration = 10; // of the profile's heights
};

// Writes the drawings of `design` (the adopted section, the profile with
// canal data), a successful calculation, to the file of `request`, whole
// or not at all. Returns an empty string when it is written, otherwise the
// Chinese message of the failure (this build may have no drawing library:
// a failure too).
std::string WriteDesignDxf(const DxfRequest& request, const hydraulics::Design& design);

} // namespace cli
