// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/focusframestyle.h"

#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace windows {

namespace {
const QColor kFocusedButtonFrame{0, 0, 160};
constexpr int kFocusedButtonPen = 2; // px
const QColor kRadioRing{70, 70, 70};
const QColor kRadioDisabledRing{160, 160, 160};
const QColor kRadioPressed{220, 220, 220};

// An option button's indicator as such: a white disc in a dark ring, with a
// black dot when chosen. The option buttons fill their ground from the
// Window role (blue), and the platform's style takes the ring from the
// same role, darker: the ring vanished into the ground and left a plain
// white disc for the unchosen button.
void DrawRadioIndicator(const QStyleOption& option, QPainter& painter) {
    const qreal side = std::min(option.rect.width(), option.rect.height()) - 3;
    QRectF disc(0, 0, side, side);
    disc.moveCenter(QRectF(option.rect).center());
    const bool enabled = option.state & QStyle::State_Enabled;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(enabled ? kRadioRing : kRadioDisabledRing, 1.5));
    painter.setBrush(option.state & QStyle::State_Sunken ? kRadioPressed : QColor(Qt::white));
    painter.drawEllipse(disc);
    if (option.state & QStyle::State_On) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(enabled ? QColor(Qt::black) : kRadioDisabledRing);
        painter.drawEllipse(disc.center(), side * 0.25, side * 0.25);
    }
    painter.restore();
}
} // namespace

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus) ||
        !(option->state & State_Enabled))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(kFocusedButtonFrame, kFocusedButtonPen));
    painter->setBrush(Qt::NoBrush);
    // The pen centred one pixel inside the edge covers the outer two pixels.
    painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (element == PE_IndicatorRadioButton) {
        DrawRadioIndicator(*option, *painter);
        return;
    }
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace windows
