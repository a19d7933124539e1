// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/adoptedreport.h"

#include "cli/checksreport.h"
#include "cli/resultoutput.h"
#include "hydraulics/adoptedrows.h"

namespace cli {

std::string AdoptedLines(const hydraulics::Design& design) {
    if (!design.adopted)
        return {};
    std::string text = "\n采用断面（" + hydraulics::AdoptedLabel(design) + "）\n";
    text += hydraulics::AdoptedBasis(design) + '\n';
    for (const hydraulics::AdoptedRow& row : hydraulics::AdoptedRows(design)) {
        text += row.name;
        if (!row.symbol.empty())
            text += ' ' + row.symbol;
        if (!row.unit.empty())
            text += " (" + row.unit + ')';
        text += ": " + row.text + '\n';
    }
    if (!design.velocityNote.empty())
        text += design.velocityNote + '\n';
    text += CheckLines("采用断面校核", design.adopted->section.rows);
    const std::vector<std::string> ways = hydraulics::WaysOutSentences(design);
    if (!ways.empty()) {
        text += "\n修改途径\n";
        for (const std::string& line : ways)
            text += line + '\n';
    }
    return text;
}

void AppendSectionJson(std::string& out, const hydraulics::VerifiedSection& s, JsonFigures extra) {
    const hydraulics::DesignChecks& c = s.checks;
    out += '{';
    AppendJsonFigures(out,
                      {
                          {"B", s.B},
                          {"x", s.x},
                          {"h", s.h},
                          {"H", c.H},
                          {"H_over_B", c.ratio},
                          {"v", s.v},
                          {"Fr", s.Fr},
                          {"Z1", s.Z1},
                          {"Z2", s.Z2},
                          {"Z3", s.Z3},
                          {"Z", s.Z},
                          {"Q", s.Q},
                          {"Q_increased", c.Qinc},
                          {"h_increased", c.hinc},
                          {"max_depth", c.increasedSurface},
                          {"top_inlet", s.topInlet},
                          {"top_outlet", s.topOutlet},
                      },
                      true);
    out += ", \"checks\": ";
    AppendChecksJson(out, c, s.rows, &s);
    AppendJsonFigures(out, extra);
    out += ", \"feasible\": ";
    out += s.feasible ? "true" : "false";
    out += ", \"ok\": ";
    out += s.ok ? "true" : "false";
    out += '}';
}

void AppendAdoptedJson(std::string& out, const hydraulics::Design& design) {
    if (!design.adopted) {
        out += "null";
        return;
    }
    const hydraulics::AdoptedSection& a = *design.adopted;
    AppendSectionJson(out, a.section, {{"exact_B", a.exactB}, {"exact_x", a.exactX}});
}

} // namespace cli
