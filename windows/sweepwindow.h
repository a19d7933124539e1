// SPDX-License-Identifier: GPL-3.0-or-later
// "方案比选": one input of a case window stepped over a range, the rows
// side by side in a sortable table with their design checks, a chart of
// H/B and v under it, and "采用" to take a row's value back into the case
// window, which then computes (and saves) it there. Nothing is saved here.
// A second tab, "推荐断面" (RecommendPanel), searches the width and the
// slope together.
#pragma once

#include "hydraulics/sweep.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

class QComboBox;
class QTabWidget;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace windows {

class RecommendPanel;
class SweepChartView;

class SweepWindow : public QWidget {
    Q_OBJECT

public:
    // For case 1..4; `baseName` names the printed page and the CSV offered
    // ("渡槽一情况1方案比选"). A top-level window; with a parent it closes
    // and goes with it.
    SweepWindow(int caseNo, const QString& baseName, QWidget* parent = nullptr);

    // The case window's inputs as its boxes stand (box order); an input
    // that cannot be read is empty, and `problems` holds its message. The
    // first call also sets the variable and its range to their defaults.
    void setBase(const std::array<std::optional<float>, 8>& inputs,
                 const std::array<QString, 8>& problems = {});
    // The increase of the checks, %; empty: table 6.3.4 for each row's Q.
    void setIncrease(std::optional<double> percent);
    // The canals of the project's water-surface connection; with them each
    // row is also connected and its verdicts count. Empty: none.
    void setConnection(const std::optional<hydraulics::ConnectionInput>& connection);
    // The project's design step, support form, tie rods and cold region,
    // for 推荐断面.
    void setConditions(const hydraulics::DesignConditions& conditions);
    // Brings the tab "推荐断面" forward; it searches where it has not yet
    // for the inputs as they stand.
    void showRecommendation();
    RecommendPanel* recommendPanel() const { return recommend_; }

    const std::vector<hydraulics::SweepRow>& rows() const;
    std::size_t variable() const;

    // Writes the rows as CSV to `path`, whole or not at all; false (after
    // a message naming the file) when it cannot be written.
    bool exportCsv(const QString& path);

signals:
    // "采用": the value of input `inputIndex` (box order) as engine text.
    void valueAdopted(int inputIndex, const QString& engineText);
    // "采用" of 推荐断面: several inputs (box order, engine text) at once.
    void valuesAdopted(const QList<QPair<int, QString>>& values);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void runSweep();                    // "比选计算": read the range, run, show
    void adoptRow();                    // "采用": hand the selected row's value on
    void printWindow();                 // "打印"
    void exportTable();                 // "导出 CSV": choose a file and write it
    void resetRange(int variableIndex); // the default range of another variable
    void updateAdopt();                 // "采用" only with a row selected

private:
    void buildInputs(QWidget* bar);
    void buildButtons(QWidget* bar);
    bool readRange(hydraulics::SweepRange& range);
    void tell(const QString& text, bool problem);
    void showRows();

    int caseNo_;
    QString baseName_;
    std::array<std::optional<float>, 8> base_{};
    std::array<QString, 8> problems_{};
    bool started_ = false;
    std::size_t shownVariable_ = 0; // the variable of the rows shown
    std::vector<hydraulics::SweepRow> rows_;
    std::optional<hydraulics::ConnectionInput> connection_;
    std::optional<hydraulics::ConnectionInput> shownConnection_; // of the rows shown

    QComboBox* variable_ = nullptr;
    std::array<QLineEdit*, 3> range_{}; // from, to, step
    QDoubleSpinBox* increase_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* adopt_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* message_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    SweepChartView* chart_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    RecommendPanel* recommend_ = nullptr;
};

} // namespace windows
