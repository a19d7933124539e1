// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/connectionwindow.h"

#include "drawing/drawingstyle.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/errors.h"
#include "project/connectiondata.h"
#include "project/sidefile.h"
#include "windows/connectioninputs.h"
#include "windows/connectionprofileview.h"
#include "windows/dxfexport.h"
#include "windows/look.h"
#include "windows/windowprinter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace windows {
namespace {

const QString kSection = QStringLiteral("connection");
const QColor kGroupGround{235, 235, 235};

QTableWidget* MakeTable(QWidget* parent, const QString& name, const QStringList& header) {
    auto* table = new QTableWidget(0, int(header.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(header);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(table->font()).height() + 8);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setWordWrap(true);
    return table;
}

void SetRow(QTableWidget* table, int row, const QStringList& texts, const QColor& ground) {
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        if (ground.isValid())
            item->setBackground(ground);
        table->setItem(row, c, item);
    }
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFont(LiShu(14.25));
    button->setFixedSize(120, 26);
    return button;
}

} // namespace

ConnectionWindow::ConnectionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormConnection"));
    setWindowTitle(QStringLiteral("渠道与水面衔接"));
    inputs_ = new ConnectionInputs(this);
    connect(inputs_, &ConnectionInputs::lossCoefficientsChosen, this,
            &ConnectionWindow::lossCoefficientsChosen);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(inputs_);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(inputs_->sizeHint().width() + 24);
    calculate_ = MakeButton(this, QStringLiteral("计算"), QStringLiteral("Command1"));
    print_ = MakeButton(this, QStringLiteral("打印"), QStringLiteral("Command2"));
    connect(calculate_, &QPushButton::clicked, this, &ConnectionWindow::calculate);
    connect(print_, &QPushButton::clicked, this, &ConnectionWindow::printWindow);
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

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("note"));
    note_->setWordWrap(true);
    note_->setMinimumHeight(QFontMetrics(note_->font()).height() * 2 + 4);
    profile_ = new ConnectionProfileView(this);
    figures_ = MakeTable(this, QStringLiteral("figures"),
                         {QStringLiteral("项目"), QStringLiteral("符号"), QStringLiteral("数值"),
                          QStringLiteral("单位")});
    checks_ = MakeTable(this, QStringLiteral("checks"),
                        {QStringLiteral("项目"), QStringLiteral("计算值"), QStringLiteral("要求"),
                         QStringLiteral("依据"), QStringLiteral("结论")});
    auto* tables = new QHBoxLayout;
    tables->addWidget(figures_, 4);
    tables->addWidget(checks_, 6);
    auto* right = new QVBoxLayout;
    right->addWidget(note_);
    right->addWidget(profile_, 4);
    right->addLayout(tables, 5);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    resize(1240, 860);
    if (const QScreen* screen = this->screen())
        resize(size().boundedTo(screen->availableGeometry().size() * 0.92));
    showResults();
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
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(exaggeration_);
    row->addWidget(dxf_);
    return row;
}

void ConnectionWindow::setFlume(const hydraulics::ConnectionFlume& flume,
                                const std::string& projectName, const QString& pdfBaseName,
                                int caseNo) {
    flume_ = flume;
    pdfBaseName_ = pdfBaseName;
    caseNo_ = caseNo;
    if (!loaded_ || projectName != project_) {
        project_ = projectName;
        loaded_ = true;
        loadInputs();
    }
    showResults();
}

void ConnectionWindow::clearFlume() {
    flume_.reset();
    showResults();
}

const std::optional<hydraulics::Connection>& ConnectionWindow::connection() const {
    return connection_;
}

