// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sectionwindow.h"

#include "hydraulics/errors.h"
#include "project/connectiondata.h"
#include "project/sidefile.h"
#include "report/calcreport.h"
#include "windows/appearance.h"
#include "windows/captionstyle.h"
#include "windows/connectionwindow.h"
#include "windows/dxfexport.h"
#include "windows/increaseinput.h"
#include "windows/reportinfodialog.h"
#include "windows/sectionview.h"
#include "windows/windowprinter.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace windows {

SectionWindow::SectionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("断面及水力要素"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    view_ = new SectionView;
    // On a small or scaled screen the drawing scrolls rather than pushing
    // the p box and the buttons off the screen; it fills the room there is
    // down to half its canvas.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("SectionScroll"));
    scroll->setWidget(view_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setAlignment(Qt::AlignCenter);
    buildButtons();

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
    buttons->addSpacing(24);
    buttons->addWidget(dxf_);
    buttons->addSpacing(24);
    buttons->addWidget(connection_);
    buttons->addSpacing(24);
    buttons->addWidget(sweep_);
    buttons->addSpacing(24);
    buttons->addWidget(recommend_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(scroll, 1);
    layout->addLayout(inputs);
    layout->addLayout(buttons);
    // The whole canvas where the screen allows (a new window would get at
    // most two thirds of the screen), smaller and scaled where it does not.
    const QSize whole = view_->sizeHint() +
                        QSize(0, inputs->sizeHint().height() + buttons->sizeHint().height() + 24);
    if (const QScreen* screen = this->screen())
        resize(whole.boundedTo(screen->availableGeometry().size() * 0.92));
}

void SectionWindow::buildButtons() {
    // The buttons in 隶书 (from outlines) at the case windows' button height; those that need
    // a calculation start disabled.
    const auto button = [this](const QString& text, const QString& name, bool enabled) {
        auto* made = new QPushButton(text, this);
        made->setObjectName(name);
        made->setFont(LiShu(14.25));
        made->setFixedSize(120, 26);
        made->setEnabled(enabled);
        return made;
    };
    print_ = button(QStringLiteral("打印"), QStringLiteral("Command1"), true);
    report_ = button(QStringLiteral("计算书"), QStringLiteral("Command2"), false);
    dxf_ = button(QStringLiteral("导出 DXF"), QStringLiteral("DxfCommand"), false);
    connection_ = button(QStringLiteral("水面衔接"), QStringLiteral("Command3"), false);
    sweep_ = button(QStringLiteral("方案比选"), QStringLiteral("SweepCommand"), true);
    recommend_ = button(QStringLiteral("推荐断面"), QStringLiteral("RecommendCommand"), true);
    connect(print_, &QPushButton::clicked, this, &SectionWindow::printWindow);
    connect(report_, &QPushButton::clicked, this, &SectionWindow::saveReport);
    connect(dxf_, &QPushButton::clicked, this, &SectionWindow::saveDxf);
    connect(connection_, &QPushButton::clicked, this, &SectionWindow::showConnection);
    connect(sweep_, &QPushButton::clicked, this, &SectionWindow::sweepRequested);
    connect(recommend_, &QPushButton::clicked, this, &SectionWindow::recommendRequested);
    auto* style = new CaptionStyle;
    style->setParent(this);
    for (QPushButton* made : {print_, report_, dxf_, connection_, sweep_, recommend_})
        made->setStyle(style);
}

void SectionWindow::showFigure(const drawing::SectionFigure& figure, const QString& pdfBaseName,
                               const report::ReportRequest& request) {
    pdfBaseName_ = pdfBaseName;
    request_ = request;
    // Which project and case the drawing belongs to, as the case window's
    // title names its project.
    const QString project = QString::fromStdString(request.projectName);
    setWindowTitle(QStringLiteral("断面及水力要素%1（情况 %2）")
                       .arg(project.isEmpty() ? QString() : QStringLiteral(" - ") + project)
                       .arg(request.caseNo));
    report_->setEnabled(true);
    dxf_->setEnabled(true);
    drawing::SectionFigure shown = figure;
    shown.increasePercent = increase_->startFor(figure.point.Q);
    view_->setFigure(shown);
    connection_->setEnabled(true);
    updateConnection();
}

void SectionWindow::clearFigure() {
    request_.reset();
    report_->setEnabled(false);
    dxf_->setEnabled(false);
    connection_->setEnabled(false);
    increase_->clear();
    view_->setFigure(std::nullopt);
    updateConnection();
}

void SectionWindow::redrawAtIncrease(double percent) {
    std::optional<drawing::SectionFigure> figure = view_->figure();
    if (!figure)
        return;
    figure->increasePercent = percent;
    view_->setFigure(figure);
    updateConnection();
}

void SectionWindow::showConnection() {
    if (!connectionWindow_) {
        connectionWindow_ = new ConnectionWindow(this);
        connect(connectionWindow_, &ConnectionWindow::lossCoefficientsChosen, this,
                &SectionWindow::lossCoefficientsChosen);
    }
    updateConnection();
    connectionWindow_->show();
    connectionWindow_->raise();
    connectionWindow_->activateWindow();
}

void SectionWindow::updateConnection() {
    if (!connectionWindow_)
        return;
    if (!request_ || !figure()) {
        connectionWindow_->clearFlume();
        return;
    }
    const hydraulics::ConnectionFlume flume{
        figure()->point, figure()->length, request_->inputs[hydraulics::PosXi1],
        request_->inputs[hydraulics::PosXi2], figure()->increasePercent};
    // "p1情况1断面图" prints as "p1情况1水面衔接".
    QString printName = pdfBaseName_;
    if (printName.endsWith(QStringLiteral("断面图")))
        printName.chop(3);
    connectionWindow_->setFlume(flume, request_->projectName,
                                printName + QStringLiteral("水面衔接"), request_->caseNo);
}

const std::optional<drawing::SectionFigure>& SectionWindow::figure() const {
    return view_->figure();
}

void SectionWindow::printWindow() {
    increase_->commit(); // a p still being typed is the one printed
    ReportPrintOutcome(this, windowTitle(), PrintWindowImage(*this, pdfBaseName_));
}

bool SectionWindow::writeReport(const QString& path) {
    increase_->commit(); // a p still being typed is the one the report takes
    if (!request_ || !figure())
        return false;
    // The design checks at the increase shown.
    report::ReportRequest request = *request_;
    request.increasePercent = figure()->increasePercent;
    request.connection = project::SavedConnection(request.projectName); // 水面衔接与高程
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

namespace windows {

bool SectionWindow::writeDxf(const QString& path) {
    increase_->commit(); // a p still being typed is the one drawn
    if (!request_ || !figure())
        return false;
    return WriteDxfFile(this, windowTitle(), path,
                        drawing::CalculatedDrawing(*figure(), request_->projectName));
}

void SectionWindow::saveDxf() {
    if (!request_)
        return;
    const QString path =
        AskDxfPath(this, QString::fromStdString(request_->projectName) + QStringLiteral("断面"));
    if (!path.isEmpty())
        writeDxf(path);
}

} // namespace windows
