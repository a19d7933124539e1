// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sweepchartview.h"

#include <QPainter>
#include <utility>

namespace windows {

SweepChartView::SweepChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SweepChart"));
    setMinimumHeight(200);
}

void SweepChartView::setChart(drawing::SweepChart chart) {
    chart_ = std::move(chart);
    update();
}

const drawing::SweepChart& SweepChartView::chart() const {
    return chart_;
}

QSize SweepChartView::sizeHint() const {
    return {860, 250};
}

void SweepChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawing::PaintSweepChart(painter, QRectF(rect()), chart_);
}

} // namespace windows
