// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/reportidentity.h"

#include <QJsonObject>
#include <QJsonValue>
#include <array>

namespace project {
namespace {

const std::array<IdentityField, 9> kFields{{
    {"project", "工程名称", &ReportIdentity::project},
    {"structure", "建筑物名称", &ReportIdentity::structure},
    {"stage", "设计阶段", &ReportIdentity::stage},
    {"grade", "建筑物级别", &ReportIdentity::grade},
    {"number", "计算书编号", &ReportIdentity::number},
    {"company", "设计单位", &ReportIdentity::company},
    {"author", "计算", &ReportIdentity::author},
    {"checker", "校核", &ReportIdentity::checker},
    {"reviewer", "审查", &ReportIdentity::reviewer},
}};

std::string KeyList() {
    std::string keys;
    for (const IdentityField& f : kFields)
        keys += (keys.empty() ? "" : "、") + std::string(f.key);
    return keys;
}

} // namespace

std::span<const IdentityField> IdentityFields() {
    return kFields;
}

bool IsValidGrade(std::string_view grade) {
    return grade.empty() || (grade.size() == 1 && grade[0] >= '1' && grade[0] <= '5');
}

std::string SetIdentityField(ReportIdentity& identity, std::string_view key,
                             const std::string& value) {
    for (const IdentityField& f : kFields) {
        if (f.key != key)
            continue;
        if (f.member == &ReportIdentity::grade && !IsValidGrade(value))
            return "建筑物级别须为 1 到 5 的整数，而不是 “" + value + "”。";
        identity.*f.member = value;
        return {};
    }
    return "计算书没有 “" + std::string(key) + "” 这一栏，可用的有 " + KeyList() + "。";
}

ReportIdentity IdentityFromJson(const QJsonObject& section) {
    ReportIdentity identity;
    for (const IdentityField& f : kFields) {
        const QJsonValue value = section.value(QString::fromUtf8(f.key.data(), f.key.size()));
        if (value.isString())
            identity.*f.member = value.toString().toStdString();
    }
    if (!IsValidGrade(identity.grade))
        identity.grade.clear();
    return identity;
}

QJsonObject IdentityToJson(const ReportIdentity& identity) {
    QJsonObject section;
    for (const IdentityField& f : kFields)
        section.insert(QString::fromUtf8(f.key.data(), f.key.size()),
                       QString::fromStdString(identity.*f.member));
    return section;
}

} // namespace project
