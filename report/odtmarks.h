// SPDX-License-Identifier: GPL-3.0-or-later
// What Qt's ODF writer leaves out of the ODT (a cell's ground, a heading's
// place in the outline, a table's header row) reaches the finishing of the
// package through a property it does write: the top margin of a block, in
// pixels at 96 dpi, which it writes in points (× 0.75). The marks are a
// fraction of a point, too small to see in the PDF. A block kept with the
// next (pagebreaks.h) is also kept whole, which the writer writes as
// fo:keep-together; the finishing adds fo:keep-with-next to it.
#pragma once

#include <QColor>

namespace report {

// Top margins (px) of the first block of a cell: header grey, the trial
// that met the tolerance yellow, a check not met red, a recommendation
// not met or a note amber; other cells 0.
constexpr double kHeaderCellMark = 0.1, kMarkedCellMark = 0.2, kUnmetCellMark = 0.3,
                 kNotedCellMark = 0.4;
// The top margin (px) of a numbered heading: 6 mm and a mark.
constexpr double kHeadingTopPx = 6 * 96 / 25.4 + 0.4;

const QColor kHeaderGround(230, 230, 230), kMarkedGround(255, 244, 200);

} // namespace report
