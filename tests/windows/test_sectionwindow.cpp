// "断面及水力要素" as the user reaches it: Command4 of a case window, the
// drawing after each calculation, cleared after a failure, and printed.
#include "drawing/chinesefonts.h"
#include "drawing/sectiondrawing.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/numtext.h"
#include "window_test_support.h"
#include "windows/reportinfodialog.h"
#include "windows/sectionwindow.h"

#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>

namespace {

// Command4 clicked: the section window, shown and exposed.
SectionWindow* OpenSection(CaseWindow& w) {
    Click(Button(w, 4));
    auto* section = w.findChild<SectionWindow*>();
    return section && QTest::qWaitForWindowExposed(section) ? section : nullptr;
}

// Pixels of the water's colour in the drawing.
int WaterPixels(SectionWindow& section) {
    const QImage image = section.findChild<QWidget*>("Picture1")->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(150, 200, 245);
    return count;
}

// The quantity each case solves for, as Text13 shows it.
QString Found(const SectionWindow* section) {
    const hydraulics::DesignPoint& p = section->figure()->point;
    const double found[] = {p.B, p.x, p.h, p.Q};
    return QString::fromStdString(
        hydraulics::FormatSingle(float(found[section->figure()->caseNo - 1])));
}

} // namespace

class TestSectionWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Fresh> s_;

