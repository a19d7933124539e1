// SPDX-License-Identifier: GPL-3.0-or-later
// --sweep: one input of a calculation stepped over a range, each row the
// single calculation with that value, as a CSV table or a JSON array.
#pragma once

#include "cli/calculation.h"
#include "cli/options.h"
#include "hydraulics/sweep.h"

#include <array>
#include <iosfwd>

namespace cli {

// The single calculation's outcome of a sweep row: what Calculate gives for
// the row's inputs.
Outcome OutcomeOf(const hydraulics::SweepRow& row);

// Runs the sweep of `options` on `inputs` (box order; the variable's own
// value is replaced) and writes it to `out`: without --json the CSV of
// hydraulics::SweepCsv (after a byte-order mark with --bom), with --json "[", one line per row that
// is exactly JsonReport(…, details = true, --increase) without its line end, the lines separated by
// ",", then "]". The message of each failed row goes to `err` as "h = 0.5：…".
void WriteSweep(const Options& options, const std::array<float, 8>& inputs, std::ostream& out,
                std::ostream& err);

// The eight values of the command line read as the single calculation
// reads them, except the variable's, which is not used (0). The first
// unreadable one in box order goes to `err`; then false.
bool ReadSweepInputs(const Options& options, std::array<float, 8>& inputs, std::ostream& err);

} // namespace cli
