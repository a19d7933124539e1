// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/pagebreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <cmath>
#include <vector>

namespace report {
namespace {

constexpr int kMaxPasses = 8;
constexpr int kMaxSplits = 100; // more than a report has pages
// An item this near the top of its page stays: a break before it would
// only leave a page empty.
constexpr double kTopShare = 0.05;

// One item of the document's top level: a block or a table.
struct Item {
    QTextBlock block; // valid for a block
    QTextTable* table = nullptr;
};

std::vector<Item> TopLevelItems(QTextDocument& doc) {
    std::vector<Item> items;
    for (QTextFrame::iterator it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextTable* table = qobject_cast<QTextTable*>(it.currentFrame()))
            items.push_back({QTextBlock(), table});
        else if (it.currentBlock().isValid())
            items.push_back({it.currentBlock(), nullptr});
    }
    return items;
}

int PageOf(const QTextDocument& doc, double y) {
    return static_cast<int>(std::floor(y / doc.pageSize().height()));
}

// The page the item's first line stands on (not its space above, which
// may stay at the foot of the page before).
int FirstPage(QTextDocument& doc, const Item& item) {
    const QTextBlock first =
        item.table ? item.table->cellAt(0, 0).firstCursorPosition().block() : item.block;
    const QTextLayout* layout = first.layout(); // a cell's is placed within its cell
    if (item.table || !layout || layout->lineCount() == 0)
        return PageOf(doc, doc.documentLayout()->blockBoundingRect(first).top());
    return PageOf(doc, layout->position().y() + layout->lineAt(0).y() + 1);
}

double Top(QTextDocument& doc, const Item& item) {
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    return item.table ? layout->frameBoundingRect(item.table).top()
                      : layout->blockBoundingRect(item.block).top();
}

bool BreakBefore(QTextDocument& doc, const Item& item) {
    const double page = doc.pageSize().height();
    if (Top(doc, item) - PageOf(doc, Top(doc, item)) * page < kTopShare * page)
        return false;
    if (item.table) {
        QTextTableFormat format = item.table->format();
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            return false;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        item.table->setFormat(format);
        return true;
    }
    QTextBlockFormat format = item.block.blockFormat();
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return false;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(item.block).setBlockFormat(format);
    return true;
}

bool Kept(const Item& item) {
    return !item.table && item.block.blockFormat().boolProperty(kKeepWithNext);
}

// The first break that one pass finds missing, made; false when none is.
bool OneBreak(QTextDocument& doc) {
    const std::vector<Item> items = TopLevelItems(doc);
    for (std::size_t k = 0; k + 1 < items.size(); ++k) {
        const Item& item = items[k];
        const Item& next = items[k + 1];
        if (Kept(item) && FirstPage(doc, item) != FirstPage(doc, next)) {
            // The whole run of kept blocks goes, from its first: a break
            // before a later one would leave the earlier ones alone.
            std::size_t first = k;
            while (first > 0 && Kept(items[first - 1]))
                --first;
            if (BreakBefore(doc, items[first]))
                return true;
        }
        if (!item.table || item.table->rows() > kShortTableRows)
            continue;
        const QRectF rect = doc.documentLayout()->frameBoundingRect(item.table);
        if (PageOf(doc, rect.top()) == PageOf(doc, rect.bottom() - 1))
            continue;
        const Item& owner = k > 0 && Kept(items[k - 1]) ? items[k - 1] : item;
        if (BreakBefore(doc, owner))
            return true;
    }
    return false;
}

// The page a line of a laid-out block stands on.
int LinePage(const QTextDocument& doc, const QTextLayout& layout, int line) {
    return PageOf(doc, layout.position().y() + layout.lineAt(line).y() + 1);
}

// The first paragraph of the top level that runs over a page's foot,
// split into two where its page ends; false when there is none.
bool OneSplit(QTextDocument& doc) {
    for (const Item& item : TopLevelItems(doc)) {
        const QTextLayout* layout = item.table ? nullptr : item.block.layout();
        if (!layout || layout->lineCount() < 2)
            continue;
        const int first = LinePage(doc, *layout, 0);
        for (int k = 1; k < layout->lineCount(); ++k) {
            if (LinePage(doc, *layout, k) == first)
                continue;
            QTextBlockFormat format = item.block.blockFormat();
            QTextCursor at(item.block);
            at.setPosition(item.block.position() + layout->lineAt(k).textStart());
            QTextBlockFormat head = format, tail = format;
            head.setBottomMargin(0);
            tail.setTopMargin(0);
            tail.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            at.setBlockFormat(head);
            at.insertBlock(tail, at.charFormat());
            return true;
        }
    }
    return false;
}

} // namespace

void KeepTogether(QTextDocument& doc) {
    for (int pass = 0; pass < kMaxPasses && OneBreak(doc); ++pass) {
    }
    // Each paragraph on one page: the layout draws a paragraph that runs
    // over a page's foot on both pages, each time whole, so that its lines
    // of one page would be in the other's text layer too (hidden by the
    // clip). One paragraph of each page's part instead, the second after
    // a page break; the lines stay where they were.
    for (int pass = 0; pass < kMaxSplits && OneSplit(doc); ++pass) {
    }
}

} // namespace report
