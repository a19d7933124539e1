// SPDX-License-Identifier: GPL-3.0-or-later
// A case window's eight inputs as 方案比选 takes them: read from the boxes
// without a message, each as the box stores it and as the decimal its text
// says, or why it cannot be read.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <string>

namespace windows {

struct SweepBase {
    std::array<std::optional<float>, 8> stored{}; // as a calculation stores it; empty: unreadable
    // The decimal the text says ("1.35" is 1.35, where the box stores the
    // float 1.35000002): what the default range is centred on.
    std::array<std::optional<double>, 8> typed{};
    std::array<QString, 8> problems{}; // the message for an unreadable box

    bool operator==(const SweepBase&) const = default;
};

// What input box `index` (0..7) of case `caseNo` holds, for messages:
// "基本资料表中的流量 Q".
std::string InputSubject(int caseNo, int index);

// The eight box texts of case `caseNo`, in the user's regional format.
SweepBase ReadSweepBase(int caseNo, const std::array<QString, 8>& texts);

} // namespace windows
