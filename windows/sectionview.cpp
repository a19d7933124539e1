// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sectionview.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace windows {

namespace {
constexpr double kCanvasDpi = 96; // the canvas's unit is a pixel at this resolution
} // namespace

SectionView::SectionView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void SectionView::setFigure(const std::optional<drawing::SectionFigure>& figure) {
    figure_ = figure;
    updateGeometry(); // as tall as its checks and adopted section need
    update();
}

const std::optional<drawing::SectionFigure>& SectionView::figure() const {
    return figure_;
}

QSize SectionView::sizeHint() const {
    const double scale = std::max(1.0, logicalDpiY() / kCanvasDpi);
    const QSizeF size = drawing::SectionCanvasSize(figure_) * scale;
    return {int(std::ceil(size.width())), int(std::ceil(size.height()))}; // never below scale 1
}

QSize SectionView::minimumSizeHint() const {
    return sizeHint();
}

void SectionView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    drawing::PaintSectionFigure(painter, QRectF(rect()), figure_);
}

} // namespace windows
