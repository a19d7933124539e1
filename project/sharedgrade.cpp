// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/sharedgrade.h"

#include "project/reportidentity.h"
#include "project/sidefile.h"

#include <QJsonObject>
#include <QJsonValue>

namespace project {

namespace {
const QString kReport = QStringLiteral("report");
const QString kGrade = QStringLiteral("grade");
} // namespace

std::string KeptGrade(const std::string& projectName) {
    const std::string grade = IdentityFromJson(ReadSideSection(projectName, kReport).values).grade;
    if (!grade.empty())
        return grade;
    const QJsonValue older =
        ReadSideSection(projectName, QStringLiteral("connection")).values.value(kGrade);
    const int level = older.toInt(0);
    return older.isDouble() && level >= 1 && level <= 5 && older.toDouble() == level
               ? std::to_string(level)
               : std::string();
}

void KeepGrade(const std::string& projectName, int grade) {
    QJsonObject report = ReadSideSection(projectName, kReport).values;
    report.insert(kGrade, QString::number(grade));
    WriteSideSection(projectName, kReport, report);
}

} // namespace project
