// SPDX-License-Identifier: GPL-3.0-or-later
// The results of "渠道与水面衔接" as two tables: the figures by group
// (项目, 符号, 数值, 单位) and the checks (项目, 计算值, 要求, 依据, 结论),
// a check not met on light red, a note on amber.
#pragma once

#include "hydraulics/connection.h"

#include <QWidget>
#include <optional>
#include <vector>

class QBoxLayout;
class QTableWidget;

namespace windows {

// Side by side where the width allows both their columns, one above the
// other where it does not, so that neither ever scrolls sideways: the
// figures keep their columns' widths, the checks wrap their 计算值, 要求
// and 依据 into lines.
class ConnectionTables : public QWidget {
    Q_OBJECT

public:
    explicit ConnectionTables(QWidget* parent = nullptr);

    // Fills both tables: the figures of `connection` and the checks
    // `rows`; a null connection empties them.
    void setConnection(const hydraulics::Connection* connection,
                       const std::vector<hydraulics::CheckRow>& rows);
    // Results that the inputs have left behind: their text greyed.
    void setStale(bool stale);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillFigures(const hydraulics::Connection& connection);
    void fillChecks(const std::vector<hydraulics::CheckRow>& rows);
    void arrange(); // side by side or stacked, the check rows as tall as their lines

    QBoxLayout* layout_;
    QTableWidget* figures_;
    QTableWidget* checks_;
};

} // namespace windows
