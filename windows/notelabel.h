// SPDX-License-Identifier: GPL-3.0-or-later
// A note of the case windows: a label whose runs of blanks place its words.
#pragma once

#include <QLabel>

namespace windows {

// Draws each blank of its text half an em wide, as the design faces have
// it, whatever the width of the blank in the face that stands in: the
// notes line their words up under each other and against the next label
// with runs of blanks, and a narrow blank would leave a gap before the
// "～" that follows. text() keeps the caption as given.
//
// A note that reaches to a "～" (meetsNext) ends flush against it: the room
// its words leave at the right is spread between their letters, a few
// pixels at most, while its leading blanks keep its first word in place.
class NoteLabel : public QLabel {
    Q_OBJECT

public:
    explicit NoteLabel(const QString& text, QWidget* parent = nullptr, bool meetsNext = false);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString shownText() const; // blanks as EN SPACE, U+2002, half an em

    bool meetsNext_;
};

} // namespace windows
