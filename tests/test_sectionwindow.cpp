// "断面及水力要素" as the user reaches it: Command4 of a case window, the
// drawing after each calculation, cleared after a failure, and printed.
#include "appearance.h"
#include "axisscale.h"
#include "casewindow.h"
#include "module1.h"
#include "numtext.h"
#include "sectiondrawing.h"
#include "sectionwindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using hydraulics::Module1;

namespace {

// Answers every modal message box while it lives, noting its text.
class ModalCatcher : public QObject {
public:
    ModalCatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            box->buttons().value(0)->click();
        });
        timer_.start(20);
    }
    QStringList texts;

private:
    QTimer timer_;
};

QLineEdit* Box(QWidget& w, int number) {
    return w.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
}

QPushButton* Button(QWidget& w, int number) {
    return w.findChild<QPushButton*>(QStringLiteral("Command%1").arg(number),
                                     Qt::FindDirectChildrenOnly);
}

void TypeInputs(QWidget& w, const QStringList& inputs) {
    for (int k = 0; k < inputs.size(); ++k) {
        QLineEdit* box = Box(w, k + 1);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, inputs[k]);
    }
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

// Command4 clicked: the section window, shown and exposed.
SectionWindow* OpenSection(CaseWindow& w) {
    QTest::mouseClick(Button(w, 4), Qt::LeftButton);
    auto* section = w.findChild<SectionWindow*>();
    if (!section || !QTest::qWaitForWindowExposed(section))
        return nullptr;
    return section;
}

// Pixels of the water's colour.
int WaterPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(150, 200, 245);
    return count;
}

// ... in the drawing as displayed.
int WaterPixels(SectionWindow& section) {
    return WaterPixels(section.findChild<QWidget*>(QStringLiteral("Picture1"))->grab().toImage());
}

const QStringList kExamples[] = {
    {"4", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"},
    {"4", "100", "1.5", "0.2", "1", "0.014", "0.25", "0.4"},
    {"1", "100", "1.6", "1000", "0.8", "0.014", "0.2", "0.3"},
    {"1", "100", "2", "1000", "1", "0.014", "0.2", "0.3"},
};

// The quantity each case solves for, as Text13 shows it.
QString Found(const windows::SectionFigure& figure) {
    const hydraulics::DesignPoint& p = figure.point;
    const double found[] = {p.B, p.x, p.h, p.Q};
    return QString::fromStdString(hydraulics::FormatSingle(float(found[figure.caseNo - 1])));
}

} // namespace

class TestSectionWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallChineseFonts(); }
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(QDir::setCurrent(dir_->path()));
        m_ = Module1{};
        m_.ProjectMode = 1;
        m_.ProjectName = "渡槽";
    }

    void command4BesideCommand3_data();
    void command4BesideCommand3();
    void appearsAfterCalculation_data();
    void appearsAfterCalculation();
    void refreshesAfterAnother();
    void clearsAfterFailure();
    void keepsItsOwnCalculation();
    void printsToPdf();
    void drawsWithoutFigure();
    void axisScale_data();
    void axisScale();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    Module1 m_;
};

void TestSectionWindow::command4BesideCommand3_data() {
    QTest::addColumn<int>("caseNo");
    for (int c = 1; c <= 4; ++c)
        QTest::addRow("Form%d", c + 1) << c;
}

void TestSectionWindow::command4BesideCommand3() {
    QFETCH(int, caseNo);
    auto w = Open(m_, caseNo);
    QVERIFY(w);
    QPushButton* command3 = Button(*w, 3);
    QPushButton* command4 = Button(*w, 4);
    QVERIFY(command4);
    QCOMPARE(command4->text(), QStringLiteral("断面图"));
    QCOMPARE(command4->font(), command3->font());
    QCOMPARE(command4->geometry().top(), command3->geometry().top());
    QCOMPARE(command4->height(), command3->height());
    QVERIFY(command4->geometry().left() > command3->geometry().right() + 8);
    QVERIFY(command4->geometry().right() < w->width());
    QVERIFY(command4->width() >= command4->sizeHint().width() - 12); // the caption fits
    QVERIFY(!command4->isEnabled());
    QVERIFY(!w->findChild<SectionWindow*>());
}

void TestSectionWindow::appearsAfterCalculation_data() {
    QTest::addColumn<int>("caseNo");
    for (int c = 1; c <= 4; ++c)
        QTest::addRow("case %d", c) << c;
}

void TestSectionWindow::appearsAfterCalculation() {
    QFETCH(int, caseNo);
    auto w = Open(m_, caseNo);
    QVERIFY(w);
    TypeInputs(*w, kExamples[caseNo - 1]);
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QVERIFY(Button(*w, 4)->isEnabled());

    SectionWindow* section = OpenSection(*w);
    QVERIFY(section);
    QCOMPARE(section->windowTitle(), QStringLiteral("断面及水力要素"));
    QVERIFY(section->isWindow());
    QVERIFY(section->figure());
    QCOMPARE(section->figure()->caseNo, caseNo);
    QCOMPARE(Found(*section->figure()), Box(*w, 13)->text());
    QVERIFY(WaterPixels(*section) > 2000);
    QCOMPARE(Button(*section, 1)->text(), QStringLiteral("打印"));

    // A second click brings the same window forward.
    section->hide();
    QCOMPARE(OpenSection(*w), section);
    QCOMPARE(w->findChildren<SectionWindow*>().size(), 1);
}

