// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectfile.h"

#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "project/savedfile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cmath>
#include <string_view>

namespace project {
namespace {

using hydraulics::CalcError;
using hydraulics::ErrorKind;

// A project file is one short line; nothing beyond this much is read, so a
// huge file named like a project costs no more than a small one.
constexpr qint64 kReadLimit = 64 * 1024;

std::string Position(int k) {
    return " 第 " + std::to_string(k) + " 个数";
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The eight numbers of a project file's text. A field runs from the end of
// the previous separator to the next comma or line end; a separator is one
// comma or any run of line ends (CR LF, LF or CR, blank lines included), so
// the numbers may also stand one to a line. Blanks around a number are
// allowed. `complete` is false when `data` was cut at the read limit.
ProjectValues ParseRecord(std::string_view data, bool complete, const std::string& fileName) {
    if (data.substr(0, 3) == "\xEF\xBB\xBF") // byte-order mark of an editor's UTF-8
        data.remove_prefix(3);
    ProjectValues values{};
    std::size_t at = 0;
    bool afterComma = false;
    for (int k = 1; k <= 8; ++k) {
        while (at < data.size() && (IsBlank(data[at]) || (!afterComma && IsLineEnd(data[at]))))
            ++at;
        if (at == data.size()) {
            if (!complete)
                throw CalcError(ErrorKind::TypeMismatch, fileName,
                                Position(k) + "不是有效的数字（文件过长）");
            throw CalcError(ErrorKind::PastEndOfFile, fileName,
                            " 只有 " + std::to_string(k - 1) + " 个数，应有 8 个");
        }
        std::size_t end = at;
        while (end < data.size() && data[end] != ',' && !IsLineEnd(data[end]))
            ++end;
        if (end == data.size() && !complete)
            throw CalcError(ErrorKind::TypeMismatch, fileName,
                            Position(k) + "不是有效的数字（过长）");
        try {
            values[k - 1] = hydraulics::ParseSingle(data.substr(at, end - at), {});
        } catch (const CalcError& e) {
            const std::string what =
                e.kind() == ErrorKind::Overflow ? "超出单精度数的范围" : "不是有效的数字";
            throw CalcError(e.kind(), fileName, Position(k) + what);
        }
        afterComma = end < data.size() && data[end] == ',';
        at = afterComma ? end + 1 : end;
    }
    return values;
}

} // namespace

std::string ProjectFileName(const std::string& projectName) {
    return projectName + "us.dat";
}

void WriteProjectFile(const std::string& projectName, const ProjectValues& values) {
    const std::string fileName = ProjectFileName(projectName);

    std::string line;
    for (int k = 1; k <= 8; ++k) {
        const float value = values[k - 1];
        if (!std::isfinite(value))
            throw CalcError(ErrorKind::FileAccess, fileName,
                            " 无法写入：" + Position(k).substr(1) + "不是有限的数值");
        if (k > 1)
            line += ',';
        line += hydraulics::FormatSingleExact(value);
    }
    line += "\r\n";
    // The file must read back to the values written. A number written in a
    // form the reader refuses (a decimal comma from the C library's numeric
    // locale, say) is caught here, before the old file is replaced.
    bool readsBack = false;
    try {
        const ProjectValues back = ParseRecord(line, true, fileName);
        readsBack = true;
        for (int k = 0; k < 8; ++k)
            readsBack = readsBack && back[k] == values[k];
    } catch (const CalcError&) {
    }
    if (!readsBack)
        throw CalcError(ErrorKind::FileAccess, fileName,
                        " 无法写入：数值的文字形式无法读回（" + line.substr(0, line.size() - 2) +
                            "）");

    // Atomically: a failure at any step leaves the old file whole.
    SaveAtomically(fileName, line);
}

ProjectValues ReadProjectFile(const std::string& projectName) {
    const std::string fileName = ProjectFileName(projectName);
    QFile file(LocalPath(fileName));
    // Only a regular file (or a link to one) is a project file: opening a
    // named pipe would wait for a writer for ever, a device never ends.
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        throw CalcError(ErrorKind::FileAccess, fileName, " 无法读取（不是普通文件）");
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(file.fileName()))
            throw CalcError(ErrorKind::FileNotFound, fileName,
                            " 不存在（查找位置：" +
                                QFileInfo(file.fileName()).absoluteFilePath().toStdString() + "）");
        throw CalcError(ErrorKind::FileAccess, fileName, " 无法读取" + SystemReason(file));
    }
    const QByteArray data = file.read(kReadLimit);
    if (file.error() != QFileDevice::NoError)
        throw CalcError(ErrorKind::FileAccess, fileName, " 无法读取" + SystemReason(file));
    // Regular files report their end; anything else counts as cut off once
    // the limit is filled.
    const bool complete = data.size() < kReadLimit || file.atEnd();
    file.close();
    return ParseRecord(std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                       complete, fileName);
}

} // namespace project
