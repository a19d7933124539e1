// SPDX-License-Identifier: GPL-3.0-or-later
// Enter in the input boxes of a case window: typing the basic data from the
// keyboard alone, one value and Enter after another.
#pragma once

#include <QObject>
#include <vector>

class QAbstractButton;
class QLineEdit;

namespace windows {

// Enter (or the keypad's Enter) in an input box moves the focus to the next
// box and selects its text, so that typing replaces it. Enter in the last
// box, or on `compute` while it has the focus, clicks `compute`. Owned by
// `parent`; watches the boxes and the button through an event filter, so
// their own key handling is otherwise unchanged.
class EnterWalk : public QObject {
    Q_OBJECT

public:
    // The next box: in reading order, left to right and top to bottom
    // whatever the Tab order, for boxes placed in one window by their
    // geometry (the case windows); else in the order given (boxes in
    // layouts, whose places are known only once shown).
    enum class Order { Reading, AsGiven };

    EnterWalk(std::vector<QLineEdit*> boxes, QAbstractButton* compute, QObject* parent,
              Order order = Order::Reading);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QLineEdit*> boxes_; // in reading order
    QAbstractButton* compute_;
};

} // namespace windows
