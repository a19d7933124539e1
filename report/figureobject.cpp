// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/figureobject.h"

#include <QTextCursor>

namespace report {

namespace {
constexpr int kFigureProperty = QTextFormat::UserProperty + 1; // which Figure
constexpr int kSizeProperty = QTextFormat::UserProperty + 2;   // QSizeF, document units
} // namespace

FigureObject::FigureObject(const FigureData& data, QObject* parent)
    : QObject(parent), data_(data) {}

void FigureObject::Insert(QTextCursor& cursor, Figure figure, double width) {
    const QSizeF canvas = FigureCanvas(figure);
    QTextCharFormat format;
    format.setObjectType(kObjectType);
    format.setProperty(kFigureProperty, static_cast<int>(figure));
    format.setProperty(kSizeProperty, QSizeF(width, width * canvas.height() / canvas.width()));
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

QSizeF FigureObject::intrinsicSize(QTextDocument* /*doc*/, int /*posInDocument*/,
                                   const QTextFormat& format) {
    return format.property(kSizeProperty).toSizeF();
}

void FigureObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* /*doc*/,
                              int /*posInDocument*/, const QTextFormat& format) {
    const auto figure = static_cast<Figure>(format.property(kFigureProperty).toInt());
    PaintFigure(*painter, rect, figure, data_);
}

} // namespace report
