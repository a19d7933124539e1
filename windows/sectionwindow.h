// "断面及水力要素": the section drawing of one case window's last
// successful calculation, modeless, with a print button.
#pragma once

#include "drawing/sectiondrawing.h"

#include <QString>
#include <QWidget>
#include <optional>

class QPushButton;
namespace windows {

class IncreaseInput;
class SectionView;

class SectionWindow : public QWidget {
    Q_OBJECT

public:
    // A top-level window; with a parent it closes and goes with it.
    explicit SectionWindow(QWidget* parent = nullptr);

    // Shows the design point of a successful calculation, its checks at the
    // default increase of table 6.3.4 for its discharge. The printed page
    // falls back to `pdfBaseName`.pdf where there is no printer.
    void showFigure(const drawing::SectionFigure& figure, const QString& pdfBaseName);
    // After a failed calculation: no figure.
    void clearFigure();

    const std::optional<drawing::SectionFigure>& figure() const;

private slots:
    void onCommand1Clicked(); // print the window
    // The design checks and the drawing at another increase percentage.
    void redrawAtIncrease(double percent);

private:
    SectionView* view_;
    IncreaseInput* increase_;
    QPushButton* print_;
    QString pdfBaseName_;
};

} // namespace windows
