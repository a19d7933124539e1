#include "drawing/chinesefonts.h"

#include <QFont>
#include <QStringList>

namespace drawing {

QString FaceName(ChineseFace face) {
    switch (face) {
    case ChineseFace::SongTi:
        return QStringLiteral("宋体");
    case ChineseFace::HeiTi:
        return QStringLiteral("黑体");
    case ChineseFace::LiShu:
        return QStringLiteral("隶书");
    }
    return QString();
}

void InstallChineseFonts() {
    // The first installed face of each list stands in: Noto Serif CJK SC and
    // Noto Sans CJK SC draw solid strokes at the windows' 9 to 14 pt, where
    // AR PL UMing's hairlines turn grey; no free Li face exists, so 隶书
    // keeps a Kai face. The AR PL and WenQuanYi faces serve where the Noto
    // faces are not installed.
    const struct {
        QString design;
        QString latinName;
        QStringList stand;
    } faces[] = {
        {FaceName(ChineseFace::SongTi),
         QStringLiteral("SimSun"),
         {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")}},
        {FaceName(ChineseFace::HeiTi),
         QStringLiteral("SimHei"),
         {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")}},
        {FaceName(ChineseFace::LiShu), QStringLiteral("LiSu"), {QStringLiteral("AR PL UKai CN")}},
    };
    for (const auto& face : faces) {
        QFont::insertSubstitutions(face.design, face.stand);
        QFont::insertSubstitutions(face.latinName, face.stand);
    }
}

} // namespace drawing
