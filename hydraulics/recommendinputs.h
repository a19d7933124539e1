// SPDX-License-Identifier: GPL-3.0-or-later
// "采用" of a recommended section: the case window's inputs the section
// fixes, so that the case window, calculating them, adopts that very
// section (its width on the design step and its slope), the other inputs
// as typed.
//
//   case 1 (Q, L, h, x → B)  h and x: h the section's normal depth at Q
//          written with seven significant digits and rounded UP, so that
//          the exact width carrying Q at that depth is not above B and
//          rounds up to it; the depth verified is again the normal depth.
//   case 2 (Q, L, h, Z → B, x)  h rounded DOWN, so that the slope at which
//          B carries Q at that depth is not flatter than 1/x and rounds up
//          to it, and the head Z the section uses, rounded UP (the exact
//          width for it is then not above B): the case's own loss at B, or
//          the drop ΔZ where that is larger and still gives B.
//   case 3 (Q, L, B, x → h)  B and x as they are.
//   case 4 (h, L, B, x → Q)  B, x and h, the depth at which the section
//          carries the discharge searched with, rounded UP (the flume
//          carries at least that discharge).
//
// Each filling is verified as the case window calculates it (AdoptSection
// of the filled inputs): `reproduces` says the adopted width and slope are
// the section's, `feasible` that they meet every check there.
#pragma once

#include "hydraulics/recommend.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace hydraulics {

struct InputFill {
    std::size_t index; // box index 0..7
    std::string text;  // period-decimal, seven significant digits at most
};

struct Adoption {
    std::vector<InputFill> fills;
    std::array<float, 8> inputs{}; // the case's inputs with the fills stored
    bool reproduces = false;
    bool feasible = false;
};

Adoption AdoptionOf(const RecommendInput& input, const VerifiedSection& section);

// What the case window will show after the filling where that is not the
// section chosen meeting every check, in a sentence; empty where it is.
std::string AdoptionNote(const RecommendInput& input, const Adoption& adoption);

// `value` written with at most seven significant digits, the decimal not
// below it (`up`) or not above it, as a box stores it.
std::string SevenDigits(double value, bool up);

} // namespace hydraulics
