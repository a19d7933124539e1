#include "windows/mainwindow.h"

#include "hydraulics/cases.h"
#include "hydraulics/module1.h"
#include "windows/casewindows.h"
#include "windows/windowprinter.h"
#include "windows/wrappedlabel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace windows {

namespace {

// The window is laid out in twips, 1/1440 inch; at 96 dots per inch
// 15 twips make one pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

QRect twipRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

const QColor kFormBack(192, 255, 255); // light cyan
const QColor kHeading(255, 255, 0);    // Label1
const QColor kCredits(255, 255, 192);  // Label17
const QColor kDescription(255, 192, 255);
const QColor kScopeNote(255, 192, 128); // Label5
const QColor kHint(255, 128, 128);      // Label3
const QColor kCaption(255, 255, 128);   // Label8, Label19
const QColor kOptionBack(0, 0, 255);

// Named Chinese faces; appearance.h maps them onto installed substitutes of
// the same kind, keeping the size.
QFont chineseFont(const char* family, qreal points) {
    QFont font(QString::fromUtf8(family));
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

QFont liSu(qreal points) {
    return chineseFont("隶书", points);
}
QFont simHei(qreal points) {
    return chineseFont("黑体", points);
}
QFont simSun(qreal points) {
    return chineseFont("宋体", points);
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

QLabel* addLabel(QWidget* form, const char* name, const QString& caption, const QRect& rect,
                 const QColor& back) {
    auto* label = new QLabel(caption, form);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(0);
    setColours(label, back);
    return label;
}

// A straight line two pixels wide in the default line colour, centred on
// the line from (x1, y1) to (x2, y2) in twips; horizontal or vertical only.
void addLine(QWidget* form, const char* name, int x1, int y1, int x2, int y2) {
    constexpr int width = 2;
    const int left = px(std::min(x1, x2)) - width / 2;
    const int top = px(std::min(y1, y2)) - width / 2;
    const int spanX = px(std::max(x1, x2)) - px(std::min(x1, x2));
    const int spanY = px(std::max(y1, y2)) - px(std::min(y1, y2));
    auto* line = new QWidget(form);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(left, top, spanX + width, spanY + width);
    setColours(line, form->palette().color(QPalette::WindowText));
}

} // namespace

MainWindow::MainWindow(hydraulics::Module1& state, CaseWindows& caseWindows, QWidget* parent)
    : QWidget(parent), state_(state), caseWindows_(caseWindows) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    // The controls stand at fixed places; a larger window would only show
    // more background.
    setFixedSize(px(9735), px(7740));
    setColours(this, kFormBack);
    // Case boxes, the name box and Label8 take the window's own font.
    setFont(simSun(9));

    buildDescription();
    buildCaseTable();
    buildProjectRow();

    setTabOrder(check7_, check6_);
    setTabOrder(check6_, check5_);
    setTabOrder(check5_, check4_);
    setTabOrder(check4_, text1_);
    setTabOrder(text1_, option1_);
    setTabOrder(option1_, option2_);
    setTabOrder(option2_, command1_);
    setTabOrder(command1_, command2_);
    check7_->setFocus();
}

void MainWindow::buildDescription() {
    QLabel* heading = addLabel(this, "Label1", QStringLiteral("Ambrelo"),
                               twipRect(2760, 225, 4755, 465), kHeading);
    heading->setFont(liSu(18));
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    addLabel(this, "Label17", QStringLiteral("Ambrelo 1.0 · U形渡槽水力设计计算程序"),
             twipRect(3600, 750, 3015, 165), kCredits)
        ->setFont(simSun(7.5));

    struct Line {
        const char* name;
        const char* caption;
        int top;
        int height;
    };
    static const Line lines[] = {
        {"Label2", "程序编制说明：", 975, 315},
        {"Label20", "  （1）本程序适用于半圆加直段的 Ambrelo；", 1275, 315},
        {"Label4", "  （2）渡槽进口水头损失及出口水位回升按能量方程式采用武汉水", 1575, 315},
        {"Label10", "水院《水力计算手册》建议方法计算；", 1875, 315},
        {"Label6", "  （3）程序可根据需要分别对以下 4 种情况进行计算：", 2175, 315},
        {"Label9", "       1）已知流量、槽身比降及水深，计算槽宽及水头损失；", 2475, 315},
        {"Label27", "       2）已知流量、水头损失及水深，计算槽宽及槽身比降；", 2775, 315},
        {"Label22", "       3）已知流量、槽身比降及槽宽，计算水深及水头损失；", 3075, 315},
        {"Label13", "       4）已知槽身比降、槽宽及水深，计算流量及水头损失。", 3375, 390},
    };
    for (const Line& line : lines) {
        addLabel(this, line.name, QString::fromUtf8(line.caption),
                 twipRect(960, line.top, 8595, line.height), kDescription)
            ->setFont(liSu(14.25));
    }

    // The run of blanks places the line break of this two-line note.
    auto* scope =
        new WrappedLabel(QStringLiteral("         (1、2两种情况仅适用于槽内水深大于等于1/2"
                                        "槽宽时；3、4两种情况适用于任何水           深情况)"),
                         this);
    scope->setObjectName(QStringLiteral("Label5"));
    scope->setGeometry(twipRect(960, 3750, 8595, 465));
    scope->setFont(simHei(10.5));
    setColours(scope, kScopeNote);

    addLabel(this, "Label3", QStringLiteral("[提示]  在“计算情况选取表”中选取一种计算情况"),
             twipRect(2760, 4350, 4875, 240), kHint)
        ->setFont(simHei(10.5));
}

void MainWindow::buildCaseTable() {
    addLabel(this, "Label8", QStringLiteral("计算情况选取表"), twipRect(4560, 4725, 1275, 240),
             kCaption);

    // Independent boxes, not an exclusive group: the case is that of the box
    // clicked last, ticked or not.
    auto addCase = [this](const char* name, const QString& caption, int top, int height) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(twipRect(4080, top, 2235, height));
        setColours(box, kFormBack);
        return box;
    };
    // The engine's case captions; case 4 solves for the discharge, so its
    // box says so.
    auto caption = [](int caseNo) {
        const std::string_view text = hydraulics::Case(caseNo).caption;
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    };
    check4_ = addCase("Check4", caption(1), 5100, 315);
    check5_ = addCase("Check5", caption(2), 5475, 315);
    check7_ = addCase("Check7", caption(3), 5850, 330);
    check6_ = addCase("Check6", caption(4), 6225, 315);
    connect(check4_, &QCheckBox::clicked, this, &MainWindow::onCheck4Clicked);
    connect(check5_, &QCheckBox::clicked, this, &MainWindow::onCheck5Clicked);
    connect(check7_, &QCheckBox::clicked, this, &MainWindow::onCheck7Clicked);
    connect(check6_, &QCheckBox::clicked, this, &MainWindow::onCheck6Clicked);

