// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sweepwindow.h"

#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "hydraulics/sweeptable.h"
#include "project/regionalnumber.h"
#include "project/savedfile.h"
#include "windows/look.h"
#include "windows/recommendpanel.h"
#include "windows/rowtable.h"
#include "windows/stalequestion.h"
#include "windows/sweepchartview.h"
#include "windows/sweepmodel.h"
#include "windows/windowprinter.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace windows {

namespace {

constexpr double kDefaultIncrease = -1; // the spin box's "表 6.3.4"
const char* const kRangeNames[] = {"起点", "终点", "步长"};

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(true); // Enter on a focused button clicks it
    return button;
}

QString Regional(double value) {
    return project::ShowRegionalNumber(hydraulics::FormatDouble(value), QLocale());
}

} // namespace

SweepWindow::SweepWindow(int caseNo, const QString& baseName, QWidget* parent)
    : QWidget(parent, Qt::Window), caseNo_(caseNo), baseName_(baseName) {
    setObjectName(QStringLiteral("SweepWindow"));
    setWindowTitle(QStringLiteral("方案比选"));
    setFont(SongTi(10.5));
    // The comparison of one input and 推荐断面, each on a tab.
    tabs_ = new QTabWidget(this);
    (new QVBoxLayout(this))->addWidget(tabs_);
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QWidget(this);
    buildInputs(bar);
    layout->addWidget(bar);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("SweepMessage"));
    message_->setWordWrap(true);
    layout->addWidget(message_);
    staleNote_ = MakeStaleNote(this, kStaleNote + QStringLiteral("：表中的方案按原基本资料比选，"
                                                                 "请点“比选计算”重新比选。"));
    layout->addWidget(staleNote_);

    model_ = new QStandardItemModel(this);
    sorted_ = new SweepSortModel(this); // numbers as numbers, failed rows last
    sorted_->setSourceModel(model_);
    table_ = MakeRowTable(this, QStringLiteral("SweepTable"), sorted_); // rows as computed
    table_->horizontalHeader()->setStretchLastSection(true);
    chart_ = new SweepChartView(this);
    chart_->setMinimumHeight(120);
    // On a small screen the rows need the room more than the chart.
    layout->addWidget(StackVertically(this, table_, chart_, 3, 2), 1);
    auto* buttons = new QWidget(this);
    buildButtons(buttons);
    layout->addWidget(buttons);
    tabs_->addTab(page, QStringLiteral("单项比选"));
    recommend_ = new RecommendPanel(caseNo_, tabs_);
    tabs_->addTab(recommend_, QStringLiteral("推荐断面"));
    connect(recommend_, &RecommendPanel::valuesAdopted, this, &SweepWindow::valuesAdopted);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SweepWindow::updateAdopt);
    connect(table_, &QTableView::doubleClicked, this, &SweepWindow::adoptRow);
    FillSweepModel(*model_, {}, caseNo_, hydraulics::DefaultSweepVariable(caseNo_));
    updateAdopt();
    // Every column in view where the screen allows.
    const QSize wanted(1180, 720);
    resize(screen() ? wanted.boundedTo(screen()->availableGeometry().size() * 0.92) : wanted);
}

void SweepWindow::buildInputs(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("变量"), bar);
    variable_ = new QComboBox(bar);
    variable_->setObjectName(QStringLiteral("SweepVariable"));
    for (const hydraulics::Quantity& q : hydraulics::Case(caseNo_).inputNames)
        variable_->addItem(Utf8(q.caption) + u' ' + Utf8(q.display));
    caption->setBuddy(variable_);
    row->addWidget(caption);
    row->addWidget(variable_);
    const QString names[] = {QStringLiteral("SweepFrom"), QStringLiteral("SweepTo"),
                             QStringLiteral("SweepStep")};
    for (std::size_t k = 0; k < range_.size(); ++k) {
        auto* label = new QLabel(Utf8(kRangeNames[k]), bar);
        range_[k] = new QLineEdit(bar);
        range_[k]->setObjectName(names[k]);
        range_[k]->setMaximumWidth(100);
        label->setBuddy(range_[k]);
        row->addWidget(label);
        row->addWidget(range_[k]);
    }
    auto* percent = new QLabel(QStringLiteral("加大百分数 p (%)"), bar);
    increase_ = new QDoubleSpinBox(bar);
    increase_->setObjectName(QStringLiteral("SweepIncrease"));
    increase_->setRange(kDefaultIncrease, hydraulics::kMaxIncreasePercent);
    increase_->setDecimals(1);
    increase_->setSingleStep(1);
    increase_->setSpecialValueText(QStringLiteral("表 6.3.4")); // at the minimum
    increase_->setValue(kDefaultIncrease);
    percent->setBuddy(increase_);
    row->addWidget(percent);
    row->addWidget(increase_);
    run_ = Button(QStringLiteral("比选计算"), QStringLiteral("SweepRun"), bar);
    row->addWidget(run_);
    row->addStretch();
    connect(run_, &QPushButton::clicked, this, &SweepWindow::runSweep);
    connect(variable_, &QComboBox::activated, this, &SweepWindow::resetRange);
}

