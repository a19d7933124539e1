#include "windows/casewindow.h"

#include "drawing/sectiondrawing.h"
#include "hydraulics/cases.h"
#include "hydraulics/errors.h"
#include "hydraulics/module1.h"
#include "hydraulics/numtext.h"
#include "project/projectfile.h"
#include "project/regionalnumber.h"
#include "windows/caselayout.h"
#include "windows/casewindowbuilder.h"
#include "windows/sectionwindow.h"
#include "windows/windowprinter.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <exception>

namespace windows {

namespace {

constexpr int kInputCount = 8;
constexpr int kResultCount = 5;

// What an input box holds, for messages: "流量 Q（Text1）".
std::string InputSubject(const hydraulics::CaseInfo& info, int index) {
    const hydraulics::Quantity& q = info.inputNames[std::size_t(index)];
    return std::string(q.caption) + " " + std::string(q.display) + "（Text" +
           std::to_string(index + 1) + "）";
}

} // namespace

CaseWindow::CaseWindow(hydraulics::Module1& state, int caseNo, QWidget* parent)
    : QWidget(parent), state_(state), layout_(LayoutOf(caseNo)) {
    CaseWindowControls controls = BuildCaseWindow(*this, layout_);
    boxes_ = controls.boxes;
    command4_ = controls.commands[3];
    runtimeCaptions_ = std::move(controls.runtimeCaptions);
    connect(controls.commands[1], &QPushButton::clicked, this, &CaseWindow::calculate);
    connect(controls.commands[0], &QPushButton::clicked, this, &CaseWindow::printWindow);
    connect(controls.commands[2], &QPushButton::clicked, this, &CaseWindow::endProgram);
    connect(command4_, &QPushButton::clicked, this, &CaseWindow::showSection);
}

CaseWindow::~CaseWindow() = default;

int CaseWindow::caseNo() const {
    return layout_.caseNo;
}

void CaseWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    PaintCaseTables(painter, layout_);
}

bool CaseWindow::load() {
    for (const auto& [label, caption] : runtimeCaptions_)
        label->setText(caption);
    if (state_.ProjectMode == 1.0f)
        return true;

    project::ProjectValues values{};
    try {
        values = project::ReadProjectFile(state_.ProjectName);
    } catch (const hydraulics::CalcError& e) {
        // The window is not shown yet: the message belongs to whoever opens it.
        QMessageBox::critical(parentWidget(), QStringLiteral("无法打开项目"),
                              QString::fromStdString(e.message()) +
                                  QStringLiteral("\n窗口 %1 没有打开。请检查项目名称，"
                                                 "或选择“新项目”。")
                                      .arg(objectName()));
        return false;
    }
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
    // A number longer than the box shows its leading digits, not its tail.
    box->setCursorPosition(0);
}

void CaseWindow::clearResults() {
    for (int k = kInputCount; k < kInputCount + kResultCount; ++k) {
        boxes_[std::size_t(k)]->clear();
        boxes_[std::size_t(k)]->setToolTip(QString());
    }
    // The section belongs to the results: it goes with them.
    command4_->setEnabled(false);
    if (section_)
        section_->clearFigure();
}

void CaseWindow::updateSection(const std::array<float, 8>& inputs) {
    // The design point and flume length as this calculation left them in
    // the shared state, read before any other window can calculate. The
    // section window sets the increase of the design checks. The report is
    // made from the inputs as typed (case 2 leaves its own head in the state).
    const drawing::SectionFigure figure{hydraulics::FromCase(state_, layout_.caseNo),
                                        layout_.caseNo, state_.BasicData[hydraulics::PosL]};
    if (!section_)
        section_ = new SectionWindow(this);
    section_->showFigure(figure,
                         QString::fromStdString(state_.ProjectName) + objectName() +
                             QStringLiteral("断面图"),
                         report::ReportRequest{state_.ProjectName, layout_.caseNo, inputs});
    command4_->setEnabled(true);
}

void CaseWindow::warn(const QString& title, const QString& text) {
    QMessageBox::warning(this, title, text);
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
            warn(QStringLiteral("输入错误"),
                 QString::fromStdString(e.message()) +
                     QStringLiteral("\n请改正 %1 中的内容后重新计算。").arg(box->objectName()));
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
            return false;
        }
        // Stored at once: the fields before a faulty box keep their new values.
        hydraulics::FieldRef(state_, info.inputs[std::size_t(k)]) = values[std::size_t(k)];
    }
    return true;
}

bool CaseWindow::saveInputs(const project::ProjectValues& values) {
    try {
        project::WriteProjectFile(state_.ProjectName, values);
    } catch (const hydraulics::CalcError& e) {
        clearResults();
        warn(QStringLiteral("无法保存项目文件"),
             QString::fromStdString(e.message()) +
                 QStringLiteral("\n计算没有进行，原有的项目文件保持不变。"));
        return false;
    }
    return true;
}

bool CaseWindow::solve(hydraulics::ResultTexts& results) {
    try {
        results = hydraulics::SolveCase(state_, layout_.caseNo);
    } catch (const hydraulics::CalcError& e) {
        clearResults();
        warn(QStringLiteral("计算错误"),
             QString::fromStdString(e.message()) + QStringLiteral("\n成果表已清空。"));
        return false;
    } catch (const hydraulics::NotConverged& e) {
        clearResults();
        warn(QStringLiteral("计算未收敛"),
             QString::fromStdString(e.message()) + QStringLiteral("\n成果表已清空。"));
        return false;
    } catch (const std::exception& e) {
        clearResults();
        warn(QStringLiteral("计算错误"),
             QStringLiteral("计算中出现意外错误：") + QString::fromLocal8Bit(e.what()));
        return false;
    }
    return true;
}

void CaseWindow::showResults(const hydraulics::ResultTexts& results) {
    const QLocale locale; // the user's regional format
    for (int k = 0; k < kResultCount; ++k) {
        QLineEdit* box = boxes_[std::size_t(kInputCount + k)];
        showText(box, project::ShowRegionalNumber(results[std::size_t(k)], locale));
        // The whole number, for one that is wider than its box.
        box->setToolTip(box->text());
    }
}

void CaseWindow::calculate() {
    project::ProjectValues values{};
    hydraulics::ResultTexts results;
    if (!readInputs(values) || !saveInputs(values) || !solve(results))
        return;
    showResults(results);
    updateSection(values);
}

void CaseWindow::printWindow() {
    const QString baseName = QString::fromStdString(state_.ProjectName) + objectName();
    ReportPrintOutcome(this, PrintWindowImage(*this, baseName));
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

} // namespace windows