void TestSectionWindow::refreshesAfterAnother() {
    auto w = Open(m_, 3);
    QVERIFY(w);
    TypeInputs(*w, kExamples[2]);
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    SectionWindow* section = OpenSection(*w);
    QVERIFY(section);
    QCOMPARE(section->figure()->point.h, double(0.71f));
    const QImage before = section->grab().toImage();

    TypeInputs(*w, {"2"}); // twice the discharge: deeper water
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QVERIFY(section->isVisible());
    QCOMPARE(Found(*section->figure()), Box(*w, 13)->text());
    QVERIFY(section->figure()->point.h > 0.71);
    QCOMPARE(section->figure()->point.Q, 2.0);
    QVERIFY(section->grab().toImage() != before);
}

void TestSectionWindow::clearsAfterFailure() {
    auto w = Open(m_, 1);
    QVERIFY(w);
    TypeInputs(*w, kExamples[0]);
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    SectionWindow* section = OpenSection(*w);
    QVERIFY(section);
    QVERIFY(WaterPixels(*section) > 0);

    // A division by zero in the calculation.
    TypeInputs(*w, {"4", "100", "1.5", "0"});
    {
        ModalCatcher catcher;
        QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
        QCOMPARE(catcher.texts.size(), 1);
    }
    QVERIFY(!Button(*w, 4)->isEnabled());
    QVERIFY(!section->figure());
    QCOMPARE(WaterPixels(*section), 0);

    // Good again, then a box that is not a number.
    TypeInputs(*w, kExamples[0]);
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    QVERIFY(Button(*w, 4)->isEnabled() && section->figure());
    TypeInputs(*w, {"abc"});
    {
        ModalCatcher catcher;
        QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
        QCOMPARE(catcher.texts.size(), 1);
    }
    QVERIFY(!Button(*w, 4)->isEnabled());
    QVERIFY(!section->figure());
}

void TestSectionWindow::keepsItsOwnCalculation() {
    // Two case windows share the state: each section shows the design point
    // its own calculation left, whatever the other computes afterwards.
    auto form2 = Open(m_, 1);
    auto form5 = Open(m_, 4);
    QVERIFY(form2 && form5);
    TypeInputs(*form2, kExamples[0]);
    QTest::mouseClick(Button(*form2, 2), Qt::LeftButton);
    TypeInputs(*form5, kExamples[3]);
    QTest::mouseClick(Button(*form5, 2), Qt::LeftButton);
    SectionWindow* first = OpenSection(*form2);
    SectionWindow* second = OpenSection(*form5);
    QVERIFY(first && second && first != second);
    QCOMPARE(first->figure()->point.h, 1.5);
    QCOMPARE(Found(*first->figure()), QStringLiteral("1.912109"));
    QCOMPARE(second->figure()->point.B, 2.0);
    QCOMPARE(Found(*second->figure()), Box(*form5, 13)->text());
    // The section goes with its case window.
    QPointer<SectionWindow> gone(second);
    form5.reset();
    QVERIFY(!gone);
}

void TestSectionWindow::printsToPdf() {
    // No print server in the test's environment: the page becomes a PDF.
    auto w = Open(m_, 4);
    QVERIFY(w);
    TypeInputs(*w, kExamples[3]);
    QTest::mouseClick(Button(*w, 2), Qt::LeftButton);
    SectionWindow* section = OpenSection(*w);
    QVERIFY(section);
    ModalCatcher catcher;
    QTest::mouseClick(Button(*section, 1), Qt::LeftButton);
    QCOMPARE(catcher.texts.size(), 1);
    const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("渡槽Form5断面图.pdf"));
    QVERIFY2(catcher.texts[0].contains(QDir::toNativeSeparators(pdf)),
             qPrintable(catcher.texts[0]));
    QVERIFY(QFileInfo(pdf).size() > 1000);
}

void TestSectionWindow::drawsWithoutFigure() {
    // The routine alone: no figure, and a figure it cannot draw to scale,
    // give a page with no water and no failure.
    QImage image(windows::SectionCanvasSize().toSize(), QImage::Format_RGB32);
    for (const auto& figure : {std::optional<windows::SectionFigure>{},
                               std::optional<windows::SectionFigure>{{{0, 1, 1, 1000, 0.014}, 4}},
                               std::optional<windows::SectionFigure>{{{2, 1, 0, 1000, 0.014}, 4}},
                               std::optional<windows::SectionFigure>{{{2, 1, 1, 0, 0}, 4}}}) {
        image.fill(Qt::white);
        QPainter painter(&image);
        windows::PaintSectionFigure(painter, QRectF(image.rect()), figure);
        painter.end();
        QCOMPARE(WaterPixels(image) > 0, figure && figure->point.B > 0);
    }
}

void TestSectionWindow::axisScale_data() {
    QTest::addColumn<double>("dataMax");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("decimals");
    QTest::newRow("8 m3/s") << 7.6 << 8.0 << 2.0 << 0;
    QTest::newRow("1.2 m") << 1.2 << 1.25 << 0.25 << 2;
    QTest::newRow("2.25 m") << 2.25 << 2.5 << 0.5 << 1;
    QTest::newRow("tiny") << 0.0031 << 0.004 << 0.001 << 3;
    QTest::newRow("nothing") << 0.0 << 1.0 << 1.0 << 0;
}

void TestSectionWindow::axisScale() {
    QFETCH(double, dataMax);
    const windows::AxisScale axis = windows::NiceAxis(dataMax);
    QTEST(axis.max, "max");
    QTEST(axis.step, "step");
    QTEST(axis.decimals, "decimals");
}

QTEST_MAIN(TestSectionWindow)
#include "test_sectionwindow.moc"
