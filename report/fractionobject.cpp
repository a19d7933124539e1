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
    object.setVerticalAlignment(QTextCharFormat::AlignTop);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
}

// Where the rule stands below the object's top: at the height of a minus
// sign, half an x-height above the baseline. Qt's layout puts the top of
// an object aligned to the top half an x-height below the text's ascent.
// The numerator stands above the top (the block leaves room for it).
double RuleY(const QFontMetricsF& metrics) {
    return metrics.ascent() - metrics.xHeight();
}

QSizeF FractionObject::intrinsicSize(QTextDocument* doc, int /*posInDocument*/,
                                     const QTextFormat& format) {
    const QFontMetricsF metrics = Metrics(doc, format);
    const double width =
        std::max(metrics.horizontalAdvance(format.property(kNumerator).toString()),
                 metrics.horizontalAdvance(format.property(kDenominator).toString()));
    return {width + 2 * kSideShare * metrics.height(),
            RuleY(metrics) + metrics.height() * (1 + kRuleGapShare)};
}

void FractionObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc,
                                int /*posInDocument*/, const QTextFormat& format) {
    const QFontMetricsF metrics = Metrics(doc, format);
    const double line = metrics.height(), gap = kRuleGapShare * line;
    const double ruleY = rect.top() + RuleY(metrics);
    painter->save();
    painter->setFont(format.toCharFormat().font());
    painter->setPen(QPen(Qt::black, std::max(0.5, line / 18)));
    painter->drawLine(QPointF(rect.left() + 0.05 * line, ruleY),
                      QPointF(rect.right() - 0.05 * line, ruleY));
    painter->drawText(QRectF(rect.left(), ruleY - gap - line, rect.width(), line), Qt::AlignCenter,
                      format.property(kNumerator).toString());
    painter->drawText(QRectF(rect.left(), ruleY + gap, rect.width(), line), Qt::AlignCenter,
                      format.property(kDenominator).toString());
    painter->restore();
}

} // namespace report
