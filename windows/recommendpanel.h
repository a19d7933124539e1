// SPDX-License-Identifier: GPL-3.0-or-later
// "推荐断面", a tab of 方案比选: the search of hydraulics/recommend.h over
// the width and the slope of the case window's inputs, run on a worker
// thread with its progress shown (取消 or Esc stops it); the
// recommendation in words at the top, the alternatives in a sortable table
// and every candidate on a chart of B against i = 1/x. "采用" fills the
// case window's inputs that the section chosen fixes (see
// hydraulics/recommendinputs.h), which then computes it there; nothing is
// saved here.
#pragma once

#include "hydraulics/recommend.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QThread;
class QTimer;
class QVBoxLayout;

namespace windows {

class FeasibleChartView;

class RecommendPanel : public QWidget {
    Q_OBJECT

public:
    explicit RecommendPanel(int caseNo, QWidget* parent = nullptr);
    ~RecommendPanel() override; // stops a search still running

    // The case window's inputs as its boxes stand (box order); an input
    // that cannot be read is empty and `problems` says why.
    void setBase(const std::array<std::optional<float>, 8>& inputs,
                 const std::array<QString, 8>& problems = {});
    void setConnection(const std::optional<hydraulics::ConnectionInput>& canals);
    void setIncrease(std::optional<double> percent); // empty: table 6.3.4
    // The design step, support form, tie rods and cold region of the project.
    void setConditions(const hydraulics::DesignConditions& conditions);

    bool running() const;
    // The search shown; empty before the first one ends.
    const std::optional<hydraulics::Recommendation>& result() const;
    // The inputs have changed since the search shown was made.
    bool stale() const;

public slots:
    void startSearch();  // "比选推荐断面": a search of the inputs as they stand now
    void cancelSearch(); // "取消", or Esc while a search runs

signals:
    // "采用": the values of the case window's boxes (box index, period
    // decimal text) that make it calculate the section chosen.
    void valuesAdopted(const QList<QPair<int, QString>>& values);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void showProgress(); // the progress bar while a search runs
    void finishSearch(); // the worker has ended: show what it found
    void adoptSection(); // "采用" (or a double click): the selected row's section
    void updateButtons();

private:
    struct Job; // one search on the worker thread

    void buildBar(QVBoxLayout& layout);   // the sentence, 比选推荐断面, progress, 取消
    void buildTable(QVBoxLayout& layout); // the alternatives over the chart

    std::optional<hydraulics::RecommendInput> input(QString* problem) const;
    void showResult();
    void tell(const QString& text, bool problem);
    void inputsChanged();

    int caseNo_;
    std::array<std::optional<float>, 8> base_{};
    std::array<QString, 8> problems_{};
    std::optional<hydraulics::ConnectionInput> canals_;
    hydraulics::DesignConditions conditions_{};

    std::shared_ptr<Job> job_;
    QThread* worker_ = nullptr;
    std::optional<hydraulics::RecommendInput> shownInput_;
    std::optional<hydraulics::Recommendation> result_;

    QLabel* summary_ = nullptr;
    QLabel* message_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* adopt_ = nullptr;
    QPushButton* close_ = nullptr;
    QShortcut* escape_ = nullptr;
    QTimer* timer_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    FeasibleChartView* chart_ = nullptr;
};

} // namespace windows
