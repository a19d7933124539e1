// SPDX-License-Identifier: GPL-3.0-or-later
// The table of design checks under the section: item, figures,
// requirement, clause and verdict, one row a check. A check not met stands
// on a light red ground with its verdict in red, a note on a light amber
// ground, so that both are seen at once on screen and on paper.
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <vector>

namespace drawing {
namespace {

using hydraulics::Verdict;

constexpr double kTitleHeight = 26;
constexpr double kHeaderHeight = 24;
constexpr double kMinRowHeight = 24;
constexpr double kPad = 6; // around the text of a cell
// Column widths as parts of the table's width: 项目, 计算值, 要求, 依据, 结论.
constexpr std::array<double, 5> kColumnShare = {0.09, 0.31, 0.31, 0.21, 0.08};
constexpr int kCellFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

const QColor kUnmet{190, 0, 0};
const QColor kNoted{150, 90, 0};
const QColor kMet{0, 115, 55};

} // namespace

QColor VerdictInk(const hydraulics::CheckRow& row) {
    if (hydraulics::Fails(row))
        return kUnmet;
    if (!row.label.empty())
        return kInk; // a classification
    switch (row.verdict) {
    case Verdict::NotMet: // a recommendation: 宜调整
    case Verdict::Note:
        return kNoted;
    case Verdict::Met:
        return kMet;
    case Verdict::Unknown:
        break;
    }
    return kInk;
}

namespace {

using Columns = std::array<double, 6>; // left edges of the five columns, then the right edge

QRectF Cell(const Columns& x, std::size_t column, double top, double height) {
    return {x[column] + kPad, top, x[column + 1] - x[column] - 2 * kPad, height};
}

// A figure never breaks between its symbol, its number and its unit
// ("H = 1.908 m"): their blanks do not break. A line breaks after the "，"
// between figures.
QString Unbroken(const std::string& text) {
    QString shown = Utf8(text);
    shown.replace(u' ', QChar::Nbsp);
    // A Chinese character may start a line anywhere, also inside "h加":
    // a word joiner keeps it to its symbol.
    shown.replace(QStringLiteral("加"), QStringLiteral("\u2060加"));
    shown.replace(u'/', QStringLiteral("/\u2060")); // "B/10" stays whole
    return shown;
}

std::array<QString, 5> Texts(const hydraulics::CheckRow& row) {
    // The standard's designation "GB 50288-2018" on a line of its own,
    // the clause under it.
    QString clause = Utf8(row.clause);
    const qsizetype second = clause.indexOf(u' ', clause.indexOf(u' ') + 1);
    if (clause.startsWith(u"GB") && second > 0)
        clause[second] = u'\n';
    return {Utf8(row.item), Unbroken(row.value), Unbroken(row.requirement), clause,
            Utf8(hydraulics::VerdictText(row))};
}

// The height of a row: its tallest cell, wrapped to its column.
double RowHeight(const Columns& x, const std::array<QString, 5>& texts) {
    const QFontMetricsF metrics(SongTiPx(13));
    double height = kMinRowHeight;
    for (std::size_t c = 0; c < texts.size(); ++c) {
        const QRectF room = Cell(x, c, 0, 1000);
        height =
            std::max(height, metrics.boundingRect(room, kCellFlags, texts[c]).height() + 2 * kPad);
    }
    return height;
}

Columns ColumnEdges(const QRectF& box) {
    Columns x{box.left()};
    for (std::size_t k = 0; k < kColumnShare.size(); ++k)
        x[k + 1] = x[k] + kColumnShare[k] * box.width();
    x.back() = box.right();
    return x;
}

void DrawRow(QPainter& painter, const Columns& x, double top, double height,
             const std::array<QString, 5>& texts, const hydraulics::CheckRow& row) {
    if (const QColor ground = VerdictGround(row); ground.isValid())
        painter.fillRect(QRectF(x.front(), top, x.back() - x.front(), height), ground);
    painter.setPen(kInk);
    painter.setFont(SongTiPx(13));
    for (std::size_t c = 0; c + 1 < texts.size(); ++c)
        painter.drawText(Cell(x, c, top, height), kCellFlags, texts[c]);
    painter.setPen(VerdictInk(row));
    painter.setFont(HeiTiPx(14));
    painter.drawText(Cell(x, 4, top, height), Qt::AlignCenter, texts[4]);
}

} // namespace

double CheckTableHeight(double width, const std::vector<hydraulics::CheckRow>& rows) {
    const Columns x = ColumnEdges(QRectF(0, 0, width, 1));
    double height = kTitleHeight + kHeaderHeight + 2;
    for (const hydraulics::CheckRow& row : rows)
        height += RowHeight(x, Texts(row));
    return height;
}

void PaintCheckTable(QPainter& painter, const QRectF& box,
                     const std::vector<hydraulics::CheckRow>& rows, const QString& title) {
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip); // never over the parts below
    painter.setPen(kInk);
    painter.setFont(HeiTiPx(16));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), kTitleHeight), Qt::AlignCenter,
                     title);
    const Columns x = ColumnEdges(box);
    const double top = box.top() + kTitleHeight;
    painter.setFont(HeiTiPx(13));
    const QString headers[] = {QStringLiteral("项目"), QStringLiteral("计算值"),
                               QStringLiteral("要求"), QStringLiteral("依据"),
                               QStringLiteral("结论")};
    for (std::size_t c = 0; c < 5; ++c)
        painter.drawText(Cell(x, c, top, kHeaderHeight), Qt::AlignCenter, headers[c]);

    std::vector<double> rules{top, top + kHeaderHeight}; // the tops of the rows, then the bottom
    for (const hydraulics::CheckRow& row : rows) {
        const std::array<QString, 5> texts = Texts(row);
        const double height = RowHeight(x, texts);
        DrawRow(painter, x, rules.back(), height, texts, row);
        rules.push_back(rules.back() + height);
    }

    // Rules: a 2-unit frame and header line, 1-unit lines between.
    painter.setPen(QPen(kInk, 1));
    for (std::size_t k = 2; k + 1 < rules.size(); ++k)
        painter.drawLine(QPointF(box.left(), rules[k]), QPointF(box.right(), rules[k]));
    for (std::size_t c = 1; c + 1 < x.size(); ++c)
        painter.drawLine(QPointF(x[c], top), QPointF(x[c], rules.back()));
    painter.setPen(QPen(kInk, 2));
    painter.drawLine(QPointF(box.left(), rules[1]), QPointF(box.right(), rules[1]));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(box.left(), top, box.width(), rules.back() - top));
    painter.restore();
}

} // namespace drawing
