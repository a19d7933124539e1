// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/connectionreport.h"

#include "cli/checksreport.h"
#include "cli/resultoutput.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/projectstate.h"

namespace cli {

std::optional<hydraulics::ConnectionFlume>
ConnectionFlumeOf(const Outcome& outcome, std::optional<double> increasePercent) {
    if (outcome.status != Status::Ok || !outcome.design)
        return std::nullopt;
    hydraulics::ConnectionFlume flume;
    flume.point = *outcome.design;
    flume.length = outcome.length;
    flume.xi1 = outcome.inputs[hydraulics::PosXi1].value_or(0.0f);
    flume.xi2 = outcome.inputs[hydraulics::PosXi2].value_or(0.0f);
    flume.increasePercent = increasePercent;
    return flume;
}

std::string ConnectionLines(const Outcome& outcome, const hydraulics::ConnectionInput& input,
                            std::optional<double> increasePercent) {
    const auto flume = ConnectionFlumeOf(outcome, increasePercent);
    if (!flume)
        return {};
    const hydraulics::Connection c = hydraulics::ComputeConnection(*flume, input);
    std::string text = "\n水面衔接与高程\n";
    for (const hydraulics::ConnectionGroup& group : hydraulics::ConnectionGroups(c)) {
        text.append(group.title).append("\n");
        for (const hydraulics::ElementRow& row : group.rows)
            text += hydraulics::ConnectionLine(row) + '\n';
    }
    text += "水面衔接校核\n";
    for (const hydraulics::CheckRow& row : hydraulics::ConnectionChecks(c))
        text += CheckLine(row);
    return text;
}

void AppendConnectionJson(std::string& out, const Outcome& outcome,
                          const hydraulics::ConnectionInput& input,
                          std::optional<double> increasePercent) {
    const auto flume = ConnectionFlumeOf(outcome, increasePercent);
    if (!flume) {
        out += "null";
        return;
    }
    const hydraulics::Connection c = hydraulics::ComputeConnection(*flume, input);
    const hydraulics::ConnectionDesign& d = c.design;
    const hydraulics::ConnectionLevels& e = c.levels;
    const hydraulics::ConnectionIncreased& r = c.increased;
    out += '{';
    AppendJsonGroup(out, "design",
                    {{"h1", d.h1},
                     {"v1", d.v1},
                     {"h2", d.h2},
                     {"v2", d.v2},
                     {"Z1", d.Z1},
                     {"Z2", d.Z2},
                     {"Z3", d.Z3},
                     {"drop", d.drop}},
                    {}, true);
    AppendJsonGroup(out, "allowed_drop", {{"value", c.allowedDrop}}, d.dropOk);
    AppendJsonGroup(out, "transitions", {{"inlet_length", d.L1}, {"outlet_length", d.L2}});
    AppendJsonGroup(out, "elevations",
                    {{"bed_upstream", e.bedUpstream},
                     {"bed_inlet", e.bedInlet},
                     {"bed_outlet", e.bedOutlet},
                     {"bed_downstream", e.bedDownstream},
                     {"level_upstream", e.levelUpstream},
                     {"level_downstream", e.levelDownstream}});
    AppendJsonGroup(out, "increased",
                    {{"Q", r.Q},
                     {"h1", r.h1},
                     {"h2", r.h2},
                     {"outlet_depth", r.outletDepth},
                     {"inlet_depth", r.inletDepth},
                     {"max_depth", r.maxDepth},
                     {"required_h1", r.requiredH1},
                     {"rise", r.rise},
                     {"ratio", r.ratio}},
                    r.ok);
    AppendJsonGroup(out, "short_flume", {{"ratio", c.shortRatio}}, c.longFlume);
    if (c.bend)
        AppendJsonGroup(
            out, "bend",
            {{"superelevation", c.bend->superelevation}, {"radius_ratio", c.bend->radiusRatio}},
            c.bend->ok);
    out += '}';
}

} // namespace cli
