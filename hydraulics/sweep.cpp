// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/sweep.h"

#include "hydraulics/design.h"
#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace hydraulics {

namespace {

// Floor plus this counts a "to" that the binary fractions leave a hair
// short of the last step as reached.
constexpr double kCountSlack = 1e-9;
constexpr int kDefaultRows = 13;
constexpr double kDefaultStepShare = 0.05; // of |value|: ±30 % in 6 steps each side

std::string QuantityName(int caseNumber, std::size_t index) {
    const Quantity& q = Case(caseNumber).inputNames.at(index);
    return std::string(q.caption) + ' ' + std::string(q.display);
}

// x rounded to `digits` significant digits.
double RoundSignificant(double x, int digits) {
    if (x == 0 || !std::isfinite(x))
        return x;
    const double scale = std::pow(10.0, std::floor(std::log10(std::fabs(x))) - (digits - 1));
    return std::round(x / scale) * scale;
}

// A double as the seven-digit decimal a box shows for it.
double Clean(double x) {
    return TypedDecimal(static_cast<float>(x));
}

// The status, kind and message of a failure, as a single calculation
// reports them.
void Fail(SweepRow& row, const CalcError& e) {
    row.status = SweepStatus::Error;
    row.kind = e.kind();
    row.message = e.message();
}

void Calculate(const SweepRequest& request, SweepRow& row, const std::array<float, 8>& inputs) {
    const DesignRequest design{request.caseNumber, inputs, request.conditions, request.connection,
                               false};
    const Design& d = row.computed.emplace(ComputeDesign(design));
    switch (d.outcome.status) {
    case CaseStatus::Error:
        row.status = SweepStatus::Error;
        row.kind = d.outcome.kind;
        row.message = d.outcome.message;
        return;
    case CaseStatus::NotConverged:
        row.status = SweepStatus::NotConverged;
        row.message = d.outcome.message;
        return;
    case CaseStatus::Ok:
        break;
    }
    row.results = d.outcome.results;
    row.design = d.outcome.design;
    row.length = d.outcome.length;
    row.elements = d.elements;
    row.checks = d.checks;
    // The design's connection, at its adopted section, as the single run's
    // JSON gives it.
    if (const Connection* c = d.connection())
        row.connection = *c;
    // Every rule and every recommendation met; notes and
    // classifications count neither way.
    const std::vector<CheckRow> checks = SweepChecks(row);
    row.meetsAll = std::all_of(checks.begin(), checks.end(), Meets);
}

} // namespace

std::vector<CheckRow> SweepChecks(const SweepRow& row) {
    std::vector<CheckRow> rows = CheckRows(row.checks);
    if (row.connection)
        for (CheckRow& check : ConnectionChecks(*row.connection))
            rows.push_back(std::move(check));
    return rows;
}

std::vector<CheckRow> SweepCheckColumns(const std::optional<ConnectionInput>& connection,
                                        const DesignConditions& conditions) {
    SweepRow row;
    row.checks.coldRegion = conditions.coldRegion;
    row.checks.grade =
        ChecksGrade(conditions, connection ? std::optional(connection->grade) : std::nullopt);
    if (connection) {
        row.connection.emplace();
        row.connection->recheck.emplace();
        if (connection->bendRadius)
            row.connection->bend.emplace();
    }
    return SweepChecks(row);
}

std::vector<std::optional<CheckRow>> SweepCells(const SweepRow& row,
                                                const std::vector<CheckRow>& columns) {
    std::vector<std::optional<CheckRow>> cells(columns.size());
    if (row.status != SweepStatus::Ok || !row.design)
        return cells;
    for (CheckRow& check : SweepChecks(row)) {
        const auto column = std::find_if(columns.begin(), columns.end(),
                                         [&](const CheckRow& c) { return c.id == check.id; });
        if (column != columns.end())
            cells[std::size_t(column - columns.begin())] = std::move(check);
    }
    return cells;
}

