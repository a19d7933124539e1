// SPDX-License-Identifier: GPL-3.0-or-later
// Typed failures of a calculation, a conversion or a project file.
//
// Every failure is raised where it happens as one of these exceptions; none
// ends the program. The messages are Simplified Chinese, for the message box
// of the desktop program and the standard error of the command line.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

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

// Which inputs can make a step of the calculation fail, by kind of fault;
// each a clause such as "槽身糙率 n 为零". Null where the step cannot fail
// that way or no input is to blame.
struct StepCauses {
    const char* zeroDivisor = nullptr;  // DivisionByZero and 0/0
    const char* negativeRoot = nullptr; // InvalidArgument
    const char* outOfRange = nullptr;   // Overflow
};

// A failure of one of the kinds above. `subject` says what it concerns: the
// quantity and the table it stands in for input, the file name for files,
// the step of the calculation for an arithmetic fault. It may be empty while
// the fault travels up to the step that names it.
class CalcError : public std::runtime_error {
public:
    CalcError(ErrorKind kind, std::string subject, std::string detail = {});

    // Inputs the calculation refuses, told in the user's words: message()
    // and sentence() are `sentence` alone, without the kind's name in front;
    // the kind stays the fault the arithmetic would have met, `subject`
    // names the inputs, and no step or cause is added on the way up.
    static CalcError Refusal(ErrorKind kind, std::string subject, std::string sentence);

    ErrorKind kind() const { return kind_; }
    const std::string& subject() const { return subject_; }
    const std::string& detail() const { return detail_; }
    // The inputs that can cause an arithmetic fault, a clause; may be empty.
    const std::string& cause() const { return cause_; }
    // The whole message in Chinese, e.g. "类型不匹配：流量 Q 不是有效的数字",
    // or for an arithmetic fault "除数为零：" followed by Sentence().
    std::string message() const;
    // An arithmetic fault as whole sentences, without the kind's name in
    // front: "按曼宁公式计算流量时出现了除以零的运算。可能是槽身糙率 n 为零，
    // 或槽身比降 i = 1/x 中的 x 为零。"
    std::string sentence() const;

    // A copy of this error naming the step where it happened and what can
    // cause it there, unless it names a step already.
    CalcError withStep(std::string step, const StepCauses& causes = {}) const;
    // A copy whose cause is the clause `causes` gives for this kind, where
    // it gives one: a case names the inputs it takes, where the step's own
    // clause would name a figure that the case finds.
    CalcError withCauses(const StepCauses& causes) const;

private:
    CalcError(ErrorKind kind, std::string subject, std::string detail, std::string cause,
              bool refusal = false);

    ErrorKind kind_;
    std::string subject_;
    std::string detail_;
    std::string cause_;
    bool refusal_ = false;
};

// A search that ended without meeting its tolerance. No result is formed.
class NotConverged : public std::runtime_error {
public:
    explicit NotConverged(std::string sought, std::string hint = {});

    // What was sought, e.g. "槽宽 B".
    const std::string& sought() const { return sought_; }
    // The whole message in Chinese: "未收敛：" followed by Sentence().
    std::string message() const;
    // "槽宽 B 的试算在规定次数内未达到精度要求（未收敛），没有计算成果。" and
    // the hint.
    std::string sentence() const;

private:
    std::string sought_;
    std::string hint_;
};

// Runs `body`; an arithmetic fault escaping it without a subject is given
// `step` as its subject, and the inputs that can cause it there, so that the
// message says where it happened and what to check.
template <class Body>
auto InStep(const char* step, const StepCauses& causes, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const CalcError& e) {
        if (!e.subject().empty())
            throw;
        throw e.withStep(step, causes);
    }
}

template <class Body> auto InStep(const char* step, Body&& body) -> decltype(body()) {
    return InStep(step, StepCauses{}, std::forward<Body>(body));
}

} // namespace hydraulics
