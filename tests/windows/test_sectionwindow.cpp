// SPDX-License-Identifier: GPL-3.0-or-later
// "断面及水力要素" as the user reaches it: Command4 of a case window, the
// drawing after each calculation, cleared after a failure, and printed.
#include "drawing/chinesefonts.h"
#include "drawing/drawingstyle.h"
#include "drawing/sectiondrawing.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/numtext.h"
#include "project/connectiondata.h"
#include "window_test_support.h"
#include "windows/connectionwindow.h"
#include "windows/reportinfodialog.h"
#include "windows/sectionwindow.h"
#include "windows/stalequestion.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QTableWidget>
#include <QUrl>

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

// "水面衔接" of the section window clicked: the connection window, exposed.
ConnectionWindow* OpenConnection(SectionWindow& section) {
    Click(section.findChild<QPushButton*>("Command3"));
    auto* c = section.findChild<ConnectionWindow*>();
    return c && QTest::qWaitForWindowExposed(c) ? c : nullptr;
}

// The canal data typed from the keyboard alone, Enter after each box: the
// focus walks the boxes in order, and Enter in the last (r, left empty)
// computes. `n` is the upstream roughness as typed.
void TypeCanals(ConnectionWindow& c, const QString& n = QStringLiteral("0.025")) {
    const QStringList values = {"2", "1.5", n, "4000", "100", "2", "1.5", "0.025", "4000", "0.01"};
    auto* first = c.findChild<QLineEdit*>("upstream_b");
    first->setFocus();
    first->selectAll();
    for (const QString& value : values) { // each box's text selected, typed over
        QTest::keyClick(c.focusWidget(), Qt::Key_Delete);
        QTest::keyClicks(c.focusWidget(), value);
        QTest::keyClick(c.focusWidget(), Qt::Key_Return);
    }
    for (const char* name : {"inlet_angle", "outlet_angle", "bend_radius"}) {
        QCOMPARE(c.focusWidget(), c.findChild<QLineEdit*>(name));
        QTest::keyClick(c.focusWidget(), Qt::Key_Return);
    }
}

