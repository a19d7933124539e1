// Numbers as text: the command line's reading (beyond the mistyped-input
// table of test_regionalnumber and the fuzz target's strtod comparison),
// and the shown and stored forms.
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

TEST(ParseSingle, DecimalGrammarToTheNearestSingle) {
    const std::string tm = "type_mismatch", of = "overflow";
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"  0.014\t", "0.014"}, {".5", "0.5"}, {"7.", "7"}, {"1.5E-05", "1.5E-05"}, {"2e+2", "200"},
        {"1e-" + std::string(50, '9'), "0"}, {"0.1" + std::string(10000, '0'), "0.1"},
        {"1,5", tm}, {"--1", tm}, {".", tm}, {"1e", tm}, {"1.2.3", tm}, {"-infinity", tm},
        {"-1e39", of}, {"1e400", of}, {"1e" + std::string(50, '9'), of}};
    // clang-format on
    for (const auto& [text, read] : rows)
        EXPECT_EQ(Read(text), read) << text.substr(0, 20);
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
