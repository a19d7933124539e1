// SPDX-License-Identifier: GPL-3.0-or-later
// The longitudinal profile of the flume in its canals as a CAD drawing:
// upstream canal, inlet transition, flume, outlet transition, downstream
// canal; their beds, the water surface at the design discharge and at the
// increased discharge (the backwater traced up the flume), ∇₃, ∇₁, ∇₂, ∇₄
// and the canals' water levels as elevation marks with their values, the
// lengths L₁, L and L₂ as dimensions. Lengths are to scale (millimetres,
// as the section); elevations are drawn `exaggeration` times larger, and
// the title says both scales.
#pragma once

#include "drawing/dxfsheet.h"
#include "hydraulics/connection.h"

#include <string>

namespace drawing {

// Vertical over horizontal scale: 10 draws heights ten times larger.
inline constexpr double kDefaultExaggeration = 10;
inline constexpr double kMinExaggeration = 1;
inline constexpr double kMaxExaggeration = 100;

struct DxfProfile {
    hydraulics::Connection connection;
    double h = 0; // the flume's design depth, m
    double L = 0; // the flume's length, m
    double exaggeration = kDefaultExaggeration;
    std::string title; // project and case; may be empty
};

// The horizontal scale 1:N its annotations are sized for: the first of
// 1:50, 1:100, 1:200, 1:250, 1:500, 1:1000 … at which it fits 400 mm (an
// A3 sheet across).
double ProfileScale(const DxfProfile& profile);

// The room left between the section and the profile, drawing units.
double ProfileGap(const DxfProfile& profile);

// Draws `profile` on `sheet`, the upstream end of its lowest bed at
// `origin`. Where the elevations are not formed a note says so instead.
// Throws std::invalid_argument for an exaggeration outside 1 to 100.
void AddProfile(DxfSheet& sheet, const DxfProfile& profile, DxfPoint origin);

} // namespace drawing
