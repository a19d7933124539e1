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

static std::string Compose(ErrorKind kind, const std::string& subject, const std::string& detail) {
    std::string text(ErrorKindName(kind));
    if (!subject.empty() || !detail.empty()) {
        text += "：";
        text += subject;
        // "流量 Q 不是…" but "流量 Q（Text1）不是…": no blank after a full-width character.
        const bool wide = !subject.empty() && static_cast<unsigned char>(subject.back()) >= 0x80;
        text += wide && detail.starts_with(' ') ? detail.substr(1) : detail;
    }
    return text;
}

CalcError::CalcError(ErrorKind kind, std::string subject, std::string detail)
    : std::runtime_error(Compose(kind, subject, detail)), kind_(kind), subject_(std::move(subject)),
      detail_(std::move(detail)) {}

std::string CalcError::message() const {
    return what();
}

CalcError CalcError::withSubject(std::string subject) const {
    if (!subject_.empty())
        return *this;
    return CalcError(kind_, std::move(subject), detail_);
}

static std::string ComposeNotConverged(const std::string& sought, const std::string& hint) {
    std::string text = "未收敛：" + sought + "的试算在规定次数内未达到精度要求，没有计算成果。";
    text += hint;
    return text;
}

NotConverged::NotConverged(std::string sought, std::string hint)
    : std::runtime_error(ComposeNotConverged(sought, hint)), sought_(std::move(sought)),
      hint_(std::move(hint)) {}

std::string NotConverged::message() const {
    return what();
}

} // namespace hydraulics
