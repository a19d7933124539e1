// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/enterclick.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace windows {

EnterClick::EnterClick(std::initializer_list<QAbstractButton*> buttons, QObject* parent)
    : QObject(parent) {
    for (QAbstractButton* button : buttons)
        button->installEventFilter(this);
}

bool IsPlainEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    return enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool EnterClick::eventFilter(QObject* watched, QEvent* event) {
    if (!IsPlainEnter(event))
        return false;
    auto* button = static_cast<QAbstractButton*>(watched);
    if (button->isEnabled())
        button->animateClick();
    return true;
}

} // namespace windows
