// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/connectionprofileview.h"

#include "drawing/connectionprofile.h"

#include <QPainter>
#include <algorithm>

namespace windows {

ConnectionProfileView::ConnectionProfileView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProfilePicture"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMinimumSize((drawing::ConnectionProfileCanvas() * 0.6).toSize());
}

void ConnectionProfileView::setProfile(const std::optional<hydraulics::Connection>& connection,
                                       double h, double L) {
    connection_ = connection;
    h_ = h;
    L_ = L;
    update();
}

QSize ConnectionProfileView::sizeHint() const {
    return drawing::ConnectionProfileCanvas().toSize();
}

void ConnectionProfileView::paintEvent(QPaintEvent*) {
    if (!connection_)
        return;
    QPainter painter(this);
    const QSizeF canvas = drawing::ConnectionProfileCanvas();
    const double scale = std::min(width() / canvas.width(), height() / canvas.height());
    painter.translate((width() - canvas.width() * scale) / 2,
                      (height() - canvas.height() * scale) / 2);
    painter.scale(scale, scale);
    drawing::PaintConnectionProfile(painter, QRectF(QPointF(0, 0), canvas), *connection_, h_, L_);
}

} // namespace windows
