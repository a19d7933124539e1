// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/recommendpanel.h"

#include "drawing/feasiblechart.h"
#include "hydraulics/cases.h"
#include "hydraulics/recommendinputs.h"
#include "hydraulics/recommendtext.h"
#include "windows/feasiblechartview.h"
#include "windows/look.h"
#include "windows/recommendmodel.h"
#include "windows/rowtable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>

namespace windows {

struct RecommendPanel::Job {
    hydraulics::RecommendInput input;
    std::atomic<bool> cancel{false};
    std::atomic<std::size_t> done{0}, total{0};
    hydraulics::Recommendation result; // read once the thread has finished
};

namespace {

constexpr int kProgressEveryMs = 50;

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(true); // Enter on a focused button clicks it
    return button;
}

} // namespace

RecommendPanel::RecommendPanel(int caseNo, QWidget* parent) : QWidget(parent), caseNo_(caseNo) {
    setObjectName(QStringLiteral("RecommendPanel"));
    auto* layout = new QVBoxLayout(this);
    buildBar(*layout);
    buildTable(*layout);
    auto* buttons = new QHBoxLayout;
    adopt_ = Button(QStringLiteral("采用"), QStringLiteral("RecommendAdopt"), this);
    adopt_->setToolTip(QStringLiteral("把所选断面的槽宽、纵坡（或水深）填入计算窗口并在那里计算"));
    close_ = Button(QStringLiteral("关闭"), QStringLiteral("RecommendClose"), this);
    buttons->addStretch();
    buttons->addWidget(adopt_);
    buttons->addWidget(close_);
    buttons->addStretch();
    layout->addLayout(buttons);

    timer_ = new QTimer(this);
    timer_->setInterval(kProgressEveryMs);
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape_->setContext(Qt::WindowShortcut);
    escape_->setEnabled(false); // Esc closes the window unless a search runs
    connect(escape_, &QShortcut::activated, this, &RecommendPanel::cancelSearch);
    connect(timer_, &QTimer::timeout, this, &RecommendPanel::showProgress);
    connect(run_, &QPushButton::clicked, this, &RecommendPanel::startSearch);
    connect(cancel_, &QPushButton::clicked, this, &RecommendPanel::cancelSearch);
    connect(adopt_, &QPushButton::clicked, this, &RecommendPanel::adoptSection);
    connect(close_, &QPushButton::clicked, this, [this] { window()->close(); });
    connect(table_, &QTableView::doubleClicked, this, &RecommendPanel::adoptSection);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RecommendPanel::updateButtons);
    summary_->setText(QStringLiteral("同时比选槽宽与纵坡，找出满足全部校核、衬砌周长最短的断面。"));
    updateButtons();
}

