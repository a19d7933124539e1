// SPDX-License-Identifier: GPL-3.0-or-later
// The Chinese design faces and the installed faces that stand in for them.
//
// QtGui only, so that the command line can draw with the same faces as the
// windows without linking Qt Widgets.
#pragma once

#include <QString>

namespace drawing {

// The faces the windows and the drawing are designed in.
enum class ChineseFace { SongTi, HeiTi, LiShu };

// The design name of a face: 宋体, 黑体 or 隶书.
QString FaceName(ChineseFace face);

// Maps the design faces to installed ones: 宋体 (SimSun) to AR PL UMing CN,
// 黑体 (SimHei) to WenQuanYi Zen Hei and 隶书 (LiSu) to AR PL UKai CN. Call
// once after the application object exists.
void InstallChineseFonts();

} // namespace drawing
