// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: message boxes answered, a fresh folder and
// state, boxes typed into as a user types, the worked example of each case.
#pragma once

#include "hydraulics/projectstate.h"
#include "windows/casewindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>

using namespace windows;

// Answers every message box with the button captioned `answer` where it has
// one, else its first button, noting its text and the button's caption; a
// box nobody expected never hangs the run.
class ModalCatcher : public QObject {
public:
    explicit ModalCatcher(QString answer = {}) : answer(std::move(answer)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                QAbstractButton* button = box->buttons().value(0);
                for (QAbstractButton* each : box->buttons())
                    if (each->text() == this->answer)
                        button = each;
                texts << box->text();
                titles << box->windowTitle();
                buttons << button->text();
                button->click();
            }
        });
        timer_.start(20);
    }
    QStringList take() { return std::exchange(texts, {}); }
    QString answer;
    QStringList texts, titles, buttons;

private:
    QTimer timer_;
};

// A temporary current folder and a fresh state for a new project "渡槽".
struct Fresh {
    Fresh() : made(dir.isValid() && QDir::setCurrent(dir.path())) {
        m.ProjectMode = 1;
        m.ProjectName = "渡槽";
    }
    QTemporaryDir dir;
    bool made;
    hydraulics::ProjectState m;
};

inline QLineEdit* Box(QWidget& w, int number) {
    return w.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
}

// Direct children only: a case window's section window has a Command1 too.
inline QPushButton* Button(QWidget& w, int number) {
    return w.findChild<QPushButton*>(QStringLiteral("Command%1").arg(number),
                                     Qt::FindDirectChildrenOnly);
}

inline void Click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Text1, Text2, ... in turn: each selected and typed over.
inline void TypeInputs(QWidget& w, const QStringList& inputs) {
    for (int k = 0; k < inputs.size(); ++k) {
        Box(w, k + 1)->setFocus();
        QTest::keyClick(Box(w, k + 1), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Box(w, k + 1), inputs[k]);
    }
}

inline QStringList Texts(QWidget& w, int first, int last) {
    QStringList texts;
    for (int k = first; k <= last; ++k)
        texts << Box(w, k)->text();
    return texts;
}

// A case window loaded and shown; nullptr when loading failed.
inline std::unique_ptr<CaseWindow> Open(hydraulics::ProjectState& m, int caseNo) {
    auto w = std::make_unique<CaseWindow>(m, caseNo);
    if (!w->load())
        return nullptr;
    w->show();
    return QTest::qWaitForWindowExposed(w.get()) ? std::move(w) : nullptr;
}

// The worked example of each case: the eight inputs and Text9..Text13.
struct WorkedExample {
    QStringList inputs, results;
};
inline const WorkedExample& Example(int caseNo) {
    // clang-format off
    static const WorkedExample examples[] = {
        {{"4", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"},
         {"0.153", "0.103", "0.1", "0.049", "1.912109"}},
        {{"4", "100", "1.5", "0.2", "1", "0.014", "0.25", "0.4"},
         {"0.135", "0.13", "0.065", "1.72", "771.0842"}},
        {{"1", "100", "1.6", "1000", "0.8", "0.014", "0.2", "0.3"},
         {"0.118", "0.044", "0.1", "0.025", "0.71"}},
        {{"0.5", "100", "2", "1000", "0.5", "0.014", "0.2", "0.3"},
         {"0.119", "0.046", "0.1", "0.027", "0.6123553"}}};
    // clang-format on
    return examples[caseNo - 1];
}

// A case window with its worked example typed and calculated.
inline std::unique_ptr<CaseWindow> Calculated(hydraulics::ProjectState& m, int caseNo) {
    auto w = Open(m, caseNo);
    if (w) {
        TypeInputs(*w, Example(caseNo).inputs);
        Click(Button(*w, 2));
    }
    return w;
}
