// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/connectioninputs.h"

#include "drawing/drawingstyle.h"
#include "hydraulics/connection.h"
#include "hydraulics/connectionrows.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QJsonValue>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace windows {
namespace {

// The value a box stands for inside the nested object: "upstream.b".
QJsonValue ValueAt(const QJsonObject& root, const QString& key) {
    const qsizetype dot = key.indexOf(u'.');
    if (dot < 0)
        return root.value(key);
    return root.value(key.left(dot)).toObject().value(key.mid(dot + 1));
}

void SetAt(QJsonObject& root, const QString& key, const QJsonValue& value) {
    const qsizetype dot = key.indexOf(u'.');
    if (dot < 0) {
        root.insert(key, value);
        return;
    }
    QJsonObject inner = root.value(key.left(dot)).toObject();
    inner.insert(key.mid(dot + 1), value);
    root.insert(key.left(dot), inner);
}

QJsonValue Typed(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    return ok ? QJsonValue(value) : QJsonValue(trimmed);
}

QString Shown(const QJsonValue& value) {
    if (value.isDouble())
        return QLocale().toString(value.toDouble(), 'g', 12);
    return value.isString() ? value.toString() : QString();
}

QString FormText(const hydraulics::TransitionForm& form, bool inlet) {
    const double low = inlet ? form.inletLow : form.outletLow;
    const double high = inlet ? form.inletHigh : form.outletHigh;
    const QString range =
        low == high ? QString::number(high) : QStringLiteral("%1～%2").arg(low).arg(high);
    return drawing::Utf8(form.name) + QStringLiteral("（%1 %2）").arg(inlet ? "ξ₁" : "ξ₂", range);
}

} // namespace

ConnectionInputs::ConnectionInputs(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ConnectionInputs"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto canal = [](const QString& side, bool bed) {
        std::vector<Row> rows{{side + ".b", QStringLiteral("底宽 b (m)"), QStringLiteral("底宽 b")},
                              {side + ".m", QStringLiteral("边坡系数 m"), {}},
                              {side + ".n", QStringLiteral("糙率 n"), {}},
                              {side + ".x", QStringLiteral("比降 i = 1/x，x"),
                               QStringLiteral("比降 i = 1/x 中的 x")}};
        if (bed)
            rows.push_back(
                {side + ".bed", QStringLiteral("渠底高程 ∇₃ (m)"), QStringLiteral("渠底高程 ∇₃")});
        return rows;
    };
    layout->addWidget(
        makeGroup(QStringLiteral("上游渠道"), canal(QStringLiteral("upstream"), true)));
    layout->addWidget(
        makeGroup(QStringLiteral("下游渠道"), canal(QStringLiteral("downstream"), false)));
    QWidget* plan = makeGroup(QStringLiteral("渠系规划与渐变段"),
                              {{"allowed_drop", QStringLiteral("允许水面降落 [ΔZ] (m)"),
                                QStringLiteral("允许水面降落 [ΔZ]")},
                               {"inlet_angle", QStringLiteral("进口收缩角 θ₁ (°，11～18)"),
                                QStringLiteral("进口收缩角 θ₁")},
                               {"outlet_angle", QStringLiteral("出口扩散角 θ₂ (°，8～11)"),
                                QStringLiteral("出口扩散角 θ₂")},
                               {"bend_radius", QStringLiteral("弯道半径 r (m，直槽不填)"),
                                QStringLiteral("弯道半径 r")}});
    grade_ = new QComboBox(plan);
    grade_->setObjectName(QStringLiteral("grade"));
    for (int grade = 1; grade <= 5; ++grade)
        grade_->addItem(QStringLiteral("%1 级").arg(grade), grade);
    static_cast<QFormLayout*>(plan->layout())->addRow(QStringLiteral("建筑物级别"), grade_);
    layout->addWidget(plan);
    layout->addWidget(makeForms());
    layout->addStretch();
    setValues({});
    for (const Box& box : boxes_)
        connect(box.edit, &QLineEdit::textChanged, this, &ConnectionInputs::edited);
    for (QComboBox* combo : {grade_, inletForm_, outletForm_})
        connect(combo, &QComboBox::currentIndexChanged, this, &ConnectionInputs::edited);
}

QWidget* ConnectionInputs::makeGroup(const QString& title, const std::vector<Row>& rows) {
    auto* group = new QGroupBox(title, this);
    auto* form = new QFormLayout(group);
    for (const Row& row : rows) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(QString(row.key).replace(u'.', u'_'));
        edit->setMaximumWidth(120);
        form->addRow(row.label, edit);
        // "上游渠道的糙率 n"; the plan's inputs are named by themselves.
        const QString spoken = row.spoken.isEmpty() ? row.label : row.spoken;
        boxes_.push_back({row.key,
                          row.key.contains(u'.') ? title + QStringLiteral("的") + spoken : spoken,
                          edit});
    }
    return group;
}

