// The keyboard focus of Form1's case boxes and option buttons, drawn so
// that it shows on their coloured backgrounds.
#pragma once

#include <QProxyStyle>

namespace windows {

// The application's default style, except that the focus frame is a dotted
// rectangle in the control's caption colour: black on the light cyan case
// boxes, white on the blue option buttons, where the style's own frame in
// the highlight colour does not show.
class FocusFrameStyle : public QProxyStyle {
    Q_OBJECT

public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace windows
