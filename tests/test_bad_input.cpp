// What engineers actually mistype, through every way a number comes in:
// the command line (the built ambrelo-calc), the windows' regional reader
// in Chinese, German and English formats, and a real case window (typed
// into Text1, Command2 clicked, the message box answered).
//
// One table: each row is a text and what it must give on the command line
// (period decimal, locale-free) and in each of the three locales: the
// number, or a type mismatch ("类型不匹配") or an overflow ("溢出") that
// names the quantity. Never a crash, a hang, "nan" or "inf" in a box, or a
// typed text lost.
#include "hydraulics/errors.h"
#include "hydraulics/module1.h"
#include "hydraulics/numtext.h"
#include "project/projectfile.h"
#include "project/regionalnumber.h"
#include "windows/casewindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <array>
#include <cmath>
#include <memory>
#include <sys/stat.h>

using hydraulics::Module1;
using windows::CaseWindow;

namespace {

constexpr const char* kQuantity = "流量 Q";
const QStringList kOtherInputs{"100", "1.5", "1000", "1", "0.014", "0.25", "0.4"};

// "TM" type mismatch, "OF" overflow, otherwise the value in period form.
struct Expected {
    enum Kind { Value, TypeMismatch, Overflow } kind;
    float value = 0;
};

Expected Parse(const QString& text) {
    if (text == "TM")
        return {Expected::TypeMismatch};
    if (text == "OF")
        return {Expected::Overflow};
    return {Expected::Value, hydraulics::ParseSingle(text.toStdString(), "expected")};
}

QString KindName(Expected::Kind kind) {
    return QString::fromUtf8(hydraulics::ErrorKindName(kind == Expected::Overflow
                                                           ? hydraulics::ErrorKind::Overflow
                                                           : hydraulics::ErrorKind::TypeMismatch)
                                 .data());
}

const std::array<QLocale, 3> kLocales{QLocale(QLocale::Chinese, QLocale::China),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::English, QLocale::UnitedStates)};

// The other seven inputs of the case-1 example as typed in `locale`.
QStringList OtherInputs(const QLocale& locale) {
    QStringList typed;
    for (const QString& t : kOtherInputs)
        typed << QString(t).replace('.', locale.decimalPoint());
    return typed;
}

// A result box shows a number of the engine's grammar in the locale's form.
bool IsShownNumber(const QString& text, const QLocale& locale) {
    static const QRegularExpression grammar("^-?[0-9]+(\\.[0-9]+)?(E[+-][0-9]{2,3})?$");
    return grammar.match(QString(text).replace(locale.decimalPoint(), ".")).hasMatch();
}

// Answers every modal message box that appears while it lives.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            box->buttons().value(0)->click();
        });
        timer_.start(10);
    }
    QStringList texts;

private:
    QTimer timer_;
};

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void commandLine_data() { table(); }
    void commandLine();
    void regionalReader_data() { table(); }
    void regionalReader();
    void caseWindow_data() { table(); }
    void caseWindow();
    void projectFileThatIsNotAFile_data();
    void projectFileThatIsNotAFile();

private:
    void table();
    QTemporaryDir dir_;
};

void TestBadInput::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QDir::setCurrent(dir_.path()));
}

