// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers typed into the windows, in the user's regional format.
#pragma once

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

namespace project {

// Reads one box: NFKC-normalised first (full-width digits from a Chinese
// input method become ASCII), blanks around allowed, the locale's decimal
// separator, group separators rejected, "inf" and "nan" rejected. Empty or
// non-numeric text throws hydraulics::CalcError(TypeMismatch) naming
// `quantity` (e.g. "流量 Q"); a value beyond single range Overflow.
float ReadRegionalNumber(const QString& text, const QLocale& locale, std::string_view quantity);

// The same text rewritten in the period grammar of hydraulics::ParseSingle
// ("1,35" in German is "1.35"), for what needs the decimal the user typed
// rather than the single value it stores. Throws as ReadRegionalNumber does
// for a text that is no number; the range is not checked.
std::string RegionalDecimalText(const QString& text, const QLocale& locale,
                                std::string_view quantity);

// An engine text ("0.153", "1E-05") with the locale's decimal separator.
QString ShowRegionalNumber(const std::string& engineText, const QLocale& locale);

} // namespace project
