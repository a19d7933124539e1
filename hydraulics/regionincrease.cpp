// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/regionincrease.h"

#include "hydraulics/designchecks.h"

#include <array>

namespace hydraulics {

double RegionalIncreasePercent(double Q, std::optional<Region> region) {
    const IncreaseRow row = IncreaseRange(Q);
    return region == Region::Humid ? row.low : row.high;
}

std::string_view RegionText(Region region) {
    return region == Region::Humid ? "湿润" : "干旱";
}

std::string_view IncreaseRowDischarges(double Q) {
    // The rows of IncreaseRange, in its order: its floors 1, 5, 20, 50,
    // 100 m³/s, and 300 closing the row before the last.
    static constexpr std::array<std::string_view, 7> kRows = {
        "< 1", "1～5", "5～20", "20～50", "50～100", "100～300", "> 300"};
    static constexpr std::array<double, 6> kFloors = {0, 1, 5, 20, 50, 100};
    if (Q > 300)
        return kRows.back();
    for (std::size_t i = kFloors.size(); i-- > 1;)
        if (Q >= kFloors[i])
            return kRows[i];
    return kRows.front();
}

} // namespace hydraulics
