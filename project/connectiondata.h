// SPDX-License-Identifier: GPL-3.0-or-later
// The canal data of the water-surface connection as JSON: the form of an
// `ambrelo-calc --connection` file and of the side file's "connection"
// section (the window keeps its transition forms there as well).
//
//   {"upstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000, "bed": 100.0},
//    "downstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000},
//    "allowed_drop": 0.3, "inlet_angle": 14.5, "outlet_angle": 9.5,
//    "grade": 4, "bend_radius": null,
//    "support": "beam", "tie_rod_depth": null, "cold_region": false}
//
// b, m ≥ 0 (not both 0), n > 0, x > 0, bed any number: required.
// allowed_drop ≥ 0 and bend_radius > 0 may be null or left out; the angles
// (11–18°, 8–11°) and the grade (an integer 1–5) may be left out for their
// defaults. support, tie_rod_depth and cold_region are the design
// conditions of project/designdata.h and may be left out. Keys not named
// here are passed over.
#pragma once

#include "hydraulics/connection.h"
#include "project/designdata.h"

#include <QJsonObject>
#include <optional>
#include <string>

namespace project {

struct ConnectionRead {
    std::optional<hydraulics::ConnectionInput> input; // empty when a key is wrong
    std::string key;     // the first wrong key, "upstream.n"; empty for the file itself
    std::string problem; // a whole sentence in Chinese naming the key
    // What the wrong key needs, "须为大于 0 的数", for a window's own words.
    std::string requirement;
    bool gradeGiven = false;  // "grade" stood in the data (else the default 4)
    ConditionKeys conditions; // support, tie_rod_depth and cold_region where given
};

// Reads the canal data from `object`. Never throws.
ConnectionRead ReadConnection(const QJsonObject& object);

// Reads the file `path` (UTF-8 name). A file that is missing, unreadable or
// no JSON object gives a problem naming the file. Never throws.
ConnectionRead ReadConnectionFile(const std::string& path);

// The canal data kept in project `projectName`'s side file (section
// "connection"); empty when there are none, they are incomplete or the file
// cannot be read. The grade is the report's 建筑物级别 (section "report")
// where one is kept there, the section's own only where not (older files).
// Never throws.
std::optional<hydraulics::ConnectionInput> SavedConnection(const std::string& projectName);

// `input` in the form ReadConnection reads; null for an absent optional.
QJsonObject ConnectionJson(const hydraulics::ConnectionInput& input);

} // namespace project
