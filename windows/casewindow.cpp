// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/casewindow.h"

#include "drawing/sectiondrawing.h"
#include "hydraulics/cases.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"
#include "project/connectiondata.h"
#include "project/designdata.h"
#include "project/nearname.h"
#include "project/projectfile.h"
#include "project/regionalnumber.h"
#include "windows/caselayout.h"
#include "windows/casewindowbuilder.h"
#include "windows/look.h"
#include "windows/sectionwindow.h"
#include "windows/sweepwindow.h"
#include "windows/windowprinter.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <exception>
#include <optional>

namespace windows {

namespace {

constexpr int kInputCount = 8;
constexpr int kResultCount = 5;
constexpr int kNoteGap = 4; // px under the applicability note

// What an input box holds, for messages: "基本资料表中的流量 Q".
std::string InputSubject(const hydraulics::CaseInfo& info, int index) {
    const hydraulics::Quantity& q = info.inputNames[std::size_t(index)];
    return "基本资料表中的" + std::string(q.caption) + " " + std::string(q.display);
}

// Its column as the header names it: "“流量 Q”".
QString InputColumn(const hydraulics::CaseInfo& info, int index) {
    const hydraulics::Quantity& q = info.inputNames[std::size_t(index)];
    return QStringLiteral("“%1 %2”").arg(Utf8(q.caption), Utf8(q.display));
}

} // namespace

CaseWindow::CaseWindow(hydraulics::ProjectState& state, int caseNo, QWidget* parent)
    : QWidget(parent), state_(state), layout_(LayoutOf(caseNo)) {
    CaseWindowControls controls = BuildCaseWindow(*this, layout_);
    boxes_ = controls.boxes;
    command4_ = controls.section;
    applicabilityNote_ = controls.applicabilityNote;
    runtimeCaptions_ = std::move(controls.runtimeCaptions);
    connect(controls.calculate, &QPushButton::clicked, this, &CaseWindow::calculate);
    connect(controls.print, &QPushButton::clicked, this, &CaseWindow::printWindow);
    connect(controls.end, &QPushButton::clicked, this, &CaseWindow::endProgram);
    connect(command4_, &QPushButton::clicked, this, &CaseWindow::showSection);
    auto* command5 = new QPushButton(QStringLiteral("方案比选"), this);
    placeSweepButton(command5);
    connect(command5, &QPushButton::clicked, this, &CaseWindow::showSweep);
}

void CaseWindow::placeSweepButton(QPushButton* command5) {
    // Left of "结 束 计 算" as "断面图" stands right of it, in the same font
    // and height, and after it in the tab order; open before any success.
    command5->setObjectName(QStringLiteral("Command5"));
    command5->setFont(command4_->font());
    const int gap = layout_.command4.x - (layout_.command3.x + kCommand3Size.x);
    command5->setGeometry(Px(layout_.command3.x - gap - kCommand4Size.x), Px(layout_.command3.y),
                          Px(kCommand4Size.x), Px(kCommand4Size.y));
    QWidget::setTabOrder(command4_, command5);
}

CaseWindow::~CaseWindow() = default;

int CaseWindow::caseNo() const {
    return layout_.caseNo;
}

QString CaseWindow::userName() const {
    return QStringLiteral("情况 %1 的计算窗口").arg(layout_.caseNo);
}

const std::string& CaseWindow::projectName() const {
    return projectName_;
}

QString CaseWindow::fileBaseName(const QString& what) const {
    return QString::fromStdString(projectName_) + QStringLiteral("情况%1").arg(layout_.caseNo) +
           what;
}

void CaseWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    PaintCaseTables(painter, layout_);
}