std::size_t SweepRowCount(const SweepRange& range) {
    if (!std::isfinite(range.from) || !std::isfinite(range.to) || !std::isfinite(range.step))
        throw SweepRangeError("起点、终点和步长都必须是有限的数。");
    if (!(range.step > 0))
        throw SweepRangeError("步长必须大于零。");
    const double steps = std::floor((range.to - range.from) / range.step + kCountSlack);
    if (!(steps >= 0))
        throw SweepRangeError("终点小于起点，范围内没有可计算的方案。");
    // (to − from)/step may overflow to infinity: too many rows all the same.
    if (!(steps + 1 <= double(kMaxSweepRows)))
        throw SweepRangeError("该范围与步长给出的方案多于 " + std::to_string(kMaxSweepRows) +
                              " 个，请加大步长或缩小范围。");
    return static_cast<std::size_t>(steps) + 1;
}

float SweepValue(const SweepRange& range, std::size_t k, std::string_view quantity) {
    const double value = range.from + double(k) * range.step;
    if (!std::isfinite(value)) // beyond even double range: the box's overflow too
        throw CalcError(ErrorKind::Overflow, std::string(quantity), " 超出单精度数的范围");
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return ParseSingle(FormatDouble(value), quantity); // the box's overflow
    return ParseSingle(FormatSingle(static_cast<float>(value)), quantity);
}

std::optional<double> ReadDecimal(std::string_view text) {
    if (!IsDecimalNumber(text))
        return std::nullopt;
    const std::string_view blanks = " \t\r\n\v\f";
    std::size_t first = text.find_first_not_of(blanks);
    const std::size_t last = text.find_last_not_of(blanks);
    first += text[first] == '+'; // from_chars takes no plus sign
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data() + first, text.data() + last + 1, value);
    if (ec != std::errc() || end != text.data() + last + 1)
        return std::nullopt;
    return value + 0.0; // "-0" is 0
}

double TypedDecimal(float typed) {
    if (!std::isfinite(typed))
        return typed;
    return ReadDecimal(FormatSingle(typed)).value_or(double(typed));
}

SweepRange DefaultSweepRange(double typed) {
    // In decimal throughout: from and to are formed from the typed decimal
    // and then written as a box writes them, so that the binary remainder of
    // 1.35 − 6 × 0.0675 (0.9450000000000001) does not become "0.9450001"
    // and push the last row past "to".
    const double step = RoundSignificant(kDefaultStepShare * std::fabs(typed), 3);
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(typed))
        return {0, 1.2, 0.1};
    const int half = kDefaultRows / 2;
    const double shownStep = Clean(step);
    return {Clean(typed - half * shownStep), Clean(typed + half * shownStep), shownStep};
}

std::size_t DefaultSweepVariable(int caseNumber) {
    Case(caseNumber); // range check
    return 2;         // h in cases 1 and 2, B in cases 3 and 4
}

std::optional<std::size_t> SweepVariableIndex(int caseNumber, std::string_view symbol) {
    const auto& names = Case(caseNumber).inputNames;
    for (std::size_t k = 0; k < names.size(); ++k)
        if (names[k].symbol == symbol)
            return k;
    return std::nullopt;
}

std::vector<SweepRow> RunSweep(const SweepRequest& request) {
    const std::size_t count = SweepRowCount(request.range);
    const std::string quantity = QuantityName(request.caseNumber, request.variable);
    std::vector<SweepRow> rows(count);
    for (std::size_t k = 0; k < count; ++k) {
        SweepRow& row = rows[k];
        row.requested = request.range.from + double(k) * request.range.step;
        std::array<float, 8> inputs = request.inputs;
        for (std::size_t i = 0; i < inputs.size(); ++i)
            row.inputs[i] = inputs[i];
        try {
            inputs[request.variable] = SweepValue(request.range, k, quantity);
        } catch (const CalcError& e) {
            row.inputs[request.variable].reset();
            Fail(row, e);
            continue;
        }
        row.inputs[request.variable] = inputs[request.variable];
        Calculate(request, row, inputs);
    }
    return rows;
}

std::string SweepValueText(const SweepRow& row, std::size_t variable) {
    const std::optional<float>& value = row.inputs.at(variable);
    if (value)
        return FormatSingle(*value);
    return std::isfinite(row.requested) ? FormatDouble(row.requested) : "—";
}

} // namespace hydraulics
