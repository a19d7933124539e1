// SPDX-License-Identifier: GPL-3.0-or-later
// The longitudinal profile of "渠道与水面衔接" as a widget, scaled to fit
// with the canvas's proportions kept.
#pragma once

#include "hydraulics/connection.h"

#include <QWidget>
#include <optional>

namespace windows {

class ConnectionProfileView : public QWidget {
    Q_OBJECT

public:
    explicit ConnectionProfileView(QWidget* parent = nullptr);

    // The connection of a flume of design depth h and length L, m;
    // std::nullopt clears the drawing.
    void setProfile(const std::optional<hydraulics::Connection>& connection, double h, double L);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<hydraulics::Connection> connection_;
    double h_ = 0, L_ = 0;
};

} // namespace windows
