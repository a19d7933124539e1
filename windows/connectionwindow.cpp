// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/connectionwindow.h"

#include "drawing/drawingstyle.h"
#include "hydraulics/errors.h"
#include "project/connectiondata.h"
#include "project/reportidentity.h"
#include "project/sharedgrade.h"
#include "project/sidefile.h"
#include "windows/caselayout.h"
#include "windows/connectioninputs.h"
#include "windows/connectionprofileview.h"
#include "windows/connectiontables.h"
#include "windows/dxfexport.h"
#include "windows/enterclick.h"
#include "windows/enterwalk.h"
#include "windows/look.h"
#include "windows/rowtable.h"
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
#include <QSpinBox>
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

// The flume the connection is of: the adopted section.
QString FlumeLine(const hydraulics::Design& d) {
    if (!d.adopted)
        return QStringLiteral("未能形成采用断面，请检查输入后重算。");
    const hydraulics::VerifiedSection& s = d.adopted->section;
    return QStringLiteral("采用断面：B = %1 m，h = %2 m，Q = %3 m³/s，i = 1/%4，L = %5 m（计算窗口"
                          "的成果按设计步长取整后复核，见“断面及水力要素”）。")
        .arg(drawing::Fixed3(s.B), drawing::Fixed3(s.h), drawing::Fixed3(s.Q),
             QString::number(s.x, 'g', 7), QString::number(d.outcome.length, 'g', 7));
}

// The rows the connection decides: the long or short flume, the freeboard
// at Q加 over the backwater, the connection's own checks and the cold region.
std::vector<hydraulics::CheckRow> ConnectionRows(const hydraulics::VerifiedSection& s) {
    static const std::vector<std::string> kIds = {
        "short_flume", "increased_freeboard", "allowed_drop", "short_recheck", "backwater",
        "bend",        "cold_region"};
    std::vector<hydraulics::CheckRow> rows;
    for (const std::string& id : kIds)
        for (const hydraulics::CheckRow& row : s.rows)
            if (row.id == id)
                rows.push_back(row);
    return rows;
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
    left->addLayout(buildDxfRow());

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
    SetInk(*message_, kRefusalInk, kNoteColour); // the case windows' red notes
    message_->hide();
    staleNote_ = MakeStaleNote(this, kStaleNote);
    profile_ = new ConnectionProfileView(this);
    tables_ = new ConnectionTables(this);
    auto* results = new QVBoxLayout;
    for (QLabel* line : {note_, message_, staleNote_})
        results->addWidget(line);
    results->addLayout(buildVelocityRow());
    results->addWidget(StackVertically(this, profile_, tables_, 2, 3), 1);
    return results;
}

QLayout* ConnectionWindow::buildVelocityRow() {
    velocity_ = MakeLine(this, QStringLiteral("VelocityNote"));
    SetInk(*velocity_, kAmberInk);
    fillVelocity_ = new QPushButton(QStringLiteral("将 v₁ 填入渠道流速 V"), this);
    fillVelocity_->setObjectName(QStringLiteral("VelocityCommand"));
    connect(fillVelocity_, &QPushButton::clicked, this, &ConnectionWindow::fillVelocity);
    auto* row = new QHBoxLayout;
    row->addWidget(velocity_, 1);
    row->addWidget(fillVelocity_, 0, Qt::AlignTop);
    return row;
}

QLayout* ConnectionWindow::buildDxfRow() {
    // The profile's heights drawn this many times larger than its lengths.
    exaggeration_ = new QSpinBox(this);
    exaggeration_->setObjectName(QStringLiteral("DxfExaggeration"));
    exaggeration_->setRange(int(drawing::kMinExaggeration), int(drawing::kMaxExaggeration));
    exaggeration_->setValue(int(drawing::kDefaultExaggeration));
    exaggeration_->setSuffix(QStringLiteral(" 倍"));
    exaggeration_->setToolTip(QStringLiteral("DXF 纵断面的竖向比例为水平比例的倍数"));
    auto* label = new QLabel(QStringLiteral("纵断面竖向放大"), this);
    label->setBuddy(exaggeration_);
    dxf_ = MakeButton(this, QStringLiteral("导出 DXF"), QStringLiteral("DxfCommand"));
    dxf_->setEnabled(false);
    connect(dxf_, &QPushButton::clicked, this, &ConnectionWindow::saveDxf);
    new EnterClick({dxf_}, this);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(exaggeration_);
    row->addWidget(dxf_);
    return row;
}

