// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison table of a sweep as an item model: ✓, the variable, the
// solved quantity, B, h, v, Fr, H, H/B, Z, one column per design check and
// a remark. Every cell carries its sort key in Qt::UserRole (a number, a
// verdict's rank), so that a proxy sorting by that role sorts numerically;
// a figure not formed has none and sorts last.
#pragma once

#include "hydraulics/sweep.h"

#include <QSortFilterProxyModel>
#include <QStringList>
#include <vector>

class QStandardItem;
class QStandardItemModel;

namespace windows {

constexpr int kSweepMarkColumn = 0;  // "✓" where the row meets every check
constexpr int kSweepValueColumn = 1; // the variable as stored
// Every cell of a row whose calculation failed holds true in this role.
constexpr int kSweepFailedRole = Qt::UserRole + 1;

// A cell of text `text`, sorted by `key` (Qt::UserRole), centred and read-only.
QStandardItem* SortableCell(const QString& text, const QVariant& key);

// The table sorted by the cells' Qt::UserRole (numbers as numbers, verdicts
// by rank). Rows that failed, then figures not formed, stay last whichever
// way a column is sorted: they have nothing to compare.
class SweepSortModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit SweepSortModel(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// The table's headings: the figures, then one per check column
// (hydraulics::SweepCheckColumns), then 说明.
QStringList SweepHeaders(int caseNumber, std::size_t variable,
                         const std::vector<hydraulics::CheckRow>& columns);

// Replaces the model's rows with `rows`: a row that meets every check on a
// light green ground, a check not met on the light red ground of the
// section window's table, a note on its amber; a failed row's message in
// the last column.
// With canal data the water-surface connection's checks follow the design
// checks; the columns are those the canals and conditions give, a row
// without a check of a column's kind leaves its cell empty.
void FillSweepModel(QStandardItemModel& model, const std::vector<hydraulics::SweepRow>& rows,
                    int caseNumber, std::size_t variable,
                    const std::optional<hydraulics::ConnectionInput>& connection = {},
                    const hydraulics::DesignConditions& conditions = {});

} // namespace windows