bool CaseWindow::offerNearProject() {
    const std::optional<std::string> near = project::NearProjectName(state_.ProjectName);
    if (!near)
        return true; // the file as named is read, or its absence told
    QWidget* parent = isVisible() ? this : parentWidget();
    QMessageBox question(
        QMessageBox::Question, userName() + QStringLiteral(" - 打开项目"),
        QStringLiteral("项目文件“%1”不存在，但有名称只差前后空格的项目文件“%2”。"
                       "要打开“%2”并以它的名称继续吗？")
            .arg(QString::fromStdString(project::ProjectFileName(state_.ProjectName)),
                 QString::fromStdString(project::ProjectFileName(*near))),
        QMessageBox::NoButton, parent);
    QPushButton* open = question.addButton(QStringLiteral("打开"), QMessageBox::AcceptRole);
    question.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    question.setDefaultButton(open);
    question.exec();
    if (question.clickedButton() != open)
        return false;
    state_.ProjectName = *near;
    return true;
}

bool CaseWindow::load() {
    for (const auto& [label, caption] : runtimeCaptions_)
        label->setText(caption);
    project::ProjectValues values{};
    const bool restore = state_.ProjectMode != 1.0f;
    if (restore && !offerNearProject())
        return false;
    if (restore) {
        try {
            values = project::ReadProjectFile(state_.ProjectName);
        } catch (const hydraulics::CalcError& e) {
            // A new window is not shown yet: the message belongs to whoever
            // opens it.
            QMessageBox::critical(isVisible() ? this : parentWidget(),
                                  userName() + QStringLiteral(" - 无法打开项目"),
                                  QString::fromStdString(e.message()) +
                                      QStringLiteral("\n%1没有%2。请检查主窗口“项目名”中的名称，"
                                                     "或选择“新计算项目”。")
                                          .arg(userName(), loaded_ ? QStringLiteral("换项目")
                                                                   : QStringLiteral("打开")));
            return false;
        }
    }
    if (loaded_) { // afresh for another project
        clearResults();
        // The section, its print and its report belonged to the other
        // project: the next success makes them anew under this one.
        delete section_;
        section_ = nullptr;
        delete sweep_;
        sweep_ = nullptr;
        if (!restore)
            blankInputs();
    }
    projectName_ = state_.ProjectName;
    loaded_ = true;
    // "Form2 - p1": two projects open side by side are told apart. A project
    // without a name (its file is "us.dat") leaves the window's name alone.
    setWindowTitle(projectName_.empty() ? Utf8(layout_.name)
                                        : Utf8(layout_.name) + QStringLiteral(" - ") +
                                              QString::fromStdString(projectName_));
    if (!restore)
        return true;
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    for (int k = 0; k < kInputCount; ++k)
        hydraulics::FieldRef(state_, info.inputs[std::size_t(k)]) = values[std::size_t(k)];
    const QLocale locale;
    for (int k = 0; k < kInputCount; ++k) {
        const float value = hydraulics::FieldValue(state_, info.inputs[std::size_t(k)]);
        showText(boxes_[std::size_t(k)],
                 project::ShowRegionalNumber(hydraulics::FormatSingle(value), locale));
    }
    return true;
}

void CaseWindow::blankInputs() {
    // The design contents: a single space.
    for (int k = 0; k < kInputCount; ++k)
        boxes_[std::size_t(k)]->setText(QStringLiteral(" "));
}

void CaseWindow::showText(QLineEdit* box, const QString& text) {
    box->setText(text);
    // A number longer than the box shows its leading digits, not its tail.
    box->setCursorPosition(0);
}

void CaseWindow::clearResults() {
    for (int k = kInputCount; k < kInputCount + kResultCount; ++k) {
        boxes_[std::size_t(k)]->clear();
    }
    // The section belongs to the results: it goes with them.
    command4_->setEnabled(false);
    showApplicabilityNote(false);
    if (section_)
        section_->clearFigure();
}

