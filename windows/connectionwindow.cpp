// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/connectionwindow.h"

#include "drawing/drawingstyle.h"
#include "hydraulics/errors.h"
#include "project/connectiondata.h"
#include "project/reportidentity.h"
#include "project/sidefile.h"
#include "windows/caselayout.h"
#include "windows/connectioninputs.h"
#include "windows/connectionprofileview.h"
#include "windows/connectiontables.h"
#include "windows/enterclick.h"
#include "windows/enterwalk.h"
#include "windows/look.h"
#include "windows/sharedgrade.h"
#include "windows/stalequestion.h"
#include "windows/stalewatch.h"
#include "windows/windowprinter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

namespace windows {
namespace {

const QString kSection = QStringLiteral("connection");
const QString kTitle = QStringLiteral("渠道与水面衔接");

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFont(LiShu(14.25));
    button->setFixedSize(120, 26);
    return button;
}

// A line above the results: wrapped, hidden while empty.
QLabel* MakeLine(QWidget* parent, const QString& name) {
    auto* line = new QLabel(parent);
    line->setObjectName(name);
    line->setWordWrap(true);
    line->setMargin(4);
    return line;
}

// What is wrong with the input `read` names, in the window's own words:
// "上游渠道的糙率 n 须为大于 0 的数。"
QString Problem(const ConnectionInputs& inputs, const project::ConnectionRead& read) {
    if (read.key.empty()) // the data as a whole (not from the boxes)
        return QString::fromStdString(read.problem);
    const QString name = inputs.spokenName(read.key);
    QString need = QString::fromStdString(read.requirement);
    const bool canal = read.key == "upstream" || read.key == "downstream";
    if (need.startsWith(QStringLiteral("未给出"))) // a box, or a whole canal, left empty
        return canal ? QStringLiteral("请填写%1的底宽、边坡系数、糙率和比降。").arg(name)
                     : QStringLiteral("请填写%1。").arg(name);
    need.remove(QStringLiteral("（null）"));
    return name + u' ' + need + u'。';
}

} // namespace

ConnectionWindow::ConnectionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormConnection"));
    setWindowTitle(kTitle);
    inputs_ = new ConnectionInputs(this);
    connect(inputs_, &ConnectionInputs::lossCoefficientsChosen, this,
            &ConnectionWindow::lossCoefficientsChosen);
    watch_ = new StaleWatch([this] { return QVariant(inputs_->values()); }, this);
    connect(inputs_, &ConnectionInputs::edited, watch_, &StaleWatch::recheck);
    connect(watch_, &StaleWatch::staleChanged, this, &ConnectionWindow::markResults);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(inputs_);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(inputs_->sizeHint().width() + 24);
    calculate_ = MakeButton(this, QStringLiteral("计算"), QStringLiteral("Command1"));
    print_ = MakeButton(this, QStringLiteral("打印"), QStringLiteral("Command2"));
    connect(calculate_, &QPushButton::clicked, this, &ConnectionWindow::calculate);
    connect(print_, &QPushButton::clicked, this, &ConnectionWindow::printWindow);
    // The boxes from the keyboard as in the case windows.
    new EnterWalk(inputs_->edits(), calculate_, this, EnterWalk::Order::AsGiven);
    new EnterClick({print_, inputs_->findChild<QPushButton*>(QStringLiteral("fillCoefficients"))},
                   this);
    // Esc closes it as the other windows opened from the section window.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calculate_);
    buttons->addWidget(print_);
    auto* left = new QVBoxLayout;
    left->addWidget(scroll, 1);
    left->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buildResults(), 1);
    resize(1240, 860);
    if (const QScreen* screen = this->screen())
        resize(size().boundedTo(screen->availableGeometry().size() * 0.92));
    showResults();
}

