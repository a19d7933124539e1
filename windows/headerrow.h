// SPDX-License-Identifier: GPL-3.0-or-later
// Setting the pieces of one header row of a table side by side.
#pragma once

#include "windows/caselayout.h"

#include <QFont>
#include <QRect>
#include <span>
#include <vector>

namespace windows {

// The face of a piece of a header caption; `controlFont` is the window's
// font for names and units.
QFont RunFont(RunStyle style, const QFont& controlFont);

struct PlacedRun {
    QRect geometry; // pixels, in the window
    QFont font;
    int advance = 0;   // room the piece takes in the row
    int inkOffset = 0; // where the label stands relative to that room
};

// Places the pieces of one row next to each other, the row centred between
// the column boundaries `left` and `right` (pixels) and its top at `top`.
// The pieces share one baseline; a raised digit sits above it, a lowered
// one below.
std::vector<PlacedRun> LayoutHeaderRow(std::span<const HeaderRun> runs, const QFont& controlFont,
                                       int left, int right, int top);

} // namespace windows
