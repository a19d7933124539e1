// Numbers typed into the windows in the user's regional format.
#include "errors.h"
#include "numtext.h"
#include "regionalnumber.h"

#include <QLocale>
#include <bit>
#include <chrono>
#include <gtest/gtest.h>
#include <string>

using hydraulics::CalcError;
using hydraulics::ErrorKind;
using namespace Qt::Literals::StringLiterals;

namespace {

// "1.5" etc.: read as hydraulics::ParseSingle reads that text (the command
// line), to the bit; "mismatch" and "overflow": that error, naming "流量 Q".
std::string Outcome(const QString& text, const char* locale) {
    try {
        const float v =
            shell::ReadRegionalNumber(text, QLocale(QString::fromLatin1(locale)), "流量 Q");
        return std::to_string(std::bit_cast<std::uint32_t>(v));
    } catch (const CalcError& e) {
        EXPECT_EQ(e.subject(), "流量 Q");
        return e.kind() == ErrorKind::Overflow ? "overflow" : "mismatch";
    }
}

std::string Expected(const char* expect) {
    const std::string e = expect;
    if (e == "mismatch" || e == "overflow")
        return e;
    return std::to_string(std::bit_cast<std::uint32_t>(hydraulics::ParseSingle(e, "")));
}

// Each text in the two Chinese and English locales (period decimal, comma
// group separator) and in German (the other way round).
TEST(ReadRegionalNumber, PeriodAndCommaLocales) {
    const struct {
        const char16_t* text;
        const char *zhEn, *de;
    } cases[] = {
        {u"1.5", "1.5", "mismatch"},
        {u"1,5", "mismatch", "1.5"},
        {u" 1.5 ", "1.5", "mismatch"},
        {u"\t1,5 ", "mismatch", "1.5"},
        {u"１．５", "1.5", "mismatch"}, // full width, from a Chinese input method
        {u"１，５", "mismatch", "1.5"},
        {u"\u30001.5\u3000", "1.5", "mismatch"}, // ideographic spaces
        {u"1,000.5", "mismatch", "mismatch"},
        {u"1.000,5", "mismatch", "mismatch"},
        {u"-0.0123", "-0.0123", "mismatch"},
        {u"1,5E-3", "mismatch", "1.5E-3"},
        {u"0.1", "0.1", "mismatch"},
        {u"16777217", "16777217", "16777217"},
        {u"3.40282356e38", "3.40282356e38", "mismatch"}, // the largest single
        {u"", "mismatch", "mismatch"},
        {u" ", "mismatch", "mismatch"},
        {u"\u3000", "mismatch", "mismatch"},
        {u"abc", "mismatch", "mismatch"},
        {u"1e39", "overflow", "overflow"},
        {u"-4e38", "overflow", "overflow"},
        {u"1e-50", "0", "0"},
        {u"1e-400", "0", "0"},
        {u"-0", "-0", "-0"},
        {u"－１２", "-12", "-12"},
        {u"+3", "3", "3"},
        {u"nan", "mismatch", "mismatch"},
        {u"inf", "mismatch", "mismatch"},
        {u"-Infinity", "mismatch", "mismatch"},
        {u"0x10", "mismatch", "mismatch"},
        {u"1 000", "mismatch", "mismatch"},
        {u"1e", "mismatch", "mismatch"},
        {u"-", "mismatch", "mismatch"},
        {u"1。5", "mismatch", "mismatch"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        for (const char* locale : {"zh_CN", "en_US"})
            EXPECT_EQ(Outcome(text, locale), Expected(c.zhEn))
                << locale << " '" << text.toStdString() << "'";
        EXPECT_EQ(Outcome(text, "de_DE"), Expected(c.de)) << "de_DE '" << text.toStdString() << "'";
    }
}

TEST(ReadRegionalNumber, MessageNamesTheQuantity) {
    try {
        shell::ReadRegionalNumber(" ", QLocale(QLocale::Chinese, QLocale::China), "流量 Q");
        FAIL() << "no error";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.message(), "类型不匹配：流量 Q 不是有效的数字");
    }
}

TEST(ReadRegionalNumber, TenThousandCharactersAreReadQuickly) {
    const struct {
        QString text;
        const char* expect;
    } cases[] = {
        {QString(10000, u'x'), "mismatch"},     {QString(10000, u'-'), "mismatch"},
        {QString(10000, u'1'), "overflow"},     {QString(10000, u'５'), "overflow"},
        {QString(9999, u'\u3000') + u'7', "7"}, {u"0."_s + QString(9997, u'0') + u'1', "0"},
        {u"1e-"_s + QString(9997, u'9'), "0"},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Outcome(c.text, "zh_CN"), Expected(c.expect)) << c.text.left(12).toStdString();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    }
}

// What a window shows, it reads back, also where separators, signs and
// digits differ from the period grammar (Arabic and Persian digits, U+2212).
TEST(ShowRegionalNumber, ShownTextReadsBack) {
    EXPECT_EQ(shell::ShowRegionalNumber("-1.5E-05", QLocale(u"de_DE"_s)), u"-1,5E-05"_s);
    EXPECT_EQ(shell::ShowRegionalNumber("-0.153", QLocale(u"zh_CN"_s)), u"-0.153"_s);
    for (const char* name : {"zh_CN", "en_US", "de_DE", "fr_FR", "de_CH", "ar_EG", "fa_IR"}) {
        const QLocale locale{QString::fromLatin1(name)};
        for (const char* engine : {"0.153", "1E-05", "-2.5", "1000", "3.402823E+38"})
            EXPECT_EQ(Outcome(shell::ShowRegionalNumber(engine, locale), name), Expected(engine))
                << name << " " << engine;
        EXPECT_EQ(Outcome(locale.toString(-1.25, 'f', 2), name), Expected("-1.25")) << name;
    }
}

} // namespace
