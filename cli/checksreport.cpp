// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checksreport.h"

#include "cli/resultoutput.h"

namespace cli {

using hydraulics::CheckRow;
using hydraulics::Verdict;

void AppendJsonFigures(std::string& out, JsonFigures figures, bool first) {
    for (const auto& [key, value] : figures) {
        out += first ? "\"" : ", \"";
        out += key;
        out += "\": ";
        AppendJsonNumber(out, value);
        first = false;
    }
}

void AppendJsonGroup(std::string& out, const char* name, JsonFigures figures,
                     std::optional<Verdict> verdict, bool first,
                     std::optional<hydraulics::CheckLevel> level) {
    out += first ? "\"" : ", \"";
    out += name;
    out += "\": {";
    AppendJsonFigures(out, figures, true);
    const char* lead = figures.size() == 0 ? "\"" : ", \"";
    if (verdict) {
        // A rule or recommendation met with a note (a drop leaving much of
        // [ΔZ] unused) is met; a classification's note (a short flume) is not.
        const bool noteMet =
            *verdict == Verdict::Note && level && *level != hydraulics::CheckLevel::Info;
        out += lead;
        out += "ok\": ";
        out += *verdict == Verdict::Unknown          ? "null"
               : *verdict == Verdict::Met || noteMet ? "true"
                                                     : "false";
        lead = ", \"";
    }
    if (level) {
        out += lead;
        out += "level\": \"";
        out += hydraulics::LevelId(*level);
        out += '"';
    }
    out += '}';
}

std::string CheckLine(const CheckRow& row) {
    return row.item + ": " + row.value + " | " + row.requirement + " | " + row.clause + " | " +
           std::string(hydraulics::VerdictText(row)) + '\n';
}

std::string CheckLines(std::string_view heading, const std::vector<CheckRow>& rows) {
    std::string text = "\n";
    text.append(heading).append("\n");
    for (const CheckRow& row : rows)
        text += CheckLine(row);
    return text;
}

namespace {

// The figures of the design checks' rows.
void AppendDesignRow(std::string& out, const hydraulics::DesignChecks& c, const CheckRow& row) {
    const char* id = row.id.c_str();
    const Verdict v = row.verdict;
    const auto level = row.level;
    if (row.id == "applicability") {
        AppendJsonGroup(out, id, {{"ratio", c.depthRatio}}, v, true, level);
        out += ", \"increase_percent\": ";
        AppendJsonNumber(out, c.increasePercent);
    } else if (row.id == "velocity") {
        AppendJsonGroup(out, id, {{"value", c.v}}, v, false, level);
    } else if (row.id == "mild_slope") {
        AppendJsonGroup(out, id, {{"Fr", c.Fr}, {"critical_slope_x", c.criticalSlopeX}}, v, false,
                        level);
    } else if (row.id == "increased_flow") {
        AppendJsonGroup(out, id, {{"Q", c.Qinc}, {"h", c.hinc}});
    } else if (row.id == "freeboard") {
        AppendJsonGroup(out, id,
                        {{"surface", c.designSurface},
                         {"value", c.freeboard},
                         {"required", c.freeboardRequired}},
                        v, false, level);
    } else if (row.id == "increased_freeboard") {
        AppendJsonGroup(out, id,
                        {{"surface", c.increasedSurface},
                         {"tie_rod_depth", c.tieRodDepth},
                         {"value", c.increasedClearance},
                         {"required", 0.10}},
                        v, false, level);
    } else if (row.id == "net_depth") {
        AppendJsonGroup(out, id,
                        {{"design", c.H1},
                         {"increased", c.H2},
                         {"minimum", c.H3},
                         {"value", c.H},
                         {"ratio", c.ratio}},
                        v, false, level);
    } else if (row.id == "short_flume") {
        // "ok" true for a long flume, false for a short one: a classification.
        AppendJsonGroup(out, id, {{"ratio", c.lengthRatio}}, v);
        out.pop_back();
        out += ", \"basis\": \"";
        out += c.lengthByCanal ? "h1" : "h";
        out += "\"}";
    } else if (row.id == "cold_region") {
        AppendJsonGroup(out, id, {{"bed_outlet", c.bedOutlet}, {"bed_downstream", c.bedDownstream}},
                        v, false, level);
    } else if (row.id == "model_test") {
        AppendJsonGroup(out, id,
                        {{"grade", c.grade ? std::optional<double>(*c.grade) : std::nullopt}}, {},
                        false, level);
    }
}

// The figures of the connection's rows and of case 2's head.
void AppendSectionRow(std::string& out, const hydraulics::VerifiedSection& s, const CheckRow& row) {
    const char* id = row.id.c_str();
    const hydraulics::Connection* c = s.connection ? &*s.connection : nullptr;
    if (row.id == "head") {
        AppendJsonGroup(out, id, {{"value", s.Z}, {"head", s.head}}, row.verdict, false, row.level);
    } else if (row.id == "allowed_drop" && c) {
        AppendJsonGroup(out, id,
                        {{"value", c->design.drop},
                         {"allowed", c->allowedDrop},
                         {"margin", c->design.dropMargin}},
                        row.verdict, false, row.level);
    } else if (row.id == "short_recheck" && c && c->recheck) {
        AppendJsonGroup(out, id, {{"drop", c->recheck->drop}}, row.verdict, false, row.level);
    } else if (row.id == "backwater" && c) {
        AppendJsonGroup(out, id, {{"rise", c->increased.rise}, {"ratio", c->increased.ratio}},
                        row.verdict, false, row.level);
    } else if (row.id == "bend" && c && c->bend) {
        AppendJsonGroup(
            out, id,
            {{"superelevation", c->bend->superelevation}, {"radius_ratio", c->bend->radiusRatio}},
            row.verdict, false, row.level);
    }
}

} // namespace

void AppendChecksJson(std::string& out, const hydraulics::DesignChecks& checks,
                      const std::vector<CheckRow>& rows,
                      const hydraulics::VerifiedSection* section) {
    out += '{';
    for (const CheckRow& row : rows) {
        const std::size_t before = out.size();
        AppendDesignRow(out, checks, row);
        if (out.size() == before && section)
            AppendSectionRow(out, *section, row);
    }
    out += '}';
}

} // namespace cli
