// Decoding of the fuzz input shared by the targets that run calculations.
//
// Up to eight records, each one calculation on the same Module1 (the
// windows share one state, and a calculation starts from what the previous
// one left in the working values):
//   byte 0        case, 1 + byte % 4
//   bytes 1..40   eight values in box order, five bytes each: a tag byte,
//                 then a little-endian 32-bit word read by tag % 4 as
//                   0  the bits of a single value (NaN and infinity, which
//                      no box or project file can hand over, become ±FLT_MAX)
//                   1  a whole number of thousandths (0.014 = 14)
//                   2  a whole number of millionths
//                   3  a whole number
#pragma once

#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace caseinput {

constexpr std::size_t kRecordSize = 1 + 8 * 5;
constexpr std::size_t kMaxRecords = 8;

inline float DecodeValue(const std::uint8_t* p) {
    std::uint32_t word = 0;
    for (int i = 4; i >= 1; --i)
        word = (word << 8) | p[i];
    const auto whole = static_cast<std::int32_t>(word);
    switch (p[0] % 4) {
    case 0: {
        float value = 0;
        std::memcpy(&value, &word, sizeof value);
        if (std::isnan(value))
            return 0.0f;
        if (std::isinf(value))
            return std::copysign(FLT_MAX, value);
        return value;
    }
    case 1:
        return static_cast<float>(whole / 1e3);
    case 2:
        return static_cast<float>(whole / 1e6);
    default:
        return static_cast<float>(whole);
    }
}

struct Record {
    int caseNumber;
    std::array<float, 8> inputs;
};

// Calls `run(record)` for each whole record of the input.
template <class Run> void ForEachRecord(const std::uint8_t* data, std::size_t size, Run&& run) {
    for (std::size_t r = 0; r < kMaxRecords && size >= kRecordSize; ++r) {
        Record record{1 + data[0] % 4, {}};
        for (std::size_t k = 0; k < record.inputs.size(); ++k)
            record.inputs[k] = DecodeValue(data + 1 + 5 * k);
        run(record);
        data += kRecordSize;
        size -= kRecordSize;
    }
}

} // namespace caseinput
