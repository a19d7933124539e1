#include "windows/notelabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace windows {

NoteLabel::NoteLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

QString NoteLabel::shownText() const {
    return QString(text()).replace(QLatin1Char(' '), QChar(0x2002));
}

QSize NoteLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    const QMargins margins = contentsMargins();
    return {metrics.horizontalAdvance(shownText()) + margins.left() + margins.right(),
            metrics.height() + margins.top() + margins.bottom()};
}

void NoteLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), shownText());
}

} // namespace windows
