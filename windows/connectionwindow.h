// SPDX-License-Identifier: GPL-3.0-or-later
// "渠道与水面衔接": the flume of the section window's calculation in its
// canals. Inputs for the two canals and the plan, the transition forms
// (whose ξ₁ and ξ₂ go to the case window on request), the results with
// their verdicts, and the longitudinal profile; printed like the other
// windows. The inputs are kept in the project's side file, section
// "connection", the grade as the report's 建筑物级别 (sharedgrade.h): a
// damaged file is told in a message that does not wait for an answer, and
// the boxes start empty.
//
// Like the case windows, Enter walks the boxes and computes from the last.
// An input that cannot be taken is named as labelled, in a red line, and
// never kept: the side file keeps the last set that could, the results of
// that set stay shown, marked as not current, until a calculation succeeds.
#pragma once

#include "hydraulics/design.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QLayout;
class QPushButton;
class QSpinBox;

namespace project {
struct ConnectionRead;
}

namespace windows {

class ConnectionInputs;
class ConnectionProfileView;
class ConnectionTables;
class StaleWatch;

class ConnectionWindow : public QWidget {
    Q_OBJECT

public:
    // A top-level window; with a parent it closes and goes with it.
    explicit ConnectionWindow(QWidget* parent = nullptr);

    // The design of a successful calculation of project `projectName`; the
    // inputs kept for that project are loaded when the project is new to
    // the window (the section window has taken the same set into the
    // design). Its connection, at the adopted section, is what the window
    // shows. Printing falls back to `pdfBaseName`.pdf.
    void setDesign(std::shared_ptr<const hydraulics::Design> design, const std::string& projectName,
                   const QString& pdfBaseName);
    // After a failed calculation: inputs stay, results go.
    void clearDesign();
    // The case window's inputs have changed since the flume's calculation
    // (or are back): the results say so.
    void setBasicStale(bool stale);
    // 建筑物级别 set in the 计算书信息 dialog, "1".."5" (empty: none).
    void setGrade(const std::string& grade);

    // The connection shown: the design's, when it has canal data.
    const hydraulics::Connection* connection() const;

    // Writes the CAD drawings as DXF to `path`: the adopted section and,
    // right of it, the longitudinal profile shown, its heights as many
    // times larger as the box beside the button says. A failure is told in
    // a message naming the file. False when nothing was written (also
    // without results).
    bool writeDxf(const QString& path);

signals:
    // The coefficients of the chosen transition forms, for the case window.
    void lossCoefficientsChosen(double xi1, double xi2);
    // The grade of a set just taken and kept, 1..5.
    void gradeKept(int grade);
    // A set of canal data taken by 计算: the design is to follow it.
    void canalsTaken(const hydraulics::ConnectionInput& canals);
    // "将 v₁ 填入渠道流速 V": the upstream canal's velocity for the case window.
    void approachVelocityChosen(double velocity);

private slots:
    void calculate();    // Command1: take the inputs, keep them, show the results
    void printWindow();  // Command2: print the window
    void markResults();  // greyed with a note while the inputs have left them behind
    void saveDxf();      // DxfCommand: choose a file, write section and profile as DXF
    void fillVelocity(); // VelocityCommand: v₁ into the case window's V

private:
    QLayout* buildResults();     // the lines, the profile and the tables
    QLayout* buildDxfRow();      // the exaggeration box and 导出 DXF
    QLayout* buildVelocityRow(); // the velocity note and its button
    void loadInputs();
    void take(const project::ConnectionRead& read); // the set the results are of
    void refuse(const project::ConnectionRead& read);
    void keep(); // the set taken into the side file
    void showResults();
    void tell(const QString& message);

    ConnectionInputs* inputs_;
    ConnectionProfileView* profile_;
    ConnectionTables* tables_;
    QLabel* note_;      // the flume, or what is missing
    QLabel* message_;   // an input refused, in red
    QLabel* staleNote_; // results not current
    QLabel* velocity_;  // V against the canals' velocities
    QPushButton* fillVelocity_;
    QPushButton* dxf_;
    QSpinBox* exaggeration_;
    QPushButton* calculate_;
    QPushButton* print_;
    StaleWatch* watch_; // the boxes against the set taken
    std::shared_ptr<const hydraulics::Design> design_;
    std::optional<hydraulics::ConnectionInput> taken_; // the last set that could be taken
    std::string project_;
    bool loaded_ = false;
    bool basicStale_ = false;
    QString pdfBaseName_;
};

} // namespace windows
