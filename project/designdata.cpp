// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/designdata.h"

#include "project/sharedgrade.h"
#include "project/sidefile.h"

#include <QJsonValue>
#include <cmath>

namespace project {
namespace {

struct Wrong {
    std::string key, name, need;
};

void Read(const QJsonObject& o, ConditionKeys& k) {
    const QJsonValue step = o.value("step");
    if (!step.isUndefined()) {
        const double v = step.toDouble(-1);
        if (!step.isDouble() || !(v >= hydraulics::kMinWidthStep && v <= hydraulics::kMaxWidthStep))
            throw Wrong{"step", "槽宽设计步长", "须为 0.001 到 0.1 之间的数（m）"};
        k.step = v;
    }
    const QJsonValue support = o.value("support");
    if (!support.isUndefined()) {
        if (support.toString() == "beam")
            k.support = hydraulics::SupportForm::Beam;
        else if (support.toString() == "arch")
            k.support = hydraulics::SupportForm::Arch;
        else
            throw Wrong{"support", "支承形式", "须为 \"beam\"（梁式）或 \"arch\"（拱式）"};
    }
    const QJsonValue rods = o.value("tie_rod_depth");
    if (!rods.isUndefined()) {
        if (rods.isNull())
            k.tieRodDepth = std::optional<double>();
        else if (rods.isDouble() && std::isfinite(rods.toDouble()) && rods.toDouble() >= 0)
            k.tieRodDepth = std::optional<double>(rods.toDouble());
        else
            throw Wrong{"tie_rod_depth", "拉杆底距槽顶", "须为不小于 0 的数（m），或留空（null）"};
    }
    const QJsonValue region = o.value("region");
    if (!region.isUndefined()) {
        if (region.isNull())
            k.region = std::optional<hydraulics::Region>();
        else if (region.toString() == "humid")
            k.region = std::optional(hydraulics::Region::Humid);
        else if (region.toString() == "arid")
            k.region = std::optional(hydraulics::Region::Arid);
        else
            throw Wrong{"region", "地区", "须为 \"humid\"（湿润）、\"arid\"（干旱）或留空（null）"};
    }
    const QJsonValue cold = o.value("cold_region");
    if (!cold.isUndefined()) {
        if (!cold.isBool())
            throw Wrong{"cold_region", "寒冷或严寒地区", "须为 true 或 false"};
        k.coldRegion = cold.toBool();
    }
}

} // namespace

ConditionsRead ReadConditionKeys(const QJsonObject& object, const std::string& where) {
    ConditionsRead read;
    try {
        Read(object, read.keys);
    } catch (const Wrong& wrong) {
        read.key = wrong.key;
        read.problem = where + wrong.name + "（“" + wrong.key + "”）" + wrong.need + "。";
    }
    return read;
}

QJsonObject ConditionsJson(const hydraulics::DesignConditions& c) {
    return {{"step", c.widthStep},
            {"support", c.support == hydraulics::SupportForm::Arch ? "arch" : "beam"},
            {"tie_rod_depth", c.tieRodDepth ? QJsonValue(*c.tieRodDepth) : QJsonValue()},
            {"cold_region", c.coldRegion},
            {"region", !c.region                                ? QJsonValue()
                       : *c.region == hydraulics::Region::Humid ? QJsonValue("humid")
                                                                : QJsonValue("arid")}};
}

ConditionKeys SavedConditionKeys(const std::string& projectName, std::string* problem) {
    const SideSection side = ReadSideSection(projectName, QStringLiteral("design"));
    const ConditionsRead read =
        ReadConditionKeys(side.values, "项目附加资料 “" + SideFileName(projectName) + "” 中的");
    if (problem)
        *problem = !side.problem.isEmpty() ? side.problem.toStdString() : read.problem;
    return read.keys;
}

hydraulics::DesignConditions SavedConditions(const std::string& projectName, std::string* problem) {
    hydraulics::DesignConditions conditions;
    ApplyConditionKeys(SavedConditionKeys(projectName, problem), conditions);
    if (const std::string grade = KeptGrade(projectName); !grade.empty())
        conditions.grade = std::stoi(grade);
    return conditions;
}

} // namespace project
