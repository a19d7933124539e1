// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/connectionreport.h"

#include "cli/checksreport.h"
#include "cli/resultoutput.h"
#include "hydraulics/connectionrows.h"

namespace cli {

using hydraulics::CheckLevel;

std::string ConnectionLines(const hydraulics::Connection& c) {
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

void AppendConnectionJson(std::string& out, const hydraulics::Connection& c) {
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
    AppendJsonGroup(out, "allowed_drop", {{"value", c.allowedDrop}, {"margin", d.dropMargin}},
                    d.dropOk, false, c.allowedDrop ? CheckLevel::Shall : CheckLevel::Info);
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
                    r.ok, false, CheckLevel::Should);
    AppendJsonGroup(out, "short_flume", {{"ratio", c.shortRatio}}, c.longFlume);
    if (c.recheck)
        AppendJsonGroup(out, "recheck",
                        {{"outlet_depth", c.recheck->outletDepth},
                         {"inlet_depth", c.recheck->inletDepth},
                         {"required_h1", c.recheck->requiredH1},
                         {"drop", c.recheck->drop}},
                        c.recheck->ok, false, c.allowedDrop ? CheckLevel::Shall : CheckLevel::Info);
    if (c.bend)
        AppendJsonGroup(
            out, "bend",
            {{"superelevation", c.bend->superelevation}, {"radius_ratio", c.bend->radiusRatio}},
            c.bend->ok, false, CheckLevel::Should);
    out += '}';
}

} // namespace cli