void CaseWindow::showApplicabilityNote(bool shown) {
    // The line stands below the designed client area: the window grows to
    // show it and gives the room back when it goes.
    const int designed = Px(layout_.clientHeight);
    const int withNote = applicabilityNote_->geometry().bottom() + 1 + kNoteGap;
    applicabilityNote_->setVisible(shown);
    if (shown && height() < withNote)
        resize(width(), withNote);
    else if (!shown && height() == withNote)
        resize(width(), designed);
}

void CaseWindow::updateSection(const std::array<float, 8>& inputs) {
    // The design point and flume length as this calculation left them in
    // the shared state, read before any other window can calculate. The
    // section window sets the increase of the design checks. The report is
    // made from the inputs as typed (case 2 leaves its own head in the state).
    const drawing::SectionFigure figure{hydraulics::FromCase(state_, layout_.caseNo),
                                        layout_.caseNo, state_.BasicData[hydraulics::PosL]};
    showApplicabilityNote(hydraulics::Applicability(figure.point) == hydraulics::Verdict::NotMet);
    if (!section_) {
        section_ = new SectionWindow(this);
        connect(section_, &SectionWindow::lossCoefficientsChosen, this,
                &CaseWindow::fillLossCoefficients);
        connect(section_, &SectionWindow::sweepRequested, this, &CaseWindow::showSweep);
        connect(section_, &SectionWindow::recommendRequested, this, [this] {
            showSweep();
            sweep_->showRecommendation();
        });
    }
    // The window's own project names the printed page and the report.
    section_->showFigure(figure, fileBaseName(QStringLiteral("断面图")),
                         report::ReportRequest{projectName_, layout_.caseNo, inputs});
    command4_->setEnabled(true);
}

void CaseWindow::fillLossCoefficients(double xi1, double xi2) {
    // Into the boxes only: the user calculates again when ready.
    const QLocale locale;
    const double values[] = {xi1, xi2};
    for (std::size_t k = 0; k < 2; ++k)
        showText(boxes_[hydraulics::PosXi1 + k],
                 project::ShowRegionalNumber(hydraulics::FormatSingle(float(values[k])), locale));
    raise();
    activateWindow();
}

void CaseWindow::warn(const QString& what, const QString& text) {
    QMessageBox::warning(this, userName() + QStringLiteral(" - ") + what, text);
}

bool CaseWindow::readInputs(project::ProjectValues& values) {
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    const QLocale locale; // the user's regional format
    for (int k = 0; k < kInputCount; ++k) {
        QLineEdit* box = boxes_[std::size_t(k)];
        try {
            values[std::size_t(k)] =
                project::ReadRegionalNumber(box->text(), locale, InputSubject(info, k));
        } catch (const hydraulics::CalcError& e) {
            clearResults();
            warn(QStringLiteral("输入有误"),
                 QString::fromStdString(e.message()) +
                     QStringLiteral("。\n请改正基本资料表中%1一栏的数字，再点“%2”。成果表已清空。")
                         .arg(InputColumn(info, k), Utf8(kCommand2Text)));
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
            return false;
        }
        // Stored at once: the fields before a faulty box keep their new values.
        hydraulics::FieldRef(state_, info.inputs[std::size_t(k)]) = values[std::size_t(k)];
    }
    return true;
}

QString CaseWindow::saveInputs(const project::ProjectValues& values) {
    try {
        project::WriteProjectFile(projectName_, values);
    } catch (const hydraulics::CalcError& e) {
        return QString::fromStdString(e.message()) +
               QStringLiteral("。因此本次输入的基本资料没有保存，原有的项目文件保持不变。");
    }
    return {};
}

