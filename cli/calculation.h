// SPDX-License-Identifier: GPL-3.0-or-later
// One calculation of the command line, independent of every other.
//
// Each calculation runs on a fresh ProjectState, so nothing that an earlier
// calculation left in the shared working values (losses, width, slope)
// can reach it: it gives what the case window gives for the same inputs
// right after start-up. Failures are captured, not thrown, so that one bad
// row of a batch never stops the rows after it.
#pragma once

#include "hydraulics/cases.h"
#include "hydraulics/elements.h"
#include "hydraulics/errors.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

enum class Status { Ok, NotConverged, Error };

// "ok", "not_converged", "error".
std::string_view StatusId(Status status);

struct Outcome {
    Status status = Status::Ok;
    // The kind of failure, when status is Error.
    hydraulics::ErrorKind kind = hydraulics::ErrorKind::TypeMismatch;
    // The Chinese message, when status is not Ok.
    std::string message;
    // The eight inputs as stored; empty where a field could not be read.
    std::array<std::optional<float>, 8> inputs{};
    // Text9..Text13 as the window shows them, when status is Ok.
    hydraulics::ResultTexts results{};
    // Width, depth, discharge, slope and roughness as the calculation left
    // them, when status is Ok: the section drawing and its elements.
    std::optional<hydraulics::DesignPoint> design;
    // The flume length L, m, as stored, when status is Ok: the short-flume
    // check of the design checks.
    double length = 0;
};

// How the quantity behind input `index` (0-based, box order) of a case is
// named in messages: caption and symbol, "流量 Q".
std::string_view InputName(int caseNumber, std::size_t index);

// Works case `caseNumber` (1..4) on eight values in box order.
Outcome Calculate(int caseNumber, const std::array<float, 8>& inputs);

// Reads the fields as period-decimal numbers, then calculates. Every field
// is read, so that the readable ones can be reported; the first failure in
// box order is the one reported. After the present fields, fewer than
// eight is a past-end-of-file error (as for a short project file) and more
// than eight a type mismatch; the first eight are read either way.
Outcome CalculateFields(int caseNumber, std::span<const std::string_view> fields);

// An outcome for a failure that happened before any calculation, such as
// a project file that cannot be read.
Outcome FailedOutcome(const hydraulics::CalcError& error);

} // namespace cli
