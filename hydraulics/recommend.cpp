// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/recommend.h"

#include "hydraulics/numtext.h"
#include "hydraulics/recommendbinding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hydraulics {
namespace {

constexpr double kCostTie = 1e-9;         // m: costs closer than this are equal
constexpr std::size_t kAlternatives = 10; // shown after the recommendation
constexpr std::size_t kMostKinds = 32;    // bits of CandidateMark::unmet
// About 2.5 s of search at some 40 µs a candidate: the worked example with
// canal data at the finest design step, 1 mm, is 57,360 candidates; beyond
// it the step is too fine for the width.
constexpr double kMostCandidates = 60000;

bool Positive(double value) {
    return std::isfinite(value) && value > 0;
}

// What the search keeps of the case.
struct Setup {
    FlumeInputs searched; // case 4 searched as case 3 at the discharge it carries
    std::optional<AdoptedSection> adopted;
    double exactB = 0;
    double ownX = 0;
};

// Cases 1 and 2 find their width by the straight-wall formulas, which hold
// for h ≥ B/2 only: a section with its surface in the semicircle is one
// the case window cannot calculate back, so there its first check, 适用条件,
// is judged as the case window judges it.
void HoldToCaseFormulas(const FlumeInputs& f, VerifiedSection& s) {
    const Verdict verdict = Applicability(DesignPoint{s.B, s.h, s.Q, s.x, f.n, true});
    if (verdict == Verdict::Met)
        return;
    s.checks.straightWalls = true;
    s.checks.applicability = verdict;
    s.rows.front() = CheckRows(s.checks).front();
    s.ok = s.feasible = false;
}

std::optional<VerifiedSection> Candidate(const RecommendInput& in, const Setup& setup, double B,
                                         double x) {
    std::optional<VerifiedSection> s =
        VerifySection(setup.searched, in.conditions, in.canals, B, x);
    if (s && in.caseNo <= 2 && !s->rows.empty())
        HoldToCaseFormulas(setup.searched, *s);
    return s;
}

std::optional<Setup> SetUp(const RecommendInput& in, std::string& problem) {
    Setup s;
    const FlumeInputs f = FlumeInputsOf(in.caseNo, in.inputs);
    s.adopted = AdoptSection(f, in.conditions, in.canals);
    if (!s.adopted) {
        problem = "按所给基本资料求不出采用断面，无法搜索推荐断面。";
        return std::nullopt;
    }
    s.searched = f;
    if (in.caseNo == 4) { // the discharge is the case's result: keep it, let h follow B and x
        s.searched.caseNo = 3;
        s.searched.Q = s.adopted->section.Q;
    }
    s.exactB = s.adopted->exactB;
    s.ownX = s.adopted->section.x; // the typed x, or case 2's adopted x
    if (!Positive(s.exactB) || !Positive(s.ownX) || !Positive(s.searched.Q)) {
        problem = "槽宽、纵坡或流量不是正数，无法搜索推荐断面。";
        return std::nullopt;
    }
    return s;
}

// The multiples of the step from half to twice the exact width.
StepMultiples MultiplesOf(double exactB, double step) {
    StepMultiples m = StepMultiplesIn(exactB / 2, 2 * exactB, step);
    m.first = std::max(1.0, m.first);
    return m;
}

std::vector<double> Widths(const StepMultiples& m, double step) {
    std::vector<double> widths;
    widths.reserve(std::size_t(m.count()));
    for (double k = m.first; k <= m.last; ++k)
        widths.push_back(StepMultiple(k, step));
    return widths;
}

std::vector<double> Slopes(double ownX, bool dropGiven) {
    std::vector<double> slopes{ownX};
    if (dropGiven)
        slopes.insert(slopes.end(), RecommendSlopeSeries().begin(), RecommendSlopeSeries().end());
    std::sort(slopes.begin(), slopes.end());
    slopes.erase(std::unique(slopes.begin(), slopes.end()), slopes.end());
    return slopes;
}

std::optional<double> Margin(const VerifiedSection& s) {
    if (!s.Z)
        return std::nullopt;
    if (s.connection && s.connection->allowedDrop)
        return *s.connection->allowedDrop - *s.Z;
    if (s.head)
        return *s.head - *s.Z;
    return std::nullopt;
}

// The order of the choice: cost, then the larger margin, the smaller B,
// the flatter slope.
struct Rank {
    double cost, margin, B, x;
    std::size_t index; // into the candidates
};

bool Before(const Rank& a, const Rank& b) {
    if (std::fabs(a.cost - b.cost) > kCostTie)
        return a.cost < b.cost;
    if (a.margin != b.margin)
        return a.margin > b.margin;
    if (a.B != b.B)
        return a.B < b.B;
    return a.x > b.x;
}

// The search over the grid, one candidate at a time.
class Search {
public:
    Search(const RecommendInput& in, const Setup& setup, Recommendation& r)
        : in_(in), setup_(setup), r_(r) {}

    void verify(double B, double x) {
        CandidateMark mark{B, x};
        const std::optional<VerifiedSection> s = Candidate(in_, setup_, B, x);
        if (s) {
            mark.formed = true;
            mark.feasible = s->feasible;
            mark.cost = LiningLength(B, s->checks.H.value_or(std::nan("")));
            judge(*s, mark);
            const double margin = Margin(*s).value_or(-HUGE_VAL);
            const Rank rank{mark.cost, margin, B, x, r_.candidates.size()};
            if (mark.feasible)
                feasible_.push_back(rank);
            else
                infeasible_.push_back(rank);
        }
        r_.candidates.push_back(mark);
    }

