// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/mainwindow.h"

#include "hydraulics/projectstate.h"
#include "windows/captionstyle.h"
#include "windows/casewindows.h"
#include "windows/enterclick.h"
#include "windows/look.h"
#include "windows/mainlayout.h"
#include "windows/windowprinter.h"
#include "windows/wrappedlabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace windows {

namespace {

// Form1's design gives every font its weight, normal: unlike the case
// windows' fonts they do not take the weight of the system's font.
QFont fontOf(const FontSpec& design) {
    QFont font = PointFace(design.face, design.points);
    font.setWeight(QFont::Normal);
    return font;
}

// Labels fill their background with the Window role, check boxes and
// option buttons with the Button role; both are set.
void setColours(QWidget* w, const QColor& back, const QColor& text = QColor()) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Button, back);
    if (text.isValid()) {
        pal.setColor(QPalette::WindowText, text);
        pal.setColor(QPalette::ButtonText, text);
    }
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QColor captionColour(const CaptionColour& caption) {
    switch (caption.kind) {
    case TextColour::Fixed:
        return ColourOf(caption.rgb);
    case TextColour::HighlightedText:
        return QApplication::palette().color(QPalette::HighlightedText);
    case TextColour::Palette:
        break;
    }
    return QColor();
}

// The background and, for buttons, the caption's colour; a label's
// caption colour is its text colour alone.
void paint(QWidget* w, const ControlSpec& control) {
    const bool label =
        control.kind == ControlKind::Label || control.kind == ControlKind::WrappedLabel;
    const QColor caption = captionColour(control.text);
    if (control.back)
        setColours(w, ColourOf(*control.back), label ? QColor() : caption);
    if (label && caption.isValid()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::WindowText, caption);
        w->setPalette(pal);
    }
}

