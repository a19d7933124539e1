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

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<drawing::SectionFigure> figure_;
};

} // namespace windows
