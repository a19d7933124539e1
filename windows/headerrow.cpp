#include "windows/headerrow.h"

#include "windows/look.h"

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

std::vector<PlacedRun> LayoutHeaderRow(std::span<const HeaderRun> runs, const QFont& controlFont,
                                       int left, int right, int top) {
    std::vector<PlacedRun> placed;
    placed.reserve(runs.size());
    int rowWidth = 0;
    int baselineAscent = 0; // the tallest piece that stands on the baseline
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
            const QRect ink = metrics.boundingRect(text);
            width = ink.width() + 2;
            inkOffset = 1 - ink.left();
            box.setWidth(std::max(ink.right() + 2, metrics.horizontalAdvance(text)));
        }
        placed.push_back({box, font, width, inkOffset});
        rowWidth += width;
        if (run.style != RunStyle::Raised && run.style != RunStyle::Lowered)
            baselineAscent = std::max(baselineAscent, metrics.ascent());
    }
    const int baseline = top + baselineAscent;
    // A row wider than its column starts just inside the left line.
    int x = left + std::max(1, (right - left - rowWidth) / 2);
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const QFontMetrics metrics(placed[k].font);
        int runBaseline = baseline;
        if (runs[k].style == RunStyle::Raised)
            runBaseline -= baselineAscent * 2 / 5;
        else if (runs[k].style == RunStyle::Lowered)
            runBaseline += metrics.ascent() * 3 / 10;
        placed[k].geometry.moveTo(x + placed[k].inkOffset, runBaseline - metrics.ascent());
        x += placed[k].advance;
    }
    return placed;
}

} // namespace windows