void ConnectionWindow::loadInputs() {
    const project::SideSection section = project::ReadSideSection(project_, kSection);
    QJsonObject values = section.values;
    if (!values.contains(QStringLiteral("grade"))) { // the report's 建筑物级别, where given
        const QJsonValue grade =
            project::ReadSideSection(project_, QStringLiteral("report")).values.value("grade");
        const int level = grade.isString() ? grade.toString().toInt() : grade.toInt();
        if (level >= 1 && level <= 5)
            values.insert(QStringLiteral("grade"), level);
    }
    inputs_->setValues(values);
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

void ConnectionWindow::calculate() {
    const QJsonObject values = inputs_->values();
    if (loaded_) {
        try {
            project::WriteSideSection(project_, kSection, values);
        } catch (const hydraulics::CalcError& e) {
            QMessageBox::warning(this, windowTitle() + QStringLiteral(" - 无法保存"),
                                 QString::fromStdString(e.message()) +
                                     QStringLiteral("\n渠道资料没有保存，计算照常进行。"));
        }
    }
    showResults();
}

void ConnectionWindow::showResults() {
    connection_.reset();
    const project::ConnectionRead read = project::ReadConnection(inputs_->values());

    const QJsonObject typed = inputs_->values();
    if (!flume_)
        note_->setText(QStringLiteral("请先在计算窗口完成一次计算，再查看水面衔接。"));
    else if (!typed.contains("upstream") && !typed.contains("downstream"))
        note_->setText(QStringLiteral("请输入上、下游渠道资料，然后点击“计算”。"));
    else if (!read.input)
        note_->setText(QString::fromStdString(read.problem));
    else
        connection_ = hydraulics::ComputeConnection(*flume_, *read.input);
    if (connection_)
        note_->setText(
            QStringLiteral("槽身：B = %1 m，h = %2 m，Q = %3 m³/s，L = %4 m（取自计算窗口）。")
                .arg(drawing::Fixed3(flume_->point.B), drawing::Fixed3(flume_->point.h),
                     drawing::Fixed3(flume_->point.Q), drawing::Fixed3(flume_->length)));
    profile_->setProfile(connection_, flume_ ? flume_->point.h : 0, flume_ ? flume_->length : 0);
    dxf_->setEnabled(connection_.has_value());
    fillFigures();
    fillChecks();
}

void ConnectionWindow::fillFigures() {
    figures_->setRowCount(0);
    if (!connection_)
        return;
    for (const hydraulics::ConnectionGroup& group : hydraulics::ConnectionGroups(*connection_)) {
        const int title = figures_->rowCount();
        figures_->setRowCount(title + 1 + int(group.rows.size()));
        SetRow(figures_, title, {drawing::Utf8(group.title)}, kGroupGround);
        figures_->setSpan(title, 0, 1, 4);
        int row = title + 1;
        for (const hydraulics::ElementRow& r : group.rows)
            SetRow(figures_, row++,
                   {drawing::Utf8(r.name), drawing::Utf8(r.symbol), drawing::Fixed3(r.value),
                    drawing::Utf8(r.unit)},
                   {});
    }
    figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void ConnectionWindow::fillChecks() {
    checks_->setRowCount(0);
    if (!connection_)
        return;
    const std::vector<hydraulics::CheckRow> rows = hydraulics::ConnectionChecks(*connection_);
    checks_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const hydraulics::CheckRow& row = rows[std::size_t(r)];
        const QColor ground = drawing::VerdictGround(row);
        SetRow(checks_, r,
               {drawing::Utf8(row.item), drawing::Utf8(row.value), drawing::Utf8(row.requirement),
                drawing::Utf8(row.clause), drawing::Utf8(hydraulics::VerdictText(row))},
               ground);
    }
    QHeaderView* header = checks_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch); // 计算值
    header->setSectionResizeMode(2, QHeaderView::Stretch); // 要求
    checks_->resizeRowsToContents();
}

bool ConnectionWindow::writeDxf(const QString& path) {
    if (!flume_ || !connection_)
        return false;
    const drawing::SectionFigure figure{flume_->point, caseNo_, flume_->length,
                                        flume_->increasePercent};
    return WriteDxfFile(
        this, windowTitle(), path,
        drawing::CalculatedDrawing(figure, project_, connection_, exaggeration_->value()));
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
