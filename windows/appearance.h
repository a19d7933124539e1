// The look shared by the windows: the Chinese faces they are designed in,
// with the free faces that stand in for them, and Qt's own Chinese texts.
#pragma once

#include <QFont>

class QCoreApplication;

// Maps the design faces to installed ones: 宋体 (SimSun) to AR PL UMing CN,
// 黑体 (SimHei) to WenQuanYi Zen Hei and 隶书 (LiSu) to AR PL UKai CN. Call
// once after the application object exists.
void InstallChineseFonts();

// Installs Qt's Simplified Chinese translation, so that standard buttons
// read "确定" and "取消". Returns false when the translation is not found.
bool InstallChineseTranslations(QCoreApplication& app);

// The design faces by point size.
QFont SongTi(qreal pointSize, bool italic = false); // 宋体
QFont LiShu(qreal pointSize);                       // 隶书
