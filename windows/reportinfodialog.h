// SPDX-License-Identifier: GPL-3.0-or-later
// "计算书信息": the heading fields of the calculation report (工程名称,
// 建筑物名称, …, the names for 计算、校核、审查), asked for before the
// report's file is chosen. Enter accepts, Esc cancels.
#pragma once

#include "project/reportidentity.h"

#include <QDialog>
#include <QString>
#include <vector>

class QComboBox;
class QLineEdit;

namespace windows {

class ReportInfoDialog : public QDialog {
    Q_OBJECT

public:
    // Starts from `identity`; `projectName` stands in the empty 建筑物名称
    // as a hint; `problem` (a damaged side file, naming it) is shown as a
    // line above the fields when not empty.
    ReportInfoDialog(const project::ReportIdentity& identity, const QString& projectName,
                     const QString& problem, QWidget* parent = nullptr);

    // The fields as they stand now, blanks at both ends removed.
    project::ReportIdentity identity() const;

private:
    std::vector<QLineEdit*> edits_; // one per field but the grade, by IdentityFields() order
    QComboBox* grade_;
};

} // namespace windows
