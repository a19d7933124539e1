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
constexpr qreal kSmallestPoints = 6.0; // still legible on screen and on the printed page
constexpr int kStretchStep = 5;        // percent of the normal letter width
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

void FittingLineEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !adjusting_) {
        shrunk_ = false; // a new design font: fit the text to it
        fit();
    } else if (event->type() == QEvent::StyleChange) {
        fit();
    }
}

void FittingLineEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

int FittingLineEdit::room() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin - 1;
}

bool FittingLineEdit::fits(const QFont& font) const {
    return std::ceil(QFontMetricsF(font).horizontalAdvance(displayText())) <= room();
}

QFont FittingLineEdit::fittingFont() const {
    if (fits(design_))
        return design_;
    // A text too long even for the smallest form shows its leading digits in
    // it; asked first so that a long text costs two measurements, not twenty.
    QFont font = design_;
    font.setPointSizeF(std::min(PointSize(design_), kSmallestPoints));
    font.setStretch(kNarrowestStretch);
    if (!fits(font))
        return font;
    font = design_;
    for (qreal points = PointSize(design_); !fits(font) && points > kSmallestPoints;) {
        points = std::max(points - kPointStep, kSmallestPoints);
        font.setPointSizeF(points);
    }
    for (int stretch = 100 - kStretchStep; !fits(font) && stretch >= kNarrowestStretch;
         stretch -= kStretchStep)
        font.setStretch(stretch);
    return font;
}

void FittingLineEdit::fit() {
    if (!shrunk_) {
        design_ = font();
        inherited_ = !testAttribute(Qt::WA_SetFont);
    }
    const QFont wanted = fittingFont();
    const bool shrink = wanted != design_;
    if ((!shrink && !shrunk_) || (shrink && shrunk_ && wanted == font()))
        return;
    adjusting_ = true;
    // An empty font makes the box inherit its parent's again.
    setFont(shrink ? wanted : inherited_ ? QFont() : design_);
    adjusting_ = false;
    shrunk_ = shrink;
}

} // namespace windows