QByteArray SideFile() {
    QFile file(QStringLiteral("渡槽us.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
        // Confirmed in the status line with its path and a link that opens it.
        const QString told = section->findChild<QLabel*>("StatusLine")->text();
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("渡槽计算书.odt"));
        QVERIFY2(told.startsWith(QStringLiteral("计算书已写出：") + path) &&
                     told.contains(QStringLiteral("\">打开</a>")) &&
                     told.contains(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)),
                 qPrintable(told));
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
        const QPoint place = p->mapTo(section, QPoint()); // kept whatever the note says
        const QImage before = section->grab().toImage();
        p->setValue(0);
        const drawing::SectionFigure f = *section->figure();
        QCOMPARE(f.increasePercent, 0.0);
        QCOMPARE(f.length, 100.0);
        const hydraulics::DesignChecks& checks = f.design->checks;
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
            QVERIFY2(*step.note ? note->text().contains(step.note) : note->text().isEmpty(),
                     qPrintable(step.typed + (": " + note->text())));
            QCOMPARE(p->mapTo(section, QPoint()), place);
        }
        QCOMPARE(range->text(), QStringLiteral("表 6.3.4：25～20 %"));
    }

    // "水面衔接": canal data typed and calculated from the keyboard, kept in
    // the side file and back in a new window; ξ₁, ξ₂ of the chosen forms go
    // to the case window; a damaged side file is told without waiting and
    // the boxes start empty; the verdicts stand on their grounds.
    void connectionWindow() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        ConnectionWindow* c = section ? OpenConnection(*section) : nullptr;
        QVERIFY(c && !c->connection());
        QCOMPARE(c->windowTitle(), QStringLiteral("渠道与水面衔接 - 渡槽"));
        TypeCanals(*c);
        QVERIFY(c->connection() && c->connection()->levels.bedDownstream);
        QCOMPARE(c->connection()->design.dropOk, hydraulics::Verdict::NotMet); // [ΔZ] = 0.01 m
        auto* checks = c->findChild<QTableWidget*>("checks");
        QCOMPARE(checks->item(0, 4)->text(), QStringLiteral("长槽")); // one classification, by h₁
        QCOMPARE(checks->item(2, 0)->text(), QStringLiteral("总水面降落"));
        QCOMPARE(checks->item(2, 4)->text(), QStringLiteral("不满足"));
        QCOMPARE(checks->item(2, 0)->background().color(), drawing::kUnmetGround);
        // The design follows the canals: one drop, the adopted section's.
        QCOMPARE(section->design()->connection(), c->connection());
        QCOMPARE(section->design()->adopted->section.Z, c->connection()->design.drop);
        // V = 1 m/s is not the canals' 0.586 m/s: said, and v₁ goes into V.
        QVERIFY(c->findChild<QLabel*>("VelocityNote")->text().contains("v₁ = 0.586 m/s"));
        Click(c->findChild<QPushButton*>("VelocityCommand"));
        QCOMPARE(Texts(*w, 5, 5), QStringList{"0.5859596"});
        QVERIFY(c->findChild<QPushButton*>("DxfCommand")->isEnabled());
        QVERIFY(c->writeDxf(QStringLiteral("渡槽纵断面.dxf")) && QFile::exists("渡槽纵断面.dxf"));
        if (!qEnvironmentVariableIsEmpty("AMBRELO_SHOT"))
            c->grab().save(qEnvironmentVariable("AMBRELO_SHOT"));
        Click(c->findChild<QPushButton*>("fillCoefficients"));
        QCOMPARE(Texts(*w, 7, 8), (QStringList{"0.3", "0.5"})); // 八字形
        QVERIFY(QFile::exists("渡槽us.json"));
        auto again = Calculated(s_->m, 3);
        SectionWindow* other = again ? OpenSection(*again) : nullptr;
        ConnectionWindow* kept = other ? OpenConnection(*other) : nullptr;
        QVERIFY(kept && kept->connection());
        QCOMPARE(kept->findChild<QLineEdit*>("allowed_drop")->text(), QStringLiteral("0.01"));
        QFile damaged("渡槽us.json");
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("{oops") > 0);
        damaged.close();
        auto third = Calculated(s_->m, 4);
        SectionWindow* last = third ? OpenSection(*third) : nullptr;
        ConnectionWindow* fresh = last ? OpenConnection(*last) : nullptr;
        auto* box = fresh ? fresh->findChild<QMessageBox*>() : nullptr;
        QVERIFY(box && box->isVisible() && !box->isModal() && box->text().contains("渡槽us.json"));
        QVERIFY(!fresh->connection());
    }

    // An input that cannot be taken is named as the window labels it, in
    // red, and never kept: the side file keeps the last set taken, whose
    // results stay shown, greyed with a note, until a set is taken again.
    void refusedCanalInput() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        ConnectionWindow* c = section ? OpenConnection(*section) : nullptr;
        QVERIFY(c);
        TypeCanals(*c);
        const QByteArray kept = SideFile();
        const std::optional<double> drop = c->connection()->design.drop;
        auto* message = c->findChild<QLabel*>("message");
        auto* stale = c->findChild<QLabel*>("StaleNote");
        QVERIFY(!message->isVisibleTo(c) && !stale->isVisibleTo(c));
        for (const auto& [n, told] : {std::pair{"-0.025", "上游渠道的糙率 n 须为大于 0 的数。"},
                                      std::pair{"0,025x", "上游渠道的糙率 n 须为大于 0 的数。"},
                                      std::pair{"", "请填写上游渠道的糙率 n。"}}) {
            TypeCanals(*c, QString::fromUtf8(n));
            QVERIFY2(message->isVisibleTo(c) && message->text().startsWith(QString::fromUtf8(told)),
                     qPrintable(message->text()));
            QVERIFY(!message->text().contains("upstream") && !message->text().contains("null"));
            QCOMPARE(message->palette().color(QPalette::WindowText), QColor(190, 0, 0));
            QCOMPARE(c->focusWidget(), c->findChild<QLineEdit*>("upstream_n"));
            QCOMPARE(SideFile(), kept);
            QVERIFY(c->connection() && c->connection()->design.drop == drop);
            QVERIFY(stale->isVisibleTo(c));
        }
        TypeCanals(*c, "0.03");
        QVERIFY(!message->isVisibleTo(c) && !stale->isVisibleTo(c) && SideFile() != kept);
        QVERIFY(c->connection()->design.drop != drop);
    }

    // The adopted section under the checks, its conditions in the row under
    // p: a step of 0.05 m widens it to 1.95 m and is kept in the side file;
    // a step outside 0.001..0.1 m is refused in red, changing nothing.
    void adoptedSectionAndItsConditions() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        QVERIFY(section && section->design() && section->design()->adopted);
        QCOMPARE(section->design()->adopted->section.B, 1.92);
        auto* step = section->findChild<QLineEdit*>("DesignStep");
        auto* note = section->findChild<QLabel*>("DesignNote");
        QCOMPARE(step->text(), QStringLiteral("0.01"));
        const QPoint place = step->mapTo(section, QPoint());
        for (const auto& [typed, B, refused] :
             {std::tuple{"0.05", 1.95, false}, std::tuple{"1", 1.95, true},
              std::tuple{"0.001", 1.912, false}}) {
            step->selectAll();
            QTest::keyClicks(step, QString::fromUtf8(typed));
            QTest::keyClick(step, Qt::Key_Return);
            QCOMPARE(section->design()->adopted->section.B, B);
            QCOMPARE(note->text().isEmpty(), !refused);
            QCOMPARE(step->mapTo(section, QPoint()), place); // the note's line is kept
        }
        QVERIFY(SideFile().contains("\"step\": 0.001"));
        section->findChild<QComboBox*>("SupportForm")->setCurrentIndex(1);
        emit section->findChild<QComboBox*>("SupportForm")->activated(1);
        QCOMPARE(section->design()->conditions.support, hydraulics::SupportForm::Arch);
    }

    // 建筑物级别 is one field: kept as the report's, shown by the 计算书信息
    // dialog and the connection window alike, whichever sets it; an older
    // side file with the grade among the canals only still gives it.
    void sharesTheGrade() {
        QFile older(QStringLiteral("渡槽us.json"));
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write(R"({"version": 1, "connection": {"grade": 2}})");
        older.close();
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        ConnectionWindow* c = section ? OpenConnection(*section) : nullptr;
        QVERIFY(c);
        auto* grade = c->findChild<QComboBox*>("grade");
        QCOMPARE(grade->currentText(), QStringLiteral("2 级"));
        QString shown;
        // 计算书's dialog: the grade it shows noted; 取消, or the grade
        // `choose` taken with 确定 (and the save dialog after it cancelled).
        const auto dialog = [&](int choose) {
            QTimer::singleShot(50, [&, choose] {
                auto* info = qobject_cast<ReportInfoDialog*>(QApplication::activeModalWidget());
                if (!info)
                    return;
                auto* box = info->findChild<QComboBox*>("info_grade");
                shown = box->currentText();
                if (choose < 0)
                    return info->reject();
                box->setCurrentIndex(choose);
                info->accept();
                QTimer::singleShot(200, [] {
                    if (auto* next = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                        next->reject();
                });
            });
            section->findChild<QPushButton*>("Command2")->click();
            QTest::qWait(400);
        };
        dialog(-1);
        QCOMPARE(shown, QStringLiteral("2"));
        grade->setCurrentIndex(2); // 3 级, then taken
        TypeCanals(*c);
        QVERIFY(SideFile().contains(R"("grade": "3")") && SideFile().count("grade") == 1);
        QCOMPARE(project::SavedConnection("渡槽")->grade, 3);
        dialog(5);
        QCOMPARE(shown, QStringLiteral("3"));
        QCOMPARE(grade->currentText(), QStringLiteral("5 级"));
        QVERIFY(SideFile().contains(R"("grade": "5")"));
    }

    // After a calculation a change of the case window's inputs, here the ξ₁,
    // ξ₂ filled from the connection window, is told in the section and the
    // connection window; printing asks first, and 先重新计算 calculates in the
    // case window, after which nothing is stale and the page is printed.
    void staleAfterAFill() {
        auto w = Calculated(s_->m, 1);
        SectionWindow* section = w ? OpenSection(*w) : nullptr;
        ConnectionWindow* c = section ? OpenConnection(*section) : nullptr;
        QVERIFY(c);
        TypeCanals(*c);
        const std::optional<double> z = c->connection()->design.drop;
        Click(c->findChild<QPushButton*>("fillCoefficients"));
        QVERIFY(section->isStale() && w->findChild<QLabel*>("StaleNote")->isVisibleTo(w.get()));
        for (QWidget* window : {static_cast<QWidget*>(section), static_cast<QWidget*>(c)}) {
            auto* note = window->findChild<QLabel*>("StaleNote");
            QVERIFY(note->isVisibleTo(window) && note->text().startsWith(kStaleNote));
        }
        const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("渡槽情况1断面图.pdf"));
        for (const char* answer : {"仍按原成果打印", "先重新计算"}) {
            QFile::remove(pdf);
            ModalCatcher catcher{QString::fromUtf8(answer)};
            Click(section->findChild<QPushButton*>("Command1"));
            QCOMPARE(catcher.texts.value(0), QStringLiteral("成果与当前基本资料不符。"));
            QVERIFY(QFile::exists(pdf));
        }
        QVERIFY(!section->isStale() && !c->findChild<QLabel*>("StaleNote")->isVisibleTo(c));
        QVERIFY(c->connection()->design.drop != z); // with ξ₁ = 0.3, ξ₂ = 0.5
        QCOMPARE(Box(*w, 7)->text(), QStringLiteral("0.3"));
    }
};

QTEST_MAIN(TestSectionWindow)
#include "test_sectionwindow.moc"
