// SPDX-License-Identifier: GPL-3.0-or-later
// "方案比选": one input of a case window stepped over a range, the rows
// side by side in a sortable table with their design checks, a chart of
// H/B and v under it, and "采用" to take a row's value back into the case
// window, which then computes (and saves) it there. Nothing is saved here.
// A second tab, "推荐断面" (RecommendPanel), searches the width and the
// slope together.
#pragma once

#include "hydraulics/designchecks.h"
#include "hydraulics/sweep.h"
#include "windows/sweepbase.h"

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
class QStandardItemModel;
class QTableView;

namespace windows {

class RecommendPanel;
class SweepChartView;
class SweepSortModel;

class SweepWindow : public QWidget {
    Q_OBJECT

public:
    // For case 1..4; `baseName` names the printed page and the CSV offered
    // ("渡槽一情况1方案比选"). A top-level window; with a parent it closes
    // and goes with it.
    SweepWindow(int caseNo, const QString& baseName, QWidget* parent = nullptr);

    // The case window's inputs as its boxes stand, whenever they change.
    // The rows shown stay current while the inputs other than the variable
    // stay as they were run with; otherwise a note says they are not. The
    // first call also sets the variable and its range to their defaults and
    // runs them where it can.
    void setBase(const SweepBase& base);
    // The window opened (again) from the case window: the range is centred
    // anew on the variable's value where that changed since it was set, and
    // rows that are not current are run again.
    void openFor(const SweepBase& base);
    // The increase of the checks, %; empty: table 6.3.4 for each row's Q.
    void setIncrease(std::optional<double> percent);
    // The canals of the project's water-surface connection; with them each
    // row is also connected and its verdicts count. Empty: none. The other
    // design conditions (width step, support, tie rods, cold region, 地区).
    void setConnection(const std::optional<hydraulics::ConnectionInput>& connection,
                       const hydraulics::DesignConditions& conditions = {});
    // Brings the tab "推荐断面" forward; it searches where it has not yet
    // for the inputs as they stand.
    void showRecommendation();
    RecommendPanel* recommendPanel() const { return recommend_; }

    const std::vector<hydraulics::SweepRow>& rows() const;
    std::size_t variable() const;

    // Writes the rows as CSV to `path`, whole or not at all, with a UTF-8
    // byte-order mark so that spreadsheets read its Chinese as such; false
    // (after a message naming the file) when it cannot be written.
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
    bool readable() const; // every input but the variable can be read
    void markRows();       // the note while the rows are not current

    int caseNo_;
    QString baseName_;
    SweepBase base_;
    bool started_ = false;
    std::optional<double> centredOn_;    // the value the range was centred on
    std::size_t shownVariable_ = 0;      // the variable of the rows shown
    std::optional<SweepBase> shownBase_; // the inputs the rows shown were run with
    std::vector<hydraulics::SweepRow> rows_;
    std::optional<hydraulics::ConnectionInput> connection_;
    hydraulics::DesignConditions conditions_;
    std::optional<hydraulics::ConnectionInput> shownConnection_; // of the rows shown
    hydraulics::DesignConditions shownConditions_;               // of the rows shown

    QComboBox* variable_ = nullptr;
    std::array<QLineEdit*, 3> range_{}; // from, to, step
    QDoubleSpinBox* increase_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* adopt_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* staleNote_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    SweepSortModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    SweepChartView* chart_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    RecommendPanel* recommend_ = nullptr;
};

} // namespace windows
