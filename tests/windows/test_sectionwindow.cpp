// SPDX-License-Identifier: GPL-3.0-or-later
// "断面及水力要素" as the user reaches it: Command4 of a case window, the
// drawing after each calculation, cleared after a failure, and printed.
#include "drawing/chinesefonts.h"
#include "drawing/drawingstyle.h"
#include "drawing/sectiondrawing.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/numtext.h"
#include "window_test_support.h"
#include "windows/connectionwindow.h"
#include "windows/reportinfodialog.h"
#include "windows/sectionwindow.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QTableWidget>

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
            QCOMPARE(section->windowTitle(),
                     QStringLiteral("断面及水力要素 - 渡槽（情况 %1）").arg(caseNo));
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

    // "导出 DXF" writes the section as DXF (read back in tests/drawing); a
    // file that cannot be written is named in a message; refused after a
    // failure.
    void exportsDxf() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section && section->findChild<QPushButton*>("DxfCommand")->isEnabled());
        QVERIFY(section->writeDxf(QStringLiteral("渡槽断面.dxf")));
        QFile dxf(QStringLiteral("渡槽断面.dxf"));
        QVERIFY(dxf.open(QIODevice::ReadOnly) && dxf.readAll().contains("$INSUNITS"));
        ModalCatcher catcher;
        QVERIFY(!section->writeDxf(QStringLiteral("no/渡槽断面.dxf")));
        QVERIFY(catcher.take().value(0).contains(QStringLiteral("no/渡槽断面.dxf")));
        TypeInputs(*w, {"0"});
        Click(Button(*w, 2));
        QVERIFY(!section->findChild<QPushButton*>("DxfCommand")->isEnabled());
        QVERIFY(!section->writeDxf(QStringLiteral("after.dxf")));
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

    // p starts at table 6.3.4's default; another p redraws the checks at
    // once (p = 0: H₂ = h加 + 0.10 ≈ h + 0.10) and stays while Q stays in its
    // row; a new row brings back its default with a note. A typed p outside
    // 0..50 % is refused in words, not cut to a digit.
    void increaseRedrawsTheChecks() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section);
        auto* p = section->findChild<QDoubleSpinBox*>(QStringLiteral("IncreasePercent"));
        auto* range = section->findChild<QLabel*>(QStringLiteral("IncreaseRange"));
        auto* note = section->findChild<QLabel*>(QStringLiteral("IncreaseNote"));
        QVERIFY(p && range && note);
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
        // Q, p typed, shown p, p in the figure, the note says
        const struct {
            const char* Q;
            const char* typed;
            double shown;
            const char* note;
        } steps[] = {{"4.5", "", 0, ""},
                     {"4.5", "60", 0, "p = 60 % 不在 0～50 % 之内"},
                     {"4.5", "-1", 0, "没有采用"},
                     {"4.5", "27.5", 27.5, ""},
                     {"8", "", 25, "p 改为该行的默认值 25 %"}};
        for (const auto& step : steps) {
            TypeInputs(*w, {step.Q});
            Click(Button(*w, 2));
            if (*step.typed) {
                QTest::keyClick(p, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(p, step.typed);
                QTest::keyClick(p, Qt::Key_Return);
            }
            QCOMPARE(p->value(), step.shown);
            QCOMPARE(section->figure()->increasePercent, step.shown);
            QVERIFY2(*step.note ? note->isVisibleTo(section) && note->text().contains(step.note)
                                : note->isHidden(),
                     qPrintable(step.typed + (": " + note->text())));
        }
        QCOMPARE(range->text(), QStringLiteral("表 6.3.4：25～20 %"));
    }

    // "水面衔接": canal data typed and calculated, kept in the side file
    // and back in a new window; ξ₁, ξ₂ of the chosen forms go to the case
    // window; a damaged side file is told without waiting and the boxes
    // start empty; the verdicts stand on their grounds.
    void connectionWindow() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section);
        Click(section->findChild<QPushButton*>("Command3"));
        auto* c = section->findChild<ConnectionWindow*>();
        QVERIFY(c && QTest::qWaitForWindowExposed(c) && !c->connection());
        const QStringList keys = {"upstream_b",   "upstream_m",   "upstream_n",   "upstream_x",
                                  "upstream_bed", "downstream_b", "downstream_m", "downstream_n",
                                  "downstream_x", "allowed_drop"};
        const QStringList values = {"2", "1.5", "0.025", "4000", "100",
                                    "2", "1.5", "0.025", "4000", "0.01"};
        for (int k = 0; k < keys.size(); ++k)
            c->findChild<QLineEdit*>(keys[k])->setText(values[k]);
        Click(c->findChild<QPushButton*>("Command1"));
        QVERIFY(c->connection() && c->connection()->levels.bedDownstream);
        QCOMPARE(c->connection()->design.dropOk, hydraulics::Verdict::NotMet); // [ΔZ] = 0.01 m
        auto* checks = c->findChild<QTableWidget*>("checks");
        QCOMPARE(checks->item(0, 4)->text(), QStringLiteral("不满足"));
        QCOMPARE(checks->item(0, 0)->background().color(), drawing::kUnmetGround);
        QVERIFY(c->findChild<QPushButton*>("DxfCommand")->isEnabled());
        QVERIFY(c->writeDxf(QStringLiteral("渡槽纵断面.dxf")) && QFile::exists("渡槽纵断面.dxf"));
        if (!qEnvironmentVariableIsEmpty("AMBRELO_SHOT"))
            c->grab().save(qEnvironmentVariable("AMBRELO_SHOT"));
        Click(c->findChild<QPushButton*>("fillCoefficients"));
        QCOMPARE(Texts(*w, 7, 8), (QStringList{"0.3", "0.5"})); // 八字形
        QVERIFY(QFile::exists("渡槽us.json"));
        auto again = Calculated(s_->m, 3);
        SectionWindow* other = again ? OpenSection(*again) : nullptr;
        QVERIFY(other);
        Click(other->findChild<QPushButton*>("Command3"));
        auto* kept = other->findChild<ConnectionWindow*>();
        QVERIFY(kept && kept->connection());
        QCOMPARE(kept->findChild<QLineEdit*>("allowed_drop")->text(), QStringLiteral("0.01"));
        QFile damaged("渡槽us.json");
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("{oops") > 0);
        damaged.close();
        auto third = Calculated(s_->m, 4);
        SectionWindow* last = third ? OpenSection(*third) : nullptr;
        QVERIFY(last);
        Click(last->findChild<QPushButton*>("Command3"));
        auto* box = last->findChild<ConnectionWindow*>()->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible() && !box->isModal() && box->text().contains("渡槽us.json"));
        QVERIFY(!last->findChild<ConnectionWindow*>()->connection());
    }

    // Usable on a small screen and at 200 %: a 1920 × 1080 screen at
    // QT_SCALE_FACTOR=2 has 960 × 540 logical pixels, with room for the
    // title bar; the drawing scrolls where it cannot shrink further.
    void fitsSmallScreens() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section);
        for (const QSize room : {QSize(960, 500), QSize(1366, 728)}) {
            QVERIFY(section->minimumSizeHint().boundedTo(room) == section->minimumSizeHint());
            QVERIFY(w->size().boundedTo(room) == w->size());
        }
        section->resize(900, 480);
        QVERIFY(section->findChild<QPushButton*>("Command2")->geometry().bottom() < 480);
    }
};

QTEST_MAIN(TestSectionWindow)
#include "test_sectionwindow.moc"
