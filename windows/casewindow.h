// SPDX-License-Identifier: GPL-3.0-or-later
// One case window, Form2 to Form5, configured by the description of its case.
#pragma once

#include "hydraulics/cases.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hydraulics {
struct ProjectState;
}

namespace windows {

struct CaseLayout;
struct SweepBase;
class SectionWindow;
class StaleWatch;
class SweepWindow;
class UnderNotes;

class CaseWindow : public QWidget {
    Q_OBJECT

public:
    // caseNo 1..4 makes Form2..Form5. The window reads and writes `state`,
    // which outlives it.
    CaseWindow(hydraulics::ProjectState& state, int caseNo, QWidget* parent = nullptr);
    ~CaseWindow() override;

    int caseNo() const;
    // How messages name the window: "情况 1 的计算窗口".
    QString userName() const;
    // The project the window was last loaded for: it saves to that file,
    // and its prints and section carry that name, whatever the main
    // window's name box holds meanwhile.
    const std::string& projectName() const { return projectName_; }

    // The opening steps: the run-time captions, then, unless ProjectMode is
    // exactly 1, the project file restored into the fields and the boxes;
    // the window takes ProjectName as its project. When the file cannot be
    // read the message is shown and false returned: the caller then
    // discards a new window without showing it, and a loaded one keeps its
    // project and boxes. Loading a loaded window again starts it afresh for
    // the new project: its results cleared, its inputs blank for a new one.
    bool load();

signals:
    // Command3 "结 束 计 算": the whole program is to end at once.
    void endRequested();

    // (private slots and members are the implementation's)

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void printWindow(); // Command1: print the window
    void calculate();   // Command2: read the boxes, save, solve, show
    void endProgram();  // Command3: end the program
    void showSection(); // Command4: open the section window
    // ξ1 and ξ2 of the transition forms chosen in "渠道与水面衔接" into Text7, Text8.
    void fillLossCoefficients(double xi1, double xi2);
    // v₁ of the upstream canal, chosen there, into V (Text5).
    void fillApproachVelocity(double velocity);
    void showSweep(); // "方案比选" here or in the section window: open the comparison
    // The comparison judges with the section window's canals and design
    // conditions, or before it exists with those the project keeps.
    void passDesign();
    // "采用" in the comparison (one value) or in 推荐断面: the values into
    // their input boxes (index, engine text), then calculate.
    void adoptValues(const QList<QPair<int, QString>>& values);
    // An input box changed: are the results still those of the boxes?
    void followInputs();
    // Results that the inputs have left behind: greyed, with a note here and
    // in the windows made from them; or current again.
    void markResults(bool stale);

private:
    static void showText(QLineEdit* box, const QString& text);
    // Values into input boxes (box index, value), as the box shows a single
    // value; the user calculates again when ready.
    void fillBoxes(std::initializer_list<std::pair<std::size_t, double>> values);
    // The steps of calculate(); each tells the user and clears the results
    // when it fails. The inputs as project::ProjectValues, the results as
    // hydraulics::ResultTexts.
    bool readInputs(std::array<float, 8>& values);
    // Empty when saved, else the sentences saying what was not saved and why.
    QString saveInputs(const std::array<float, 8>& values);
    // `unsaved` joins a failure's message.
    bool solve(std::array<std::string, 5>& results, const QString& unsaved);
    void showResults(const std::array<std::string, 5>& results);
    void clearResults();
    // Before printing stale results: false when the user cancels or a
    // calculation asked for first fails.
    bool goOnDespiteStale();
    SweepBase readBase() const; // the boxes as they stand, for the comparison
    void updateSection(const std::array<float, 8>& inputs, const hydraulics::ResultTexts& results);
    void warn(const QString& what, const QString& text);
    QString fileBaseName(const QString& what) const; // project, case, what

    hydraulics::ProjectState& state_;
    const CaseLayout& layout_;
    std::string projectName_;
    bool loaded_ = false;
    std::array<QLineEdit*, 13> boxes_{}; // Text1..Text13
    QPushButton* command4_ = nullptr;    // "断面图", enabled after a success
    // The lines under the window: results that the inputs have left behind,
    // and a case 1 or 2 result outside h ≥ B/2.
    UnderNotes* notes_ = nullptr;
    QLabel* staleNote_ = nullptr;
    QLabel* applicabilityNote_ = nullptr;
    StaleWatch* stale_ = nullptr; // the results against the inputs typed since
    // "断面及水力要素" of the last successful calculation: made with the
    // first one, hidden until Command4 is clicked, a child window that goes
    // with this one.
    SectionWindow* section_ = nullptr;
    // "方案比选" of this window's project: made when first asked for, a
    // child window that goes with this one (and with its project).
    SweepWindow* sweep_ = nullptr;
    // Labels that are blank in the design, with the captions they take
    // when the window opens, in the order they take them.
    std::vector<std::pair<QLabel*, QString>> runtimeCaptions_;
};

} // namespace windows
