// Remembers the text form of recently formatted single values.
//
// A batch repeats the same inputs row after row (roughness, loss
// coefficients, lengths), and formatting a value is the dearest step of
// writing a row. The cache is direct-mapped on the value's bit pattern, so
// a hit gives exactly the text that hydraulics::FormatSingle gives.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cli {

class FormatCache {
public:
    // hydraulics::FormatSingle(value); valid until the next call.
    std::string_view Text(float value);

private:
    struct Slot {
        std::uint32_t bits = 0;
        bool used = false;
        std::string text;
    };
    static constexpr std::size_t kSlots = 4096; // a power of two
    std::array<Slot, kSlots> slots_{};
};

} // namespace cli