std::vector<QLineEdit*> ConnectionInputs::edits() const {
    std::vector<QLineEdit*> edits;
    for (const Box& box : boxes_)
        edits.push_back(box.edit);
    return edits;
}

QLineEdit* ConnectionInputs::editOf(const std::string& key) const {
    for (const Box& box : boxes_)
        if (box.key.toStdString() == key)
            return box.edit;
    return nullptr;
}

QString ConnectionInputs::spokenName(const std::string& key) const {
    for (const Box& box : boxes_)
        if (box.key.toStdString() == key)
            return box.name;
    if (key == "grade")
        return QStringLiteral("建筑物级别");
    return key == "downstream" ? QStringLiteral("下游渠道") : QStringLiteral("上游渠道");
}

int ConnectionInputs::grade() const {
    return grade_->currentData().toInt();
}

void ConnectionInputs::setGrade(int grade) {
    if (grade >= 1 && grade <= 5)
        grade_->setCurrentIndex(grade - 1);
}

QWidget* ConnectionInputs::makeForms() {
    auto* group = new QGroupBox(QStringLiteral("渐变段形式（附录 K 表 K.1.2）"), this);
    auto* form = new QFormLayout(group);
    inletForm_ = new QComboBox(group);
    inletForm_->setObjectName(QStringLiteral("inlet_form"));
    outletForm_ = new QComboBox(group);
    outletForm_->setObjectName(QStringLiteral("outlet_form"));
    for (const hydraulics::TransitionForm& f : hydraulics::TransitionForms()) {
        inletForm_->addItem(FormText(f, true));
        outletForm_->addItem(FormText(f, false));
    }
    form->addRow(QStringLiteral("进口"), inletForm_);
    form->addRow(QStringLiteral("出口"), outletForm_);
    auto* fill = new QPushButton(QStringLiteral("将 ξ₁、ξ₂ 填入计算窗口"), group);
    fill->setObjectName(QStringLiteral("fillCoefficients"));
    fill->setToolTip(QStringLiteral("取所选形式的损失系数（范围取上限，偏于安全），"
                                    "填入计算窗口的 ξ1、ξ2 框；之后请在计算窗口重新计算。"));
    connect(fill, &QPushButton::clicked, this, &ConnectionInputs::chooseLossCoefficients);
    form->addRow(fill);
    return group;
}

QJsonObject ConnectionInputs::values() const {
    QJsonObject root;
    for (const Box& box : boxes_)
        if (!box.edit->text().trimmed().isEmpty())
            SetAt(root, box.key, Typed(box.edit->text()));
    root.insert("grade", grade_->currentData().toInt());
    root.insert("inlet_form", inletForm_->currentIndex());
    root.insert("outlet_form", outletForm_->currentIndex());
    return root;
}

void ConnectionInputs::setValues(const QJsonObject& values) {
    for (const Box& box : boxes_) {
        QString text = Shown(ValueAt(values, box.key));
        if (text.isEmpty() && box.key == "inlet_angle")
            text = QLocale().toString(hydraulics::kDefaultInletAngle);
        if (text.isEmpty() && box.key == "outlet_angle")
            text = QLocale().toString(hydraulics::kDefaultOutletAngle);
        box.edit->setText(text);
    }
    const int grade = values.value("grade").toInt(hydraulics::kDefaultGrade);
    grade_->setCurrentIndex(grade >= 1 && grade <= 5 ? grade - 1 : hydraulics::kDefaultGrade - 1);
    const auto form = [](const QJsonObject& o, const char* key, int fallback) {
        const int row = o.value(key).toInt(fallback);
        return row >= 0 && row < int(hydraulics::kTransitionFormCount) ? row : fallback;
    };
    inletForm_->setCurrentIndex(form(values, "inlet_form", 3)); // 八字形 unless chosen
    outletForm_->setCurrentIndex(form(values, "outlet_form", 3));
}

void ConnectionInputs::chooseLossCoefficients() {
    const auto& forms = hydraulics::TransitionForms();
    emit lossCoefficientsChosen(
        hydraulics::InletCoefficient(forms[std::size_t(inletForm_->currentIndex())]),
        hydraulics::OutletCoefficient(forms[std::size_t(outletForm_->currentIndex())]));
}

} // namespace windows
