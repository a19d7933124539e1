// SPDX-License-Identifier: GPL-3.0-or-later
// "方案比选" as a designer reaches it: from the case window before any
// success and from the section window after one; the case-1 example swept
// over h with its compliant rows marked, numeric sorting, bad ranges, the
// CSV export, and "采用" filling the box and computing (the project file
// written then only).
#include "drawing/chinesefonts.h"
#include "drawing/drawingstyle.h"
#include "project/projectfile.h"
#include "window_test_support.h"
#include "windows/sectionwindow.h"
#include "windows/stalequestion.h"
#include "windows/sweepwindow.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTableView>

namespace {

// "方案比选" of the case window clicked: the comparison, shown and exposed.
SweepWindow* OpenSweep(CaseWindow& w) {
    Click(Button(w, 5));
    auto* sweep = w.findChild<SweepWindow*>();
    return sweep && QTest::qWaitForWindowExposed(sweep) ? sweep : nullptr;
}

QLineEdit* Field(SweepWindow& w, const char* name) {
    return w.findChild<QLineEdit*>(name);
}

// The range typed as a user types it, then Enter.
void Sweep(SweepWindow& w, const QStringList& range) {
    const char* names[] = {"SweepFrom", "SweepTo", "SweepStep"};
    for (int k = 0; k < 3; ++k) {
        Field(w, names[k])->setFocus();
        QTest::keyClick(Field(w, names[k]), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Field(w, names[k]), range[k]);
    }
    QTest::keyClick(Field(w, names[2]), Qt::Key_Return);
}

QAbstractItemModel* Table(SweepWindow& w) {
    return w.findChild<QTableView*>("SweepTable")->model();
}

QString Cell(SweepWindow& w, int row, int column) {
    return Table(w)->index(row, column).data().toString();
}

} // namespace

class TestSweepWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Fresh> s_;

