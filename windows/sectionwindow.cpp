#include "windows/sectionwindow.h"

#include "hydraulics/errors.h"
#include "project/sidefile.h"
#include "report/calcreport.h"
#include "windows/appearance.h"
#include "windows/increaseinput.h"
#include "windows/reportinfodialog.h"
#include "windows/sectionview.h"
#include "windows/windowprinter.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace windows {

SectionWindow::SectionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("断面及水力要素"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    view_ = new SectionView(this);
    print_ = new QPushButton(QStringLiteral("打印"), this);
    print_->setObjectName(QStringLiteral("Command1"));
    print_->setFont(LiShu(14.25));
    print_->setFixedSize(120, 26); // the case windows' button height
    connect(print_, &QPushButton::clicked, this, &SectionWindow::printWindow);
    report_ = new QPushButton(QStringLiteral("计算书"), this);
    report_->setObjectName(QStringLiteral("Command2"));
    report_->setFont(LiShu(14.25));
    report_->setFixedSize(120, 26);
    report_->setEnabled(false); // until a calculation succeeds
    connect(report_, &QPushButton::clicked, this, &SectionWindow::saveReport);

    increase_ = new IncreaseInput(this);
    connect(increase_, &IncreaseInput::percentChanged, this, &SectionWindow::redrawAtIncrease);
    auto* inputs = new QHBoxLayout;
    inputs->addStretch();
    inputs->addWidget(increase_);
    inputs->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addSpacing(24);
    buttons->addWidget(report_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(view_, 1);
    layout->addLayout(inputs);
    layout->addLayout(buttons);
    // The whole canvas where the screen allows (a new window would get at
    // most two thirds of the screen), smaller and scaled where it does not.
    if (const QScreen* screen = this->screen())
        resize(sizeHint().boundedTo(screen->availableGeometry().size() * 0.92));
}

void SectionWindow::showFigure(const drawing::SectionFigure& figure, const QString& pdfBaseName,
                               const report::ReportRequest& request) {
    pdfBaseName_ = pdfBaseName;
    request_ = request;
    report_->setEnabled(true);
    drawing::SectionFigure shown = figure;
    shown.increasePercent = increase_->startFor(figure.point.Q);
    view_->setFigure(shown);
}

void SectionWindow::clearFigure() {
    request_.reset();
    report_->setEnabled(false);
    increase_->clear();
    view_->setFigure(std::nullopt);
}

void SectionWindow::redrawAtIncrease(double percent) {
    std::optional<drawing::SectionFigure> figure = view_->figure();
    if (!figure)
        return;
    figure->increasePercent = percent;
    view_->setFigure(figure);
}

const std::optional<drawing::SectionFigure>& SectionWindow::figure() const {
    return view_->figure();
}

void SectionWindow::printWindow() {
    ReportPrintOutcome(this, windowTitle(), PrintWindowImage(*this, pdfBaseName_));
}

bool SectionWindow::writeReport(const QString& path) {
    if (!request_ || !figure())
        return false;
    // The design checks at the increase shown.
    report::ReportRequest request = *request_;
    request.increasePercent = figure()->increasePercent;
    request.identity = identity_;
    QString failure;
    try {
        report::WriteReport(request, path.toStdString());
        return true;
    } catch (const hydraulics::CalcError& e) {
        failure = QString::fromStdString(e.message()) +
                  QStringLiteral("\n计算书没有写出，原有文件保持不变。");
    } catch (const hydraulics::NotConverged& e) {
        failure = QString::fromStdString(e.message());
    } catch (const std::exception& e) { // a name without .pdf or .odt, out of memory
        failure = QString::fromUtf8(e.what()) + QStringLiteral("\n文件：") + path;
    }
    QMessageBox::warning(this, windowTitle() + QStringLiteral(" - 无法写计算书"), failure);
    return false;
}

bool SectionWindow::askReportIdentity() {
    const std::string& name = request_->projectName;
    const QString key = QStringLiteral("report");
    QString problem;
    if (!name.empty()) { // a project without a name keeps its fields in this window only
        const project::SideSection side = project::ReadSideSection(name, key);
        problem = side.problem;
        if (!side.values.isEmpty() || side.damaged)
            identity_ = project::IdentityFromJson(side.values);
    }
    ReportInfoDialog dialog(identity_, QString::fromStdString(name), problem, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    identity_ = dialog.identity();
    if (name.empty())
        return true;
    try {
        project::WriteSideSection(name, key, project::IdentityToJson(identity_));
    } catch (const hydraulics::CalcError& e) {
        QMessageBox::warning(this, windowTitle() + QStringLiteral(" - 计算书信息未保存"),
                             QString::fromStdString(e.message()) +
                                 QStringLiteral("\n这些信息仍用于本次计算书，但下次需重新填写。"));
    }
    return true;
}

void SectionWindow::saveReport() {
    if (!request_ || !askReportIdentity())
        return;
    const QString pdf = QStringLiteral("PDF 文档 (*.pdf)");
    const QString odt = QStringLiteral("可编辑的 ODT 文档 (*.odt)");
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("保存计算书"),
        PdfPathFor(QString::fromStdString(request_->projectName) + QStringLiteral("计算书")),
        pdf + QStringLiteral(";;") + odt, &chosenFilter);
    if (path.isEmpty())
        return;
    // A name typed without either extension takes the chosen type's.
    if (!report::ReportFormatOf(path.toStdString()))
        path += chosenFilter == odt ? QStringLiteral(".odt") : QStringLiteral(".pdf");
    writeReport(path);
}

} // namespace windows
