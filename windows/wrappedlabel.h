// SPDX-License-Identifier: GPL-3.0-or-later
// A plain-text label whose wrapped lines stand one em apart.
//
// The captions of the main window were laid out for faces without extra
// leading: a two-line caption fills a box two ems high. The free faces that
// stand in for them add leading, which would push the second line out of
// its box; this label keeps the designed line step whatever the face.
#pragma once

#include <QLabel>

namespace windows {

class WrappedLabel : public QLabel {
    Q_OBJECT

public:
    explicit WrappedLabel(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace windows