void ConnectionWindow::setDesign(std::shared_ptr<const hydraulics::Design> design,
                                 const std::string& projectName, const QString& pdfBaseName) {
    design_ = std::move(design);
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

void ConnectionWindow::clearDesign() {
    design_.reset();
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

const hydraulics::Connection* ConnectionWindow::connection() const {
    return design_ && design_->canals ? design_->connection() : nullptr;
}

void ConnectionWindow::loadInputs() {
    const project::SideSection section = project::ReadSideSection(project_, kSection);
    QJsonObject values = section.values;
    values.remove(QStringLiteral("grade")); // the report's 建筑物级别 (or an older file's own)
    if (const std::string grade = project::KeptGrade(project_); !grade.empty())
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
    emit canalsTaken(*read.input); // the section window computes the design with them
    showResults();
}

void ConnectionWindow::keep() {
    if (!loaded_)
        return;
    QJsonObject values = inputs_->values();
    values.remove(QStringLiteral("grade")); // kept once, as the report's
    try {
        project::WriteSideSection(project_, kSection, values);
        project::KeepGrade(project_, inputs_->grade());
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
    const hydraulics::Connection* c = connection();
    if (!design_ || !design_->succeeded())
        note_->setText(QStringLiteral("请先在计算窗口完成一次计算，再查看水面衔接。"));
    else if (!c)
        note_->setText(QStringLiteral("请输入上、下游渠道资料，然后点击“计算”。"));
    else
        note_->setText(FlumeLine(*design_));
    velocity_->setText(c ? drawing::Utf8(design_->velocityNote) : QString());
    velocity_->setVisible(!velocity_->text().isEmpty());
    fillVelocity_->setVisible(velocity_->isVisibleTo(this) && c->design.v1);
    const hydraulics::VerifiedSection* adopted =
        design_ && design_->adopted ? &design_->adopted->section : nullptr;
    profile_->setProfile(c ? std::optional(*c) : std::nullopt, adopted ? adopted->h : 0,
                         design_ && c ? design_->outcome.length : 0);
    tables_->setConnection(c, c && adopted ? ConnectionRows(*adopted)
                                           : std::vector<hydraulics::CheckRow>{});
    dxf_->setEnabled(c != nullptr);
    markResults();
}

void ConnectionWindow::markResults() {
    const bool stale = connection() && (basicStale_ || watch_->isStale());
    staleNote_->setText(basicStale_ ? kStaleNote + QStringLiteral("：图表仍是上次计算的成果。")
                                    : QStringLiteral("渠道资料已改动，成果尚未重新计算：图表仍是"
                                                     "上次计算的成果，请点“计算”。"));
    staleNote_->setVisible(stale);
    tables_->setStale(stale);
}

void ConnectionWindow::fillVelocity() {
    if (const hydraulics::Connection* c = connection(); c && c->design.v1)
        emit approachVelocityChosen(*c->design.v1);
}

bool ConnectionWindow::writeDxf(const QString& path) {
    if (!connection())
        return false;
    return WriteDxfFile(this, windowTitle(), path,
                        drawing::DesignDrawing(*design_, project_, exaggeration_->value()));
}

void ConnectionWindow::saveDxf() {
    const QString path =
        AskDxfPath(this, QString::fromStdString(project_) + QStringLiteral("纵断面"));
    if (!path.isEmpty())
        writeDxf(path);
}

void ConnectionWindow::printWindow() {
    const QString name = pdfBaseName_.isEmpty() ? windowTitle() : pdfBaseName_;
    ReportPrintOutcome(this, windowTitle(), PrintWindowImage(*this, name));
}

} // namespace windows
