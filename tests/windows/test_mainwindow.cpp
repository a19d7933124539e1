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

// The names of the visible case windows.
QStringList VisibleCaseWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CaseWindow*>(w) && w->isVisible())
            names << w->objectName();
    names.sort();
    return names;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QAbstractButton* control(const QString& name) {
        return session_->form1.findChild<QAbstractButton*>(name);
    }
    // Clicks each named control in turn ("" for none).
    void click(const QStringList& names) {
        for (const QString& name : names)
            if (!name.isEmpty())
                Click(control(name));
    }
    QLineEdit* nameBox() { return session_->form1.findChild<QLineEdit*>("Text1"); }

    Fresh fresh_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<ModalCatcher> modals_;

private slots:
    void initTestCase() { QVERIFY(fresh_.made); }
    void init() {
        modals_ = std::make_unique<ModalCatcher>();
        session_ = std::make_unique<Session>();
        session_->form1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&session_->form1));
    }
    void cleanup() {
        session_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(VisibleCaseWindows(), QStringList());
        QCOMPARE(modals_->take(), QStringList()); // no message nobody expected
    }

    // Each case box, under its caption, opens its own window; no box, none.
    // The case is that of the box clicked last, ticked or unticked.
    void caseBoxOpensItsWindow_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("caption"); // of the last box
        QTest::addColumn<QString>("window");
        QTest::newRow("case 1") << QStringList{"Check4"} << "计算槽宽及水头损失"
                                << "Form2";
        QTest::newRow("case 2") << QStringList{"Check5"} << "计算槽宽及槽身比降"
                                << "Form3";
        QTest::newRow("case 3") << QStringList{"Check7"} << "计算水深及水头损失"
                                << "Form4";
        QTest::newRow("case 4") << QStringList{"Check6"} << "计算流量及水头损失"
                                << "Form5";
        QTest::newRow("no case") << QStringList{""} << ""
                                 << "";
        QTest::newRow("last clicked")
            << QStringList{"Check4", "Check5", "Check5"} << "计算槽宽及槽身比降"
            << "Form3";
    }
    void caseBoxOpensItsWindow() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, caption);
        QFETCH(QString, window);
        QVERIFY(clicks.last().isEmpty() || control(clicks.last())->text() == caption);
        click(QStringList{"Option1"} + clicks + QStringList{"Command2"});
        QCOMPARE(VisibleCaseWindows(), window.isEmpty() ? QStringList() : QStringList{window});
    }

    // The whole road of case 1: a name typed beside the box's starting blank
    // (which it keeps), a new project calculated and saved, a second click
    // that leaves the open window as it is, a second case window beside it,
    // then the project reopened with its inputs restored.
    void case1NewThenExisting() {
        nameBox()->setFocus();
        nameBox()->end(false);
        QTest::keyClicks(nameBox(), "demo");
        QCOMPARE(session_->state.ProjectName, std::string(" demo"));
        click({"Check4", "Option1", "Command2"});
        CaseWindow* form2 = session_->caseWindows.window(1);
        QVERIFY(form2 && form2->isVisible());
        QCOMPARE(Texts(*form2, 1, 8), QStringList(8, " "));
        TypeInputs(*form2, Example(1).inputs);
        Click(Button(*form2, 2));
        QCOMPARE(Texts(*form2, 9, 13), Example(1).results);
        QFile file(" demous.dat");
        QVERIFY(file.open(QIODevice::ReadOnly) && !QFile::exists("demous.dat"));
        QCOMPARE(QString::fromUtf8(file.readAll()).trimmed().split(','), Example(1).inputs);

        TypeInputs(*form2, {"7"});
        click({"Command2"});
        QVERIFY(session_->caseWindows.window(1) == form2 && Box(*form2, 1)->text() == "7");
        click({"Check7", "Command2"});
        QCOMPARE(VisibleCaseWindows(), (QStringList{"Form2", "Form4"}));

        form2->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!session_->caseWindows.window(1));
        click({"Check4", "Option2", "Command2"});
        QVERIFY(!control("Option1")->isChecked());
        QCOMPARE(Texts(*session_->caseWindows.window(1), 1, 8), Example(1).inputs);
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
        nameBox()->setText("missing");
        click({"Check5", option, "Command2"});
        const QStringList told = modals_->take();
        QVERIFY(told.size() == 1 && told[0].contains("missingus.dat"));
        QCOMPARE(VisibleCaseWindows(), QStringList());
        click({"Option1", "Command2"}); // a new project of that name
        QCOMPARE(VisibleCaseWindows(), QStringList{"Form3"});
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
