// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/casewindowbuilder.h"

#include "hydraulics/cases.h"
#include "windows/captionstyle.h"
#include "windows/caselayout.h"
#include "windows/enterclick.h"
#include "windows/enterwalk.h"
#include "windows/fittinglineedit.h"
#include "windows/headerrow.h"
#include "windows/look.h"
#include "windows/notelabel.h"
#include "windows/ruledtable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSet>
#include <algorithm>

namespace windows {

namespace {

constexpr int kInputCount = 8;
constexpr int kResultCount = 5;

QString BoxName(int number) {
    return QStringLiteral("Text%1").arg(number);
}

void Fill(QWidget* widget, QPalette::ColorRole role, Rgb rgb) {
    QPalette palette = widget->palette();
    palette.setColor(role, ColourOf(rgb));
    widget->setPalette(palette);
    if (role == QPalette::Window)
        widget->setAutoFillBackground(true);
}

template <int Columns>
TableRules RulesOf(const TableLayout<Columns>& table, std::array<int, Columns + 1>& columnPx) {
    for (std::size_t k = 0; k < columnPx.size(); ++k)
        columnPx[k] = Px(table.columnX[k]);
    return {columnPx, Px(table.top), Px(table.headerLine), Px(table.bottom), table.headerLinePx};
}

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

// Builds one window; lives for the building only.
class Builder {
public:
    Builder(QWidget& window, const CaseLayout& layout) : window_(window), layout_(layout) {}

    CaseWindowControls build();

private:
    void setUpWindow();
    void reserveLabelNames();
    void buildTitles();
    void buildButtons();
    void buildBasicTable();
    void buildResultsTable();
    void buildSlopeLabel();
    void buildNotes();
    void buildTabOrder();
    void buildKeys();
    QLabel* addLabel(const QString& name, const QString& text, bool note = false,
                     bool meetsNext = false);
    QLabel* addTitle(const QString& name, std::string_view text, TwipPoint at, TwipPoint size,
                     Qt::Alignment alignment, Rgb colour);
    QLabel* addNote(const QString& name, const QString& text, int x, int y, int width,
                    bool meetsNext = false);
    void addBox(int number, int left, int top, int width, bool alignLeft, bool result);
    void setCell(int number, int left, int right, bool afterSlopeLabel);
    void addButton(int number, std::string_view text, TwipPoint at, TwipPoint size);
    QFont controlFont() const;

