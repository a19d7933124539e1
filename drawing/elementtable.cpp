// The table of hydraulic elements beside the section.
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"

#include <QPainter>
#include <array>

namespace drawing {

QString Fixed3(const std::optional<double>& value) {
    return Utf8(hydraulics::FormatElement(value));
}

namespace {

constexpr double kTitleHeight = 30;
constexpr double kRowHeight = 27;
// Column widths as parts of the table's width: name, symbol, value, unit.
constexpr std::array<double, 4> kColumnShare = {0.38, 0.20, 0.25, 0.17};

} // namespace

void PaintElementTable(QPainter& painter, const QRectF& box,
                       const hydraulics::HydraulicElements& elements) {
    painter.save();
    painter.setPen(kInk);
    painter.setFont(HeiTiPx(16));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), kTitleHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("水力要素"));

    std::array<double, 5> columnX{box.left()};
    for (std::size_t k = 0; k < kColumnShare.size(); ++k)
        columnX[k + 1] = columnX[k] + kColumnShare[k] * box.width();

    const auto rows = hydraulics::ElementRows(elements);
    const int rowCount = int(rows.size()) + 3; // header, elements, regime, surface
    const double top = box.top() + kTitleHeight;
    const double bottom = top + rowCount * kRowHeight;
    auto rowRect = [&](int row, std::size_t first, std::size_t last) {
        return QRectF(columnX[first] + 4, top + row * kRowHeight,
                      columnX[last + 1] - columnX[first] - 8, kRowHeight);
    };
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;

    // Header row in 黑体.
    painter.setFont(HeiTiPx(13));
    const QString headers[] = {QStringLiteral("名称"), QStringLiteral("符号"),
                               QStringLiteral("数值"), QStringLiteral("单位")};
    for (std::size_t c = 0; c < 4; ++c)
        painter.drawText(rowRect(0, c, c), centred, headers[c]);

    int row = 1;
    for (const hydraulics::ElementRow& element : rows) {
        painter.setFont(SongTiPx(14));
        painter.drawText(rowRect(row, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, Utf8(element.name));
        painter.setFont(SongTiPx(14, true));
        painter.drawText(rowRect(row, 1, 1), centred, Utf8(element.symbol));
        painter.setFont(SongTiPx(14));
        painter.drawText(rowRect(row, 2, 2), Qt::AlignRight | Qt::AlignVCenter,
                         Fixed3(element.value));
        // A pure number (Fr) leaves the unit blank: a dash would read as
        // "not formed".
        painter.drawText(rowRect(row, 3, 3), centred, Utf8(element.unit));
        ++row;
    }
    // The regime and the surface take the value and unit columns together.
    const QString regime = Utf8(hydraulics::RegimeText(elements.regime));
    const QString surface = Utf8(hydraulics::SurfaceText(elements.surface));
    const std::pair<QString, QString> words[] = {{QStringLiteral("流态"), regime},
                                                 {QStringLiteral("水面位置"), surface}};
    for (const auto& [name, value] : words) {
        painter.setFont(SongTiPx(14));
        painter.drawText(rowRect(row, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.setFont(HeiTiPx(13));
        painter.drawText(rowRect(row, 1, 3), centred, value);
        ++row;
    }

    // Rules: a 2-unit frame and header line, 1-unit lines between.
    painter.setPen(QPen(kInk, 1));
    for (int k = 2; k < rowCount; ++k)
        painter.drawLine(QPointF(box.left(), top + k * kRowHeight),
                         QPointF(box.right(), top + k * kRowHeight));
    const double wordsTop = top + (rowCount - 2) * kRowHeight;
    for (std::size_t c = 1; c < 4; ++c)
        painter.drawLine(QPointF(columnX[c], top), QPointF(columnX[c], c == 1 ? bottom : wordsTop));
    painter.setPen(QPen(kInk, 2));
    painter.drawLine(QPointF(box.left(), top + kRowHeight), QPointF(box.right(), top + kRowHeight));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(box.left(), top, box.width(), bottom - top));

    // How the regime is told.
    painter.setPen(kNote);
    painter.setFont(SongTiPx(13));
    painter.drawText(
        QRectF(box.left(), bottom + 6, box.width(), box.bottom() - bottom - 6),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QStringLiteral("Fr = v/√(gA/T)，g = 9.81 m/s²；Fr 与 1 相差不超过 1% 为临界流，"
                       "小于为缓流，大于为急流。临界水深满足 Q²T = gA³。"));
    painter.restore();
}

} // namespace drawing
