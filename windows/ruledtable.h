// SPDX-License-Identifier: GPL-3.0-or-later
// The straight lines that rule a table of the case windows.
#pragma once

#include <span>

class QPainter;

namespace windows {

// One table in pixels: the column boundaries (the outer two are the frame),
// the y of the frame's top and bottom lines and of the line under the
// header rows.
struct TableRules {
    std::span<const int> columnX;
    int top = 0;
    int headerLine = 0;
    int bottom = 0;
    int headerLinePx = 2;
};

inline constexpr int kFramePx = 2;  // outer frame
inline constexpr int kColumnPx = 1; // between columns

// Draws the frame, the header line and the column lines in black. A line of
// width w at coordinate c covers the pixels c - w/2 up to c - w/2 + w - 1.
void PaintRuledTable(QPainter& painter, const TableRules& rules);

} // namespace windows
