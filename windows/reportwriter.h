// SPDX-License-Identifier: GPL-3.0-or-later
// The 计算书 of the section window: the heading fields' dialog started from
// the project's side file, the save dialog, the writing (a failure told in
// a message naming the file) and the confirmation in the window's status
// line with a link that opens the file.
#pragma once

#include "project/reportidentity.h"
#include "report/reportcontent.h"

#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace windows {

class ReportWriter : public QObject {
    Q_OBJECT

public:
    // Dialogs go over `window`; a written report is confirmed in `status`.
    ReportWriter(QWidget* window, QLabel* status);

    // Asks the heading fields, then where to save, then writes `request`
    // with them. Nothing is written when a dialog is cancelled.
    void save(report::ReportRequest request);
    // Writes `request` with the heading fields in force to `path`, PDF or
    // ODT by its extension. False when nothing was written.
    bool write(report::ReportRequest request, const QString& path);

    const project::ReportIdentity& identity() const { return identity_; }
    // 建筑物级别 kept by the connection window, "1".."5".
    void setGrade(const std::string& grade) { identity_.grade = grade; }

signals:
    // 建筑物级别 set in the dialog, for the connection window ("" for none).
    void gradeChosen(const std::string& grade);

private:
    // Shows the heading fields' dialog for `project`; on 确定 keeps them
    // and remembers them in the side file. False on 取消.
    bool askIdentity(const std::string& project);
    void confirm(const QString& path);

    QWidget* window_;
    QLabel* status_;
    project::ReportIdentity identity_;
};

} // namespace windows
