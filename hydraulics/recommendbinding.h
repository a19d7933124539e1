// SPDX-License-Identifier: GPL-3.0-or-later
// The checks that bind a search with no feasible candidate, and the side
// of each check the failing candidates miss, for the sentence that names
// them ("v ≤ 2.5 m/s 与 H/B ≤ 0.9 … 无法同时满足").
//
// Binding checks: the smallest set S of checks such that every candidate
// whose section formed fails at least one check of S, so that no candidate
// meets all of S together (a minimum hitting set over the candidates' sets
// of unmet checks, found by trying the sets of checks by size). Among sets
// of that size the one failed most often, counted over the candidates and
// its checks, then the one of the earliest checks.
#pragma once

#include "hydraulics/recommend.h"

#include <cstddef>
#include <vector>

namespace hydraulics {

// How often a two-sided check was missed below and above its band.
struct FailingSides {
    unsigned low = 0, high = 0;
};

// Counts the side of `kind` that section `s`, which does not meet it,
// misses (the velocity band and the depth ratio; other checks have one).
void NoteSide(const CheckKind& kind, const VerifiedSection& s, FailingSides& sides);

// The condition the failing candidates miss: "v ≤ 2.5 m/s" where every one
// of them is too fast, "1.0 ≤ v ≤ 2.5 m/s" where some are too slow.
std::string ConditionText(const CheckKind& kind, const FailingSides& sides);

// The binding checks as indices into the search's kinds, ascending; empty
// where no candidate formed a section.
std::vector<std::size_t> BindingChecks(const std::vector<CandidateMark>& candidates,
                                       std::size_t kindCount);

} // namespace hydraulics
