// The case windows Form2..Form5 driven as a user drives them: typing into
// the boxes, clicking the buttons and answering the message boxes.
#include "project/projectfile.h"
#include "window_test_support.h"
#include "windows/appearance.h"

#include <QFile>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QStyle>
#include <algorithm>

using hydraulics::Module1;

namespace {

// Positions in twips as the window descriptions give them.
struct Placement {
    int width, height; // client area
    int inputTop, inputs[8];
    int slopeIndex; // the input box 675 wide besides Text8; -1 for none
    int resultTop, results[5];
    int commands[4][2]; // Command1..Command4
};

// clang-format off
const Placement kPlacements[] = {
    {9015, 6300, 1800, {1140, 2160, 3000, 4080, 4920, 5880, 6840, 7920}, 3,
     4500, {2040, 3180, 4380, 5580, 6600}, {{2580, 5100}, {3240, 2850}, {3600, 5700}, {6135, 5700}}},
    {8775, 6315, 1800, {1200, 2160, 3000, 3900, 4860, 5760, 6660, 7740}, -1,
     4500, {2280, 3540, 4680, 5640, 6660}, {{2520, 5100}, {3240, 2850}, {3480, 5700}, {6015, 5700}}},
    {8985, 6285, 1800, {1140, 2160, 3000, 4080, 4920, 5880, 6840, 7920}, 3,
     4500, {2040, 3180, 4380, 5580, 6600}, {{2580, 5100}, {3240, 2850}, {3540, 5700}, {6075, 5700}}},
    {8745, 6450, 1875, {1020, 1920, 2760, 3840, 4680, 5640, 6600, 7680}, 3,
     4650, {1920, 3060, 4260, 5400, 6480}, {{2460, 5250}, {3120, 2925}, {3420, 5850}, {5955, 5850}}},
};
// clang-format on
constexpr int kCommandWidths[] = {4215, 2775, 2235, 1500};

// The whole text is drawn: inside the frame, QLineEdit's own 2 px each side
// are given back by the text margins, and the cursor takes a pixel.
bool ShowsWhole(QLineEdit* box) {
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return box->fontMetrics().horizontalAdvance(box->text()) <
           box->contentsRect().width() - 2 * frame;
}

QList<float> Floats(const QStringList& texts) {
    QList<float> values;
    for (const QString& t : texts)
        values << t.trimmed().toFloat();
    return values;
}

QList<float> Saved(const std::string& projectName) {
    const project::ProjectValues values = project::ReadProjectFile(projectName);
    return QList<float>(values.begin(), values.end());
}

} // namespace

class TestCaseWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        drawing::InstallChineseFonts();
        QVERIFY(InstallChineseTranslations(*qApp));
    }
    void init() {
        dir_ = std::make_unique<TemporaryCurrentDir>();
        QVERIFY(dir_->made);
        m_ = Module1{};
        m_.ProjectMode = 1;
        m_.ProjectName = "渡槽";
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void layoutAndTabOrder_data() {
        QTest::addColumn<int>("caseNo");
        QTest::addColumn<bool>("backward"); // the tab order starts at Text13
        for (int c = 1; c <= 4; ++c)
            QTest::addRow("Form%d", c + 1) << c << (c == 2 || c == 3);
    }

    void layoutAndTabOrder() {
        QFETCH(int, caseNo);
        QFETCH(bool, backward);
        const Placement& p = kPlacements[caseNo - 1];
        auto w = Open(m_, caseNo);
        QVERIFY(w);
        QCOMPARE(w->size(), QSize(Px(p.width), Px(p.height)));
        for (int k = 0; k < 8; ++k) {
            const int width = (k == p.slopeIndex || k == 7) ? 675 : 735;
            QCOMPARE(Box(*w, k + 1)->geometry(), Twips(p.inputs[k], p.inputTop, width, 270));
        }
        for (int k = 0; k < 5; ++k)
            QCOMPARE(Box(*w, k + 9)->geometry(), Twips(p.results[k], p.resultTop, 675, 270));
        for (int k = 0; k < 4; ++k)
            QCOMPARE(Button(*w, k + 1)->geometry(),
                     Twips(p.commands[k][0], p.commands[k][1], kCommandWidths[k], 390));

        QStringList order{"Command2"};
        for (int k = 1; k <= 12; ++k)
            order << QStringLiteral("Text%1").arg(k);
        order << QStringList{"Command1", "Command3", "Command4", "Text13"};
        if (backward)
            std::reverse(order.begin(), order.end());
        QWidget* focus = w->focusWidget();
        QVERIFY(focus);
        QStringList walked{focus->objectName()};
        for (QWidget* next = focus->nextInFocusChain(); next != focus;
             next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                walked << next->objectName();
        QCOMPARE(walked, order);

        // Every control has a name of its own (unnamed labels are numbered).
        QSet<QString> names;
        for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY(!child->objectName().isEmpty() && !names.contains(child->objectName()));
            names.insert(child->objectName());
        }
    }

    void workedExamples_data() {
        QTest::addColumn<int>("caseNo");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("results");
        for (int c = 1; c <= 4; ++c)
            QTest::addRow("case %d", c) << c << Example(c).inputs << Example(c).results;
        QTest::newRow("case 1, tiny Q")
            << 1 << QStringList{"0.0001", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"}
            << QStringList{"0.067", "-0.064", "0.1", "-0.031", "0.002527237"};
        QTest::newRow("case 4, h = B/2")
            << 4 << QStringList{"1", "100", "2", "1000", "1", "0.014", "0.2", "0.3"}
            << QStringList{"0.126", "0.063", "0.1", "0.037", "2.23514"};
    }

    void workedExamples() {
        QFETCH(int, caseNo);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, results);
        auto w = Open(m_, caseNo);
        QVERIFY(w);
        TypeInputs(*w, inputs);
        ModalCatcher catcher;
        Click(Button(*w, 2));
        QVERIFY2(catcher.texts.isEmpty(), qPrintable(catcher.texts.join('\n')));
        QCOMPARE(Texts(*w, 9, 13), results);
        QCOMPARE(Texts(*w, 1, 8), inputs); // left as typed
        QCOMPARE(Saved(m_.ProjectName), Floats(inputs));
        for (int k = 1; k <= 13; ++k)
            QVERIFY2(ShowsWhole(Box(*w, k)), qPrintable(Box(*w, k)->text()));
    }

    void longNumberDrawnSmaller() {
        // Form2's boxes are set in 宋体, the others inherit the interface font;
        // either comes back once the text fits again.
        for (int caseNo : {1, 2}) {
            auto w = Open(m_, caseNo);
            QVERIFY(w);
            QLineEdit* box = Box(*w, 13);
            const QFont designed = box->font();
            box->setText(QStringLiteral("771.0842"));
            QVERIFY(ShowsWhole(box));
            QVERIFY(box->font().pointSizeF() < designed.pointSizeF());
            box->setText(QStringLiteral("1.72"));
            QCOMPARE(box->font(), designed);
        }
    }

    void restoresByPosition() {
        const QStringList example = Example(1).inputs;
        QVERIFY(Calculated(m_, 1));
        auto fresh = Open(m_, 1); // a new project of the same name reads nothing
        QVERIFY(fresh);
        QCOMPARE(Box(*fresh, 1)->text(), QStringLiteral(" "));

        m_.ProjectMode = 2;
        m_.BasicData = {};
        auto again = Open(m_, 1);
        QVERIFY(again);
        QCOMPARE(Texts(*again, 1, 8), example);

        // Form5 puts the discharge into its depth box, the depth into its width
        // box; Form3 makes the slope denominator its head. No choice restores too.
        m_.ProjectMode = 0;
        m_.BasicData = {};
        auto form5 = Open(m_, 4);
        QVERIFY(form5);
        QCOMPARE(Texts(*form5, 1, 8), example);
        QCOMPARE(m_.ChannelWidth, 1.5f);
        auto form3 = Open(m_, 2);
        QVERIFY(form3);
        QCOMPARE(m_.TotalLoss, 1000.0f);

        // Shown in the user's regional format.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto german = Open(m_, 1);
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
        QStringList letter = Example(1).inputs, noSlope = letter, noFlow = Example(3).inputs;
        letter[0] = "5";
        letter[2] = "1.5m";
        noSlope[3] = "0";
        noFlow[0] = "0";
        QTest::newRow("letter in a box")
            << 1 << "" << letter << "槽内水深 h（Text3）" << 3 << false;
        QTest::newRow("untouched boxes")
            << 4 << "" << QStringList(8, " ") << "槽内水深 h（Text1）" << 1 << false;
        QTest::newRow("x = 0") << 1 << "" << noSlope << "除数为零" << 0 << true;
        QTest::newRow("Q = 0 never converges") << 3 << "" << noFlow << "未收敛" << 0 << true;
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
        const WorkedExample& example = Example(caseNo);
        auto w = Calculated(m_, caseNo);
        QVERIFY(w);
        QCOMPARE(Texts(*w, 9, 13), example.results);

        if (!projectName.isEmpty())
            m_.ProjectName = projectName.toStdString();
        m_.ChannelWidth = 123; // unchanged unless a calculation ran
        TypeInputs(*w, inputs);
        Button(*w, 2)->setFocus();
        ModalCatcher catcher;
        Click(Button(*w, 2));
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts[0].contains(told), qPrintable(catcher.texts[0]));
        QCOMPARE(catcher.buttons[0], QStringLiteral("确定"));
        QCOMPARE(Texts(*w, 9, 13), QStringList(5, QString()));
        QCOMPARE(Texts(*w, 1, 8), inputs);
        QCOMPARE(Saved("渡槽"), Floats(saved ? inputs : example.inputs));
        if (!saved)
            QCOMPARE(m_.ChannelWidth, 123.0f);
        if (focusBox) {
            QCOMPARE(w->focusWidget(), Box(*w, focusBox));
            QCOMPARE(Box(*w, focusBox)->selectedText(), inputs[focusBox - 1]);
        }

        m_.ProjectName = "渡槽";
        TypeInputs(*w, example.inputs);
        Click(Button(*w, 2));
        QCOMPARE(Texts(*w, 9, 13), example.results);
        QCOMPARE(catcher.texts.size(), 1);
    }

    void missingProjectFile() {
        m_.ProjectMode = 2;
        m_.ProjectName = "无此项目";
        ModalCatcher catcher;
        for (const char* contents : {static_cast<const char*>(nullptr), "1,2,3\r\n"}) {
            if (contents) { // fewer than eight numbers fails the same way
                QFile file(QString::fromStdString(project::ProjectFileName(m_.ProjectName)));
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) > 0);
            }
            CaseWindow w(m_, 3);
            QVERIFY(!w.load());
            QVERIFY(!w.isVisible());
            QCOMPARE(catcher.texts.size(), 1);
            QVERIFY2(catcher.texts[0].contains("无此项目us.dat"), qPrintable(catcher.texts[0]));
            catcher.take();
        }
    }

    void printsToPdfWithoutPrinter() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a default printer is set up: the page would go to it");
        auto w = Calculated(m_, 2);
        QVERIFY(w);
        m_.ProjectName = "渠/道"; // renamed in Form1 meanwhile
        // A name that cannot be created is reported, not written elsewhere.
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
    }

    void endButton() {
        auto w = Open(m_, 4);
        QVERIFY(w);
        QSignalSpy spy(w.get(), &CaseWindow::endRequested);
        Click(Button(*w, 3));
        QCOMPARE(spy.count(), 1);
    }

private:
    std::unique_ptr<TemporaryCurrentDir> dir_;
    Module1 m_;
};

QTEST_MAIN(TestCaseWindow)
#include "test_casewindow.moc"

using namespace windows;
