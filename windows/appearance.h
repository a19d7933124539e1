// SPDX-License-Identifier: GPL-3.0-or-later
// What the program installs for its windows: the free faces that stand in
// for the Chinese design faces, and Qt's own Chinese texts. The faces
// themselves, by point size, are in look.h.
#pragma once

#include "drawing/chinesefonts.h" // InstallChineseFonts()
#include "windows/look.h"         // SongTi(), LiShu()

class QCoreApplication;

namespace windows {

// Installs Qt's Simplified Chinese translation, so that standard buttons
// read "确定" and "取消". Returns false when the translation is not found.
bool InstallChineseTranslations(QCoreApplication& app);

} // namespace windows
