// Contract checks shared by the fuzz targets.
//
// A target does not stop at "no crash": whatever it feeds in must end in a
// value or a typed failure that the program knows how to report. A broken
// contract aborts with a message, which libFuzzer records as a crash and
// saves the input that caused it.
#pragma once

#include "hydraulics/errors.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <regex>
#include <string>
#include <string_view>

namespace fuzzcheck {

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "contract broken: %.*s [%.*s]\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void Require(bool condition, std::string_view what, std::string_view detail = {}) {
    if (!condition)
        Fail(what, detail);
}

// The forms a window shows: optional minus, digits, optional fraction,
// optional exponent "E" sign and two or three digits. Never "nan", "inf",
// a blank, a group separator or a minus zero.
inline bool IsShownNumber(const std::string& text) {
    static const std::regex grammar("-?[0-9]+(\\.[0-9]+)?(E[+-][0-9]{2,3})?");
    if (!std::regex_match(text, grammar))
        return false;
    if (text[0] == '-')
        return text.find_first_of("123456789") < text.find('E');
    return true;
}

// True for the kinds that a calculation may end in.
inline bool IsArithmeticKind(hydraulics::ErrorKind kind) {
    using hydraulics::ErrorKind;
    return kind == ErrorKind::DivisionByZero || kind == ErrorKind::InvalidOperation ||
           kind == ErrorKind::InvalidArgument || kind == ErrorKind::Overflow;
}

// CPU time of this thread in milliseconds: unlike the wall clock it does not
// grow while the machine is busy with other work.
inline double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Aborts when the scope takes more CPU time than `limitMs`: every operation
// under test runs a bounded number of trials and ends far below it.
class CpuBudget {
public:
    CpuBudget(const char* what, double limitMs)
        : what_(what), limitMs_(limitMs), start_(ThreadCpuMs()) {}
    ~CpuBudget() {
        const double spent = ThreadCpuMs() - start_;
        if (spent > limitMs_)
            Fail("took too long", what_ + (" " + std::to_string(spent) + " ms"));
    }
    CpuBudget(const CpuBudget&) = delete;
    CpuBudget& operator=(const CpuBudget&) = delete;

private:
    std::string what_;
    double limitMs_;
    double start_;
};

} // namespace fuzzcheck
