// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/fittinglineedit.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

namespace windows {

namespace {

constexpr qreal kPointStep = 0.5;
constexpr int kStretchStep = 5; // percent of the normal letter width
constexpr int kNarrowestStretch = 75;

// QLineEdit keeps this many pixels between its contents rectangle and the
// text on each side, and one more for the cursor.
constexpr int kLineEditMargin = 2;

qreal PointSize(const QFont& font) {
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return QFontInfo(font).pointSizeF();
}

} // namespace

FittingLineEdit::FittingLineEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &FittingLineEdit::fit);
}

void FittingLineEdit::setCell(int left, int right) {
    designGeometry_ = geometry();
    cellLeft_ = std::min(left, designGeometry_.left());
    cellRight_ = std::max(right, designGeometry_.right() + 1);
    fit();
}

void FittingLineEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (adjusting_)
        return;
    if (event->type() == QEvent::FontChange) {
        fitted_ = false; // a new design font: fit the text to it
        fit();
    } else if (event->type() == QEvent::StyleChange) {
        fit();
    }
}

int FittingLineEdit::chrome() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin - 1;
    return width() - room;
}

int FittingLineEdit::textWidth(const QFont& font) const {
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(displayText())));
}

QFont FittingLineEdit::legibleFont() const {
    const int room = (designGeometry_.isValid() ? designGeometry_.width() : width()) - chrome();
    QFont font = design_;
    qreal points = PointSize(design_);
    const qreal smallest = std::min(points, kLegiblePoints);
    while (textWidth(font) > room && points > smallest) {
        points = std::max(points - kPointStep, smallest);
        font.setPointSizeF(points);
    }
    return font;
}

void FittingLineEdit::fit() {
    if (adjusting_)
        return;
    if (!fitted_) {
        design_ = font();
        inherited_ = !testAttribute(Qt::WA_SetFont);
    }
    setToolTip(text().trimmed());
    QFont font = legibleFont();
    QRect geometry = designGeometry_;
    if (designGeometry_.isValid()) {
        // Still too wide at the legible size: wider about the box's centre,
        // kept inside the cell.
        const int wanted = textWidth(font) + chrome();
        if (wanted > designGeometry_.width()) {
            const int w = std::min(wanted, cellRight_ - cellLeft_);
            const int left = designGeometry_.left() - (w - designGeometry_.width()) / 2;
            geometry.setLeft(std::clamp(left, cellLeft_, cellRight_ - w));
            geometry.setWidth(w);
        }
    }
    // Too wide even for the whole cell: narrower letters of the same
    // height, down to three quarters; beyond that the box shows the leading
    // digits and the tooltip the whole number.
    const int room = (geometry.isValid() ? geometry.width() : width()) - chrome();
    for (int stretch = 100 - kStretchStep; textWidth(font) > room && stretch >= kNarrowestStretch;
         stretch -= kStretchStep)
        font.setStretch(stretch);
    apply(font, geometry);
}

void FittingLineEdit::apply(const QFont& font, const QRect& geometry) {
    const bool designed = font == design_ && (!geometry.isValid() || geometry == designGeometry_);
    if (designed && !fitted_)
        return;
    adjusting_ = true;
    // An empty font makes the box inherit its parent's again.
    setFont(designed && inherited_ ? QFont() : font);
    if (geometry.isValid() && geometry != this->geometry())
        setGeometry(geometry);
    adjusting_ = false;
    fitted_ = !designed;
}

} // namespace windows
