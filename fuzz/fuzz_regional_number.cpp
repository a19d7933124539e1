// SPDX-License-Identifier: GPL-3.0-or-later
// A number typed into a window's box, read in a regional format
// (project::ReadRegionalNumber), and the same bytes read as the command
// line reads them (hydraulics::ParseSingle). Byte 0 picks the locale.
//
// Contract: a finite single value, or a type mismatch or overflow naming
// the quantity. The command line takes exactly the decimal grammar, agrees
// with strtod rounded to single precision, and its shown and exact forms
// read back. ASCII text means the same once written the locale's way: as it
// stands in en_US, with '.' and ',' swapped in de_DE, full-width in zh_CN.
#include "fuzzcheck.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/regionalnumber.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr std::string_view kQuantity = "槽身糙率 n";

// "value <exact form>" (minus zero as zero) or "<error kind>", the contract
// common to every reading checked.
template <class Read> std::string Outcome(Read&& read, std::size_t size) {
    try {
        // A few ms each; the bound only catches a hang, with room for the
        // odd page faults of a loaded machine (a 40-byte text once took 211 ms).
        fuzzcheck::CpuBudget budget("reading a number", 1000 + size / 50.0);
        const float value = read();
        fuzzcheck::Require(std::isfinite(value), "value not finite");
        return "value " + hydraulics::FormatSingleExact(value == 0 ? 0.0f : value);
    } catch (const hydraulics::CalcError& e) {
        using enum hydraulics::ErrorKind;
        fuzzcheck::Require((e.kind() == TypeMismatch || e.kind() == Overflow) &&
                               e.subject() == kQuantity,
                           "not a type mismatch or overflow naming the quantity", e.message());
        return std::string(hydraulics::ErrorKindId(e.kind()));
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
}

std::string Regional(const QString& text, const QLocale& locale) {
    return Outcome([&] { return project::ReadRegionalNumber(text, locale, kQuantity); },
                   text.size());
}

std::string Engine(std::string_view text) {
    return Outcome([&] { return hydraulics::ParseSingle(text, kQuantity); }, text.size());
}

// The command line's reading against strtod, and its shown forms read back.
std::string CheckEngine(std::string_view text) {
    const std::string r = Engine(text);
    const bool decimal = hydraulics::IsDecimalNumber(text);
    fuzzcheck::Require(decimal == (r != "type_mismatch"), "grammar and reading disagree", text);
    if (decimal && text.find('\0') == text.npos) { // strtod stops at a NUL
        const auto first = text.find_first_not_of(" \t\r\n\v\f");
        const std::string trimmed(
            text.substr(first, text.find_last_not_of(" \t\r\n\v\f") + 1 - first));
        const float reference = static_cast<float>(std::strtod(trimmed.c_str(), nullptr));
        fuzzcheck::Require(r == (std::isinf(reference)
                                     ? "overflow"
                                     : "value " + hydraulics::FormatSingleExact(
                                                      reference == 0 ? 0.0f : reference)),
                           "reading differs from strtod", text);
    }
    if (r.starts_with("value ")) {
        const float value = hydraulics::ParseSingle(r.substr(6), kQuantity);
        const std::string shown = hydraulics::FormatSingle(value);
        fuzzcheck::Require(fuzzcheck::IsShownNumber(shown) &&
                               fuzzcheck::IsShownNumber(r.substr(6)) && Engine(r.substr(6)) == r,
                           "shown or exact form outside the grammar, or not read back", r);
        fuzzcheck::Require(std::fabs(double(hydraulics::ParseSingle(shown, kQuantity)) - value) <=
                               1e-6 * std::fabs(value) + FLT_TRUE_MIN,
                           "shown form reads back to another value", shown);
    }
    return r;
}

const QLocale& LocaleAt(std::size_t i) {
    static const QLocale locales[] = {
        QLocale(QLocale::Chinese, QLocale::China),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::French, QLocale::France),  // narrow no-break space groups
        QLocale(QLocale::Arabic, QLocale::Egypt),   // Arabic-Indic digits
        QLocale(QLocale::Swedish, QLocale::Sweden), // U+2212 minus sign
    };
    return locales[i % std::size(locales)];
}

void RequireSame(const std::string& got, const std::string& engine, std::string_view how) {
    fuzzcheck::Require(got == engine, how, got + ", engine " + engine);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = LocaleAt(data[0]);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string engine = CheckEngine(bytes);
    Regional(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())), locale);
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; }))
        return 0;
    std::string swapped(bytes);
    QString fullWidth;
    for (char& c : swapped) {
        fullWidth += c == ' '              ? QChar(0x3000)
                     : c > ' ' && c < 0x7f ? QChar(0xFF01 + (c - '!'))
                                           : QChar(char16_t(c));
        c = c == '.' ? ',' : c == ',' ? '.' : c;
    }
    RequireSame(Regional(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())), LocaleAt(2)),
                engine, "en_US differs from the engine");
    RequireSame(Regional(QString::fromStdString(swapped), LocaleAt(1)), engine,
                "de_DE (swapped separators) differs from the engine");
    RequireSame(Regional(fullWidth, LocaleAt(0)), engine, "zh_CN full-width differs");
    return 0;
}