    QWidget& window_;
    const CaseLayout& layout_;
    CaseWindowControls controls_;
    // Names the design gives; unnamed labels are numbered around them.
    QSet<QString> reservedNames_;
    int nextLabelNumber_ = 2;
};

CaseWindowControls Builder::build() {
    setUpWindow();
    reserveLabelNames();
    buildTitles();
    buildButtons();
    buildBasicTable();
    buildNotes();
    buildResultsTable();
    buildSlopeLabel();
    buildTabOrder();
    buildKeys();
    return std::move(controls_);
}

void Builder::setUpWindow() {
    window_.setObjectName(Utf8(layout_.name));
    window_.setWindowTitle(Utf8(layout_.name));
    window_.resize(Px(layout_.clientWidth), Px(layout_.clientHeight));
    QPalette background = window_.palette();
    background.setColor(QPalette::Window, ColourOf(kWindowColour));
    window_.setPalette(background);
    window_.setAutoFillBackground(true);
    // Form2 sets 宋体 on the window and on every control; the other windows
    // keep the system's interface font.
    window_.setFont(layout_.songtiFonts ? SongTi(10.5) : InterfaceFont());
}

void Builder::reserveLabelNames() {
    reservedNames_ = {QStringLiteral("Label1"), QStringLiteral("Label10"),
                      QStringLiteral("Label17"), Utf8(kSecondTildeName),
                      Utf8(layout_.notes.firstTildeName)};
    for (std::string_view name : layout_.notes.textNames)
        reservedNames_.insert(Utf8(name));
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    for (const hydraulics::Quantity& quantity : info.inputNames) {
        const ColumnHeader& header = HeaderOf(quantity.caption);
        for (const auto& row : {header.row1, header.row2})
            for (const HeaderRun& run : row)
                if (!run.runtimeName.empty())
                    reservedNames_.insert(Utf8(run.runtimeName));
    }
}

QLabel* Builder::addLabel(const QString& name, const QString& text, bool note, bool meetsNext) {
    QLabel* label = note ? new NoteLabel(text, &window_, meetsNext) : new QLabel(text, &window_);
    if (name.isEmpty()) {
        // Labels the design leaves unnamed are numbered after the named ones
        // of this window, skipping every name that is taken.
        QString candidate;
        do
            candidate = QStringLiteral("Label%1").arg(nextLabelNumber_++);
        while (reservedNames_.contains(candidate) ||
               window_.findChild<QLabel*>(candidate, Qt::FindDirectChildrenOnly));
        label->setObjectName(candidate);
    } else {
        label->setObjectName(name);
    }
    if (layout_.songtiFonts)
        label->setFont(SongTi(9));
    return label;
}

QFont Builder::controlFont() const {
    return layout_.songtiFonts ? SongTi(9) : window_.font();
}

void Builder::addButton(int number, std::string_view text, TwipPoint at, TwipPoint size) {
    auto* button = new QPushButton(Utf8(text), &window_);
    button->setObjectName(QStringLiteral("Command%1").arg(number));
    button->setFont(LiShu(14.25));
    button->setGeometry(Px(at.x), Px(at.y), Px(size.x), Px(size.y));
    QPushButton* CaseWindowControls::*const named[] = {
        &CaseWindowControls::print, &CaseWindowControls::calculate, &CaseWindowControls::end,
        &CaseWindowControls::section, &CaseWindowControls::sweep};
    controls_.*named[number - 1] = button;
}

void Builder::addBox(int number, int left, int top, int width, bool alignLeft, bool result) {
    // A number wider than the box is drawn smaller rather than cut off.
    auto* box = new FittingLineEdit(&window_);
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
    // The results are read, selected and copied, not typed over.
    box->setReadOnly(result);
    controls_.boxes[std::size_t(number - 1)] = box;
}

void Builder::setCell(int number, int left, int right, bool afterSlopeLabel) {
    // The inside of the cell between its column lines (twips), a pixel clear
    // of each; a box after "1/" keeps its left edge, clear of the label.
    auto* box = static_cast<FittingLineEdit*>(controls_.boxes[std::size_t(number - 1)]);
    const int cellLeft = afterSlopeLabel ? box->x() : Px(left) + 2;
    box->setCell(cellLeft, Px(right) - 2);
}

QLabel* Builder::addTitle(const QString& name, std::string_view text, TwipPoint at, TwipPoint size,
                          Qt::Alignment alignment, Rgb colour) {
    QLabel* title = addLabel(name, Utf8(text));
    title->setFont(LiShu(18));
    title->setAlignment(alignment);
    title->setGeometry(Px(at.x), Px(at.y), Px(size.x), Px(size.y));
    Fill(title, QPalette::Window, colour);
    return title;
}

void Builder::buildTitles() {
    addTitle(QStringLiteral("Label1"), kBasicTitle, layout_.label1, kLabel1Size, Qt::AlignCenter,
             kBasicTitleColour);
    addTitle(QStringLiteral("Label10"), kResultsTitle, layout_.label10, kLabel10Size,
             Qt::AlignLeft | Qt::AlignTop, kResultsTitleColour);
}

void Builder::buildButtons() {
    addButton(2, kCommand2Text, layout_.command2, kCommand2Size);
    addButton(1, kCommand1Text, layout_.command1, kCommand1Size);
    addButton(3, kCommand3Text, layout_.command3, kCommand3Size);
    // "断面图" beside Command3, in its font and height; nothing to show
    // before a calculation has succeeded.
    addButton(4, kCommand4Text, layout_.command4, kCommand4Size);
    controls_.section->setEnabled(false);
    // "方案比选" left of Command3 as "断面图" stands right of it.
    const int gap = layout_.command4.x - (layout_.command3.x + kCommand3Size.x);
    addButton(5, "方案比选", {layout_.command3.x - gap - kCommand4Size.x, layout_.command3.y},
              kCommand4Size);
}

void Builder::buildBasicTable() {
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    const auto& table = layout_.basic;
    const QFont font = controlFont();
    for (int k = 0; k < kInputCount; ++k) {
        AddColumnHeader(HeaderOf(info.inputNames[std::size_t(k)].caption), font,
                        Px(table.columnX[std::size_t(k)]), Px(table.columnX[std::size_t(k + 1)]),
                        Px(table.headerRow1), Px(table.headerRow2),
                        [&](const HeaderRun& run, const PlacedRun& placed) {
                            const bool blank = !run.runtimeName.empty();
                            QLabel* label =
                                addLabel(Utf8(run.runtimeName), blank ? QString() : Utf8(run.text));
                            label->setFont(placed.font);
                            label->setGeometry(placed.geometry);
                            if (blank)
                                controls_.runtimeCaptions.emplace_back(label, Utf8(run.text));
                        });
        const bool slope = info.inputs[std::size_t(k)] == hydraulics::Field::x;
        const int width = slope || k == kInputCount - 1 ? kNarrowBoxWidth : kWideBoxWidth;
        addBox(k + 1, table.boxLeft[std::size_t(k)], table.boxRow, width, slope, false);
        setCell(k + 1, table.columnX[std::size_t(k)], table.columnX[std::size_t(k + 1)], slope);
    }
}

void Builder::buildResultsTable() {
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    const auto& table = layout_.results;
    const QFont font = controlFont();
    for (int k = 0; k < kResultCount; ++k) {
        AddColumnHeader(HeaderOf(info.results[std::size_t(k)].caption), font,
                        Px(table.columnX[std::size_t(k)]), Px(table.columnX[std::size_t(k + 1)]),
                        Px(table.headerRow1), Px(table.headerRow2),
                        [&](const HeaderRun& run, const PlacedRun& placed) {
                            QLabel* label = addLabel(QString(), Utf8(run.text));
                            label->setFont(placed.font);
                            label->setGeometry(placed.geometry);
                        });
        const bool last = k == kResultCount - 1;
        addBox(kInputCount + k + 1, table.boxLeft[std::size_t(k)], table.boxRow, kNarrowBoxWidth,
               last, true);
        // Form3's last result is the slope, after its "1/".
        setCell(kInputCount + k + 1, table.columnX[std::size_t(k)],
                table.columnX[std::size_t(k + 1)], last && !layout_.slopeLabelWhite);
    }
}

void Builder::buildSlopeLabel() {
    // "1/" stands just left of the slope box: an input in three windows, the
    // last result in Form3.
    const hydraulics::CaseInfo& info = hydraulics::Case(layout_.caseNo);
    int slopeBoxLeft = layout_.results.boxLeft[kResultCount - 1];
    for (int k = 0; k < kInputCount; ++k)
        if (info.inputs[std::size_t(k)] == hydraulics::Field::x)
            slopeBoxLeft = layout_.basic.boxLeft[std::size_t(k)];
    QLabel* slope = addLabel(QString(), Utf8(kSlopeLabelText));
    slope->setFont(SongTi(10.5));
    slope->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    slope->setGeometry(Px(layout_.slopeLabel.x), Px(layout_.slopeLabel.y),
                       Px(slopeBoxLeft - layout_.slopeLabel.x), Px(kBoxHeight));
    if (layout_.slopeLabelWhite)
        Fill(slope, QPalette::Window, kWhite);
}

QLabel* Builder::addNote(const QString& name, const QString& text, int x, int y, int width,
                         bool meetsNext) {
    QLabel* label = addLabel(name, text, true, meetsNext);
    Fill(label, QPalette::Window, kNoteColour);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->move(x, y);
    label->resize(width > 0 ? width : label->sizeHint().width(), Px(kNoteHeight));
    return label;
}

void Builder::buildNotes() {
    const NotesLine2& notes = layout_.notes;
    const int line1 = Px(layout_.notesY[0]);
    const int line2 = Px(layout_.notesY[1]);
    addNote(QStringLiteral("Label17"), Utf8(kNote1Text), Px(notes.x[0]), line1, 0);
    // Line 2: each label reaches to the next; the tildes are blank until the
    // window opens.
    addNote(Utf8(notes.textNames[0]), Utf8(kNote2FirstText), Px(notes.x[0]), line2,
            Px(notes.x[1] - notes.x[0]), true);
    QLabel* firstTilde = addNote(Utf8(notes.firstTildeName), QString(), Px(notes.x[1]), line2,
                                 Px(notes.x[2] - notes.x[1]));
    addNote(Utf8(notes.textNames[1]), Utf8(notes.middleText), Px(notes.x[2]), line2,
            Px(notes.x[3] - notes.x[2]), true);
    QLabel* secondTilde =
        addNote(Utf8(kSecondTildeName), QString(), Px(notes.x[3]), line2, Px(kSecondTildeWidth));
    addNote(Utf8(notes.textNames[2]), Utf8(kNote2LastText), Px(notes.x[3] + kSecondTildeWidth),
            line2, 0);
    // The opening fills Label50 first, then the other tilde, then the "ξ"s.
    auto& captions = controls_.runtimeCaptions;
    captions.insert(captions.begin(), {{secondTilde, Utf8(kSecondTildeText)},
                                       {firstTilde, Utf8(notes.firstTildeText)}});
}

void Builder::buildTabOrder() {
    const CaseWindowControls& c = controls_;
    std::vector<QWidget*> order;
    order.push_back(c.calculate);
    for (int k = 0; k < kInputCount + kResultCount - 1; ++k)
        order.push_back(controls_.boxes[std::size_t(k)]);
    order.push_back(c.print);
    order.push_back(c.end);
    order.push_back(controls_.boxes.back());
    if (layout_.tabs == TabDirection::Text13First)
        std::reverse(order.begin(), order.end());
    // "断面图" follows "结 束 计 算" whichever way the window's order runs.
    order.insert(std::find(order.begin(), order.end(), c.end) + 1, c.section);
    order.insert(std::find(order.begin(), order.end(), c.section) + 1, c.sweep);
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        QWidget::setTabOrder(order[k], order[k + 1]);
    order.front()->setFocus();
}

void Builder::buildKeys() {
    std::vector<QLineEdit*> inputs(controls_.boxes.begin(), controls_.boxes.begin() + kInputCount);
    new EnterWalk(inputs, controls_.calculate, &window_);
    new EnterClick({controls_.print, controls_.end, controls_.section, controls_.sweep}, &window_);
    // The buttons' focus frame and the 隶书 captions from outlines.
    auto* style = new CaptionStyle;
    style->setParent(&window_);
    for (QPushButton* button :
         {controls_.print, controls_.calculate, controls_.end, controls_.section, controls_.sweep})
        button->setStyle(style);
    for (const char* title : {"Label1", "Label10"})
        window_.findChild<QLabel*>(QLatin1String(title), Qt::FindDirectChildrenOnly)
            ->setStyle(style);
}

} // namespace

CaseWindowControls BuildCaseWindow(QWidget& window, const CaseLayout& layout) {
    return Builder(window, layout).build();
}

void PaintCaseTables(QPainter& painter, const CaseLayout& layout) {
    std::array<int, 9> basicX{};
    std::array<int, 6> resultsX{};
    PaintRuledTable(painter, RulesOf(layout.basic, basicX));
    PaintRuledTable(painter, RulesOf(layout.results, resultsX));
}

} // namespace windows
