// SPDX-License-Identifier: GPL-3.0-or-later
// The description of one case window: what differs between Form2 and Form5.
//
// Plain data. Positions and sizes are in twips (1/1440 inch), measured from
// the top left corner of the client area; Px() (look.h) turns them into
// pixels at 96 dpi (15 twips a pixel). Which quantity each box holds, and with it the
// captions of the table headers, comes from hydraulics::Case(caseNo).
#pragma once

#include "windows/look.h" // Rgb

#include <array>
#include <span>
#include <string_view>

namespace windows {

// Left and Top of a control.
struct TwipPoint {
    int x = 0;
    int y = 0;
};

// A ruled table: the frame and the header line, and one column per box.
template <int Columns> struct TableLayout {
    std::array<int, Columns + 1> columnX; // column boundaries, frame included
    int top = 0;                          // y of the frame's top line
    int headerLine = 0;                   // y of the line under the headers
    int bottom = 0;                       // y of the frame's bottom line
    int headerLinePx = 2;                 // width of the header line in pixels
    int headerRow1 = 0;                   // y of the first header row
    int headerRow2 = 0;                   // y of the second header row
    int boxRow = 0;                       // Top of the boxes
    std::array<int, Columns> boxLeft;     // Left of each box
};

// Where keyboard focus goes first and how Tab walks the controls.
enum class TabDirection {
    CommandFirst, // Command2, Text1..Text12, Command1, Command3, Text13
    Text13First,  // the reverse: Text13, Command3, Command1, Text12..Text1, Command2
};

// The five labels of the second notes line, left to right: text, tilde,
// text, tilde, text. The tildes are blank until the window opens.
struct NotesLine2 {
    std::array<int, 4> x;                      // Left of the first four labels
    std::string_view middleText;               // the third label's caption
    std::array<std::string_view, 3> textNames; // first, third and fifth label
    std::string_view firstTildeName;           // the tilde at x[1]
    std::string_view firstTildeText;           // " ～" or "～"
};

struct CaseLayout {
    int caseNo;                // 1..4
    std::string_view name;     // "Form2".."Form5": object name and title
    int clientWidth;           // twips
    int clientHeight;          // twips
    bool songtiFonts;          // controls 宋体 9 pt on a 宋体 10.5 pt window;
                               // otherwise the system's interface font
    TwipPoint label1;          // "基 本 资 料 表"
    TableLayout<8> basic;      // Text1..Text8 under their headers
    TwipPoint slopeLabel;      // "1/", just left of the slope box
    bool slopeLabelWhite;      // white "1/" (in the input row)
    std::array<int, 2> notesY; // the two notes lines
    NotesLine2 notes;
    TwipPoint command2;     // "显示计算成果"
    TwipPoint label10;      // "计 算 成 果 表 "
    TableLayout<5> results; // Text9..Text13
    TwipPoint command1;     // "打印基本资料及计算成果"
    TwipPoint command3;     // "结 束 计 算"
    TwipPoint command4;     // "断面图", right of Command3 on its row
    TabDirection tabs;
    bool text13StartsEmpty; // Form3's slope result box has no space
    // What the case computes, as the main window's case table says it;
    // messages start from it.
    std::string_view task = {};
};

// How one piece of a header caption is set.
enum class RunStyle {
    Name,    // a caption or unit in the window's control font
    Symbol,  // an italic symbol: 宋体 9 pt italic
    Greek,   // "ξ": 宋体 12 pt italic
    Lowered, // the subscript digit of ξ1, ξ2: 宋体 7.5 pt, lowered
    Raised,  // the "3" of m³: 宋体 6.75 pt, raised
    Large,   // "(m", "/s)" and "1/": 宋体 10.5 pt
};

struct HeaderRun {
    std::string_view text;
    RunStyle style = RunStyle::Name;
    // When named, the label is blank in the design and takes `text` as its
    // caption when the window opens (the "ξ" labels).
    std::string_view runtimeName = {};
};

// The two header rows over one box, for the quantity with this caption.
struct ColumnHeader {
    std::string_view caption; // hydraulics::Quantity::caption
    std::span<const HeaderRun> row1;
    std::span<const HeaderRun> row2;
};

// The header of the column for a quantity, found by its engine caption;
// throws std::out_of_range for a caption no window shows.
const ColumnHeader& HeaderOf(std::string_view caption);

// Captions and sizes that are the same in every window.
inline constexpr std::string_view kBasicTitle = "基 本 资 料 表";    // Label1
inline constexpr std::string_view kResultsTitle = "计 算 成 果 表 "; // Label10
inline constexpr std::string_view kCommand1Text = "打印基本资料及计算成果";
inline constexpr std::string_view kCommand2Text = "显示计算成果";
inline constexpr std::string_view kCommand3Text = "结 束 计 算";
inline constexpr std::string_view kCommand4Text = "断面图"; // opens the section window
inline constexpr std::string_view kNote1Text = "说明： 1.混凝土糙率一般可采用 0.014； "; // Label17
inline constexpr std::string_view kNote2FirstText = "       2.进口局部损失系数可采用 0.2";
inline constexpr std::string_view kNote2LastText = " 0.5 。";
inline constexpr std::string_view kSecondTildeName = "Label50";
inline constexpr std::string_view kSecondTildeText = " ～";
inline constexpr std::string_view kSlopeLabelText = "1/";

inline constexpr Rgb kWindowColour{192, 255, 255}; // window, header labels, result boxes
inline constexpr Rgb kBasicTitleColour{255, 192, 255};
inline constexpr Rgb kResultsTitleColour{255, 255, 128};
inline constexpr Rgb kNoteColour{255, 192, 192};
inline constexpr Rgb kWhite{255, 255, 255}; // input boxes, "1/" in the input row

inline constexpr TwipPoint kLabel1Size{2595, 390};
inline constexpr TwipPoint kLabel10Size{2655, 390};
inline constexpr TwipPoint kCommand1Size{4215, 390};
inline constexpr TwipPoint kCommand2Size{2775, 390};
inline constexpr TwipPoint kCommand3Size{2235, 390};
inline constexpr TwipPoint kCommand4Size{1500, 390};
inline constexpr int kBoxHeight = 270;
inline constexpr int kWideBoxWidth = 735;   // input boxes
inline constexpr int kNarrowBoxWidth = 675; // slope box, Text8, result boxes
inline constexpr int kNoteHeight = 225;
inline constexpr int kSecondTildeWidth = 240;

// The layout of case 1..4 (Form2..Form5); throws std::out_of_range otherwise.
const CaseLayout& LayoutOf(int caseNo);

} // namespace windows
