// SPDX-License-Identifier: GPL-3.0-or-later
#include "hydraulics/errors.h"

#include <utility>

namespace hydraulics {

std::string_view ErrorKindId(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return "type_mismatch";
    case ErrorKind::DivisionByZero:
        return "division_by_zero";
    case ErrorKind::InvalidOperation:
        return "invalid_operation";
    case ErrorKind::InvalidArgument:
        return "invalid_argument";
    case ErrorKind::Overflow:
        return "overflow";
    case ErrorKind::FileNotFound:
        return "file_not_found";
    case ErrorKind::PastEndOfFile:
        return "past_end_of_file";
    case ErrorKind::FileAccess:
        return "file_access";
    }
    return "unknown";
}

std::string_view ErrorKindName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return "类型不匹配";
    case ErrorKind::DivisionByZero:
        return "除数为零";
    case ErrorKind::InvalidOperation:
        return "无效运算（0/0）";
    case ErrorKind::InvalidArgument:
        return "无效参数（负数开方或负数的分数次幂）";
    case ErrorKind::Overflow:
        return "溢出（超出单精度数的范围）";
    case ErrorKind::FileNotFound:
        return "文件未找到";
    case ErrorKind::PastEndOfFile:
        return "输入超出文件尾（不足八个数）";
    case ErrorKind::FileAccess:
        return "文件访问错误";
    }
    return "未知错误";
}

namespace {

bool IsArithmetic(ErrorKind kind) {
    return kind == ErrorKind::DivisionByZero || kind == ErrorKind::InvalidOperation ||
           kind == ErrorKind::InvalidArgument || kind == ErrorKind::Overflow;
}

// An arithmetic fault of the engine names the step it happened in and
// carries no detail; a text that is not a number names its quantity and
// says what is wrong with it.
bool IsStepFault(ErrorKind kind, const std::string& subject, const std::string& detail) {
    return IsArithmetic(kind) && !subject.empty() && detail.empty();
}

// What happened, as the rest of a sentence that starts with the step.
std::string_view Happened(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::DivisionByZero:
        return "出现了除以零的运算";
    case ErrorKind::InvalidOperation:
        return "出现了零除以零的运算";
    case ErrorKind::InvalidArgument:
        return "出现了负数的开方（或负数的分数次幂）";
    default:
        return "得到的数超出了单精度数的范围";
    }
}

// The inputs to check when the step names none.
const char* AnyStepCause(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::DivisionByZero:
    case ErrorKind::InvalidOperation:
        return "某个输入为零";
    case ErrorKind::InvalidArgument:
        return "某个水深或槽宽为负数或过小";
    default:
        return "某个输入过大或过小";
    }
}

std::string CauseClause(const std::string& cause) {
    return cause.empty() ? std::string() : "可能是" + cause + "。";
}

std::string Compose(ErrorKind kind, const std::string& subject, const std::string& detail,
                    const std::string& cause) {
    std::string text(ErrorKindName(kind));
    if (IsStepFault(kind, subject, detail))
        return text + "，发生在" + subject + "。" + CauseClause(cause);
    if (!subject.empty() || !detail.empty()) {
        text += "：";
        text += subject;
        // "流量 Q 不是…" but "基本资料表中的流量 Q（…）不是…": no blank after a
        // full-width character.
        const bool wide = !subject.empty() && static_cast<unsigned char>(subject.back()) >= 0x80;
        text += wide && detail.starts_with(' ') ? detail.substr(1) : detail;
    }
    return text;
}

} // namespace

CalcError::CalcError(ErrorKind kind, std::string subject, std::string detail)
    : CalcError(kind, std::move(subject), std::move(detail), {}) {}

CalcError::CalcError(ErrorKind kind, std::string subject, std::string detail, std::string cause,
                     bool refusal)
    : std::runtime_error(refusal ? detail : Compose(kind, subject, detail, cause)), kind_(kind),
      subject_(std::move(subject)), detail_(std::move(detail)), cause_(std::move(cause)),
      refusal_(refusal) {}

CalcError CalcError::Refusal(ErrorKind kind, std::string subject, std::string sentence) {
    return CalcError(kind, std::move(subject), std::move(sentence), {}, true);
}

std::string CalcError::message() const {
    return what();
}

std::string CalcError::sentence() const {
    if (refusal_ || !IsStepFault(kind_, subject_, detail_))
        return message();
    return subject_ + std::string(Happened(kind_)) + "。" + CauseClause(cause_);
}

namespace {
const char* CauseOf(ErrorKind kind, const StepCauses& causes) {
    switch (kind) {
    case ErrorKind::DivisionByZero:
    case ErrorKind::InvalidOperation:
        return causes.zeroDivisor;
    case ErrorKind::InvalidArgument:
        return causes.negativeRoot;
    default:
        return causes.outOfRange;
    }
}
} // namespace

CalcError CalcError::withStep(std::string step, const StepCauses& causes) const {
    if (!subject_.empty())
        return *this;
    const char* cause = CauseOf(kind_, causes);
    return CalcError(kind_, std::move(step), detail_, cause ? cause : AnyStepCause(kind_));
}

CalcError CalcError::withCauses(const StepCauses& causes) const {
    const char* cause = IsArithmetic(kind_) && !refusal_ ? CauseOf(kind_, causes) : nullptr;
    return cause ? CalcError(kind_, subject_, detail_, cause) : *this;
}

// "槽宽 B 的试算在规定次数内未达到精度要求，…", with "（未收敛）" where the
// kind does not lead the message.
static std::string NotConvergedSentence(const std::string& sought, const std::string& hint,
                                        bool named) {
    return sought + " 的试算在规定次数内未达到精度要求" + (named ? "（未收敛）" : "") +
           "，没有计算成果。" + hint;
}

NotConverged::NotConverged(std::string sought, std::string hint)
    : std::runtime_error("未收敛：" + NotConvergedSentence(sought, hint, false)),
      sought_(std::move(sought)), hint_(std::move(hint)) {}

std::string NotConverged::message() const {
    return what();
}

std::string NotConverged::sentence() const {
    return NotConvergedSentence(sought_, hint_, true);
}

} // namespace hydraulics
