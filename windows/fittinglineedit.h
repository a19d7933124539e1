// SPDX-License-Identifier: GPL-3.0-or-later
// A box that always shows its whole number legibly: the boxes are 45 to 49
// px wide, narrow for seven significant digits in the interface font.
#pragma once

#include <QFont>
#include <QLineEdit>
#include <QRect>

namespace windows {

class FittingLineEdit : public QLineEdit {
    Q_OBJECT

public:
    // The smallest size a number is drawn in: below it digits turn grey
    // and blurred on screen and on the printed image.
    static constexpr qreal kLegiblePoints = 8.0;

    explicit FittingLineEdit(QWidget* parent = nullptr);

    // The room the box may take, in the window's pixels, when its text does
    // not fit at the legible size: from `left` up to, not including,
    // `right`, the inside of its table cell. Call once the box stands at its
    // designed place; without a cell the box never widens.
    void setCell(int left, int right);

protected:
    void changeEvent(QEvent* event) override;

private:
    // A text wider than the room inside the frame is drawn in a smaller size
    // of the designed font, 0.5 pt at a time down to kLegiblePoints; where
    // it still does not fit, the box widens about its centre within its
    // cell, and past the cell's width the letters narrow. Font and width
    // come back as soon as the text fits again. The whole text is the
    // tooltip.
    void fit();
    QFont legibleFont() const; // the designed font or the largest smaller one that fits
    int textWidth(const QFont& font) const;
    int chrome() const; // the box's width less the room for text
    void apply(const QFont& font, const QRect& geometry);

    QFont design_;           // the font set on the box or inherited, before any fitting
    bool inherited_ = true;  // design_ comes from the parent, not set on the box
    bool fitted_ = false;    // font or width differ from the design
    bool adjusting_ = false; // our own setFont() or setGeometry(), not a new design
    QRect designGeometry_;
    int cellLeft_ = 0, cellRight_ = 0;
};

} // namespace windows
