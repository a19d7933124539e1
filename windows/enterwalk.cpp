// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/enterwalk.h"

#include "windows/enterclick.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <algorithm>

namespace windows {

EnterWalk::EnterWalk(std::vector<QLineEdit*> boxes, QAbstractButton* compute, QObject* parent,
                     Order order)
    : QObject(parent), boxes_(std::move(boxes)), compute_(compute) {
    // Reading order: rows top to bottom, each left to right.
    if (order == Order::Reading)
        std::stable_sort(boxes_.begin(), boxes_.end(), [](const QLineEdit* a, const QLineEdit* b) {
            return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
        });
    for (QLineEdit* box : boxes_)
        box->installEventFilter(this);
    compute_->installEventFilter(this);
}

bool EnterWalk::eventFilter(QObject* watched, QEvent* event) {
    if (!IsPlainEnter(event))
        return false;
    if (watched == compute_ || (!boxes_.empty() && watched == boxes_.back())) {
        if (compute_->isEnabled())
            compute_->click();
        return true;
    }
    const auto at = std::find(boxes_.begin(), boxes_.end(), watched);
    if (at == boxes_.end())
        return false;
    QLineEdit* next = *(at + 1);
    next->setFocus(Qt::TabFocusReason);
    next->selectAll();
    // Boxes in a scrolling panel (a small screen, 200 %) come into view as
    // they would on Tab.
    for (QWidget* up = next->parentWidget(); up; up = up->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
            scroll->ensureWidgetVisible(next);
            break;
        }
    return true;
}

} // namespace windows
