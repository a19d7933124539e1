// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/wrappedlabel.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace windows {

WrappedLabel::WrappedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void WrappedLabel::paintEvent(QPaintEvent* /*event*/) {
    // Lines break at word boundaries or, in Chinese text, between any two
    // characters; blanks at the end of a line hang past it, so a run of
    // blanks places the break.
    QTextLayout layout(text(), font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    // One em plus one pixel per line: room for the glyphs of the face,
    // none for its leading.
    const qreal em = QFontInfo(font()).pixelSize();
    const qreal step = em + 1;
    const QRect area = contentsRect();
    qreal y = area.top();
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        // The baseline 0.88 em below the line's top, as in the design
        // faces; the Noto faces' taller ascent would sink the lines.
        line.setPosition(QPointF(area.left(), y - std::max(0.0, line.ascent() - 0.88 * em)));
        y += step;
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, QPointF(0, 0));
}

} // namespace windows
