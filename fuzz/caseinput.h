// The fuzz input of the calculation target: up to eight records, each one
// calculation on the same Module1 (a calculation starts from what the
// previous one left, as in the windows):
//   byte 0        case, 1 + byte % 4
//   bytes 1..40   eight values in box order, five bytes each: a tag byte,
//                 then a little-endian 32-bit word read by tag % 4 as the
//                 bits of a single value (NaN and infinity, which no box can
//                 hand over, become 0 and ±FLT_MAX), a whole number of
//                 thousandths, of millionths, or a whole number.
#pragma once

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace caseinput {

constexpr std::size_t kRecordSize = 1 + 8 * 5;

inline float DecodeValue(const std::uint8_t* p) {
    const std::uint32_t word = p[1] | p[2] << 8 | p[3] << 16 | std::uint32_t(p[4]) << 24;
    const double whole = static_cast<std::int32_t>(word);
    float bits = 0;
    std::memcpy(&bits, &word, sizeof bits);
    switch (p[0] % 4) {
    case 0:
        return std::isnan(bits) ? 0.0f : std::isinf(bits) ? std::copysign(FLT_MAX, bits) : bits;
    case 1:
        return static_cast<float>(whole / 1e3);
    case 2:
        return static_cast<float>(whole / 1e6);
    default:
        return static_cast<float>(whole);
    }
}

// Calls `run(caseNumber, inputs)` for each whole record of the input.
template <class Run> void ForEachRecord(const std::uint8_t* data, std::size_t size, Run&& run) {
    for (int r = 0; r < 8 && size >= kRecordSize; ++r, data += kRecordSize, size -= kRecordSize) {
        std::array<float, 8> inputs;
        for (std::size_t k = 0; k < inputs.size(); ++k)
            inputs[k] = DecodeValue(data + 1 + 5 * k);
        run(1 + data[0] % 4, inputs);
    }
}

} // namespace caseinput
