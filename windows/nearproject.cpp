// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/nearproject.h"

#include "project/nearname.h"
#include "project/projectfile.h"

#include <QMessageBox>
#include <QPushButton>
#include <optional>

namespace windows {

bool OfferNearProject(QWidget* parent, const QString& windowName, std::string& projectName) {
    const std::optional<std::string> near = project::NearProjectName(projectName);
    if (!near)
        return true; // the file as named is read, or its absence told
    QMessageBox question(QMessageBox::Question, windowName + QStringLiteral(" - 打开项目"),
                         QStringLiteral("项目文件“%1”不存在，但有名称只差前后空格的项目文件“%2”。"
                                        "要打开“%2”并以它的名称继续吗？")
                             .arg(QString::fromStdString(project::ProjectFileName(projectName)),
                                  QString::fromStdString(project::ProjectFileName(*near))),
                         QMessageBox::NoButton, parent);
    QPushButton* open = question.addButton(QStringLiteral("打开"), QMessageBox::AcceptRole);
    question.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    question.setDefaultButton(open);
    question.exec();
    if (question.clickedButton() != open)
        return false;
    projectName = *near;
    return true;
}

} // namespace windows
