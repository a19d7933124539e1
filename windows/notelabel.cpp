// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/notelabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace windows {

namespace {

// Pixels at most between two letters of a note spread to meet its "～".
constexpr qreal kMaxSpreadPx = 3;

} // namespace

NoteLabel::NoteLabel(const QString& text, QWidget* parent, bool meetsNext)
    : QLabel(text, parent), meetsNext_(meetsNext) {
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
    const QString shown = shownText();
    const QRect box = contentsRect();
    if (!meetsNext_ || shown.trimmed().isEmpty()) {
        painter.drawText(box, int(alignment()), shown);
        return;
    }
    // The leading blanks at their own width, the words spread over the rest.
    qsizetype blanks = 0;
    while (blanks < shown.size() && shown.at(blanks) == QChar(0x2002))
        ++blanks;
    const QString lead = shown.left(blanks);
    const QString words = shown.mid(blanks);
    const QFontMetricsF metrics(font());
    const qreal indent = metrics.horizontalAdvance(lead);
    const qreal room = box.width() - indent - metrics.horizontalAdvance(words);
    QFont spread = font();
    spread.setLetterSpacing(QFont::AbsoluteSpacing,
                            qBound<qreal>(0, room / qreal(words.size()), kMaxSpreadPx));
    painter.setFont(spread);
    painter.drawText(box.adjusted(qRound(indent), 0, 0, 0), int(alignment()), words);
}

} // namespace windows
