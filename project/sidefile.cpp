// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/sidefile.h"

#include "project/savedfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <algorithm>

namespace project {
namespace {

// A side file holds a few short sections; anything larger is not ours.
constexpr qint64 kReadLimit = 4 * 1024 * 1024;

QString Fault(const std::string& fileName, const QString& why) {
    return QStringLiteral("项目附加资料文件 %1 %2").arg(QString::fromUtf8(fileName), why);
}

// The sentence the windows show for a fault: the boxes start empty.
QString WindowProblem(const QString& fault) {
    return fault.isEmpty() ? fault
                           : fault + QStringLiteral("，其中的资料未能读出，各栏从空白开始。");
}

SideFile ReadRoot(const std::string& fileName) {
    SideFile read;
    read.fileName = fileName;
    QString path;
    try {
        path = LocalPath(fileName);
    } catch (...) {
        read.fault = Fault(fileName, QStringLiteral("的名称无法使用"));
        return read;
    }
    QFile file(path);
    if (!file.exists())
        return read;
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        read.fault = Fault(fileName, QStringLiteral("无法读取"));
        read.damaged = true;
        return read;
    }
    const QByteArray bytes = file.read(kReadLimit + 1);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (bytes.size() > kReadLimit || error.error != QJsonParseError::NoError || !doc.isObject()) {
        read.fault = Fault(fileName, QStringLiteral("已损坏（不是有效的 JSON 对象）"));
        read.damaged = true;
        return read;
    }
    read.root = doc.object();
    return read;
}

// Keeps a damaged file's bytes beside it before it is replaced.
void KeepDamaged(const std::string& fileName) {
    const QString path = LocalPath(fileName);
    const QString kept = path + QStringLiteral(".damaged");
    QFile::remove(kept);
    QFile::copy(path, kept);
}

} // namespace

std::string SideFileName(const std::string& projectName) {
    return projectName + "us.json";
}

SideFile ReadSideFile(const std::string& projectName) {
    return ReadRoot(SideFileName(projectName));
}

SideSection SectionOf(const SideFile& file, const QString& key) {
    SideSection section;
    section.fault = file.fault;
    section.damaged = file.damaged;
    const QJsonValue value = file.root.value(key);
    if (value.isObject())
        section.values = value.toObject();
    else if (!value.isUndefined() && section.fault.isEmpty())
        section.fault = Fault(file.fileName, QStringLiteral("中的“%1”一节已损坏").arg(key));
    section.problem = WindowProblem(section.fault);
    return section;
}

SideSection ReadSideSection(const std::string& projectName, const QString& key) {
    return SectionOf(ReadSideFile(projectName), key);
}

void WriteSideSection(const std::string& projectName, const QString& key,
                      const QJsonObject& values) {
    const std::string fileName = SideFileName(projectName);
    const SideFile read = ReadRoot(fileName);
    if (read.damaged)
        KeepDamaged(fileName);
    QJsonObject root = read.root;
    const int version = root.value(QStringLiteral("version")).toInt(0);
    root.insert(QStringLiteral("version"), std::max(version, kSideFileVersion));
    root.insert(key, values);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    SaveAtomically(fileName, std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace project
