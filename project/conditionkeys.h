// SPDX-License-Identifier: GPL-3.0-or-later
// The design conditions one source states (the side file's section
// "design", an `ambrelo-calc --connection` file, the command line), each
// empty where it says nothing. Sources are laid over each other, the one
// that wins last.
#pragma once

#include "hydraulics/designchecks.h"

#include <optional>

namespace project {

// The keys given, each empty when left out.
struct ConditionKeys {
    std::optional<double> step;
    std::optional<hydraulics::SupportForm> support;
    std::optional<std::optional<double>> tieRodDepth; // given, possibly null (no tie rods)
    std::optional<bool> coldRegion;
    std::optional<std::optional<hydraulics::Region>> region; // given, possibly null (not stated)
};

// Sets in `conditions` what `keys` give.
void ApplyConditionKeys(const ConditionKeys& keys, hydraulics::DesignConditions& conditions);

} // namespace project
