// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/casewindow.h"

#include "hydraulics/cases.h"
#include "hydraulics/design.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"
#include "project/connectiondata.h"
#include "project/designdata.h"
#include "project/projectfile.h"
#include "project/regionalnumber.h"
#include "windows/caselayout.h"
#include "windows/casewindowbuilder.h"
#include "windows/look.h"
#include "windows/nearproject.h"
#include "windows/sectionwindow.h"
#include "windows/stalequestion.h"
#include "windows/stalewatch.h"
#include "windows/sweepbase.h"
#include "windows/sweepwindow.h"
#include "windows/undernotes.h"
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
const QColor kStaleInk{140, 140, 140}; // results the inputs have left behind

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
    runtimeCaptions_ = std::move(controls.runtimeCaptions);
    notes_ = new UnderNotes(*this);
    staleNote_ = notes_->add(QStringLiteral("StaleNote"),
                             kStaleNote + QStringLiteral("；请点“%1”。").arg(Utf8(kCommand2Text)));
    applicabilityNote_ = notes_->add(QStringLiteral("ApplicabilityNote"),
                                     QStringLiteral("h < B/2：直墙公式不适用，成果仅供参考；"
                                                    "请在情况 3 中以求得的槽宽复核水深。"));
    stale_ = new StaleWatch(
        [this] {
            QStringList texts;
            for (int k = 0; k < kInputCount; ++k)
                texts << boxes_[std::size_t(k)]->text();
            return QVariant(texts);
        },
        this);
    connect(stale_, &StaleWatch::staleChanged, this, &CaseWindow::markResults);
    for (int k = 0; k < kInputCount; ++k)
        connect(boxes_[std::size_t(k)], &QLineEdit::textChanged, this, &CaseWindow::followInputs);
    connect(controls.calculate, &QPushButton::clicked, this, &CaseWindow::calculate);
    connect(controls.print, &QPushButton::clicked, this, &CaseWindow::printWindow);
    connect(controls.end, &QPushButton::clicked, this, &CaseWindow::endProgram);
    connect(command4_, &QPushButton::clicked, this, &CaseWindow::showSection);
    connect(controls.sweep, &QPushButton::clicked, this, &CaseWindow::showSweep);
}

CaseWindow::~CaseWindow() = default;

int CaseWindow::caseNo() const {
    return layout_.caseNo;
}

