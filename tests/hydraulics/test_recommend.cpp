// SPDX-License-Identifier: GPL-3.0-or-later
// 推荐断面: the search's choice against a brute-force minimum worked out
// here on the same grid, every recommendation calculated back through the
// case windows' path (the inputs 采用 fills, ComputeDesign), the binding
// checks of designs no candidate meets, the slope kept without [ΔZ], and a
// search stopped by its progress callback.
#include "hydraulics/projectstate.h"
#include "hydraulics/recommend.h"
#include "hydraulics/recommendinputs.h"
#include "hydraulics/recommendtext.h"
#include "hydraulics/sweep.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>
#include <string>

namespace {

using namespace hydraulics;

const Canal kCanal{2, 1.5, 0.025, 4000};

ConnectionInput Canals(std::optional<double> allowed = 0.3) {
    ConnectionInput in;
    in.upstream = in.downstream = kCanal;
    in.upstreamBed = 100;
    in.allowedDrop = allowed;
    return in;
}

// The worked examples of the four cases.
RecommendInput Example(int caseNo) {
    switch (caseNo) {
    case 1:
        return {1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}};
    case 2:
        return {2, {4, 100, 1.5f, 0.2f, 1, 0.014f, 0.25f, 0.4f}};
    case 3:
        return {3, {1, 100, 1.6f, 1000, 0.8f, 0.014f, 0.2f, 0.3f}};
    default:
        return {4, {1.5f, 100, 1.9f, 1000, 1, 0.014f, 0.25f, 0.4f}};
    }
}

// The velocity of the canals at the design discharge Q, so that the typed
// V agrees with them (case 2 finds its width by V).
float CanalVelocity(double Q) {
    const double h = *CanalNormalDepth(kCanal, Q);
    return float(Q / CanalSection(kCanal, h).area);
}

struct Pick {
    double B = 0, x = 0, cost = HUGE_VAL, margin = -HUGE_VAL;
    std::size_t feasible = 0, candidates = 0;
};

// The definition of the search worked out directly: every B = k·s from
// half to twice the exact width, every slope of the series and the case's
// own, each verified; of the feasible the least lining, then the larger
// margin to [ΔZ], then the smaller B.
Pick BruteForce(const RecommendInput& in, double exactB, double ownX) {
    const FlumeInputs f = FlumeInputsOf(in.caseNo, in.inputs);
    std::set<double> slopes{ownX};
    if (in.canals && in.canals->allowedDrop)
        slopes.insert({200,  250,  300,  400,  500,  600,  700,  800,  900,  1000,
                       1200, 1500, 2000, 2500, 3000, 4000, 5000, 6000, 8000, 10000});
    const double s = in.conditions.widthStep;
    Pick best;
    for (long k = std::lround(std::ceil(exactB / 2 / s - 1e-9));
         k <= std::lround(std::floor(2 * exactB / s + 1e-9)); ++k) {
        const double B = std::round(double(k) * s * 1e9) / 1e9;
        for (const double x : slopes) {
            ++best.candidates;
            const std::optional<VerifiedSection> v =
                VerifySection(f, in.conditions, in.canals, B, x);
            if (!v || !v->feasible || (in.caseNo <= 2 && v->h < B / 2 - 1e-9))
                continue;
            ++best.feasible;
            const double cost = std::numbers::pi * B / 2 + 2 * (*v->checks.H - B / 2);
            const double margin = in.canals && in.canals->allowedDrop
                                      ? *in.canals->allowedDrop - *v->Z
                                      : (v->head ? *v->head - *v->Z : -HUGE_VAL);
            const bool tie = std::fabs(cost - best.cost) <= 1e-9;
            if ((!tie && cost < best.cost) || (tie && margin > best.margin)) {
                best = {B, x, cost, margin, best.feasible, best.candidates};
            }
        }
    }
    return best;
}

