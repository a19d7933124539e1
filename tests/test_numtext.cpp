// Numbers as text: reading a typed value, and the shown and stored forms.
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace {

using namespace hydraulics;
constexpr float kMax = std::numeric_limits<float>::max();

// The error ParseSingle raises for `text`, if it names the quantity.
std::string Rejection(const std::string& text) {
    try {
        ParseSingle(text, "流量 Q");
    } catch (const CalcError& e) {
        return e.subject() == "流量 Q" ? std::string(ErrorKindId(e.kind())) : "unnamed";
    }
    return "accepted";
}

TEST(ParseSingle, ReadsTheDecimalGrammarToTheNearestSingle) {
    using R = std::pair<std::string, float>;
    for (const auto& [text, value] :
         {R{"4", 4}, R{"  0.014\t", 0.014f}, R{"+1.5", 1.5f}, R{"-2.5", -2.5f}, R{".5", 0.5f},
          R{"7.", 7}, R{"1.5E-05", 1.5e-5f}, R{"2e+2", 200}, R{"3.4028235e38", kMax}, R{"1e-50", 0},
          R{"1e-" + std::string(50, '9'), 0}, R{"0.1" + std::string(10000, '0'), 0.1f},
          R{"0." + std::string(10000, '0') + "1", 0}}) {
        EXPECT_EQ(ParseSingle(text, "Q"), value) << text.substr(0, 20);
        EXPECT_TRUE(IsDecimalNumber(text)) << text.substr(0, 20);
    }
}

TEST(ParseSingle, RejectsTextThatIsNoNumber) {
    for (const char* text : {"", " ", "abc", "1.5m", "1,5", "1 000", "--1", ".", "+", "1e", "e5",
                             "1.2.3", "inf", "-infinity", "nan", "0x10"}) {
        EXPECT_EQ(Rejection(text), "type_mismatch") << text;
        EXPECT_FALSE(IsDecimalNumber(text)) << text;
    }
}

TEST(ParseSingle, RejectsAValueBeyondSingleRange) {
    for (const std::string& text : {std::string("1e39"), std::string("-1e39"), std::string("1e400"),
                                    std::string(10000, '9'), "1e" + std::string(50, '9')}) {
        EXPECT_EQ(Rejection(text), "overflow") << text.substr(0, 20);
        EXPECT_TRUE(IsDecimalNumber(text)) << "range is no concern of the grammar";
    }
}

TEST(FormatSingle, SevenDigitsGeneralForm) {
    using S = std::pair<float, const char*>;
    for (const auto& [value, text] :
         {S{1.912109375f, "1.912109"}, S{0.002527237f, "0.002527237"}, S{-0.0123f, "-0.0123"},
          S{-0.0f, "0"}, S{0.0001f, "0.0001"}, S{1e-5f, "1E-05"}, S{-1.5e-5f, "-1.5E-05"},
          S{9999999, "9999999"}, S{1e7f, "1E+07"}, S{12345678, "1.234568E+07"},
          S{kMax, "3.402823E+38"}, S{9.9999999f, "10"}})
        EXPECT_EQ(FormatSingle(value), text);
    EXPECT_EQ(FormatDouble(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatDouble(1e15), "1E+15");
}

TEST(FormatSingleExact, SevenDigitValuesKeepTheirFormAndEverySingleReadsBack) {
    for (const char* text : {"0.014", "1.912109", "771.0842", "-0.0123", "1E-05", "4"})
        EXPECT_EQ(FormatSingleExact(ParseSingle(text, "")), text);
    EXPECT_EQ(FormatSingleExact(1.912109375f), "1.9121094");

    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        const float value = std::bit_cast<float>(bits(random));
        if (!std::isfinite(value))
            continue;
        const std::string text = FormatSingleExact(value);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(ParseSingle(text, "")),
                  std::bit_cast<std::uint32_t>(value == 0 ? 0.0f : value))
            << text;
        ASSERT_LE(text.size(), 15u) << text;
    }
}

} // namespace
