// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of a case window, built from the description of its case
// (caselayout.h): the window's own look, the titles, the two tables with
// their headers and boxes, the notes, the buttons and the tab order.
#pragma once

#include <QString>
#include <array>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QWidget;

namespace windows {

struct CaseLayout;

// What the built window hands its behaviour.
struct CaseWindowControls {
    std::array<QLineEdit*, 13> boxes{}; // Text1..Text13
    QPushButton* print = nullptr;       // Command1 "打印基本资料及计算成果"
    QPushButton* calculate = nullptr;   // Command2 "显示计算成果"
    QPushButton* end = nullptr;         // Command3 "结 束 计 算"
    QPushButton* section = nullptr;     // Command4 "断面图"
    QPushButton* sweep = nullptr;       // Command5 "方案比选", open before any success
    // Labels that are blank in the design, with the captions they take
    // when the window opens, in the order they take them.
    std::vector<std::pair<QLabel*, QString>> runtimeCaptions;
};

// Gives `window` the name, title, size, colour and font of the case of
// `layout` and builds its controls as children of it; Command4 starts
// disabled and the first control of the tab order has the focus. Enter
// walks the inputs left to right and computes from the last of them or
// from Command2; a focused button is framed plainly.
CaseWindowControls BuildCaseWindow(QWidget& window, const CaseLayout& layout);

// The rules of the window's two tables, drawn over its background.
void PaintCaseTables(QPainter& painter, const CaseLayout& layout);

} // namespace windows
