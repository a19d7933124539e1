// SPDX-License-Identifier: GPL-3.0-or-later
// Page breaks a printed report needs and Qt's paged layout does not make
// by itself: a heading kept with what follows it, a figure with its
// caption, a short table on one page.
#pragma once

#include <QTextFormat>

class QTextDocument;

namespace report {

// A block property: the block goes to the next page with whatever follows
// it rather than stay alone at the foot of a page.
constexpr int kKeepWithNext = QTextFormat::UserProperty + 10;

// Tables of at most this many rows are not split across pages.
constexpr int kShortTableRows = 16;

// Lays `doc` out on its pages and puts a page break before each marked
// block that the layout parts from what follows it, and before each short
// table that runs over a page's foot (before the heading kept with it,
// where there is one). Repeats until nothing moves, a few times at most.
void KeepTogether(QTextDocument& doc);

} // namespace report
