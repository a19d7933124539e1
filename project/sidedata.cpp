// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/sidedata.h"

#include "project/connectiondata.h"
#include "project/sidefile.h"

#include <QJsonValue>

namespace project {
namespace {

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
    // A grade of null stands for none given, as a grade left out.
    const bool gradeGiven = section.values.value(QStringLiteral("grade")).isDouble();
    if (data.identity.grade.empty() && gradeGiven)
        data.identity.grade = std::to_string(read.input->grade);
    else if (!data.identity.grade.empty() && !gradeGiven)
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
