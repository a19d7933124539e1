#include "appearance.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace {

const QString kSongTi = QStringLiteral("宋体");
const QString kHeiTi = QStringLiteral("黑体");
const QString kLiShu = QStringLiteral("隶书");

} // namespace

void InstallChineseFonts() {
    const struct {
        QString design;
        QString latinName;
        QString stand;
    } faces[] = {
        {kSongTi, QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")},
        {kHeiTi, QStringLiteral("SimHei"), QStringLiteral("WenQuanYi Zen Hei")},
        {kLiShu, QStringLiteral("LiSu"), QStringLiteral("AR PL UKai CN")},
    };
    for (const auto& face : faces) {
        QFont::insertSubstitution(face.design, face.stand);
        QFont::insertSubstitution(face.latinName, face.stand);
    }
}

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
