// SPDX-License-Identifier: GPL-3.0-or-later
// ambrelo, the desktop program: starts on the main window Form1 and ends
// when its last window is closed or a case window's end button is clicked.
#include "hydraulics/projectstate.h"
#include "windows/appearance.h"
#include "windows/casewindows.h"
#include "windows/mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ambrelo"));
    QApplication::setApplicationVersion(QStringLiteral(AMBRELO_VERSION));
    // Ties the windows to ambrelo.desktop (its icon and name) on desktops
    // that look the program up by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("ambrelo"));
    drawing::InstallChineseFonts();
    windows::InstallChineseTranslations(app);

    // Declared in this order so that the windows go before the state they
    // read and write.
    hydraulics::ProjectState state;
    windows::CaseWindows caseWindows(state);
    windows::MainWindow form1(state, caseWindows);

    // Command3 of a case window ends the program at once, every window
    // included; closing the last window ends it as well (Qt's
    // quitOnLastWindowClosed).
    QObject::connect(&caseWindows, &windows::CaseWindows::endRequested, &app, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });

    form1.show();
    return QApplication::exec();
}
