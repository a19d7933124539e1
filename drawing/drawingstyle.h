// SPDX-License-Identifier: GPL-3.0-or-later
// Faces, colours and small helpers shared by the parts of the section
// drawing; Utf8() serves the windows as well. Sizes are in canvas units
// (pixels at 96 dpi).
#pragma once

#include "drawing/chinesefonts.h"
#include "hydraulics/checkrow.h"

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

namespace drawing {

// A design face at a pixel size, named by the installed family that stands
// for it (AR PL UMing CN for 宋体 where SimSun is missing), so that an SVG
// names a face its viewer can find and lays the text out as drawn here.
inline QFont DesignFace(const QString& design, int pixels, bool italic = false) {
    QFont font(design);
    font.setPixelSize(pixels);
    font.setItalic(italic);
    const QString installed = QFontInfo(font).family();
    if (!installed.isEmpty())
        font.setFamily(installed);
    return font;
}

inline QFont SongTiPx(int pixels, bool italic = false) {
    return DesignFace(FaceName(ChineseFace::SongTi), pixels, italic);
}

inline QFont HeiTiPx(int pixels) {
    return DesignFace(FaceName(ChineseFace::HeiTi), pixels);
}

// `font` with the faces `latin` tried first for each character (a report
// sets its figures' Latin labels in its own text face); unchanged for none.
inline QFont WithLatin(QFont font, const QStringList& latin) {
    if (latin.isEmpty())
        return font;
    font.setFamilies(latin + QStringList{font.family()});
    // Widths measured as a printed page sets them, not as a screen hints them.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Text of the engine and of the layout tables, which is UTF-8, for Qt; the
// windows use it too.
inline QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Three decimals, "—" where the figure is not formed.
QString Fixed3(const std::optional<double>& value);

inline const QColor kInk{0, 0, 0};
inline const QColor kConcrete{205, 205, 205};
inline const QColor kWater{150, 200, 245};
inline const QColor kSurface{0, 70, 170};
inline const QColor kCritical{200, 30, 30};
inline const QColor kGuide{120, 120, 120};
inline const QColor kNote{70, 70, 70};
inline const QColor kGrid{225, 225, 225};
inline const QColor kCurve{0, 90, 190};
inline const QColor kSemicircleTop{0, 140, 70};
// The ground of a design check not met, in the section drawing and the
// report alike.
inline const QColor kUnmetGround{255, 222, 222};
// The ground of a note (提示), and of a candidate that meets every check.
inline const QColor kNotedGround{255, 243, 205};
inline const QColor kMetGround{222, 245, 226};

// The ground a check's row stands on: light red for a rule not met, amber
// for a recommendation not met (宜调整) and for a note; none otherwise.
inline QColor VerdictGround(const hydraulics::CheckRow& row) {
    if (hydraulics::Fails(row))
        return kUnmetGround;
    if (row.label.empty() && (!hydraulics::Meets(row) || row.verdict == hydraulics::Verdict::Note))
        return row.verdict == hydraulics::Verdict::Unknown ? QColor() : kNotedGround;
    return {};
}

} // namespace drawing
