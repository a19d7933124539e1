// SPDX-License-Identifier: GPL-3.0-or-later
// The four case windows as data, and the headers of their table columns.
#include "windows/caselayout.h"

#include <stdexcept>

namespace windows {

namespace {

using enum RunStyle;

// Headers, by the engine's caption of the quantity. The symbols are italic;
// the digit after "Z" belongs to the unit label.
constexpr HeaderRun kQ1[] = {{"流量"}, {"Q", Symbol}};
constexpr HeaderRun kQ2[] = {{"(m", Large}, {"3", Raised}, {"/s)", Large}};
constexpr HeaderRun kL1[] = {{"槽身长"}};
constexpr HeaderRun kL2[] = {{"L", Symbol}, {"(m)"}};
constexpr HeaderRun kH1[] = {{"槽内水深"}};
constexpr HeaderRun kH2[] = {{"h", Symbol}, {"(m)"}};
constexpr HeaderRun kX1[] = {{"槽身比降"}};
constexpr HeaderRun kX2[] = {{"i", Symbol}};
constexpr HeaderRun kV1[] = {{"渠道流速"}};
constexpr HeaderRun kV2[] = {{"V", Symbol}, {"(m/s)"}};
constexpr HeaderRun kN1[] = {{"槽身糙率"}};
constexpr HeaderRun kN2[] = {{"n", Symbol}};
constexpr HeaderRun kXi11[] = {{"进口局部损"}};
constexpr HeaderRun kXi12[] = {{"失系数 "}, {"ξ", Greek, "Label7"}, {"1", Lowered}};
constexpr HeaderRun kXi21[] = {{"出口局部损"}};
constexpr HeaderRun kXi22[] = {{"失系数 "}, {"ξ", Greek, "Label16"}, {"2", Lowered}};
constexpr HeaderRun kZ1[] = {{"总水头损失"}};
constexpr HeaderRun kHead1[] = {{"水头"}};
constexpr HeaderRun kZ2[] = {{"Z", Symbol}, {"(m)"}};
constexpr HeaderRun kZ11[] = {{"进口水头损失"}};
constexpr HeaderRun kZ12[] = {{"Z", Symbol}, {"1 (m)"}};
constexpr HeaderRun kZ21[] = {{"沿程水头损失"}};
constexpr HeaderRun kZ22[] = {{"Z", Symbol}, {"2 (m)"}};
constexpr HeaderRun kZ31[] = {{"出口水位回升"}};
constexpr HeaderRun kZ32[] = {{"Z", Symbol}, {"3 (m)"}};
constexpr HeaderRun kB1[] = {{"槽宽"}};
constexpr HeaderRun kB2[] = {{"B", Symbol}, {"(m)"}};

const ColumnHeader kHeaders[] = {
    {"流量", kQ1, kQ2},
    {"槽身长", kL1, kL2},
    {"槽内水深", kH1, kH2},
    {"槽身比降", kX1, kX2},
    {"渠道流速", kV1, kV2},
    {"槽身糙率", kN1, kN2},
    {"进口局部损失系数", kXi11, kXi12},
    {"出口局部损失系数", kXi21, kXi22},
    {"总水头损失", kZ1, kZ2},
    {"水头", kHead1, kZ2},
    {"进口水头损失", kZ11, kZ12},
    {"沿程水头损失", kZ21, kZ22},
    {"出口水位回升", kZ31, kZ32},
    {"槽宽", kB1, kB2},
};

// Basic-data table shared by Form2, Form3 and Form4 (lines and rows), with
// Form2's and Form4's columns and boxes.
constexpr TableLayout<8> kForm2Basic{
    .columnX = {960, 2040, 2940, 3780, 4800, 5760, 6720, 7740, 8760},
    .top = 1125,
    .headerLine = 1725,
    .bottom = 2175,
    .headerLinePx = 2,
    .headerRow1 = 1200,
    .headerRow2 = 1425,
    .boxRow = 1800,
    .boxLeft = {1140, 2160, 3000, 4080, 4920, 5880, 6840, 7920},
};

constexpr TableLayout<5> kForm2Results{
    .columnX = {1860, 2880, 4140, 5340, 6480, 7380},
    .top = 3900,
    .headerLine = 4425,
    .bottom = 4875,
    .headerLinePx = 2,
    .headerRow1 = 3975,
    .headerRow2 = 4200,
    .boxRow = 4500,
    .boxLeft = {2040, 3180, 4380, 5580, 6600},
};

constexpr TableLayout<8> kForm3Basic{
    .columnX = {1020, 2100, 2940, 3780, 4740, 5700, 6540, 7560, 8580},
    .top = 1125,
    .headerLine = 1725,
    .bottom = 2175,
    .headerLinePx = 2,
    .headerRow1 = 1200,
    .headerRow2 = 1425,
    .boxRow = 1800,
    .boxLeft = {1200, 2160, 3000, 3900, 4860, 5760, 6660, 7740},
};

constexpr TableLayout<5> kForm3Results{
    .columnX = {2040, 3240, 4440, 5580, 6360, 7380},
    .top = 3900,
    .headerLine = 4425,
    .bottom = 4875,
    .headerLinePx = 2,
    .headerRow1 = 3975,
    .headerRow2 = 4200,
    .boxRow = 4500,
    .boxLeft = {2280, 3540, 4680, 5640, 6660},
};

// Form4's results header line is 1 pixel.
constexpr TableLayout<5> kForm4Results{
    .columnX = {1860, 2880, 4140, 5340, 6540, 7380},
    .top = 3900,
    .headerLine = 4425,
    .bottom = 4875,
    .headerLinePx = 1,
    .headerRow1 = 3975,
    .headerRow2 = 4200,
    .boxRow = 4500,
    .boxLeft = {2040, 3180, 4380, 5580, 6600},
};

constexpr TableLayout<8> kForm5Basic{
    .columnX = {960, 1800, 2700, 3540, 4560, 5520, 6480, 7500, 8520},
    .top = 1200,
    .headerLine = 1800,
    .bottom = 2250,
    .headerLinePx = 2,
    .headerRow1 = 1275,
    .headerRow2 = 1500,
    .boxRow = 1875,
    .boxLeft = {1020, 1920, 2760, 3840, 4680, 5640, 6600, 7680},
};

constexpr TableLayout<5> kForm5Results{
    .columnX = {1740, 2760, 4020, 5160, 6360, 7320},
    .top = 3975,
    .headerLine = 4575,
    .bottom = 5025,
    .headerLinePx = 2,
    .headerRow1 = 4050,
    .headerRow2 = 4275,
    .boxRow = 4650,
    .boxLeft = {1920, 3060, 4260, 5400, 6480},
};

constexpr std::string_view kMiddleNote = " 0.3；出口局部损失系数可采用 0.3";

const CaseLayout kLayouts[] = {
    {.caseNo = 1,
     .name = "Form2",
     .clientWidth = 9015,
     .clientHeight = 6300,
     .songtiFonts = true,
     .label1 = {3300, 675},
     .basic = kForm2Basic,
     .slopeLabel = {3840, 1800},
     .slopeLabelWhite = true,
     .notesY = {2250, 2475},
     .notes = {{960, 4140, 4440, 7260},
               kMiddleNote.substr(1),
               {"Label46", "Label49", "Label47"},
               "Label48",
               "～"},
     .command2 = {3240, 2850},
     .label10 = {3300, 3450},
     .results = kForm2Results,
     .command1 = {2580, 5100},
     .command3 = {3600, 5700},
     .command4 = {6135, 5700},
     .tabs = TabDirection::CommandFirst,
     .text13StartsEmpty = false,
     .task = "计算槽宽及水头损失"},
    {.caseNo = 2,
     .name = "Form3",
     .clientWidth = 8775,
     .clientHeight = 6315,
     .songtiFonts = false,
     .label1 = {3300, 675},
     .basic = kForm3Basic,
     .slopeLabel = {6420, 4500},
     .slopeLabelWhite = false,
     .notesY = {2250, 2475},
     .notes = {{960, 4140, 4380, 7260},
               kMiddleNote,
               {"Label46", "Label49", "Label47"},
               "Label48",
               " ～"},
     .command2 = {3240, 2850},
     .label10 = {3300, 3450},
     .results = kForm3Results,
     .command1 = {2520, 5100},
     .command3 = {3480, 5700},
     .command4 = {6015, 5700},
     .tabs = TabDirection::Text13First,
     .text13StartsEmpty = true,
     .task = "计算槽宽及槽身比降"},
    {.caseNo = 3,
     .name = "Form4",
     .clientWidth = 8985,
     .clientHeight = 6285,
     .songtiFonts = false,
     .label1 = {3300, 675},
     .basic = kForm2Basic,
     .slopeLabel = {3840, 1800},
     .slopeLabelWhite = true,
     .notesY = {2250, 2475},
     .notes = {{960, 4140, 4440, 7320},
               kMiddleNote,
               {"Label46", "Label49", "Label47"},
               "Label48",
               " ～"},
     .command2 = {3240, 2850},
     .label10 = {3300, 3450},
     .results = kForm4Results,
     .command1 = {2580, 5100},
     .command3 = {3540, 5700},
     .command4 = {6075, 5700},
     .tabs = TabDirection::Text13First,
     .text13StartsEmpty = false,
     .task = "计算水深及水头损失"},
    {.caseNo = 4,
     .name = "Form5",
     .clientWidth = 8745,
     .clientHeight = 6450,
     .songtiFonts = false,
     .label1 = {3240, 750},
     .basic = kForm5Basic,
     .slopeLabel = {3600, 1875},
     .slopeLabelWhite = true,
     .notesY = {2325, 2550},
     .notes = {{960, 4140, 4440, 7320},
               kMiddleNote,
               {"Label35", "Label49", "Label36"},
               "Label37",
               " ～"},
     .command2 = {3120, 2925},
     .label10 = {3180, 3525},
     .results = kForm5Results,
     .command1 = {2460, 5250},
     .command3 = {3420, 5850},
     .command4 = {5955, 5850},
     .tabs = TabDirection::CommandFirst,
     .text13StartsEmpty = false,
     .task = "计算流量及水头损失"},
};

} // namespace

const ColumnHeader& HeaderOf(std::string_view caption) {
    for (const ColumnHeader& header : kHeaders)
        if (header.caption == caption)
            return header;
    throw std::out_of_range("no column header for this quantity");
}

const CaseLayout& LayoutOf(int caseNo) {
    if (caseNo < 1 || caseNo > static_cast<int>(std::size(kLayouts)))
        throw std::out_of_range("case number must be 1 to 4");
    return kLayouts[caseNo - 1];
}

} // namespace windows
