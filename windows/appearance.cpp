// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/appearance.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace windows {

bool InstallChineseTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace windows
