// SPDX-License-Identifier: GPL-3.0-or-later
// One calculation of the command line, independent of every other.
//
// Each calculation runs on a fresh ProjectState, so nothing that an earlier
// calculation left in the shared working values (losses, width, slope)
// can reach it: it gives what the case window gives for the same inputs
// right after start-up. Failures are captured, not thrown, so that one bad
// row of a batch never stops the rows after it.
#pragma once

#include "hydraulics/design.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

using Status = hydraulics::CaseStatus;

// "ok", "not_converged", "error".
std::string_view StatusId(Status status);

// One calculation: its status, message, inputs as stored, the five result
// texts and the design point (hydraulics/design.h).
using Outcome = hydraulics::CaseOutcome;

// How the quantity behind input `index` (0-based, box order) of a case is
// named in messages: caption and symbol, "流量 Q".
std::string_view InputName(int caseNumber, std::size_t index);

// Works case `caseNumber` (1..4) on eight values in box order.
Outcome Calculate(int caseNumber, const std::array<float, 8>& inputs);

// Reads the fields as period-decimal numbers without calculating: an
// outcome with the inputs, or the failure CalculateFields would report.
Outcome ParseFields(int caseNumber, std::span<const std::string_view> fields);

// Reads the fields as period-decimal numbers, then calculates. Every field
// is read, so that the readable ones can be reported; the first failure in
// box order is the one reported. After the present fields, fewer than
// eight is a past-end-of-file error (as for a short project file) and more
// than eight a type mismatch; the first eight are read either way.
Outcome CalculateFields(int caseNumber, std::span<const std::string_view> fields);

// An outcome for a failure that happened before any calculation, such as
// a project file that cannot be read.
using hydraulics::FailedOutcome;

} // namespace cli
