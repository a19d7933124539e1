// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/increaseinput.h"

#include "hydraulics/designchecks.h"
#include "windows/look.h"

#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>

namespace windows {

namespace {
// The box takes any number it can show, so that one outside 0..50 % is
// refused in words rather than dropped key by key ("60" turning into "6").
constexpr double kTypeableLimit = 999.9;
// The longest texts of the range beside the box and of the note under it:
// the room kept for them, shown or not.
const QString kLongestRange = QStringLiteral("表 6.3.4：35～30 %");
const QStringList kLongestNotes = {
    QStringLiteral("流量已在表 6.3.4 的另一行（35～30 %），p 改为该行的默认值 35 %。"),
    QStringLiteral("p = -999.9 % 不在 0～50 % 之内，没有采用；仍按 p = 27.5 %。")};
} // namespace

IncreaseInput::IncreaseInput(QWidget* parent) : QWidget(parent) {
    auto* caption = new QLabel(QStringLiteral("加大百分数 p (%)"), this);
    spin_ = new QDoubleSpinBox(this);
    spin_->setObjectName(QStringLiteral("IncreasePercent"));
    spin_->setRange(-kTypeableLimit, kTypeableLimit);
    spin_->setSingleStep(1);
    spin_->setDecimals(1); // the table's values are whole, a designer may take a half
    // Taken on Enter, on leaving the box or by the arrows, not per key.
    spin_->setKeyboardTracking(false);
    caption->setBuddy(spin_);
    range_ = new QLabel(this);
    range_->setObjectName(QStringLiteral("IncreaseRange"));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("IncreaseNote"));
    note_->setAlignment(Qt::AlignCenter);
    for (QWidget* part : {static_cast<QWidget*>(caption), static_cast<QWidget*>(spin_),
                          static_cast<QWidget*>(range_), static_cast<QWidget*>(note_)})
        part->setFont(SongTi(10.5));
    connect(spin_, &QDoubleSpinBox::valueChanged, this, &IncreaseInput::takeTyped);

    // The note's line and the range's width stay whatever they say, so that
    // neither a refusal nor another row of the table moves the box (or the
    // buttons under it) away from the pointer.
    const QFontMetrics metrics(note_->font());
    int noteWidth = 0;
    for (const QString& text : kLongestNotes)
        noteWidth = std::max(noteWidth, metrics.horizontalAdvance(text));
    note_->setMinimumWidth(noteWidth + metrics.averageCharWidth() * 2);
    note_->setFixedHeight(metrics.height());
    range_->setMinimumWidth(metrics.horizontalAdvance(kLongestRange) + metrics.averageCharWidth());
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(4, 1);
    layout->addWidget(caption, 0, 1);
    layout->addWidget(spin_, 0, 2);
    layout->addWidget(range_, 0, 3);
    layout->addWidget(note_, 1, 0, 1, 5);
    clear();
}

void IncreaseInput::showNote(const QString& text, bool refusal) {
    SetInk(*note_, refusal ? kRefusalInk : kAmberInk);
    note_->setText(text);
}

double IncreaseInput::startFor(double Q, std::optional<hydraulics::Region> region) {
    const QString row = Utf8(hydraulics::IncreaseRange(Q).text);
    const double byDefault = hydraulics::RegionalIncreasePercent(Q, region);
    QString note;
    if (!(userSet_ && row == row_) || (!userSet_ && taken_ != byDefault)) {
        if (userSet_)
            note = QStringLiteral("流量已在表 6.3.4 的另一行（%1 %），p 改为该行的默认值 %2 %。")
                       .arg(row, QString::number(byDefault));
        taken_ = byDefault;
        userSet_ = false;
    }
    showNote(note, false);
    row_ = row;
    const QSignalBlocker quiet(spin_);
    spin_->setValue(taken_);
    spin_->setEnabled(true);
    range_->setText(QStringLiteral("表 6.3.4：%1 %").arg(row));
    return taken_;
}

void IncreaseInput::clear() {
    spin_->setEnabled(false);
    range_->setText(QStringLiteral("表 6.3.4：—"));
}

double IncreaseInput::percent() const {
    return taken_;
}

void IncreaseInput::commit() {
    spin_->interpretText();
}

void IncreaseInput::takeTyped(double percent) {
    if (percent < hydraulics::kMinIncreasePercent || percent > hydraulics::kMaxIncreasePercent) {
        showNote(QStringLiteral("p = %1 % 不在 0～50 % 之内，没有采用；仍按 p = %2 %。")
                     .arg(QString::number(percent), QString::number(taken_)),
                 true);
        const QSignalBlocker quiet(spin_);
        spin_->setValue(taken_);
        return;
    }
    showNote({}, false);
    taken_ = percent;
    userSet_ = true;
    emit percentChanged(percent);
}

} // namespace windows
