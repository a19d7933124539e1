#include "drawing/chinesefonts.h"

#include <QFont>
#include <QString>

namespace drawing {

void InstallChineseFonts() {
    const struct {
        QString design;
        QString latinName;
        QString stand;
    } faces[] = {
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")},
        {QStringLiteral("黑体"), QStringLiteral("SimHei"), QStringLiteral("WenQuanYi Zen Hei")},
        {QStringLiteral("隶书"), QStringLiteral("LiSu"), QStringLiteral("AR PL UKai CN")},
    };
    for (const auto& face : faces) {
        QFont::insertSubstitution(face.design, face.stand);
        QFont::insertSubstitution(face.latinName, face.stand);
    }
}

} // namespace drawing
