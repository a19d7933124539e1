// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/sidedata.h"

#include "project/connectiondata.h"
#include "project/sidefile.h"

#include <QJsonValue>

namespace project {
namespace {

// The grade a section gives, as the report keeps it ("1".."5"), or empty.
std::string GradeText(const QJsonObject& connection, const ConnectionRead& read) {
    if (!read.input || !read.gradeGiven || !connection.value(QStringLiteral("grade")).isDouble())
        return {};
    return std::to_string(read.input->grade);
}

void ReadCanals(const SideFile& file, SideData& data) {
    const SideSection section = SectionOf(file, QStringLiteral("connection"));
    if (section.values.isEmpty()) { // none kept, or the section is damaged
        if (!section.fault.isEmpty())
            data.connectionProblem =
                section.fault.toStdString() + "，其中的渠道资料未能读出，本次不作水面衔接计算。";
        return;
    }
    const ConnectionRead read = ReadConnection(section.values);
    if (!read.input) {
        data.connectionProblem = "项目附加资料文件 " + file.fileName +
                                 " 中的“connection”一节不完整或有误：" + read.problem +
                                 "本次不作水面衔接计算。";
        return;
    }
    data.connection = read.input;
    const std::string grade = GradeText(section.values, read);
    if (data.identity.grade.empty())
        data.identity.grade = grade;
    else if (!read.gradeGiven)
        data.connection->grade = std::stoi(data.identity.grade);
}

} // namespace

SideData ReadSideData(const std::string& projectName) {
    SideData data;
    const SideFile file = ReadSideFile(projectName);
    if (!file.fault.isEmpty()) {
        data.fileProblem =
            file.fault.toStdString() + "，其中的计算书标题栏资料和渠道资料未能读出。";
        return data;
    }
    const SideSection report = SectionOf(file, QStringLiteral("report"));
    if (!report.fault.isEmpty())
        data.reportProblem = report.fault.toStdString() + "，其中的计算书标题栏资料未能读出。";
    data.identity = IdentityFromJson(report.values);
    ReadCanals(file, data);
    return data;
}

} // namespace project