    void finish() {
        nameConditions();
        r_.feasibleCount = feasible_.size();
        std::sort(feasible_.begin(), feasible_.end(), Before);
        for (std::size_t k = 0; k < feasible_.size() && k <= kAlternatives; ++k) {
            if (k == 0)
                r_.recommended = ranked(feasible_[k]);
            else
                r_.alternatives.push_back(ranked(feasible_[k]));
        }
        if (r_.recommended) {
            for (RankedSection& a : r_.alternatives)
                a.relativeCost = a.cost / r_.recommended->cost - 1;
            return;
        }
        r_.binding = BindingChecks(r_.candidates, r_.kinds.size());
        const auto fewest = std::min_element(
            infeasible_.begin(), infeasible_.end(), [&](const Rank& a, const Rank& b) {
                const CandidateMark &ma = r_.candidates[a.index], &mb = r_.candidates[b.index];
                if (ma.rulesFailed != mb.rulesFailed)
                    return ma.rulesFailed < mb.rulesFailed;
                if (ma.recommendationsFailed != mb.recommendationsFailed)
                    return ma.recommendationsFailed < mb.recommendationsFailed;
                return Before(a, b);
            });
        if (fewest != infeasible_.end())
            r_.closest = ranked(*fewest);
    }

private:
    // The checks not met, as bits over the kinds, the first of them, and
    // the counts of rules and recommendations not met.
    void judge(const VerifiedSection& s, CandidateMark& mark) {
        for (const CheckRow& row : s.rows) {
            if (Meets(row))
                continue;
            const std::size_t k = kind(row);
            if (mark.firstUnmet < 0)
                mark.firstUnmet = int(k);
            if (k < kMostKinds)
                mark.unmet |= std::uint32_t(1) << k;
            (row.level == CheckLevel::Shall ? mark.rulesFailed : mark.recommendationsFailed)++;
            NoteSide(r_.kinds[k], s, sides_[k]);
        }
    }

    std::size_t kind(const CheckRow& row) {
        for (std::size_t k = 0; k < r_.kinds.size(); ++k)
            if (r_.kinds[k].id == row.id)
                return k;
        r_.kinds.push_back({row.id, row.item, {}});
        sides_.emplace_back();
        return r_.kinds.size() - 1;
    }

    void nameConditions() {
        for (std::size_t k = 0; k < r_.kinds.size(); ++k)
            r_.kinds[k].condition = ConditionText(r_.kinds[k], sides_[k]);
    }

    RankedSection ranked(const Rank& rank) const {
        RankedSection out;
        out.section = *Candidate(in_, setup_, rank.B, rank.x);
        out.cost = rank.cost;
        out.margin = Margin(out.section);
        return out;
    }

    const RecommendInput& in_;
    const Setup& setup_;
    Recommendation& r_;
    std::vector<Rank> feasible_, infeasible_;
    std::vector<FailingSides> sides_; // per kind
};

RankedSection Current(const AdoptedSection& a) {
    RankedSection c;
    c.section = a.section;
    c.cost = LiningLength(a.section.B, a.section.checks.H.value_or(std::nan("")));
    c.margin = Margin(a.section);
    return c;
}

} // namespace

const std::vector<double>& RecommendSlopeSeries() {
    static const std::vector<double> series{200,  250,  300,  400,  500,  600,  700,
                                            800,  900,  1000, 1200, 1500, 2000, 2500,
                                            3000, 4000, 5000, 6000, 8000, 10000};
    return series;
}

double LiningLength(double B, double H) {
    return std::numbers::pi * B / 2 + 2 * (H - B / 2);
}

std::optional<RecommendInput> RecommendInputOf(const Design& design) {
    RecommendInput input{design.caseNo, {}, design.conditions, design.canals};
    for (std::size_t k = 0; k < input.inputs.size(); ++k) {
        if (!design.outcome.inputs[k])
            return std::nullopt;
        input.inputs[k] = *design.outcome.inputs[k];
    }
    return input;
}

Recommendation Recommend(const RecommendInput& input, const RecommendProgress& progress) {
    Recommendation r;
    r.caseNo = input.caseNo;
    r.step = input.conditions.widthStep;
    const std::optional<Setup> setup = SetUp(input, r.problem);
    if (!setup)
        return r;
    r.searched = true;
    r.current = Current(*setup->adopted);
    r.dropGiven = input.canals && input.canals->allowedDrop;
    r.slopes = Slopes(setup->ownX, r.dropGiven);
    const StepMultiples multiples = MultiplesOf(setup->exactB, r.step);
    const double count = multiples.count() * double(r.slopes.size());
    if (!(count > 0) || count > kMostCandidates) {
        r.searched = false;
        r.problem =
            !(count > 0)
                ? "本设计槽宽的一半到两倍之间没有设计步长上的槽宽，无法搜索推荐断面。"
                : "按设计步长可比选的断面多于 " + FormatDouble(kMostCandidates) + " 个" +
                      (count < 1e9 ? "（共 " + FormatDouble(count) + " 个）" : std::string()) +
                      "；请加大槽宽的设计步长。";
        return r;
    }
    r.widths = Widths(multiples, r.step);
    const std::size_t total = r.widths.size() * r.slopes.size();
    r.candidates.reserve(total);
    Search search(input, *setup, r);
    for (const double B : r.widths) {
        for (const double x : r.slopes)
            search.verify(B, x);
        if (progress && !progress(r.candidates.size(), total)) {
            r.cancelled = true;
            return r;
        }
    }
    search.finish();
    if (r.current && r.recommended)
        r.current->relativeCost = r.current->cost / r.recommended->cost - 1;
    return r;
}

} // namespace hydraulics