QLayout* ConnectionWindow::buildResults() {
    note_ = MakeLine(this, QStringLiteral("note"));
    message_ = MakeLine(this, QStringLiteral("message"));
    message_->setAutoFillBackground(true);
    QPalette red = message_->palette(); // the case windows' red notes
    red.setColor(QPalette::Window, ColourOf(kNoteColour));
    red.setColor(QPalette::WindowText, ColourOf(kRefusalInk));
    message_->setPalette(red);
    message_->hide();
    staleNote_ = MakeStaleNote(this, kStaleNote);
    profile_ = new ConnectionProfileView(this);
    tables_ = new ConnectionTables(this);
    // The profile over the tables, the border between them movable.
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(profile_);
    split->addWidget(tables_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    auto* results = new QVBoxLayout;
    for (QLabel* line : {note_, message_, staleNote_})
        results->addWidget(line);
    results->addWidget(split, 1);
    return results;
}

void ConnectionWindow::setFlume(const hydraulics::ConnectionFlume& flume,
                                const std::string& projectName, const QString& pdfBaseName) {
    flume_ = flume;
    pdfBaseName_ = pdfBaseName;
    if (!loaded_ || projectName != project_) {
        project_ = projectName;
        loaded_ = true;
        // "渠道与水面衔接 - 渡槽一", as the section window names its project.
        setWindowTitle(project_.empty()
                           ? kTitle
                           : kTitle + QStringLiteral(" - ") + QString::fromStdString(project_));
        loadInputs();
    }
    showResults();
}

void ConnectionWindow::clearFlume() {
    flume_.reset();
    showResults();
}

void ConnectionWindow::setBasicStale(bool stale) {
    basicStale_ = stale;
    markResults();
}

void ConnectionWindow::setGrade(const std::string& grade) {
    if (!grade.empty() && project::IsValidGrade(grade))
        inputs_->setGrade(std::stoi(grade));
}

const std::optional<hydraulics::Connection>& ConnectionWindow::connection() const {
    return connection_;
}

void ConnectionWindow::loadInputs() {
    const project::SideSection section = project::ReadSideSection(project_, kSection);
    QJsonObject values = section.values;
    values.remove(QStringLiteral("grade")); // the report's 建筑物级别 (or an older file's own)
    if (const std::string grade = KeptGrade(project_); !grade.empty())
        values.insert(QStringLiteral("grade"), std::stoi(grade));
    inputs_->setValues(values);
    tell({});
    const project::ConnectionRead read = project::ReadConnection(inputs_->values());
    if (read.input) {
        take(read);
    } else {
        taken_.reset();
        watch_->cleared();
        if (!section.values.isEmpty()) // kept by a version that kept any input
            tell(Problem(*inputs_, read) + QStringLiteral("请改正后再点“计算”。"));
    }
    if (section.problem.isEmpty())
        return;
    // Told, never waited for: the window is usable meanwhile.
    auto* box =
        new QMessageBox(QMessageBox::Warning, windowTitle() + QStringLiteral(" - 项目附加资料"),
                        section.problem, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void ConnectionWindow::take(const project::ConnectionRead& read) {
    taken_ = read.input;
    watch_->calculated(); // the boxes as they stand are the set taken
}

void ConnectionWindow::refuse(const project::ConnectionRead& read) {
    // Nothing is kept: the side file and the results stay those of the
    // last set taken, marked as not current.
    tell(Problem(*inputs_, read) + QStringLiteral("请改正后再点“计算”；这次的渠道资料没有保存。"));
    if (QLineEdit* box = inputs_->editOf(read.key)) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void ConnectionWindow::calculate() {
    const project::ConnectionRead read = project::ReadConnection(inputs_->values());
    if (!read.input) {
        refuse(read);
        return;
    }
    tell({});
    take(read);
    keep();
    showResults();
}

void ConnectionWindow::keep() {
    if (!loaded_)
        return;
    QJsonObject values = inputs_->values();
    values.remove(QStringLiteral("grade")); // kept once, as the report's
    try {
        project::WriteSideSection(project_, kSection, values);
        KeepGrade(project_, inputs_->grade());
    } catch (const hydraulics::CalcError& e) {
        QMessageBox::warning(this, windowTitle() + QStringLiteral(" - 无法保存"),
                             Sentence(e.message()) +
                                 QStringLiteral("\n渠道资料没有保存，计算照常进行。"));
    }
    emit gradeKept(inputs_->grade());
}

void ConnectionWindow::tell(const QString& message) {
    message_->setText(message);
    message_->setVisible(!message.isEmpty());
}

void ConnectionWindow::showResults() {
    connection_.reset();
    if (flume_ && taken_)
        connection_ = hydraulics::ComputeConnection(*flume_, *taken_);
    if (!flume_)
        note_->setText(QStringLiteral("请先在计算窗口完成一次计算，再查看水面衔接。"));
    else if (!taken_)
        note_->setText(QStringLiteral("请输入上、下游渠道资料，然后点击“计算”。"));
    else
        note_->setText(
            QStringLiteral("槽身：B = %1 m，h = %2 m，Q = %3 m³/s，L = %4 m（取自计算窗口）。")
                .arg(drawing::Fixed3(flume_->point.B), drawing::Fixed3(flume_->point.h),
                     drawing::Fixed3(flume_->point.Q), drawing::Fixed3(flume_->length)));
    profile_->setProfile(connection_, flume_ ? flume_->point.h : 0, flume_ ? flume_->length : 0);
    tables_->setConnection(connection_);
    markResults();
}

void ConnectionWindow::markResults() {
    const bool stale = connection_ && (basicStale_ || watch_->isStale());
    staleNote_->setText(basicStale_ ? kStaleNote + QStringLiteral("：图表仍是上次计算的成果。")
                                    : QStringLiteral("渠道资料已改动，成果尚未重新计算：图表仍是"
                                                     "上次计算的成果，请点“计算”。"));
    staleNote_->setVisible(stale);
    tables_->setStale(stale);
}

void ConnectionWindow::printWindow() {
    const QString name = pdfBaseName_.isEmpty() ? windowTitle() : pdfBaseName_;
    ReportPrintOutcome(this, windowTitle(), PrintWindowImage(*this, name));
}

} // namespace windows
