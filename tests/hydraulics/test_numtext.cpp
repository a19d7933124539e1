// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as text: the shown and stored forms. (The reading is checked by
// the mistyped-input table of test_regionalnumber, the command line's runs
// and the fuzz target's comparison with strtod.)
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"

#include <gtest/gtest.h>

namespace {

using namespace hydraulics;

// The stored form of the value read, or the kind of the error naming the quantity.
std::string Read(const std::string& text) {
    try {
        return FormatSingleExact(ParseSingle(text, "流量 Q"));
    } catch (const CalcError& e) {
        return e.subject() == "流量 Q" ? std::string(ErrorKindId(e.kind())) : "unnamed";
    }
}

// Seven digits in the shortest general form; the stored form keeps a
// seven-digit value's text and takes the digits others need.
TEST(FormatSingle, ShownAndStoredForms) {
    // clang-format off
    const std::pair<float, const char*> rows[] = {
        {1.912109375f, "1.912109"}, {0.002527237f, "0.002527237"}, {-0.0f, "0"}, {0.0001f, "0.0001"},
        {1e-5f, "1E-05"}, {-1.5e-5f, "-1.5E-05"}, {9999999, "9999999"}, {1e7f, "1E+07"},
        {12345678, "1.234568E+07"}, {3.4028235e38f, "3.402823E+38"}, {9.9999999f, "10"}};
    // clang-format on
    for (const auto& [value, text] : rows)
        EXPECT_EQ(FormatSingle(value), text);
    EXPECT_EQ(FormatDouble(1.0 / 3) + " " + FormatDouble(1e15), "0.333333333333333 1E+15");
    for (const char* text : {"0.014", "1.912109", "771.0842", "-0.0123", "1E-05", "4"})
        EXPECT_EQ(Read(text), text);
    EXPECT_EQ(FormatSingleExact(1.912109375f) + " " + FormatSingleExact(3.4028235e38f),
              "1.9121094 3.4028235E+38");
}

} // namespace
