// SPDX-License-Identifier: GPL-3.0-or-later
// The design conditions as the section window takes them, in one row
// under the increase p: 槽宽设计步长 (m), 支承形式 梁式/拱式, 拉杆底距槽顶
// (m, empty for none), 寒冷或严寒地区, 地区 (未注明/湿润/干旱), and a note
// line under them whose place is kept.
//
// A value that cannot be taken is refused in a red sentence naming the
// input as labelled; the box goes back to the value in force and nothing
// changes: no design, no side file.
#pragma once

#include "hydraulics/designchecks.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace windows {

class DesignInput : public QWidget {
    Q_OBJECT

public:
    explicit DesignInput(QWidget* parent = nullptr);

    // Shows the conditions of `conditions` in force, without emitting.
    void show(const hydraulics::DesignConditions& conditions);
    // `conditions` with the five taken from the row.
    hydraulics::DesignConditions applied(hydraulics::DesignConditions conditions) const;
    // Takes a value still being typed, as Enter would.
    void commit();

signals:
    // A value was taken that changes the conditions.
    void conditionsChanged();

private slots:
    void takeBoxes();

private:
    void refuse(const QString& sentence, QLineEdit* box);

    QLineEdit* step_;
    QComboBox* support_;
    QLineEdit* rods_;
    QCheckBox* cold_;
    QComboBox* region_;
    QLabel* note_;
    hydraulics::DesignConditions taken_;
};

} // namespace windows
