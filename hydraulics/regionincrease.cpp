// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/regionincrease.h"

#include "hydraulics/designchecks.h"

namespace hydraulics {

double RegionalIncreasePercent(double Q, std::optional<Region> region) {
    const IncreaseRow row = IncreaseRange(Q);
    return region == Region::Humid ? row.low : row.high;
}

std::string_view RegionText(Region region) {
    return region == Region::Humid ? "湿润" : "干旱";
}

std::string_view IncreaseRowDischarges(double Q) {
    return IncreaseRange(Q).discharges;
}

} // namespace hydraulics
