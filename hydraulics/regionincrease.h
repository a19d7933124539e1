// SPDX-License-Identifier: GPL-3.0-or-later
// The increase of the design discharge (加大百分数) by the climate of the
// region: table 6.3.4 of GB 50288-2018 gives each row of design discharges
// a range, of which a humid region takes the smaller value and an arid one
// the larger (湿润地区取小值、干旱地区取大值).
#pragma once

#include <optional>
#include <string_view>

namespace hydraulics {

enum class Region { Humid, Arid };

// The increase for design discharge Q (m³/s), percent: the smaller value
// of Q's row in a humid region, the larger in an arid one, and the larger
// where the region is not given (on the safe side, as DefaultIncreasePercent).
double RegionalIncreasePercent(double Q, std::optional<Region> region);

// 湿润 or 干旱.
std::string_view RegionText(Region region);

// The design discharges of Q's row as the table prints them: "< 1",
// "1～5", … "> 300" (m³/s).
std::string_view IncreaseRowDischarges(double Q);

} // namespace hydraulics
