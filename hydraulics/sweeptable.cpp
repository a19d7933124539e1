// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/sweeptable.h"

#include "hydraulics/numtext.h"

#include <cmath>

namespace hydraulics {

namespace {

constexpr const char* kFigureColumns = "A,P,R,T,v,velocity_head,Fr,hc,H,H/B";
constexpr std::size_t kFigureCount = 10;
// The connection's figures beside its verdicts: ΔZ, ∇₁, ∇₂, ∇₄, Δh₁.
constexpr const char* kConnectionColumns = ",ΔZ,∇1,∇2,∇4,Δh1";
constexpr std::size_t kConnectionCount = 5;

void AppendNumber(std::string& out, const std::optional<double>& value) {
    out += ',';
    if (value && std::isfinite(*value))
        out += FormatDouble(*value);
}

} // namespace

std::string_view SweepStatusId(SweepStatus status) {
    switch (status) {
    case SweepStatus::Ok:
        return "ok";
    case SweepStatus::NotConverged:
        return "not_converged";
    case SweepStatus::Error:
        return "error";
    }
    return "error";
}

SweepFigures FiguresOf(const SweepRow& row, int caseNumber) {
    SweepFigures f;
    if (row.status != SweepStatus::Ok || !row.design)
        return f;
    f.solved = ReadDecimal(row.results.back());
    f.B = row.design->B;
    f.h = row.design->h;
    f.v = row.elements.v;
    f.Fr = row.elements.Fr;
    f.H = row.checks.H;
    f.ratio = row.checks.ratio;
    if (caseNumber == 2) { // the head is given: the fourth input
        if (row.inputs[3])
            f.Z = *row.inputs[3];
    } else {
        f.Z = ReadDecimal(row.results.front());
    }
    return f;
}

std::string SweepCsvHeader(int caseNumber, std::size_t variable,
                           const std::optional<ConnectionInput>& connection,
                           const DesignConditions& conditions) {
    const CaseInfo& info = Case(caseNumber);
    std::string header(info.inputNames.at(variable).symbol);
    header += ",status,error";
    for (const Quantity& q : info.results) {
        header += ',';
        header += q.symbol;
    }
    header += ',';
    header += kFigureColumns;
    if (connection)
        header += kConnectionColumns;
    for (const CheckRow& check : SweepCheckColumns(connection, conditions)) {
        header += ',';
        header += check.item;
    }
    header += ",全部满足\n";
    return header;
}

void AppendSweepCsvRow(std::string& out, const SweepRow& row, std::size_t variable,
                       const std::optional<ConnectionInput>& connection,
                       const DesignConditions& conditions) {
    const bool ok = row.status == SweepStatus::Ok && row.design;
    out += SweepValueText(row, variable);
    out += ',';
    out += SweepStatusId(row.status);
    out += ',';
    if (row.status == SweepStatus::Error)
        out += ErrorKindId(row.kind);
    for (const std::string& result : row.results) {
        out += ',';
        if (ok)
            out += result;
    }
    const auto cells = SweepCells(row, SweepCheckColumns(connection, conditions));
    if (!ok) {
        const std::size_t figures = kFigureCount + (connection ? kConnectionCount : 0);
        out += std::string(figures + cells.size() + 1, ',');
        out += '\n';
        return;
    }
    const HydraulicElements& e = row.elements;
    for (const auto& value :
         {e.A, e.P, e.R, e.T, e.v, e.velocityHead, e.Fr, e.hc, row.checks.H, row.checks.ratio})
        AppendNumber(out, value);
    if (connection) { // a row without its connection keeps the columns, empty
        const Connection c = row.connection.value_or(Connection{});
        for (const auto& value : {c.design.drop, c.levels.bedInlet, c.levels.bedOutlet,
                                  c.levels.bedDownstream, c.increased.rise})
            AppendNumber(out, value);
    }
    for (const std::optional<CheckRow>& cell : cells) { // empty: no such check in this row
        out += ',';
        if (cell)
            out += VerdictText(cell->verdict);
    }
    out += row.meetsAll ? ",是\n" : ",否\n";
}

std::string SweepCsv(int caseNumber, std::size_t variable, const std::vector<SweepRow>& rows,
                     const std::optional<ConnectionInput>& connection,
                     const DesignConditions& conditions) {
    std::string out = SweepCsvHeader(caseNumber, variable, connection, conditions);
    for (const SweepRow& row : rows)
        AppendSweepCsvRow(out, row, variable, connection, conditions);
    return out;
}

} // namespace hydraulics
