// SPDX-License-Identifier: GPL-3.0-or-later
// A stacked fraction inside a line of a formula, numerator over a rule over
// denominator, for the PDF: Qt's text layout knows no fractions. Both parts
// are drawn as text in the formula's own face, so the text layer holds them.
#pragma once

#include <QObject>
#include <QTextFormat>
#include <QTextObjectInterface>

class QTextCursor;
class QTextCharFormat;

namespace report {

class FractionObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    static constexpr int kObjectType = QTextFormat::UserObject + 2;

    using QObject::QObject;

    // Inserts numerator over denominator at `cursor`, set in `format`'s
    // face and size. Register a FractionObject on the document's layout
    // with kObjectType first.
    static void Insert(QTextCursor& cursor, const QString& numerator, const QString& denominator,
                       const QTextCharFormat& format);

    QSizeF intrinsicSize(QTextDocument* doc, int posInDocument, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int posInDocument,
                    const QTextFormat& format) override;
};

} // namespace report
