#include "headerrow.h"

#include <QFontMetrics>

#include <algorithm>

#include "appearance.h"

namespace windows {

QFont RunFont(RunStyle style, const QFont& controlFont) {
    switch (style) {
    case RunStyle::Name: return controlFont;
    case RunStyle::Symbol: return SongTi(9, true);
    case RunStyle::Greek: return SongTi(12, true);
    case RunStyle::Lowered: return SongTi(7.5);
    case RunStyle::Raised: return SongTi(6.75);
    case RunStyle::Large: return SongTi(10.5);
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
        const QString text = QString::fromUtf8(run.text.data(), qsizetype(run.text.size()));
        // An italic glyph leans past its advance; leave it room.
        int width = metrics.horizontalAdvance(text);
        if (font.italic())
            width = std::max(width, metrics.boundingRect(text).right() + 1) + 1;
        placed.push_back({QRect(0, 0, width, metrics.height()), font});
        rowWidth += width;
        if (run.style != RunStyle::Raised && run.style != RunStyle::Lowered)
            baselineAscent = std::max(baselineAscent, metrics.ascent());
    }
    const int baseline = top + baselineAscent;
    int x = left + (right - left - rowWidth) / 2;
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const QFontMetrics metrics(placed[k].font);
        int runBaseline = baseline;
        if (runs[k].style == RunStyle::Raised)
            runBaseline -= baselineAscent * 2 / 5;
        else if (runs[k].style == RunStyle::Lowered)
            runBaseline += metrics.ascent() * 3 / 10;
        placed[k].geometry.moveTo(x, runBaseline - metrics.ascent());
        x += placed[k].geometry.width();
    }
    return placed;
}

} // namespace windows
