#include "windows/casewindow.h"

#include "drawing/sectiondrawing.h"
#include "hydraulics/cases.h"
#include "hydraulics/errors.h"
#include "hydraulics/module1.h"
#include "hydraulics/numtext.h"
#include "project/projectfile.h"
#include "project/regionalnumber.h"
#include "windows/appearance.h"
#include "windows/caselayout.h"
#include "windows/fittinglineedit.h"
#include "windows/headerrow.h"
#include "windows/ruledtable.h"
#include "windows/sectionwindow.h"
#include "windows/windowprinter.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <algorithm>
#include <exception>

namespace windows {

namespace {

constexpr int kInputCount = 8;
constexpr int kResultCount = 5;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QColor Colour(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QString BoxName(int number) {
    return QStringLiteral("Text%1").arg(number);
}

// What an input box holds, for messages: "流量 Q（Text1）".
std::string InputSubject(const hydraulics::CaseInfo& info, int index) {
    const hydraulics::Quantity& q = info.inputNames[std::size_t(index)];
    return std::string(q.caption) + " " + std::string(q.display) + "（Text" +
           std::to_string(index + 1) + "）";
}

template <int Columns>
TableRules RulesOf(const TableLayout<Columns>& table, std::array<int, Columns + 1>& columnPx) {
    for (std::size_t k = 0; k < columnPx.size(); ++k)
        columnPx[k] = Px(table.columnX[k]);
    return {columnPx, Px(table.top), Px(table.headerLine), Px(table.bottom), table.headerLinePx};
}

} // namespace

CaseWindow::CaseWindow(hydraulics::Module1& state, int caseNo, QWidget* parent)
    : QWidget(parent), state_(state), layout_(LayoutOf(caseNo)) {
    setObjectName(Text(layout_.name));
    setWindowTitle(Text(layout_.name));
    resize(Px(layout_.clientWidth), Px(layout_.clientHeight));
    QPalette background = palette();
    background.setColor(QPalette::Window, Colour(kWindowColour));
    setPalette(background);
    setAutoFillBackground(true);
    // Form2 sets 宋体 on the window and on every control; the other windows
    // keep the system's interface font.
    if (layout_.songtiFonts)
        setFont(SongTi(10.5));

    reserveLabelNames();
    buildTitlesAndButtons();
    buildBasicTable();
    buildNotes();
    buildResultsTable();
    buildTabOrder();
}

CaseWindow::~CaseWindow() = default;

int CaseWindow::caseNo() const {
    return layout_.caseNo;
}

void CaseWindow::reserveLabelNames() {
    reservedNames_ = {QStringLiteral("Label1"), QStringLiteral("Label10"),
                      QStringLiteral("Label17"), Text(kSecondTildeName),
                      Text(layout_.notes.firstTildeName)};
    for (std::string_view name : layout_.notes.textNames)
        reservedNames_.insert(Text(name));
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    for (const hydraulics::Quantity& quantity : info.inputNames) {
        const ColumnHeader& header = HeaderOf(quantity.caption);
        for (const auto& row : {header.row1, header.row2})
            for (const HeaderRun& run : row)
                if (!run.runtimeName.empty())
                    reservedNames_.insert(Text(run.runtimeName));
    }
}

QLabel* CaseWindow::addLabel(const QString& name, const QString& text) {
    auto* label = new QLabel(text, this);
    if (name.isEmpty()) {
        // Labels the design leaves unnamed are numbered after the named ones
        // of this window, skipping every name that is taken.
        QString candidate;
        do
            candidate = QStringLiteral("Label%1").arg(nextLabelNumber_++);
        while (reservedNames_.contains(candidate) ||
               findChild<QLabel*>(candidate, Qt::FindDirectChildrenOnly));
        label->setObjectName(candidate);
    } else {
        label->setObjectName(name);
    }
    if (layout_.songtiFonts)
        label->setFont(SongTi(9));
    return label;
}

namespace {

void Fill(QWidget* widget, QPalette::ColorRole role, Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(role, Colour(rgb));
    widget->setPalette(palette);
    if (role == QPalette::Window)
        widget->setAutoFillBackground(true);
}

} // namespace

QPushButton* CaseWindow::addButton(const QString& name, const QString& text, int left, int top,
                                   int width, int height) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setFont(LiShu(14.25));
    button->setGeometry(Px(left), Px(top), Px(width), Px(height));
    return button;
}

QLineEdit* CaseWindow::addBox(int number, int left, int top, int width, bool alignLeft,
                              bool result) {
    // A number wider than the box is drawn smaller rather than cut off.
    auto* box = new FittingLineEdit(this);
    box->setObjectName(BoxName(number));
    if (layout_.songtiFonts)
        box->setFont(SongTi(9));
    box->setGeometry(Px(left), Px(top), Px(width), Px(kBoxHeight));
    // The boxes are narrow for seven significant digits: let the text use
    // the style's inner margin too.
    box->setTextMargins(-2, 0, -2, 0);
    box->setAlignment((alignLeft ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    Fill(box, QPalette::Base, result ? kWindowColour : kWhite);
    // The design contents: a single space, except Form3's slope result.
    const bool empty = number == 13 && layout_.text13StartsEmpty;
    box->setText(empty ? QString() : QStringLiteral(" "));
    boxes_[std::size_t(number - 1)] = box;
    return box;
}

void CaseWindow::buildTitlesAndButtons() {
    QLabel* basicTitle = addLabel(QStringLiteral("Label1"), Text(kBasicTitle));
    basicTitle->setFont(LiShu(18));
    basicTitle->setAlignment(Qt::AlignCenter);
    basicTitle->setGeometry(Px(layout_.label1.x), Px(layout_.label1.y), Px(kLabel1Size.x),
                            Px(kLabel1Size.y));
    Fill(basicTitle, QPalette::Window, kBasicTitleColour);

    QLabel* resultsTitle = addLabel(QStringLiteral("Label10"), Text(kResultsTitle));
    resultsTitle->setFont(LiShu(18));
    resultsTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resultsTitle->setGeometry(Px(layout_.label10.x), Px(layout_.label10.y), Px(kLabel10Size.x),
                              Px(kLabel10Size.y));
    Fill(resultsTitle, QPalette::Window, kResultsTitleColour);

    QPushButton* compute =
        addButton(QStringLiteral("Command2"), Text(kCommand2Text), layout_.command2.x,
                  layout_.command2.y, kCommand2Size.x, kCommand2Size.y);
    QPushButton* print =
        addButton(QStringLiteral("Command1"), Text(kCommand1Text), layout_.command1.x,
                  layout_.command1.y, kCommand1Size.x, kCommand1Size.y);
    QPushButton* end =
        addButton(QStringLiteral("Command3"), Text(kCommand3Text), layout_.command3.x,
                  layout_.command3.y, kCommand3Size.x, kCommand3Size.y);
    connect(compute, &QPushButton::clicked, this, &CaseWindow::onCommand2Clicked);
    connect(print, &QPushButton::clicked, this, &CaseWindow::onCommand1Clicked);
    connect(end, &QPushButton::clicked, this, &CaseWindow::onCommand3Clicked);

    // "断面图" beside Command3, in its font and height; nothing to show
    // before a calculation has succeeded.
    command4_ = addButton(QStringLiteral("Command4"), Text(kCommand4Text), layout_.command4.x,
                          layout_.command4.y, kCommand4Size.x, kCommand4Size.y);
    command4_->setEnabled(false);
    connect(command4_, &QPushButton::clicked, this, &CaseWindow::onCommand4Clicked);
}

namespace {

// The header labels of one column: two rows over the box.
template <class AddLabel>
void AddColumnHeader(const ColumnHeader& header, const QFont& controlFont, int left, int right,
                     int row1, int row2, AddLabel&& addLabel) {
    const std::span<const HeaderRun> rows[] = {header.row1, header.row2};
    const int tops[] = {row1, row2};
    for (int r = 0; r < 2; ++r) {
        const auto placed = LayoutHeaderRow(rows[r], controlFont, left, right, tops[r]);
        for (std::size_t k = 0; k < placed.size(); ++k)
            addLabel(rows[r][k], placed[k]);
    }
}

} // namespace

void CaseWindow::buildBasicTable() {
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    const auto& table = layout_.basic;
    const QFont controlFont = layout_.songtiFonts ? SongTi(9) : font();
    for (int k = 0; k < kInputCount; ++k) {
        AddColumnHeader(HeaderOf(info.inputNames[std::size_t(k)].caption), controlFont,
                        Px(table.columnX[std::size_t(k)]), Px(table.columnX[std::size_t(k + 1)]),
                        Px(table.headerRow1), Px(table.headerRow2),
                        [&](const HeaderRun& run, const PlacedRun& placed) {
                            const bool blank = !run.runtimeName.empty();
                            QLabel* label =
                                addLabel(Text(run.runtimeName), blank ? QString() : Text(run.text));
                            label->setFont(placed.font);
                            label->setGeometry(placed.geometry);
                            if (blank)
                                runtimeCaptions_.emplace_back(label, Text(run.text));
                        });
        const bool slope = info.inputs[std::size_t(k)] == hydraulics::Field::x;
        const int width = slope || k == kInputCount - 1 ? kNarrowBoxWidth : kWideBoxWidth;
        addBox(k + 1, table.boxLeft[std::size_t(k)], table.boxRow, width, slope, false);
    }
}

void CaseWindow::buildResultsTable() {
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    const auto& table = layout_.results;
    const QFont controlFont = layout_.songtiFonts ? SongTi(9) : font();
    for (int k = 0; k < kResultCount; ++k) {
        AddColumnHeader(HeaderOf(info.results[std::size_t(k)].caption), controlFont,
                        Px(table.columnX[std::size_t(k)]), Px(table.columnX[std::size_t(k + 1)]),
                        Px(table.headerRow1), Px(table.headerRow2),
                        [&](const HeaderRun& run, const PlacedRun& placed) {
                            QLabel* label = addLabel(QString(), Text(run.text));
                            label->setFont(placed.font);
                            label->setGeometry(placed.geometry);
                        });
        const bool last = k == kResultCount - 1;
        addBox(kInputCount + k + 1, table.boxLeft[std::size_t(k)], table.boxRow, kNarrowBoxWidth,
               last, true);
    }
    // "1/" stands just left of the slope box: an input in three windows, the
    // last result in Form3.
    int slopeBoxLeft = table.boxLeft[kResultCount - 1];
    for (int k = 0; k < kInputCount; ++k)
        if (info.inputs[std::size_t(k)] == hydraulics::Field::x)
            slopeBoxLeft = layout_.basic.boxLeft[std::size_t(k)];
    QLabel* slope = addLabel(QString(), Text(kSlopeLabelText));
    slope->setFont(SongTi(10.5));
    slope->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    slope->setGeometry(Px(layout_.slopeLabel.x), Px(layout_.slopeLabel.y),
                       Px(slopeBoxLeft - layout_.slopeLabel.x), Px(kBoxHeight));
    if (layout_.slopeLabelWhite)
        Fill(slope, QPalette::Window, kWhite);
}

void CaseWindow::buildNotes() {
    const NotesLine2& notes = layout_.notes;
    const int line1 = Px(layout_.notesY[0]);
    const int line2 = Px(layout_.notesY[1]);
    const int height = Px(kNoteHeight);

    auto note = [&](const QString& name, const QString& text, int x, int y, int width) {
        QLabel* label = addLabel(name, text);
        Fill(label, QPalette::Window, kNoteColour);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->move(x, y);
        label->resize(width > 0 ? width : label->sizeHint().width(), height);
        return label;
    };
    note(QStringLiteral("Label17"), Text(kNote1Text), Px(notes.x[0]), line1, 0);
    // Line 2: each label reaches to the next; the tildes are blank until the
    // window opens.
    note(Text(notes.textNames[0]), Text(kNote2FirstText), Px(notes.x[0]), line2,
         Px(notes.x[1] - notes.x[0]));
    QLabel* firstTilde = note(Text(notes.firstTildeName), QString(), Px(notes.x[1]), line2,
                              Px(notes.x[2] - notes.x[1]));
    note(Text(notes.textNames[1]), Text(notes.middleText), Px(notes.x[2]), line2,
         Px(notes.x[3] - notes.x[2]));
    QLabel* secondTilde =
        note(Text(kSecondTildeName), QString(), Px(notes.x[3]), line2, Px(kSecondTildeWidth));
    note(Text(notes.textNames[2]), Text(kNote2LastText), Px(notes.x[3] + kSecondTildeWidth), line2,
         0);
    // The opening fills Label50 first, then the other tilde, then the "ξ"s.
    runtimeCaptions_.insert(runtimeCaptions_.begin(), {{secondTilde, Text(kSecondTildeText)},
                                                       {firstTilde, Text(notes.firstTildeText)}});
}

void CaseWindow::buildTabOrder() {
    std::vector<QWidget*> order;
    order.push_back(findChild<QPushButton*>(QStringLiteral("Command2")));
    for (int k = 0; k < kInputCount + kResultCount - 1; ++k)
        order.push_back(boxes_[std::size_t(k)]);
    order.push_back(findChild<QPushButton*>(QStringLiteral("Command1")));
    order.push_back(findChild<QPushButton*>(QStringLiteral("Command3")));
    order.push_back(command4_);
    order.push_back(boxes_.back());
    if (layout_.tabs == TabDirection::Text13First)
        std::reverse(order.begin(), order.end());
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        setTabOrder(order[k], order[k + 1]);
    order.front()->setFocus();
}

void CaseWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    std::array<int, 9> basicX{};
    std::array<int, 6> resultsX{};
    PaintRuledTable(painter, RulesOf(layout_.basic, basicX));
    PaintRuledTable(painter, RulesOf(layout_.results, resultsX));
}

bool CaseWindow::load() {
    for (const auto& [label, caption] : runtimeCaptions_)
        label->setText(caption);
    if (state_.ProjectMode == 1.0f)
        return true;

    project::ProjectValues values{};
    try {
        values = project::ReadProjectFile(state_.ProjectName);
    } catch (const hydraulics::CalcError& e) {
        // The window is not shown yet: the message belongs to whoever opens it.
        QMessageBox::critical(parentWidget(), QStringLiteral("无法打开项目"),
                              QString::fromStdString(e.message()) +
                                  QStringLiteral("\n窗口 %1 没有打开。请检查项目名称，"
                                                 "或选择“新项目”。")
                                      .arg(objectName()));
        return false;
    }
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    for (int k = 0; k < kInputCount; ++k)
        hydraulics::FieldRef(state_, info.inputs[std::size_t(k)]) = values[std::size_t(k)];
    const QLocale locale;
    for (int k = 0; k < kInputCount; ++k) {
        const float value = hydraulics::FieldValue(state_, info.inputs[std::size_t(k)]);
        showText(boxes_[std::size_t(k)],
                 project::ShowRegionalNumber(hydraulics::FormatSingle(value), locale));
    }
    return true;
}

void CaseWindow::showText(QLineEdit* box, const QString& text) {
    box->setText(text);
    // A number longer than the box shows its leading digits, not its tail.
    box->setCursorPosition(0);
}

void CaseWindow::clearResults() {
    for (int k = kInputCount; k < kInputCount + kResultCount; ++k) {
        boxes_[std::size_t(k)]->clear();
        boxes_[std::size_t(k)]->setToolTip(QString());
    }
    // The section belongs to the results: it goes with them.
    command4_->setEnabled(false);
    if (section_)
        section_->clearFigure();
}

void CaseWindow::showSection() {
    // The design point and flume length as this calculation left them in
    // the shared state, read before any other window can calculate. The
    // section window sets the increase of the design checks.
    const drawing::SectionFigure figure{hydraulics::FromCase(state_, layout_.caseNo),
                                        layout_.caseNo, state_.BasicData[hydraulics::PosL]};
    if (!section_)
        section_ = new SectionWindow(this);
    section_->showFigure(figure, QString::fromStdString(state_.ProjectName) + objectName() +
                                     QStringLiteral("断面图"));
    command4_->setEnabled(true);
}

void CaseWindow::warn(const QString& title, const QString& text) {
    QMessageBox::warning(this, title, text);
}

void CaseWindow::onCommand2Clicked() {
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    const QLocale locale; // the user's regional format
    project::ProjectValues values{};
    for (int k = 0; k < kInputCount; ++k) {
        QLineEdit* box = boxes_[std::size_t(k)];
        try {
            values[std::size_t(k)] =
                project::ReadRegionalNumber(box->text(), locale, InputSubject(info, k));
        } catch (const hydraulics::CalcError& e) {
            clearResults();
            warn(QStringLiteral("输入错误"),
                 QString::fromStdString(e.message()) +
                     QStringLiteral("\n请改正 %1 中的内容后重新计算。").arg(box->objectName()));
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
            return;
        }
        // Stored at once: the fields before a faulty box keep their new values.
        hydraulics::FieldRef(state_, info.inputs[std::size_t(k)]) = values[std::size_t(k)];
    }

    try {
        project::WriteProjectFile(state_.ProjectName, values);
    } catch (const hydraulics::CalcError& e) {
        clearResults();
        warn(QStringLiteral("无法保存项目文件"),
             QString::fromStdString(e.message()) +
                 QStringLiteral("\n计算没有进行，原有的项目文件保持不变。"));
        return;
    }

    hydraulics::ResultTexts results;
    try {
        results = hydraulics::SolveCase(state_, layout_.caseNo);
    } catch (const hydraulics::CalcError& e) {
        clearResults();
        warn(QStringLiteral("计算错误"),
             QString::fromStdString(e.message()) + QStringLiteral("\n成果表已清空。"));
        return;
    } catch (const hydraulics::NotConverged& e) {
        clearResults();
        warn(QStringLiteral("计算未收敛"),
             QString::fromStdString(e.message()) + QStringLiteral("\n成果表已清空。"));
        return;
    } catch (const std::exception& e) {
        clearResults();
        warn(QStringLiteral("计算错误"),
             QStringLiteral("计算中出现意外错误：") + QString::fromLocal8Bit(e.what()));
        return;
    }
    for (int k = 0; k < kResultCount; ++k) {
        QLineEdit* box = boxes_[std::size_t(kInputCount + k)];
        showText(box, project::ShowRegionalNumber(results[std::size_t(k)], locale));
        // The whole number, for one that is wider than its box.
        box->setToolTip(box->text());
    }
    showSection();
}

void CaseWindow::onCommand1Clicked() {
    const QString baseName = QString::fromStdString(state_.ProjectName) + objectName();
    ReportPrintOutcome(this, PrintWindowImage(*this, baseName));
}

void CaseWindow::onCommand3Clicked() {
    emit endRequested();
}

void CaseWindow::onCommand4Clicked() {
    if (!section_)
        return;
    section_->show();
    section_->raise();
    section_->activateWindow();
}

} // namespace windows
