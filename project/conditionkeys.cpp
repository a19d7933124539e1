// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/conditionkeys.h"

namespace project {

void ApplyConditionKeys(const ConditionKeys& keys, hydraulics::DesignConditions& conditions) {
    if (keys.step)
        conditions.widthStep = *keys.step;
    if (keys.support)
        conditions.support = *keys.support;
    if (keys.tieRodDepth)
        conditions.tieRodDepth = *keys.tieRodDepth;
    if (keys.coldRegion)
        conditions.coldRegion = *keys.coldRegion;
    if (keys.region)
        conditions.region = *keys.region;
}

} // namespace project
