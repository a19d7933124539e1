// Text typed into a window's box, read in the user's regional format
// (project::ReadRegionalNumber), and the same bytes read as the command line
// reads a number (hydraulics::ParseSingle).
//
// Input: byte 0 picks the locale, the rest is the text in UTF-8.
//
// Contract: a finite single value, or CalcError TypeMismatch / Overflow
// naming the quantity. Beyond that:
//  - the command line accepts exactly the decimal grammar and agrees with
//    the C library's strtod rounded to single precision, overflow included;
//    its shown (seven-digit) form reads back within the last digit shown,
//    its exact form to the value itself;
//  - a value shown back in the locale reads back to what the engine reads
//    from the engine's own text;
//  - ASCII text means the same in every locale once written its way: as it
//    stands in en_US, with '.' and ',' swapped in de_DE, in full-width
//    characters (as a Chinese input method types them) in zh_CN.
#include "fuzzcheck.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/regionalnumber.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kQuantity = "槽身糙率 n";
using hydraulics::ErrorKind;

// Value or failure kind of one reading.
struct Reading {
    bool ok = false;
    float value = 0;
    ErrorKind kind = ErrorKind::TypeMismatch;
    bool operator==(const Reading& o) const {
        return ok == o.ok && (ok ? value == o.value : kind == o.kind); // 0 == -0
    }
    std::string Describe() const {
        return ok ? "value " + hydraulics::FormatSingleExact(value)
                  : "error " + std::string(hydraulics::ErrorKindId(kind));
    }
};

// Reads and checks the contract common to every reading.
template <class Read> Reading Checked(Read&& read, std::string_view what) {
    Reading r;
    try {
        fuzzcheck::CpuBudget budget("reading a number", 200 + what.size() / 50.0);
        r.value = read();
        r.ok = true;
    } catch (const hydraulics::CalcError& e) {
        fuzzcheck::Require(e.kind() == ErrorKind::TypeMismatch || e.kind() == ErrorKind::Overflow,
                           "unexpected error kind", e.message());
        fuzzcheck::Require(e.subject() == kQuantity, "error does not name the quantity",
                           e.message());
        r.kind = e.kind();
        return r;
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
    fuzzcheck::Require(std::isfinite(r.value), "value not finite", what);
    return r;
}

Reading Regional(const QString& text, const QLocale& locale) {
    return Checked([&] { return project::ReadRegionalNumber(text, locale, kQuantity); },
                   text.toStdString());
}

Reading Engine(std::string_view text) {
    return Checked([&] { return hydraulics::ParseSingle(text, kQuantity); }, text);
}

// The command line's reading against strtod, and its shown forms read back.
Reading CheckEngine(std::string_view text) {
    const Reading r = Engine(text);
    const bool decimal = hydraulics::IsDecimalNumber(text);
    fuzzcheck::Require(decimal == (r.ok || r.kind == ErrorKind::Overflow),
                       "grammar and reading disagree", text);
    float reference = 0;
    if (decimal && text.find('\0') == std::string_view::npos) { // strtod stops at a NUL
        const auto first = text.find_first_not_of(" \t\r\n\v\f");
        const auto last = text.find_last_not_of(" \t\r\n\v\f");
        const std::string trimmed(text.substr(first, last - first + 1));
        reference = static_cast<float>(std::strtod(trimmed.c_str(), nullptr));
        fuzzcheck::Require(r.ok ? r == Reading{true, reference} : std::isinf(reference),
                           "reading differs from strtod", text);
    }
    if (r.ok) {
        const std::string shown = hydraulics::FormatSingle(r.value);
        fuzzcheck::Require(fuzzcheck::IsShownNumber(shown), "shown form outside the grammar", shown);
        const float again = hydraulics::ParseSingle(shown, kQuantity);
        fuzzcheck::Require(std::fabs(double(again) - r.value) <=
                               1e-6 * std::fabs(r.value) + FLT_TRUE_MIN,
                           "shown form reads back to another value", shown);
        const std::string exact = hydraulics::FormatSingleExact(r.value);
        fuzzcheck::Require(fuzzcheck::IsShownNumber(exact) &&
                               hydraulics::ParseSingle(exact, kQuantity) == r.value,
                           "exact form does not read back", exact);
    }
    return r;
}

const QLocale& LocaleAt(std::size_t i) {
    static const std::array<QLocale, 6> locales = {
        QLocale(QLocale::Chinese, QLocale::China),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::French, QLocale::France),  // narrow no-break space groups
        QLocale(QLocale::Arabic, QLocale::Egypt),   // Arabic-Indic digits
        QLocale(QLocale::Swedish, QLocale::Sweden), // U+2212 minus sign
    };
    return locales[i % locales.size()];
}

void RequireSame(const Reading& got, const Reading& expected, std::string_view how,
                 std::string_view text) {
    if (!(got == expected))
        fuzzcheck::Fail(how, std::string(text) + " gives " + got.Describe() + ", engine " +
                                 expected.Describe());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = LocaleAt(data[0]);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const Reading engine = CheckEngine(bytes);

    const Reading r = Regional(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())), locale);
    if (r.ok) {
        const std::string engineText = hydraulics::FormatSingle(r.value);
        const QString shown = project::ShowRegionalNumber(engineText, locale);
        RequireSame(Regional(shown, locale), Engine(engineText), "shown value does not read back",
                    shown.toStdString());
    }
    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii)
        return 0;
    std::string swapped(bytes);
    QString fullWidth;
    for (char& c : swapped) {
        fullWidth += c == ' ' ? QChar(0x3000) : c > ' ' && c < 0x7f ? QChar(0xFF01 + (c - '!'))
                                                                     : QChar(char16_t(c));
        c = c == '.' ? ',' : c == ',' ? '.' : c;
    }
    RequireSame(Regional(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())), LocaleAt(2)),
                engine, "en_US differs from the engine", bytes);
    RequireSame(Regional(QString::fromLatin1(swapped.data(), qsizetype(swapped.size())),
                         LocaleAt(1)),
                engine, "de_DE (swapped separators) differs from the engine", bytes);
    RequireSame(Regional(fullWidth, LocaleAt(0)), engine, "zh_CN full-width differs from the engine",
                bytes);
    return 0;
}
