// SPDX-License-Identifier: GPL-3.0-or-later
// The table of 推荐断面 as an item model: the recommendation and the ten
// alternatives (or, where none is feasible, the candidate failing the
// fewest rules) with B, i, h, H, H/B, v, Fr, Z or ΔZ, the margin to [ΔZ],
// the lining length and the cost against the recommendation, then each
// check's verdict. Coloured as 方案比选: a section meeting every check on
// light green, a check not met on light red, a recommendation not met on
// amber. Every cell carries its sort key in Qt::UserRole.
#pragma once

#include "hydraulics/recommend.h"

class QStandardItemModel;

namespace windows {

constexpr int kRecommendMarkColumn = 0; // 推荐 / 备选 n / 最接近

void FillRecommendModel(QStandardItemModel& model, const hydraulics::Recommendation& r);

// The section shown in row `row` of the model (in the order filled).
const hydraulics::RankedSection* RankedOfRow(const hydraulics::Recommendation& r, int row);

} // namespace windows
