#include "windows/appearance.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace windows {

namespace {

const QString kSongTi = QStringLiteral("宋体");
const QString kLiShu = QStringLiteral("隶书");

} // namespace

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

QFont SongTi(qreal pointSize, bool italic) {
    QFont font(kSongTi);
    font.setPointSizeF(pointSize);
    font.setItalic(italic);
    return font;
}

QFont LiShu(qreal pointSize) {
    QFont font(kLiShu);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace windows
