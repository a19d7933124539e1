// SPDX-License-Identifier: GPL-3.0-or-later
// The three searches of the case solvers.
//
// Each brackets its unknown by whole metres from 1 to 20 and then halves a
// step of 1/2^k (k = 1..20) towards the target. A search reports whether it
// met its tolerance; it never throws for missing it (the callers decide).
#pragma once

#include "hydraulics/projectstate.h"

#include <functional>

namespace hydraulics {

// Called after each trial of a search with the state the trial left, so
// that a caller can follow the trials (tests, a verbose listing). Optional.
using SearchTrace = std::function<void(const ProjectState&)>;

// |1 − Q/Qc| in single precision: the relative error the width and depth
// searches hold against 0.001.
float RelativeDischargeError(float Q, float Qc);

// Width B that carries Q at depth h and slope 1/x (deep section formulas),
// relative tolerance |1 − Q/Qc| < 0.001. Reads Q, h, x, n from BasicData,
// leaves the width in ChannelWidth and the last trial's A, P, R, Qc in the
// working values. `onSuccess` runs the moment the tolerance is met.
// `trace` sees every trial width, scan and refinement alike.
bool WidthSearch(ProjectState& m, const std::function<void()>& onSuccess,
                 const SearchTrace& trace = {});

// Friction loss Z2 (and slope x = L/Z2) for which Z2 + K meets the given
// head loss in TotalLoss within 0.002 m. Each of its 20 trials runs
// WidthSearch; a trial whose width search fails keeps the previous K.
// Starts from Z2 = K = 0. On success stores Z2 + K in TotalLoss.
// `trace` sees each slope trial after its width search.
struct SlopeSearchResult {
    bool met = false;        // |Z2 + K − Z| < 0.002 m reached
    bool widthFound = false; // the width search of the deciding trial met its tolerance
    explicit operator bool() const { return met; }
};
SlopeSearchResult SlopeSearch(ProjectState& m, const SearchTrace& trace = {});

// Depth h that carries Q through width ChannelWidth at slope 1/x, any
// depth, relative tolerance |1 − Q/Qc| < 0.001. On success the depth is
// rounded to the centimetre and LossTerms runs with Z. `trace` sees every
// trial depth.
bool DepthSearch(ProjectState& m, const SearchTrace& trace = {});

} // namespace hydraulics
