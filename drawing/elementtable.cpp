// SPDX-License-Identifier: GPL-3.0-or-later
// The table of hydraulic elements beside the section.
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <array>
#include <iterator>
#include <span>
#include <utility>

namespace drawing {

QString Fixed3(const std::optional<double>& value) {
    return Utf8(hydraulics::FormatElement(value));
}

namespace {

constexpr double kTitleHeight = 30;
constexpr double kRowHeight = 27;
// Column widths as parts of the table's width: name, symbol, value, unit.
constexpr std::array<double, 4> kColumnShare = {0.38, 0.20, 0.25, 0.17};

// The table's columns and rows on the canvas.
struct TableGrid {
    std::array<double, 5> columnX{}; // column boundaries, frame included
    int rowCount = 0;                // header, elements, regime, surface
    double top = 0;                  // under the title
    double bottom = 0;

    // The cell of `row` across the columns `first` to `last`, inset.
    QRectF cell(int row, std::size_t first, std::size_t last) const {
        return QRectF(columnX[first] + 4, top + row * kRowHeight,
                      columnX[last + 1] - columnX[first] - 8, kRowHeight);
    }
};

constexpr auto kCentred = Qt::AlignHCenter | Qt::AlignVCenter;

TableGrid GridFor(const QRectF& box, int elementRows) {
    TableGrid grid;
    grid.columnX[0] = box.left();
    for (std::size_t k = 0; k < kColumnShare.size(); ++k)
        grid.columnX[k + 1] = grid.columnX[k] + kColumnShare[k] * box.width();
    grid.rowCount = elementRows + 3;
    grid.top = box.top() + kTitleHeight;
    grid.bottom = grid.top + grid.rowCount * kRowHeight;
    return grid;
}

// Header row in 黑体.
void PaintHeaderRow(QPainter& painter, const TableGrid& grid) {
    painter.setFont(HeiTiPx(13));
    const QString headers[] = {QStringLiteral("名称"), QStringLiteral("符号"),
                               QStringLiteral("数值"), QStringLiteral("单位")};
    for (std::size_t c = 0; c < 4; ++c)
        painter.drawText(grid.cell(0, c, c), kCentred, headers[c]);
}

// One row per element from row 1 on; returns the row after the last.
int PaintElementRows(QPainter& painter, const TableGrid& grid,
                     std::span<const hydraulics::ElementRow> rows) {
    int row = 1;
    for (const hydraulics::ElementRow& element : rows) {
        painter.setFont(SongTiPx(14));
        painter.drawText(grid.cell(row, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         Utf8(element.name));
        painter.setFont(SongTiPx(14, true));
        painter.drawText(grid.cell(row, 1, 1), kCentred, Utf8(element.symbol));
        painter.setFont(SongTiPx(14));
        painter.drawText(grid.cell(row, 2, 2), Qt::AlignRight | Qt::AlignVCenter,
                         Fixed3(element.value));
        // A pure number (Fr) leaves the unit blank: a dash would read as
        // "not formed".
        painter.drawText(grid.cell(row, 3, 3), kCentred, Utf8(element.unit));
        ++row;
    }
    return row;
}

// The regime and the surface take the value and unit columns together.
void PaintWordRows(QPainter& painter, const TableGrid& grid, int row,
                   const hydraulics::HydraulicElements& elements) {
    const QString regime = Utf8(hydraulics::RegimeText(elements.regime));
    const QString surface = Utf8(hydraulics::SurfaceText(elements.surface));
    const std::pair<QString, QString> words[] = {{QStringLiteral("流态"), regime},
                                                 {QStringLiteral("水面位置"), surface}};
    for (const auto& [name, value] : words) {
        painter.setFont(SongTiPx(14));
        painter.drawText(grid.cell(row, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.setFont(HeiTiPx(13));
        painter.drawText(grid.cell(row, 1, 3), kCentred, value);
        ++row;
    }
}

// Rules: a 2-unit frame and header line, 1-unit lines between.
void PaintRules(QPainter& painter, const QRectF& box, const TableGrid& grid) {
    const double top = grid.top;
    painter.setPen(QPen(kInk, 1));
    for (int k = 2; k < grid.rowCount; ++k)
        painter.drawLine(QPointF(box.left(), top + k * kRowHeight),
                         QPointF(box.right(), top + k * kRowHeight));
    const double wordsTop = top + (grid.rowCount - 2) * kRowHeight;
    for (std::size_t c = 1; c < 4; ++c)
        painter.drawLine(QPointF(grid.columnX[c], top),
                         QPointF(grid.columnX[c], c == 1 ? grid.bottom : wordsTop));
    painter.setPen(QPen(kInk, 2));
    painter.drawLine(QPointF(box.left(), top + kRowHeight), QPointF(box.right(), top + kRowHeight));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(box.left(), top, box.width(), grid.bottom - top));
}

// "Fr = v / √gA/T" with the radical's bar over its whole argument, then
// `tail` on the same line, its top left at `topLeft`; returns the y under
// the line.
double PaintFroudeFormula(QPainter& painter, const QPointF& topLeft, const QString& tail) {
    const QFontMetricsF metrics(painter.font());
    const QString lead = QStringLiteral("Fr = v / ");
    const QString argument = QStringLiteral("gA/T");
    const double bar = topLeft.y() + 2;                // the vinculum, above the capitals
    const double base = bar + 2 + metrics.capHeight(); // the baseline under it
    double x = topLeft.x();
    painter.drawText(QPointF(x, base), lead);
    x += metrics.horizontalAdvance(lead);
    // The sign: a short tick, down to the baseline, up to the bar, then the
    // bar across the argument and a little past it.
    const double width = metrics.horizontalAdvance(argument);
    const double mid = base - metrics.xHeight() / 2;
    const QPointF sign[] = {
        {x, mid + 1}, {x + 2, mid}, {x + 4.5, base + 1}, {x + 8, bar}, {x + 10 + width + 1, bar}};
    painter.save();
    painter.setPen(QPen(painter.pen().color(), 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawPolyline(sign, int(std::size(sign)));
    painter.restore();
    painter.drawText(QPointF(x + 10, base), argument);
    painter.drawText(QPointF(x + 12 + width, base), tail);
    return base + metrics.descent();
}

// How the regime is told, under the table: one face and one size for the
// whole note (the Hei face holds its letters, digits, superscripts and
// Chinese alike).
void PaintRegimeNote(QPainter& painter, const QRectF& box, const TableGrid& grid) {
    painter.setPen(kNote);
    painter.setFont(HeiTiPx(13));
    const double below = PaintFroudeFormula(painter, QPointF(box.left(), grid.bottom + 6),
                                            QStringLiteral("，g = 9.81 m/s²；"));
    painter.drawText(QRectF(box.left(), below + 1, box.width(), box.bottom() - below - 1),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Fr 与 1 相差不超过 1% 为临界流，小于为缓流，大于为急流。"
                                    "临界水深满足 Q²T = gA³。"));
}

} // namespace

void PaintElementTable(QPainter& painter, const QRectF& box,
                       const hydraulics::HydraulicElements& elements) {
    painter.save();
    painter.setPen(kInk);
    painter.setFont(HeiTiPx(16));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), kTitleHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("水力要素"));

    const auto rows = hydraulics::ElementRows(elements);
    const TableGrid grid = GridFor(box, int(rows.size()));
    PaintHeaderRow(painter, grid);
    const int wordsRow = PaintElementRows(painter, grid, rows);
    PaintWordRows(painter, grid, wordsRow, elements);
    PaintRules(painter, box, grid);
    PaintRegimeNote(painter, box, grid);
    painter.restore();
}

} // namespace drawing
