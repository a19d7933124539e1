// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/sweeprun.h"

#include "cli/resultoutput.h"
#include "hydraulics/numtext.h"
#include "hydraulics/sweeptable.h"

#include <ostream>

namespace cli {

Outcome OutcomeOf(const hydraulics::SweepRow& row) {
    Outcome outcome;
    switch (row.status) {
    case hydraulics::SweepStatus::Ok:
        outcome.status = Status::Ok;
        break;
    case hydraulics::SweepStatus::NotConverged:
        outcome.status = Status::NotConverged;
        break;
    case hydraulics::SweepStatus::Error:
        outcome.status = Status::Error;
        break;
    }
    outcome.kind = row.kind;
    outcome.message = row.message;
    outcome.inputs = row.inputs;
    outcome.results = row.results;
    outcome.design = row.design;
    outcome.length = row.length;
    return outcome;
}

// The design of a row as the single run with its value computes it.
hydraulics::Design DesignOfRow(const Options& options, const hydraulics::SweepRow& row) {
    if (row.computed)
        return *row.computed;
    hydraulics::Design failed; // the value itself could not be stored
    failed.caseNo = options.caseNumber;
    failed.outcome = OutcomeOf(row);
    return failed;
}

bool ReadSweepInputs(const Options& options, std::array<float, 8>& inputs, std::ostream& err) {
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        if (k == options.sweep->variable)
            continue;
        try {
            inputs[k] =
                hydraulics::ParseSingle(options.values.at(k), InputName(options.caseNumber, k));
        } catch (const hydraulics::CalcError& e) {
            err << e.message() << '\n';
            return false;
        }
    }
    return true;
}

void WriteSweep(const Options& options, const std::array<float, 8>& inputs, std::ostream& out,
                std::ostream& err) {
    const Options::Sweep& sweep = *options.sweep;
    const hydraulics::SweepRequest request{options.caseNumber, inputs,
                                           sweep.variable,     sweep.range,
                                           options.connection, options.conditions};
    const std::vector<hydraulics::SweepRow> rows = hydraulics::RunSweep(request);
    const auto& symbol = hydraulics::Case(options.caseNumber).inputNames[sweep.variable].symbol;
    std::string text;
    if (!options.json)
        text = std::string(options.bom ? hydraulics::kUtf8Bom : "") +
               hydraulics::SweepCsvHeader(options.caseNumber, sweep.variable, options.connection,
                                          options.conditions);
    else
        text = "[\n";
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const hydraulics::SweepRow& row = rows[k];
        if (row.status != hydraulics::SweepStatus::Ok)
            err << symbol << " = " << hydraulics::SweepValueText(row, sweep.variable) << "："
                << row.message << '\n';
        if (!options.json) {
            hydraulics::AppendSweepCsvRow(text, row, sweep.variable, options.connection,
                                          options.conditions);
            continue;
        }
        std::string object = JsonReport(DesignOfRow(options, row), true);
        object.pop_back(); // its line end
        text += object;
        text += k + 1 < rows.size() ? ",\n" : "\n";
    }
    if (options.json)
        text += "]\n";
    out << text;
    out.flush();
}

} // namespace cli
