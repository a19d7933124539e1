// SPDX-License-Identifier: GPL-3.0-or-later
// The four case windows Form2..Form5, one instance per case at a time.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>

namespace hydraulics {
struct ProjectState;
}
namespace windows {

class CaseWindow;

class CaseWindows : public QObject {
    Q_OBJECT

public:
    // The windows read and write `state`, which must outlive this object.
    explicit CaseWindows(hydraulics::ProjectState& state, QObject* parent = nullptr);
    // Deletes the case windows still open.
    ~CaseWindows() override;

    CaseWindows(const CaseWindows&) = delete;
    CaseWindows& operator=(const CaseWindows&) = delete;

    // Opens the window of case `caseNo` (1..4): created and loaded on first
    // use or after it was closed, then shown modeless without an owner; a
    // window already open for the project now named is only brought
    // forward, its boxes untouched. One open for another project asks the
    // user whether to switch it to the new project (loaded afresh) or to
    // bring it forward unchanged. Returns nullptr for a case outside 1..4
    // and when loading a new window failed (the window has told the user
    // why and is discarded; the next call tries afresh).
    CaseWindow* open(int caseNo);

    // The open window of `caseNo`, or nullptr.
    CaseWindow* window(int caseNo) const;

signals:
    // Command3 of any case window: the whole program is to end.
    void endRequested();

private:
    // Asks whether `w`, open for another project, is to switch to the one
    // now named; true to switch.
    bool askSwitch(CaseWindow& w) const;

    hydraulics::ProjectState& state_;
    // A closed window deletes itself and its slot goes back to null.
    std::array<QPointer<CaseWindow>, 4> windows_;
};

} // namespace windows
