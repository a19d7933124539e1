// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sweepmodel.h"

#include "hydraulics/sweeptable.h"
#include "windows/look.h"

#include <QStandardItemModel>

namespace windows {

namespace {

// "h (m)", "Fr".
QString Heading(std::string_view symbol, std::string_view unit) {
    return unit.empty() ? Utf8(symbol) : QStringLiteral("%1 (%2)").arg(Utf8(symbol), Utf8(unit));
}

QStandardItem* Figure(const std::optional<double>& value) {
    return SortableCell(Utf8(hydraulics::FormatElement(value)),
                        value && std::isfinite(*value) ? QVariant(*value) : QVariant());
}

// Met first, then notes, then checks not met, then those not formed.
int Rank(hydraulics::Verdict verdict) {
    switch (verdict) {
    case hydraulics::Verdict::Met:
        return 0;
    case hydraulics::Verdict::Note:
        return 1;
    case hydraulics::Verdict::NotMet:
        return 2;
    case hydraulics::Verdict::Unknown:
        break;
    }
    return 3;
}

QString Failure(hydraulics::SweepStatus status) {
    return status == hydraulics::SweepStatus::NotConverged ? QStringLiteral("未收敛")
                                                           : QStringLiteral("出错");
}

// A check's verdict on its ground; "—" in a row that failed, nothing
// where the row has no check of the column's kind.
QStandardItem* CheckCell(const std::optional<hydraulics::CheckRow>& check, bool ok) {
    if (!check)
        return SortableCell(ok ? QString() : QStringLiteral("—"), QVariant());
    QStandardItem* item = SortableCell(Utf8(hydraulics::VerdictText(*check)), Rank(check->verdict));
    if (const QColor ground = drawing::VerdictGround(*check); ground.isValid())
        item->setBackground(ground);
    item->setToolTip(Utf8(check->item + "：" + check->value));
    return item;
}

QList<QStandardItem*> RowItems(const hydraulics::SweepRow& row, int caseNumber,
                               std::size_t variable,
                               const std::vector<hydraulics::CheckRow>& columns) {
    const bool ok = row.status == hydraulics::SweepStatus::Ok;
    const hydraulics::SweepFigures f = hydraulics::FiguresOf(row, caseNumber);
    const std::optional<float>& value = row.inputs[variable];
    QList<QStandardItem*> items{
        SortableCell(row.meetsAll ? QStringLiteral("✓") : QString(), row.meetsAll ? 0 : 1),
        SortableCell(Utf8(hydraulics::SweepValueText(row, variable)),
                     value ? double(*value) : row.requested),
        ok ? SortableCell(Utf8(row.results.back()), f.solved ? QVariant(*f.solved) : QVariant())
           : SortableCell(Failure(row.status), QVariant())};
    for (const auto& figure : {f.B, f.h, f.v, f.Fr, f.H, f.ratio, f.Z})
        items.append(Figure(figure));
    for (const std::optional<hydraulics::CheckRow>& check : hydraulics::SweepCells(row, columns))
        items.append(CheckCell(check, ok));
    QStandardItem* remark = SortableCell(Utf8(row.message), Utf8(row.message));
    remark->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    remark->setToolTip(Utf8(row.message));
    items.append(remark);
    for (QStandardItem* item : items) {
        if (row.meetsAll)
            item->setBackground(drawing::kMetGround);
        item->setData(!ok, kSweepFailedRole);
    }
    return items;
}

// 0 a cell with a key, 1 a figure not formed, 2 a row that failed.
int Lateness(const QModelIndex& index) {
    if (index.data(kSweepFailedRole).toBool())
        return 2;
    return index.data(Qt::UserRole).isValid() ? 0 : 1;
}

} // namespace

QStandardItem* SortableCell(const QString& text, const QVariant& key) {
    auto* item = new QStandardItem(text);
    item->setData(key, Qt::UserRole);
    item->setEditable(false);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

SweepSortModel::SweepSortModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(Qt::UserRole);
}

bool SweepSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    // A descending sort asks lessThan(right, left): what is to stay last
    // must then come out less.
    const int l = Lateness(left), r = Lateness(right);
    if (l != r)
        return (sortOrder() == Qt::AscendingOrder) == (l < r);
    if (l == 1) // neither has a key
        return false;
    return QSortFilterProxyModel::lessThan(left, right);
}

QStringList SweepHeaders(int caseNumber, std::size_t variable,
                         const std::vector<hydraulics::CheckRow>& columns) {
    const hydraulics::CaseInfo& info = hydraulics::Case(caseNumber);
    const hydraulics::Quantity& var = info.inputNames.at(variable);
    const hydraulics::Quantity& solved = info.results.back();
    QStringList headers{QStringLiteral("全部满足"),
                        Heading(var.display, var.unit),
                        QStringLiteral("求得 ") + Heading(solved.display, solved.unit),
                        QStringLiteral("B (m)"),
                        QStringLiteral("h (m)"),
                        QStringLiteral("v (m/s)"),
                        QStringLiteral("Fr"),
                        QStringLiteral("H (m)"),
                        QStringLiteral("H/B"),
                        QStringLiteral("Z (m)")};
    for (const hydraulics::CheckRow& check : columns)
        headers.append(Utf8(check.item));
    headers.append(QStringLiteral("说明"));
    return headers;
}

void FillSweepModel(QStandardItemModel& model, const std::vector<hydraulics::SweepRow>& rows,
                    int caseNumber, std::size_t variable,
                    const std::optional<hydraulics::ConnectionInput>& connection,
                    const hydraulics::DesignConditions& conditions) {
    const std::vector<hydraulics::CheckRow> columns =
        hydraulics::SweepCheckColumns(connection, conditions);
    model.clear();
    model.setHorizontalHeaderLabels(SweepHeaders(caseNumber, variable, columns));
    for (const hydraulics::SweepRow& row : rows)
        model.appendRow(RowItems(row, caseNumber, variable, columns));
}

} // namespace windows