    addLine(this, "Line1", 4020, 5025, 6360, 5025);
    addLine(this, "Line9", 4020, 5025, 4020, 6600);
    addLine(this, "Line10", 6360, 5025, 6360, 6600);
    addLine(this, "Line13", 4020, 6600, 6360, 6600);
}

void MainWindow::buildProjectRow() {
    auto addOption = [this](const char* name, const QString& caption, int left,
                            const QColor& text) {
        auto* option = new QRadioButton(caption, this);
        option->setObjectName(QString::fromLatin1(name));
        option->setGeometry(twipRect(left, 6750, 1815, 315));
        option->setFont(simHei(14.25));
        setColours(option, kOptionBack, text);
        return option;
    };
    option1_ = addOption("Option1", QStringLiteral("新计算项目"), 1800,
                         QApplication::palette().color(QPalette::HighlightedText));
    option2_ = addOption("Option2", QStringLiteral("已计算项目"), 4260, QColor(255, 255, 255));
    auto* group = new QButtonGroup(this);
    group->addButton(option1_);
    group->addButton(option2_);
    connect(option1_, &QRadioButton::clicked, this, &MainWindow::onOption1Clicked);
    connect(option2_, &QRadioButton::clicked, this, &MainWindow::onOption2Clicked);

    QLabel* nameCaption = addLabel(this, "Label19", QStringLiteral("项目名"),
                                   twipRect(6780, 6750, 990, 315), kCaption);
    nameCaption->setFont(simHei(14.25));
    QPalette pal = nameCaption->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0));
    nameCaption->setPalette(pal);

    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(twipRect(7740, 6750, 915, 315));
    // The box starts with one blank, which is not part of the name until
    // the text first changes.
    text1_->setText(QStringLiteral(" "));
    connect(text1_, &QLineEdit::textChanged, this, &MainWindow::onText1Changed);

    auto addButton = [this](const char* name, const QString& caption, int left) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(twipRect(left, 7200, 3075, 390));
        button->setFont(liSu(14.25));
        button->setAutoDefault(false);
        return button;
    };
    command2_ = addButton("Command2", QStringLiteral("输入或显示基本资料"), 2040);
    command1_ = addButton("Command1", QStringLiteral("打印程序编制说明"), 5400);
    connect(command1_, &QPushButton::clicked, this, &MainWindow::onCommand1Clicked);
    connect(command2_, &QPushButton::clicked, this, &MainWindow::onCommand2Clicked);
}

QString MainWindow::printFileBaseName() const {
    QString name = QString::fromStdString(state_.ProjectName).trimmed();
    // The PDF stays in the current folder whatever the name holds.
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return name + QStringLiteral("Form1");
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
    ReportPrintOutcome(this, outcome);
}

void MainWindow::onCommand2Clicked() {
    // CaseNo holds 0 until a case box is clicked; then nothing opens.
    for (int caseNo = 1; caseNo <= 4; ++caseNo) {
        if (state_.CaseNo == static_cast<float>(caseNo))
            caseWindows_.open(caseNo);
    }
}

} // namespace windows
