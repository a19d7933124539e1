// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/stalewatch.h"

namespace windows {

StaleWatch::StaleWatch(std::function<QVariant()> inputs, QObject* parent)
    : QObject(parent), inputs_(std::move(inputs)) {}

void StaleWatch::calculated() {
    snapshot_ = inputs_();
    set(false);
}

void StaleWatch::cleared() {
    snapshot_.reset();
    set(false);
}

void StaleWatch::recheck() {
    set(snapshot_ && inputs_() != *snapshot_);
}

void StaleWatch::set(bool stale) {
    if (stale == stale_)
        return;
    stale_ = stale;
    emit staleChanged(stale);
}

} // namespace windows
