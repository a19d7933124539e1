// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/savedfile.h"

#include "hydraulics/errors.h"

#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace project {

using hydraulics::CalcError;
using hydraulics::ErrorKind;

QString LocalPath(const std::string& fileName) {
    if (fileName.find('\0') != std::string::npos)
        throw CalcError(ErrorKind::FileAccess, fileName, " 无法使用：文件名中含有空字符");
    return QString::fromUtf8(fileName);
}

namespace {

// The system's reason for errno `code` in Chinese (its own text is English).
std::string ChineseReason(int code) {
    switch (code) {
    case EACCES:
    case EPERM:
        return "没有权限";
    case ENOENT:
    case ENOTDIR:
        return "文件夹不存在";
    case ENOSPC:
        return "磁盘空间已满";
    case EROFS:
        return "磁盘是只读的";
    case EISDIR:
        return "同名的文件夹已存在";
    case ENAMETOOLONG:
        return "文件名太长";
    case EIO:
        return "读写设备出错";
    default:
        return code == 0 ? std::string() : "系统错误代码 " + std::to_string(code);
    }
}

} // namespace

std::string SystemReason(const QFileDevice& file) {
    const int code = errno; // still the failed call's: nothing since has set it
    if (file.error() == QFileDevice::NoError)
        return {};
    const std::string reason = ChineseReason(code);
    return reason.empty() ? std::string() : "（" + reason + "）";
}

void SaveAtomically(const std::string& fileName, std::string_view data) {
    // Unbuffered: Qt 6.4's commit() flushes its write buffer but ignores a
    // failure of that flush (a full device, say) and would then replace the
    // old file with a cut-off one; written unbuffered, every failing write
    // is seen here, before commit. The data are also synced here, as
    // commit() does not act on a failed sync either.
    QSaveFile file(LocalPath(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw CalcError(ErrorKind::FileAccess, fileName, " 无法创建" + SystemReason(file));
    const auto size = static_cast<qint64>(data.size());
    std::string failure;
    if (file.write(data.data(), size) != size || file.error() != QFileDevice::NoError)
        failure = " 无法写入" + SystemReason(file);
#ifdef Q_OS_UNIX
    else if (::fsync(file.handle()) != 0)
        failure = " 无法写入（" + ChineseReason(errno) + "）";
#endif
    if (!failure.empty()) {
        file.cancelWriting();
        throw CalcError(ErrorKind::FileAccess, fileName, failure);
    }
    // All written; what is left is giving the file its name.
    if (!file.commit())
        throw CalcError(ErrorKind::FileAccess, fileName, " 无法创建" + SystemReason(file));
}

bool HasExtension(std::string_view fileName, std::string_view extension) {
    if (fileName.size() <= extension.size() ||
        fileName[fileName.size() - extension.size() - 1] == '/')
        return false;
    const std::string_view tail = fileName.substr(fileName.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace project
