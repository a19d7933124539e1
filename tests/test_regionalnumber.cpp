// Numbers typed into the windows in the user's regional format. The wider
// table of mistyped inputs, through every path, is in test_bad_input.
#include "errors.h"
#include "numtext.h"
#include "regionalnumber.h"

#include <QLocale>
#include <bit>
#include <chrono>
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
            std::bit_cast<std::uint32_t>(shell::ReadRegionalNumber(text, locale, "流量 Q")));
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

// Chinese and English take the period as decimal separator (the comma
// groups), German the other way round; digit groups are never accepted.
// Long texts are read quickly.
TEST(ReadRegionalNumber, PeriodAndCommaLocales) {
    const char *TM = "mismatch", *OF = "overflow";
    const struct {
        QString text;
        const char *zhEn, *de;
    } cases[] = {
        // clang-format off
        {u"1.5"_s, "1.5", TM},                        {u"1,5"_s, TM, "1.5"},
        {u" 1.5 "_s, "1.5", TM},                      {u"\t1,5 "_s, TM, "1.5"},
        {u"\u30001.5\u3000"_s, "1.5", TM},            {u"１．５"_s, "1.5", TM}, // full width
        {u"１，５"_s, TM, "1.5"},                     {u"－１２"_s, "-12", "-12"},
        {u"1,000.5"_s, TM, TM},                       {u"1.000,5"_s, TM, TM},
        {u"1,5E-3"_s, TM, "1.5E-3"},                  {u""_s, TM, TM},
        {u"\u3000"_s, TM, TM},                        {u"abc"_s, TM, TM},
        {u"1e39"_s, OF, OF},                          {u"-0"_s, "-0", "-0"},
        {u"nan"_s, TM, TM},                           {u"inf"_s, TM, TM},
        {QString(10000, u'1'), OF, OF},               {QString(10000, u'x'), TM, TM},
        {QString(9999, u'\u3000') + u'7', "7", "7"},
        {u"0."_s + QString(9997, u'0') + u'1', "0", TM},
        // clang-format on
    };
    for (const auto& c : cases)
        for (const char* name : {"zh_CN", "en_US", "de_DE"}) {
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(Outcome(c.text, QLocale(QString::fromLatin1(name))),
                      Expected(name[0] == 'd' ? c.de : c.zhEn))
                << name << " '" << c.text.left(12).toStdString() << "'";
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
        }
}

// What a window shows, it reads back, also where separators, signs and
// digits differ from the period grammar (Arabic and Persian digits, U+2212).
TEST(ShowRegionalNumber, ShownTextReadsBack) {
    EXPECT_EQ(shell::ShowRegionalNumber("-1.5E-05", QLocale(u"de_DE"_s)), u"-1,5E-05"_s);
    for (const char* name : {"zh_CN", "en_US", "de_DE", "fr_FR", "de_CH", "ar_EG", "fa_IR"}) {
        const QLocale locale{QString::fromLatin1(name)};
        for (const char* engine : {"0.153", "1E-05", "-2.5", "1000", "3.402823E+38"})
            EXPECT_EQ(Outcome(shell::ShowRegionalNumber(engine, locale), locale), Expected(engine))
                << name << " " << engine;
        EXPECT_EQ(Outcome(locale.toString(-1.25, 'f', 2), locale), Expected("-1.25")) << name;
    }
}

} // namespace
