// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/stalequestion.h"

#include "windows/look.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace windows {

StaleAnswer AskAboutStaleResults(QWidget* parent, const QString& windowName) {
    QMessageBox question(QMessageBox::Question, windowName + QStringLiteral(" - 成果尚未重新计算"),
                         QStringLiteral("成果与当前基本资料不符。"), QMessageBox::NoButton, parent);
    question.setInformativeText(
        QStringLiteral("基本资料在上次计算之后已改动，窗口中仍是上次计算的成果。"
                       "可以先按当前基本资料重新计算；仍按原成果打印时，打印件上注明“%1”。")
            .arg(kStaleNote));
    QPushButton* again = question.addButton(QStringLiteral("先重新计算"), QMessageBox::AcceptRole);
    QPushButton* old =
        question.addButton(QStringLiteral("仍按原成果打印"), QMessageBox::ActionRole);
    QPushButton* cancel = question.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    question.setDefaultButton(again);
    question.setEscapeButton(cancel);
    question.exec();
    if (question.clickedButton() == again)
        return StaleAnswer::Recalculate;
    return question.clickedButton() == old ? StaleAnswer::UseOld : StaleAnswer::Cancel;
}

QLabel* MakeStaleNote(QWidget* parent, const QString& text) {
    auto* note = new QLabel(text, parent);
    note->setObjectName(QStringLiteral("StaleNote"));
    note->setFont(HeiTi(10.5));
    note->setWordWrap(true);
    note->setMargin(4);
    SetInk(*note, kAmberInk, kAmberGround);
    note->hide();
    return note;
}

} // namespace windows
