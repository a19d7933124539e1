// SPDX-License-Identifier: GPL-3.0-or-later
// The report's figures inside a QTextDocument as objects of their own, so
// that a PDF gets them as vectors with their labels as text, laid out and
// paged like any line of the document.
#pragma once

#include "report/figures.h"

#include <QObject>
#include <QTextFormat>
#include <QTextObjectInterface>

class QTextCursor;

namespace report {

class FigureObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    static constexpr int kObjectType = QTextFormat::UserObject + 1;

    // Draws the figures of `data`. Register it on the document's layout
    // with kObjectType before inserting figures.
    explicit FigureObject(const FigureData& data, QObject* parent = nullptr);

    // Inserts `figure` at `cursor`, `width` document units wide, its
    // height in the canvas's proportion.
    static void Insert(QTextCursor& cursor, Figure figure, double width);

    QSizeF intrinsicSize(QTextDocument* doc, int posInDocument, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int posInDocument,
                    const QTextFormat& format) override;

private:
    FigureData data_;
};

} // namespace report
