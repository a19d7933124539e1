// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of a sweep as a widget, under the table of the 方案比选 window.
#pragma once

#include "drawing/sweepchart.h"

#include <QWidget>

namespace windows {

class SweepChartView : public QWidget {
    Q_OBJECT

public:
    explicit SweepChartView(QWidget* parent = nullptr);

    void setChart(drawing::SweepChart chart);
    const drawing::SweepChart& chart() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    drawing::SweepChart chart_;
};

} // namespace windows
