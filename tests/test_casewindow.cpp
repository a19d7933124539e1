// The case windows Form2..Form5 driven as a user drives them: typing into
// the boxes, clicking the buttons and answering the message boxes.
#include "appearance.h"
#include "casewindow.h"
#include "module1.h"
#include "projectfile.h"
#include "windowprinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using hydraulics::Module1;

namespace {

// Answers every modal message box that appears while it lives, noting what
// it said.
class ModalCatcher : public QObject {
public:
    ModalCatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            titles << box->windowTitle();
            texts << box->text();
            buttons << box->buttons().value(0)->text();
            box->buttons().value(0)->click();
        });
        timer_.start(20);
    }
    QStringList titles, texts, buttons;

private:
    QTimer timer_;
};

QLineEdit* Box(QWidget& w, int number) {
    return w.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
}

QPushButton* Button(QWidget& w, int number) {
    return w.findChild<QPushButton*>(QStringLiteral("Command%1").arg(number));
}

// Selects what the box holds and types over it.
void TypeInto(QWidget& w, int number, const QString& text) {
    QLineEdit* box = Box(w, number);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

void TypeInputs(QWidget& w, const QStringList& inputs) {
    for (int k = 0; k < inputs.size(); ++k)
        TypeInto(w, k + 1, inputs[k]);
}

QStringList Texts(QWidget& w, int first, int last) {
    QStringList texts;
    for (int k = first; k <= last; ++k)
        texts << Box(w, k)->text();
    return texts;
}

std::unique_ptr<CaseWindow> Open(Module1& m, int caseNo) {
    auto w = std::make_unique<CaseWindow>(m, caseNo);
    if (!w->load())
        return nullptr;
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    return w;
}

bool IsBlack(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return c.red() < 64 && c.green() < 64 && c.blue() < 64;
}

const QStringList kCase1Example{"4", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"};

} // namespace

class TestCaseWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        InstallChineseFonts();
        QVERIFY(InstallChineseTranslations(*qApp));
    }
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(QDir::setCurrent(dir_->path()));
        m_ = Module1{};
        m_.ProjectMode = 1;
        m_.ProjectName = "渡槽";
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void geometry_data();
    void geometry();
    void captionsNamesAndLook_data();
    void captionsNamesAndLook();
    void tabOrderAndFirstFocus_data();
    void tabOrderAndFirstFocus();
    void workedExamples_data();
    void workedExamples();
    void restoresByPosition();
    void regionalDecimalComma();
    void letterInBox();
    void missingProjectFile();
    void unwritableProjectFile();
    void arithmeticFault();
    void notConverged();
    void printsToPdfWithoutPrinter();
    void pdfNames();
    void endButton();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    Module1 m_;
};

// Positions in twips as the window descriptions give them.
struct Placement {
    int width, height;
    int inputs[8];
    int slopeIndex; // the input box 675 wide besides Text8; -1 for none
    int inputTop;
    int results[5];
    int resultTop;
    int command2[2], command1[2], command3[2];
};

Q_DECLARE_METATYPE(Placement)

void TestCaseWindow::geometry_data() {
    QTest::addColumn<int>("caseNo");
    QTest::addColumn<Placement>("p");
    QTest::newRow("Form2")
        << 1
        << Placement{9015,        6300,         {1140, 2160, 3000, 4080, 4920, 5880, 6840, 7920},
                     3,           1800,         {2040, 3180, 4380, 5580, 6600},
                     4500,        {3240, 2850}, {2580, 5100},
                     {3600, 5700}};
    QTest::newRow("Form3")
        << 2
        << Placement{8775,        6315,         {1200, 2160, 3000, 3900, 4860, 5760, 6660, 7740},
                     -1,          1800,         {2280, 3540, 4680, 5640, 6660},
                     4500,        {3240, 2850}, {2520, 5100},
                     {3480, 5700}};
    QTest::newRow("Form4")
        << 3
        << Placement{8985,        6285,         {1140, 2160, 3000, 4080, 4920, 5880, 6840, 7920},
                     3,           1800,         {2040, 3180, 4380, 5580, 6600},
                     4500,        {3240, 2850}, {2580, 5100},
                     {3540, 5700}};
    QTest::newRow("Form5")
        << 4
        << Placement{8745,        6450,         {1020, 1920, 2760, 3840, 4680, 5640, 6600, 7680},
                     3,           1875,         {1920, 3060, 4260, 5400, 6480},
                     4650,        {3120, 2925}, {2460, 5250},
                     {3420, 5850}};
}

