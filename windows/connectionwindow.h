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

#include "hydraulics/connection.h"

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

class QLabel;
class QLayout;
class QPushButton;

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

    // The flume of a successful calculation of project `projectName`; the
    // inputs kept for that project are loaded when the project is new to
    // the window. The results of the inputs last taken follow at once.
    // Printing falls back to `pdfBaseName`.pdf.
    void setFlume(const hydraulics::ConnectionFlume& flume, const std::string& projectName,
                  const QString& pdfBaseName);
    // After a failed calculation: inputs stay, results go.
    void clearFlume();
    // The case window's inputs have changed since the flume's calculation
    // (or are back): the results say so.
    void setBasicStale(bool stale);
    // 建筑物级别 set in the 计算书信息 dialog, "1".."5" (empty: none).
    void setGrade(const std::string& grade);

    const std::optional<hydraulics::Connection>& connection() const;

signals:
    // The coefficients of the chosen transition forms, for the case window.
    void lossCoefficientsChosen(double xi1, double xi2);
    // The grade of a set just taken and kept, 1..5.
    void gradeKept(int grade);

private slots:
    void calculate();   // Command1: take the inputs, keep them, show the results
    void printWindow(); // Command2: print the window
    void markResults(); // greyed with a note while the inputs have left them behind

private:
    QLayout* buildResults(); // the lines, the profile and the tables
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
    QPushButton* calculate_;
    QPushButton* print_;
    StaleWatch* watch_; // the boxes against the set taken
    std::optional<hydraulics::ConnectionFlume> flume_;
    std::optional<hydraulics::ConnectionInput> taken_; // the last set that could be taken
    std::optional<hydraulics::Connection> connection_;
    std::string project_;
    bool loaded_ = false;
    bool basicStale_ = false;
    QString pdfBaseName_;
};

} // namespace windows
