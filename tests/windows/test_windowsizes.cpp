// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on the screen of the run, which CMake sets up twice: a small
// screen (1366 × 768) and 200 % (1920 × 1080 at QT_SCALE_FACTOR=2, 960 × 540
// logical pixels). The section window scrolls its drawing at the drawing's
// own size, whose text is never smaller than the windows' smallest and
// grows with the interface; the connection window's tables never scroll
// sideways; every window fits the screen.
#include "drawing/chinesefonts.h"
#include "drawing/sectiondrawing.h"
#include "window_test_support.h"
#include "windows/connectionwindow.h"
#include "windows/look.h"
#include "windows/sectionview.h"
#include "windows/sectionwindow.h"
#include "windows/sweepwindow.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>

namespace {

// The smallest text the drawing sets, in canvas units (pixels at 96 dpi),
// and the windows' own smallest, in points: the case windows' headers,
// notes and boxes.
constexpr double kDrawingTextUnits = 13;
constexpr double kWindowTextPoints = 9;

QSize Room() {
    return QGuiApplication::primaryScreen()->availableGeometry().size();
}

bool Fits(const QWidget& window) {
    return window.frameGeometry().size().boundedTo(Room()) == window.frameGeometry().size();
}

} // namespace

class TestWindowSizes : public QObject {
    Q_OBJECT

    std::unique_ptr<Fresh> s_;
    std::unique_ptr<CaseWindow> w_;
    SectionWindow* section_ = nullptr;

private slots:
    void initTestCase() {
        drawing::InstallChineseFonts();
        const QScreen* screen = QGuiApplication::primaryScreen();
        qInfo("screen %dx%d logical pixels, device pixel ratio %g", screen->size().width(),
              screen->size().height(), screen->devicePixelRatio());
        s_ = std::make_unique<Fresh>();
        QVERIFY(s_->made);
        w_ = Calculated(s_->m, 1);
        QVERIFY(w_ && Fits(*w_));
        Click(Button(*w_, 4));
        section_ = w_->findChild<SectionWindow*>();
        QVERIFY(section_ && QTest::qWaitForWindowExposed(section_));
    }
    void cleanupTestCase() { w_.reset(); }

    // The drawing at no less than its natural size, scrolled up and down
    // where the window is lower, never sideways; its smallest text in device
    // pixels no smaller than the windows' smallest; the buttons in view.
    void sectionDrawing() {
        QVERIFY(Fits(*section_));
        auto* scroll = section_->findChild<QScrollArea*>("SectionScroll");
        QWidget* view = section_->findChild<QWidget*>("Picture1");
        const auto* shown = qobject_cast<SectionView*>(view);
        const QSizeF canvas = drawing::SectionCanvasSize(shown ? shown->figure() : std::nullopt);
        const double scale =
            std::min(view->width() / canvas.width(), view->height() / canvas.height());
        const double ratio = view->devicePixelRatioF();
        const double drawingText = kDrawingTextUnits * scale * ratio;
        const double windowText = QFontInfo(SongTi(kWindowTextPoints)).pixelSize() * ratio;
        qInfo("section window %dx%d, drawing %dx%d (scale %.3f), smallest text %.1f device px, "
              "windows' smallest %.1f device px",
              section_->width(), section_->height(), view->width(), view->height(), scale,
              drawingText, windowText);
        QVERIFY(scale >= 1);
        QVERIFY(drawingText >= windowText);
        QCOMPARE(view->grab().size(), view->size() * ratio); // drawn at the device's own pixels
        QCOMPARE(scroll->verticalScrollBar()->isVisible(),
                 view->height() > scroll->viewport()->height());
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        for (const char* button : {"Command1", "Command2", "Command3", "SweepCommand"})
            QVERIFY(
                section_->rect().contains(section_->findChild<QPushButton*>(button)->geometry()));
    }

    // Both tables read whole at the window's size: no sideways scrolling,
    // every row as tall as its wrapped lines.
    void connectionTables() {
        Click(section_->findChild<QPushButton*>("Command3"));
        auto* c = section_->findChild<ConnectionWindow*>();
        QVERIFY(c && QTest::qWaitForWindowExposed(c) && Fits(*c));
        const QStringList keys = {"upstream_b",   "upstream_m",   "upstream_n",   "upstream_x",
                                  "upstream_bed", "downstream_b", "downstream_m", "downstream_n",
                                  "downstream_x", "allowed_drop", "bend_radius"};
        const QStringList values = {"2",   "1.5",   "0.025", "4000", "100", "2",
                                    "1.5", "0.025", "4000",  "0.01", "30"};
        for (int k = 0; k < keys.size(); ++k)
            c->findChild<QLineEdit*>(keys[k])->setText(values[k]);
        Click(c->findChild<QPushButton*>("Command1"));
        QVERIFY(c->connection());
        QTest::qWait(50); // the headers lay their sections out when shown
        for (const char* name : {"figures", "checks"}) {
            auto* table = c->findChild<QTableWidget*>(name);
            qInfo("connection window %dx%d, table %s %dx%d", c->width(), c->height(), name,
                  table->width(), table->height());
            QVERIFY2(!table->horizontalScrollBar()->isVisible(), name);
            QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
            for (int r = 0; r < table->rowCount(); ++r) {
                const QAbstractItemView* view = table;
                QVERIFY2(view->sizeHintForRow(r) <= table->rowHeight(r),
                         qPrintable(QStringLiteral("%1 row %2: %3 > %4")
                                        .arg(name)
                                        .arg(r)
                                        .arg(view->sizeHintForRow(r))
                                        .arg(table->rowHeight(r))));
            }
        }
    }

    // 方案比选 fits as well.
    void sweepWindow() {
        Click(Button(*w_, 5));
        auto* sweep = w_->findChild<SweepWindow*>();
        QVERIFY(sweep && QTest::qWaitForWindowExposed(sweep) && Fits(*sweep));
    }
};

QTEST_MAIN(TestWindowSizes)
#include "test_windowsizes.moc"
