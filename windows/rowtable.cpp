// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/rowtable.h"

#include <QHeaderView>
#include <QSplitter>
#include <QTableView>

namespace windows {

QTableView* MakeRowTable(QWidget* parent, const QString& name, QAbstractItemModel* model) {
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    table->verticalHeader()->setVisible(false);
    return table;
}

QSplitter* StackVertically(QWidget* parent, QWidget* top, QWidget* bottom, int topStretch,
                           int bottomStretch) {
    auto* split = new QSplitter(Qt::Vertical, parent);
    split->setChildrenCollapsible(false);
    split->addWidget(top);
    split->addWidget(bottom);
    split->setStretchFactor(0, topStretch);
    split->setStretchFactor(1, bottomStretch);
    return split;
}

} // namespace windows
