// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/connectiondata.h"

#include "project/reportidentity.h"
#include "project/sidefile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <cmath>
#include <functional>

namespace project {
namespace {

constexpr qint64 kReadLimit = 1024 * 1024;

// A wrong key: carried out of the readers below to ReadConnection.
struct WrongKey {
    std::string key;
    std::string need; // "须为大于 0 的数"
};

using Accept = std::function<bool(double)>;

double Number(const QJsonObject& o, const QString& name, const std::string& key,
              const Accept& accept, const char* need) {
    const QJsonValue v = o.value(name);
    if (v.isUndefined() || v.isNull())
        throw WrongKey{key, "未给出，须给出"};
    if (!v.isDouble() || !std::isfinite(v.toDouble()) || !accept(v.toDouble()))
        throw WrongKey{key, need};
    return v.toDouble();
}

std::optional<double> Optional(const QJsonObject& o, const QString& name, const Accept& accept,
                               const char* need) {
    const QJsonValue v = o.value(name);
    if (v.isUndefined() || v.isNull())
        return std::nullopt;
    return Number(o, name, name.toStdString(), accept, need);
}

bool NonNegative(double v) {
    return v >= 0;
}
bool PositiveValue(double v) {
    return v > 0;
}
bool AnyValue(double) {
    return true;
}

hydraulics::Canal ReadCanal(const QJsonObject& root, const QString& side) {
    const std::string prefix = side.toStdString() + ".";
    const QJsonValue value = root.value(side);
    if (!value.isObject())
        throw WrongKey{side.toStdString(), "未给出，须给出 b、m、n、x"};
    const QJsonObject o = value.toObject();
    hydraulics::Canal c;
    c.b = Number(o, "b", prefix + "b", NonNegative, "须为不小于 0 的数（m）");
    c.m = Number(o, "m", prefix + "m", NonNegative, "须为不小于 0 的数");
    if (c.b + c.m <= 0)
        throw WrongKey{prefix + "b", "与边坡系数 m 不能同时为 0"};
    c.n = Number(o, "n", prefix + "n", PositiveValue, "须为大于 0 的数");
    c.x = Number(o, "x", prefix + "x", PositiveValue, "须为大于 0 的数");
    return c;
}

hydraulics::ConnectionInput Read(const QJsonObject& root) {
    hydraulics::ConnectionInput in;
    in.upstream = ReadCanal(root, "upstream");
    in.upstreamBed =
        Number(root.value("upstream").toObject(), "bed", "upstream.bed", AnyValue, "须为数（m）");
    in.downstream = ReadCanal(root, "downstream");
    in.allowedDrop =
        Optional(root, "allowed_drop", NonNegative, "须为不小于 0 的数（m），或留空（null）");
    in.inletAngle =
        Optional(
            root, "inlet_angle",
            [](double v) {
                return v >= hydraulics::kMinInletAngle && v <= hydraulics::kMaxInletAngle;
            },
            "须在 11° 到 18° 之间")
            .value_or(hydraulics::kDefaultInletAngle);
    in.outletAngle =
        Optional(
            root, "outlet_angle",
            [](double v) {
                return v >= hydraulics::kMinOutletAngle && v <= hydraulics::kMaxOutletAngle;
            },
            "须在 8° 到 11° 之间")
            .value_or(hydraulics::kDefaultOutletAngle);
    in.grade = static_cast<int>(Optional(
                                    root, "grade",
                                    [](double v) { return v >= 1 && v <= 5 && v == std::floor(v); },
                                    "须为 1 到 5 的整数")
                                    .value_or(hydraulics::kDefaultGrade));
    in.bendRadius =
        Optional(root, "bend_radius", PositiveValue, "须为大于 0 的数（m），或留空（null）");
    return in;
}

QJsonValue OrNull(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject CanalJson(const hydraulics::Canal& c) {
    return {{"b", c.b}, {"m", c.m}, {"n", c.n}, {"x", c.x}};
}

// "上游渠道糙率 n" for "upstream.n", as the window labels it.
std::string KeyName(const std::string& key) {
    static const std::pair<const char*, const char*> kNames[] = {
        {"upstream", "上游渠道"},
        {"downstream", "下游渠道"},
        {".b", "底宽 b"},
        {".m", "边坡系数 m"},
        {".n", "糙率 n"},
        {".x", "比降 i = 1/x 的 x"},
        {".bed", "渠底高程 ∇₃"},
        {"allowed_drop", "允许水面降落 [ΔZ]"},
        {"inlet_angle", "进口收缩角 θ₁"},
        {"outlet_angle", "出口扩散角 θ₂"},
        {"grade", "建筑物级别"},
        {"bend_radius", "弯道半径 r"}};
    std::string name;
    for (const auto& [part, text] : kNames) {
        const std::string p(part);
        const bool suffix = p[0] == '.' ? key.ends_with(p) : key.starts_with(p);
        if (suffix)
            name += text;
    }
    return name;
}

// `where` names the source: "渠道资料中的".
ConnectionRead ReadFrom(const QJsonObject& object, const std::string& where) {
    ConnectionRead read;
    try {
        read.input = Read(object);
        read.gradeGiven = object.contains(QStringLiteral("grade"));
    } catch (const WrongKey& wrong) {
        read.key = wrong.key;
        read.requirement = wrong.need;
        read.problem = where + KeyName(wrong.key) + "（“" + wrong.key + "”）" + wrong.need + "。";
        return read;
    }
    ConditionsRead conditions = ReadConditionKeys(object, where);
    if (!conditions.problem.empty()) {
        read.input.reset();
        read.key = conditions.key;
        read.problem = conditions.problem;
    }
    read.conditions = conditions.keys;
    return read;
}

} // namespace

ConnectionRead ReadConnection(const QJsonObject& object) {
    return ReadFrom(object, "渠道资料中的");
}

ConnectionRead ReadConnectionFile(const std::string& path) {
    ConnectionRead read;
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly)) {
        read.problem = "渠道资料文件 “" + path + "” 无法读取。";
        return read;
    }
    const QByteArray bytes = file.read(kReadLimit + 1);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (bytes.size() > kReadLimit || error.error != QJsonParseError::NoError || !doc.isObject()) {
        read.problem = "渠道资料文件 “" + path + "” 不是有效的 JSON 对象。";
        return read;
    }
    return ReadFrom(doc.object(), "渠道资料文件 “" + path + "” 中的");
}

std::optional<hydraulics::ConnectionInput> SavedConnection(const std::string& projectName) {
    const SideSection section = ReadSideSection(projectName, QStringLiteral("connection"));
    if (section.values.isEmpty())
        return std::nullopt;
    QJsonObject values = section.values;
    const std::string grade =
        IdentityFromJson(ReadSideSection(projectName, QStringLiteral("report")).values).grade;
    if (!grade.empty()) // one 建筑物级别 for the report and the connection
        values.insert(QStringLiteral("grade"), std::stoi(grade));
    return ReadConnection(values).input;
}

QJsonObject ConnectionJson(const hydraulics::ConnectionInput& in) {
    QJsonObject up = CanalJson(in.upstream);
    up.insert("bed", in.upstreamBed);
    return {{"upstream", up},
            {"downstream", CanalJson(in.downstream)},
            {"allowed_drop", OrNull(in.allowedDrop)},
            {"inlet_angle", in.inletAngle},
            {"outlet_angle", in.outletAngle},
            {"grade", in.grade},
            {"bend_radius", OrNull(in.bendRadius)}};
}

} // namespace project
