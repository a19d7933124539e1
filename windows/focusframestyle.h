// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus of Form1's case boxes and option buttons, drawn so
// that it shows on their coloured backgrounds, and of push buttons.
#pragma once

#include <QProxyStyle>

namespace windows {

// The application's default style, except that the focus frame is a dotted
// rectangle in the control's caption colour: black on the light cyan case
// boxes, white on the blue option buttons, where the style's own frame in
// the highlight colour does not show. A push button with the focus is
// framed twice as plainly: a solid 2-pixel rectangle in dark blue inside
// its edge, so that Enter's target is seen at a glance. An option button's
// indicator is a ring with a dot whatever ground the button is given.
class FocusFrameStyle : public QProxyStyle {
    Q_OBJECT

public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace windows
