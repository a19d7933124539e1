// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sectionwindow.h"

#include "hydraulics/errors.h"
#include "project/connectiondata.h"
#include "project/designdata.h"
#include "project/sidefile.h"
#include "windows/appearance.h"
#include "windows/captionstyle.h"
#include "windows/connectionwindow.h"
#include "windows/designinput.h"
#include "windows/dxfexport.h"
#include "windows/enterclick.h"
#include "windows/increaseinput.h"
#include "windows/look.h"
#include "windows/reportwriter.h"
#include "windows/sectionview.h"
#include "windows/stalequestion.h"
#include "windows/windowprinter.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace windows {

SectionWindow::SectionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("断面及水力要素"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    view_ = new SectionView;
    // On a small or scaled screen the drawing scrolls at its natural size
    // rather than shrinking or pushing the p box and the buttons off the
    // screen; a larger window draws it larger.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("SectionScroll"));
    scroll->setWidget(view_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setAlignment(Qt::AlignCenter);
    buildButtons();
    increase_ = new IncreaseInput(this);
    connect(increase_, &IncreaseInput::percentChanged, this, &SectionWindow::redrawAtIncrease);
    conditionsInput_ = new DesignInput(this);
    connect(conditionsInput_, &DesignInput::conditionsChanged, this,
            &SectionWindow::takeConditions);
    staleNote_ = MakeStaleNote(this, kStaleNote + QStringLiteral("：图表仍是上次计算的成果。"));
    buildStatusLine();
    writer_ = new ReportWriter(this, status_);
    connect(writer_, &ReportWriter::gradeChosen, this, [this](const std::string& grade) {
        if (connectionWindow_)
            connectionWindow_->setGrade(grade);
        conditions_.grade = grade.empty() ? std::nullopt : std::optional(std::stoi(grade));
        recompute();
    });

    auto* inputs = new QVBoxLayout;
    inputs->addWidget(increase_, 0, Qt::AlignHCenter);
    inputs->addWidget(conditionsInput_, 0, Qt::AlignHCenter);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {print_, report_, dxf_, connection_, sweep_, recommend_}) {
        buttons->addWidget(button);
        buttons->addSpacing(button == recommend_ ? 0 : 24);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(staleNote_);
    layout->addWidget(scroll, 1);
    layout->addLayout(inputs);
    layout->addLayout(buttons);
    layout->addWidget(status_);
    fitScreen(inputs->sizeHint().height() + buttons->sizeHint().height() +
              status_->sizeHint().height() + 24);
}

void SectionWindow::buildStatusLine() {
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusLine"));
    status_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    status_->setContentsMargins(8, 2, 8, 0);
    status_->setMinimumHeight(status_->fontMetrics().height() + 2); // kept while empty
    connect(status_, &QLabel::linkActivated, this,
            [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
}

void SectionWindow::fitScreen(int belowDrawing) {
    // The whole canvas where the screen allows (a new window would get at
    // most two thirds of the screen); where it does not, the drawing
    // scrolls up and down, with room for the scroll bar beside it.
    QSize whole = view_->sizeHint() + QSize(0, belowDrawing);
    if (const QScreen* screen = this->screen()) {
        const QSize room = screen->availableGeometry().size() * 0.92;
        if (whole.height() > room.height())
            whole.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
        whole = whole.boundedTo(room);
    }
    resize(whole);
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
    new EnterClick({print_, report_, dxf_, connection_, sweep_, recommend_}, this);
}

void SectionWindow::showCalculation(const hydraulics::CaseOutcome& outcome,
                                    const QString& pdfBaseName,
                                    const report::ReportRequest& request) {
    pdfBaseName_ = pdfBaseName;
    request_ = request;
    outcome_ = outcome;
    // Which project and case the drawing belongs to, as the case window's
    // title names its project.
    const QString project = QString::fromStdString(request.projectName);
    setWindowTitle(QStringLiteral("断面及水力要素%1（情况 %2）")
                       .arg(project.isEmpty() ? QString() : QStringLiteral(" - ") + project)
                       .arg(request.caseNo));
    if (!loaded_ || loadedProject_ != request.projectName)
        loadProject();
    conditions_.increasePercent = increase_->startFor(outcome.design->Q, conditions_.region);
    for (QPushButton* button : {report_, dxf_, connection_})
        button->setEnabled(true);
    recompute();
}

void SectionWindow::loadProject() {
    loaded_ = true;
    loadedProject_ = request_->projectName;
    const std::string& name = loadedProject_;
    std::string problem;
    conditions_ =
        name.empty() ? hydraulics::DesignConditions{} : project::SavedConditions(name, &problem);
    canals_ = name.empty() ? std::nullopt : project::SavedConnection(name);
    conditionsInput_->show(conditions_);
    status_->setText(QString::fromStdString(problem).toHtmlEscaped()); // told, never waited for
    emit designChanged();
}

void SectionWindow::recompute() {
    if (!request_ || !outcome_)
        return;
    hydraulics::DesignRequest request{request_->caseNo, request_->inputs, conditions_, canals_};
    request.outcome = outcome_;
    design_ = std::make_shared<const hydraulics::Design>(hydraulics::ComputeDesign(request));
    view_->setFigure(drawing::SectionFigure{*outcome_->design, request_->caseNo, outcome_->length,
                                            conditions_.increasePercent, design_});
    updateConnection();
}

void SectionWindow::clearFigure() {
    request_.reset();
    outcome_.reset();
    design_.reset();
    for (QPushButton* button : {report_, dxf_, connection_})
        button->setEnabled(false);
    increase_->clear();
    view_->setFigure(std::nullopt);
    updateConnection();
}

void SectionWindow::takeConditions() {
    conditions_ = conditionsInput_->applied(conditions_);
    if (outcome_) // the region may pick the other end of table 6.3.4's row
        conditions_.increasePercent = increase_->startFor(outcome_->design->Q, conditions_.region);
    if (request_ && !request_->projectName.empty()) {
        try {
            project::WriteSideSection(request_->projectName, QStringLiteral("design"),
                                      project::ConditionsJson(conditions_));
        } catch (const hydraulics::CalcError& e) {
            QMessageBox::warning(
                this, windowTitle() + QStringLiteral(" - 设计条件未保存"),
                Sentence(e.message()) +
                    QStringLiteral("\n设计条件仍用于本次计算，但下次需重新设置。"));
        }
    }
    recompute();
    emit designChanged();
}

void SectionWindow::takeCanals(const hydraulics::ConnectionInput& canals) {
    canals_ = canals;
    conditions_.grade = canals.grade;
    recompute();
    emit designChanged();
}

void SectionWindow::setStale(bool stale) {
    stale_ = stale;
    staleNote_->setVisible(stale);
    if (connectionWindow_)
        connectionWindow_->setBasicStale(stale);
}

bool SectionWindow::goOnDespiteStale() {
    if (!stale_)
        return true;
    switch (AskAboutStaleResults(this, windowTitle())) {
    case StaleAnswer::UseOld:
        return true;
    case StaleAnswer::Recalculate:
        emit recalculationRequested(); // the case window calculates and tells this one
        return !stale_ && design_;
    case StaleAnswer::Cancel:
        break;
    }
    return false;
}

void SectionWindow::redrawAtIncrease(double percent) {
    conditions_.increasePercent = percent;
    recompute();
}

void SectionWindow::showConnection() {
    if (!connectionWindow_) {
        connectionWindow_ = new ConnectionWindow(this);
        connect(connectionWindow_, &ConnectionWindow::lossCoefficientsChosen, this,
                &SectionWindow::lossCoefficientsChosen);
        connect(connectionWindow_, &ConnectionWindow::approachVelocityChosen, this,
                &SectionWindow::approachVelocityChosen);
        connect(connectionWindow_, &ConnectionWindow::canalsTaken, this,
                &SectionWindow::takeCanals);
        connect(connectionWindow_, &ConnectionWindow::gradeKept, this,
                [this](int grade) { writer_->setGrade(std::to_string(grade)); });
        connectionWindow_->setBasicStale(stale_);
    }
    updateConnection();
    connectionWindow_->show();
    connectionWindow_->raise();
    connectionWindow_->activateWindow();
}

void SectionWindow::updateConnection() {
    if (!connectionWindow_)
        return;
    if (!request_ || !design_) {
        connectionWindow_->clearDesign();
        return;
    }
    // "p1情况1断面图" prints as "p1情况1水面衔接".
    QString printName = pdfBaseName_;
    if (printName.endsWith(QStringLiteral("断面图")))
        printName.chop(3);
    connectionWindow_->setDesign(design_, request_->projectName,
                                 printName + QStringLiteral("水面衔接"));
}

const std::optional<hydraulics::ConnectionInput>& SectionWindow::canals() const {
    return canals_;
}

const hydraulics::DesignConditions& SectionWindow::conditions() const {
    return conditions_;
}

const std::optional<drawing::SectionFigure>& SectionWindow::figure() const {
    return view_->figure();
}

void SectionWindow::printWindow() {
    increase_->commit(); // a value still being typed is the one printed
    conditionsInput_->commit();
    if (!goOnDespiteStale()) // a print made anyway carries the note
        return;
    ReportPrintOutcome(this, windowTitle(),
                       PrintImage(printedImage(), windowTitle(), pdfBaseName_));
}

QPixmap SectionWindow::printedImage() const {
    std::vector<QPixmap> parts;
    if (staleNote_->isVisible())
        parts.push_back(staleNote_->grab());
    parts.push_back(view_->grab()); // all of it, the part scrolled away included
    parts.push_back(increase_->grab());
    parts.push_back(conditionsInput_->grab());
    int width = 0, height = 0;
    for (const QPixmap& part : parts) {
        width = std::max(width, int(part.deviceIndependentSize().width()));
        height += int(part.deviceIndependentSize().height());
    }
    const qreal ratio = view_->devicePixelRatioF();
    QPixmap page(QSize(width, height) * ratio);
    page.setDevicePixelRatio(ratio);
    page.fill(Qt::white);
    QPainter painter(&page);
    int top = 0;
    for (const QPixmap& part : parts) {
        painter.drawPixmap(QPointF((width - part.deviceIndependentSize().width()) / 2, top), part);
        top += int(part.deviceIndependentSize().height());
    }
    return page;
}

const project::ReportIdentity& SectionWindow::reportIdentity() const {
    return writer_->identity();
}

report::ReportRequest SectionWindow::reportRequest() const {
    report::ReportRequest request = *request_;
    request.increasePercent = conditions_.increasePercent;
    request.conditions = conditions_;
    request.region = conditions_.region;
    request.connection = canals_; // 水面衔接与高程
    return request;
}

bool SectionWindow::writeReport(const QString& path) {
    increase_->commit(); // a value still being typed is the one the report takes
    conditionsInput_->commit();
    if (!request_ || !design_)
        return false;
    return writer_->write(reportRequest(), path);
}

void SectionWindow::saveReport() {
    if (request_ && goOnDespiteStale())
        writer_->save(reportRequest());
}

bool SectionWindow::writeDxf(const QString& path) {
    increase_->commit(); // a value still being typed is the one drawn
    conditionsInput_->commit();
    if (!request_ || !design_)
        return false;
    return WriteDxfFile(this, windowTitle(), path,
                        drawing::DesignDrawing(*design_, request_->projectName));
}

void SectionWindow::saveDxf() {
    if (!request_ || !goOnDespiteStale())
        return;
    const QString path =
        AskDxfPath(this, QString::fromStdString(request_->projectName) + QStringLiteral("断面"));
    if (!path.isEmpty())
        writeDxf(path);
}

} // namespace windows
