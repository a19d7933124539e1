// ambrelo, the desktop program: starts on the main window Form1 and ends
// when its last window is closed or a case window's end button is clicked.
#include "appearance.h"
#include "casewindows.h"
#include "mainwindow.h"
#include "module1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ambrelo"));
    QApplication::setApplicationVersion(QStringLiteral(AMBRELO_VERSION));
    // Ties the windows to ambrelo.desktop (its icon and name) on desktops
    // that look the program up by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("ambrelo"));
    InstallChineseFonts();
    InstallChineseTranslations(app);

    // Declared in this order so that the windows go before the state they
    // read and write.
    hydraulics::Module1 state;
    CaseWindows caseWindows(state);
    MainWindow form1(state, caseWindows);

    // Command3 of a case window ends the program at once, every window
    // included; closing the last window ends it as well (Qt's
    // quitOnLastWindowClosed).
    QObject::connect(&caseWindows, &CaseWindows::endRequested, &app, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });

    form1.show();
    return QApplication::exec();
}
