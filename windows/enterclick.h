// SPDX-License-Identifier: GPL-3.0-or-later
// Enter on a focused push button of a window that is no dialog.
#pragma once

#include <QObject>
#include <initializer_list>

class QAbstractButton;
class QEvent;

namespace windows {

// A key press of Enter or Return (the keypad's too) without a modifier.
bool IsPlainEnter(const QEvent* event);

// Enter and Return (the keypad's too) on one of the buttons, while it has
// the focus, click it as Space does, pressed look included. Outside a
// dialog Qt leaves those keys to a button only where it is an auto-default
// button, which would also draw it as the window's default. Owned by
// `parent`.
class EnterClick : public QObject {
    Q_OBJECT

public:
    EnterClick(std::initializer_list<QAbstractButton*> buttons, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace windows
