// SPDX-License-Identifier: GPL-3.0-or-later
// The case windows Form2..Form5 driven as a user drives them: typing into
// the boxes, clicking the buttons and answering the message boxes.
#include "project/projectfile.h"
#include "window_test_support.h"
#include "windows/appearance.h"
#include "windows/stalequestion.h"

#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>

using hydraulics::ProjectState;

namespace {

// The whole text is drawn: inside the frame, QLineEdit's own 2 px each side
// are given back by the text margins, and the cursor takes a pixel.
bool ShowsWhole(QLineEdit* box) {
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return box->fontMetrics().horizontalAdvance(box->text()) <
           box->contentsRect().width() - 2 * frame;
}

// Texts as numbers: typed, or read from the project file "渡槽us.dat".
QStringList Numbers(QStringList typed) {
    for (QString& t : typed)
        t = QString::number(t.trimmed().toFloat());
    return typed;
}
QStringList Saved() {
    QStringList texts;
    for (const float v : project::ReadProjectFile("渡槽"))
        texts << QString::number(v);
    return texts;
}

} // namespace

class TestCaseWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Fresh> s_;

private slots:
    void initTestCase() {
        drawing::InstallChineseFonts();
        QVERIFY(InstallChineseTranslations(*qApp));
    }
    void init() {
        s_ = std::make_unique<Fresh>();
        QVERIFY(s_->made);
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void workedExamples_data() {
        QTest::addColumn<int>("caseNo");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("results");
        for (int c = 1; c <= 4; ++c)
            QTest::addRow("case %d", c) << c << Example(c).inputs << Example(c).results;
        QTest::newRow("case 1, tiny Q")
            << 1 << QStringList{"0.0001", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"}
            << QStringList{"0.067", "-0.064", "0.1", "-0.031", "0.002527237"};
    }
    void workedExamples() {
        QFETCH(int, caseNo);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, results);
        auto w = Open(s_->m, caseNo);
        QVERIFY(w);
        TypeInputs(*w, inputs);
        ModalCatcher catcher;
        Click(Button(*w, 2));
        QVERIFY2(catcher.texts.isEmpty(), qPrintable(catcher.texts.join('\n')));
        QCOMPARE(Texts(*w, 9, 13), results);
        QCOMPARE(Texts(*w, 1, 8), inputs); // left as typed
        QCOMPARE(Saved(), Numbers(inputs));
        for (int k = 1; k <= 13; ++k) // long numbers fit (longNumbersLegible)
            QVERIFY2(ShowsWhole(Box(*w, k)), qPrintable(Box(*w, k)->text()));
    }

    // A new project reads nothing; an existing one (or no choice) restores by
    // position: Form5 puts the discharge into its depth box and the depth
    // into its width box, Form3 makes the slope denominator its head; shown
    // in the user's regional format.
    void restoresByPosition() {
        ProjectState& m = s_->m;
        QVERIFY(Calculated(m, 1));
        auto fresh = Open(m, 1);
        QVERIFY(fresh);
        QCOMPARE(Box(*fresh, 1)->text(), QStringLiteral(" "));
        m.ProjectMode = 0;
        m.BasicData = {};
        auto form5 = Open(m, 4);
        QVERIFY(form5);
        QCOMPARE(Texts(*form5, 1, 8), Example(1).inputs);
        QCOMPARE(m.ChannelWidth, 1.5f);
        m.ProjectMode = 2;
        QVERIFY(Open(m, 2));
        QCOMPARE(m.TotalLoss, 1000.0f);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto german = Open(m, 1);
        QVERIFY(german);
        QCOMPARE(Box(*german, 3)->text(), QStringLiteral("1,5"));
    }

    // After a good calculation, what the user types next fails: one message
    // in the user's words (the quantity and its table, what was computed,
    // what went wrong and the inputs to check; never an object name), titled
    // with its window, the results cleared, the project file as stated, and
    // a good calculation works again afterwards.
    void failures_data() {
        QTest::addColumn<int>("caseNo");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("focusBox"); // takes the focus, its text selected
        QTest::addColumn<bool>("saved");   // the inputs were saved before the failure
        const auto with = [](int caseNo, int box, const QString& text) {
            QStringList inputs = Example(caseNo).inputs;
            inputs[box - 1] = text;
            return inputs;
        };
        // Two rows of the mistyped-input table (test_regionalnumber).
        QTest::newRow("letter in a box")
            << 1 << with(1, 3, "1.5m")
            << QStringList{"类型不匹配：基本资料表中的槽内水深 h", "“槽内水深 h”一栏"} << 3
            << false;
        QTest::newRow("beyond single range")
            << 1 << with(1, 1, "1e39")
            << QStringList{"溢出（超出单精度数的范围）：基本资料表中的流量 Q"} << 1 << false;
        QTest::newRow("untouched boxes")
            << 4 << QStringList(8, " ") << QStringList{"基本资料表中的槽内水深 h 为空，请输入"} << 1
            << false;
        QTest::newRow("x = 0") << 1 << with(1, 4, "0")
                               << QStringList{"计算槽宽及水头损失没有完成", "除以零",
                                              "槽身糙率 n 为零，或槽身比降 i = 1/x 中的 x 为零"}
                               << 0 << true;
        QTest::newRow("ξ1 + ξ2 = 0")
            << 1 << (with(1, 7, "0").mid(0, 7) << "0")
            << QStringList{"ξ1 与出口局部损失系数 ξ2 不能同时为零", "表 K.1.2"} << 0 << true;
        QTest::newRow("B < 0") << 3 << with(3, 3, "-1.6")
                               << QStringList{"计算水深及水头损失没有完成", "负数的开方",
                                              "为负数或过小"}
                               << 0 << true;
        QTest::newRow("Q = 0") << 3 << with(3, 1, "0") << QStringList{"未收敛", "槽内水深 h 的试算"}
                               << 0 << true;
    }
    void failures() {
        QFETCH(int, caseNo);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, told);
        QFETCH(int, focusBox);
        QFETCH(bool, saved);
        ProjectState& m = s_->m;
        auto w = Calculated(m, caseNo);
        QVERIFY(w);
        QCOMPARE(Texts(*w, 9, 13), Example(caseNo).results);
        m.ChannelWidth = 123; // unchanged unless a calculation ran
        TypeInputs(*w, inputs);
        Button(*w, 2)->setFocus();
        ModalCatcher catcher;
        Click(Button(*w, 2));
        QCOMPARE(catcher.texts.size(), 1);
        for (const QString& part : told + QStringList{"成果表已清空"})
            QVERIFY2(catcher.texts[0].contains(part), qPrintable(catcher.texts[0]));
        QVERIFY(!catcher.texts[0].contains(QRegularExpression("(Text|Form|Command|Label)[0-9]")));
        QVERIFY(catcher.titles[0].startsWith(QStringLiteral("情况 %1 的计算窗口 - ").arg(caseNo)));
        QCOMPARE(catcher.buttons[0], QStringLiteral("确定"));
        QCOMPARE(Texts(*w, 9, 13), QStringList(5, QString()));
        QCOMPARE(Texts(*w, 1, 8), inputs);
        QCOMPARE(Saved(), Numbers(saved ? inputs : Example(caseNo).inputs));
        QVERIFY(saved || m.ChannelWidth == 123.0f);
        QVERIFY(!focusBox || (w->focusWidget() == Box(*w, focusBox) &&
                              Box(*w, focusBox)->selectedText() == inputs[focusBox - 1]));
        TypeInputs(*w, Example(caseNo).inputs);
        Click(Button(*w, 2));
        QCOMPARE(Texts(*w, 9, 13), Example(caseNo).results);
        QCOMPARE(catcher.texts.size(), 1);
    }

    // A long number is drawn no smaller than 8 pt; where that is still too
    // wide its box widens about its centre within its table cell (pixels
    // between the column lines; Form3's keeps clear of its "1/"), and comes
    // back to its design when a short number fits. The whole number is the
    // tooltip, selectable, read-only. "断面图" follows "结 束 计 算" on Tab.
    void longNumbersLegible_data() {
        QTest::addColumn<int>("caseNo");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("cellLeft");
        QTest::addColumn<int>("cellRight");
        QTest::newRow("Form2, tiny Q") << 1 << "0.002527237" << 6480 / 15 << 7380 / 15;
        QTest::newRow("Form2, B") << 1 << "1.912109" << 6480 / 15 << 7380 / 15;
        QTest::newRow("Form3, x") << 2 << "771.0842" << 6600 / 15 << 7380 / 15;
        QTest::newRow("Form5, Q") << 4 << "2.23514" << 6360 / 15 << 7320 / 15;
    }
    void longNumbersLegible() {
        QFETCH(int, caseNo);
        QFETCH(QString, number);
        QFETCH(int, cellLeft);
        QFETCH(int, cellRight);
        auto w = Open(s_->m, caseNo);
        QVERIFY(w);
        QLineEdit* box = Box(*w, 13);
        const QRect designed = box->geometry();
        const QFont font = box->font();
        box->setText(number);
        QVERIFY2(ShowsWhole(box), qPrintable(number));
        QVERIFY(QFontInfo(box->font()).pointSizeF() >= 8 - 0.01);
        QVERIFY(box->x() > cellLeft && box->geometry().right() < cellRight);
        QVERIFY(box->width() == designed.width() || box->x() <= cellLeft + 2 ||
                box->geometry().right() >= cellRight - 3 || // held by the cell, else symmetric
                qAbs(box->geometry().center().x() - designed.center().x()) <= 1);
        QVERIFY(box->toolTip() == number && box->isReadOnly());
        box->selectAll();
        QCOMPARE(box->selectedText(), number);
        box->setText(QStringLiteral("1.72"));
        QVERIFY(box->geometry() == designed && box->font() == font);
        QWidget* next = Button(*w, 3)->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, Button(*w, 4));
    }

    // Without a print server: a PDF named after the window's project and case; a name
    // that cannot be created is reported, not written elsewhere. Then the end.
    void printsToPdfAndEnds() {
        s_->m.ProjectName = "渠:道";
        auto w = Calculated(s_->m, 2);
        QVERIFY(w);
        s_->m.ProjectName = "另一项目"; // renamed in Form1 meanwhile: the window keeps its own
        const QString path = QDir::current().absoluteFilePath("渠_道情况2计算窗口.pdf");
        QVERIFY(QDir::current().mkdir(path));
        ModalCatcher catcher;
        Click(Button(*w, 1));
        QVERIFY(QDir::current().rmdir(path));
        Click(Button(*w, 1));
        QCOMPARE(catcher.texts.size(), 2);
        QVERIFY2(catcher.texts[0].contains("渠_道情况2计算窗口.pdf"), qPrintable(catcher.texts[0]));
        QVERIFY2(catcher.texts[1].contains(path), qPrintable(catcher.texts[1]));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
        QVERIFY(pdf.size() > 10000); // the page carries the window's image
        QCOMPARE(Box(*w, 13)->text(), QStringLiteral("771.0842")); // nothing else changed
        QSignalSpy spy(w.get(), &CaseWindow::endRequested);
        Click(Button(*w, 3));
        QCOMPARE(spy.count(), 1);
    }

    // A project file that cannot be written does not stop the calculation:
    // the results show, and one message says in whole sentences that the
    // inputs were not saved, why, and that the old file is unchanged. A
    // read-only file (which root still writes) and a folder in its place.
    void unwritableProjectStillComputes() {
        auto w = Calculated(s_->m, 1);
        QVERIFY(w);
        ModalCatcher catcher;
        for (const QString q : {"5", "6"}) {
            const bool folder = q == "6";
            QVERIFY(folder ? QFile::remove("渡槽us.dat") && QDir().mkdir("渡槽us.dat")
                           : QFile::setPermissions("渡槽us.dat", QFileDevice::ReadOwner));
            const QString before = Box(*w, 13)->text();
            TypeInputs(*w, {q});
            Click(Button(*w, 2));
            QVERIFY(!Box(*w, 13)->text().trimmed().isEmpty() && Box(*w, 13)->text() != before);
            const QString told = catcher.take().value(0);
            QVERIFY2(!folder || told.contains("渡槽us.dat 无法创建（"), qPrintable(told));
            for (const char* part :
                 {"。因此本次输入的基本资料没有保存，原有的项目文件保持不变。", "计算照常进行"})
                QVERIFY2(told.isEmpty() ? !folder : told.contains(part), qPrintable(told));
        }
        QVERIFY(QDir().rmdir("渡槽us.dat"));
    }

    // Enter walks the inputs left to right whatever the Tab order (Form3's
    // runs backwards) and selects the next box's text; Enter in the last box
    // or on "显示计算成果" computes. The worked example is typed from the
    // keyboard alone after a click into Q.
    void enterWalksAndComputes() {
        for (int caseNo : {1, 2}) {
            auto w = Open(s_->m, caseNo);
            QVERIFY(w);
            QTest::mouseClick(Box(*w, 1), Qt::LeftButton);
            const QStringList inputs = Example(caseNo).inputs;
            for (int k = 1; k <= 8; ++k) {
                QCOMPARE(w->focusWidget(), Box(*w, k));
                QVERIFY(k == 1 || Box(*w, k)->selectedText() == " ");
                QTest::keyClicks(Box(*w, k), inputs[k - 1]);
                QTest::keyClick(Box(*w, k), k % 2 ? Qt::Key_Return : Qt::Key_Enter);
            }
            QCOMPARE(Texts(*w, 9, 13), Example(caseNo).results);
            QCOMPARE(Numbers(Texts(*w, 1, 8)), Numbers(inputs));
            TypeInputs(*w, {"5"});
            Button(*w, 2)->setFocus();
            QTest::keyClick(Button(*w, 2), Qt::Key_Return);
            QVERIFY(Box(*w, 13)->text() != Example(caseNo).results[4]);
        }
    }

    // After a calculation any change of an input leaves the results behind:
    // greyed but kept, a note under the window, which grows for it; undoing
    // the change or calculating clears it. Printing them asks first: 取消
    // prints nothing, 仍按原成果打印 prints them with the note, 先重新计算
    // calculates and prints the new results.
    void staleResults() {
        auto w = Calculated(s_->m, 1);
        QVERIFY(w);
        auto* note = w->findChild<QLabel*>(QStringLiteral("StaleNote"));
        QVERIFY(note);
        const QColor ink = Box(*w, 9)->palette().color(QPalette::Text);
        const auto stale = [&] {
            const bool grey = Box(*w, 13)->palette().color(QPalette::Text) != ink;
            return note->isVisibleTo(w.get()) && grey     ? 1
                   : !note->isVisibleTo(w.get()) && !grey ? 0
                                                          : -1;
        };
        const int designed = w->height();
        QCOMPARE(stale(), 0);
        TypeInputs(*w, {"5"});
        QCOMPARE(stale(), 1);
        QVERIFY(note->text().startsWith(kStaleNote) && note->geometry().bottom() < w->height());
        QCOMPARE(Texts(*w, 9, 13), Example(1).results); // greyed, not cleared
        TypeInputs(*w, {"4"});                          // the change undone
        QVERIFY(stale() == 0 && w->height() == designed);
        TypeInputs(*w, {"5"});
        const QString pdf =
            QDir::current().absoluteFilePath(QStringLiteral("渡槽情况1计算窗口.pdf"));
        // The answer, then: printed, still stale.
        for (const auto& [answer, printed, after] :
             {std::tuple{"取消", false, 1}, std::tuple{"仍按原成果打印", true, 1},
              std::tuple{"先重新计算", true, 0}}) {
            QFile::remove(pdf);
            ModalCatcher catcher{QString::fromUtf8(answer)};
            Click(Button(*w, 1));
            QCOMPARE(catcher.texts.value(0), QStringLiteral("成果与当前基本资料不符。"));
            QCOMPARE(catcher.buttons.value(0), QString::fromUtf8(answer));
            QCOMPARE(QFile::exists(pdf), printed);
            QCOMPARE(stale(), after);
        }
        QVERIFY(Box(*w, 13)->text() != Example(1).results[4]); // Q = 5 calculated
        QCOMPARE(Saved()[0], QStringLiteral("5"));
    }

    // Case 1 at Q = 9.5 finds B = 4.9375 m for h = 1.5 m, outside h ≥ B/2:
    // the result stays, an amber line under the buttons says it is only
    // indicative; gone with a result inside the range. The title names the
    // window's project.
    void outOfRangeIsFlagged() {
        auto w = Open(s_->m, 1);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Form2 - 渡槽"));
        auto* note = w->findChild<QLabel*>(QStringLiteral("ApplicabilityNote"));
        QVERIFY(note && note->isHidden());
        for (const auto& [q, flagged] : {std::pair{"9.5", true}, std::pair{"4", false}}) {
            QStringList inputs = Example(1).inputs;
            inputs[0] = q;
            TypeInputs(*w, inputs);
            Click(Button(*w, 2));
            QCOMPARE(Box(*w, 13)->text(), flagged ? QStringLiteral("4.9375") : "1.912109");
            QCOMPARE(note->isVisible(), flagged);
            QCOMPARE(note->geometry().bottom() < w->height(), flagged); // the window grows
        }
        QVERIFY(note->text().contains("仅供参考") && note->text().contains("情况 3"));
    }
};

QTEST_MAIN(TestCaseWindow)
#include "test_casewindow.moc"
