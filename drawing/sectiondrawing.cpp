// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/sectiondrawing.h"

#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"

#include <QPainter>
#include <algorithm>

namespace drawing {
namespace {

using namespace drawing;

// The canvas and its parts, canvas units; the checks, the adopted section
// and the chart stack under the section as tall as they need.
constexpr double kWidth = 860, kEmptyHeight = 1076;
const QRectF kTitleBox(0, 8, kWidth, 30);
const QRectF kSubtitleBox(0, 38, kWidth, 22);
const QRectF kSectionBox(10, 72, 530, 410);
const QRectF kTableBox(554, 72, 296, 410);
constexpr double kChecksTop = 490, kPartWidth = 840, kPartLeft = 10, kGap = 10;
constexpr double kChartHeight = 288;

// Where the checks, the adopted section and the chart stand.
struct Stack {
    QRectF checks, adopted, chart;
    double height;
};

Stack Layout(const SectionFigure& figure) {
    Stack s;
    double top = kChecksTop;
    if (const hydraulics::Design* d = figure.design.get()) {
        s.checks = QRectF(kPartLeft, top, kPartWidth, CheckTableHeight(kPartWidth, d->rows));
        top = s.checks.bottom() + kGap;
        const double adopted = AdoptedPanelHeight(kPartWidth, *d);
        s.adopted = QRectF(kPartLeft, top, kPartWidth, adopted);
        if (adopted > 0)
            top = s.adopted.bottom() + kGap;
    }
    s.chart = QRectF(kPartLeft, top, kPartWidth, kChartHeight);
    s.height = s.chart.bottom() + 8;
    return s;
}

QString Subtitle(const SectionFigure& figure) {
    const hydraulics::DesignPoint& p = figure.point;
    QString text = QStringLiteral("情况 %1：B = %2 m，h = %3 m，Q = %4 m³/s，i = 1/%5，n = %6")
                       .arg(figure.caseNo)
                       .arg(Fixed3(p.B), Fixed3(p.h), Fixed3(p.Q), QString::number(p.x, 'g', 7),
                            QString::number(p.n, 'g', 7));
    if (figure.length > 0)
        text += QStringLiteral("，L = %1 m").arg(QString::number(figure.length, 'g', 7));
    return text;
}

} // namespace

QSizeF SectionCanvasSize(const std::optional<SectionFigure>& figure) {
    return {kWidth, figure ? Layout(*figure).height : kEmptyHeight};
}

void PaintSectionFigure(QPainter& painter, const QRectF& target,
                        const std::optional<SectionFigure>& figure) {
    painter.save();
    // The canvas, scaled uniformly into the target and centred in it.
    const QSizeF canvas = SectionCanvasSize(figure);
    const double scale =
        std::min(target.width() / canvas.width(), target.height() / canvas.height());
    painter.translate(target.center() - QPointF(canvas.width(), canvas.height()) * scale / 2);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(QPointF(0, 0), canvas));

    painter.setPen(kInk);
    painter.setFont(HeiTiPx(20));
    painter.drawText(kTitleBox, Qt::AlignCenter, QStringLiteral("断面及水力要素"));
    if (!figure) {
        painter.setFont(SongTiPx(15));
        painter.drawText(
            QRectF(40, 0, kWidth - 80, kEmptyHeight / 2), Qt::AlignCenter | Qt::TextWordWrap,
            QStringLiteral("暂无计算成果（尚未计算，或上次计算没有成功）。\n"
                           "计算成功后，这里显示断面、水力要素、设计校核和水深—流量关系曲线。"));
        painter.restore();
        return;
    }
    painter.setFont(SongTiPx(14));
    painter.drawText(kSubtitleBox, Qt::AlignCenter, Subtitle(*figure));

    const Stack stack = Layout(*figure);
    const hydraulics::Design* d = figure->design.get();
    const hydraulics::HydraulicElements elements =
        d ? d->elements : hydraulics::ComputeElements(figure->point);
    SectionMarks marks;
    if (d) {
        marks.netDepth = d->checks.H;
        marks.increasedDepth = d->checks.hinc;
    }
    PaintSectionPanel(painter, kSectionBox, figure->point, elements, marks);
    PaintElementTable(painter, kTableBox, elements);
    if (d) {
        PaintCheckTable(painter, stack.checks, d->rows,
                        QStringLiteral("设计校核（GB 50288-2018，计算断面）"));
        PaintAdoptedPanel(painter, stack.adopted, *d);
    }
    PaintRatingChart(painter, stack.chart, figure->point);
    painter.restore();
}

} // namespace drawing