void TestBadInput::table() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cli");
    QTest::addColumn<QStringList>("zhDeEn");

    const QString tm = "TM", of = "OF";
    const auto row = [](const char* name, const QString& text, const QString& cli,
                        const QStringList& zhDeEn) {
        QTest::newRow(name) << text << cli << zhDeEn;
    };
    row("empty", "", tm, {tm, tm, tm});
    row("lone space", " ", tm, {tm, tm, tm});
    row("letters", "abc", tm, {tm, tm, tm});
    row("number with unit", "1.5m", tm, {tm, tm, tm});
    row("inner blank", "1 5", tm, {tm, tm, tm});
    row("1,5", "1,5", tm, {tm, "1.5", tm});
    row("1.5", "1.5", "1.5", {"1.5", tm, "1.5"});
    row("full-width 1.5", "１．５", tm, {"1.5", tm, "1.5"});
    row("full-width 1,5", "１，５", tm, {tm, "1.5", tm});
    row("ideographic blanks", "\u3000４\u3000", tm, {"4", "4", "4"});
    row("grouped thousands", "1,000.5", tm, {tm, tm, tm});
    row("German grouped", "1.000,5", tm, {tm, tm, tm});
    row("1e39", "1e39", of, {of, of, of});
    row("just past single range", "3.4028236e38", of, {of, tm, of});
    row("German just past single range", "3,4028236e38", tm, {tm, of, tm});
    row("largest single", "3.4028234e38", "3.4028234e38", {"3.4028234e38", tm, "3.4028234e38"});
    row("below single range", "1e-50", "0", {"0", "0", "0"});
    row("-0", "-0", "0", {"0", "0", "0"});
    row("plus sign", "+4", "4", {"4", "4", "4"});
    row("nan", "nan", tm, {tm, tm, tm});
    row("NaN", "NaN", tm, {tm, tm, tm});
    row("inf", "inf", tm, {tm, tm, tm});
    row("-inf", "-inf", tm, {tm, tm, tm});
    row("Infinity", "Infinity", tm, {tm, tm, tm});
    row("hexadecimal", "0x10", tm, {tm, tm, tm});
    row("lone sign", "-", tm, {tm, tm, tm});
    row("lone exponent", "e5", tm, {tm, tm, tm});
    row("Unicode minus", "\u22121.5", tm, {tm, tm, tm});
    row("surrounding blanks", "  4  ", "4", {"4", "4", "4"});
    row("surrounding tabs", "\t4\t", "4", {"4", "4", "4"});
    row("10000 digits", QString(10000, '1'), of, {of, of, of});
    row("10000 letters", QString(10000, 'x'), tm, {tm, tm, tm});
    row("10000-character tiny number", "0." + QString(9997, '0') + "1", "0", {"0", tm, "0"});
    row("number after 9999 blanks", QString(9999, ' ') + "4", "4", {"4", "4", "4"});
}

// The built ambrelo-calc, case 1, the text as Q, the other seven from the
// example; "--" so that a text starting with '-' is a value.
void TestBadInput::commandLine() {
    QFETCH(QString, text);
    QFETCH(QString, cli);
    const Expected expected = Parse(cli);

    QProcess calc;
    calc.start(AMBRELO_CALC, QStringList{"--json", "--", "1", text} + kOtherInputs);
    QVERIFY(calc.waitForFinished(30000));
    QCOMPARE(calc.exitStatus(), QProcess::NormalExit);
    const QByteArray out = calc.readAllStandardOutput();
    const QJsonObject report = QJsonDocument::fromJson(out).object();
    QVERIFY2(!report.isEmpty(), out.constData());
    const QString q = report["inputs"].toObject()["Q"].toString();
    if (expected.kind == Expected::Value) {
        QCOMPARE(q, QString::fromStdString(hydraulics::FormatSingle(expected.value)));
        QVERIFY(calc.exitCode() == 0 || calc.exitCode() == 1); // Q = 0 does not converge
        if (calc.exitCode() == 0)
            for (const auto& r : report["results"].toObject())
                QVERIFY2(IsShownNumber(r.toString(), QLocale::c()), qPrintable(r.toString()));
        return;
    }
    QCOMPARE(calc.exitCode(), 1);
    QCOMPARE(report["error"].toString(),
             expected.kind == Expected::Overflow ? "overflow" : "type_mismatch");
    const QString message = QString::fromUtf8(calc.readAllStandardError());
    QVERIFY2(message.contains(kQuantity) && message.contains(KindName(expected.kind)),
             qPrintable(message));
}

void TestBadInput::regionalReader() {
    QFETCH(QString, text);
    QFETCH(QStringList, zhDeEn);
    for (std::size_t i = 0; i < kLocales.size(); ++i) {
        const Expected expected = Parse(zhDeEn[qsizetype(i)]);
        const QString where = kLocales[i].name();
        try {
            const float value = project::ReadRegionalNumber(text, kLocales[i], kQuantity);
            QVERIFY2(expected.kind == Expected::Value, qPrintable(where + ": a value"));
            QVERIFY2(std::isfinite(value) && value == expected.value,
                     qPrintable(where + QString(": %1").arg(value)));
        } catch (const hydraulics::CalcError& e) {
            const QString message = QString::fromStdString(e.message());
            QVERIFY2(expected.kind != Expected::Value, qPrintable(where + ": " + message));
            QVERIFY2(message.contains(kQuantity) && message.contains(KindName(expected.kind)),
                     qPrintable(where + ": " + message));
        }
    }
}

