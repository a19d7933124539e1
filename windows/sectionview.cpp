#include "sectionview.h"

#include <QPainter>

SectionView::SectionView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    // Half the canvas is still legible; below that the labels crowd.
    setMinimumSize((windows::SectionCanvasSize() / 2).toSize());
}

void SectionView::setFigure(const std::optional<windows::SectionFigure>& figure) {
    figure_ = figure;
    update();
}

const std::optional<windows::SectionFigure>& SectionView::figure() const {
    return figure_;
}

QSize SectionView::sizeHint() const {
    return windows::SectionCanvasSize().toSize();
}

void SectionView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    windows::PaintSectionFigure(painter, QRectF(rect()), figure_);
}
