#include "cli/checksreport.h"

#include "cli/resultoutput.h"
#include "hydraulics/designchecks.h"

#include <initializer_list>
#include <utility>

namespace cli {

using hydraulics::Verdict;

namespace {

// A Note (short flume) is a requirement not met, though no failure.
void AppendOk(std::string& out, Verdict verdict) {
    out += verdict == Verdict::Unknown ? "null" : verdict == Verdict::Met ? "true" : "false";
}

using Figures = std::initializer_list<std::pair<const char*, std::optional<double>>>;

// "name": {"key": number, …[, "ok": verdict]}
void AppendCheck(std::string& out, const char* name, Figures figures,
                 std::optional<Verdict> verdict = {}) {
    out += ", \"";
    out += name;
    out += "\": {";
    bool first = true;
    for (const auto& [key, value] : figures) {
        out += first ? "\"" : ", \"";
        out += key;
        out += "\": ";
        AppendJsonNumber(out, value);
        first = false;
    }
    if (verdict) {
        out += ", \"ok\": ";
        AppendOk(out, *verdict);
    }
    out += '}';
}

} // namespace

std::string CheckLines(const Outcome& outcome, std::optional<double> increasePercent) {
    if (outcome.status != Status::Ok || !outcome.design)
        return {};
    const hydraulics::DesignChecks checks =
        hydraulics::CheckDesign(*outcome.design, outcome.length, increasePercent);
    std::string text = "\n设计校核\n";
    for (const hydraulics::CheckRow& row : hydraulics::CheckRows(checks)) {
        text += row.item + ": " + row.value + " | " + row.requirement + " | " + row.clause + " | ";
        text += hydraulics::VerdictText(row.verdict);
        text += '\n';
    }
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
    out += "{\"applicability\": {\"ratio\": ";
    AppendJsonNumber(out, c.depthRatio);
    out += ", \"ok\": ";
    AppendOk(out, c.applicability);
    out += "}, \"increase_percent\": ";
    AppendJsonNumber(out, c.increasePercent);
    AppendCheck(out, "velocity", {{"value", c.v}}, c.velocity);
    AppendCheck(out, "mild_slope", {{"Fr", c.Fr}, {"critical_slope_x", c.criticalSlopeX}},
                c.mildSlope);
    AppendCheck(out, "increased_flow", {{"Q", c.Qinc}, {"h", c.hinc}});
    AppendCheck(out, "net_depth",
                {{"design", c.H1}, {"increased", c.H2}, {"value", c.H}, {"ratio", c.ratio}},
                c.netDepth);
    AppendCheck(out, "short_flume", {{"ratio", c.shortRatio}}, c.shortFlume);
    out += '}';
}

} // namespace cli
