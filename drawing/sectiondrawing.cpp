// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/sectiondrawing.h"

#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"

#include <QPainter>
#include <algorithm>

namespace drawing {
namespace {

using namespace drawing;

// The canvas and its parts, canvas units.
constexpr double kWidth = 860, kHeight = 1076;
const QRectF kTitleBox(0, 8, kWidth, 30);
const QRectF kSubtitleBox(0, 38, kWidth, 22);
const QRectF kSectionBox(10, 72, 530, 410);
const QRectF kTableBox(554, 72, 296, 410);
const QRectF kChecksBox(10, 490, 840, 286); // six rows, the net depth's wrapped
const QRectF kChartBox(10, 780, 840, 288);

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

QSizeF SectionCanvasSize() {
    return {kWidth, kHeight};
}

void PaintSectionFigure(QPainter& painter, const QRectF& target,
                        const std::optional<SectionFigure>& figure) {
    painter.save();
    // The canvas, scaled uniformly into the target and centred in it.
    const double scale = std::min(target.width() / kWidth, target.height() / kHeight);
    painter.translate(target.center() - QPointF(kWidth, kHeight) * scale / 2);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(0, 0, kWidth, kHeight));

    painter.setPen(kInk);
    painter.setFont(HeiTiPx(20));
    painter.drawText(kTitleBox, Qt::AlignCenter, QStringLiteral("断面及水力要素"));
    if (!figure) {
        painter.setFont(SongTiPx(15));
        painter.drawText(
            QRectF(40, 0, kWidth - 80, kHeight / 2), Qt::AlignCenter | Qt::TextWordWrap,
            QStringLiteral("暂无计算成果（尚未计算，或上次计算没有成功）。\n"
                           "计算成功后，这里显示断面、水力要素、设计校核和水深—流量关系曲线。"));
        painter.restore();
        return;
    }
    painter.setFont(SongTiPx(14));
    painter.drawText(kSubtitleBox, Qt::AlignCenter, Subtitle(*figure));

    const hydraulics::HydraulicElements elements = hydraulics::ComputeElements(figure->point);
    const hydraulics::DesignChecks checks =
        hydraulics::CheckDesign(figure->point, figure->length, figure->increasePercent);
    PaintSectionPanel(painter, kSectionBox, figure->point, elements, {checks.H, checks.hinc});
    PaintElementTable(painter, kTableBox, elements);
    PaintCheckTable(painter, kChecksBox, checks);
    PaintRatingChart(painter, kChartBox, figure->point);
    painter.restore();
}

} // namespace drawing
