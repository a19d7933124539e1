// SPDX-License-Identifier: GPL-3.0-or-later
// "断面及水力要素": the section drawing of one case window's last
// successful calculation, modeless, with a print button and a button that
// writes the calculation report (计算书) of that calculation.
#pragma once

#include "drawing/sectiondrawing.h"
#include "report/reportcontent.h"

#include <QString>
#include <QWidget>
#include <optional>

class QPushButton;
namespace windows {

class ConnectionWindow;
class IncreaseInput;
class SectionView;

class SectionWindow : public QWidget {
    Q_OBJECT

public:
    // A top-level window; with a parent it closes and goes with it.
    explicit SectionWindow(QWidget* parent = nullptr);

    // Shows the design point of a successful calculation, its checks at the
    // default increase of table 6.3.4 for its discharge. The printed page
    // falls back to `pdfBaseName`.pdf where there is no printer. `request`
    // (the case, its inputs as typed and the project) is what the report
    // of this calculation is made from.
    void showFigure(const drawing::SectionFigure& figure, const QString& pdfBaseName,
                    const report::ReportRequest& request);
    // After a failed calculation: no figure, no report.
    void clearFigure();

    const std::optional<drawing::SectionFigure>& figure() const;

    // Writes the report of the calculation shown, its checks at the increase
    // shown, to `path`, PDF or ODT by its extension; a failure is told in a message naming the
    // file, and no file is left then. False when nothing was written.
    bool writeReport(const QString& path);

    // Writes the CAD drawing of the calculation shown (the section, its
    // checks at the increase shown) to `path` as DXF; a failure is told in
    // a message naming the file. False when nothing was written.
    bool writeDxf(const QString& path);

    // The report's heading fields: those remembered for the project (its
    // side file), as the dialog before the save dialog leaves them.
    const project::ReportIdentity& reportIdentity() const { return identity_; }

signals:
    // The loss coefficients chosen in "渠道与水面衔接", for the case window.
    void lossCoefficientsChosen(double xi1, double xi2);
    // "方案比选": the case window is to open its comparison of candidates.
    void sweepRequested();
    // "推荐断面": the same, at its tab 推荐断面.
    void recommendRequested();

private slots:
    void printWindow();    // Command1: print the window
    void showConnection(); // Command3: open "渠道与水面衔接" for this calculation
    void saveReport();     // Command2: ask the heading fields, choose a file, write the report
    void saveDxf();        // DxfCommand: choose a file, write the section as DXF
    // The design checks and the drawing at another increase percentage.
    void redrawAtIncrease(double percent);

private:
    void buildButtons(); // 打印, 计算书, 导出 DXF, 水面衔接, 方案比选 in one look

    SectionView* view_;
    IncreaseInput* increase_;
    QPushButton* print_;
    QPushButton* report_;
    QPushButton* dxf_;
    QPushButton* connection_;
    ConnectionWindow* connectionWindow_ = nullptr; // made when first opened
    void updateConnection(); // the connection window follows the calculation shown
    QPushButton* sweep_;
    QPushButton* recommend_;
    QString pdfBaseName_;
    std::optional<report::ReportRequest> request_;
    project::ReportIdentity identity_;

    // Shows the heading fields' dialog, started from the project's side
    // file; on 确定 keeps them and remembers them there. False on 取消.
    bool askReportIdentity();
};

} // namespace windows
