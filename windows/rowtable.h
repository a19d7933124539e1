// SPDX-License-Identifier: GPL-3.0-or-later
// The parts the comparison windows share: a table of results with a row a
// section, and two views one over the other.
#pragma once

#include <QString>

class QAbstractItemModel;
class QSplitter;
class QTableView;
class QWidget;

namespace windows {

// A table of `model` named `name`: whole rows selected one at a time,
// sorted by a click on a column's header (in the model's order until
// then), no row numbers.
QTableView* MakeRowTable(QWidget* parent, const QString& name, QAbstractItemModel* model);

// `top` over `bottom` with the border between them movable, neither
// squeezed away, the room shared topStretch : bottomStretch.
QSplitter* StackVertically(QWidget* parent, QWidget* top, QWidget* bottom, int topStretch,
                           int bottomStretch);

} // namespace windows
