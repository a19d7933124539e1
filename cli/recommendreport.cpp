// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/recommendreport.h"

#include "cli/adoptedreport.h"
#include "cli/app.h"
#include "cli/checksreport.h"
#include "cli/resultoutput.h"
#include "hydraulics/recommendtext.h"

#include <ostream>

namespace cli {
namespace {

using hydraulics::RankedSection;
using hydraulics::Recommendation;

void AppendString(std::string& out, const std::string& text) {
    out += '"' + JsonEscape(text) + '"';
}

void AppendKey(std::string& out, const char* key) {
    out += ", \"";
    out += key;
    out += "\": ";
}

// `[a, b, …]`, each item appended by `append`.
template <typename Items, typename Append>
void AppendList(std::string& out, const Items& items, Append append) {
    out += '[';
    for (std::size_t k = 0; k < items.size(); ++k) {
        out += k == 0 ? "" : ", ";
        append(out, items[k]);
    }
    out += ']';
}

void AppendRanked(std::string& out, const std::optional<RankedSection>& k) {
    if (!k) {
        out += "null";
        return;
    }
    AppendSectionJson(out, k->section, {{"cost", k->cost}, {"margin", k->margin}});
}

void AppendAlternative(std::string& out, const RankedSection& k) {
    const hydraulics::VerifiedSection& s = k.section;
    out += '{';
    AppendJsonFigures(out,
                      {
                          {"B", s.B},
                          {"x", s.x},
                          {"h", s.h},
                          {"H", s.checks.H},
                          {"H_over_B", s.checks.ratio},
                          {"v", s.v},
                          {"Fr", s.Fr},
                          {"Z", s.Z},
                          {"margin", k.margin},
                          {"cost", k.cost},
                          {"relative_cost", k.relativeCost},
                      },
                      true);
    out += '}';
}

// Joins the cells of one row of the alternatives' table.
std::string TableLine(const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells)
        line += (line.empty() ? "" : " | ") + cell;
    return line + '\n';
}

std::string RankedLine(const Recommendation& r, const RankedSection& k) {
    std::vector<std::string> cells;
    for (const hydraulics::RankedCell& cell : hydraulics::RankedCells(r, k))
        cells.push_back(cell.text);
    return TableLine(cells);
}

} // namespace

std::string RecommendText(const Recommendation& r) {
    std::string text = "推荐断面\n";
    for (const std::string& line : hydraulics::RecommendationLines(r))
        text += line + '\n';
    const std::optional<RankedSection>& shown = r.recommended ? r.recommended : r.closest;
    if (shown)
        text += CheckLines(r.recommended ? "推荐断面校核" : "不满足项最少的断面校核",
                           shown->section.rows);
    if (r.recommended && !r.alternatives.empty()) {
        text += "\n备选断面（按衬砌周长由短到长，与推荐断面相比）\n";
        text += TableLine(hydraulics::RankedHeader(r));
        for (const RankedSection& k : r.alternatives)
            text += RankedLine(r, k);
    }
    return text;
}

std::string RecommendJson(const Recommendation& r) {
    std::string out = "{\"case\": " + std::to_string(r.caseNo);
    AppendKey(out, "recommended");
    AppendRanked(out, r.recommended);
    AppendKey(out, "alternatives");
    AppendList(out, r.alternatives, AppendAlternative);
    AppendKey(out, "candidates");
    out += std::to_string(r.candidates.size());
    AppendKey(out, "feasible");
    out += std::to_string(r.feasibleCount);
    AppendKey(out, "binding");
    AppendList(out, r.binding,
               [&](std::string& o, std::size_t kind) { AppendString(o, r.kinds[kind].id); });
    AppendKey(out, "closest");
    AppendRanked(out, r.closest);
    AppendKey(out, "current_cost");
    AppendJsonNumber(out, r.current ? std::optional<double>(r.current->cost) : std::nullopt);
    AppendKey(out, "widths");
    out += "{\"from\": ";
    AppendJsonNumber(out, r.widths.empty() ? std::nullopt : std::optional(r.widths.front()));
    out += ", \"to\": ";
    AppendJsonNumber(out, r.widths.empty() ? std::nullopt : std::optional(r.widths.back()));
    out += ", \"step\": ";
    AppendJsonNumber(out, r.step);
    out += '}';
    AppendKey(out, "slopes");
    AppendList(out, r.slopes, [](std::string& o, double x) { AppendJsonNumber(o, x); });
    const std::vector<std::string> lines = hydraulics::RecommendationLines(r);
    AppendKey(out, "summary");
    AppendString(out, lines.front());
    AppendKey(out, "sentence");
    AppendString(out, lines.size() > 1 ? lines[1] : std::string());
    return out + "}\n";
}

int WriteRecommendation(const Options& options, const hydraulics::Design& design, std::ostream& out,
                        std::ostream& err) {
    hydraulics::RecommendInput input{
        options.caseNumber, {}, options.conditions, options.connection};
    for (std::size_t k = 0; k < input.inputs.size(); ++k) {
        if (!design.outcome.inputs[k]) { // unreadable: the outcome says which
            err << design.outcome.message << '\n';
            return kExitFailed;
        }
        input.inputs[k] = *design.outcome.inputs[k];
    }
    const Recommendation r = hydraulics::Recommend(input);
    if (!r.searched) {
        if (!design.succeeded())
            err << design.outcome.message << '\n';
        err << r.problem << '\n';
        return kExitFailed;
    }
    out << (options.json ? RecommendJson(r) : RecommendText(r));
    out.flush();
    return out ? kExitOk : kExitFailed;
}

} // namespace cli