void TestCaseWindow::geometry() {
    QFETCH(int, caseNo);
    QFETCH(Placement, p);
    auto w = Open(m_, caseNo);
    QVERIFY(w);
    QCOMPARE(w->size(), QSize(p.width / 15, p.height / 15));
    for (int k = 0; k < 8; ++k) {
        const int width = (k == p.slopeIndex || k == 7) ? 675 : 735;
        QCOMPARE(Box(*w, k + 1)->geometry(),
                 QRect(p.inputs[k] / 15, p.inputTop / 15, width / 15, 270 / 15));
    }
    for (int k = 0; k < 5; ++k)
        QCOMPARE(Box(*w, k + 9)->geometry(),
                 QRect(p.results[k] / 15, p.resultTop / 15, 675 / 15, 270 / 15));
    QCOMPARE(Button(*w, 2)->geometry(), QRect(p.command2[0] / 15, p.command2[1] / 15, 185, 26));
    QCOMPARE(Button(*w, 1)->geometry(), QRect(p.command1[0] / 15, p.command1[1] / 15, 281, 26));
    QCOMPARE(Button(*w, 3)->geometry(), QRect(p.command3[0] / 15, p.command3[1] / 15, 149, 26));

    // The ruled tables as rendered: 2 px frame, 1 px between columns; the
    // results header line is 2 px except in Form4.
    const QImage image = w->grab().toImage();
    const int basicTop = (caseNo == 4 ? 1200 : 1125) / 15;
    const int firstColumnMid = (p.inputs[0] + 300) / 15;
    QVERIFY(IsBlack(image, firstColumnMid, basicTop - 1) &&
            IsBlack(image, firstColumnMid, basicTop));
    QVERIFY(!IsBlack(image, firstColumnMid, basicTop + 1));
    const int boxMid = p.inputTop / 15 + 9;
    const int between = (p.inputs[1] / 15 + (p.inputs[0] + 735) / 15) / 2;
    int lineWidth = 0;
    for (int x = between - 8; x <= between + 8; ++x)
        lineWidth += IsBlack(image, x, boxMid);
    QCOMPARE(lineWidth, 1);
    const int resultsHeader = (caseNo == 4 ? 4575 : 4425) / 15;
    const int resultsMid = (p.results[0] + 300) / 15;
    QVERIFY(IsBlack(image, resultsMid, resultsHeader));
    QCOMPARE(IsBlack(image, resultsMid, resultsHeader - 1), caseNo != 3);
}

void TestCaseWindow::captionsNamesAndLook_data() {
    QTest::addColumn<int>("caseNo");
    QTest::addColumn<QStringList>("tildes"); // first tilde label, its caption
    QTest::addColumn<QStringList>("noteNames");
    QTest::newRow("Form2") << 1 << QStringList{"Label48", "～"}
                           << QStringList{"Label46", "Label49", "Label47"};
    QTest::newRow("Form3") << 2 << QStringList{"Label48", " ～"}
                           << QStringList{"Label46", "Label49", "Label47"};
    QTest::newRow("Form4") << 3 << QStringList{"Label48", " ～"}
                           << QStringList{"Label46", "Label49", "Label47"};
    QTest::newRow("Form5") << 4 << QStringList{"Label37", " ～"}
                           << QStringList{"Label35", "Label49", "Label36"};
}

