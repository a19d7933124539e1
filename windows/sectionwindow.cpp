#include "windows/sectionwindow.h"

#include "windows/appearance.h"
#include "windows/increaseinput.h"
#include "windows/sectionview.h"
#include "windows/windowprinter.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace windows {

SectionWindow::SectionWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("断面及水力要素"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    view_ = new SectionView(this);
    print_ = new QPushButton(QStringLiteral("打印"), this);
    print_->setObjectName(QStringLiteral("Command1"));
    print_->setFont(LiShu(14.25));
    print_->setFixedSize(120, 26); // the case windows' button height
    connect(print_, &QPushButton::clicked, this, &SectionWindow::onCommand1Clicked);

    increase_ = new IncreaseInput(this);
    connect(increase_, &IncreaseInput::percentChanged, this, &SectionWindow::redrawAtIncrease);
    auto* inputs = new QHBoxLayout;
    inputs->addStretch();
    inputs->addWidget(increase_);
    inputs->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(view_, 1);
    layout->addLayout(inputs);
    layout->addLayout(buttons);
    // The whole canvas where the screen allows (a new window would get at
    // most two thirds of the screen), smaller and scaled where it does not.
    if (const QScreen* screen = this->screen())
        resize(sizeHint().boundedTo(screen->availableGeometry().size() * 0.92));
}

void SectionWindow::showFigure(const drawing::SectionFigure& figure, const QString& pdfBaseName) {
    pdfBaseName_ = pdfBaseName;
    drawing::SectionFigure shown = figure;
    shown.increasePercent = increase_->startFor(figure.point.Q);
    view_->setFigure(shown);
}

void SectionWindow::clearFigure() {
    increase_->clear();
    view_->setFigure(std::nullopt);
}

void SectionWindow::redrawAtIncrease(double percent) {
    std::optional<drawing::SectionFigure> figure = view_->figure();
    if (!figure)
        return;
    figure->increasePercent = percent;
    view_->setFigure(figure);
}

const std::optional<drawing::SectionFigure>& SectionWindow::figure() const {
    return view_->figure();
}

void SectionWindow::onCommand1Clicked() {
    ReportPrintOutcome(this, PrintWindowImage(*this, pdfBaseName_));
}

} // namespace windows
