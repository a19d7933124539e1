// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/numtext.h"

#include "hydraulics/errors.h"

#include <charconv>
#include <cmath>
#include <string>

namespace hydraulics {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponent of the leading non-zero digit of a text that passed
// IsDecimalNumber, the exponent part saturated; tells an overflow from an
// underflow when the value is beyond double range.
long LeadingExponent(std::string_view t) {
    std::size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
    long intDigits = 0; // integer digits seen so far
    long leadInt = -1;  // index of the leading non-zero integer digit
    long leadFrac = 0;  // 1-based position of the leading non-zero fraction digit
    for (; i < t.size() && IsDigit(t[i]); ++i, ++intDigits)
        if (leadInt < 0 && t[i] != '0')
            leadInt = intDigits;
    if (i < t.size() && t[i] == '.')
        for (long p = 1; ++i < t.size() && IsDigit(t[i]); ++p)
            if (leadInt < 0 && leadFrac == 0 && t[i] != '0')
                leadFrac = p;
    long exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        const bool negative = t[i] == '-';
        if (t[i] == '+' || t[i] == '-')
            ++i;
        for (; i < t.size(); ++i)
            exponent = exponent > 100000 ? exponent : exponent * 10 + (t[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    const long lead = leadInt >= 0 ? intDigits - 1 - leadInt : -leadFrac;
    return lead + exponent;
}

double ReadDouble(std::string_view unsignedText, std::errc& ec) {
    double value = 0;
    const auto result =
        std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    ec = result.ptr == unsignedText.data() + unsignedText.size() ? result.ec
                                                                 : std::errc::invalid_argument;
    return value;
}

// Takes trailing zeros, and a point left bare, off a decimal fraction.
void StripZeros(std::string& text) {
    if (text.find('.') == std::string::npos)
        return;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
}

// Renders `value` with `digits` significant digits, trailing zeros taken
// off; exponent form outside 1E-05 < |value| < 10^fixedBelow.
std::string FormatGeneral(double value, int digits, int fixedBelow) {
    if (value == 0.0)
        return "0";
    // std::to_chars ignores the C locale, which Qt sets from the system:
    // a German system must still get a period here.
    char buffer[400];
    const auto sci = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, digits - 1);
    std::string text(buffer, sci.ptr);
    const auto ePos = text.find('e');
    const int exponent = std::stoi(text.substr(ePos + 1));
    if (exponent < -4 || exponent >= fixedBelow) {
        std::string mantissa = text.substr(0, ePos);
        StripZeros(mantissa);
        const int magnitude = exponent < 0 ? -exponent : exponent;
        mantissa += exponent < 0 ? "E-" : "E+";
        if (magnitude < 10)
            mantissa += '0';
        mantissa += std::to_string(magnitude);
        return mantissa;
    }
    const int decimals = digits - 1 - exponent;
    const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::fixed, decimals > 0 ? decimals : 0);
    text.assign(buffer, fixed.ptr);
    StripZeros(text);
    return text;
}

} // namespace

bool IsDecimalNumber(std::string_view text) {
    const std::string_view t = Trim(text);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == t.size();
}

float ParseSingle(std::string_view text, std::string_view quantity) {
    const std::string_view t = Trim(text);
    if (!IsDecimalNumber(t))
        throw CalcError(ErrorKind::TypeMismatch, std::string(quantity), " 不是有效的数字");
    const bool negative = t.front() == '-';
    const std::string_view unsignedText = (t.front() == '+' || t.front() == '-') ? t.substr(1) : t;
    std::errc ec{};
    double value = ReadDouble(unsignedText, ec);
    if (ec == std::errc::result_out_of_range) {
        if (LeadingExponent(t) > 0)
            throw CalcError(ErrorKind::Overflow, std::string(quantity), " 超出单精度数的范围");
        value = 0.0; // far below the smallest single value
    } else if (ec != std::errc()) {
        throw CalcError(ErrorKind::TypeMismatch, std::string(quantity), " 不是有效的数字");
    }
    const float stored = static_cast<float>(negative ? -value : value);
    if (std::isinf(stored))
        throw CalcError(ErrorKind::Overflow, std::string(quantity), " 超出单精度数的范围");
    return stored;
}

std::string FormatSingle(float value) {
    return FormatGeneral(value, 7, 7);
}

std::string FormatSingleExact(float value) {
    for (int digits = 1; digits < 9; ++digits) {
        std::string text = FormatGeneral(value, digits, 7);
        const bool negative = text[0] == '-';
        std::errc ec{};
        const double back = ReadDouble(std::string_view(text).substr(negative ? 1 : 0), ec);
        if (ec == std::errc() && static_cast<float>(negative ? -back : back) == value)
            return text;
    }
    return FormatGeneral(value, 9, 7);
}

std::string FormatDouble(double value) {
    return FormatGeneral(value, 15, 15);
}

} // namespace hydraulics
