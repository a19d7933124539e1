// SPDX-License-Identifier: GPL-3.0-or-later
// The design checks of a calculation (GB 50288-2018) on the command line:
// lines of text, and the "checks" objects of the JSON report.
#pragma once

#include "hydraulics/adopted.h"
#include "hydraulics/checkrow.h"
#include "hydraulics/connection.h"
#include "hydraulics/designchecks.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

// One check as a line of text: "item: figures | requirement | clause | verdict\n",
// the verdict 满足, 不满足, 宜调整, 提示, —, or the classification 长槽/短槽.
std::string CheckLine(const hydraulics::CheckRow& row);

// A blank line, `heading`, then one line a row.
std::string CheckLines(std::string_view heading, const std::vector<hydraulics::CheckRow>& rows);

// Figures of one JSON group, in the order written.
using JsonFigures = std::initializer_list<std::pair<const char*, std::optional<double>>>;

// Appends `"key": number` for each figure, joined by ", ", led by ", "
// unless `first` (null where a figure is not formed).
void AppendJsonFigures(std::string& out, JsonFigures figures, bool first = false);

// Appends `"name": {"key": number, …[, "ok": verdict, "level": level]}`,
// led by ", " unless `first`. "ok" is true when met, null when not formed,
// false otherwise (a note is a requirement not met, though no failure);
// "level" is "shall", "should" or "note".
void AppendJsonGroup(std::string& out, const char* name, JsonFigures figures,
                     std::optional<hydraulics::Verdict> verdict = {}, bool first = false,
                     std::optional<hydraulics::CheckLevel> level = {});

// The checks of a section as one JSON object, a member per row keyed by
// its id, numbers unrounded, null where not formed:
//   {"applicability": {"ratio", "ok", "level"}, "increase_percent": p,
//    "velocity": {"value"}, "mild_slope": {"Fr", "critical_slope_x"},
//    "increased_flow": {"Q", "h"},
//    "freeboard": {"surface", "value", "required"},
//    "increased_freeboard": {"surface", "tie_rod_depth", "value", "required"},
//    "net_depth": {"design", "increased", "minimum", "value", "ratio"},
//    "short_flume": {"ratio", "ok", "basis": "h1"|"h"} (ok true for a long flume), …}
// each with "ok" and "level"; the rows of `section` add the connection's
// ("allowed_drop", "short_recheck", "backwater", "bend") and the head of
// case 2 ("head").
void AppendChecksJson(std::string& out, const hydraulics::DesignChecks& checks,
                      const std::vector<hydraulics::CheckRow>& rows,
                      const hydraulics::VerifiedSection* section = nullptr);

} // namespace cli
