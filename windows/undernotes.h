// SPDX-License-Identifier: GPL-3.0-or-later
// The lines under a case window's designed client area: notes about its
// results, each shown or hidden on its own.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QLabel;
class QWidget;

namespace windows {

// The shown notes stand one under another, in the order they were added,
// below the designed client area; the window is as tall as they need, and
// of its designed height when none is shown.
class UnderNotes : public QObject {
    Q_OBJECT

public:
    // `window` stands at its designed size.
    explicit UnderNotes(QWidget& window);

    // A hidden note named `name`: dark amber 黑体 on a light amber line
    // across the window.
    QLabel* add(const QString& name, const QString& text);
    void show(QLabel* note, bool shown);

private:
    QWidget& window_;
    const int designedHeight_;
    std::vector<QLabel*> notes_;
};

} // namespace windows