void TestCaseWindow::captionsNamesAndLook() {
    QFETCH(int, caseNo);
    QFETCH(QStringList, tildes);
    QFETCH(QStringList, noteNames);
    CaseWindow w(m_, caseNo);
    const QString name = QStringLiteral("Form%1").arg(caseNo + 1);
    QCOMPARE(w.objectName(), name);
    QCOMPARE(w.windowTitle(), name);
    auto label = [&](const QString& n) { return w.findChild<QLabel*>(n); };
    // Blank in the design, filled on opening.
    for (const QString& n : {tildes[0], QStringLiteral("Label50"), QStringLiteral("Label7"),
                             QStringLiteral("Label16")}) {
        QVERIFY2(label(n), qPrintable(n));
        QVERIFY(label(n)->text().isEmpty());
    }
    QVERIFY(w.load());
    QCOMPARE(label(tildes[0])->text(), tildes[1]);
    QCOMPARE(label("Label50")->text(), QStringLiteral(" ～"));
    QCOMPARE(label("Label7")->text(), QStringLiteral("ξ"));
    QCOMPARE(label("Label16")->text(), QStringLiteral("ξ"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("基 本 资 料 表"));
    QCOMPARE(label("Label10")->text(), QStringLiteral("计 算 成 果 表 "));
    QCOMPARE(label("Label17")->text(), QStringLiteral("说明： 1.混凝土糙率一般可采用 0.014； "));
    QCOMPARE(label(noteNames[2])->text(), QStringLiteral(" 0.5 。"));
    QVERIFY(label(noteNames[1])->text().endsWith("0.3；出口局部损失系数可采用 0.3"));
    QCOMPARE(Button(w, 2)->text(), QStringLiteral("显示计算成果"));

    // Every control has a name of its own.
    QSet<QString> names;
    for (QWidget* child : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY(!child->objectName().isEmpty());
        QVERIFY2(!names.contains(child->objectName()), qPrintable(child->objectName()));
        names.insert(child->objectName());
    }

    // A new project's boxes hold a single space, Form3's slope result none.
    for (int k = 1; k <= 13; ++k)
        QCOMPARE(Box(w, k)->text(), caseNo == 2 && k == 13 ? QString() : QStringLiteral(" "));

    // Faces, colours and alignment.
    QCOMPARE(QFontInfo(label("Label1")->font()).family(), QStringLiteral("AR PL UKai CN"));
    QCOMPARE(QFontInfo(label("Label1")->font()).pointSizeF(), 18.0);
    QCOMPARE(QFontInfo(Button(w, 1)->font()).family(), QStringLiteral("AR PL UKai CN"));
    if (caseNo == 1)
        QCOMPARE(QFontInfo(Box(w, 1)->font()).family(), QStringLiteral("AR PL UMing CN"));
    else
        QCOMPARE(Box(w, 1)->font(), QApplication::font());
    QCOMPARE(w.palette().color(QPalette::Window), QColor(192, 255, 255));
    QCOMPARE(label("Label1")->palette().color(QPalette::Window), QColor(255, 192, 255));
    QCOMPARE(label("Label10")->palette().color(QPalette::Window), QColor(255, 255, 128));
    QCOMPARE(label(noteNames[0])->palette().color(QPalette::Window), QColor(255, 192, 192));
    QCOMPARE(Box(w, 8)->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(Box(w, 9)->palette().color(QPalette::Base), QColor(192, 255, 255));
    const int slopeBox = caseNo == 2 ? 13 : 4;
    for (int k = 1; k <= 13; ++k) {
        const bool left = k == slopeBox || k == 13;
        QCOMPARE(Box(w, k)->alignment() & Qt::AlignHorizontal_Mask,
                 left ? Qt::AlignLeft : Qt::AlignHCenter);
    }
}

void TestCaseWindow::tabOrderAndFirstFocus_data() {
    QTest::addColumn<int>("caseNo");
    QStringList forward{"Command2"};
    for (int k = 1; k <= 12; ++k)
        forward << QStringLiteral("Text%1").arg(k);
    forward << "Command1"
            << "Command3"
            << "Command4"
            << "Text13";
    QStringList backward(forward.rbegin(), forward.rend());
    QTest::addColumn<QStringList>("order");
    QTest::newRow("Form2") << 1 << forward;
    QTest::newRow("Form3") << 2 << backward;
    QTest::newRow("Form4") << 3 << backward;
    QTest::newRow("Form5") << 4 << forward;
}

void TestCaseWindow::tabOrderAndFirstFocus() {
    QFETCH(int, caseNo);
    QFETCH(QStringList, order);
    auto w = Open(m_, caseNo);
    QVERIFY(w);
    QWidget* focus = w->focusWidget();
    QVERIFY(focus);
    QStringList walked{focus->objectName()};
    for (QWidget* next = focus->nextInFocusChain(); next != focus; next = next->nextInFocusChain())
        if (next->focusPolicy() & Qt::TabFocus)
            walked << next->objectName();
    QCOMPARE(walked, order);
}

void TestCaseWindow::workedExamples_data() {
    QTest::addColumn<int>("caseNo");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("results");
    QTest::newRow("case 1") << 1 << kCase1Example
                            << QStringList{"0.153", "0.103", "0.1", "0.049", "1.912109"};
    QTest::newRow("case 1, tiny Q")
        << 1 << QStringList{"0.0001", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"}
        << QStringList{"0.067", "-0.064", "0.1", "-0.031", "0.002527237"};
    QTest::newRow("case 2") << 2
                            << QStringList{"4", "100", "1.5", "0.2", "1", "0.014", "0.25", "0.4"}
                            << QStringList{"0.135", "0.13", "0.065", "1.72", "771.0842"};
    QTest::newRow("case 3, segment")
        << 3 << QStringList{"1", "100", "1.6", "1000", "0.8", "0.014", "0.2", "0.3"}
        << QStringList{"0.118", "0.044", "0.1", "0.025", "0.71"};
    QTest::newRow("case 3, semicircle")
        << 3 << QStringList{"3", "150", "1.8", "800", "0.9", "0.014", "0.2", "0.3"}
        << QStringList{"0.237", "0.118", "0.188", "0.069", "1.2"};
    QTest::newRow("case 4, h = B/2")
        << 4 << QStringList{"1", "100", "2", "1000", "1", "0.014", "0.2", "0.3"}
        << QStringList{"0.126", "0.063", "0.1", "0.037", "2.23514"};
    QTest::newRow("case 4, segment")
        << 4 << QStringList{"0.5", "100", "2", "1000", "0.5", "0.014", "0.2", "0.3"}
        << QStringList{"0.119", "0.046", "0.1", "0.027", "0.6123553"};
    QTest::newRow("case 4, canal faster")
        << 4 << QStringList{"1", "100", "2", "1000", "2", "0.014", "0.2", "0.3"}
        << QStringList{"0.05", "-0.121", "0.1", "-0.07", "2.23514"};
    QTest::newRow("case 4, blanks around")
        << 4 << QStringList{" 1 ", "150", "2", "2000", "1", "0.014", "0.2", "0.3"}
        << QStringList{"0.075", "0.001", "0.075", "0", "1.580483"};
}

void TestCaseWindow::workedExamples() {
    QFETCH(int, caseNo);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    auto w = Open(m_, caseNo);
    QVERIFY(w);
    TypeInputs(*w, inputs);
    ModalCatcher catcher;
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QVERIFY2(catcher.texts.isEmpty(), qPrintable(catcher.texts.join('\n')));
    QCOMPARE(Texts(*w, 9, 13), results);
    QCOMPARE(Texts(*w, 1, 8), inputs); // left as typed

    // The project file holds the eight boxes in box order.
    const shell::ProjectValues saved = shell::ReadProjectFile(m_.ProjectName);
    for (int k = 0; k < 8; ++k)
        QCOMPARE(saved[std::size_t(k)], inputs[k].trimmed().toFloat());
}

void TestCaseWindow::restoresByPosition() {
    {
        auto form2 = Open(m_, 1);
        QVERIFY(form2);
        TypeInputs(*form2, kCase1Example);
        QTest::mouseClick(Button(*form2, 2), Qt::LeftButton);
        QCOMPARE(Box(*form2, 13)->text(), QStringLiteral("1.912109"));
    }
    // A new project with the same name reads nothing.
    auto fresh = Open(m_, 1);
    QVERIFY(fresh);
    QCOMPARE(Box(*fresh, 1)->text(), QStringLiteral(" "));

    m_.ProjectMode = 2;
    m_.BasicData = {};
    auto again = Open(m_, 1);
    QVERIFY(again);
    QCOMPARE(Texts(*again, 1, 8), kCase1Example);
    QCOMPARE(m_.BasicData[hydraulics::PosX], 1000.0f);

    // In the case-4 window the discharge lands in the depth box, the depth
    // in the width box.
    m_.ProjectMode = 0; // neither chosen restores as well
    m_.BasicData = {};
    auto form5 = Open(m_, 4);
    QVERIFY(form5);
    QCOMPARE(Texts(*form5, 1, 8), kCase1Example);
    QCOMPARE(m_.BasicData[hydraulics::PosH], 4.0f);
    QCOMPARE(m_.ChannelWidth, 1.5f);
    QCOMPARE(m_.BasicData[hydraulics::PosQ], 0.0f);

    // In the case-2 window the slope denominator becomes the head.
    auto form3 = Open(m_, 2);
    QVERIFY(form3);
    QCOMPARE(Box(*form3, 4)->text(), QStringLiteral("1000"));
    QCOMPARE(m_.TotalLoss, 1000.0f);
}

void TestCaseWindow::regionalDecimalComma() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto w = Open(m_, 1);
    QVERIFY(w);
    TypeInputs(*w, {"4", "100", "1,5", "1000", "1", "0,014", "0,25", "0,4"});
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(Texts(*w, 9, 13), (QStringList{"0,153", "0,103", "0,1", "0,049", "1,912109"}));
    m_.ProjectMode = 2;
    auto restored = Open(m_, 1);
    QVERIFY(restored);
    QCOMPARE(Box(*restored, 3)->text(), QStringLiteral("1,5"));
}

void TestCaseWindow::letterInBox() {
    auto w = Open(m_, 1);
    QVERIFY(w);
    TypeInputs(*w, kCase1Example);
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(Box(*w, 9)->text(), QStringLiteral("0.153"));

    TypeInto(*w, 1, "5");
    TypeInto(*w, 3, "1.5m");
    Button(*w, 2)->setFocus();
    ModalCatcher catcher;
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts[0].contains("槽内水深 h（Text3）") &&
                 catcher.texts[0].contains("不是有效的数字"),
             qPrintable(catcher.texts[0]));
    QCOMPARE(catcher.buttons[0], QStringLiteral("确定"));
    QCOMPARE(w->focusWidget(), Box(*w, 3));
    QCOMPARE(Box(*w, 3)->selectedText(), QStringLiteral("1.5m"));
    QCOMPARE(Texts(*w, 9, 13), QStringList(5, QString()));
    // Boxes before the faulty one are stored; the file keeps the last save.
    QCOMPARE(m_.BasicData[hydraulics::PosQ], 5.0f);
    QCOMPARE(shell::ReadProjectFile(m_.ProjectName)[0], 4.0f);

    // A new project's untouched boxes stop at the first.
    auto blank = Open(m_, 4);
    QVERIFY(blank);
    QTest::mouseClick(Button(*blank, 2), Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 2);
    QVERIFY2(catcher.texts[1].contains("槽内水深 h（Text1）"), qPrintable(catcher.texts[1]));
    QCOMPARE(blank->focusWidget(), Box(*blank, 1));
}

void TestCaseWindow::missingProjectFile() {
    m_.ProjectMode = 2;
    m_.ProjectName = "无此项目";
    ModalCatcher catcher;
    CaseWindow w(m_, 3);
    QVERIFY(!w.load());
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts[0].contains("无此项目us.dat") && catcher.texts[0].contains("未找到"),
             qPrintable(catcher.texts[0]));
    QVERIFY(!w.isVisible());

    // A file with fewer than eight numbers fails the same way.
    QFile shortFile(QString::fromStdString(shell::ProjectFileName(m_.ProjectName)));
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("1,2,3\r\n");
    shortFile.close();
    CaseWindow w2(m_, 3);
    QVERIFY(!w2.load());
    QCOMPARE(catcher.texts.size(), 2);
    QVERIFY2(catcher.texts[1].contains("无此项目us.dat"), qPrintable(catcher.texts[1]));
}

