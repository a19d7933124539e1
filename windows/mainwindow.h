// SPDX-License-Identifier: GPL-3.0-or-later
// Form1, the main window: description of the program, the case selection
// table, new or existing project, the project name, print and open.
#pragma once

#include <QWidget>

namespace hydraulics {
struct ProjectState;
}

namespace windows {

class CaseWindows;
struct MainLayout;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    // The handlers write CaseNo, ProjectMode and ProjectName of `state` and
    // open the chosen case window through `caseWindows`; both must outlive
    // the window.
    MainWindow(hydraulics::ProjectState& state, CaseWindows& caseWindows,
               QWidget* parent = nullptr);

    // Base name of the PDF written for Command1 where there is no printer.
    QString printFileBaseName() const;

private slots:
    void onCheck4Clicked();
    void onCheck5Clicked();
    void onCheck7Clicked();
    void onCheck6Clicked();
    void onOption1Clicked();
    void onOption2Clicked();
    void onText1Changed(const QString& text);
    void onCommand1Clicked();
    void onCommand2Clicked();

private:
    // Makes the window and its controls from the description of Form1.
    void build(const MainLayout& layout);
    void connectControls();

    hydraulics::ProjectState& state_;
    CaseWindows& caseWindows_;
};

} // namespace windows
