// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as text: the forms shown in the result boxes and written to the
// project file, and the period-decimal reading of the command line.
#pragma once

#include <string>
#include <string_view>

namespace hydraulics {

// Reads a number written with a period as decimal separator: optional
// blanks, an optional sign, digits with an optional fraction, an optional
// exponent (e or E, optional sign, digits), optional blanks. No group
// separators, no "inf" or "nan". Empty or any other text is a type mismatch
// naming `quantity`; a value beyond single range is an overflow naming it.
float ParseSingle(std::string_view text, std::string_view quantity);

// True when `text` has the grammar ParseSingle accepts (range not checked).
bool IsDecimalNumber(std::string_view text);

// Shortest general form with up to 7 significant digits: 1.912109375 shows
// as "1.912109", 0.71 as "0.71". Exponent form ("1E-05", "3.402823E+38")
// below 1E-04 and from 1E+07 up in magnitude. Minus zero shows as "0".
std::string FormatSingle(float value);

// Shortest general form that reads back to the same single value (7, 8 or
// 9 significant digits); for a value read from seven-digit text that is
// its seven-digit form. Used by the project file.
std::string FormatSingleExact(float value);

// Shortest general form with up to 15 significant digits, as above.
std::string FormatDouble(double value);

} // namespace hydraulics
