// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sectionview.h"

#include <QPainter>

namespace windows {

SectionView::SectionView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    // Half the canvas is still legible; below that the labels crowd.
    setMinimumSize((drawing::SectionCanvasSize() / 2).toSize());
}

void SectionView::setFigure(const std::optional<drawing::SectionFigure>& figure) {
    figure_ = figure;
    update();
}

const std::optional<drawing::SectionFigure>& SectionView::figure() const {
    return figure_;
}

QSize SectionView::sizeHint() const {
    return drawing::SectionCanvasSize().toSize();
}

void SectionView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    drawing::PaintSectionFigure(painter, QRectF(rect()), figure_);
}

} // namespace windows
