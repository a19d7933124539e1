// SPDX-License-Identifier: GPL-3.0-or-later
// The CAD drawings of a calculation (--dxf FILE): the section and, with
// --connection, the longitudinal profile beside it, as one DXF file.
#pragma once

#include "cli/calculation.h"
#include "hydraulics/connection.h"

#include <optional>
#include <string>

namespace cli {

// True when `path` ends in .dxf (any case) after a name.
bool IsDxfName(const std::string& path);

// What the drawing is made of beside the calculation.
struct DxfRequest {
    std::string path;
    int caseNumber = 0;
    std::string projectName;               // may be empty
    std::optional<double> increasePercent; // p of the design checks; empty: table 6.3.4
    std::optional<hydraulics::ConnectionInput> connection; // the profile's canals
    double exaggeration = 10;                              // of the profile's heights
};

// Writes the drawings of `outcome`, a successful calculation, to the file
// of `request`, whole or not at all. Returns an empty string when it is
// written, otherwise the Chinese message of the failure (this build may
// have no drawing library: a failure too).
std::string WriteDesignDxf(const DxfRequest& request, const Outcome& outcome);

} // namespace cli
