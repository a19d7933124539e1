// Numbers shown in the windows in the user's regional format read back to
// the same value. The table of typed and mistyped inputs, in Chinese,
// German and English formats, is in test_bad_input.
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/regionalnumber.h"

#include <QLocale>
#include <bit>
#include <gtest/gtest.h>
#include <string>

using hydraulics::CalcError;
using namespace Qt::Literals::StringLiterals;

namespace {

// "1.5" etc.: the bits hydraulics::ParseSingle reads from that text (as
// the command line does); "mismatch" and "overflow": that error, naming
// "流量 Q".
std::string Outcome(const QString& text, const QLocale& locale) {
    try {
        return std::to_string(
            std::bit_cast<std::uint32_t>(project::ReadRegionalNumber(text, locale, "流量 Q")));
    } catch (const CalcError& e) {
        EXPECT_EQ(e.subject(), "流量 Q");
        return e.kind() == hydraulics::ErrorKind::Overflow ? "overflow" : "mismatch";
    }
}

std::string Expected(const std::string& e) {
    if (e == "mismatch" || e == "overflow")
        return e;
    return std::to_string(std::bit_cast<std::uint32_t>(hydraulics::ParseSingle(e, "")));
}

// What a window shows, it reads back, also where separators, signs and
// digits differ from the period grammar (Arabic and Persian digits, U+2212).
TEST(ShowRegionalNumber, ShownTextReadsBack) {
    EXPECT_EQ(project::ShowRegionalNumber("-1.5E-05", QLocale(u"de_DE"_s)), u"-1,5E-05"_s);
    for (const char* name : {"zh_CN", "en_US", "de_DE", "fr_FR", "de_CH", "ar_EG", "fa_IR"}) {
        const QLocale locale{QString::fromLatin1(name)};
        for (const char* engine : {"0.153", "1E-05", "-2.5", "1000", "3.402823E+38"})
            EXPECT_EQ(Outcome(project::ShowRegionalNumber(engine, locale), locale),
                      Expected(engine))
                << name << " " << engine;
        EXPECT_EQ(Outcome(locale.toString(-1.25, 'f', 2), locale), Expected("-1.25")) << name;
    }
}

} // namespace
