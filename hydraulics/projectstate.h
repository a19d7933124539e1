// SPDX-License-Identifier: GPL-3.0-or-later
// The shared project state of one Ambrelo session: the project chosen on
// the main window (name, case, new or existing), the eight inputs of its
// case window, and what the last calculation left (the five results the
// case window shows in its result boxes, Z, Z1, Z2, Z3 and B, and the
// section it evaluated last).
//
// Plain fields and nothing else. Whoever runs calculations (the desktop
// program, the command line, a test) owns one instance and hands it by
// reference to the solvers. Every single-precision field is a 4-byte IEEE
// value; each assignment rounds to single precision.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace hydraulics {

// Positions in BasicData, the same in every case (0-based here).
enum BasicDataPos : std::size_t {
    PosQ = 0,   // design discharge Q, m³/s
    PosL = 1,   // length of the flume L, m
    PosH = 2,   // water depth in the flume h, m
    PosX = 3,   // denominator x of the bed slope i = 1/x
    PosV = 4,   // velocity in the approach canal V, m/s
    PosN = 5,   // Manning's roughness n of the flume
    PosXi1 = 6, // inlet local-loss coefficient ξ1
    PosXi2 = 7, // outlet local-loss coefficient ξ2
};

struct ProjectState {
    std::string ProjectName;          // as typed on the main window, blanks kept
    float CaseNo = 0;                 // 1..4; 0 while no case is chosen
    float ProjectMode = 0;            // 1 new project, 2 existing; 0 unchosen
    std::array<float, 8> BasicData{}; // Q, L, h, x, V, n, ξ1, ξ2

    float TotalLoss = 0;       // Z, total head loss, m
    float ChannelWidth = 0;    // B, channel width, m
    float InletLoss = 0;       // Z1, inlet head loss, m
    float FrictionLoss = 0;    // Z2, friction loss along the flume, m
    float OutletRecovery = 0;  // Z3, water-level recovery at the outlet, m
    float FlowArea = 0;        // A of the section last evaluated, m²
    float WettedPerimeter = 0; // P of that section, m
    float HydraulicRadius = 0; // R = A/P of that section, m
    float NetLocalLoss = 0;    // K, inlet loss less outlet recovery, m
    float CalcDischarge = 0;   // Qc, discharge the section last evaluated carries, m³/s
};

} // namespace hydraulics
