// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/captionstyle.h"

#include "drawing/chinesefonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace windows {

namespace {
bool IsLiShu(const QFont& font) {
    return font.families().contains(drawing::FaceName(drawing::ChineseFace::LiShu));
}
} // namespace

void CaptionStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                const QPalette& palette, bool enabled, const QString& text,
                                QPalette::ColorRole textRole) const {
    const QFont font = painter->font();
    if (text.isEmpty() || text.contains(u'\n') || text.contains(u'&') || !IsLiShu(font)) {
        FocusFrameStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    // The caption's line placed as the style would place it, then filled.
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    const QRect line = QStyle::alignedRect(
        Qt::LeftToRight, Qt::Alignment(flags & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)),
        size.toSize(), rect);
    QPainterPath path;
    path.addText(QPointF(line.left(), line.top() + metrics.ascent()), font, text);
    const QColor ink =
        textRole == QPalette::NoRole
            ? painter->pen().color()
            : palette.color(enabled ? QPalette::Active : QPalette::Disabled, textRole);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->fillPath(path, ink);
    painter->restore();
}

} // namespace windows
