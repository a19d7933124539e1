// SPDX-License-Identifier: GPL-3.0-or-later
// The design checks of a calculation (GB 50288-2018) on the command line:
// lines of text after the hydraulic elements, and the "checks" object of
// the JSON report.
#pragma once

#include "cli/calculation.h"
#include "hydraulics/designchecks.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

namespace cli {

// The checks of a successful calculation at an increase of
// `increasePercent` % (empty: the larger value of table 6.3.4 for Q), after
// a blank line and the heading "设计校核", one a line as
//   设计流速: v = 1.616 m/s | 1.0 ≤ v ≤ 2.5 m/s | GB 50288-2018 第 9.4.1 条 | 满足
// (item: figures | requirement | clause | verdict). Empty unless status is Ok.
std::string CheckLines(const Outcome& outcome, std::optional<double> increasePercent);

// Appends the checks of a successful calculation as one JSON object:
//   {"increase_percent": 30, "velocity": {"value": v, "ok": true},
//    "mild_slope": {"Fr": …, "critical_slope_x": …, "ok": …},
//    "increased_flow": {"Q": …, "h": …},
//    "net_depth": {"design": H₁, "increased": H₂, "value": H, "ratio": H/B, "ok": …},
//    "short_flume": {"ratio": L/h, "ok": …}}
// Numbers unrounded, null where not formed; "ok" is true when the check is
// met, false when not met (and for a short flume's note), null when its
// figures cannot be formed. Appends null when there is no design point.
void AppendChecksJson(std::string& out, const Outcome& outcome,
                      std::optional<double> increasePercent);

// Figures of one JSON group, in the order written.
using JsonFigures = std::initializer_list<std::pair<const char*, std::optional<double>>>;

// Appends `"name": {"key": number, …[, "ok": verdict]}`, led by ", " unless
// `first`. "ok" is true when met, null when not formed, false otherwise (a
// note is a requirement not met, though no failure).
void AppendJsonGroup(std::string& out, const char* name, JsonFigures figures,
                     std::optional<hydraulics::Verdict> verdict = {}, bool first = false);

// One check as a line of text: "item: figures | requirement | clause | verdict\n".
std::string CheckLine(const hydraulics::CheckRow& row);

} // namespace cli
