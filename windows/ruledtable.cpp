// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ruledtable.h"

#include <QPainter>

namespace windows {

namespace {

void Horizontal(QPainter& painter, int x0, int x1, int y, int width) {
    painter.fillRect(x0, y - width / 2, x1 - x0, width, Qt::black);
}

void Vertical(QPainter& painter, int x, int y0, int y1, int width) {
    painter.fillRect(x - width / 2, y0, width, y1 - y0, Qt::black);
}

} // namespace

void PaintRuledTable(QPainter& painter, const TableRules& rules) {
    if (rules.columnX.size() < 2)
        return;
    const int left = rules.columnX.front();
    const int right = rules.columnX.back();
    // The frame lines run over each other's ends so the corners are closed.
    const int x0 = left - kFramePx / 2;
    const int x1 = right - kFramePx / 2 + kFramePx;
    Horizontal(painter, x0, x1, rules.top, kFramePx);
    Horizontal(painter, x0, x1, rules.bottom, kFramePx);
    Horizontal(painter, left, right, rules.headerLine, rules.headerLinePx);
    Vertical(painter, left, rules.top, rules.bottom, kFramePx);
    Vertical(painter, right, rules.top, rules.bottom, kFramePx);
    for (std::size_t k = 1; k + 1 < rules.columnX.size(); ++k)
        Vertical(painter, rules.columnX[k], rules.top, rules.bottom, kColumnPx);
}

} // namespace windows
