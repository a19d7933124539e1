// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 driven as a user would, case windows found among the top-level
// windows, in a temporary folder so that project files land there.
#include "window_test_support.h"
#include "windows/casewindows.h"
#include "windows/mainwindow.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// One program session: the state, the case windows and Form1, torn down in
// reverse order.
struct Session {
    hydraulics::ProjectState state;
    CaseWindows caseWindows{state};
    MainWindow form1{state, caseWindows};
};

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

    // Clicks each named control of Form1 in turn ("" for none).
    void click(const QStringList& names) {
        for (const QString& name : names)
            if (!name.isEmpty())
                Click(session_->form1.findChild<QAbstractButton*>(name));
    }

    Fresh fresh_;
    std::unique_ptr<Session> session_;
    ModalCatcher modals_;

private slots:
    void init() {
        QVERIFY(fresh_.made);
        session_ = std::make_unique<Session>();
        session_->form1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&session_->form1));
    }
    void cleanup() {
        session_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(VisibleCaseWindows(), QStringList());
        QCOMPARE(modals_.take(), QStringList()); // no message nobody expected
    }

    // The case box clicked last, ticked or unticked, opens its window (none
    // without a box); a project without a file (existing, or no choice)
    // opens none and the user is told which file.
    void opensTheCaseWindowOfTheLastBoxClicked_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<QString>("told");
        const QStringList none;
        QTest::newRow("case 1") << QStringList{"Check4", "Option1"} << QStringList{"Form2"} << "";
        QTest::newRow("case 2") << QStringList{"Check5", "Option1"} << QStringList{"Form3"} << "";
        QTest::newRow("case 3") << QStringList{"Check7", "Option1"} << QStringList{"Form4"} << "";
        QTest::newRow("case 4") << QStringList{"Check6", "Option1"} << QStringList{"Form5"} << "";
        QTest::newRow("no case") << QStringList{"Option1"} << none << "";
        QTest::newRow("last clicked")
            << QStringList{"Check4", "Check5", "Check5", "Option1"} << QStringList{"Form3"} << "";
        QTest::newRow("existing, no file") << QStringList{"Check5", "Option2"} << none << "us.dat";
        QTest::newRow("no choice, no file") << QStringList{"Check5"} << none << "us.dat";
    }
    void opensTheCaseWindowOfTheLastBoxClicked() {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, windows);
        QFETCH(QString, told);
        session_->form1.findChild<QLineEdit*>("Text1")->setText("missing");
        click(clicks + QStringList{"Command2"});
        QCOMPARE(VisibleCaseWindows(), windows);
        const QStringList said = modals_.take();
        QVERIFY(told.isEmpty() ? said.isEmpty()
                               : said.size() == 1 && said[0].contains("missingus.dat"));
    }

    // The whole road of case 1: a name typed beside the box's starting blank
    // (which it keeps), a new project calculated and saved, a second click
    // that leaves the open window as it is, a second case window beside it,
    // then the project reopened with its inputs restored.
    void case1NewThenExisting() {
        QLineEdit* name = session_->form1.findChild<QLineEdit*>("Text1");
        name->setFocus();
        name->end(false);
        QTest::keyClicks(name, "demo");
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
        click({"Command2", "Check7", "Command2"});
        QVERIFY(session_->caseWindows.window(1) == form2 && Box(*form2, 1)->text() == "7");
        QCOMPARE(VisibleCaseWindows(), (QStringList{"Form2", "Form4"}));
        form2->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!session_->caseWindows.window(1));
        click({"Check4", "Option2", "Command2"});
        QCOMPARE(Texts(*session_->caseWindows.window(1), 1, 8), Example(1).inputs);
        QCOMPARE(session_->caseWindows.window(1)->windowTitle(), QStringLiteral("Form2 -  demo"));
        QCOMPARE(modals_.take(), QStringList());
        // Opened by the name as typed, without the blank: " demous.dat" is
        // offered, 打开 first and the default, and opened under its name.
        session_->caseWindows.window(1)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        name->setText("demo");
        click({"Check4", "Option2", "Command2"});
        const QStringList asked = modals_.take();
        QVERIFY(asked.size() == 1 && asked[0].contains("“demous.dat”不存在") &&
                asked[0].contains("“ demous.dat”"));
        QCOMPARE(modals_.buttons.last(), QStringLiteral("打开"));
        form2 = session_->caseWindows.window(1);
        QVERIFY(form2 && form2->projectName() == " demo");
        QCOMPARE(Texts(*form2, 1, 8), Example(1).inputs);
    }

    // Enter and Return on a focused button do what Space does. The option
    // buttons' indicators read as such on their blue ground: a grey ring
    // round a white disc, a dot in the chosen one.
    void keysAndOptionButtons() {
        MainWindow& form1 = session_->form1;
        QCOMPARE(form1.findChild<QLabel*>("Label20")->text(),
                 QStringLiteral("  （1）本程序适用于半圆加直段的 U 形渡槽；"));
        click({"Check4", "Option1"});
        for (const auto& [name, key] :
             {std::pair{"Option2", Qt::Key_Enter}, std::pair{"Option1", Qt::Key_Return}}) {
            auto* button = form1.findChild<QAbstractButton*>(name);
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect indicator =
                button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
            const QImage image = button->grab(indicator).toImage();
            int ring = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    ring += c.red() > 40 && c.red() < 150 && std::abs(c.red() - c.blue()) < 40;
                }
            const QColor centre = image.pixelColor(image.rect().center());
            QVERIFY2(ring >= 8, name);
            QCOMPARE(centre.lightness() > 200, !button->isChecked());
            auto* open = form1.findChild<QPushButton*>("Command2");
            open->setFocus();
            QTest::keyClick(open, key);
            QTRY_COMPARE(VisibleCaseWindows(), QStringList{"Form2"});
            session_->caseWindows.window(1)->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // A case window saves to the project it was opened for, whatever the name
    // box says meanwhile; asked again for another project it switches only
    // when the user says so (the catcher takes the first button, "换成…"),
    // a new project then starting blank; the same name only brings it forward.
    void caseWindowKeepsItsProject() {
        QLineEdit* name = session_->form1.findChild<QLineEdit*>("Text1");
        name->setText("p1");
        click({"Check4", "Option1", "Command2"});
        CaseWindow* form2 = session_->caseWindows.window(1);
        QVERIFY(form2);
        name->setText("p2");
        TypeInputs(*form2, Example(1).inputs);
        Click(Button(*form2, 2));
        QVERIFY(QFile::exists("p1us.dat") && !QFile::exists("p2us.dat"));
        QCOMPARE(Texts(*form2, 9, 13), Example(1).results);
        click({"Command2"});
        const QStringList asked = modals_.take();
        QVERIFY(asked.size() == 1 && asked[0].contains("“p1”") && asked[0].contains("“p2”"));
        QVERIFY(session_->caseWindows.window(1) == form2 && form2->projectName() == "p2");
        QCOMPARE(Texts(*form2, 1, 13), QStringList(8, " ") + QStringList(5, QString()));
        click({"Command2"});
        QCOMPARE(modals_.take(), QStringList());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