void SweepWindow::buildButtons(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    adopt_ = Button(QStringLiteral("采用"), QStringLiteral("SweepAdopt"), bar);
    export_ = Button(QStringLiteral("导出 CSV"), QStringLiteral("SweepExport"), bar);
    print_ = Button(QStringLiteral("打印"), QStringLiteral("SweepPrint"), bar);
    close_ = Button(QStringLiteral("关闭"), QStringLiteral("SweepClose"), bar);
    adopt_->setToolTip(QStringLiteral("把所选方案的数值填入计算窗口并在那里计算"));
    row->addStretch();
    for (QPushButton* button : {adopt_, export_, print_, close_})
        row->addWidget(button);
    row->addStretch();
    connect(adopt_, &QPushButton::clicked, this, &SweepWindow::adoptRow);
    connect(export_, &QPushButton::clicked, this, &SweepWindow::exportTable);
    connect(print_, &QPushButton::clicked, this, &SweepWindow::printWindow);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

void SweepWindow::setBase(const SweepBase& base) {
    base_ = base;
    recommend_->setBase(base.stored, base.problems);
    if (started_) {
        markRows();
        return;
    }
    started_ = true;
    const auto variable = int(hydraulics::DefaultSweepVariable(caseNo_));
    variable_->setCurrentIndex(variable);
    resetRange(variable);
    // The default rows at once where the other inputs can be read.
    if (readable())
        runSweep();
}

void SweepWindow::openFor(const SweepBase& base) {
    const bool again = started_;
    setBase(base);
    if (!again)
        return;
    const auto variable = std::size_t(variable_->currentIndex());
    const bool recentre = base_.typed[variable] != centredOn_;
    if (recentre)
        resetRange(int(variable));
    if ((recentre || !staleNote_->isHidden() || !shownBase_) && readable())
        runSweep();
}

bool SweepWindow::readable() const {
    const auto variable = std::size_t(variable_->currentIndex());
    for (std::size_t k = 0; k < base_.stored.size(); ++k)
        if (k != variable && !base_.stored[k])
            return false;
    return true;
}

void SweepWindow::markRows() {
    // Each row is its own calculation with the variable's value: the rows
    // depend on the other seven inputs, the canals and the design conditions
    // (the increase is this window's own).
    bool stale = shownBase_ && (connection_ != shownConnection_ || conditions_ != shownConditions_);
    for (std::size_t k = 0; shownBase_ && k < base_.stored.size(); ++k)
        stale = stale || (k != shownVariable_ && base_.stored[k] != shownBase_->stored[k]);
    staleNote_->setVisible(stale);
}

void SweepWindow::setConnection(const std::optional<hydraulics::ConnectionInput>& connection,
                                const hydraulics::DesignConditions& conditions) {
    connection_ = connection;
    conditions_ = conditions;
    conditions_.increasePercent.reset(); // this window's own
    recommend_->setConnection(connection);
    recommend_->setConditions(conditions);
    markRows();
}

void SweepWindow::showRecommendation() {
    tabs_->setCurrentWidget(recommend_);
}

void SweepWindow::setIncrease(std::optional<double> percent) {
    increase_->setValue(percent ? *percent : kDefaultIncrease);
    recommend_->setIncrease(percent);
}

const std::vector<hydraulics::SweepRow>& SweepWindow::rows() const {
    return rows_;
}

std::size_t SweepWindow::variable() const {
    return shownVariable_;
}

void SweepWindow::resetRange(int variableIndex) {
    // Centred on the decimal typed in the box, not on the float it stores.
    const std::optional<double>& value = base_.typed.at(std::size_t(variableIndex));
    centredOn_ = value;
    if (!value) {
        for (QLineEdit* box : range_)
            box->clear();
        return;
    }
    const hydraulics::SweepRange range = hydraulics::DefaultSweepRange(*value);
    range_[0]->setText(Regional(range.from));
    range_[1]->setText(Regional(range.to));
    range_[2]->setText(Regional(range.step));
}

void SweepWindow::tell(const QString& text, bool problem) {
    SetInk(*message_, problem ? std::optional(kRefusalInk) : std::nullopt);
    message_->setText(text);
}

bool SweepWindow::readRange(hydraulics::SweepRange& range) {
    double* parts[] = {&range.from, &range.to, &range.step};
    for (std::size_t k = 0; k < range_.size(); ++k) {
        try {
            *parts[k] = hydraulics::TypedDecimal(
                project::ReadRegionalNumber(range_[k]->text(), QLocale(), kRangeNames[k]));
        } catch (const hydraulics::CalcError& e) {
            tell(QString::fromStdString(e.message()) + QStringLiteral("。请改正后再比选。"), true);
            range_[k]->setFocus();
            range_[k]->selectAll();
            return false;
        }
    }
    return true;
}

void SweepWindow::runSweep() {
    const auto variable = std::size_t(variable_->currentIndex());
    hydraulics::SweepRequest request{caseNo_, {}, variable, {}, connection_, conditions_};
    for (std::size_t k = 0; k < base_.stored.size(); ++k) {
        if (k == variable)
            continue;
        if (!base_.stored[k]) {
            tell(base_.problems[k] + QStringLiteral("。请先在计算窗口中填好基本资料表，"
                                                    "再打开方案比选。"),
                 true);
            return;
        }
        request.inputs[k] = *base_.stored[k];
    }
    if (!readRange(request.range))
        return;
    request.conditions.increasePercent =
        increase_->value() >= 0 ? std::optional(increase_->value()) : std::nullopt;
    try {
        rows_ = hydraulics::RunSweep(request);
    } catch (const hydraulics::SweepRangeError& e) {
        tell(QString::fromUtf8(e.what()), true);
        return;
    }
    shownVariable_ = variable;
    shownConnection_ = connection_;
    shownConditions_ = conditions_;
    shownBase_ = base_;
    showRows();
    markRows();
}

void SweepWindow::showRows() {
    FillSweepModel(*model_, rows_, caseNo_, shownVariable_, shownConnection_, shownConditions_);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    sorted_->sort(-1);
    table_->resizeColumnsToContents();
    chart_->setChart(drawing::SweepChartOf(rows_, caseNo_, shownVariable_));
    const auto met = std::count_if(rows_.begin(), rows_.end(),
                                   [](const hydraulics::SweepRow& r) { return r.meetsAll; });
    const auto failed =
        std::count_if(rows_.begin(), rows_.end(), [](const hydraulics::SweepRow& r) {
            return r.status != hydraulics::SweepStatus::Ok;
        });
    QString text =
        QStringLiteral("共 %1 个方案，%2 个满足全部校核（标 ✓、绿底）").arg(rows_.size()).arg(met);
    if (failed > 0)
        text += QStringLiteral("，%1 个没有算出（见“说明”一栏）").arg(failed);
    tell(text + QStringLiteral("。选中一行点“采用”，其数值即填入计算窗口并计算。"), false);
    updateAdopt();
}

void SweepWindow::updateAdopt() {
    adopt_->setEnabled(table_->selectionModel()->hasSelection());
    export_->setEnabled(!rows_.empty());
}

void SweepWindow::adoptRow() {
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const int row = sorted_->mapToSource(selected.front()).row();
    if (row < 0 || std::size_t(row) >= rows_.size() ||
        !rows_[std::size_t(row)].inputs[shownVariable_])
        return;
    emit valueAdopted(int(shownVariable_), QString::fromStdString(hydraulics::SweepValueText(
                                               rows_[std::size_t(row)], shownVariable_)));
}

void SweepWindow::printWindow() {
    ReportPrintOutcome(this, windowTitle(), PrintWindowImage(*this, baseName_));
}

bool SweepWindow::exportCsv(const QString& path) {
    try {
        // The byte-order mark: without it a spreadsheet on a Chinese system
        // reads the file in its own code page and 满足 turns to mojibake.
        project::SaveAtomically(path.toStdString(),
                                hydraulics::kUtf8Bom + hydraulics::SweepCsv(caseNo_, shownVariable_,
                                                                            rows_, shownConnection_,
                                                                            shownConditions_));
        return true;
    } catch (const hydraulics::CalcError& e) {
        QMessageBox::warning(this, windowTitle() + QStringLiteral(" - 无法导出"),
                             Sentence(e.message()) +
                                 QStringLiteral("\n表没有导出，原有文件保持不变。"));
    }
    return false;
}

void SweepWindow::exportTable() {
    if (rows_.empty())
        return;
    QString suggested = PdfPathFor(baseName_);
    suggested.replace(suggested.size() - 4, 4, QStringLiteral(".csv"));
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出方案比选表"),
                                                      suggested, QStringLiteral("CSV 表 (*.csv)"));
    if (!path.isEmpty())
        exportCsv(path);
}

void SweepWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (tabs_->currentWidget() == recommend_) // the tab shown, not the other
            recommend_->startSearch();
        else
            runSweep();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace windows