bool CaseWindow::solve(hydraulics::ResultTexts& results, const QString& unsaved) {
    // "计算槽宽及水头损失没有完成：" and what went wrong, in whole sentences.
    QString failure;
    try {
        results = hydraulics::SolveCase(state_, layout_.caseNo);
        return true;
    } catch (const hydraulics::CalcError& e) {
        failure = QString::fromStdString(e.sentence());
    } catch (const hydraulics::NotConverged& e) {
        failure = QString::fromStdString(e.sentence());
    } catch (const std::exception& e) {
        failure =
            QStringLiteral("计算中出现了意外的错误（%1）。").arg(QString::fromLocal8Bit(e.what()));
    }
    clearResults();
    warn(QStringLiteral("计算没有完成"), Utf8(layout_.task) + QStringLiteral("没有完成：") +
                                             failure + QStringLiteral("\n成果表已清空。") +
                                             (unsaved.isEmpty() ? QString() : u'\n' + unsaved));
    return false;
}

void CaseWindow::showResults(const hydraulics::ResultTexts& results) {
    const QLocale locale; // the user's regional format
    for (int k = 0; k < kResultCount; ++k) {
        QLineEdit* box = boxes_[std::size_t(kInputCount + k)];
        // The whole number is also the box's tooltip (FittingLineEdit).
        showText(box, project::ShowRegionalNumber(results[std::size_t(k)], locale));
    }
}

void CaseWindow::calculate() {
    project::ProjectValues values{};
    hydraulics::ResultTexts results;
    if (!readInputs(values))
        return;
    if (sweep_) { // the comparison sweeps around what is typed now
        std::array<std::optional<float>, 8> base;
        std::copy(values.begin(), values.end(), base.begin());
        sweep_->setBase(base);
    }
    // Saved first; a file that cannot be written does not stop the
    // calculation, the message says what was not kept.
    const QString unsaved = saveInputs(values);
    if (!solve(results, unsaved))
        return;
    showResults(results);
    updateSection(values);
    if (!unsaved.isEmpty())
        warn(QStringLiteral("项目文件没有保存"),
             unsaved + QStringLiteral("计算照常进行，成果表中是本次输入的计算成果。"));
}

void CaseWindow::printWindow() {
    ReportPrintOutcome(this, userName(),
                       PrintWindowImage(*this, fileBaseName(QStringLiteral("计算窗口"))));
}

void CaseWindow::endProgram() {
    emit endRequested();
}

void CaseWindow::showSection() {
    if (!section_)
        return;
    section_->show();
    section_->raise();
    section_->activateWindow();
}

void CaseWindow::showSweep() {
    // The boxes as they stand, read without a message: the comparison says
    // which one it cannot use when it is run.
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    std::array<std::optional<float>, 8> inputs;
    std::array<QString, 8> problems;
    for (int k = 0; k < kInputCount; ++k) {
        try {
            inputs[std::size_t(k)] = project::ReadRegionalNumber(boxes_[std::size_t(k)]->text(),
                                                                 QLocale(), InputSubject(info, k));
        } catch (const hydraulics::CalcError& e) {
            problems[std::size_t(k)] = QString::fromStdString(e.message());
        }
    }
    if (!sweep_) {
        sweep_ = new SweepWindow(layout_.caseNo, fileBaseName(QStringLiteral("方案比选")), this);
        connect(sweep_, &SweepWindow::valueAdopted, this, [this](int index, const QString& text) {
            adoptValues({{index, text}});
        });
        connect(sweep_, &SweepWindow::valuesAdopted, this, &CaseWindow::adoptValues);
        if (section_ && section_->figure()) // starts at the increase the section shows
            sweep_->setIncrease(section_->figure()->increasePercent);
    }
    sweep_->setConnection(project::SavedConnection(projectName_));
    sweep_->setConditions(project::SavedConditions(projectName_));
    sweep_->setBase(inputs, problems);
    sweep_->show();
    sweep_->raise();
    sweep_->activateWindow();
}

void CaseWindow::adoptValues(const QList<QPair<int, QString>>& values) {
    for (const auto& [index, engineText] : values)
        if (index >= 0 && index < kInputCount)
            showText(boxes_[std::size_t(index)],
                     project::ShowRegionalNumber(engineText.toStdString(), QLocale()));
    calculate();
    raise();
}

} // namespace windows
