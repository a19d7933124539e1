// Form1 driven as a user would: clicks and keystrokes on the offscreen
// platform, case windows found among the top-level windows, inside a
// temporary folder so that project files land there.
#include "window_test_support.h"
#include "windows/casewindows.h"
#include "windows/mainwindow.h"

#include <QAbstractButton>
#include <QFile>

namespace {

// One program session: the state, the case windows and Form1, torn down in
// reverse order.
struct Session {
    hydraulics::Module1 state;
    CaseWindows caseWindows{state};
    MainWindow form1{state, caseWindows};
};

QWidget* VisibleWindow(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

int VisibleCaseWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += qobject_cast<CaseWindow*>(w) && w->isVisible() ? 1 : 0;
    return n;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    template <typename T = QAbstractButton> T* control(const char* name) {
        return session_->form1.findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name) { Click(control(name)); }
    // Ticks a case box (none for nullptr), picks a project option and opens.
    void open(const char* box, const char* option = "Option1") {
        for (const char* name : {box, option})
            if (name && *name)
                click(name);
        click("Command2");
    }
    QLineEdit* nameBox() { return control<QLineEdit>("Text1"); }
    hydraulics::Module1& state() { return session_->state; }

    TemporaryCurrentDir dir_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<ModalCatcher> modals_;

private slots:
    void initTestCase() { QVERIFY(dir_.made); }
    void init() {
        modals_ = std::make_unique<ModalCatcher>();
        session_ = std::make_unique<Session>();
        session_->form1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&session_->form1));
    }
    void cleanup() {
        session_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(VisibleCaseWindows(), 0);
        const QStringList unexpected = modals_->take();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(" | ")));
    }

    // Each case box, under its caption, opens its own window; no box, none.
    void caseBoxOpensItsWindow_data() {
        QTest::addColumn<QStringList>("boxCaptionWindow");
        QTest::newRow("case 1") << QStringList{"Check4", "计算槽宽及水头损失", "Form2"};
        QTest::newRow("case 2") << QStringList{"Check5", "计算槽宽及槽身比降", "Form3"};
        QTest::newRow("case 3") << QStringList{"Check7", "计算水深及水头损失", "Form4"};
        QTest::newRow("case 4") << QStringList{"Check6", "计算流量及水头损失", "Form5"};
        QTest::newRow("no case") << QStringList{"", "", ""};
    }
    void caseBoxOpensItsWindow() {
        QFETCH(QStringList, boxCaptionWindow);
        const QString box = boxCaptionWindow[0], window = boxCaptionWindow[2];
        if (!box.isEmpty())
            QCOMPARE(control(qPrintable(box))->text(), boxCaptionWindow[1]);
        open(qPrintable(box));
        QCOMPARE(VisibleCaseWindows(), window.isEmpty() ? 0 : 1);
        QVERIFY(window.isEmpty() || VisibleWindow(window));
    }

    // The whole road of case 1: a name typed beside the box's starting
    // blank (which it keeps), a new project calculated and saved, a second
    // click that leaves the open window as it is, a second case window
    // beside it, then the project reopened with its inputs restored.
    void case1NewThenExisting() {
        nameBox()->setFocus();
        nameBox()->end(false);
        QTest::keyClicks(nameBox(), "demo");
        QCOMPARE(state().ProjectName, std::string(" demo"));
        open("Check4");
        CaseWindow* form2 = session_->caseWindows.window(1);
        QVERIFY(form2 && form2->isVisible());
        QCOMPARE(Texts(*form2, 1, 8), QStringList(8, " "));
        TypeInputs(*form2, Example(1).inputs);
        Click(Button(*form2, 2));
        QCOMPARE(Texts(*form2, 9, 13), Example(1).results);
        QFile file(" demous.dat");
        QVERIFY(file.open(QIODevice::ReadOnly) && !QFile::exists("demous.dat"));
        QCOMPARE(QString::fromUtf8(file.readAll()).trimmed().split(','), Example(1).inputs);

        TypeInto(Box(*form2, 1), "7");
        click("Command2");
        QCOMPARE(session_->caseWindows.window(1), form2);
        QCOMPARE(Box(*form2, 1)->text(), QStringLiteral("7"));
        open("Check7", nullptr);
        QVERIFY(VisibleWindow("Form2") && VisibleWindow("Form4"));
        QCOMPARE(VisibleCaseWindows(), 2);

        form2->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!session_->caseWindows.window(1));
        open("Check4", "Option2");
        QVERIFY(!control("Option1")->isChecked());
        QVERIFY(VisibleWindow("Form2"));
        QCOMPARE(Texts(*session_->caseWindows.window(1), 1, 8), Example(1).inputs);
    }

    // The case is that of the box clicked last, ticked or unticked.
    void lastClickedBoxDecides() {
        click("Option1");
        click("Check4");
        click("Check5");
        QCOMPARE(state().CaseNo, 2.0f);
        open("Check5", nullptr);
        QVERIFY(control("Check4")->isChecked() && !control("Check5")->isChecked());
        QVERIFY(VisibleWindow("Form3"));
        QCOMPARE(VisibleCaseWindows(), 1);
    }

    // An existing (or not yet chosen) project without a file: the user is
    // told which file is missing, no window opens, and Form1 goes on.
    void missingProjectFile_data() {
        QTest::addColumn<QString>("option");
        QTest::newRow("existing project") << "Option2";
        QTest::newRow("no project choice") << "";
    }
    void missingProjectFile() {
        QFETCH(QString, option);
        TypeInto(nameBox(), "missing");
        open("Check5", qPrintable(option));
        const QStringList told = modals_->take();
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains("missingus.dat"), qPrintable(told[0]));
        QCOMPARE(VisibleCaseWindows(), 0);
        open(nullptr); // a new project of that name
        QVERIFY(VisibleWindow("Form3"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
