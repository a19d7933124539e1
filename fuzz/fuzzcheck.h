// SPDX-License-Identifier: GPL-3.0-or-later
// Contract checks of the fuzz targets: a broken contract aborts with a
// message, which libFuzzer records as a crash, saving the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <regex>
#include <string>
#include <string_view>

namespace fuzzcheck {

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "contract broken: %.*s [%.*s]\n", int(what.size()), what.data(),
                 int(detail.size()), detail.data());
    std::abort();
}

inline void Require(bool condition, std::string_view what, std::string_view detail = {}) {
    if (!condition)
        Fail(what, detail);
}

// The forms a window shows: never "nan", "inf", a blank, a group separator
// or a minus zero.
inline bool IsShownNumber(const std::string& text) {
    static const std::regex grammar("-?[0-9]+(\\.[0-9]+)?(E[+-][0-9]{2,3})?");
    return std::regex_match(text, grammar) &&
           (text[0] != '-' || text.find_first_of("123456789") < text.find('E'));
}

// Aborts when the scope takes more CPU time of this thread (which, unlike
// the wall clock, does not grow while the machine is busy) than `limitMs`.
class CpuBudget {
public:
    CpuBudget(const char* what, double limitMs) : what_(what), limitMs_(limitMs), start_(Ms()) {}
    ~CpuBudget() {
        if (Ms() - start_ > limitMs_)
            Fail("took too long", what_ + (" " + std::to_string(Ms() - start_) + " ms"));
    }

private:
    static double Ms() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    }
    std::string what_;
    double limitMs_, start_;
};

} // namespace fuzzcheck
