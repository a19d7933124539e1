#include "formatcache.h"

#include "numtext.h"

#include <bit>

namespace cli {

std::string_view FormatCache::Text(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    // Fibonacci hashing: neighbouring values spread over the slots.
    const std::size_t index = (bits * 2654435769u) >> (32 - 12);
    static_assert(kSlots == std::size_t{1} << 12);
    Slot& slot = slots_[index];
    if (!slot.used || slot.bits != bits) {
        slot.bits = bits;
        slot.used = true;
        slot.text = hydraulics::FormatSingle(value);
    }
    return slot.text;
}

} // namespace cli
