// SPDX-License-Identifier: GPL-3.0-or-later
// A Qt Gui session for the files the command line draws (the SVG drawing,
// the calculation report).
#pragma once

#include <QtGlobal>
#include <memory>

class QGuiApplication;

namespace cli {

// For its lifetime: a QGuiApplication when the process has no Qt
// application object yet, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise (the files need no display, and a display
// that cannot be reached would end the process); and only Qt's critical
// and fatal messages on standard error, so that its notes about the
// runtime folder or the platform do not mix with the calculator's own.
class GuiSession {
public:
    GuiSession();
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    // False when the process already has a Qt application object that is
    // not a QGuiApplication: nothing can be drawn then.
    bool ready() const;

private:
    QtMessageHandler previousHandler_;
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace cli
