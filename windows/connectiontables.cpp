// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/connectiontables.h"

#include "drawing/drawingstyle.h"
#include "hydraulics/connectionrows.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace windows {
namespace {

const QColor kGroupGround{235, 235, 235};
const QColor kStaleInk{140, 140, 140};
// Columns of the checks.
constexpr int kItem = 0, kValue = 1, kRequirement = 2, kClause = 3, kVerdict = 4;
// Ems the wrapping columns of the checks keep at least: a figure or a
// requirement on two or three lines, a clause ("GB 50288-2018") on one.
constexpr double kWrappedEms = 7.5;
constexpr double kClauseEms = 8.5;

QTableWidget* MakeTable(QWidget* parent, const QString& name, const QStringList& header) {
    auto* table = new QTableWidget(0, int(header.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(header);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(table->font()).height() + 8);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setWordWrap(true);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    return table;
}

void SetRow(QTableWidget* table, int row, const QStringList& texts, const QColor& ground) {
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        if (ground.isValid())
            item->setBackground(ground);
        table->setItem(row, c, item);
    }
}

// The width of the columns that keep their contents' width, with the frame
// and the room of a vertical scroll bar.
int FixedWidth(const QTableWidget* table, std::initializer_list<int> columns) {
    const QHeaderView* header = table->horizontalHeader();
    const QAbstractItemView* view = table; // where the column's size hint is public
    int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    for (int c : columns)
        width += header->sectionResizeMode(c) == QHeaderView::Fixed
                     ? header->sectionSize(c)
                     : std::max(view->sizeHintForColumn(c), header->sectionSizeHint(c));
    return width;
}

} // namespace

ConnectionTables::ConnectionTables(QWidget* parent) : QWidget(parent) {
    figures_ = MakeTable(this, QStringLiteral("figures"),
                         {QStringLiteral("项目"), QStringLiteral("符号"), QStringLiteral("数值"),
                          QStringLiteral("单位")});
    // 项目 takes the room left (wrapping where it must), the others their own.
    figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    figures_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    figures_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    checks_ = MakeTable(this, QStringLiteral("checks"),
                        {QStringLiteral("项目"), QStringLiteral("计算值"), QStringLiteral("要求"),
                         QStringLiteral("依据"), QStringLiteral("结论")});
    QHeaderView* header = checks_->horizontalHeader();
    const int em = fontMetrics().horizontalAdvance(QChar(0x4E2D)); // "中"
    header->setMinimumSectionSize(int(kWrappedEms * em));
    header->setSectionResizeMode(QHeaderView::Stretch);
    for (int c : {kItem, kVerdict})
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kClause, QHeaderView::Fixed);
    header->resizeSection(kClause, int(kClauseEms * em));
    // Each row as tall as its wrapped lines at the columns' widths of the moment.
    checks_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout_ = new QBoxLayout(QBoxLayout::LeftToRight, this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->addWidget(figures_, 1);
    layout_->addWidget(checks_, 1);
}

void ConnectionTables::setConnection(const hydraulics::Connection* connection,
                                     const std::vector<hydraulics::CheckRow>& rows) {
    figures_->setRowCount(0);
    checks_->setRowCount(0);
    if (connection) {
        fillFigures(*connection);
        fillChecks(rows);
    }
    arrange();
}

void ConnectionTables::setStale(bool stale) {
    for (QTableWidget* table : {figures_, checks_}) {
        QPalette palette = table->palette();
        palette.setColor(QPalette::Text, stale ? kStaleInk : this->palette().color(QPalette::Text));
        table->setPalette(palette);
    }
}

void ConnectionTables::fillFigures(const hydraulics::Connection& connection) {
    for (const hydraulics::ConnectionGroup& group : hydraulics::ConnectionGroups(connection)) {
        const int title = figures_->rowCount();
        figures_->setRowCount(title + 1 + int(group.rows.size()));
        SetRow(figures_, title, {drawing::Utf8(group.title)}, kGroupGround);
        figures_->setSpan(title, 0, 1, 4);
        int row = title + 1;
        for (const hydraulics::ElementRow& r : group.rows)
            SetRow(figures_, row++,
                   {drawing::Utf8(r.name), drawing::Utf8(r.symbol), drawing::Fixed3(r.value),
                    drawing::Utf8(r.unit)},
                   {});
    }
}

void ConnectionTables::fillChecks(const std::vector<hydraulics::CheckRow>& rows) {
    checks_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const hydraulics::CheckRow& row = rows[std::size_t(r)];
        SetRow(checks_, r,
               {drawing::Utf8(row.item), drawing::Utf8(row.value), drawing::Utf8(row.requirement),
                drawing::Utf8(row.clause), drawing::Utf8(hydraulics::VerdictText(row))},
               drawing::VerdictGround(row));
    }
}

void ConnectionTables::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

void ConnectionTables::arrange() {
    // The figures at their columns' width beside the checks at their least
    // (two wrapping columns, the clause, item and verdict at their own).
    const int figures = FixedWidth(figures_, {0, 1, 2, 3});
    const int checks = FixedWidth(checks_, {kItem, kClause, kVerdict}) +
                       2 * checks_->horizontalHeader()->minimumSectionSize();
    const bool side = width() >= figures + layout_->spacing() + checks;
    layout_->setDirection(side ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // Side by side the figures take what their columns need, the checks the rest.
    figures_->setMinimumWidth(side ? figures : 0);
    figures_->setMaximumWidth(side ? figures : QWIDGETSIZE_MAX);
}

} // namespace windows
