// Typed failures of a calculation, a conversion or a project file.
//
// Every failure is raised where it happens as one of these exceptions; none
// ends the program. The messages are Simplified Chinese, for the message box
// of the desktop program and the standard error of the command line.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace hydraulics {

enum class ErrorKind {
    TypeMismatch,     // a text that is not a number
    DivisionByZero,   // a non-zero value divided by zero
    InvalidOperation, // 0/0
    InvalidArgument,  // square root or fractional power of a negative number
    Overflow,         // a value beyond single-precision range
    FileNotFound,
    PastEndOfFile, // a project file with fewer than eight numbers
    FileAccess,    // a file that cannot be created, written or read
};

// Machine-readable identifier: "type_mismatch", "division_by_zero", ...
std::string_view ErrorKindId(ErrorKind kind);
// Chinese name of the kind: "类型不匹配", "除数为零", ...
std::string_view ErrorKindName(ErrorKind kind);

// A failure of one of the kinds above. `subject` says what it concerns: the
// quantity and its box for input, the file name for files, the step of the
// calculation for an arithmetic fault. It may be empty while the fault
// travels up to the step that names it.
class CalcError : public std::runtime_error {
public:
    CalcError(ErrorKind kind, std::string subject, std::string detail = {});

    ErrorKind kind() const { return kind_; }
    const std::string& subject() const { return subject_; }
    const std::string& detail() const { return detail_; }
    // The whole message in Chinese, e.g. "类型不匹配：流量 Q 不是有效的数字".
    std::string message() const;

    // A copy of this error naming `subject`, unless it names one already.
    CalcError withSubject(std::string subject) const;

private:
    ErrorKind kind_;
    std::string subject_;
    std::string detail_;
};

// A search that ended without meeting its tolerance. No result is formed.
class NotConverged : public std::runtime_error {
public:
    explicit NotConverged(std::string sought, std::string hint = {});

    // What was sought, e.g. "槽宽 B".
    const std::string& sought() const { return sought_; }
    // The whole message in Chinese.
    std::string message() const;

private:
    std::string sought_;
    std::string hint_;
};

// Runs `body`; an arithmetic fault escaping it without a subject is given
// `step` as its subject, so that the message says where it happened.
template <class Body> auto InStep(const char* step, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const CalcError& e) {
        if (!e.subject().empty())
            throw;
        throw e.withSubject(step);
    }
}

} // namespace hydraulics