QString CaseWindow::userName() const {
    return QStringLiteral("情况 %1 的计算窗口").arg(layout_.caseNo);
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

bool CaseWindow::load() {
    for (const auto& [label, caption] : runtimeCaptions_)
        label->setText(caption);
    project::ProjectValues values{};
    const bool restore = state_.ProjectMode != 1.0f;
    if (restore &&
        !OfferNearProject(isVisible() ? this : parentWidget(), userName(), state_.ProjectName))
        return false;
    if (restore) {
        try {
            values = project::ReadProjectFile(state_.ProjectName);
        } catch (const hydraulics::CalcError& e) {
            // A new window is not shown yet: the message is its opener's.
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
        // The section and the comparison were the other project's.
        delete section_;
        section_ = nullptr;
        delete sweep_;
        sweep_ = nullptr;
        for (int k = 0; !restore && k < kInputCount; ++k) // the design contents: a single space
            boxes_[std::size_t(k)]->setText(QStringLiteral(" "));
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

void CaseWindow::showText(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0); // a long number shows its leading digits, not its tail
}

void CaseWindow::clearResults() {
    for (int k = kInputCount; k < kInputCount + kResultCount; ++k)
        boxes_[std::size_t(k)]->clear();
    // The section belongs to the results: it goes with them.
    command4_->setEnabled(false);
    notes_->show(applicabilityNote_, false);
    stale_->cleared();
    if (section_)
        section_->clearFigure();
}

void CaseWindow::followInputs() {
    stale_->recheck();
    if (sweep_) // its rows stay current while the other inputs do
        sweep_->setBase(readBase());
}

void CaseWindow::markResults(bool stale) {
    // Greyed, not cleared: the old results stay readable, and printable
    // with the note, until the next calculation.
    for (int k = kInputCount; k < kInputCount + kResultCount; ++k) {
        QLineEdit* box = boxes_[std::size_t(k)];
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, stale ? kStaleInk : this->palette().color(QPalette::Text));
        box->setPalette(palette);
    }
    notes_->show(staleNote_, stale);
    if (section_)
        section_->setStale(stale);
}

bool CaseWindow::goOnDespiteStale() {
    if (!stale_->isStale())
        return true;
    switch (AskAboutStaleResults(this, userName())) {
    case StaleAnswer::UseOld:
        return true;
    case StaleAnswer::Recalculate:
        calculate();
        return stale_->hasResults() && !stale_->isStale();
    case StaleAnswer::Cancel:
        break;
    }
    return false;
}

void CaseWindow::updateSection(const std::array<float, 8>& inputs,
                               const hydraulics::ResultTexts& results) {
    // The outcome as this calculation left it in the shared state, read before any
    // other window can calculate; the report is made from the inputs as typed.
    const hydraulics::CaseOutcome outcome =
        hydraulics::SucceededOutcome(state_, layout_.caseNo, inputs, results);
    notes_->show(applicabilityNote_,
                 hydraulics::Applicability(*outcome.design) == hydraulics::Verdict::NotMet);
    if (!section_) {
        section_ = new SectionWindow(this);
        connect(section_, &SectionWindow::lossCoefficientsChosen, this,
                &CaseWindow::fillLossCoefficients);
        connect(section_, &SectionWindow::approachVelocityChosen, this,
                &CaseWindow::fillApproachVelocity);
        connect(section_, &SectionWindow::sweepRequested, this, &CaseWindow::showSweep);
        connect(section_, &SectionWindow::recalculationRequested, this, &CaseWindow::calculate);
        connect(section_, &SectionWindow::designChanged, this, &CaseWindow::passDesign);
        connect(section_, &SectionWindow::recommendRequested, this, [this] {
            showSweep();
            sweep_->showRecommendation();
        });
    }
    // The window's own project names the printed page and the report.
    section_->showCalculation(outcome, fileBaseName(QStringLiteral("断面图")),
                              report::ReportRequest{projectName_, layout_.caseNo, inputs});
    command4_->setEnabled(true);
}

void CaseWindow::fillLossCoefficients(double xi1, double xi2) {
    fillBoxes({{hydraulics::PosXi1, xi1}, {hydraulics::PosXi2, xi2}});
}

void CaseWindow::fillApproachVelocity(double velocity) {
    fillBoxes({{hydraulics::PosV, velocity}}); // V is the fifth box in every case
}

void CaseWindow::fillBoxes(std::initializer_list<std::pair<std::size_t, double>> values) {
    const QLocale locale;
    for (const auto& [index, value] : values)
        showText(boxes_[index],
                 project::ShowRegionalNumber(hydraulics::FormatSingle(float(value)), locale));
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
                project::ReadRegionalNumber(box->text(), locale, InputSubject(layout_.caseNo, k));
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
        showText(box, project::ShowRegionalNumber(results[std::size_t(k)], locale));
    }
}

void CaseWindow::calculate() {
    project::ProjectValues values{};
    hydraulics::ResultTexts results;
    if (!readInputs(values))
        return;
    // Saved first; a file that cannot be written does not stop the calculation.
    const QString unsaved = saveInputs(values);
    if (!solve(results, unsaved))
        return;
    showResults(results);
    updateSection(values, results);
    stale_->calculated();
    if (!unsaved.isEmpty())
        warn(QStringLiteral("项目文件没有保存"),
             unsaved + QStringLiteral("计算照常进行，成果表中是本次输入的计算成果。"));
}

void CaseWindow::printWindow() {
    if (!goOnDespiteStale()) // a print made anyway carries the note
        return;
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

SweepBase CaseWindow::readBase() const {
    std::array<QString, 8> texts;
    for (int k = 0; k < kInputCount; ++k)
        texts[std::size_t(k)] = boxes_[std::size_t(k)]->text();
    return ReadSweepBase(layout_.caseNo, texts);
}

void CaseWindow::showSweep() {
    if (!sweep_) {
        sweep_ = new SweepWindow(layout_.caseNo, fileBaseName(QStringLiteral("方案比选")), this);
        sweep_->setWindowTitle(projectName_.empty() ? QStringLiteral("方案比选")
                                                    : QStringLiteral("方案比选 - ") +
                                                          QString::fromStdString(projectName_));
        connect(sweep_, &SweepWindow::valueAdopted, this, [this](int index, const QString& text) {
            adoptValues({{index, text}});
        });
        connect(sweep_, &SweepWindow::valuesAdopted, this, &CaseWindow::adoptValues);
        if (section_ && section_->figure()) // starts at the increase the section shows
            sweep_->setIncrease(section_->figure()->increasePercent);
    }
    passDesign();
    // The boxes as read without a message: the comparison names one it cannot use.
    sweep_->openFor(readBase());
    sweep_->show();
    sweep_->raise();
    sweep_->activateWindow();
}

void CaseWindow::passDesign() {
    if (sweep_)
        sweep_->setConnection(
            section_ ? section_->canals() : project::SavedConnection(projectName_),
            section_ ? section_->conditions() : project::SavedConditions(projectName_));
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