void RecommendPanel::buildBar(QVBoxLayout& layout) {
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("RecommendSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout.addWidget(summary_);
    auto* bar = new QHBoxLayout;
    run_ = Button(QStringLiteral("比选推荐断面"), QStringLiteral("RecommendRun"), this);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("RecommendProgress"));
    cancel_ = Button(QStringLiteral("取消"), QStringLiteral("RecommendCancel"), this);
    cancel_->setToolTip(QStringLiteral("停止比选（Esc）"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("RecommendMessage"));
    message_->setWordWrap(true);
    bar->addWidget(run_);
    bar->addWidget(progress_, 1);
    bar->addWidget(cancel_);
    bar->addWidget(message_, 3);
    layout.addLayout(bar);
    progress_->hide(); // both while a search runs
    cancel_->hide();
}

void RecommendPanel::buildTable(QVBoxLayout& layout) {
    model_ = new QStandardItemModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(Qt::UserRole); // numbers as numbers, verdicts by rank
    table_ = MakeRowTable(this, QStringLiteral("RecommendTable"), sorted_); // cheapest first
    table_->setTabKeyNavigation(false); // Tab goes on to 采用, arrows choose the row
    chart_ = new FeasibleChartView(this);
    layout.addWidget(StackVertically(this, table_, chart_, 1, 1), 1);
}

RecommendPanel::~RecommendPanel() {
    if (!worker_)
        return;
    job_->cancel = true;
    worker_->wait();
    delete worker_;
}

void RecommendPanel::setBase(const std::array<std::optional<float>, 8>& inputs,
                             const std::array<QString, 8>& problems) {
    base_ = inputs;
    problems_ = problems;
    inputsChanged();
}

void RecommendPanel::setConnection(const std::optional<hydraulics::ConnectionInput>& canals) {
    canals_ = canals;
    inputsChanged();
}

void RecommendPanel::setIncrease(std::optional<double> percent) {
    conditions_.increasePercent = percent;
    inputsChanged();
}

void RecommendPanel::setConditions(const hydraulics::DesignConditions& conditions) {
    const std::optional<double> increase = conditions_.increasePercent;
    conditions_ = conditions;
    conditions_.increasePercent = increase; // the comparison's own
    inputsChanged();
}

bool RecommendPanel::running() const {
    return worker_ != nullptr;
}

const std::optional<hydraulics::Recommendation>& RecommendPanel::result() const {
    return result_;
}

bool RecommendPanel::stale() const {
    const std::optional<hydraulics::RecommendInput> now = input(nullptr);
    return shownInput_ && now != shownInput_;
}

std::optional<hydraulics::RecommendInput> RecommendPanel::input(QString* problem) const {
    hydraulics::RecommendInput in{caseNo_, {}, conditions_, canals_};
    for (std::size_t k = 0; k < base_.size(); ++k) {
        if (!base_[k]) {
            if (problem)
                *problem = problems_[k] + QStringLiteral("。请先在计算窗口中填好基本资料表，"
                                                         "再比选推荐断面。");
            return std::nullopt;
        }
        in.inputs[k] = *base_[k];
    }
    return in;
}

void RecommendPanel::inputsChanged() {
    if (stale())
        tell(QStringLiteral("基本资料、渠道资料或设计条件已改动，表和图是按原资料比选的；"
                            "请点“比选推荐断面”重新比选。"),
             true);
    updateButtons();
}

void RecommendPanel::tell(const QString& text, bool problem) {
    SetInk(*message_, problem ? std::optional(kRefusalInk) : std::nullopt);
    message_->setText(text);
}

void RecommendPanel::startSearch() {
    if (running())
        return;
    QString problem;
    const std::optional<hydraulics::RecommendInput> in = input(&problem);
    if (!in) {
        tell(problem, true);
        return;
    }
    job_ = std::make_shared<Job>();
    job_->input = *in;
    const std::shared_ptr<Job> job = job_;
    worker_ = QThread::create([job] {
        job->result = hydraulics::Recommend(job->input, [&](std::size_t done, std::size_t total) {
            job->done = done;
            job->total = total;
            return !job->cancel.load();
        });
    });
    connect(worker_, &QThread::finished, this, &RecommendPanel::finishSearch);
    progress_->setRange(0, 0); // busy until the first width is done
    progress_->show();
    cancel_->show();
    escape_->setEnabled(true);
    tell(QStringLiteral("正在比选……（Esc 取消）"), false);
    timer_->start();
    worker_->start();
    updateButtons();
}

void RecommendPanel::cancelSearch() {
    if (job_)
        job_->cancel = true;
}

void RecommendPanel::showProgress() {
    if (!job_ || job_->total == 0)
        return;
    progress_->setRange(0, int(job_->total));
    progress_->setValue(int(job_->done));
}

void RecommendPanel::finishSearch() {
    timer_->stop();
    progress_->hide();
    cancel_->hide();
    escape_->setEnabled(false);
    worker_->deleteLater();
    worker_ = nullptr;
    const std::shared_ptr<Job> job = std::move(job_);
    if (job->result.cancelled) {
        QString text = result_ ? QStringLiteral("比选已取消；表和图仍是上次比选的结果")
                               : QStringLiteral("比选已取消");
        if (stale())
            text += QStringLiteral("，而基本资料已改动，请重新比选");
        tell(text + u'。', false);
    } else {
        result_ = std::move(job->result);
        shownInput_ = job->input;
        showResult();
    }
    updateButtons();
}

void RecommendPanel::showResult() {
    const hydraulics::Recommendation& r = *result_;
    const std::vector<std::string> lines = hydraulics::RecommendationLines(r);
    QString text = Utf8(lines.front()).toHtmlEscaped();
    for (std::size_t k = 1; k < lines.size(); ++k)
        text += QStringLiteral("<br><b%1>%2</b>")
                    .arg(r.recommended ? QString() : QStringLiteral(" style=\"color:#b00000\""),
                         Utf8(lines[k]).toHtmlEscaped());
    summary_->setText(text);
    FillRecommendModel(*model_, r);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    sorted_->sort(-1);
    table_->resizeColumnsToContents();
    if (model_->rowCount() > 0)
        table_->selectRow(0);
    chart_->setChart(drawing::FeasibleChartOf(r));
    tell(r.searched && model_->rowCount() > 0
             ? QStringLiteral("选中一行点“采用”，计算窗口即按该断面填入数值并计算。")
             : QString(),
         false);
}

void RecommendPanel::updateButtons() {
    const bool idle = !running();
    run_->setEnabled(idle);
    adopt_->setEnabled(idle && result_ && !stale() && table_->selectionModel()->hasSelection());
}

void RecommendPanel::adoptSection() {
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    if (running() || !result_ || !shownInput_ || stale() || selected.isEmpty())
        return;
    const hydraulics::RankedSection* k =
        RankedOfRow(*result_, sorted_->mapToSource(selected.front()).row());
    if (!k)
        return;
    const hydraulics::Adoption a = hydraulics::AdoptionOf(*shownInput_, k->section);
    const hydraulics::CaseInfo& info = hydraulics::Case(caseNo_);
    QList<QPair<int, QString>> values;
    QStringList filled;
    for (const hydraulics::InputFill& fill : a.fills) {
        values.append({int(fill.index), QString::fromStdString(fill.text)});
        filled.append(Utf8(info.inputNames[fill.index].symbol) + QStringLiteral(" = ") +
                      QString::fromStdString(fill.text));
    }
    emit valuesAdopted(values);
    tell(QStringLiteral("已将 %1 填入计算窗口并计算。").arg(filled.join(QStringLiteral("、"))) +
             Utf8(hydraulics::AdoptionNote(*shownInput_, a)),
         !a.feasible);
}

void RecommendPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!running() && (!result_ || stale()))
        QTimer::singleShot(0, this, &RecommendPanel::startSearch); // once the tab is drawn
}

void RecommendPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        startSearch(); // as Enter runs the comparison of the other tab
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace windows
