// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/checkrow.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace hydraulics {
namespace {

constexpr int kShownDecimals = 3;
constexpr int kMostDecimals = 12;

// "30", "27.5": a percentage without trailing zeros.
std::string PercentText(double value) {
    std::string text = FixedText(value, kShownDecimals);
    if (text.find('.') == std::string::npos)
        return text;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string Figure(std::string_view symbol, const std::string& number, std::string_view unit) {
    std::string text(symbol);
    text += " = " + number;
    if (!unit.empty())
        text.append(" ").append(unit);
    return text;
}

double Shown(double value, int decimals) {
    return std::strtod(FixedText(value, decimals).c_str(), nullptr);
}

} // namespace

std::string_view VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Met:
        return "满足";
    case Verdict::NotMet:
        return "不满足";
    case Verdict::Note:
        return "提示";
    case Verdict::Unknown:
        return "—";
    }
    return "—";
}

std::string_view VerdictText(const CheckRow& row) {
    if (!row.label.empty())
        return row.label;
    if (row.verdict == Verdict::NotMet && row.level == CheckLevel::Should)
        return "宜调整";
    return VerdictText(row.verdict);
}

bool Fails(const CheckRow& row) {
    return row.level == CheckLevel::Shall && row.verdict == Verdict::NotMet;
}

bool Meets(const CheckRow& row) {
    return row.level == CheckLevel::Info || row.verdict == Verdict::Met ||
           row.verdict == Verdict::Note;
}

std::string_view LevelId(CheckLevel level) {
    switch (level) {
    case CheckLevel::Shall:
        return "shall";
    case CheckLevel::Should:
        return "should";
    case CheckLevel::Info:
        return "note";
    }
    return "note";
}

std::string FixedText(double value, int decimals) {
    if (!std::isfinite(value))
        return "—";
    // No "-0.000": a value that rounds to zero shows as zero.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buffer, end) : "—";
}

std::string CheckFigure(std::string_view symbol, const std::optional<double>& value,
                        std::string_view unit, bool percent) {
    if (!value || !std::isfinite(*value))
        return std::string(symbol) + " = —";
    return Figure(symbol, percent ? PercentText(*value) : FixedText(*value, kShownDecimals), unit);
}

std::string DecidingFigure(std::string_view symbol, const std::optional<double>& value,
                           double limit, bool atMost, bool met, std::string_view unit) {
    if (!value || !std::isfinite(*value) || !std::isfinite(limit))
        return CheckFigure(symbol, value, unit);
    int decimals = kShownDecimals;
    for (; decimals < kMostDecimals; ++decimals) {
        const double shown = Shown(*value, decimals), bound = Shown(limit, decimals);
        const bool looksMet = atMost ? shown <= bound : shown >= bound;
        if (looksMet == met)
            break;
    }
    return Figure(symbol, FixedText(*value, decimals), unit);
}

std::string JoinFigures(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "，") + part;
    return text;
}

} // namespace hydraulics
