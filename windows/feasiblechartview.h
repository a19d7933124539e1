// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of 推荐断面 (drawing/feasiblechart.h) as a widget; hovering a
// dot names its section and the first check it does not meet.
#pragma once

#include "drawing/feasiblechart.h"

#include <QWidget>

namespace windows {

class FeasibleChartView : public QWidget {
    Q_OBJECT

public:
    explicit FeasibleChartView(QWidget* parent = nullptr);

    void setChart(drawing::FeasibleChart chart);
    const drawing::FeasibleChart& chart() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override; // tooltips

private:
    drawing::FeasibleChart chart_;
};

} // namespace windows
