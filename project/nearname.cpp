// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/nearname.h"

#include "project/projectfile.h"
#include "project/savedfile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <exception>

namespace project {

std::optional<std::string> NearProjectName(const std::string& projectName) {
    QFileInfo wanted;
    try {
        wanted = QFileInfo(LocalPath(ProjectFileName(projectName)));
    } catch (const std::exception&) {
        return std::nullopt; // a name no file can have
    }
    if (wanted.exists())
        return std::nullopt;
    // The project's own part of the name: a folder typed before it stays.
    const QString typed = QString::fromStdString(projectName);
    const qsizetype slash = typed.lastIndexOf(u'/');
    const QString folderPart = typed.left(slash + 1);
    const QString base = typed.mid(slash + 1).trimmed();
    const QString suffix = QString::fromStdString(ProjectFileName({}));
    const QStringList files = wanted.absoluteDir().entryList(
        {QLatin1Char('*') + suffix}, QDir::Files | QDir::CaseSensitive, QDir::Name);
    for (const QString& file : files) {
        const QString stem = file.chopped(suffix.size());
        if (stem.trimmed() == base && folderPart + stem != typed)
            return (folderPart + stem).toStdString();
    }
    return std::nullopt;
}

} // namespace project
