// SPDX-License-Identifier: GPL-3.0-or-later
// The look the windows add to the platform's style: FocusFrameStyle's focus
// frames, and 隶书 captions drawn from their outlines.
#pragma once

#include "windows/focusframestyle.h"

namespace windows {

// A caption in 隶书 (buttons, titles) is filled as the outline of its
// glyphs, antialiased, whatever the font configuration says: the Kai face
// standing in for 隶书 carries embedded bitmaps for small sizes, and where
// those are taken the strokes turn jagged. Single-line captions only;
// other text is drawn by the platform's style.
class CaptionStyle : public FocusFrameStyle {
    Q_OBJECT

public:
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

} // namespace windows
