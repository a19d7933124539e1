// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 as data.
#include "windows/mainlayout.h"

namespace windows {

namespace {

using enum ControlKind;

constexpr Rgb kFormBack{192, 255, 255}; // light cyan
constexpr Rgb kHeading{255, 255, 0};    // Label1
constexpr Rgb kCredits{255, 255, 192};  // Label17
constexpr Rgb kDescription{255, 192, 255};
constexpr Rgb kScopeNote{255, 192, 128}; // Label5
constexpr Rgb kHint{255, 128, 128};      // Label3
constexpr Rgb kCaption{255, 255, 128};   // Label8, Label19
constexpr Rgb kOptionBack{0, 0, 255};

constexpr FontSpec kSongTi9{ChineseFace::SongTi, 9};
constexpr FontSpec kSongTi75{ChineseFace::SongTi, 7.5};
constexpr FontSpec kLiShu18{ChineseFace::LiShu, 18};
constexpr FontSpec kLiShu1425{ChineseFace::LiShu, 14.25};
constexpr FontSpec kHeiTi105{ChineseFace::HeiTi, 10.5};
constexpr FontSpec kHeiTi1425{ChineseFace::HeiTi, 14.25};

constexpr CaptionColour kBlack{TextColour::Fixed, {0, 0, 0}};
constexpr CaptionColour kWhiteText{TextColour::Fixed, {255, 255, 255}};
constexpr CaptionColour kHighlighted{TextColour::HighlightedText};

const ControlSpec kControls[] = {
    // The description of the program.
    {Label, "Label1", "Ambrelo", 2760, 225, 4755, 465, kLiShu18, kHeading, {}, true},
    {Label, "Label17", "Ambrelo 1.0 · U形渡槽水力设计计算程序", 3600, 750, 3015, 165, kSongTi75,
     kCredits},
    {Label, "Label2", "程序编制说明：", 960, 975, 8595, 315, kLiShu1425, kDescription},
    {Label, "Label20", "  （1）本程序适用于半圆加直段的 U 形渡槽；", 960, 1275, 8595, 315,
     kLiShu1425, kDescription},
    {Label, "Label4", "  （2）渡槽进口水头损失及出口水位回升按能量方程式采用武汉水", 960, 1575,
     8595, 315, kLiShu1425, kDescription},
    {Label, "Label10", "水院《水力计算手册》建议方法计算；", 960, 1875, 8595, 315, kLiShu1425,
     kDescription},
    {Label, "Label6", "  （3）程序可根据需要分别对以下 4 种情况进行计算：", 960, 2175, 8595, 315,
     kLiShu1425, kDescription},
    {Label, "Label9", "       1）已知流量、槽身比降及水深，计算槽宽及水头损失；", 960, 2475, 8595,
     315, kLiShu1425, kDescription},
    {Label, "Label27", "       2）已知流量、水头损失及水深，计算槽宽及槽身比降；", 960, 2775, 8595,
     315, kLiShu1425, kDescription},
    {Label, "Label22", "       3）已知流量、槽身比降及槽宽，计算水深及水头损失；", 960, 3075, 8595,
     315, kLiShu1425, kDescription},
    {Label, "Label13", "       4）已知槽身比降、槽宽及水深，计算流量及水头损失。", 960, 3375, 8595,
     390, kLiShu1425, kDescription},
    // The run of blanks places the line break of this two-line note.
    {WrappedLabel, "Label5",
     "         (1、2两种情况仅适用于槽内水深大于等于1/2"
     "槽宽时；3、4两种情况适用于任何水           深情况)",
     960, 3750, 8595, 465, kHeiTi105, kScopeNote},
    {Label, "Label3", "[提示]  在“计算情况选取表”中选取一种计算情况", 2760, 4350, 4875, 240,
     kHeiTi105, kHint},

    // The case table: independent boxes, not an exclusive group, inside
    // a ruled frame. Case 4 solves for the discharge, so its box says so.
    {Label, "Label8", "计算情况选取表", 4560, 4725, 1275, 240, {}, kCaption},
    {CheckBox, "Check4", "计算槽宽及水头损失", 4080, 5100, 2235, 315, {}, kFormBack},
    {CheckBox, "Check5", "计算槽宽及槽身比降", 4080, 5475, 2235, 315, {}, kFormBack},
    {CheckBox, "Check7", "计算水深及水头损失", 4080, 5850, 2235, 330, {}, kFormBack},
    {CheckBox, "Check6", "计算流量及水头损失", 4080, 6225, 2235, 315, {}, kFormBack},
    {Line, "Line1", "", 4020, 5025, 6360, 5025},
    {Line, "Line9", "", 4020, 5025, 4020, 6600},
    {Line, "Line10", "", 6360, 5025, 6360, 6600},
    {Line, "Line13", "", 4020, 6600, 6360, 6600},

    // New or existing project, the project name, open and print. The box
    // starts with one blank, which is not part of the name until the text
    // first changes.
    {OptionButton, "Option1", "新计算项目", 1800, 6750, 1815, 315, kHeiTi1425, kOptionBack,
     kHighlighted},
    {OptionButton, "Option2", "已计算项目", 4260, 6750, 1815, 315, kHeiTi1425, kOptionBack,
     kWhiteText},
    {Label, "Label19", "项目名", 6780, 6750, 990, 315, kHeiTi1425, kCaption, kBlack},
    {TextBox, "Text1", " ", 7740, 6750, 915, 315},
    {CommandButton, "Command2", "输入或显示基本资料", 2040, 7200, 3075, 390, kLiShu1425},
    {CommandButton, "Command1", "打印程序编制说明", 5400, 7200, 3075, 390, kLiShu1425},
};

constexpr std::string_view kTabOrder[] = {"Check7",  "Check6",  "Check5",   "Check4",  "Text1",
                                          "Option1", "Option2", "Command1", "Command2"};

// The controls stand at fixed places; a larger window would only show
// more background. Case boxes, the name box and Label8 take the window's
// own font.
const MainLayout kForm1{"Form1", 9735, 7740, kSongTi9, kFormBack, kControls, kTabOrder};

} // namespace

const MainLayout& Form1Layout() {
    return kForm1;
}

} // namespace windows
