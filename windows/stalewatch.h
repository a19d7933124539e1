// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the results a window shows still belong to the inputs they were
// computed from.
#pragma once

#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>

namespace windows {

// After calculated() the watch keeps a snapshot of the inputs; recheck(),
// called on any change of an input (typing, a fill from another window),
// compares them with it: different, the results are stale; the same again
// (a change undone), current again. Without results nothing is stale.
class StaleWatch : public QObject {
    Q_OBJECT

public:
    // `inputs` tells the inputs as they stand, in any comparable form.
    StaleWatch(std::function<QVariant()> inputs, QObject* parent);

    void calculated(); // results are shown for the inputs as they stand
    void cleared();    // no results are shown
    bool isStale() const { return stale_; }
    bool hasResults() const { return snapshot_.has_value(); }

public slots:
    void recheck();

signals:
    void staleChanged(bool stale);

private:
    void set(bool stale);

    std::function<QVariant()> inputs_;
    std::optional<QVariant> snapshot_; // the inputs of the results shown
    bool stale_ = false;
};

} // namespace windows