void TestCaseWindow::unwritableProjectFile() {
    m_.ProjectName = "没有的文件夹/项目";
    m_.ChannelWidth = 123;
    auto w = Open(m_, 1);
    QVERIFY(w);
    TypeInputs(*w, kCase1Example);
    ModalCatcher catcher;
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts[0].contains("没有的文件夹/项目us.dat"), qPrintable(catcher.texts[0]));
    QCOMPARE(m_.ChannelWidth, 123.0f); // nothing was solved
    QCOMPARE(Texts(*w, 9, 13), QStringList(5, QString()));
    QCOMPARE(Texts(*w, 1, 8), kCase1Example);
}

void TestCaseWindow::arithmeticFault() {
    auto w = Open(m_, 1);
    QVERIFY(w);
    TypeInputs(*w, kCase1Example);
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    TypeInto(*w, 4, "0");
    ModalCatcher catcher;
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts[0].contains("除数为零"), qPrintable(catcher.texts[0]));
    QCOMPARE(Texts(*w, 9, 13), QStringList(5, QString()));
    // The inputs were saved before solving.
    QCOMPARE(shell::ReadProjectFile(m_.ProjectName)[3], 0.0f);
    // The window goes on: a good calculation after the fault.
    TypeInto(*w, 4, "1000");
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(Box(*w, 13)->text(), QStringLiteral("1.912109"));
}

