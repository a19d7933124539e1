// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/regionalnumber.h"

#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"

#include <QList>
#include <string>

namespace project {
namespace {

// Code points of a locale symbol, under the same normalisation as the text.
QList<uint> Symbol(const QString& symbol) {
    return symbol.normalized(QString::NormalizationForm_KC).toUcs4();
}

bool MatchesAt(const QList<uint>& text, qsizetype at, const QList<uint>& symbol) {
    if (symbol.isEmpty() || at + symbol.size() > text.size())
        return false;
    for (qsizetype k = 0; k < symbol.size(); ++k)
        if (text[at + k] != symbol[k])
            return false;
    return true;
}

[[noreturn]] void NotANumber(std::string_view quantity, std::string hint = {}) {
    throw hydraulics::CalcError(hydraulics::ErrorKind::TypeMismatch, std::string(quantity),
                                " 不是有效的数字" + hint);
}

// A full-width "。" typed by a Chinese input method where the decimal
// point was meant gets a hint naming the separator to type.
[[noreturn]] void NotANumber(std::string_view quantity, uint c, const QLocale& locale) {
    constexpr uint kIdeographicFullStop = 0x3002;
    if (c != kIdeographicFullStop)
        NotANumber(quantity);
    NotANumber(quantity, "（小数点请输入“" + QString(locale.decimalPoint()).toStdString() +
                             "”，不是全角的“。”）");
}

} // namespace

// How a box is read. The text is rewritten, symbol by symbol, into the
// period grammar of hydraulics::ParseSingle and then read by it, rather than
// handed to QLocale::toDouble:
//  - QLocale::toDouble accepts "inf" and "nan", and it reports a value
//    beyond double range as a plain failure whether it is huge (1e400, an
//    overflow) or tiny (1e-400, which stores as 0); both would need
//    second-guessing afterwards.
//  - One reader for every typed or stored number: a box, the command line
//    and the project file accept the same forms, give the same messages and
//    round alike (to double, correctly rounded, then to single by a cast).
//  - Only what is certainly part of a number is mapped: the locale's decimal
//    separator becomes '.', its minus and plus signs become '-' and '+', its
//    own digits become ASCII digits; ASCII digits, '-', '+', 'e' and 'E' stand
//    as they are. Any other character, the locale's group separator among
//    them, makes the text a type mismatch. So in German "1,5" is 1.5 and
//    "1.5" is refused instead of being read as 15; in English and Chinese
//    "1,5" and "1,000.5" are refused instead of being read as 15 or 1000.5.
//    The user gets the number meant or a clear message, never a guess.
// NFKC first turns full-width digits and signs from a Chinese input method
// into ASCII and the ideographic space into a blank.
std::string RegionalDecimalText(const QString& text, const QLocale& locale,
                                std::string_view quantity) {
    const QList<uint> chars = text.normalized(QString::NormalizationForm_KC).trimmed().toUcs4();
    if (chars.isEmpty()) // a box left blank, or holding its design blank
        throw hydraulics::CalcError(hydraulics::ErrorKind::TypeMismatch, std::string(quantity),
                                    " 为空，请输入一个数");
    const QList<uint> decimal = Symbol(locale.decimalPoint());
    const QList<uint> minus = Symbol(locale.negativeSign());
    const QList<uint> plus = Symbol(locale.positiveSign());
    const QList<uint> zero = Symbol(locale.zeroDigit());
    const uint localZero = zero.size() == 1 && zero[0] != '0' ? zero[0] : 0;

    std::string period;
    period.reserve(static_cast<std::size_t>(chars.size()));
    for (qsizetype i = 0; i < chars.size();) {
        const uint c = chars[i];
        if (MatchesAt(chars, i, decimal)) {
            period += '.';
            i += decimal.size();
        } else if (MatchesAt(chars, i, minus)) {
            period += '-';
            i += minus.size();
        } else if (MatchesAt(chars, i, plus)) {
            period += '+';
            i += plus.size();
        } else if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E') {
            period += static_cast<char>(c);
            ++i;
        } else if (localZero != 0 && c >= localZero && c <= localZero + 9) {
            period += static_cast<char>('0' + (c - localZero));
            ++i;
        } else {
            NotANumber(quantity, c, locale);
        }
    }
    if (!hydraulics::IsDecimalNumber(period)) // a lone sign, "1e", "--1"
        NotANumber(quantity);
    return period;
}

float ReadRegionalNumber(const QString& text, const QLocale& locale, std::string_view quantity) {
    // A finite value beyond single range is an overflow; one below the
    // smallest single value stores as 0.
    return hydraulics::ParseSingle(RegionalDecimalText(text, locale, quantity), quantity);
}

QString ShowRegionalNumber(const std::string& engineText, const QLocale& locale) {
    QString shown = QString::fromStdString(engineText);
    shown.replace(QLatin1Char('.'), locale.decimalPoint());
    return shown;
}

} // namespace project
