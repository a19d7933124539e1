// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/feasiblechartview.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <utility>

namespace windows {

FeasibleChartView::FeasibleChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FeasibleChart"));
    setMinimumHeight(160);
}

void FeasibleChartView::setChart(drawing::FeasibleChart chart) {
    chart_ = std::move(chart);
    update();
}

const drawing::FeasibleChart& FeasibleChartView::chart() const {
    return chart_;
}

QSize FeasibleChartView::sizeHint() const {
    return {860, 320};
}

void FeasibleChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawing::PaintFeasibleChart(painter, QRectF(rect()), chart_);
}

bool FeasibleChartView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<std::size_t> k =
        drawing::FeasibleDotAt(QRectF(rect()), chart_, help->pos());
    if (!k) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const drawing::FeasibleDot& d = chart_.dots[*k];
    QString verdict = d.kind == drawing::kFeasibleDot ? QStringLiteral("满足全部校核")
                      : d.kind == drawing::kNoSectionDot
                          ? QStringLiteral("不能形成正常水深")
                          : chart_.kinds[std::size_t(d.kind)] + QStringLiteral("不满足");
    QToolTip::showText(help->globalPos(),
                       QStringLiteral("B = %1 m，i = 1/%2：%3")
                           .arg(d.B, 0, 'g', 6)
                           .arg(d.x, 0, 'g', 7)
                           .arg(verdict),
                       this);
    return true;
}

} // namespace windows
