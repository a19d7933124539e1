// SPDX-License-Identifier: GPL-3.0-or-later
// A sweep (方案比选): one calculation run again and again with one of its
// eight inputs stepped over a range, each run with its hydraulic elements
// and design checks, so that candidate sections can be compared side by
// side.
//
// Each row is the single calculation a user would get by typing the row's
// value into the input box: the value is formed as from + k·step in double,
// written with the box's seven significant digits (FormatSingle) and read
// back as the box reads it (ParseSingle), and the case then runs on a fresh
// ProjectState. A failed row keeps its message and the sweep goes on.
#pragma once

#include "hydraulics/cases.h"
#include "hydraulics/connection.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/design.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/elements.h"
#include "hydraulics/errors.h"

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hydraulics {

constexpr std::size_t kMaxSweepRows = 2000;

struct SweepRange {
    double from = 0;
    double to = 0;
    double step = 0;
};

// A range that gives no row, a step that is not positive, more than
// kMaxSweepRows rows, or a bound that is no finite number; what() is a
// whole Chinese sentence.
class SweepRangeError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Rows of the range: floor((to − from)/step + 1e-9) + 1 (the 1e-9 keeps
// "1.0:1.6:0.05" at 13 rows despite the binary fractions). Throws
// SweepRangeError.
std::size_t SweepRowCount(const SweepRange& range);

// The value of row k as the input box would store it after typing the
// row's seven-digit text. Throws CalcError(Overflow) naming `quantity` for
// a value beyond single range.
float SweepValue(const SweepRange& range, std::size_t k, std::string_view quantity = {});

// The number a period-decimal text stands for (the grammar of ParseSingle),
// in double; empty for any other text.
std::optional<double> ReadDecimal(std::string_view text);

// The bound or step a user typed into a box read as float: the decimal its
// seven-digit text says ("0.05", not 0.0500000007), so that the row count
// comes out as typed.
double TypedDecimal(float typed);

// The range a window starts with for the value typed in the box, `typed`
// being the decimal its text says (ReadDecimal of "1.35" is 1.35, not the
// float 1.35000002): 13 rows centred on it, ±30 % in steps of 5 % of |typed|
// rounded to three significant digits, each bound and the step the decimal
// a range box shows for it (so h = 1.35 gives 0.945 … 1.755 by 0.0675, the
// value itself the middle row); 0 to 1.2 in steps of 0.1 for a zero or
// non-finite value.
SweepRange DefaultSweepRange(double typed);

// The input a sweep of case 1..4 varies first: h for cases 1 and 2, B for
// cases 3 and 4 (the third box in each).
std::size_t DefaultSweepVariable(int caseNumber);

// The box index (0..7) of the input whose JSON symbol is `symbol` in case
// `caseNumber` ("h", "xi1", "Z" in case 2, "B" in cases 3 and 4); empty
// when the case has no such input.
std::optional<std::size_t> SweepVariableIndex(int caseNumber, std::string_view symbol);

struct SweepRequest {
    int caseNumber = 1;
    std::array<float, 8> inputs{}; // box order; the variable's own value is replaced
    std::size_t variable = 0;      // box index of the input stepped
    SweepRange range;
    // The canals the flume joins; with them each successful row also
    // carries its water-surface connection, and its verdicts count.
    std::optional<ConnectionInput> connection;
    // The design conditions; an empty increase is table 6.3.4's for each
    // row's design discharge, as a single calculation takes it.
    DesignConditions conditions{};
};

enum class SweepStatus { Ok, NotConverged, Error };

struct SweepRow {
    double requested = 0; // from + k·step, before it is stored
    // The eight inputs as stored; the variable empty when its value is
    // beyond single range.
    std::array<std::optional<float>, 8> inputs{};
    SweepStatus status = SweepStatus::Ok;
    ErrorKind kind = ErrorKind::TypeMismatch; // when Error
    std::string message;                      // CalcError/NotConverged::message(), when not Ok
    ResultTexts results{};                    // when Ok
    // As a single calculation leaves them, when Ok.
    std::optional<DesignPoint> design;
    double length = 0; // L as stored, m
    HydraulicElements elements;
    DesignChecks checks;
    std::optional<Connection> connection; // the design's (at its adopted section), with canals
    // The whole design of the row's value, as a single calculation of it
    // computes it; empty when the value could not be stored.
    std::optional<Design> computed;
    bool meetsAll = false; // Ok, every rule and recommendation met (notes count neither way)
};

// Every verdict of a row: the design checks, then the connection's checks
// where the row has a connection.
std::vector<CheckRow> SweepChecks(const SweepRow& row);

// The check columns of a sweep's table, known before its first row: every
// kind of check a row of it can carry, in a row's order. The design checks
// (the cold region's and the model test's as the conditions and the
// canals' grade ask); with canals the connection's, the short flume's
// recheck (which only a short flume's row carries) and the bend (with a
// radius) included.
std::vector<CheckRow> SweepCheckColumns(const std::optional<ConnectionInput>& connection,
                                        const DesignConditions& conditions);

// A row's check under each column, matched by id; empty where the row has
// no check of that kind (a long flume's recheck) and for a row that failed.
std::vector<std::optional<CheckRow>> SweepCells(const SweepRow& row,
                                                const std::vector<CheckRow>& columns);

// The rows of the sweep. Throws SweepRangeError for a bad range and
// std::out_of_range for a case or variable index out of range; a failed
// calculation is a row, never an exception.
std::vector<SweepRow> RunSweep(const SweepRequest& request);

// The variable of row `row` as the box shows it ("1.05"); the requested
// value in fifteen digits when it could not be stored ("—" beyond double).
std::string SweepValueText(const SweepRow& row, std::size_t variable);

} // namespace hydraulics
