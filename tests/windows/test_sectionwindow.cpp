// "断面及水力要素" as the user reaches it: Command4 of a case window, the
// drawing after each calculation, cleared after a failure, and printed.
#include "drawing/axisscale.h"
#include "drawing/sectiondrawing.h"
#include "hydraulics/numtext.h"
#include "window_test_support.h"
#include "windows/appearance.h"
#include "windows/sectionwindow.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPointer>

using hydraulics::Module1;

namespace {

// Command4 clicked: the section window, shown and exposed.
SectionWindow* OpenSection(CaseWindow& w) {
    Click(Button(w, 4));
    auto* section = w.findChild<SectionWindow*>();
    return section && QTest::qWaitForWindowExposed(section) ? section : nullptr;
}

// Pixels of the water's colour.
int WaterPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(150, 200, 245);
    return count;
}

int WaterPixels(SectionWindow& section) {
    return WaterPixels(section.findChild<QWidget*>(QStringLiteral("Picture1"))->grab().toImage());
}

// The quantity each case solves for, as Text13 shows it.
QString Found(const drawing::SectionFigure& figure) {
    const hydraulics::DesignPoint& p = figure.point;
    const double found[] = {p.B, p.x, p.h, p.Q};
    return QString::fromStdString(hydraulics::FormatSingle(float(found[figure.caseNo - 1])));
}

} // namespace

class TestSectionWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Fresh> s_;

private slots:
    void initTestCase() { drawing::InstallChineseFonts(); }
    void init() {
        s_ = std::make_unique<Fresh>();
        QVERIFY(s_->dir.made);
    }

    void appearsAfterCalculation() {
      for (int caseNo = 1; caseNo <= 4; ++caseNo) {
        auto w = Open(s_->m, caseNo);
        QVERIFY(w);
        QVERIFY(!Button(*w, 4)->isEnabled()); // nothing to draw yet
        TypeInputs(*w, Example(caseNo).inputs);
        Click(Button(*w, 2));
        QVERIFY(Button(*w, 4)->isEnabled());

        SectionWindow* section = OpenSection(*w);
        QVERIFY(section && section->isWindow() && section->figure());
        QCOMPARE(section->windowTitle(), QStringLiteral("断面及水力要素"));
        QCOMPARE(section->figure()->caseNo, caseNo);
        QCOMPARE(Found(*section->figure()), Box(*w, 13)->text());
        QVERIFY(WaterPixels(*section) > 1000);
        // A second click brings the same window forward.
        section->hide();
        QCOMPARE(OpenSection(*w), section);
        QCOMPARE(w->findChildren<SectionWindow*>().size(), 1);
      }
    }

    // Another calculation redraws the section; a failed one clears it.
    void refreshesThenClears() {
        auto w = Calculated(s_->m, 3);
        QVERIFY(w);
        SectionWindow* section = OpenSection(*w);
        QVERIFY(section);
        const QImage before = section->grab().toImage();
        TypeInputs(*w, {"2"}); // twice the discharge: deeper water
        Click(Button(*w, 2));
        QCOMPARE(Found(*section->figure()), Box(*w, 13)->text());
        QVERIFY(section->figure()->point.h > 0.71);
        QVERIFY(section->grab().toImage() != before);

        TypeInputs(*w, {"0"}); // no discharge: no depth is found
        ModalCatcher catcher;
        Click(Button(*w, 2));
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY(!Button(*w, 4)->isEnabled());
        QVERIFY(!section->figure());
        QCOMPARE(WaterPixels(*section), 0);
    }

    // Two case windows share the state: each section shows the design point
    // its own calculation left, whatever the other computes later.
    void keepsItsOwnCalculation() {
        auto form2 = Calculated(s_->m, 1);
        auto form5 = Calculated(s_->m, 4);
        QVERIFY(form2 && form5);
        SectionWindow* first = OpenSection(*form2);
        SectionWindow* second = OpenSection(*form5);
        QVERIFY(first && second && first != second);
        QCOMPARE(Found(*first->figure()), QStringLiteral("1.912109"));
        QCOMPARE(Found(*second->figure()), Box(*form5, 13)->text());
        // Printed without a print server: a PDF named after project and window.
        ModalCatcher catcher;
        Click(Button(*second, 1));
        const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("渡槽Form5断面图.pdf"));
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts[0].contains(pdf), qPrintable(catcher.texts[0]));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        // The section goes with its case window.
        QPointer<SectionWindow> gone(second);
        form5.reset();
        QVERIFY(!gone);
    }

    void drawsWithoutFigure() {
        // The routine alone: no figure, and figures it cannot draw to scale,
        // give a page with no water and no failure.
        QImage image(drawing::SectionCanvasSize().toSize(), QImage::Format_RGB32);
        using Figure = std::optional<drawing::SectionFigure>;
        for (const Figure& figure :
             {Figure{}, Figure{{{0, 1, 1, 1000, 0.014}, 4}}, Figure{{{2, 1, 0, 1000, 0.014}, 4}},
              Figure{{{2, 1, 1, 0, 0}, 4}}}) {
            image.fill(Qt::white);
            QPainter painter(&image);
            drawing::PaintSectionFigure(painter, QRectF(image.rect()), figure);
            painter.end();
            QCOMPARE(WaterPixels(image) > 0, figure && figure->point.B > 0);
        }
    }

    void axisScale() {
        struct Row {
            double dataMax, max, step;
            int decimals;
        };
        for (const Row& r : {Row{7.6, 8, 2, 0}, Row{1.2, 1.25, 0.25, 2}, Row{2.25, 2.5, 0.5, 1},
                             Row{0.0031, 0.004, 0.001, 3}, Row{0, 1, 1, 0}}) {
            const drawing::AxisScale axis = drawing::NiceAxis(r.dataMax);
            QCOMPARE(axis.max, r.max);
            QCOMPARE(axis.step, r.step);
            QCOMPARE(axis.decimals, r.decimals);
        }
    }
};

QTEST_MAIN(TestSectionWindow)
#include "test_sectionwindow.moc"
