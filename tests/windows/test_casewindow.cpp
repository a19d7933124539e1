// The case windows Form2..Form5 driven as a user drives them: typing into
// the boxes, clicking the buttons and answering the message boxes.
#include "project/projectfile.h"
#include "window_test_support.h"
#include "windows/appearance.h"

#include <QFile>
#include <QSignalSpy>
#include <QStyle>

using hydraulics::Module1;

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
        for (int k = 1; k <= 13; ++k) // long numbers are drawn smaller
            QVERIFY2(ShowsWhole(Box(*w, k)), qPrintable(Box(*w, k)->text()));
    }

    // A new project reads nothing; an existing one (or no choice) restores by
    // position: Form5 puts the discharge into its depth box and the depth
    // into its width box, Form3 makes the slope denominator its head; shown
    // in the user's regional format.
    void restoresByPosition() {
        Module1& m = s_->m;
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

    // After a good calculation, what the user types next fails: one message,
    // the results cleared, the project file as stated, and a good calculation
    // works again afterwards.
    void failures_data() {
        QTest::addColumn<int>("caseNo");
        QTest::addColumn<QString>("projectName"); // empty keeps "渡槽"
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("focusBox"); // takes the focus, its text selected
        QTest::addColumn<bool>("saved");   // the inputs were saved before the failure
        const auto with = [](int caseNo, int box, const QString& text) {
            QStringList inputs = Example(caseNo).inputs;
            inputs[box - 1] = text;
            return inputs;
        };
        // Two rows of the mistyped-input table (test_regionalnumber).
        QTest::newRow("letter in a box")
            << 1 << "" << with(1, 3, "1.5m") << "类型不匹配：槽内水深 h（Text3）" << 3 << false;
        QTest::newRow("beyond single range")
            << 1 << "" << with(1, 1, "1e39") << "溢出（超出单精度数的范围）：流量 Q（Text1）" << 1
            << false;
        QTest::newRow("untouched boxes")
            << 4 << "" << QStringList(8, " ") << "槽内水深 h（Text1）" << 1 << false;
        QTest::newRow("x = 0") << 1 << "" << with(1, 4, "0") << "除数为零" << 0 << true;
        QTest::newRow("Q = 0") << 3 << "" << with(3, 1, "0") << "未收敛" << 0 << true;
        QTest::newRow("project file not written") << 1 << "没有的文件夹/项目" << Example(1).inputs
                                                  << "没有的文件夹/项目us.dat" << 0 << false;
    }
    void failures() {
        QFETCH(int, caseNo);
        QFETCH(QString, projectName);
        QFETCH(QStringList, inputs);
        QFETCH(QString, told);
        QFETCH(int, focusBox);
        QFETCH(bool, saved);
        Module1& m = s_->m;
        auto w = Calculated(m, caseNo);
        QVERIFY(w);
        QCOMPARE(Texts(*w, 9, 13), Example(caseNo).results);
        if (!projectName.isEmpty())
            m.ProjectName = projectName.toStdString();
        m.ChannelWidth = 123; // unchanged unless a calculation ran
        TypeInputs(*w, inputs);
        Button(*w, 2)->setFocus();
        ModalCatcher catcher;
        Click(Button(*w, 2));
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts[0].contains(told), qPrintable(catcher.texts[0]));
        QCOMPARE(catcher.buttons[0], QStringLiteral("确定"));
        QCOMPARE(Texts(*w, 9, 13), QStringList(5, QString()));
        QCOMPARE(Texts(*w, 1, 8), inputs);
        QCOMPARE(Saved(), Numbers(saved ? inputs : Example(caseNo).inputs));
        QVERIFY(saved || m.ChannelWidth == 123.0f);
        QVERIFY(!focusBox || (w->focusWidget() == Box(*w, focusBox) &&
                              Box(*w, focusBox)->selectedText() == inputs[focusBox - 1]));
        m.ProjectName = "渡槽";
        TypeInputs(*w, Example(caseNo).inputs);
        Click(Button(*w, 2));
        QCOMPARE(Texts(*w, 9, 13), Example(caseNo).results);
        QCOMPARE(catcher.texts.size(), 1);
    }

    // Without a print server: a PDF named after project and window; a name
    // that cannot be created is reported, not written elsewhere. Then the end.
    void printsToPdfAndEnds() {
        auto w = Calculated(s_->m, 2);
        QVERIFY(w);
        s_->m.ProjectName = "渠/道"; // renamed in Form1 meanwhile
        const QString path = QDir::current().absoluteFilePath("渠_道Form3.pdf");
        QVERIFY(QDir::current().mkdir(path));
        ModalCatcher catcher;
        Click(Button(*w, 1));
        QVERIFY(QDir::current().rmdir(path));
        Click(Button(*w, 1));
        QCOMPARE(catcher.texts.size(), 2);
        QVERIFY2(catcher.texts[0].contains("渠_道Form3.pdf"), qPrintable(catcher.texts[0]));
        QVERIFY2(catcher.texts[1].contains(path), qPrintable(catcher.texts[1]));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
        QVERIFY(pdf.size() > 10000); // the page carries the window's image
        QCOMPARE(Box(*w, 13)->text(), QStringLiteral("771.0842")); // nothing else changed
        QSignalSpy spy(w.get(), &CaseWindow::endRequested);
        Click(Button(*w, 3));
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestCaseWindow)
#include "test_casewindow.moc"
