// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/headerrow.h"

#include "windows/look.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

namespace windows {

QFont RunFont(RunStyle style, const QFont& controlFont) {
    switch (style) {
    case RunStyle::Name:
        return controlFont;
    case RunStyle::Symbol:
        return SongTi(9, true);
    case RunStyle::Greek:
        return SongTi(12, true);
    case RunStyle::Lowered:
        return SongTi(7.5);
    case RunStyle::Raised:
        return SongTi(6.75);
    case RunStyle::Large:
        return SongTi(10.5);
    }
    return controlFont;
}

namespace {

// The height above the baseline that the design faces give a row: 0.88 em.
// The Noto faces reserve more (1.16 em) for accents the headers never
// carry; rows placed by that would sink onto the line under them.
int DesignAscent(const QFont& font, const QFontMetrics& metrics) {
    return std::min(metrics.ascent(), qRound(QFontInfo(font).pixelSize() * 0.88));
}

} // namespace

namespace {

// The pieces of a row measured side by side, not yet placed.
struct MeasuredRow {
    std::vector<PlacedRun> pieces;
    int width = 0;
    int baselineAscent = 0; // the tallest piece that stands on the baseline
};

MeasuredRow MeasureRow(std::span<const HeaderRun> runs, const QFont& controlFont) {
    MeasuredRow row;
    row.pieces.reserve(runs.size());
    for (const HeaderRun& run : runs) {
        const QFont font = RunFont(run.style, controlFont);
        const QFontMetrics metrics(font);
        const QString text = Utf8(run.text);
        // An italic symbol takes the room of its ink, a pixel either side:
        // a full-width "ξ" would otherwise push the row past its column.
        // Its label starts where the glyph's origin must stand and may
        // overlap its neighbour (header labels are transparent).
        int width = metrics.horizontalAdvance(text);
        int inkOffset = 0;
        QRect box(0, 0, width, metrics.height());
        if (font.italic()) {
            const QRect ink = metrics.tightBoundingRect(text);
            width = ink.width() + 2;
            inkOffset = 1 - ink.left();
            box.setWidth(std::max(ink.right() + 2, metrics.horizontalAdvance(text)));
        }
        row.pieces.push_back({box, font, width, inkOffset});
        row.width += width;
        if (run.style != RunStyle::Raised && run.style != RunStyle::Lowered)
            row.baselineAscent = std::max(row.baselineAscent, DesignAscent(font, metrics));
    }
    return row;
}

// Clear of each column line, so that no caption touches it.
constexpr int kColumnAir = 4;
constexpr qreal kSmallestNamePoints = 8.0;

} // namespace

std::vector<PlacedRun> LayoutHeaderRow(std::span<const HeaderRun> runs, const QFont& controlFont,
                                       int left, int right, int top) {
    // A row too wide for its column sets its names and units a little
    // smaller, 0.5 pt at a time down to 8 pt.
    QFont names = controlFont;
    MeasuredRow row = MeasureRow(runs, names);
    for (qreal points = QFontInfo(names).pointSizeF();
         row.width + 2 * kColumnAir > right - left && points > kSmallestNamePoints;) {
        points = std::max(points - 0.5, kSmallestNamePoints);
        names.setPointSizeF(points);
        row = MeasureRow(runs, names);
    }
    std::vector<PlacedRun>& placed = row.pieces;
    const int baseline = top + row.baselineAscent;
    // A row wider than its column still starts just inside the left line.
    int x = left + std::max(1, (right - left - row.width) / 2);
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const QFontMetrics metrics(placed[k].font);
        int runBaseline = baseline;
        if (runs[k].style == RunStyle::Raised)
            runBaseline -= row.baselineAscent * 2 / 5;
        else if (runs[k].style == RunStyle::Lowered)
            runBaseline += DesignAscent(placed[k].font, metrics) * 3 / 10;
        placed[k].geometry.moveTo(x + placed[k].inkOffset, runBaseline - metrics.ascent());
        x += placed[k].advance;
    }
    return placed;
}

} // namespace windows
