// SPDX-License-Identifier: GPL-3.0-or-later
// One design check as every view shows it (项目, 计算值, 要求, 依据, 结论),
// with the strength of its clause, and the figure texts of its cells.
//
// GB 50288-2018 words its clauses with three strengths: 应/不应/必须 (a
// rule), 宜/不宜 (a recommendation) and 可 (a permission). A rule not met
// is 不满足 and the design may not be adopted; a recommendation not met is
// 宜调整 and the design may be adopted with a reason. Notes (the short
// flume's water-surface profile, a margin left unused, a model test) and
// classifications (长槽/短槽) count neither way.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace hydraulics {

// Met 满足; NotMet 不满足 (a rule) or 宜调整 (a recommendation, by the
// row's level); Note 提示; Unknown "—", the figures the check needs cannot
// be formed.
enum class Verdict { Met, NotMet, Note, Unknown };

enum class CheckLevel {
    Shall,  // 应、不应、必须
    Should, // 宜、不宜
    Info,   // a note or a classification: never counts against a design
};

struct CheckRow {
    std::string item;        // 设计流速
    std::string value;       // "v = 1.616 m/s", "—" for empty figures
    std::string requirement; // "1.0 ≤ v ≤ 2.5 m/s"
    std::string clause;      // "GB 50288-2018 第 9.4.1 条第 1 款"
    Verdict verdict = Verdict::Unknown;
    CheckLevel level = CheckLevel::Shall;
    std::string id{};    // "velocity", as the JSON names the check
    std::string label{}; // shown instead of the verdict: 长槽, 短槽
};

inline Verdict MetIf(bool met) {
    return met ? Verdict::Met : Verdict::NotMet;
}

// 满足 / 不满足 / 提示 / — (a rule's wording).
std::string_view VerdictText(Verdict verdict);
// The verdict cell: the label where the row has one, 宜调整 for a
// recommendation not met, else as above.
std::string_view VerdictText(const CheckRow& row);

// A rule not met: the design may not be adopted as it stands.
bool Fails(const CheckRow& row);
// Met, or a note that does not count: every rule and every recommendation
// met (the figures formed) makes a design feasible.
bool Meets(const CheckRow& row);

std::string_view LevelId(CheckLevel level); // "shall", "should", "note"

// A figure of a check's text: "v = 1.616 m/s" (three decimals; with
// `percent` a percentage without trailing zeros), or "v = —" without the
// unit when the figure is not formed.
std::string CheckFigure(std::string_view symbol, const std::optional<double>& value,
                        std::string_view unit = {}, bool percent = false);

// As CheckFigure, with as many more decimals (up to twelve) as it takes to
// show on which side of `limit` the value lies: a verdict decided below the
// shown digits shows the digits that decide it ("ΔZ = 0.3505 m" against
// 0.350). `met` is the verdict, `atMost` says the value must not exceed the
// limit (else not fall below it).
std::string DecidingFigure(std::string_view symbol, const std::optional<double>& value,
                           double limit, bool atMost, bool met, std::string_view unit = {});

// `value` with `decimals` decimals, locale-free, "—" when not finite.
std::string FixedText(double value, int decimals);

// Figures of one cell joined by "，".
std::string JoinFigures(std::initializer_list<std::string> parts);

} // namespace hydraulics
