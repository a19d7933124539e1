// Text typed into a window's box, read in the user's regional format
// (project::ReadRegionalNumber).
//
// Input: byte 0 picks the locale, the rest is the box text in UTF-8.
//
// Contract: a finite single value, or CalcError TypeMismatch / Overflow
// naming the quantity. Beyond that:
//  - a value shown back as a result box shows it in that locale reads back
//    to what the engine reads from the engine's own text;
//  - ASCII text means the same in every locale once written its way: as it
//    stands in en_US, with '.' and ',' swapped in de_DE, in full-width
//    characters (as a Chinese input method types them) in zh_CN; each gives
//    exactly what the command line's ParseSingle gives for the text.
#include "fuzzcheck.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/regionalnumber.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kQuantity = "槽身糙率 n";

// Value or failure kind of one reading.
struct Reading {
    bool ok = false;
    float value = 0;
    hydraulics::ErrorKind kind = hydraulics::ErrorKind::TypeMismatch;

    bool operator==(const Reading& o) const {
        if (ok != o.ok)
            return false;
        if (!ok)
            return kind == o.kind;
        return std::memcmp(&value, &o.value, sizeof value) == 0 || (value == 0 && o.value == 0);
    }
};

std::string Describe(const Reading& r) {
    return r.ok ? "value " + hydraulics::FormatSingleExact(r.value)
                : "error " + std::string(hydraulics::ErrorKindId(r.kind));
}

// Reads and checks the contract common to every reading.
template <class Read> Reading Checked(Read&& read, std::string_view what) {
    Reading r;
    try {
        fuzzcheck::CpuBudget budget("reading a box", 200);
        r.value = read();
        r.ok = true;
    } catch (const hydraulics::CalcError& e) {
        fuzzcheck::Require(e.kind() == hydraulics::ErrorKind::TypeMismatch ||
                               e.kind() == hydraulics::ErrorKind::Overflow,
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

// ASCII printable characters and the blank as a full-width input method
// types them.
QString FullWidth(std::string_view ascii) {
    QString out;
    for (const char c : ascii) {
        if (c == ' ')
            out += QChar(0x3000);
        else if (c > ' ' && c < 0x7f)
            out += QChar(0xFF01 + (c - '!'));
        else
            out += QChar(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string SwapPeriodAndComma(std::string_view ascii) {
    std::string out(ascii);
    for (char& c : out)
        c = c == '.' ? ',' : c == ',' ? '.' : c;
    return out;
}

void RequireSame(const Reading& got, const Reading& expected, std::string_view how,
                 std::string_view text) {
    if (!(got == expected))
        fuzzcheck::Fail(how, std::string(text) + " gives " + Describe(got) + ", engine " +
                                 Describe(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = LocaleAt(data[0]);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));

    const Reading r = Regional(text, locale);
    if (r.ok) {
        const std::string engineText = hydraulics::FormatSingle(r.value);
        const QString shown = project::ShowRegionalNumber(engineText, locale);
        RequireSame(Regional(shown, locale), Engine(engineText), "shown value does not read back",
                    shown.toStdString());
    }

    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        const QString latin =
            QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
        const Reading engine = Engine(bytes);
        RequireSame(Regional(latin, LocaleAt(2)), engine, "en_US differs from the engine", bytes);
        const std::string swapped = SwapPeriodAndComma(bytes);
        RequireSame(
            Regional(QString::fromLatin1(swapped.data(), static_cast<qsizetype>(swapped.size())),
                     LocaleAt(1)),
            engine, "de_DE (swapped separators) differs from the engine", bytes);
        RequireSame(Regional(FullWidth(bytes), LocaleAt(0)), engine,
                    "zh_CN full-width differs from the engine", bytes);
    }
    return 0;
}
