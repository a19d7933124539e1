// SPDX-License-Identifier: GPL-3.0-or-later
// The labels of the report's figures and of the 方案比选 chart, placed by
// drawing's label placer: for each figure of a matrix of designs, no two
// label boxes meet, none leaves its plot and none lies on a drawn line.
#include "drawing/labelplacer.h"
#include "drawing/sweepchart.h"
#include "report/figures.h"
#include "report/reportcontent.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using drawing::LabelLog;

class Labels : public testing::Test {
protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_labels";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }

    // The figures' label boxes and lines, as painted on a page.
    static void Check(const LabelLog& log, const std::string& what) {
        ASSERT_FALSE(log.figures.empty()) << what;
        for (const LabelLog::Figure& f : log.figures) {
            for (std::size_t a = 0; a < f.labels.size(); ++a) {
                const QRectF& box = f.labels[a];
                EXPECT_TRUE(f.plot.adjusted(-0.01, -0.01, 0.01, 0.01).contains(box)) << what << a;
                for (std::size_t b = a + 1; b < f.labels.size(); ++b)
                    EXPECT_FALSE(box.intersects(f.labels[b])) << what << a << " " << b;
                for (const QPolygonF& line : f.lines)
                    for (qsizetype k = 0; k + 1 < line.size(); ++k)
                        EXPECT_FALSE(drawing::SegmentMeetsBox(line[k], line[k + 1], box))
                            << what << " label " << a;
            }
        }
    }
};

TEST_F(Labels, ReportFiguresOfTheMatrix) {
    hydraulics::ConnectionInput canals;
    canals.upstream = {2, 1.5, 0.025, 4000};
    canals.downstream = {2, 1.5, 0.025, 4000};
    canals.upstreamBed = 100;
    canals.allowedDrop = 0.3;
    hydraulics::ConnectionInput bend = canals;
    bend.grade = 2;
    bend.bendRadius = 40;
    struct Design {
        int caseNo;
        std::array<float, 8> inputs;
        std::optional<hydraulics::ConnectionInput> connection;
    };
    const Design designs[] = {
        {1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}, canals},
        {1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}, bend},
        {2, {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f}, {}},
        {3, {4, 100, 1.9f, 1000, 1, 0.014f, 0.25f, 0.4f}, canals},
        {4, {1.5f, 100, 1.9f, 1000, 1, 0.014f, 0.25f, 0.4f}, {}},
        {1, {4, 100, 1.2f, 600, 1, 0.014f, 0.25f, 0.4f}, {}},
        {1, {4, 100, 1.2f, 600, 2.5f, 0.014f, 0.25f, 0.4f}, bend},
        {3, {0.5f, 100, 2, 8000, 0.2f, 0.014f, 0.25f, 0.4f}, {}}, // deep below half full
    };
    for (const Design& d : designs) {
        report::ReportRequest request{"", d.caseNo, d.inputs};
        request.connection = d.connection;
        const report::ReportContent content = report::ComposeReport(request);
        report::FigureData data = report::FiguresOf(content, report::ReportLatinFaces());
        LabelLog log;
        data.marks.labels = &log;
        data.chart.labels = &log;
        QImage page(800, 600, QImage::Format_RGB32);
        QPainter painter(&page);
        for (report::Figure figure :
             {report::Figure::Section, report::Figure::Rating, report::Figure::Profile})
            report::PaintFigure(painter, QRectF(0, 0, 800, 600), figure, data);
        Check(log, "case " + std::to_string(d.caseNo) + ": ");
        EXPECT_EQ(log.figures.size(), d.connection ? 3u : 2u); // section, curve, profile
    }
}

// The 方案比选 chart, wide and narrow: tick numbers, axis title and legend.
TEST_F(Labels, SweepChartWideAndNarrow) {
    drawing::SweepChart chart{QStringLiteral("槽内水深 h (m)"), {}};
    for (int k = 0; k < 13; ++k)
        chart.points.push_back({1.05 + 0.075 * k, 0.6 + 0.03 * k, 2.2 - 0.08 * k, k % 3 == 0});
    for (const double width : {900.0, 420.0}) {
        LabelLog log;
        QImage image(int(width), 300, QImage::Format_RGB32);
        QPainter painter(&image);
        drawing::PaintSweepChart(painter, QRectF(0, 0, width, 300), chart, &log);
        Check(log, "width " + std::to_string(int(width)) + ": ");
        EXPECT_GE(log.figures.front().labels.size(), 3u + 2u); // legend and axis title at least
    }
}

} // namespace
