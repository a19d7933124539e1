// SPDX-License-Identifier: GPL-3.0-or-later
// "断面及水力要素": the design of one case window's last successful
// calculation, modeless: the section drawing with its elements, checks,
// adopted section and curve; the increase p and the design conditions
// (design step, support, tie rods, cold region, 地区) under it; buttons to
// print, write the 计算书, export DXF, open the connection to the canals
// and the comparison of candidates.
//
// The design is computed once, by hydraulics::ComputeDesign, from the case
// window's outcome, the conditions and the project's canal data; every
// part of the window and the connection window show that one value.
#pragma once

#include "drawing/sectiondrawing.h"
#include "hydraulics/design.h"
#include "report/reportcontent.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
namespace windows {

class ConnectionWindow;
class DesignInput;
class IncreaseInput;
class ReportWriter;
class SectionView;

class SectionWindow : public QWidget {
    Q_OBJECT

public:
    // A top-level window; with a parent it closes and goes with it.
    explicit SectionWindow(QWidget* parent = nullptr);

    // Shows the design of a successful calculation: `outcome` as the case
    // window left it, `request` (the case, its inputs as typed and the
    // project) what the design and the report are made from. The printed
    // page falls back to `pdfBaseName`.pdf where there is no printer.
    void showCalculation(const hydraulics::CaseOutcome& outcome, const QString& pdfBaseName,
                         const report::ReportRequest& request);
    // After a failed calculation: no figure, no report.
    void clearFigure();
    // The case window's inputs have changed since the figure's calculation
    // (or are back): a note says so here and in the connection window, and
    // printing or a report asks first.
    void setStale(bool stale);
    bool isStale() const { return stale_; }

    const std::optional<drawing::SectionFigure>& figure() const;
    // The design shown; null without a successful calculation.
    const hydraulics::Design* design() const { return design_.get(); }

    // Writes the report of the design shown to `path`, PDF or ODT by its
    // extension; a failure is told in a message naming the file, and no
    // file is left then. False when nothing was written.
    bool writeReport(const QString& path);
    // Writes the CAD drawing of the design shown (the adopted section) to
    // `path` as DXF; a failure is told in a message naming the file. False
    // when nothing was written.
    bool writeDxf(const QString& path);

    // The report's heading fields: those remembered for the project (its
    // side file), as the dialog before the save dialog leaves them.
    const project::ReportIdentity& reportIdentity() const;
    // The canals and design conditions the design shown is judged with.
    const std::optional<hydraulics::ConnectionInput>& canals() const;
    const hydraulics::DesignConditions& conditions() const;

signals:
    // The loss coefficients chosen in "渠道与水面衔接", for the case window.
    void lossCoefficientsChosen(double xi1, double xi2);
    // v₁ of the upstream canal for the case window's V.
    void approachVelocityChosen(double velocity);
    // "方案比选": the case window is to open its comparison of candidates.
    void sweepRequested();
    // "先重新计算": the case window is to calculate now, from its boxes.
    void recalculationRequested();
    // "推荐断面": the comparison at its tab 推荐断面.
    void recommendRequested();
    // The canals or the design conditions have changed (or another
    // project's were loaded).
    void designChanged();

private slots:
    void printWindow();    // Command1: print the window
    void showConnection(); // Command3: open "渠道与水面衔接" for this calculation
    void saveReport();     // Command2: ask the heading fields, choose a file, write the report
    void saveDxf();        // DxfCommand: choose a file, write the adopted section as DXF
    void redrawAtIncrease(double percent); // the design at another increase percentage
    void takeConditions();                 // the design under the conditions of the row
    void takeCanals(const hydraulics::ConnectionInput& canals); // the connection's set

private:
    void buildButtons(); // 打印, 计算书, 导出 DXF, 水面衔接, 方案比选, 推荐断面 in one look
    void buildStatusLine();
    // The window's first size: the drawing and `belowDrawing` pixels under it.
    void fitScreen(int belowDrawing);
    // The conditions and canal data kept for the project of `request_`.
    void loadProject();
    // Computes the design of the calculation shown and shows it here and in
    // the connection window.
    void recompute();
    void updateConnection(); // the connection window follows the design shown
    // Before printing or a report from stale results: false when the user
    // cancels or the calculation asked for first does not succeed.
    bool goOnDespiteStale();
    // What 打印 prints: the note where shown, the whole drawing however it
    // scrolls, and the inputs under it.
    QPixmap printedImage() const;
    report::ReportRequest reportRequest() const; // the design's, for the 计算书

    SectionView* view_;
    IncreaseInput* increase_;
    DesignInput* conditionsInput_;
    QLabel* staleNote_;
    QLabel* status_;
    ReportWriter* writer_;
    bool stale_ = false;
    QPushButton* print_;
    QPushButton* report_;
    QPushButton* dxf_;
    QPushButton* connection_;
    QPushButton* sweep_;
    QPushButton* recommend_;
    ConnectionWindow* connectionWindow_ = nullptr; // made when first opened
    QString pdfBaseName_;
    std::optional<report::ReportRequest> request_;
    std::optional<hydraulics::CaseOutcome> outcome_;
    std::string loadedProject_; // the project whose conditions and canals are loaded
    bool loaded_ = false;
    hydraulics::DesignConditions conditions_;
    std::optional<hydraulics::ConnectionInput> canals_;
    std::shared_ptr<const hydraulics::Design> design_;
};

} // namespace windows
