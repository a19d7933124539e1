// SPDX-License-Identifier: GPL-3.0-or-later
// "渠道与水面衔接": the flume of the section window's calculation in its
// canals. Inputs for the two canals and the plan, the transition forms
// (whose ξ₁ and ξ₂ go to the case window on request), the results with
// their verdicts, and the longitudinal profile; printed like the other
// windows. The inputs are kept in the project's side file, section
// "connection": a damaged file is told in a message that does not wait
// for an answer, and the boxes start empty.
#pragma once

#include "hydraulics/connection.h"

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

class QLabel;
class QLayout;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace windows {

class ConnectionInputs;
class ConnectionProfileView;

class ConnectionWindow : public QWidget {
    Q_OBJECT

public:
    // A top-level window; with a parent it closes and goes with it.
    explicit ConnectionWindow(QWidget* parent = nullptr);

    // The flume of a successful calculation of project `projectName`; the
    // inputs kept for that project are loaded when the project is new to
    // the window. Results follow at once when the inputs are complete.
    // Printing falls back to `pdfBaseName`.pdf. `caseNo` (1..4, 0 where not
    // known) names the case in the drawings' titles.
    void setFlume(const hydraulics::ConnectionFlume& flume, const std::string& projectName,
                  const QString& pdfBaseName, int caseNo = 0);
    // After a failed calculation: inputs stay, results go.
    void clearFlume();

    const std::optional<hydraulics::Connection>& connection() const;

    // Writes the CAD drawings as DXF to `path`: the flume's section and,
    // right of it, the longitudinal profile shown, its heights as many
    // times larger as the box beside the button says. A failure is told in
    // a message naming the file. False when nothing was written (also
    // without results).
    bool writeDxf(const QString& path);

signals:
    // The coefficients of the chosen transition forms, for the case window.
    void lossCoefficientsChosen(double xi1, double xi2);

private slots:
    void calculate();   // Command1: keep the inputs in the side file, then show the results
    void printWindow(); // Command2: print the window
    void saveDxf();     // DxfCommand: choose a file, write section and profile as DXF

private:
    void loadInputs();
    void showResults(); // from the inputs as typed, without saving them
    void fillFigures();
    void fillChecks();
    QLayout* buildDxfRow(); // the exaggeration box and 导出 DXF

    ConnectionInputs* inputs_;
    ConnectionProfileView* profile_;
    QTableWidget* figures_;
    QTableWidget* checks_;
    QLabel* note_;
    QPushButton* calculate_;
    QPushButton* print_;
    QPushButton* dxf_;
    QSpinBox* exaggeration_;
    std::optional<hydraulics::ConnectionFlume> flume_;
    std::optional<hydraulics::Connection> connection_;
    std::string project_;
    bool loaded_ = false;
    QString pdfBaseName_;
    int caseNo_ = 0;
};

} // namespace windows
