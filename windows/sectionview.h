// The section drawing as a widget: paints the figure it is given, or the
// note that there is none yet.
#pragma once

#include "sectiondrawing.h"

#include <QWidget>
#include <optional>

class SectionView : public QWidget {
    Q_OBJECT

public:
    explicit SectionView(QWidget* parent = nullptr);

    // Shows `figure`; std::nullopt clears the drawing.
    void setFigure(const std::optional<windows::SectionFigure>& figure);
    const std::optional<windows::SectionFigure>& figure() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<windows::SectionFigure> figure_;
};
