// SPDX-License-Identifier: GPL-3.0-or-later
// What the calculation report says, as texts ready to set: the inputs, the
// trials of the case's search, the head-loss chain, the results, the
// hydraulic elements and the design checks. Standard C++ only; the
// document and its pages are made elsewhere in this folder.
#pragma once

#include "hydraulics/connection.h"
#include "hydraulics/design.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"
#include "hydraulics/regionincrease.h"
#include "project/reportidentity.h"
#include "report/reporttext.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace report {

// A report is made for one case: its eight inputs in box order (the order
// of the project file, as stored in single precision), the project's name
// as typed (blanks kept; may be empty on the command line) and the
// increase of the design discharge the design checks take.
struct ReportRequest {
    std::string projectName;
    int caseNo = 0; // 1..4
    std::array<float, 8> inputs{};
    std::optional<double> increasePercent{}; // p, %; empty: table 6.3.4's default
    project::ReportIdentity identity{};      // 工程名称 …, the names that sign
    // A sentence or paragraph the conclusion adds after the checks, such as
    // the nearest design of a sweep that meets them all; empty: none.
    std::optional<std::string> conclusionNote{};
    // The canals of the water-surface connection; empty: no such section.
    std::optional<hydraulics::ConnectionInput> connection{};
    // The width step, support, tie rods, cold region and grade; the
    // increase is the one above.
    hydraulics::DesignConditions conditions{};
    // 地区 (humid or arid), which end of table 6.3.4's row p takes where
    // no p is given; empty: not stated (the larger value).
    std::optional<hydraulics::Region> region{};
};

// Where the increase p of the checks comes from.
enum class IncreaseChoice { Given, Region, Default };

// A ruled table: column titles, then rows of the same length.
struct TextTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    int markedRow = -1;           // the trial that met the tolerance; -1 for none
    std::vector<int> unmetRows{}; // the rules not met: light red
    std::vector<int> notedRows{}; // recommendations not met (宜调整) and notes: amber
    // Text in a cell may hold "_{…}" and "^{…}" (sub- and superscript) and
    // "\n" between lines that are each kept whole.
};

// 结论: the verdict, each check not met with what to change, any note of
// the request, and the adopted figures (采用值).
struct Conclusion {
    std::vector<std::string> paragraphs;
    TextTable adopted; // 名称, 符号, 采用值 (or 计算值（不得采用）), 单位
};

struct ReportContent {
    // The request, its increasePercent the p the checks take (given, or
    // picked by the region or table 6.3.4's default).
    ReportRequest request;
    IncreaseChoice increaseChoice = IncreaseChoice::Default;
    std::string caseCaption;      // 计算槽宽及水头损失 …, as on the main window
    TextTable inputs;             // 名称, 符号, 数值, 单位
    std::vector<Paragraph> basis; // 计算依据: standard, handbook, ranges, remarks on the inputs
    std::string trialMethod;      // how the case's search runs, one paragraph
    TextTable trials;             // one row per trial (case 4: its one evaluation)
    TextTable losses;             // the head-loss chain with the engine's unrounded values
    std::vector<std::string> lossNotes; // which section the losses use; negative losses
    TextTable results;                  // 名称, 符号, 数值, 单位: the window's result texts
    TextTable elements;                 // the section window's elements, regime and surface
    TextTable checks;                   // 项目, 计算值, 要求, 依据, 结论 (GB 50288-2018)
    // The whole design, computed once: everything below the trials is
    // formatted from it.
    hydraulics::Design computed{};
    hydraulics::DesignPoint design{};
    hydraulics::DesignChecks designChecks{}; // of the calculated section, and the section's marks
    float totalLoss = 0;                     // Z, m, as the engine left it (case 2: the head met)
    // The water-surface connection of the design (at the adopted section),
    // with the request's canals only.
    std::optional<hydraulics::Connection> connection;
    TextTable connectionFigures; // 项目, 符号, 数值, 单位
    TextTable connectionChecks;  // as checks
    Conclusion conclusion;
};

// Runs case request.caseNo on a fresh state, following its search trial by
// trial. Throws hydraulics::CalcError or hydraulics::NotConverged exactly as
// the calculation does (then there is no report), std::out_of_range for a
// case number outside 1..4.
ReportContent ComposeReport(const ReportRequest& request);

// A value of a search as its trial formed it: the exact decimal of the
// single value where that takes at most 12 significant digits (the widths
// 1.912109375 and 1.9140625 of the halving), else its shortest form that
// reads back to the same single value.
std::string TrialNumber(float value);

} // namespace report
