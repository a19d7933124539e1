// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checksreport.h"

#include "cli/resultoutput.h"
#include "hydraulics/designchecks.h"

namespace cli {

using hydraulics::Verdict;

void AppendJsonGroup(std::string& out, const char* name, JsonFigures figures,
                     std::optional<Verdict> verdict, bool first) {
    out += first ? "\"" : ", \"";
    out += name;
    out += "\": {";
    bool firstFigure = true;
    for (const auto& [key, value] : figures) {
        out += firstFigure ? "\"" : ", \"";
        out += key;
        out += "\": ";
        AppendJsonNumber(out, value);
        firstFigure = false;
    }
    if (verdict) {
        out += ", \"ok\": ";
        out += *verdict == Verdict::Unknown ? "null" : *verdict == Verdict::Met ? "true" : "false";
    }
    out += '}';
}

std::string CheckLine(const hydraulics::CheckRow& row) {
    return row.item + ": " + row.value + " | " + row.requirement + " | " + row.clause + " | " +
           std::string(hydraulics::VerdictText(row.verdict)) + '\n';
}

std::string CheckLines(const Outcome& outcome, std::optional<double> increasePercent) {
    if (outcome.status != Status::Ok || !outcome.design)
        return {};
    const hydraulics::DesignChecks checks =
        hydraulics::CheckDesign(*outcome.design, outcome.length, increasePercent);
    std::string text = "\n设计校核\n";
    for (const hydraulics::CheckRow& row : hydraulics::CheckRows(checks))
        text += CheckLine(row);
    return text;
}

void AppendChecksJson(std::string& out, const Outcome& outcome,
                      std::optional<double> increasePercent) {
    if (!outcome.design) {
        out += "null";
        return;
    }
    const hydraulics::DesignChecks c =
        hydraulics::CheckDesign(*outcome.design, outcome.length, increasePercent);
    // The range of the formulas comes first: a result outside it is only
    // indicative, whatever the other checks say.
    out += '{';
    AppendJsonGroup(out, "applicability", {{"ratio", c.depthRatio}}, c.applicability, true);
    out += ", \"increase_percent\": ";
    AppendJsonNumber(out, c.increasePercent);
    AppendJsonGroup(out, "velocity", {{"value", c.v}}, c.velocity);
    AppendJsonGroup(out, "mild_slope", {{"Fr", c.Fr}, {"critical_slope_x", c.criticalSlopeX}},
                    c.mildSlope);
    AppendJsonGroup(out, "increased_flow", {{"Q", c.Qinc}, {"h", c.hinc}});
    AppendJsonGroup(out, "net_depth",
                    {{"design", c.H1}, {"increased", c.H2}, {"value", c.H}, {"ratio", c.ratio}},
                    c.netDepth);
    AppendJsonGroup(out, "short_flume", {{"ratio", c.shortRatio}}, c.shortFlume);
    out += '}';
}

} // namespace cli
