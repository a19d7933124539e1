// The look shared by the windows: the Chinese faces they are designed in,
// with the free faces that stand in for them, and Qt's own Chinese texts.
#pragma once

#include "drawing/chinesefonts.h" // InstallChineseFonts()

#include <QFont>

class QCoreApplication;

namespace windows {

// Installs Qt's Simplified Chinese translation, so that standard buttons
// read "确定" and "取消". Returns false when the translation is not found.
bool InstallChineseTranslations(QCoreApplication& app);

// The design faces by point size.
QFont SongTi(qreal pointSize, bool italic = false); // 宋体
QFont LiShu(qreal pointSize);                       // 隶书

} // namespace windows