QLabel* makeLabel(QWidget* form, const ControlSpec& control) {
    auto* label = new QLabel(Utf8(control.caption), form);
    label->setAlignment((control.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(0);
    return label;
}

// A straight line two pixels wide in the default line colour, centred on
// the line from (x1, y1) to (x2, y2) in twips; horizontal or vertical only.
QWidget* makeLine(QWidget* form, const ControlSpec& control) {
    const int x1 = control.left, y1 = control.top, x2 = control.width, y2 = control.height;
    constexpr int width = 2;
    const int left = Px(std::min(x1, x2)) - width / 2;
    const int top = Px(std::min(y1, y2)) - width / 2;
    const int spanX = Px(std::max(x1, x2)) - Px(std::min(x1, x2));
    const int spanY = Px(std::max(y1, y2)) - Px(std::min(y1, y2));
    auto* line = new QWidget(form);
    line->setGeometry(left, top, spanX + width, spanY + width);
    setColours(line, form->palette().color(QPalette::WindowText));
    return line;
}

// The control described by `control`, made, named, placed and coloured.
QWidget* makeControl(QWidget* form, const ControlSpec& control) {
    QWidget* w = nullptr;
    switch (control.kind) {
    case ControlKind::Label:
        w = makeLabel(form, control);
        break;
    case ControlKind::WrappedLabel:
        w = new WrappedLabel(Utf8(control.caption), form);
        break;
    case ControlKind::CheckBox:
        w = new QCheckBox(Utf8(control.caption), form);
        break;
    case ControlKind::Line:
        w = makeLine(form, control);
        break;
    case ControlKind::OptionButton:
        w = new QRadioButton(Utf8(control.caption), form);
        break;
    case ControlKind::TextBox:
        w = new QLineEdit(form);
        static_cast<QLineEdit*>(w)->setText(Utf8(control.caption));
        break;
    case ControlKind::CommandButton:
        w = new QPushButton(Utf8(control.caption), form);
        static_cast<QPushButton*>(w)->setAutoDefault(false);
        break;
    }
    w->setObjectName(Utf8(control.name));
    if (control.kind != ControlKind::Line)
        w->setGeometry(TwipRect(control.left, control.top, control.width, control.height));
    if (control.font.points > 0)
        w->setFont(fontOf(control.font));
    // A face whose line is taller than the box (the Noto faces keep room
    // for accents) stands centred in it rather than sinking out of it.
    if (auto* label = qobject_cast<QLabel*>(w);
        label && control.kind == ControlKind::Label &&
        QFontMetrics(label->font()).height() > label->height())
        label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
    paint(w, control);
    return w;
}

} // namespace

MainWindow::MainWindow(hydraulics::ProjectState& state, CaseWindows& caseWindows, QWidget* parent)
    : QWidget(parent), state_(state), caseWindows_(caseWindows) {
    build(Form1Layout());
    connectControls();
}

void MainWindow::build(const MainLayout& layout) {
    setObjectName(Utf8(layout.name));
    setWindowTitle(Utf8(layout.name));
    setFixedSize(Px(layout.clientWidth), Px(layout.clientHeight));
    setColours(this, ColourOf(layout.back));
    setFont(fontOf(layout.font));
    // The focus frame of the case boxes and option buttons in their
    // caption's colour, so that it shows on their backgrounds, a plain one
    // on the buttons, and the 隶书 captions drawn from their outlines.
    auto* focusStyle = new CaptionStyle;
    for (const ControlSpec& control : layout.controls) {
        QWidget* w = makeControl(this, control);
        if (control.kind != ControlKind::Line && control.kind != ControlKind::TextBox)
            w->setStyle(focusStyle);
    }
    // The last child: deleted after the controls that use it.
    focusStyle->setParent(this);

    // Tab walks the controls in the listed order; the first has the focus.
    QWidget* previous = nullptr;
    for (std::string_view name : layout.tabOrder) {
        QWidget* next = findChild<QWidget*>(Utf8(name), Qt::FindDirectChildrenOnly);
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    findChild<QWidget*>(Utf8(layout.tabOrder.front()), Qt::FindDirectChildrenOnly)->setFocus();
}

void MainWindow::connectControls() {
    auto find = [this](const char* name) {
        return findChild<QAbstractButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    connect(find("Check4"), &QAbstractButton::clicked, this, &MainWindow::onCheck4Clicked);
    connect(find("Check5"), &QAbstractButton::clicked, this, &MainWindow::onCheck5Clicked);
    connect(find("Check7"), &QAbstractButton::clicked, this, &MainWindow::onCheck7Clicked);
    connect(find("Check6"), &QAbstractButton::clicked, this, &MainWindow::onCheck6Clicked);

    auto* group = new QButtonGroup(this);
    group->addButton(find("Option1"));
    group->addButton(find("Option2"));
    connect(find("Option1"), &QAbstractButton::clicked, this, &MainWindow::onOption1Clicked);
    connect(find("Option2"), &QAbstractButton::clicked, this, &MainWindow::onOption2Clicked);

    connect(findChild<QLineEdit*>(QStringLiteral("Text1"), Qt::FindDirectChildrenOnly),
            &QLineEdit::textChanged, this, &MainWindow::onText1Changed);
    connect(find("Command1"), &QAbstractButton::clicked, this, &MainWindow::onCommand1Clicked);
    connect(find("Command2"), &QAbstractButton::clicked, this, &MainWindow::onCommand2Clicked);
    // Enter on a focused button does what Space does, though neither is
    // the window's default button.
    new EnterClick({find("Command1"), find("Command2")}, this);
}

QString MainWindow::printFileBaseName() const {
    // PdfPathFor keeps the PDF in the current folder whatever the name holds.
    return QString::fromStdString(state_.ProjectName).trimmed() + QStringLiteral("主窗口");
}

void MainWindow::onCheck4Clicked() {
    state_.CaseNo = 1;
}
void MainWindow::onCheck5Clicked() {
    state_.CaseNo = 2;
}
void MainWindow::onCheck7Clicked() {
    state_.CaseNo = 3;
}
void MainWindow::onCheck6Clicked() {
    state_.CaseNo = 4;
}

void MainWindow::onOption1Clicked() {
    state_.ProjectMode = 1;
}
void MainWindow::onOption2Clicked() {
    state_.ProjectMode = 2;
}

void MainWindow::onText1Changed(const QString& text) {
    state_.ProjectName = text.toStdString();
}

void MainWindow::onCommand1Clicked() {
    const PrintOutcome outcome = PrintWindowImage(*this, printFileBaseName());
    ReportPrintOutcome(this, QStringLiteral("主窗口"), outcome);
}

void MainWindow::onCommand2Clicked() {
    // CaseNo holds 0 until a case box is clicked; then nothing opens.
    for (int caseNo = 1; caseNo <= 4; ++caseNo) {
        if (state_.CaseNo == static_cast<float>(caseNo))
            caseWindows_.open(caseNo);
    }
}

} // namespace windows
