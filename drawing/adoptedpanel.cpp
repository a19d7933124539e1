// SPDX-License-Identifier: GPL-3.0-or-later
// The adopted section under the section window's checks: its title with
// the label a checker reads (采用值, or 计算值（不得采用） where a rule is not
// met), a strip of its figures, a strip of each check's verdict at that
// section, and the sentences that explain it.
#include "drawing/drawingparts.h"
#include "drawing/drawingstyle.h"
#include "hydraulics/adoptedrows.h"

#include <QFontMetricsF>
#include <QPainter>
#include <vector>

namespace drawing {
namespace {

constexpr double kTitleHeight = 26;
constexpr double kStripRow = 24; // a row of the figures' strip
constexpr double kItemRow = 40;  // the verdicts' item names, two lines
constexpr double kGap = 8;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

struct Figure {
    QString head, value;
};

// B, h, H, H/B, i, v, Q and Z or ΔZ, as the adopted figures show them.
std::vector<Figure> Figures(const hydraulics::Design& design) {
    static const QStringList kShown = {
        QStringLiteral("B"),   QStringLiteral("h"), QStringLiteral("H"),
        QStringLiteral("H/B"), QStringLiteral("i"), QStringLiteral("v"),
        QStringLiteral("Q"),   QStringLiteral("Z"), QStringLiteral("ΔZ")};
    std::vector<Figure> figures;
    for (const hydraulics::AdoptedRow& row : hydraulics::AdoptedRows(design)) {
        const QString symbol = Utf8(row.symbol);
        if (!kShown.contains(symbol))
            continue;
        const QString unit = Utf8(row.unit);
        figures.push_back({unit.isEmpty() ? symbol : symbol + QStringLiteral(" (") + unit + u')',
                           Utf8(row.text)});
    }
    return figures;
}

QStringList Sentences(const hydraulics::Design& design) {
    QStringList lines{Utf8(hydraulics::AdoptedBasis(design))};
    if (!design.velocityNote.empty())
        lines << Utf8(design.velocityNote);
    for (const std::string& line : hydraulics::WaysOutSentences(design))
        lines << Utf8(line);
    return lines;
}

double SentencesHeight(double width, const QStringList& lines) {
    const QFontMetricsF metrics(SongTiPx(13));
    return metrics.boundingRect(QRectF(0, 0, width, 10000), kTextFlags, lines.join(u'\n')).height();
}

// A strip of cells: `heads` over `values`, equal widths.
void Strip(QPainter& painter, const QRectF& box, const QStringList& heads,
           const std::vector<hydraulics::CheckRow>* rows, const QStringList& values,
           double headHeight) {
    const double width = box.width() / std::max<qsizetype>(1, heads.size());
    for (qsizetype k = 0; k < heads.size(); ++k) {
        const QRectF head(box.left() + k * width, box.top(), width, headHeight);
        const QRectF value(head.left(), head.bottom(), width, kStripRow);
        painter.fillRect(head, QColor(242, 242, 242));
        if (rows) {
            const QColor ground = VerdictGround((*rows)[std::size_t(k)]);
            if (ground.isValid())
                painter.fillRect(value, ground);
        }
        painter.setPen(kInk);
        painter.setFont(SongTiPx(12));
        painter.drawText(head.adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap, heads[k]);
        painter.setPen(rows ? VerdictInk((*rows)[std::size_t(k)]) : kInk);
        painter.setFont(rows ? HeiTiPx(13) : SongTiPx(13));
        painter.drawText(value, Qt::AlignCenter, values[k]);
        painter.setPen(QPen(kInk, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(head);
        painter.drawRect(value);
    }
}

} // namespace

double AdoptedPanelHeight(double width, const hydraulics::Design& design) {
    if (!design.adopted)
        return 0;
    return kTitleHeight + 2 * kStripRow + kGap + kItemRow + kStripRow + kGap +
           SentencesHeight(width, Sentences(design));
}

void PaintAdoptedPanel(QPainter& painter, const QRectF& box, const hydraulics::Design& design) {
    if (!design.adopted)
        return;
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    const bool ok = design.adopted->section.ok;
    painter.setPen(ok ? kInk : QColor(190, 0, 0));
    painter.setFont(HeiTiPx(16));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), kTitleHeight), Qt::AlignCenter,
                     QStringLiteral("采用断面（%1）").arg(Utf8(hydraulics::AdoptedLabel(design))));
    double top = box.top() + kTitleHeight;

    QStringList heads, values;
    for (const Figure& f : Figures(design)) {
        heads << f.head;
        values << f.value;
    }
    Strip(painter, QRectF(box.left(), top, box.width(), 2 * kStripRow), heads, nullptr, values,
          kStripRow);
    top += 2 * kStripRow + kGap;

    const std::vector<hydraulics::CheckRow>& rows = design.adopted->section.rows;
    QStringList items, verdicts;
    for (const hydraulics::CheckRow& row : rows) {
        items << Utf8(row.item);
        verdicts << Utf8(hydraulics::VerdictText(row));
    }
    Strip(painter, QRectF(box.left(), top, box.width(), kItemRow + kStripRow), items, &rows,
          verdicts, kItemRow);
    top += kItemRow + kStripRow + kGap;

    painter.setPen(kInk);
    painter.setFont(SongTiPx(13));
    painter.drawText(QRectF(box.left(), top, box.width(), box.bottom() - top), kTextFlags,
                     Sentences(design).join(u'\n'));
    painter.restore();
}

} // namespace drawing
