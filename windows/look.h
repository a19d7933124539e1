// SPDX-License-Identifier: GPL-3.0-or-later
// The look the windows share: twips to pixels, colours and the design
// faces by point size. Text from the layout tables and the engine is
// UTF-8: drawing::Utf8() turns it into a QString.
#pragma once

#include "drawing/chinesefonts.h"
#include "drawing/drawingstyle.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QRect>
#include <QStringList>
#include <optional>
#include <string>

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

// A note about results (indicative only, not recalculated): dark amber on
// light amber.
inline constexpr Rgb kAmberGround{255, 236, 179};
inline constexpr Rgb kAmberInk{130, 75, 0};
// A message about an input that was refused: dark red.
inline constexpr Rgb kRefusalInk{190, 0, 0};

// Writes `label`'s text in `ink`, or where none in its window's ink, on
// `ground` where one is given. By its palette, not a style sheet: the
// label keeps its face.
inline void SetInk(QLabel& label, std::optional<Rgb> ink, std::optional<Rgb> ground = {}) {
    QPalette palette = label.palette();
    const QWidget* window = label.parentWidget();
    palette.setColor(QPalette::WindowText,
                     ink      ? ColourOf(*ink)
                     : window ? window->palette().color(QPalette::WindowText)
                              : QGuiApplication::palette().color(QPalette::WindowText));
    if (ground) {
        label.setAutoFillBackground(true);
        palette.setColor(QPalette::Window, ColourOf(*ground));
    }
    label.setPalette(palette);
}

// `message` (CalcError::message(), a clause) as a whole sentence.
inline QString Sentence(const std::string& message) {
    QString text = QString::fromStdString(message);
    if (!text.endsWith(u'。'))
        text += u'。';
    return text;
}

// A design face at a size in points. The windows draw 宋体 in Noto Serif
// CJK SC and 黑体 in Noto Sans CJK SC, whose strokes stay solid at 9 to
// 14 pt where AR PL UMing's hairlines turn grey; where those are missing,
// the face installed for the design name (drawing::InstallChineseFonts())
// at the same size. No free Li face exists: 隶书 keeps its Kai face. (The
// section drawing and the reports keep the TrueType faces, whose glyphs a
// PDF maps back to their characters.)
inline QFont PointFace(ChineseFace face, qreal pointSize) {
    QStringList families{drawing::FaceName(face)};
    if (face == ChineseFace::SongTi)
        families.prepend(QStringLiteral("Noto Serif CJK SC"));
    else if (face == ChineseFace::HeiTi)
        families.prepend(QStringLiteral("Noto Sans CJK SC"));
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    return font;
}

// The system's interface font that the case windows without 宋体 were
// designed in, a Chinese sans face at the application's size: Noto Sans
// CJK SC, or the application's own font where it is missing. Its Latin
// letters and digits are narrower than those of the usual Latin interface
// face, so the notes and headers keep within their boxes as designed.
inline QFont InterfaceFont() {
    QFont font = QGuiApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), font.family()});
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
