// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/designinput.h"

#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "hydraulics/sweep.h"
#include "project/regionalnumber.h"
#include "windows/look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <cmath>

namespace windows {
namespace {

constexpr double kMostRodDepth = 10; // m below the top: deeper is no tie rod of a flume

// `value` in the user's format with no trailing zeros ("0.01", "0,2").
QString Shown(double value) {
    return project::ShowRegionalNumber(hydraulics::FormatDouble(value), QLocale());
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The decimal typed into `box` (0.05, not the single 0.0500000007 a box
// stores); empty and refused texts give NaN.
double Read(const QLineEdit* box, const char* name) {
    try {
        const std::optional<double> value =
            hydraulics::ReadDecimal(project::RegionalDecimalText(box->text(), QLocale(), name));
        return value.value_or(std::nan(""));
    } catch (const hydraulics::CalcError&) {
        return std::nan("");
    }
}

} // namespace

DesignInput::DesignInput(QWidget* parent) : QWidget(parent) {
    step_ = new QLineEdit(this);
    step_->setObjectName(QStringLiteral("DesignStep"));
    support_ = new QComboBox(this);
    support_->setObjectName(QStringLiteral("SupportForm"));
    support_->addItems({QStringLiteral("梁式"), QStringLiteral("拱式")});
    rods_ = new QLineEdit(this);
    rods_->setObjectName(QStringLiteral("TieRodDepth"));
    rods_->setPlaceholderText(QStringLiteral("无拉杆"));
    cold_ = new QCheckBox(QStringLiteral("寒冷或严寒地区"), this);
    cold_->setObjectName(QStringLiteral("ColdRegion"));
    region_ = new QComboBox(this);
    region_->setObjectName(QStringLiteral("Region"));
    region_->addItems({QStringLiteral("未注明"), QStringLiteral("湿润"), QStringLiteral("干旱")});
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("DesignNote"));
    note_->setAlignment(Qt::AlignCenter);
    const int em = QFontMetrics(SongTi(10.5)).horizontalAdvance(QChar(0x4E2D));
    for (QLineEdit* box : {step_, rods_}) {
        box->setFixedWidth(5 * em);
        connect(box, &QLineEdit::editingFinished, this, &DesignInput::takeBoxes);
    }
    for (QComboBox* box : {support_, region_})
        connect(box, &QComboBox::activated, this, &DesignInput::takeBoxes);
    connect(cold_, &QCheckBox::toggled, this, &DesignInput::takeBoxes);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(11, 1);
    const std::pair<QString, QWidget*> parts[] = {{QStringLiteral("槽宽设计步长 (m)"), step_},
                                                  {QStringLiteral("支承形式"), support_},
                                                  {QStringLiteral("拉杆底距槽顶 (m)"), rods_},
                                                  {QStringLiteral("地区"), region_}};
    int column = 1;
    for (const auto& [text, box] : parts) {
        layout->addWidget(Caption(text, box, this), 0, column++);
        layout->addWidget(box, 0, column++);
    }
    layout->addWidget(cold_, 0, column);
    layout->addWidget(note_, 1, 0, 1, 12);
    for (QWidget* part : findChildren<QWidget*>())
        part->setFont(SongTi(10.5));
    // The note's line is kept, shown or not, so that nothing under it moves.
    note_->setFixedHeight(QFontMetrics(note_->font()).height());
    show(taken_);
}

void DesignInput::show(const hydraulics::DesignConditions& c) {
    taken_ = c;
    const QSignalBlocker a(support_), b(cold_), d(region_);
    step_->setText(Shown(c.widthStep));
    support_->setCurrentIndex(c.support == hydraulics::SupportForm::Arch ? 1 : 0);
    rods_->setText(c.tieRodDepth ? Shown(*c.tieRodDepth) : QString());
    cold_->setChecked(c.coldRegion);
    region_->setCurrentIndex(!c.region ? 0 : *c.region == hydraulics::Region::Humid ? 1 : 2);
    note_->clear();
}

hydraulics::DesignConditions DesignInput::applied(hydraulics::DesignConditions c) const {
    c.widthStep = taken_.widthStep;
    c.support = taken_.support;
    c.tieRodDepth = taken_.tieRodDepth;
    c.coldRegion = taken_.coldRegion;
    c.region = taken_.region;
    return c;
}

void DesignInput::commit() {
    takeBoxes();
}

void DesignInput::refuse(const QString& sentence, QLineEdit* box) {
    SetInk(*note_, kRefusalInk);
    note_->setText(sentence);
    const hydraulics::DesignConditions kept = taken_;
    show(kept);
    note_->setText(sentence);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void DesignInput::takeBoxes() {
    hydraulics::DesignConditions next = taken_;
    const double step = Read(step_, "槽宽设计步长");
    if (!(step >= hydraulics::kMinWidthStep && step <= hydraulics::kMaxWidthStep))
        return refuse(QStringLiteral("槽宽设计步长须为 %1 到 %2 m 之间的数；仍按 %3 m。")
                          .arg(Shown(hydraulics::kMinWidthStep), Shown(hydraulics::kMaxWidthStep),
                               Shown(taken_.widthStep)),
                      step_);
    next.widthStep = step;
    if (rods_->text().trimmed().isEmpty()) {
        next.tieRodDepth.reset();
    } else {
        const double rods = Read(rods_, "拉杆底距槽顶");
        if (!(rods >= 0 && rods <= kMostRodDepth))
            return refuse(QStringLiteral("拉杆底距槽顶须为 0 到 %1 m 之间的数，无拉杆时留空。")
                              .arg(Shown(kMostRodDepth)),
                          rods_);
        next.tieRodDepth = rods;
    }
    next.support = support_->currentIndex() == 1 ? hydraulics::SupportForm::Arch
                                                 : hydraulics::SupportForm::Beam;
    next.coldRegion = cold_->isChecked();
    next.region = region_->currentIndex() == 0   ? std::nullopt
                  : region_->currentIndex() == 1 ? std::optional(hydraulics::Region::Humid)
                                                 : std::optional(hydraulics::Region::Arid);
    note_->clear();
    const bool changed = next.widthStep != taken_.widthStep || next.support != taken_.support ||
                         next.tieRodDepth != taken_.tieRodDepth ||
                         next.coldRegion != taken_.coldRegion || next.region != taken_.region;
    taken_ = next;
    if (changed)
        emit conditionsChanged();
}

} // namespace windows
