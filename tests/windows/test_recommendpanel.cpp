// SPDX-License-Identifier: GPL-3.0-or-later
// "推荐断面", the tab of 方案比选, as a designer uses it: opened from the
// section window it searches at once on its worker thread; the
// recommendation in words, the alternatives coloured and sortable, every
// candidate on the chart; chosen with the keyboard, "采用" fills the case
// window's inputs and computes there (the project file written then only);
// Esc stops a search; an input that cannot be read is told.
#include "drawing/chinesefonts.h"
#include "drawing/drawingstyle.h"
#include "hydraulics/design.h"
#include "hydraulics/numtext.h"
#include "hydraulics/sweep.h"
#include "project/projectfile.h"
#include "window_test_support.h"
#include "windows/feasiblechartview.h"
#include "windows/recommendpanel.h"
#include "windows/sectionwindow.h"
#include "windows/sweepwindow.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>

namespace {

constexpr int kSearchMs = 20000; // a whole search, with room for a slow machine

// The section window's "推荐断面" of a calculated case window.
RecommendPanel* FromSection(CaseWindow& w) {
    Click(Button(w, 4));
    auto* section = w.findChild<SectionWindow*>();
    if (!section || !QTest::qWaitForWindowExposed(section))
        return nullptr;
    Click(section->findChild<QPushButton*>("RecommendCommand"));
    auto* sweep = w.findChild<SweepWindow*>();
    return sweep && QTest::qWaitForWindowExposed(sweep) ? sweep->recommendPanel() : nullptr;
}

bool Searched(RecommendPanel& panel) {
    return QTest::qWaitFor([&] { return !panel.running() && panel.result(); }, kSearchMs);
}

QAbstractItemModel* Table(RecommendPanel& panel) {
    return panel.findChild<QTableView*>("RecommendTable")->model();
}

QString Text(RecommendPanel& panel, const char* label) {
    return panel.findChild<QLabel*>(label)->text();
}

} // namespace

class TestRecommendPanel : public QObject {
    Q_OBJECT

    std::unique_ptr<Fresh> s_;

private slots:
    void initTestCase() { drawing::InstallChineseFonts(); }
    void init() {
        s_ = std::make_unique<Fresh>();
        QVERIFY(s_->made);
    }

    // Case 3's example: the tab comes forward and searches; the
    // recommendation leads the table on green, the chart holds every
    // candidate; the keyboard picks 备选 1 and 采用 fills B and x, which
    // the case window computes and saves, adopting that very section.
    void searchesAndAdoptsFromTheKeyboard() {
        auto w = Calculated(s_->m, 3);
        QVERIFY(w);
        RecommendPanel* panel = FromSection(*w);
        QVERIFY(panel);
        auto* sweep = w->findChild<SweepWindow*>();
        QCOMPARE(sweep->findChild<QTabWidget*>()->currentWidget(), panel);
        QVERIFY(Searched(*panel));
        const hydraulics::Recommendation& r = *panel->result();
        QVERIFY(r.recommended);
        QVERIFY(Text(*panel, "RecommendSummary")
                    .contains(QStringLiteral("推荐 B = 1.41 m，i = 1/1000")));
        QCOMPARE(Table(*panel)->rowCount(), int(1 + r.alternatives.size()));
        QCOMPARE(Table(*panel)->index(0, 0).data().toString(), QStringLiteral("推荐"));
        QCOMPARE(Table(*panel)->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
                 drawing::kMetGround);
        QCOMPARE(panel->findChild<FeasibleChartView*>()->chart().dots.size(), r.candidates.size());
        // Sorting by B is numeric; the rows follow their figures.
        auto* table = panel->findChild<QTableView*>("RecommendTable");
        table->sortByColumn(1, Qt::AscendingOrder);
        QVERIFY(Table(*panel)->index(0, 1).data(Qt::UserRole).toDouble() <=
                Table(*panel)->index(1, 1).data(Qt::UserRole).toDouble());
        table->sortByColumn(-1, Qt::AscendingOrder);
        table->sortByColumn(11, Qt::AscendingOrder); // the cost against the recommendation
        QCOMPARE(Table(*panel)->index(0, 0).data().toString(), QStringLiteral("推荐"));
        QCOMPARE(project::ReadProjectFile("渡槽")[2], 1.6f); // nothing saved by the search
        // Keyboard: the table, Down to 备选 1, Tab to 采用, Enter.
        table->setFocus();
        table->selectRow(0);
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(Table(*panel)->index(table->currentIndex().row(), 0).data().toString(),
                 QStringLiteral("备选 1"));
        const hydraulics::VerifiedSection chosen = r.alternatives.front().section;
        QTest::keyClick(table, Qt::Key_Tab);
        auto* adopt = panel->findChild<QPushButton*>("RecommendAdopt");
        QCOMPARE(QApplication::focusWidget(), adopt);
        QTest::keyClick(adopt, Qt::Key_Return);
        QCOMPARE(Box(*w, 3)->text(), QString::fromStdString(hydraulics::FormatDouble(chosen.B)));
        QCOMPARE(Box(*w, 4)->text(), QString::fromStdString(hydraulics::FormatDouble(chosen.x)));
        const project::ProjectValues saved = project::ReadProjectFile("渡槽");
        QCOMPARE(hydraulics::TypedDecimal(saved[2]), chosen.B);
        const hydraulics::Design d = hydraulics::ComputeDesign({3, saved});
        QVERIFY(d.adopted && d.adopted->section.feasible);
        QCOMPARE(d.adopted->section.h, chosen.h);
        QVERIFY(Text(*panel, "RecommendMessage").contains(QStringLiteral("填入计算窗口并计算")));
        // The inputs have moved on: the table is no longer theirs.
        QVERIFY(panel->stale());
        QVERIFY(!adopt->isEnabled());
    }

    // Esc stops a search that runs (a fine step: many candidates), the
    // window stays; an input that cannot be read is told, nothing searched.
    void escapeStopsASearchAndBadInputsAreTold() {
        auto w = Calculated(s_->m, 1);
        QVERIFY(w);
        RecommendPanel* panel = FromSection(*w);
        QVERIFY(panel && Searched(*panel));
        // The section window's 地区 reaches the search: it alone moves p, so every check.
        auto* region = w->findChild<SectionWindow*>()->findChild<QComboBox*>("Region");
        region->setCurrentIndex(1);
        emit region->activated(1);
        QVERIFY(panel->stale());
        hydraulics::DesignConditions fine;
        fine.widthStep = 0.001;
        panel->setConditions(fine);
        hydraulics::ConnectionInput canals; // and the slope searched too: seconds of work
        canals.upstream = canals.downstream = {2, 1.5, 0.025, 4000};
        canals.allowedDrop = 0.3;
        panel->setConnection(canals);
        QVERIFY(panel->stale());
        panel->startSearch();
        QVERIFY(panel->running());
        panel->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel->window()));
        QTest::keyClick(panel->window(), Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !panel->running(); }, kSearchMs));
        QVERIFY(panel->window()->isVisible());
        QVERIFY(Text(*panel, "RecommendMessage").contains(QStringLiteral("比选已取消")));
        QVERIFY(panel->stale()); // the earlier search stays shown, not the step's

        Box(*w, 6)->setText(QStringLiteral("abc"));
        Click(Button(*w, 5)); // 方案比选 reads the boxes as they stand
        panel->startSearch();
        QVERIFY(!panel->running());
        QVERIFY(Text(*panel, "RecommendMessage").contains(QStringLiteral("糙率")));
    }
};

QTEST_MAIN(TestRecommendPanel)
#include "test_recommendpanel.moc"
