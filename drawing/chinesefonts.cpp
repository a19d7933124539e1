// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/chinesefonts.h"

#include <QFont>

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
    const struct {
        QString design;
        QString latinName;
        QString stand;
    } faces[] = {
        {FaceName(ChineseFace::SongTi), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")},
        {FaceName(ChineseFace::HeiTi), QStringLiteral("SimHei"),
         QStringLiteral("WenQuanYi Zen Hei")},
        {FaceName(ChineseFace::LiShu), QStringLiteral("LiSu"), QStringLiteral("AR PL UKai CN")},
    };
    for (const auto& face : faces) {
        QFont::insertSubstitution(face.design, face.stand);
        QFont::insertSubstitution(face.latinName, face.stand);
    }
}

} // namespace drawing
