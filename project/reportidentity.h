// SPDX-License-Identifier: GPL-3.0-or-later
// Who and what a calculation report is for: the identity a checker signs
// under. Kept per project in the side file's section "report" under the
// same keys the command line takes with --info KEY=VALUE.
#pragma once

#include <span>
#include <string>
#include <string_view>

class QJsonObject;

namespace project {

// Every field may be empty (not given). Texts are UTF-8 as typed.
struct ReportIdentity {
    std::string project;   // 工程名称
    std::string structure; // 建筑物名称; empty: the project's name stands for it
    std::string stage;     // 设计阶段
    std::string grade;     // 建筑物级别, "1".."5" or empty
    std::string number;    // 计算书编号
    std::string company;   // 设计单位
    std::string author;    // 计算
    std::string checker;   // 校核
    std::string reviewer;  // 审查
};

struct IdentityField {
    std::string_view key;     // "project", as in the side file and --info
    std::string_view caption; // 工程名称
    std::string ReportIdentity::*member;
};

// The nine fields in the order the report and the dialog show them.
std::span<const IdentityField> IdentityFields();

// True for an empty grade and for "1" to "5".
bool IsValidGrade(std::string_view grade);

// Sets field `key` to `value`. Returns an empty string, or a whole Chinese
// sentence when the key is unknown or the grade is not 1 to 5 (then
// nothing changes).
std::string SetIdentityField(ReportIdentity& identity, std::string_view key,
                             const std::string& value);

// From and to the side file's section: string members under the keys
// above; other members are ignored, a grade outside 1..5 is dropped.
ReportIdentity IdentityFromJson(const QJsonObject& section);
QJsonObject IdentityToJson(const ReportIdentity& identity);

} // namespace project
