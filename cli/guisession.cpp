// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/guisession.h"

#include "drawing/chinesefonts.h"

#include <QGuiApplication>

namespace cli {
namespace {

QtMessageHandler passOn = nullptr; // the handler the session replaced

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && passOn)
        passOn(type, context, text);
}

} // namespace

GuiSession::GuiSession() : previousHandler_(qInstallMessageHandler(QuietHandler)) {
    passOn = previousHandler_;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ambrelo-calc";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    if (ready())
        drawing::InstallChineseFonts();
}

GuiSession::~GuiSession() {
    app_.reset();
    qInstallMessageHandler(previousHandler_);
}

bool GuiSession::ready() const {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace cli
