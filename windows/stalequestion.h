// SPDX-License-Identifier: GPL-3.0-or-later
// Results that no longer belong to the inputs as they stand: the words the
// windows mark them with, and the question asked before they are printed
// or written into a report.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace windows {

// The note of every window whose results the inputs have left behind.
inline const QString kStaleNote = QStringLiteral("基本资料已改动，成果尚未重新计算");

enum class StaleAnswer {
    Recalculate, // "先重新计算": calculate first, then go on if that succeeded
    UseOld,      // "仍按原成果打印": go on; a print carries the note
    Cancel,      // "取消", Esc
};

// Asks, with `parent`'s window named by `windowName` in the title, whether
// to calculate first; 先重新计算 is the default.
StaleAnswer AskAboutStaleResults(QWidget* parent, const QString& windowName);

// The note as a hidden line of `parent` for a window's layout, in the amber
// of the case windows' notes, wrapping where the window is narrow.
QLabel* MakeStaleNote(QWidget* parent, const QString& text);

} // namespace windows