TEST(Recommend, ChoiceIsTheBruteForceMinimumOfTheGrid) {
    struct Design {
        RecommendInput in;
        double step;
    };
    std::vector<Design> designs{{Example(3), 0.05}, {Example(1), 0.04}, {Example(3), 0.02}};
    designs[0].in.canals = Canals();
    designs[1].in.canals = Canals();
    designs[2].in.canals = Canals(0.15); // a tighter drop: steeper slopes fail
    for (Design& d : designs) {
        d.in.conditions.widthStep = d.step;
        const Recommendation r = Recommend(d.in);
        ASSERT_TRUE(r.searched) << r.problem;
        const AdoptedSection adopted =
            *AdoptSection(FlumeInputsOf(d.in.caseNo, d.in.inputs), d.in.conditions, d.in.canals);
        const Pick best = BruteForce(d.in, adopted.exactB, adopted.section.x);
        EXPECT_EQ(r.candidates.size(), best.candidates);
        EXPECT_EQ(r.feasibleCount, best.feasible);
        ASSERT_TRUE(r.recommended) << d.in.caseNo;
        EXPECT_DOUBLE_EQ(r.recommended->section.B, best.B) << d.in.caseNo << " step " << d.step;
        EXPECT_DOUBLE_EQ(r.recommended->section.x, best.x) << d.in.caseNo << " step " << d.step;
        EXPECT_NEAR(r.recommended->cost, best.cost, 1e-12);
        // The alternatives follow in order of cost, each feasible.
        double last = r.recommended->cost;
        for (const RankedSection& a : r.alternatives) {
            EXPECT_TRUE(a.section.feasible);
            EXPECT_GE(a.cost, last - 1e-9);
            EXPECT_NEAR(*a.relativeCost, a.cost / r.recommended->cost - 1, 1e-15);
            last = a.cost;
        }
        EXPECT_EQ(r.alternatives.size(), std::min<std::size_t>(10, best.feasible - 1));
    }
}

// Every recommendation, filled into its case window as 采用 fills it and
// calculated there, is the very section recommended and meets every check.
TEST(Recommend, EveryRecommendationMeetsEveryCheckCalculatedBack) {
    for (int caseNo = 1; caseNo <= 4; ++caseNo) {
        for (const bool canals : {false, true}) {
            RecommendInput in = Example(caseNo);
            if (canals) {
                in.canals = Canals();
                in.conditions.widthStep = 0.02; // a coarser grid: the same round trip
                if (caseNo == 2)
                    in.inputs[PosV] = CanalVelocity(in.inputs[0]);
            }
            const Recommendation r = Recommend(in);
            ASSERT_TRUE(r.searched) << r.problem;
            if (!r.recommended) {
                EXPECT_FALSE(r.binding.empty()) << caseNo;
                continue;
            }
            const VerifiedSection& s = r.recommended->section;
            const Adoption a = AdoptionOf(in, s);
            const Design d = ComputeDesign({caseNo, a.inputs, in.conditions, in.canals, false});
            const std::string label = "case " + std::to_string(caseNo) + (canals ? " canals" : "");
            ASSERT_TRUE(d.succeeded()) << label << ": " << d.outcome.message;
            ASSERT_TRUE(d.adopted) << label;
            EXPECT_EQ(d.adopted->section.B, s.B) << label;
            EXPECT_EQ(d.adopted->section.x, s.x) << label;
            EXPECT_TRUE(d.adopted->section.feasible) << label;
            for (const CheckRow& row : d.adopted->section.rows)
                EXPECT_TRUE(Meets(row)) << label << ": " << row.item << " " << row.value;
            // The case window's own result holds: h ≥ B/2 for cases 1, 2.
            EXPECT_NE(d.rows.front().verdict, Verdict::NotMet) << label;
            EXPECT_TRUE(a.reproduces && a.feasible) << label;
            EXPECT_TRUE(AdoptionNote(in, a).empty()) << label;
        }
    }
}

