// Numbers as text: reading a typed value, and the shown and stored forms.
#include "errors.h"
#include "numtext.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace hydraulics {
void PrintTo(ErrorKind kind, std::ostream* os) {
    *os << ErrorKindId(kind);
}
} // namespace hydraulics

namespace {

using namespace hydraulics;

struct Read {
    std::string text;
    float value;
};

class ParseAccepts : public ::testing::TestWithParam<Read> {};

TEST_P(ParseAccepts, ToTheNearestSingle) {
    EXPECT_EQ(ParseSingle(GetParam().text, "Q"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Numbers, ParseAccepts,
                         ::testing::Values(Read{"4", 4}, Read{"  0.014\t", 0.014f},
                                           Read{"+1.5", 1.5f}, Read{"-2.5", -2.5f},
                                           Read{".5", 0.5f}, Read{"7.", 7}, Read{"1e3", 1000},
                                           Read{"1.5E-05", 1.5e-5f}, Read{"2e+2", 200},
                                           Read{"1e-50", 0},
                                           Read{"3.4028235e38", std::numeric_limits<float>::max()},
                                           Read{"0.1" + std::string(300, '0') + "1", 0.1f},
                                           Read{"1" + std::string(30, '0'), 1e30f},
                                           Read{"0." + std::string(400, '0') + "1", 0},
                                           Read{"1e-" + std::string(50, '9'), 0}));

struct Rejected {
    std::string text;
    ErrorKind kind;
};

class ParseRejects : public ::testing::TestWithParam<Rejected> {};

TEST_P(ParseRejects, WithATypedErrorNamingTheQuantity) {
    try {
        ParseSingle(GetParam().text, "流量 Q");
        FAIL() << "accepted";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), GetParam().kind);
        EXPECT_EQ(e.subject(), "流量 Q");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseRejects,
    ::testing::Values(
        Rejected{"", ErrorKind::TypeMismatch}, Rejected{" ", ErrorKind::TypeMismatch},
        Rejected{"abc", ErrorKind::TypeMismatch}, Rejected{"1.5m", ErrorKind::TypeMismatch},
        Rejected{"1,5", ErrorKind::TypeMismatch}, Rejected{"1 000", ErrorKind::TypeMismatch},
        Rejected{"--1", ErrorKind::TypeMismatch}, Rejected{".", ErrorKind::TypeMismatch},
        Rejected{"1e", ErrorKind::TypeMismatch}, Rejected{"e5", ErrorKind::TypeMismatch},
        Rejected{"inf", ErrorKind::TypeMismatch}, Rejected{"-infinity", ErrorKind::TypeMismatch},
        Rejected{"nan", ErrorKind::TypeMismatch}, Rejected{"0x10", ErrorKind::TypeMismatch},
        Rejected{"1e39", ErrorKind::Overflow}, Rejected{"-1e39", ErrorKind::Overflow},
        Rejected{"1e400", ErrorKind::Overflow},
        Rejected{std::string(400, '9'), ErrorKind::Overflow},
        Rejected{"1e" + std::string(50, '9'), ErrorKind::Overflow}));

TEST(IsDecimalNumber, SameGrammarAsTheReader) {
    EXPECT_TRUE(IsDecimalNumber(" -1.5e-3 "));
    EXPECT_TRUE(IsDecimalNumber("1e39")); // range is not its concern
    EXPECT_FALSE(IsDecimalNumber("1.2.3"));
    EXPECT_FALSE(IsDecimalNumber("+"));
}

struct Shown {
    float value;
    const char* text;
};

class FormatSingleShows : public ::testing::TestWithParam<Shown> {};

TEST_P(FormatSingleShows, SevenDigitsGeneralForm) {
    EXPECT_EQ(FormatSingle(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatSingleShows,
    ::testing::Values(Shown{1.912109375f, "1.912109"}, Shown{0.71f, "0.71"}, Shown{1.2f, "1.2"},
                      Shown{771.0842f, "771.0842"}, Shown{2.2351403f, "2.23514"},
                      Shown{0.002527237f, "0.002527237"}, Shown{-0.0123f, "-0.0123"},
                      Shown{-0.0f, "0"}, Shown{0, "0"}, Shown{0.0001f, "0.0001"},
                      Shown{1e-5f, "1E-05"}, Shown{-1.5e-5f, "-1.5E-05"}, Shown{9999999, "9999999"},
                      Shown{1e7f, "1E+07"}, Shown{12345678, "1.234568E+07"},
                      Shown{std::numeric_limits<float>::max(), "3.402823E+38"},
                      Shown{9.9999999f, "10"}));

TEST(FormatDouble, FifteenDigitsGeneralForm) {
    EXPECT_EQ(FormatDouble(0.1), "0.1");
    EXPECT_EQ(FormatDouble(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatDouble(-0.012), "-0.012");
    EXPECT_EQ(FormatDouble(1e14), "100000000000000");
    EXPECT_EQ(FormatDouble(1e15), "1E+15");
    EXPECT_EQ(FormatDouble(2.5e-6), "2.5E-06");
}

TEST(FormatSingleExact, SevenDigitValuesKeepTheirForm) {
    for (const char* text : {"0.014", "1.912109", "771.0842", "-0.0123", "1E-05", "4"})
        EXPECT_EQ(FormatSingleExact(ParseSingle(text, "")), text);
    EXPECT_EQ(FormatSingleExact(1.912109375f), "1.9121094");
}

TEST(FormatSingleExact, EveryFiniteSingleReadsBack) {
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