void TestCaseWindow::notConverged() {
    auto w = Open(m_, 3);
    QVERIFY(w);
    TypeInputs(*w, {"1", "100", "1.6", "1000", "0.8", "0.014", "0.2", "0.3"});
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(Box(*w, 13)->text(), QStringLiteral("0.71"));
    TypeInto(*w, 1, "0");
    ModalCatcher catcher;
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts[0].contains("未收敛") && catcher.texts[0].contains("槽内水深 h"),
             qPrintable(catcher.texts[0]));
    QCOMPARE(Texts(*w, 9, 13), QStringList(5, QString()));
}

void TestCaseWindow::printsToPdfWithoutPrinter() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a default printer is set up: the page would go to it");
    auto w = Open(m_, 2);
    QVERIFY(w);
    TypeInputs(*w, {"4", "100", "1.5", "0.2", "1", "0.014", "0.25", "0.4"});
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    ModalCatcher catcher;
    QTest::mouseClick(Button(*w, 1), Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 1);
    const QString path = QDir::current().absoluteFilePath("渡槽Form3.pdf");
    QVERIFY2(catcher.texts[0].contains(path), qPrintable(catcher.texts[0]));
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QVERIFY(pdf.size() > 10000); // the page carries the window's image
    QCOMPARE(Box(*w, 13)->text(), QStringLiteral("771.0842")); // nothing else changed
}

void TestCaseWindow::pdfNames() {
    const QDir here = QDir::current();
    QCOMPARE(PdfPathFor("a/b:c*Form2"), here.absoluteFilePath("a_b_c_Form2.pdf"));
    QCOMPARE(PdfPathFor("  "), here.absoluteFilePath("未命名.pdf"));

    // A file that cannot be created is reported, not written elsewhere.
    QVERIFY(here.mkdir("blocked.pdf"));
    QWidget page;
    page.resize(100, 50);
    const PrintOutcome outcome = PrintWindowImage(page, "blocked");
    QCOMPARE(outcome.kind, PrintOutcome::Failed);
    QVERIFY2(outcome.error.contains("blocked.pdf"), qPrintable(outcome.error));
}

void TestCaseWindow::endButton() {
    auto w = Open(m_, 4);
    QVERIFY(w);
    QSignalSpy spy(w.get(), &CaseWindow::endRequested);
    QTest::mouseClick(Button(*w, 3), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestCaseWindow)
#include "test_casewindow.moc"
