// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calculation.h"

#include "hydraulics/numtext.h"
#include "hydraulics/projectstate.h"

#include <algorithm>

namespace cli {

using hydraulics::CalcError;
using hydraulics::ErrorKind;

std::string_view StatusId(Status status) {
    switch (status) {
    case Status::Ok:
        return "ok";
    case Status::NotConverged:
        return "not_converged";
    case Status::Error:
        return "error";
    }
    return "error";
}

namespace {

using NameTable = std::array<std::array<std::string, 8>, hydraulics::kCaseCount>;

NameTable MakeInputNames() {
    NameTable names;
    for (int c = 1; c <= hydraulics::kCaseCount; ++c)
        for (std::size_t k = 0; k < 8; ++k) {
            const hydraulics::Quantity& q = hydraulics::Case(c).inputNames[k];
            names[c - 1][k] = std::string(q.caption) + ' ' + std::string(q.display);
        }
    return names;
}

} // namespace

std::string_view InputName(int caseNumber, std::size_t index) {
    static const NameTable names = MakeInputNames(); // built once, read-only after
    hydraulics::Case(caseNumber);                    // range check of the case number
    return names[caseNumber - 1].at(index);
}

namespace {

void Fail(Outcome& outcome, const CalcError& error) {
    outcome.status = Status::Error;
    outcome.kind = error.kind();
    outcome.message = error.message();
}

// Runs the case on `outcome.inputs`, all of which are present.
void Run(int caseNumber, Outcome& outcome) {
    std::array<float, 8> values{};
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = *outcome.inputs[k];
    outcome = hydraulics::RunCase(caseNumber, values);
}

} // namespace

Outcome Calculate(int caseNumber, const std::array<float, 8>& inputs) {
    return hydraulics::RunCase(caseNumber, inputs);
}

Outcome CalculateFields(int caseNumber, std::span<const std::string_view> fields) {
    Outcome outcome = ParseFields(caseNumber, fields);
    if (outcome.status == Status::Ok)
        Run(caseNumber, outcome);
    return outcome;
}

Outcome ParseFields(int caseNumber, std::span<const std::string_view> fields) {
    Outcome outcome;
    const std::size_t present = std::min<std::size_t>(fields.size(), 8);
    for (std::size_t k = 0; k < present; ++k) {
        try {
            outcome.inputs[k] = hydraulics::ParseSingle(fields[k], InputName(caseNumber, k));
        } catch (const CalcError& e) {
            if (outcome.status == Status::Ok)
                Fail(outcome, e);
        }
    }
    if (outcome.status != Status::Ok)
        return outcome;
    if (fields.size() < 8) {
        Fail(outcome, CalcError(ErrorKind::PastEndOfFile, {},
                                "只有 " + std::to_string(fields.size()) + " 个数，需要 8 个"));
        return outcome;
    }
    if (fields.size() > 8) {
        Fail(outcome, CalcError(ErrorKind::TypeMismatch, {},
                                "有 " + std::to_string(fields.size()) + " 个字段，只能有 8 个"));
        return outcome;
    }
    return outcome;
}

} // namespace cli