// Typed (pasted, for speed with the long texts) into Text1 of a case-1
// window, the other boxes holding the example. A refused text is named in
// a message box, stays in its box selected, and nothing is saved; an
// accepted one is stored as Q and saved.
void TestBadInput::caseWindow() {
    QFETCH(QString, text);
    QFETCH(QStringList, zhDeEn);
    for (std::size_t i = 0; i < kLocales.size(); ++i) {
        const Expected expected = Parse(zhDeEn[qsizetype(i)]);
        const QString where = kLocales[i].name();
        QLocale::setDefault(kLocales[i]);
        Module1 m;
        m.ProjectMode = 1;
        m.ProjectName = "typo";
        project::WriteProjectFile(m.ProjectName, {7, 7, 7, 7, 7, 7, 7, 7});
        CaseWindow w(m, 1);
        QVERIFY(w.load());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QStringList others = OtherInputs(kLocales[i]);
        for (int k = 2; k <= 8; ++k) {
            auto* box = w.findChild<QLineEdit*>(QString("Text%1").arg(k));
            box->selectAll();
            box->insert(others[k - 2]);
        }
        auto* text1 = w.findChild<QLineEdit*>("Text1");
        text1->setFocus();
        text1->selectAll();
        text1->insert(text);
        ModalAnswerer answerer;
        QTest::mouseClick(w.findChild<QPushButton*>("Command2"), Qt::LeftButton);

        QCOMPARE(text1->text(), text); // what was typed stays
        for (int k = 9; k <= 13; ++k) {
            const QString shown = w.findChild<QLineEdit*>(QString("Text%1").arg(k))->text();
            QVERIFY2(shown.isEmpty() || IsShownNumber(shown, kLocales[i]),
                     qPrintable(where + ": " + shown));
        }
        if (expected.kind == Expected::Value) {
            for (const QString& said : answerer.texts)
                QVERIFY2(!said.contains("Text1"), qPrintable(where + ": " + said));
            QCOMPARE(m.BasicData[hydraulics::PosQ], expected.value);
            QCOMPARE(project::ReadProjectFile(m.ProjectName)[0], expected.value);
        } else {
            QCOMPARE(answerer.texts.size(), 1);
            const QString& said = answerer.texts[0];
            QVERIFY2(said.contains(QStringLiteral("基本资料表中的") + kQuantity) &&
                         !said.contains("Text1") && said.contains(KindName(expected.kind)),
                     qPrintable(where + ": " + said));
            QCOMPARE(w.focusWidget(), text1);
            QCOMPARE(project::ReadProjectFile(m.ProjectName)[0], 7.0f); // nothing saved
        }
    }
}

// What an existing project may find under its file name besides a file: a
// named pipe (opening it would wait for a writer for ever), a device that
// never ends, a folder. Each is refused at once, on the command line and
// when a case window opens the project.
void TestBadInput::projectFileThatIsNotAFile_data() {
    QTest::addColumn<QString>("project");
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("folder") << "folder";
}

void TestBadInput::projectFileThatIsNotAFile() {
    QFETCH(QString, project);
    const QString fileName = project + "us.dat";
    QFile::remove(fileName);
    if (project == "pipe")
        QCOMPARE(::mkfifo(qPrintable(fileName), 0600), 0);
    else if (project == "zero")
        QVERIFY(QFile::link("/dev/zero", fileName));
    else
        QVERIFY(QDir().mkpath(fileName));

    QProcess calc;
    calc.start(AMBRELO_CALC, {"--json", "1", "--project", project});
    QVERIFY2(calc.waitForFinished(30000), "ambrelo-calc did not end");
    QCOMPARE(calc.exitCode(), 1);
    const QJsonObject report = QJsonDocument::fromJson(calc.readAllStandardOutput()).object();
    QCOMPARE(report["error"].toString(), QString("file_access"));
    QVERIFY(report["message"].toString().contains(fileName));

    Module1 m;
    m.ProjectMode = 2;
    m.ProjectName = project.toStdString();
    ModalAnswerer answerer;
    CaseWindow w(m, 3);
    QVERIFY(!w.load());
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].contains(fileName), qPrintable(answerer.texts[0]));
}

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"
