// The increase percentage of the design checks as the section window
// takes it: "加大百分数 p (%)" with a spin box from 0 to 50 %, and the range
// that table 6.3.4 gives for the design discharge beside it.
#pragma once

#include <QWidget>

class QDoubleSpinBox;
class QLabel;

namespace windows {

class IncreaseInput : public QWidget {
    Q_OBJECT

public:
    explicit IncreaseInput(QWidget* parent = nullptr);

    // A new calculation with design discharge Q, m³/s: the default
    // increase of its row of table 6.3.4 and the row's range, without
    // emitting percentChanged. Returns the percentage shown.
    double startFor(double Q);
    // No calculation: nothing to set.
    void clear();

    double percent() const;

signals:
    // The user set another percentage.
    void percentChanged(double percent);

private:
    QDoubleSpinBox* spin_;
    QLabel* range_;
};

} // namespace windows
