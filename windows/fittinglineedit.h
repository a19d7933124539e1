// A box that always shows its whole text: the result boxes are 45 px wide,
// too narrow for seven significant digits in the interface font.
#pragma once

#include <QFont>
#include <QLineEdit>

namespace windows {

class FittingLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit FittingLineEdit(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // When the text is wider than the room inside the frame, draws it in a
    // smaller size of the designed font, 0.5 pt at a time down to 6 pt, then
    // in narrower letters; back to the designed font as soon as it fits.
    void fit();
    QFont fittingFont() const; // the designed font or the largest smaller form that fits
    bool fits(const QFont& font) const;
    int room() const;

    QFont design_;          // the font set on the box or inherited, before any fitting
    bool inherited_ = true; // design_ comes from the parent, not set on the box
    bool shrunk_ = false;
    bool adjusting_ = false; // our own setFont(), not a new design
};

} // namespace windows
