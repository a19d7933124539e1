// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/fractionobject.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace report {
namespace {

constexpr int kNumerator = QTextFormat::UserProperty + 20;
constexpr int kDenominator = QTextFormat::UserProperty + 21;
constexpr double kRuleGapShare = 0.15; // space above and below the rule, of the line height
constexpr double kSideShare = 0.15;    // rule beyond the wider part, each side

QFontMetricsF Metrics(QTextDocument* doc, const QTextFormat& format) {
    QPaintDevice* device = doc->documentLayout()->paintDevice();
    const QFont font = format.toCharFormat().font();
    return device ? QFontMetricsF(font, device) : QFontMetricsF(font);
}

} // namespace

void FractionObject::Insert(QTextCursor& cursor, const QString& numerator,
                            const QString& denominator, const QTextCharFormat& format) {
    QTextCharFormat object = format;
    object.setObjectType(kObjectType);
    object.setProperty(kNumerator, numerator);
    object.setProperty(kDenominator, denominator);
    // Aligned to the middle of the line, so that the whole fraction,
    // numerator included, lies within its line and the line is as tall as
    // the fraction: nothing stands above the line's top, where a page's
    // top would cut it off.
    object.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
}

// Where the rule stands above the baseline: at the middle of "=".
double AxisHeight(const QFontMetricsF& metrics) {
    return -metrics.tightBoundingRect(QStringLiteral("=")).center().y();
}

// Numerator, gap, rule, gap, denominator, and below them what puts the
// rule on the axis: Qt's layout sets the baseline of an object aligned to
// the middle (height + x-height/2)/2 below its top, the x-height measured
// as the screen measures the format's font.
double FractionHeight(const QFontMetricsF& metrics, const QTextFormat& format) {
    const double halfX = QFontMetrics(format.toCharFormat().font()).xHeight() / 2.0;
    return 2 * (metrics.height() * (1 + kRuleGapShare) + AxisHeight(metrics)) - halfX;
}

QSizeF FractionObject::intrinsicSize(QTextDocument* doc, int /*posInDocument*/,
                                     const QTextFormat& format) {
    const QFontMetricsF metrics = Metrics(doc, format);
    const double width =
        std::max(metrics.horizontalAdvance(format.property(kNumerator).toString()),
                 metrics.horizontalAdvance(format.property(kDenominator).toString()));
    return {width + 2 * kSideShare * metrics.height(), FractionHeight(metrics, format)};
}

void FractionObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc,
                                int /*posInDocument*/, const QTextFormat& format) {
    const QFontMetricsF metrics = Metrics(doc, format);
    const double line = metrics.height(), gap = kRuleGapShare * line;
    const double ruleY = rect.top() + line + gap;
    painter->save();
    painter->setFont(format.toCharFormat().font());
    painter->setPen(QPen(Qt::black, std::max(0.5, line / 18)));
    painter->drawLine(QPointF(rect.left() + 0.05 * line, ruleY),
                      QPointF(rect.right() - 0.05 * line, ruleY));
    painter->drawText(QRectF(rect.left(), rect.top(), rect.width(), line), Qt::AlignCenter,
                      format.property(kNumerator).toString());
    painter->drawText(QRectF(rect.left(), ruleY + gap, rect.width(), line), Qt::AlignCenter,
                      format.property(kDenominator).toString());
    painter->restore();
}

} // namespace report
