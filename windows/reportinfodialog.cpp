// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/reportinfodialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace windows {
namespace {

bool IsGrade(const project::IdentityField& f) {
    return f.member == &project::ReportIdentity::grade;
}

QString Caption(const project::IdentityField& f) {
    return QString::fromUtf8(f.caption.data(), static_cast<qsizetype>(f.caption.size()));
}

} // namespace

ReportInfoDialog::ReportInfoDialog(const project::ReportIdentity& identity,
                                   const QString& projectName, const QString& problem,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ReportInfo"));
    setWindowTitle(QStringLiteral("计算书信息"));
    auto* layout = new QVBoxLayout(this);
    if (!problem.isEmpty()) {
        auto* line = new QLabel(problem, this);
        line->setObjectName(QStringLiteral("infoProblem"));
        line->setWordWrap(true);
        line->setStyleSheet(QStringLiteral("color: #a00000;"));
        layout->addWidget(line);
    }
    auto* form = new QFormLayout;
    for (const project::IdentityField& f : project::IdentityFields()) {
        const QString name =
            QStringLiteral("info_") + QString::fromUtf8(f.key.data(), f.key.size());
        const QString value = QString::fromStdString(identity.*f.member);
        if (IsGrade(f)) {
            grade_ = new QComboBox(this);
            grade_->setObjectName(name);
            grade_->addItems({QString(), QStringLiteral("1"), QStringLiteral("2"),
                              QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
            grade_->setCurrentIndex(std::max(0, grade_->findText(value)));
            form->addRow(Caption(f) + QStringLiteral("（级）："), grade_);
            continue;
        }
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(name);
        edit->setMinimumWidth(320);
        if (f.member == &project::ReportIdentity::structure)
            edit->setPlaceholderText(projectName);
        edits_.push_back(edit);
        const bool signer = f.member == &project::ReportIdentity::author ||
                            f.member == &project::ReportIdentity::checker ||
                            f.member == &project::ReportIdentity::reviewer;
        form->addRow(Caption(f) + (signer ? QStringLiteral("人（可空）：") : QStringLiteral("：")),
                     edit);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("infoButtons"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

project::ReportIdentity ReportInfoDialog::identity() const {
    project::ReportIdentity identity;
    std::size_t edit = 0;
    for (const project::IdentityField& f : project::IdentityFields())
        identity.*f.member = IsGrade(f) ? grade_->currentText().toStdString()
                                        : edits_[edit++]->text().trimmed().toStdString();
    return identity;
}

} // namespace windows
