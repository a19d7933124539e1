// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/figures.h"

#include "drawing/connectionprofile.h"
#include "hydraulics/projectstate.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>

namespace report {

QSizeF FigureCanvas(Figure figure) {
    // The section panel and the chart at the sizes the section window gives
    // them, so that their labels keep the room they are designed for.
    switch (figure) {
    case Figure::Section:
        return {470, 410};
    case Figure::Rating:
        return {780, 356};
    case Figure::Profile:
        return drawing::ConnectionProfileCanvas();
    }
    return {};
}

QStringList ReportLatinFaces() {
    const QString serif = QStringLiteral("DejaVu Serif");
    return QFontDatabase::hasFamily(serif) ? QStringList{serif} : QStringList{};
}

FigureData FiguresOf(const ReportContent& content, const QStringList& latinFaces) {
    const hydraulics::DesignChecks& c = content.designChecks;
    return {content.design,
            content.computed.elements,
            {c.H, c.hinc, latinFaces},
            {false, c.H, c.Qinc, c.hinc, latinFaces},
            content.connection,
            content.request.inputs[hydraulics::PosL]};
}

void PaintFigure(QPainter& painter, const QRectF& target, Figure figure, const FigureData& data) {
    const QSizeF canvas = FigureCanvas(figure);
    const double scale =
        std::min(target.width() / canvas.width(), target.height() / canvas.height());
    painter.save();
    painter.translate(target.center() - QPointF(canvas.width(), canvas.height()) * scale / 2);
    painter.scale(scale, scale);
    // Not clipped to the canvas: a label set in the report's wider Latin
    // face may run a little past it, into the page's white.
    const QRectF box(QPointF(0, 0), canvas);
    if (figure == Figure::Section)
        drawing::PaintSectionPanel(painter, box, data.point, data.elements, data.marks);
    else if (figure == Figure::Rating)
        drawing::PaintRatingChart(painter, box, data.point, data.chart);
    else if (data.connection)
        drawing::PaintConnectionProfile(painter, box, *data.connection, data.point.h, data.length,
                                        {false, data.marks.latinFaces, data.marks.labels});
    painter.restore();
}

QImage RenderFigure(Figure figure, const FigureData& data, double scale) {
    const QSizeF size = FigureCanvas(figure) * scale;
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PaintFigure(painter, QRectF(QPointF(0, 0), size), figure, data);
    return image;
}

} // namespace report
