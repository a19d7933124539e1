// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/undernotes.h"

#include "windows/look.h"

#include <QLabel>
#include <QPalette>

namespace windows {

namespace {
// Px.
constexpr int kNoteMargin = 12;
constexpr int kNoteLineHeight = 22;
constexpr int kNoteGap = 4; // under each note
} // namespace

UnderNotes::UnderNotes(QWidget& window)
    : QObject(&window), window_(window), designedHeight_(window.height()) {}

QLabel* UnderNotes::add(const QString& name, const QString& text) {
    auto* note = new QLabel(text, &window_);
    note->setObjectName(name);
    note->setFont(HeiTi(9));
    note->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    note->setIndent(6);
    SetInk(*note, kAmberInk, kAmberGround);
    note->setGeometry(kNoteMargin, designedHeight_, window_.width() - 2 * kNoteMargin,
                      kNoteLineHeight);
    note->hide();
    notes_.push_back(note);
    return note;
}

void UnderNotes::show(QLabel* note, bool shown) {
    note->setVisible(shown);
    int bottom = designedHeight_;
    for (QLabel* each : notes_) {
        if (each->isHidden())
            continue;
        each->move(each->x(), bottom);
        bottom += each->height() + kNoteGap;
    }
    window_.resize(window_.width(), bottom);
}

} // namespace windows
