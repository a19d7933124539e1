// SPDX-License-Identifier: GPL-3.0-or-later
// The increase percentage of the design checks as the section window
// takes it: "加大百分数 p (%)" with a spin box, the range that table 6.3.4
// gives for the design discharge beside it, and a note line under them.
#pragma once

#include "hydraulics/regionincrease.h"

#include <QString>
#include <QWidget>
#include <optional>

class QDoubleSpinBox;
class QLabel;

namespace windows {

class IncreaseInput : public QWidget {
    Q_OBJECT

public:
    explicit IncreaseInput(QWidget* parent = nullptr);

    // A new calculation with design discharge Q, m³/s, without emitting
    // percentChanged. A percentage the user set stays while Q stays in the
    // same row of table 6.3.4; otherwise the row's default is shown, with a
    // note when it replaces the user's. Returns the percentage shown.
    // The default is the end of the row that `region` takes (the larger
    // where none is given).
    double startFor(double Q, std::optional<hydraulics::Region> region = {});
    // No calculation: nothing to set. The user's percentage is kept.
    void clear();

    double percent() const;
    // Takes a value still being typed, as Enter would.
    void commit();

signals:
    // The user set another percentage, within 0..50 %.
    void percentChanged(double percent);

private slots:
    // A value outside 0..50 % is refused: the box goes back to the last
    // one taken and the note says why.
    void takeTyped(double percent);

private:
    void showNote(const QString& text, bool refusal);

    QDoubleSpinBox* spin_;
    QLabel* range_;
    QLabel* note_;
    double taken_ = 0;     // %, the percentage in force
    bool userSet_ = false; // taken_ was set by the user, not a default
    QString row_;          // the row of table 6.3.4 taken_ belongs to
};

} // namespace windows
