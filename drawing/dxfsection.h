// SPDX-License-Identifier: GPL-3.0-or-later
// The flume's cross-section as a CAD drawing: to scale in millimetres, the
// inside of the U (semicircle of diameter B, walls up to the net depth H),
// the water surfaces at the design and the increased discharge, the
// critical depth, the dimensions B, H, h, h加 and the radius B/2, the
// labels, a title with the scale the annotations are sized for, and a note
// saying which section it is.
#pragma once

#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"

#include <optional>
#include <string>

namespace drawing {

struct DxfSheet;

// Which section the drawing shows, said in its note.
enum class SectionKind {
    Calculated, // 计算断面: B and h as the case found them, H of the design checks
    Adopted,    // 采用断面: the figures the designer adopts (rounded B, H)
};

// Everything the section drawing needs, in metres. Whoever has a section
// fills it, through SectionOf below: the calculated section or the
// adopted one.
struct DxfSection {
    double B = 0;               // width, the semicircle's diameter
    double h = 0;               // design depth, from the invert
    double H = 0;               // net depth: the walls' top above the invert (at least h)
    std::optional<double> hInc; // depth at the increased discharge; drawn up to H
    std::optional<double> hc;   // critical depth; drawn up to H
    SectionKind kind = SectionKind::Calculated;
    std::string title; // project and case, "渡槽一（情况 1）"; may be empty
};

// The section of width B and depth h: H and h加 of `checks`, critical
// depth `hc` (where H is not formed, the larger of h and B/2; the others
// are left out where not formed).
DxfSection SectionOf(double B, double h, const hydraulics::DesignChecks& checks,
                     std::optional<double> hc, SectionKind kind, std::string title);

// The scale 1:N the section's annotations are sized for: the first of
// 1:10, 1:20, 1:25, 1:30, 1:40, 1:50, 1:75, 1:100 … at which it fits 80 mm.
double SectionScale(const DxfSection& section);

// Draws `section` on `sheet` with the invert at the origin. Throws
// std::invalid_argument (a Chinese message) when B or h is not a positive
// finite number.
void AddSection(DxfSheet& sheet, const DxfSection& section);

} // namespace drawing
