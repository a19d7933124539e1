// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/casewindows.h"

#include "hydraulics/projectstate.h"
#include "windows/casewindow.h"

#include <QMessageBox>
#include <QPushButton>

namespace windows {

CaseWindows::CaseWindows(hydraulics::ProjectState& state, QObject* parent)
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
    } else if (slot->projectName() != state_.ProjectName && askSwitch(*slot)) {
        slot->load(); // when the file cannot be read it says so and keeps its project
    }
    if (slot->isMinimized())
        slot->showNormal();
    else
        slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

bool CaseWindows::askSwitch(CaseWindow& w) const {
    const QString open = QString::fromStdString(w.projectName());
    const QString named = QString::fromStdString(state_.ProjectName);
    QMessageBox box(
        QMessageBox::Question, w.userName() + QStringLiteral(" - 换项目？"),
        QStringLiteral("%1已为项目“%2”打开，主窗口“项目名”中现在是“%3”。\n"
                       "要把这个窗口换成项目“%3”（按“新计算项目”或“已计算项目”的"
                       "选择重新打开，现有的输入和成果不再显示，项目“%2”的文件保持不变），"
                       "还是保留项目“%2”，只把窗口显示在前面？")
            .arg(w.userName(), open, named),
        QMessageBox::NoButton, &w);
    QPushButton* switchTo =
        box.addButton(QStringLiteral("换成项目“%1”").arg(named), QMessageBox::AcceptRole);
    QPushButton* keep =
        box.addButton(QStringLiteral("保留项目“%1”").arg(open), QMessageBox::RejectRole);
    // Nothing is lost by the default: Enter and Esc keep the window as it is.
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == switchTo;
}

CaseWindow* CaseWindows::window(int caseNo) const {
    if (caseNo < 1 || caseNo > static_cast<int>(windows_.size()))
        return nullptr;
    return windows_[static_cast<std::size_t>(caseNo - 1)];
}

} // namespace windows
