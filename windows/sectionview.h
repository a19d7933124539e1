// SPDX-License-Identifier: GPL-3.0-or-later
// The section drawing as a widget: paints the figure it is given, or the
// note that there is none yet.
#pragma once

#include "drawing/sectiondrawing.h"

#include <QWidget>
#include <optional>

namespace windows {

class SectionView : public QWidget {
    Q_OBJECT

public:
    explicit SectionView(QWidget* parent = nullptr);

    // Shows `figure`; std::nullopt clears the drawing.
    void setFigure(const std::optional<drawing::SectionFigure>& figure);
    const std::optional<drawing::SectionFigure>& figure() const;

    // The drawing's natural size, which is also its least: the canvas at
    // one unit a pixel, or larger where the interface's fonts are set for
    // more than 96 dots per inch, so that its smallest text (13 units) is
    // never smaller than the windows' smallest (9 pt, 12 px at 96 dpi).
    // Where the window is smaller, it scrolls; at QT_SCALE_FACTOR=2 its
    // pixels double with everything else's.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<drawing::SectionFigure> figure_;
};

} // namespace windows