private slots:
    void initTestCase() { drawing::InstallChineseFonts(); }
    void init() {
        s_ = std::make_unique<Fresh>();
        QVERIFY(s_->made);
    }

    // Before any calculation: h and ±30 % by default; over h = 1.0 … 1.6
    // the ticked rows are exactly those meeting every check, on green, and
    // an unmet check is on the section window's light red.
    void marksTheCompliantRows() {
        auto w = Open(s_->m, 1);
        QVERIFY(w);
        TypeInputs(*w, Example(1).inputs);
        SweepWindow* sweep = OpenSweep(*w);
        QVERIFY(sweep);
        QCOMPARE(sweep->findChild<QComboBox*>("SweepVariable")->currentIndex(), 2);
        QCOMPARE(Field(*sweep, "SweepFrom")->text() + ' ' + Field(*sweep, "SweepTo")->text() + ' ' +
                     Field(*sweep, "SweepStep")->text(),
                 QStringLiteral("1.05 1.95 0.075"));
        Sweep(*sweep, {"1.0", "1.6", "0.05"});
        QCOMPARE(Table(*sweep)->rowCount(), 13);
        int ticked = 0;
        for (int r = 0; r < 13; ++r) {
            const bool met = sweep->rows()[std::size_t(r)].meetsAll;
            QCOMPARE(Cell(*sweep, r, 0) == QStringLiteral("✓"), met);
            QCOMPARE(Table(*sweep)->index(r, 5).data(Qt::BackgroundRole).value<QBrush>().color() ==
                         drawing::kMetGround,
                     met);
            ticked += met;
        }
        QVERIFY(ticked >= 4); // h = 1.25 … 1.4 at least
        QCOMPARE(Cell(*sweep, 10, 1), QStringLiteral("1.5"));
        int netDepth = 0;
        while (Table(*sweep)->headerData(netDepth, Qt::Horizontal).toString() != "深宽比")
            QVERIFY(++netDepth < Table(*sweep)->columnCount());
        QCOMPARE(Cell(*sweep, 10, netDepth), QStringLiteral("宜调整")); // a 宜 clause: amber
        QCOMPARE(
            Table(*sweep)->index(10, netDepth).data(Qt::BackgroundRole).value<QBrush>().color(),
            drawing::kNotedGround);
        const int remark = Table(*sweep)->columnCount() - 1;
        QVERIFY(!Cell(*sweep, 0, remark).isEmpty()); // h = 1 failed
        // Sorted either way, the rows that failed (h = 1, 1.05) stay last.
        auto* table = sweep->findChild<QTableView*>("SweepTable");
        for (const auto order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            table->sortByColumn(1, order);
            QString failed;
            for (int r = 0; r < 13; ++r)
                failed += Cell(*sweep, r, remark).isEmpty() ? '-' : 'x';
            QCOMPARE(failed, QStringLiteral("-----------xx"));
            QCOMPARE(Cell(*sweep, 0, 1), order == Qt::AscendingOrder ? "1.1" : "1.6");
        }
        QVERIFY(!QFile::exists(QStringLiteral("渡槽us.dat"))); // nothing saved yet
        // The rows depend on the inputs other than the variable: a new h
        // leaves them current, a new Q does not until they are run again.
        auto* note = sweep->findChild<QLabel*>("StaleNote");
        TypeInputs(*w, {"4", "100", "1.35"});
        QVERIFY(!note->isVisibleTo(sweep));
        TypeInputs(*w, {"5"});
        QVERIFY(note->isVisibleTo(sweep) && note->text().startsWith(kStaleNote));
        QTest::keyClick(Field(*sweep, "SweepStep"), Qt::Key_Return);
        QVERIFY(!note->isVisibleTo(sweep));
        // So do the canals and the design conditions the verdicts are judged by.
        hydraulics::DesignConditions arch;
        arch.support = hydraulics::SupportForm::Arch;
        sweep->setConnection(std::nullopt, arch);
        QVERIFY(note->isVisibleTo(sweep));
        sweep->setConnection(std::nullopt, {});
        QVERIFY(!note->isVisibleTo(sweep));
        // With canals over L = 10, 105, 200 m: the short flume's recheck has
        // its column though only the first row carries it, nothing moves
        // into 说明.
        hydraulics::ConnectionInput canals;
        canals.upstream = canals.downstream = {2, 1.5, 0.025, 4000};
        canals.upstreamBed = 100;
        sweep->setConnection(canals, {});
        sweep->findChild<QComboBox*>("SweepVariable")->setCurrentIndex(1);
        Sweep(*sweep, {"10", "200", "95"});
        QCOMPARE(Table(*sweep)->rowCount(), 3);
        const QString columns[] = {"短槽水面线复核", "说明"};
        int at[2] = {0, 0};
        for (int c = 0; c < Table(*sweep)->columnCount(); ++c)
            for (int k = 0; k < 2; ++k)
                if (Table(*sweep)->headerData(c, Qt::Horizontal).toString() == columns[k])
                    at[k] = c;
        QVERIFY(at[0] > 0 && at[1] == Table(*sweep)->columnCount() - 1);
        QString filled;
        for (int r = 0; r < 3; ++r)
            filled += QString(Cell(*sweep, r, at[0]).isEmpty() ? '-' : 'x') +
                      (Cell(*sweep, r, at[1]).isEmpty() ? '-' : 'x');
        QCOMPARE(filled, QStringLiteral("x-----"));
    }

    // The default range is centred on the decimal typed, 13 rows (h = 1.35:
    // 0.945 … 1.755, not 0.9450001 and 12 rows), and again on a new value
    // whenever the window is opened for it; the title names the project.
    void centresOnTheTypedValue() {
        auto w = Open(s_->m, 1);
        QVERIFY(w);
        TypeInputs(*w, {"4", "100", "1.35", "1000", "1", "0.014", "0.25", "0.4"});
        SweepWindow* sweep = OpenSweep(*w);
        QVERIFY(sweep);
        QCOMPARE(sweep->windowTitle(), QStringLiteral("方案比选 - 渡槽"));
        const auto range = [&] {
            return QStringList{Field(*sweep, "SweepFrom")->text(), Field(*sweep, "SweepTo")->text(),
                               Field(*sweep, "SweepStep")->text()};
        };
        QCOMPARE(range(), (QStringList{"0.945", "1.755", "0.0675"}));
        QCOMPARE(Table(*sweep)->rowCount(), 13);
        QCOMPARE(Cell(*sweep, 6, 1), QStringLiteral("1.35"));
        QCOMPARE(Cell(*sweep, 12, 1), QStringLiteral("1.755"));
        sweep->close();
        TypeInputs(*w, {"4", "100", "1.5"});
        QCOMPARE(range(), (QStringList{"0.945", "1.755", "0.0675"})); // until opened again
        QVERIFY(OpenSweep(*w) == sweep);
        QCOMPARE(range(), (QStringList{"1.05", "1.95", "0.075"}));
        QCOMPARE(Cell(*sweep, 6, 1), QStringLiteral("1.5"));
    }

    // Sorting by the variable is numeric (800 before 1000); bad ranges are
    // told in the window and keep the rows; Esc closes it.
    void sortsNumericallyAndRefusesBadRanges() {
        auto w = Calculated(s_->m, 1);
        QVERIFY(w);
        Click(Button(*w, 4));
        auto* section = w->findChild<SectionWindow*>();
        QVERIFY(section && QTest::qWaitForWindowExposed(section));
        Click(section->findChild<QPushButton*>("SweepCommand"));
        auto* sweep = w->findChild<SweepWindow*>();
        QVERIFY(sweep && QTest::qWaitForWindowExposed(sweep));
        auto* variable = sweep->findChild<QComboBox*>("SweepVariable");
        variable->setCurrentIndex(3);
        Sweep(*sweep, {"800", "1200", "100"});
        auto* table = sweep->findChild<QTableView*>("SweepTable");
        table->sortByColumn(1, Qt::AscendingOrder);
        QCOMPARE(Cell(*sweep, 0, 1), QStringLiteral("800"));
        table->sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(Cell(*sweep, 0, 1), QStringLiteral("1200"));
        for (const QStringList& bad :
             {QStringList{"1200", "800", "100"}, QStringList{"800", "1200", "0"},
              QStringList{"0", "5000", "1"}, QStringList{"a", "1", "1"}}) {
            Sweep(*sweep, bad);
            QVERIFY(!sweep->findChild<QLabel*>("SweepMessage")->text().isEmpty());
            QCOMPARE(Table(*sweep)->rowCount(), 5);
        }
        // The export is the command line's CSV: a header and a line a row.
        QVERIFY(sweep->exportCsv(QStringLiteral("方案.csv")));
        QFile csv(QStringLiteral("方案.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines.size(), 7); // and the empty rest after the last line end
        QVERIFY(lines[0].startsWith("\xEF\xBB\xBFx,status,error,Z,Z1,Z2,Z3,B,")); // UTF-8, marked
        ModalCatcher catcher;
        QVERIFY(!sweep->exportCsv(QStringLiteral("无此目录/方案.csv")));
        const QString told = catcher.take().value(0); // told in sentences, not written
        QVERIFY2(told.contains(QStringLiteral("无此目录")) &&
                     told.contains(QStringLiteral("。\n表没有导出")),
                 qPrintable(told));
        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(!sweep->isVisible());
    }

    // "采用" puts the row's value into the box, computes and saves there.
    void adoptFillsTheBoxAndComputes() {
        auto w = Open(s_->m, 1);
        QVERIFY(w);
        TypeInputs(*w, Example(1).inputs);
        SweepWindow* sweep = OpenSweep(*w);
        QVERIFY(sweep);
        Sweep(*sweep, {"1.1", "1.4", "0.1"});
        auto* table = sweep->findChild<QTableView*>("SweepTable");
        table->selectRow(1);
        Click(sweep->findChild<QPushButton*>("SweepAdopt"));
        QCOMPARE(Box(*w, 3)->text(), QStringLiteral("1.2"));
        QCOMPARE(Box(*w, 13)->text(), Cell(*sweep, 1, 2)); // B as the row found it
        QCOMPARE(project::ReadProjectFile("渡槽")[2], 1.2f);
    }
};

QTEST_MAIN(TestSweepWindow)
#include "test_sweepwindow.moc"
