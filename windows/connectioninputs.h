// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of "渠道与水面衔接": the two canals, the canal plan's allowed
// drop, the transition angles, the grade and the bend radius, and the
// transition forms of table K.1.2 whose ξ₁ and ξ₂ can be filled into the
// case window. The values travel as the JSON of project/connectiondata.h
// plus "inlet_form" and "outlet_form" (row numbers of table K.1.2).
#pragma once

#include <QJsonObject>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

namespace windows {

class ConnectionInputs : public QWidget {
    Q_OBJECT

public:
    explicit ConnectionInputs(QWidget* parent = nullptr);

    // What is typed: a number where the box reads as one (in the user's
    // regional format or with a period), the text itself where it does not
    // (so nothing typed is lost and the reading names that key), nothing
    // for an empty box.
    QJsonObject values() const;
    // Fills the boxes; keys left out take their defaults (the angles
    // 14.5° and 9.5°, grade 4) or stay empty.
    void setValues(const QJsonObject& values);
    // 建筑物级别, 1..5.
    int grade() const;
    void setGrade(int grade);

    // The boxes in the order Enter walks them.
    std::vector<QLineEdit*> edits() const;
    // The box of `key` ("upstream.n"); nullptr for a key without one.
    QLineEdit* editOf(const std::string& key) const;
    // `key` as the window labels it, for messages: "上游渠道的糙率 n";
    // a canal's own key ("upstream") is its group's title.
    QString spokenName(const std::string& key) const;

signals:
    // "填入 ξ₁、ξ₂": the coefficients of the chosen transition forms.
    void lossCoefficientsChosen(double xi1, double xi2);
    // A box, the grade or a transition form changed.
    void edited();

private slots:
    void chooseLossCoefficients();

private:
    struct Row {
        QString key;    // "upstream.b", "allowed_drop"
        QString label;  // "底宽 b (m)"
        QString spoken; // "底宽 b", for messages; empty: the label
    };
    struct Box {
        QString key;
        QString name; // "上游渠道的底宽 b"
        QLineEdit* edit;
    };
    QWidget* makeGroup(const QString& title, const std::vector<Row>& rows);
    QWidget* makeForms();

    std::vector<Box> boxes_;
    QComboBox* grade_;
    QComboBox* inletForm_;
    QComboBox* outletForm_;
};

} // namespace windows
