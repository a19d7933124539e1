// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers typed into the windows in the user's regional format: what
// engineers mistype, in Chinese, German and English formats (two rows also
// go through the command line and a case window in their own tests), and
// what a window shows reads back.
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/regionalnumber.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

// The bits of the value read, or "TM" (type mismatch) / "OF" (overflow)
// naming the quantity.
std::string Outcome(const QString& text, const QLocale& locale) {
    try {
        const float v = project::ReadRegionalNumber(text, locale, "流量 Q");
        return std::to_string(std::bit_cast<std::uint32_t>(v));
    } catch (const hydraulics::CalcError& e) {
        EXPECT_EQ(e.subject(), "流量 Q");
        return e.kind() == hydraulics::ErrorKind::Overflow ? "OF" : "TM";
    }
}

// "TM", "OF", or the bits the engine reads from a period-form text.
std::string Expected(const std::string& e) {
    if (e == "TM" || e == "OF")
        return e;
    return std::to_string(std::bit_cast<std::uint32_t>(hydraulics::ParseSingle(e, "")));
}

TEST(ReadRegionalNumber, MistypedInputsInChineseGermanAndEnglish) {
    const char *tm = "TM", *of = "OF", *max = "3.4028234e38";
    // clang-format off
    struct { QString text; const char *zh, *de, *en; } const rows[] = {
        {"", tm, tm, tm}, {" ", tm, tm, tm}, {"abc", tm, tm, tm}, {"1.5m", tm, tm, tm}, {"1 5", tm, tm, tm},
        {"1,5", tm, "1.5", tm}, {"1.5", "1.5", tm, "1.5"}, {"1,000.5", tm, tm, tm}, {"1.000,5", tm, tm, tm},
        {u"１．５"_s, "1.5", tm, "1.5"}, {u"１，５"_s, tm, "1.5", tm}, {u"\u3000４\u3000"_s, "4", "4", "4"},
        {"1e39", of, of, of}, {"3.4028236e38", of, tm, of}, {"3,4028236e38", tm, of, tm},
        {max, max, tm, max}, {"1e-50", "0", "0", "0"}, {"-0", "-0", "-0", "-0"}, {"+4", "4", "4", "4"},
        {"nan", tm, tm, tm}, {"NaN", tm, tm, tm}, {"inf", tm, tm, tm}, {"-inf", tm, tm, tm},
        {"Infinity", tm, tm, tm}, {"0x10", tm, tm, tm}, {"-", tm, tm, tm}, {"e5", tm, tm, tm},
        {u"\u22121.5"_s, tm, tm, tm}, {"  4  ", "4", "4", "4"}, {"\t4\t", "4", "4", "4"},
        {QString(10000, '1'), of, of, of}, {QString(10000, 'x'), tm, tm, tm},
        {"0." + QString(9997, '0') + "1", "0", tm, "0"}, {QString(9999, ' ') + "4", "4", "4", "4"}};
    // clang-format on
    const QLocale zh(QLocale::Chinese, QLocale::China), de(QLocale::German, QLocale::Germany),
        en(QLocale::English, QLocale::UnitedStates);
    for (const auto& r : rows) {
        const std::string shown = r.text.left(20).toStdString();
        EXPECT_EQ(Outcome(r.text, zh), Expected(r.zh)) << "zh_CN '" << shown << "'";
        EXPECT_EQ(Outcome(r.text, de), Expected(r.de)) << "de_DE '" << shown << "'";
        EXPECT_EQ(Outcome(r.text, en), Expected(r.en)) << "en_US '" << shown << "'";
    }
}

// An empty box says it is empty; a full-width "。" gets the separator to type.
TEST(ReadRegionalNumber, MessagesSayWhatToType) {
    const QLocale zh(QLocale::Chinese, QLocale::China), de(QLocale::German, QLocale::Germany);
    for (const auto& [text, locale, told] :
         {std::tuple{u""_s, zh, "类型不匹配：流量 Q 为空，请输入一个数"},
          std::tuple{u" \u3000 "_s, zh, "为空，请输入一个数"},
          std::tuple{u"1\u30025"_s, zh, "不是有效的数字（小数点请输入“.”，不是全角的“。”）"},
          std::tuple{u"1\u30025"_s, de, "小数点请输入“,”"},
          std::tuple{u"1a5"_s, zh, "流量 Q 不是有效的数字"}}) {
        try {
            project::ReadRegionalNumber(text, locale, "流量 Q");
            ADD_FAILURE() << text.toStdString();
        } catch (const hydraulics::CalcError& e) {
            EXPECT_NE(e.message().find(told), std::string::npos) << e.message();
            EXPECT_EQ(e.message().find("全角") != std::string::npos, text.contains(u'\u3002'));
        }
    }
}

// Also where separators, signs and digits differ from the period grammar
// (Arabic and Persian digits, U+2212).
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