private slots:
    void initTestCase() { drawing::InstallChineseFonts(); }
    void init() {
        s_ = std::make_unique<Fresh>();
        QVERIFY(s_->made);
    }

    // Nothing to draw before a calculation; after one, the window shows its
    // design point with water; a second click brings the same window forward.
    void appearsAfterCalculation() {
        for (int caseNo = 1; caseNo <= 4; ++caseNo) {
            auto w = Open(s_->m, caseNo);
            QVERIFY(w && !Button(*w, 4)->isEnabled());
            TypeInputs(*w, Example(caseNo).inputs);
            Click(Button(*w, 2));
            SectionWindow* section = OpenSection(*w);
            QVERIFY(section && section->isWindow() && section->figure());
            QCOMPARE(section->windowTitle(), QStringLiteral("断面及水力要素"));
            QCOMPARE(Found(section), Box(*w, 13)->text());
            QVERIFY(WaterPixels(*section) > 1000);
            section->hide(); // a second click brings the same window forward
            QVERIFY(OpenSection(*w) == section && w->findChildren<SectionWindow*>().size() == 1);
        }
    }

    // Another calculation redraws the section; a failed one clears it.
    void refreshesThenClears() {
        auto w = Calculated(s_->m, 3);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section);
        const QImage before = section->grab().toImage();
        TypeInputs(*w, {"2"}); // twice the discharge: deeper water
        Click(Button(*w, 2));
        QVERIFY(Found(section) == Box(*w, 13)->text() && section->figure()->point.h > 0.71);
        QVERIFY(section->grab().toImage() != before);
        TypeInputs(*w, {"0"}); // no discharge: no depth is found
        ModalCatcher catcher;
        Click(Button(*w, 2));
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY(!Button(*w, 4)->isEnabled() && !section->figure() && WaterPixels(*section) == 0);
    }

    // "计算书" writes the report of the calculation shown, from the inputs
    // as typed: case 2 leaves its own head Z2 + K in the shared state, and
    // the report must show the given Z = 0.2. Refused after a failure, and
    // a file that cannot be written is named in a message.
    void writesReport() {
        auto w = Calculated(s_->m, 2);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section && section->findChild<QPushButton*>("Command2")->isEnabled());
        QVERIFY(section->writeReport(QStringLiteral("渡槽计算书.odt")));
        QProcess unzip;
        unzip.start("unzip", {"-p", "渡槽计算书.odt", "content.xml"});
        if (unzip.waitForFinished())
            QVERIFY(unzip.readAllStandardOutput().contains(">0.2<"));
        ModalCatcher catcher;
        QVERIFY(!section->writeReport(QStringLiteral("no/渡槽计算书.pdf")));
        QVERIFY(catcher.take().value(0).contains(QStringLiteral("no/渡槽计算书.pdf")));
        TypeInputs(*w, {"0"});
        Click(Button(*w, 2));
        QVERIFY(!section->findChild<QPushButton*>("Command2")->isEnabled());
        QVERIFY(!section->writeReport(QStringLiteral("after.pdf")));
    }

    // 计算书 asks the heading fields first: a damaged side file is named in
    // a line of the dialog, Esc cancels everything, Enter goes on to the
    // save dialog, and the fields are remembered beside the project.
    void asksReportIdentity() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section);
        QFile damaged(QStringLiteral("渡槽us.json"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("{") == 1);
        damaged.close();
        QString problem, dialogsAfter;
        const auto answer = [&](int key) {
            QTimer::singleShot(50, [&, key] {
                auto* dialog = qobject_cast<ReportInfoDialog*>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                if (auto* line = dialog->findChild<QLabel*>("infoProblem"))
                    problem = line->text();
                QTest::keyClicks(dialog->findChild<QLineEdit*>("info_project"), "GQ-1");
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
                QTimer::singleShot(300, [&] { // the save dialog, if one came: cancel it
                    if (auto* next = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                        dialogsAfter += next->metaObject()->className();
                        next->reject();
                    }
                });
            });
            section->findChild<QPushButton*>("Command2")->click();
            QTest::qWait(400);
        };
        answer(Qt::Key_Escape);
        QVERIFY(problem.contains(QStringLiteral("渡槽us.json")));
        QVERIFY(dialogsAfter.isEmpty() && section->reportIdentity().project.empty());
        answer(Qt::Key_Return);
        QCOMPARE(dialogsAfter, QStringLiteral("QFileDialog"));
        QCOMPARE(section->reportIdentity().project, std::string("GQ-1"));
        QFile kept(QStringLiteral("渡槽us.json"));
        QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll().contains("GQ-1"));
    }

    // Two case windows share the state: each section shows the design point
    // its own calculation left; printed without a print server as a PDF
    // named after project and window; gone with its case window.
    void keepsItsOwnCalculation() {
        auto form2 = Calculated(s_->m, 1);
        auto form5 = Calculated(s_->m, 4);
        QVERIFY(form2 && form5);
        SectionWindow* first = OpenSection(*form2);
        SectionWindow* second = OpenSection(*form5);
        QVERIFY(first && second && first != second);
        QCOMPARE(Found(first), QStringLiteral("1.912109"));
        QCOMPARE(Found(second), Box(*form5, 13)->text());
        ModalCatcher catcher;
        Click(Button(*second, 1));
        const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("渡槽情况4断面图.pdf"));
        QVERIFY(catcher.texts.size() == 1 && catcher.texts[0].contains(pdf));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QPointer<SectionWindow> gone(second);
        form5.reset();
        QVERIFY(!gone);
    }

    // p starts at table 6.3.4's default for each calculation; another p
    // redraws the checks at once (p = 0: H₂ = h加 + 0.10 ≈ h + 0.10).
    void increaseRedrawsTheChecks() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section);
        auto* p = section->findChild<QDoubleSpinBox*>(QStringLiteral("IncreasePercent"));
        auto* range = section->findChild<QLabel*>(QStringLiteral("IncreaseRange"));
        QVERIFY(p && range);
        QCOMPARE(p->value(), 30.0);
        QCOMPARE(range->text(), QStringLiteral("表 6.3.4：30～25 %"));
        const QImage before = section->grab().toImage();
        p->setValue(0);
        const drawing::SectionFigure f = *section->figure();
        QCOMPARE(f.increasePercent, 0.0);
        QCOMPARE(f.length, 100.0);
        const auto checks = hydraulics::CheckDesign(f.point, f.length, f.increasePercent);
        QVERIFY(std::abs(checks.H2.value_or(0) - f.point.h - 0.10) < 1e-3);
        QVERIFY(section->grab().toImage() != before);
        TypeInputs(*w, {"8"}); // 5 ≤ Q < 20: 25 %
        Click(Button(*w, 2));
        QCOMPARE(p->value(), 25.0);
        QCOMPARE(range->text(), QStringLiteral("表 6.3.4：25～20 %"));
    }
};

QTEST_MAIN(TestSectionWindow)
#include "test_sectionwindow.moc"
