#include "windows/increaseinput.h"

#include "hydraulics/designchecks.h"
#include "windows/look.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace windows {

IncreaseInput::IncreaseInput(QWidget* parent) : QWidget(parent) {
    auto* caption = new QLabel(QStringLiteral("加大百分数 p (%)"), this);
    spin_ = new QDoubleSpinBox(this);
    spin_->setObjectName(QStringLiteral("IncreasePercent"));
    spin_->setRange(hydraulics::kMinIncreasePercent, hydraulics::kMaxIncreasePercent);
    spin_->setSingleStep(1);
    spin_->setDecimals(1); // the table's values are whole, a designer may take a half
    caption->setBuddy(spin_);
    range_ = new QLabel(this);
    range_->setObjectName(QStringLiteral("IncreaseRange"));
    for (QWidget* part : {static_cast<QWidget*>(caption), static_cast<QWidget*>(spin_),
                          static_cast<QWidget*>(range_)})
        part->setFont(SongTi(10.5));
    connect(spin_, &QDoubleSpinBox::valueChanged, this, &IncreaseInput::percentChanged);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(spin_);
    layout->addWidget(range_);
    clear();
}

double IncreaseInput::startFor(double Q) {
    const QSignalBlocker quiet(spin_);
    spin_->setValue(hydraulics::DefaultIncreasePercent(Q));
    spin_->setEnabled(true);
    range_->setText(QStringLiteral("表 6.3.4：%1 %").arg(Utf8(hydraulics::IncreaseRange(Q).text)));
    return spin_->value();
}

void IncreaseInput::clear() {
    spin_->setEnabled(false);
    range_->setText(QStringLiteral("表 6.3.4：—"));
}

double IncreaseInput::percent() const {
    return spin_->value();
}

} // namespace windows