TEST(Recommend, FillsTheInputsEachCaseTakes) {
    const std::size_t filled[4][3] = {{2, 3}, {2, 3}, {2, 3}, {0, 2, 3}};
    for (int caseNo = 1; caseNo <= 4; ++caseNo) {
        const RecommendInput in = Example(caseNo);
        const Recommendation r = Recommend(in);
        ASSERT_TRUE(r.recommended || r.closest);
        const RankedSection& chosen = r.recommended ? *r.recommended : *r.closest;
        const Adoption a = AdoptionOf(in, chosen.section);
        ASSERT_EQ(a.fills.size(), caseNo == 4 ? 3u : 2u);
        for (std::size_t k = 0; k < a.fills.size(); ++k)
            EXPECT_EQ(a.fills[k].index, filled[caseNo - 1][k]) << caseNo;
        // Case 3 takes the width as it is, to the design step.
        if (caseNo == 3) {
            EXPECT_EQ(TypedDecimal(a.inputs[2]), chosen.section.B);
        }
    }
    // Seven significant digits on the side asked for.
    EXPECT_EQ(SevenDigits(1.1750481234, false), "1.175048");
    EXPECT_EQ(SevenDigits(1.1750481234, true), "1.175049");
    EXPECT_EQ(SevenDigits(0.2, true), "0.2");
}

TEST(Recommend, CaseTwoWithCanalVelocitiesOtherThanVSaysWhy) {
    RecommendInput in = Example(2);
    in.canals = Canals(); // V = 1 m/s against v₁ = 0.586 m/s
    const Recommendation r = Recommend(in);
    ASSERT_TRUE(r.recommended);
    const Adoption a = AdoptionOf(in, r.recommended->section);
    EXPECT_TRUE(a.reproduces);
    EXPECT_FALSE(a.feasible);
    EXPECT_NE(AdoptionNote(in, a).find("v₁ 填入渠道流速 V"), std::string::npos);
}

TEST(Recommend, InfeasibleDesignsNameTheirBindingChecks) {
    struct Case {
        std::array<float, 8> inputs;
        std::set<std::string> binding;
        std::string sentence;
    };
    const Case cases[] = {
        {{4, 100, 1.6f, 200, 1, 0.014f, 0.25f, 0.4f},
         {"net_depth", "velocity"},
         "H/B ≤ 0.9 与 v ≤ 2.5 m/s 在 B = 0.80～3.20 m、i = 1/200 内无法同时满足。"},
        {{1, 100, 1.6f, 100, 1, 0.014f, 0.25f, 0.4f},
         {"mild_slope"},
         "缓坡（Fr < 1） 在 B = 0.80～3.20 m、i = 1/100 内无法满足。"},
        {{1, 100, 1.6f, 3000, 1, 0.014f, 0.25f, 0.4f},
         {"velocity"},
         "v ≥ 1.0 m/s 在 B = 0.80～3.20 m、i = 1/3000 内无法满足。"},
    };
    for (const Case& c : cases) {
        const Recommendation r = Recommend({3, c.inputs});
        ASSERT_TRUE(r.searched);
        EXPECT_FALSE(r.recommended);
        EXPECT_EQ(r.feasibleCount, 0u);
        std::set<std::string> binding;
        for (const std::size_t k : r.binding)
            binding.insert(r.kinds[k].id);
        EXPECT_EQ(binding, c.binding);
        EXPECT_EQ(BindingSentence(r), c.sentence);
        // No candidate meets every binding check together.
        for (const CandidateMark& m : r.candidates) {
            bool metAll = m.formed;
            for (const std::size_t k : r.binding)
                metAll = metAll && !((m.unmet >> k) & 1u);
            EXPECT_FALSE(metAll) << m.B << " 1/" << m.x;
        }
        // The closest fails no more rules than any other candidate.
        ASSERT_TRUE(r.closest);
        const auto fewest = std::min_element(
            r.candidates.begin(), r.candidates.end(), [](const auto& a, const auto& b) {
                return a.formed && (!b.formed || a.rulesFailed < b.rulesFailed);
            });
        unsigned rules = 0;
        for (const CheckRow& row : r.closest->section.rows)
            rules += Fails(row) ? 1 : 0;
        EXPECT_EQ(rules, fewest->rulesFailed);
        EXPECT_NE(ClosestSentence(r).find("不满足项最少的断面为 B = "), std::string::npos);
    }
}

