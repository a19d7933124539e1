#include "report/checktable.h"

namespace report {

// HOOK (design checks): the engine's design checks (hydraulics/designchecks.h,
// CheckDesign and CheckRows) are not in this tree yet. Once they are, this
// returns one row per CheckRow: item, value, requirement, clause, verdict.
TextTable CheckTable(const hydraulics::DesignPoint& /*point*/, double /*L*/) {
    return {};
}

} // namespace report
