// SPDX-License-Identifier: GPL-3.0-or-later
// The three output forms of a calculation: lines of text as the case
// window shows its results, one JSON object, and CSV rows.
//
// Numbers are the texts of the engine's locale-free formatting: inputs as
// stored (single value, up to 7 significant digits), results exactly as
// the window's result boxes show them.
#pragma once

#include "cli/calculation.h"
#include "hydraulics/design.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

// The five result lines of a successful calculation, one a line:
// "总水头损失 Z (m): 0.153"; the slope as "槽身比降 i: 1/771.0842".
std::string ResultLines(int caseNumber, const Outcome& outcome);

// `text` as the inside of a JSON string: quotes, backslashes and control
// characters escaped, UTF-8 passed through, invalid UTF-8 bytes replaced by
// U+FFFD so that the document stays valid.
std::string JsonEscape(std::string_view text);

// The hydraulic elements of a successful calculation, after a blank line
// and the heading "水力要素", one a line: "过水断面面积 A (m²): 2.476",
// "弗劳德数 Fr: 0.453", "流态: 缓流", "—" for a figure not formed. Empty
// unless the calculation succeeded.
std::string ElementLines(const hydraulics::Design& design);

// One JSON object and a line end:
//   {"case": 1, "status": "ok", "inputs": {"Q": "4", …}, "results": {"Z": "0.153", …}}
// On failure "error" (the kind id, not for not_converged) and "message"
// replace "results"; an input that could not be read is null. With
// `details`, a successful calculation adds
//   "hydraulics": {"A": 2.4757…, "P": …, "R": …, "T": …, "v": …,
//                  "velocity_head": …, "Fr": …, "hc": …,
//                  "regime": "subcritical", "surface": "on_walls"}
// with numbers unrounded and null where a figure is not formed, then the
// design checks of the calculated section ("checks", AppendChecksJson).
// With canal data, "connection" follows (AppendConnectionJson), and with
// `details` last "adopted" (AppendAdoptedJson).
std::string JsonReport(const hydraulics::Design& design, bool details = false);

// A JSON number in its shortest form that reads back to the same double;
// null where the figure is not formed or not finite.
void AppendJsonNumber(std::string& out, const std::optional<double>& value);

// "status,error," then the eight input symbols and the five result symbols.
std::string CsvHeader(int caseNumber);

// Appends one row and its line end: status, error kind (empty unless
// error), the eight inputs as stored (empty when unreadable), the five
// results (empty unless ok).
void AppendCsvRow(std::string& out, const Outcome& outcome);

} // namespace cli