TEST(Recommend, WithoutAnAllowedDropTheSlopeStaysTheCases) {
    for (int caseNo = 1; caseNo <= 4; ++caseNo) {
        for (const bool canals : {false, true}) {
            RecommendInput in = Example(caseNo);
            if (canals)
                in.canals = Canals(std::nullopt);
            const Recommendation r = Recommend(in);
            ASSERT_TRUE(r.searched);
            const double own = r.current->section.x; // case 2: its adopted x
            EXPECT_EQ(r.slopes, std::vector<double>{own}) << caseNo;
            for (const CandidateMark& m : r.candidates)
                EXPECT_EQ(m.x, own);
            EXPECT_EQ(r.candidates.size(), r.widths.size());
            EXPECT_NE(SearchSummary(r).find("纵坡保持本设计的 i = 1/"), std::string::npos);
        }
    }
    // With [ΔZ] the case's own slope joins the series.
    RecommendInput in = Example(1);
    in.inputs[3] = 1100;
    in.canals = Canals();
    const Recommendation r = Recommend(in);
    EXPECT_EQ(r.slopes.size(), 21u);
    EXPECT_TRUE(std::count(r.slopes.begin(), r.slopes.end(), 1100.0));
}

// A grid too large to search is refused before its widths are listed: a
// vast width has more step multiples than memory holds.
TEST(Recommend, TooLargeAGridIsRefusedBeforeItIsListed) {
    for (const float B : {250.0f, 1e7f}) {
        RecommendInput in = Example(3);
        in.inputs[2] = B;
        in.canals = Canals();
        const Recommendation r = Recommend(in);
        EXPECT_FALSE(r.searched);
        EXPECT_TRUE(r.widths.empty() && r.candidates.empty());
        EXPECT_EQ(r.problem.find("按设计步长可比选的断面多于 60000 个"), 0u) << r.problem;
        EXPECT_EQ(r.problem.find("（共 750020 个）") != std::string::npos, B == 250) << r.problem;
    }
}

TEST(Recommend, ProgressIsReportedAndCancelStopsTheSearch) {
    RecommendInput in = Example(1);
    std::size_t calls = 0, last = 0, total = 0;
    const Recommendation whole = Recommend(in, [&](std::size_t done, std::size_t all) {
        EXPECT_GT(done, last);
        last = done;
        total = all;
        return ++calls > 0;
    });
    EXPECT_EQ(calls, whole.widths.size());
    EXPECT_EQ(last, total);
    EXPECT_FALSE(whole.cancelled);
    const Recommendation stopped = Recommend(in, [](std::size_t, std::size_t) { return false; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_FALSE(stopped.recommended);
    EXPECT_EQ(RecommendationLines(stopped).front(), "推荐断面的比选已取消。");
}

TEST(Recommend, SentenceOfTheRecommendationAgainstTheCurrentSection) {
    RecommendInput in = Example(1);
    in.canals = Canals();
    const Recommendation r = Recommend(in);
    ASSERT_TRUE(r.recommended && r.current);
    const std::string sentence = RecommendationSentence(r);
    EXPECT_EQ(sentence.rfind("推荐 B = ", 0), 0u);
    EXPECT_NE(sentence.find("ΔZ = "), std::string::npos);
    EXPECT_NE(sentence.find(" ≤ 0.300 m"), std::string::npos);
    const int saving = int(std::lround((1 - r.recommended->cost / r.current->cost) * 100));
    EXPECT_NE(sentence.find("比当前断面省 " + std::to_string(saving) + " %"), std::string::npos);
    // The current section fails H/B: the report offers the recommendation
    // as its way out, not as a cheaper alternative.
    EXPECT_FALSE(r.current->section.feasible);
    EXPECT_TRUE(CheaperSentence(r).empty());
    EXPECT_EQ(WayOutSentence(r).rfind("同时调整槽宽与纵坡", 0), 0u);
}

} // namespace
