#include "windows/casewindows.h"

#include "windows/casewindow.h"

namespace windows {

CaseWindows::CaseWindows(hydraulics::Module1& state, QObject* parent)
    : QObject(parent), state_(state) {}

CaseWindows::~CaseWindows() {
    for (auto& w : windows_)
        delete w.data();
}

CaseWindow* CaseWindows::open(int caseNo) {
    if (caseNo < 1 || caseNo > static_cast<int>(windows_.size()))
        return nullptr;
    QPointer<CaseWindow>& slot = windows_[static_cast<std::size_t>(caseNo - 1)];
    if (!slot) {
        // No owner window: the case window stands beside Form1 and outlives it
        // when Form1 is closed first.
        auto* w = new CaseWindow(state_, caseNo);
        w->setAttribute(Qt::WA_DeleteOnClose);
        connect(w, &CaseWindow::endRequested, this, &CaseWindows::endRequested);
        if (!w->load()) {
            delete w;
            return nullptr;
        }
        slot = w;
    }
    if (slot->isMinimized())
        slot->showNormal();
    else
        slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

CaseWindow* CaseWindows::window(int caseNo) const {
    if (caseNo < 1 || caseNo > static_cast<int>(windows_.size()))
        return nullptr;
    return windows_[static_cast<std::size_t>(caseNo - 1)];
}

} // namespace windows
