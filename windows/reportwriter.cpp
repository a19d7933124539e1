// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/reportwriter.h"

#include "hydraulics/errors.h"
#include "project/sharedgrade.h"
#include "project/sidefile.h"
#include "report/calcreport.h"
#include "windows/look.h"
#include "windows/reportinfodialog.h"
#include "windows/windowprinter.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace windows {

ReportWriter::ReportWriter(QWidget* window, QLabel* status)
    : QObject(window), window_(window), status_(status) {}

bool ReportWriter::write(report::ReportRequest request, const QString& path) {
    request.identity = identity_;
    QString failure;
    try {
        report::WriteReport(request, path.toStdString());
        confirm(path);
        return true;
    } catch (const hydraulics::CalcError& e) {
        failure = Sentence(e.message()) + QStringLiteral("\n计算书没有写出，原有文件保持不变。");
    } catch (const hydraulics::NotConverged& e) {
        failure = QString::fromStdString(e.message());
    } catch (const std::exception& e) { // a name without .pdf or .odt, out of memory
        failure = QString::fromUtf8(e.what()) + QStringLiteral("\n文件：") + path;
    }
    QMessageBox::warning(window_, window_->windowTitle() + QStringLiteral(" - 无法写计算书"),
                         failure);
    return false;
}

bool ReportWriter::askIdentity(const std::string& name) {
    const QString key = QStringLiteral("report");
    QString problem;
    if (!name.empty()) { // a project without a name keeps its fields in this window only
        const project::SideSection side = project::ReadSideSection(name, key);
        problem = side.problem;
        if (!side.values.isEmpty() || side.damaged)
            identity_ = project::IdentityFromJson(side.values);
        if (identity_.grade.empty()) // kept with the canals by an older version
            identity_.grade = project::KeptGrade(name);
    }
    ReportInfoDialog dialog(identity_, QString::fromStdString(name), problem, window_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    identity_ = dialog.identity();
    emit gradeChosen(identity_.grade); // one 建筑物级别 for every window
    if (name.empty())
        return true;
    try {
        project::WriteSideSection(name, key, project::IdentityToJson(identity_));
    } catch (const hydraulics::CalcError& e) {
        QMessageBox::warning(window_,
                             window_->windowTitle() + QStringLiteral(" - 计算书信息未保存"),
                             Sentence(e.message()) +
                                 QStringLiteral("\n这些信息仍用于本次计算书，但下次需重新填写。"));
    }
    return true;
}

void ReportWriter::save(report::ReportRequest request) {
    if (!askIdentity(request.projectName))
        return;
    const QString pdf = QStringLiteral("PDF 文档 (*.pdf)");
    const QString odt = QStringLiteral("可编辑的 ODT 文档 (*.odt)");
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(
        window_, QStringLiteral("保存计算书"),
        PdfPathFor(QString::fromStdString(request.projectName) + QStringLiteral("计算书")),
        pdf + QStringLiteral(";;") + odt, &chosenFilter);
    if (path.isEmpty())
        return;
    // A name typed without either extension takes the chosen type's.
    if (!report::ReportFormatOf(path.toStdString()))
        path += chosenFilter == odt ? QStringLiteral(".odt") : QStringLiteral(".pdf");
    write(std::move(request), path);
}

void ReportWriter::confirm(const QString& path) {
    const QString absolute = QDir::current().absoluteFilePath(path);
    status_->setText(QStringLiteral("计算书已写出：%1　<a href=\"%2\">打开</a>")
                         .arg(QDir::toNativeSeparators(absolute).toHtmlEscaped(),
                              QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded)));
}

} // namespace windows
