// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/recommendmodel.h"

#include "hydraulics/recommendtext.h"
#include "windows/look.h"
#include "windows/sweepmodel.h"

#include <QStandardItemModel>
#include <string>
#include <utility>
#include <vector>

namespace windows {
namespace {

using hydraulics::RankedSection;

// Met first, then notes and classifications, then checks not met.
int Rank(const hydraulics::CheckRow& row) {
    if (hydraulics::Fails(row))
        return 3;
    if (!hydraulics::Meets(row))
        return 2;
    return row.verdict == hydraulics::Verdict::Note ? 1 : 0;
}

// The checks of the sections shown, by id, in the order of their rows.
std::vector<std::pair<std::string, std::string>>
CheckColumns(const std::vector<const RankedSection*>& shown) {
    std::vector<std::pair<std::string, std::string>> columns;
    for (const RankedSection* k : shown)
        for (const hydraulics::CheckRow& row : k->section.rows)
            if (std::none_of(columns.begin(), columns.end(),
                             [&](const auto& c) { return c.first == row.id; }))
                columns.emplace_back(row.id, row.item);
    return columns;
}

std::vector<const RankedSection*> Shown(const hydraulics::Recommendation& r) {
    std::vector<const RankedSection*> shown;
    if (r.recommended)
        shown.push_back(&*r.recommended);
    for (const RankedSection& k : r.alternatives)
        shown.push_back(&k);
    if (!r.recommended && r.closest)
        shown.push_back(&*r.closest);
    return shown;
}

QList<QStandardItem*> RowItems(const hydraulics::Recommendation& r, const RankedSection& k,
                               int index,
                               const std::vector<std::pair<std::string, std::string>>& columns) {
    const QString mark = !r.recommended ? QStringLiteral("最接近")
                         : index == 0   ? QStringLiteral("推荐")
                                        : QStringLiteral("备选 %1").arg(index);
    QList<QStandardItem*> items{SortableCell(mark, index)};
    for (const hydraulics::RankedCell& cell : hydraulics::RankedCells(r, k))
        items.append(SortableCell(Utf8(cell.text),
                                  std::isfinite(cell.value) ? QVariant(cell.value) : QVariant()));
    for (const auto& column : columns) {
        const std::string& id =
            column.first; // not a structured binding: clang 14 cannot capture one
        const auto row = std::find_if(k.section.rows.begin(), k.section.rows.end(),
                                      [&](const hydraulics::CheckRow& c) { return c.id == id; });
        if (row == k.section.rows.end()) {
            items.append(SortableCell(QString(), 0));
            continue;
        }
        QStandardItem* cell = SortableCell(Utf8(hydraulics::VerdictText(*row)), Rank(*row));
        if (const QColor ground = drawing::VerdictGround(*row); ground.isValid())
            cell->setBackground(ground);
        cell->setToolTip(Utf8(row->item + "：" + row->value));
        items.append(cell);
    }
    if (k.section.feasible)
        for (QStandardItem* item : items)
            item->setBackground(drawing::kMetGround);
    return items;
}

} // namespace

void FillRecommendModel(QStandardItemModel& model, const hydraulics::Recommendation& r) {
    model.clear();
    const std::vector<const RankedSection*> shown = Shown(r);
    const auto columns = CheckColumns(shown);
    QStringList headers{QStringLiteral("方案")};
    for (const std::string& title : hydraulics::RankedHeader(r))
        headers.append(Utf8(title));
    for (const auto& column : columns)
        headers.append(Utf8(column.second));
    model.setHorizontalHeaderLabels(headers);
    for (std::size_t k = 0; k < shown.size(); ++k)
        model.appendRow(RowItems(r, *shown[k], int(k), columns));
}

const RankedSection* RankedOfRow(const hydraulics::Recommendation& r, int row) {
    const std::vector<const RankedSection*> shown = Shown(r);
    return row >= 0 && std::size_t(row) < shown.size() ? shown[std::size_t(row)] : nullptr;
}

} // namespace windows
