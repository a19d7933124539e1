// "断面及水力要素" as the user reaches it: Command4 of a case window, the
// drawing after each calculation, cleared after a failure, and printed.
#include "drawing/axisscale.h"
#include "drawing/sectiondrawing.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/numtext.h"
#include "window_test_support.h"
#include "windows/appearance.h"
#include "windows/sectionwindow.h"

#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <cmath>

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

    std::unique_ptr<TemporaryCurrentDir> dir_;
    Module1 m_;

private slots:
    void initTestCase() { drawing::InstallChineseFonts(); }
    void init() {
        dir_ = std::make_unique<TemporaryCurrentDir>();
        QVERIFY(dir_->made);
        m_ = Module1{};
        m_.ProjectMode = 1;
        m_.ProjectName = "渡槽";
    }

    void appearsAfterCalculation_data() {
        QTest::addColumn<int>("caseNo");
        for (int c = 1; c <= 4; ++c)
            QTest::addRow("case %d", c) << c;
    }
    void appearsAfterCalculation() {
        QFETCH(int, caseNo);
        auto w = Open(m_, caseNo);
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

    // Another calculation redraws the section; a failed one clears it.
    void refreshesThenClears() {
        auto w = Calculated(m_, 3);
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

    // "计算书" writes the report of the calculation shown, from the inputs
    // as typed: case 2 leaves its own head Z2 + K in the shared state, and
    // the report must show the given Z = 0.2. Refused after a failure, and
    // a file that cannot be written is named in a message.
    void writesReport() {
        auto w = Calculated(m_, 2);
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

    // Two case windows share the state: each section shows the design point
    // its own calculation left, whatever the other computes later.
    void keepsItsOwnCalculation() {
        auto form2 = Calculated(m_, 1);
        auto form5 = Calculated(m_, 4);
        QVERIFY(form2 && form5);
        SectionWindow* first = OpenSection(*form2);
        SectionWindow* second = OpenSection(*form5);
        QVERIFY(first && second && first != second);
        QCOMPARE(Found(*first->figure()), QStringLiteral("1.912109"));
        QCOMPARE(Found(*second->figure()), Box(*form5, 13)->text());
        // Printed without a print server: a PDF named after project and case.
        ModalCatcher catcher;
        Click(Button(*second, 1));
        const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("渡槽情况4断面图.pdf"));
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts[0].contains(pdf), qPrintable(catcher.texts[0]));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        // The section goes with its case window.
        QPointer<SectionWindow> gone(second);
        form5.reset();
        QVERIFY(!gone);
    }

    // p starts at table 6.3.4's default for each calculation; another p
    // redraws the checks at once (p = 0: H₂ = h加 + 0.10 ≈ h + 0.10).
    void increaseRedrawsTheChecks() {
        auto w = Calculated(m_, 1);
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

using namespace windows;
