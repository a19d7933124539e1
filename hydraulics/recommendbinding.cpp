// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/recommendbinding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>

namespace hydraulics {
namespace {

// The limits the rows of the design checks hold a section to (9.4.1-1,
// 9.3.3-4); a value below the middle of a band misses its lower end.
constexpr double kMinVelocity = 1.0, kMaxVelocity = 2.5; // m/s
constexpr double kMinDepthRatio = 0.7, kMaxDepthRatio = 0.9;
constexpr std::size_t kMostSearched = 20; // checks tried in sets: 2^20 sets at most

std::string TwoSided(const FailingSides& sides, const std::string& low, const std::string& high,
                     const std::string& both) {
    if (sides.low > 0 && sides.high == 0)
        return low;
    if (sides.high > 0 && sides.low == 0)
        return high;
    return both;
}

} // namespace

void NoteSide(const CheckKind& kind, const VerifiedSection& s, FailingSides& sides) {
    std::optional<double> value, middle;
    if (kind.id == "velocity") {
        value = s.v;
        middle = (kMinVelocity + kMaxVelocity) / 2;
    } else if (kind.id == "net_depth") {
        value = s.checks.ratio;
        middle = (kMinDepthRatio + kMaxDepthRatio) / 2;
    }
    if (value && middle)
        (*value < *middle ? sides.low : sides.high)++;
}

std::string ConditionText(const CheckKind& kind, const FailingSides& sides) {
    const std::string& id = kind.id;
    if (id == "velocity")
        return TwoSided(sides, "v ≥ 1.0 m/s", "v ≤ 2.5 m/s", "1.0 ≤ v ≤ 2.5 m/s");
    if (id == "net_depth")
        return TwoSided(sides, "H/B ≥ 0.7", "H/B ≤ 0.9", "0.7 ≤ H/B ≤ 0.9");
    static const std::map<std::string, std::string> kConditions{
        {"applicability", "h ≥ B/2"},         {"mild_slope", "缓坡（Fr < 1）"},
        {"freeboard", "设计流量超高 ≥ B/10"}, {"increased_freeboard", "加大流量超高 ≥ 0.10 m"},
        {"allowed_drop", "ΔZ ≤ [ΔZ]"},        {"short_recheck", "短槽复核 ΔZ′ ≤ [ΔZ]"},
        {"backwater", "加大流量壅高 ≤ 3 %"},  {"bend", "r ≥ 6T"},
        {"cold_region", "∇₂ 高于 ∇₄"},        {"head", "Z ≤ 给定水头"},
    };
    const auto found = kConditions.find(id);
    return found != kConditions.end() ? found->second : kind.item;
}

std::vector<std::size_t> BindingChecks(const std::vector<CandidateMark>& candidates,
                                       std::size_t kindCount) {
    // Each distinct set of unmet checks once; how often each check fails.
    std::vector<std::uint32_t> sets;
    std::vector<unsigned> failing(kindCount, 0);
    for (const CandidateMark& c : candidates) {
        if (!c.formed || c.feasible)
            continue;
        sets.push_back(c.unmet);
        for (std::size_t k = 0; k < kindCount && k < 32; ++k)
            failing[k] += (c.unmet >> k) & 1u;
    }
    std::sort(sets.begin(), sets.end());
    sets.erase(std::unique(sets.begin(), sets.end()), sets.end());
    if (sets.empty())
        return {};
    const std::size_t n = std::min(kindCount, kMostSearched);
    std::uint32_t best = 0;
    int bestSize = 0;
    unsigned bestWeight = 0;
    for (std::uint32_t s = 1; s < (std::uint32_t(1) << n); ++s) {
        const int size = std::popcount(s);
        if (best != 0 && size > bestSize)
            continue;
        if (!std::all_of(sets.begin(), sets.end(), [s](std::uint32_t u) { return (u & s) != 0; }))
            continue;
        unsigned weight = 0;
        for (std::size_t k = 0; k < n; ++k)
            weight += ((s >> k) & 1u) ? failing[k] : 0;
        // Smaller first; of one size the heavier; of one weight the earlier
        // checks (the lower bits, which std::countr_zero finds first).
        const bool better =
            best == 0 || size < bestSize ||
            (weight > bestWeight ||
             (weight == bestWeight && std::countr_zero(s ^ best) == std::countr_zero(s & ~best)));
        if (better) {
            best = s;
            bestSize = size;
            bestWeight = weight;
        }
    }
    std::vector<std::size_t> binding;
    for (std::size_t k = 0; k < n; ++k)
        if ((best >> k) & 1u)
            binding.push_back(k);
    return binding;
}

} // namespace hydraulics
