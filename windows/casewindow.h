// One case window, Form2 to Form5, configured by the description of its case.
#pragma once

#include <QWidget>

namespace hydraulics {
struct Module1;
}

class CaseWindow : public QWidget {
    Q_OBJECT

public:
    // caseNo 1..4 makes Form2..Form5. The window reads and writes `state`,
    // which outlives it.
    CaseWindow(hydraulics::Module1& state, int caseNo, QWidget* parent = nullptr);
    ~CaseWindow() override;

    int caseNo() const;

    // The opening steps: the run-time captions, then, unless ProjectMode is
    // exactly 1, the project file restored into the fields and the boxes.
    // When the file cannot be read the message is shown and false returned;
    // the caller then discards the window without showing it.
    bool load();

signals:
    // Command3 "结 束 计 算": the whole program is to end at once.
    void endRequested();

    // (private slots and members are the implementation's)
};
