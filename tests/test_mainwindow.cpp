// Form1 driven as a user would: clicks and keystrokes on the offscreen
// platform, case windows found among the top-level windows, inside a
// temporary folder so that project files land there.
#include "casewindow.h"
#include "casewindows.h"
#include "mainwindow.h"
#include "module1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// One program session: the state, the case windows and Form1, torn down in
// reverse order.
struct Session {
    hydraulics::Module1 state;
    CaseWindows caseWindows{state};
    MainWindow form1{state, caseWindows};
};

// Closes every modal message box as soon as it shows and keeps its text, so
// that a test can assert what the user was told and an unexpected box never
// hangs the run.
class ModalCloser : public QObject {
public:
    ModalCloser() {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_ << box->text();
                box->done(0);
            }
        });
        timer_.start();
    }
    QStringList take() { return std::exchange(texts_, {}); }

private:
    QTimer timer_;
    QStringList texts_;
};

QWidget* visibleTopLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}

int visibleCaseWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += qobject_cast<CaseWindow*>(w) && w->isVisible() ? 1 : 0;
    return n;
}

// Replaces the whole text of a box as typed: select all, then the keys.
void typeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

const QStringList kCase1Inputs = {"4", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"};
const QStringList kCase1Results = {"0.153", "0.103", "0.1", "0.049", "1.912109"};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    template <typename T> T* control(const char* name) {
        auto* w = session_->form1.findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("Form1 has no %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    hydraulics::Module1& state() { return session_->state; }

    QTemporaryDir dir_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<ModalCloser> modals_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(QDir::setCurrent(dir_.path()));
    }

    void init() {
        modals_ = std::make_unique<ModalCloser>();
        session_ = std::make_unique<Session>();
        session_->form1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&session_->form1));
    }

    void cleanup() {
        session_.reset();
        deleteClosedWindows();
        QCOMPARE(visibleCaseWindows(), 0);
        const QStringList unexpected = modals_->take();
        modals_.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(" | ")));
    }

    // The controls a user sees, where the case boxes lead, and the state at
    // start: nothing chosen, the name box holding one blank that is not yet
    // part of the name, the focus on Check7.
    void designState() {
        MainWindow& form1 = session_->form1;
        QCOMPARE(form1.objectName(), QString("Form1"));
        QCOMPARE(form1.windowTitle(), QString("Form1"));
        QCOMPARE(form1.size(), QSize(649, 516));
        QCOMPARE(control<QLabel>("Label1")->text(), QString("Ambrelo"));
        QCOMPARE(control<QCheckBox>("Check4")->text(), QString("计算槽宽及水头损失"));
        QCOMPARE(control<QCheckBox>("Check5")->text(), QString("计算槽宽及槽身比降"));
        QCOMPARE(control<QCheckBox>("Check7")->text(), QString("计算水深及水头损失"));
        QCOMPARE(control<QCheckBox>("Check6")->text(), QString("计算流量及水头损失"));
        for (const char* name : {"Check4", "Check5", "Check7", "Check6", "Option1", "Option2"})
            QVERIFY2(!control<QAbstractButton>(name)->isChecked(), name);
        QCOMPARE(control<QLineEdit>("Text1")->text(), QString(" "));
        QCOMPARE(state().ProjectName, std::string());
        QCOMPARE(state().CaseNo, 0.0f);
        QCOMPARE(state().ProjectMode, 0.0f);

        QCOMPARE(form1.focusWidget(), control<QWidget>("Check7"));
        QStringList order;
        QWidget* w = control<QWidget>("Check7");
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != control<QWidget>("Check7") && order.size() < 20);
        QCOMPARE(order, QStringList({"Check7", "Check6", "Check5", "Check4", "Text1", "Option1",
                                     "Option2", "Command1", "Command2"}));
    }

    // Each case box opens its own window (the caption of Check6 names what
    // case 4 computes).
    void caseBoxOpensItsWindow_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("window");
        QTest::newRow("case 1") << "Check4" << "Form2";
        QTest::newRow("case 2") << "Check5" << "Form3";
        QTest::newRow("case 3") << "Check7" << "Form4";
        QTest::newRow("case 4") << "Check6" << "Form5";
    }
    void caseBoxOpensItsWindow() {
        QFETCH(QString, box);
        QFETCH(QString, window);
        click(box.toLatin1().constData());
        click("Option1");
        click("Command2");
        QVERIFY(visibleTopLevel(window));
        QCOMPARE(visibleCaseWindows(), 1);
    }

    // The whole road of case 1: a new project calculated and saved, then
    // reopened as an existing project with its inputs restored.
    void case1NewThenExisting() {
        click("Check4");
        click("Option1");
        typeInto(control<QLineEdit>("Text1"), "demo");
        QCOMPARE(state().ProjectName, std::string("demo"));
        click("Command2");

        QWidget* form2 = visibleTopLevel("Form2");
        QVERIFY(form2);
        for (int i = 0; i < 8; ++i) {
            auto* box = form2->findChild<QLineEdit*>(QString("Text%1").arg(i + 1));
            QVERIFY(box);
            QCOMPARE(box->text(), QString(" "));
            typeInto(box, kCase1Inputs[i]);
        }
        QTest::mouseClick(form2->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        for (int i = 0; i < 5; ++i) {
            auto* box = form2->findChild<QLineEdit*>(QString("Text%1").arg(i + 9));
            QVERIFY(box);
            QCOMPARE(box->text().trimmed(), kCase1Results[i]);
        }
        QFile file("demous.dat");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()).trimmed().split(','), kCase1Inputs);

        form2->close();
        deleteClosedWindows();
        QVERIFY(!session_->caseWindows.window(1));
        click("Option2");
        QCOMPARE(state().ProjectMode, 2.0f);
        QVERIFY(!control<QRadioButton>("Option1")->isChecked());
        click("Command2");
        form2 = visibleTopLevel("Form2");
        QVERIFY(form2);
        for (int i = 0; i < 8; ++i) {
            auto* box = form2->findChild<QLineEdit*>(QString("Text%1").arg(i + 1));
            QCOMPARE(box->text(), kCase1Inputs[i]);
        }
    }

    // A second click for an open window brings it forward, boxes untouched;
    // two case windows can be open at once beside a usable main window.
    void openWindowsStayAsTheyAre() {
        click("Check4");
        click("Option1");
        click("Command2");
        CaseWindow* form2 = session_->caseWindows.window(1);
        QVERIFY(form2 && form2->isVisible());
        auto* text1 = form2->findChild<QLineEdit*>("Text1");
        typeInto(text1, "7");
        click("Command2");
        QCOMPARE(session_->caseWindows.window(1), form2);
        QCOMPARE(text1->text(), QString("7"));

        click("Check7");
        click("Command2");
        QVERIFY(visibleTopLevel("Form2"));
        QVERIFY(visibleTopLevel("Form4"));
        QCOMPARE(visibleCaseWindows(), 2);
        QVERIFY(!QApplication::activeModalWidget());
        typeInto(control<QLineEdit>("Text1"), "next");
        QCOMPARE(state().ProjectName, std::string("next"));
    }

    void noCaseChosenOpensNothing() {
        click("Option1");
        click("Command2");
        QCOMPARE(visibleCaseWindows(), 0);
        QVERIFY(modals_->take().isEmpty());
    }

    // The case is that of the box clicked last, ticked or unticked.
    void lastClickedBoxDecides() {
        click("Option1");
        click("Check4");
        click("Check5");
        QVERIFY(control<QCheckBox>("Check4")->isChecked());
        QVERIFY(control<QCheckBox>("Check5")->isChecked());
        QCOMPARE(state().CaseNo, 2.0f);
        click("Check5");
        QVERIFY(control<QCheckBox>("Check4")->isChecked());
        QVERIFY(!control<QCheckBox>("Check5")->isChecked());
        QCOMPARE(state().CaseNo, 2.0f);
        click("Command2");
        QVERIFY(visibleTopLevel("Form3"));
        QCOMPARE(visibleCaseWindows(), 1);
    }

    // Typed beside the starting blank, the name keeps it, and so does the
    // project file.
    void leadingBlankStaysInName() {
        auto* text1 = control<QLineEdit>("Text1");
        text1->setFocus();
        text1->end(false);
        QTest::keyClicks(text1, "abc");
        QCOMPARE(state().ProjectName, std::string(" abc"));

        click("Check4");
        click("Option1");
        click("Command2");
        QWidget* form2 = visibleTopLevel("Form2");
        QVERIFY(form2);
        for (int i = 0; i < 8; ++i)
            typeInto(form2->findChild<QLineEdit*>(QString("Text%1").arg(i + 1)), kCase1Inputs[i]);
        QTest::mouseClick(form2->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QVERIFY(QFile::exists(" abcus.dat"));
        QVERIFY(!QFile::exists("abcus.dat"));
    }

    // An existing (or not yet chosen) project without a file: the user is
    // told which file is missing, no window opens, and the next request
    // tries again.
    void missingProjectFile_data() {
        QTest::addColumn<QString>("option");
        QTest::newRow("existing project") << "Option2";
        QTest::newRow("no project choice") << "";
    }
    void missingProjectFile() {
        QFETCH(QString, option);
        click("Check5");
        if (!option.isEmpty())
            click(option.toLatin1().constData());
        typeInto(control<QLineEdit>("Text1"), "missing");
        click("Command2");
        const QStringList told = modals_->take();
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains("missingus.dat"), qPrintable(told[0]));
        QCOMPARE(visibleCaseWindows(), 0);
        QVERIFY(!session_->caseWindows.window(2));

        click("Option1");
        click("Command2");
        QVERIFY(visibleTopLevel("Form3"));
    }

    // Without a printer the window goes to "<name>Form1.pdf" and the user
    // is told where it is.
    void printWithoutPrinterWritesPdf() {
        typeInto(control<QLineEdit>("Text1"), " demo");
        QFile::remove("demoForm1.pdf");
        click("Command1");
        const QStringList told = modals_->take();
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains("demoForm1.pdf"), qPrintable(told[0]));
        QFile pdf("demoForm1.pdf");
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }

    // The end button of a case window asks for the end of the program.
    void endButtonRequestsEnd() {
        QSignalSpy ended(&session_->caseWindows, &CaseWindows::endRequested);
        click("Check7");
        click("Option1");
        click("Command2");
        QWidget* form4 = visibleTopLevel("Form4");
        QVERIFY(form4);
        QTest::mouseClick(form4->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QCOMPARE(ended.count(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
