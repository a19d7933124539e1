// The look the windows share: twips to pixels, colours and the design
// faces by point size. Text from the layout tables and the engine is
// UTF-8: drawing::Utf8() turns it into a QString.
#pragma once

#include "drawing/chinesefonts.h"
#include "drawing/drawingstyle.h"

#include <QColor>
#include <QFont>
#include <QRect>

namespace windows {

using drawing::ChineseFace;
using drawing::Utf8;

// The windows are laid out in twips, 1/1440 inch; at 96 dots per inch 15
// twips make one pixel. Every place and size in the layouts is a whole
// number of pixels, so truncating and rounding agree; Px() truncates.
constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) {
    return twips / kTwipsPerPixel;
}

inline QRect TwipRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

struct Rgb {
    int red, green, blue;
};

inline QColor ColourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// A design face at a size in points; the installed face that stands in
// for it keeps the size (drawing::InstallChineseFonts()).
inline QFont PointFace(ChineseFace face, qreal pointSize) {
    QFont font(drawing::FaceName(face));
    font.setPointSizeF(pointSize);
    return font;
}

// 宋体, upright or italic: either way it sets the style, so that a 宋体
// label never takes the slant of the window's font.
inline QFont SongTi(qreal pointSize, bool italic = false) {
    QFont font = PointFace(ChineseFace::SongTi, pointSize);
    font.setItalic(italic);
    return font;
}
inline QFont HeiTi(qreal pointSize) { // 黑体
    return PointFace(ChineseFace::HeiTi, pointSize);
}
inline QFont LiShu(qreal pointSize) { // 隶书
    return PointFace(ChineseFace::LiShu, pointSize);
}

} // namespace windows
