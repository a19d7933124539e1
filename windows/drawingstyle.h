// Faces, colours and small helpers shared by the parts of the section
// drawing. Sizes are in canvas units (pixels at 96 dpi).
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <string_view>

namespace windows::drawing {

inline QFont SongTiPx(int pixels, bool italic = false) {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(pixels);
    font.setItalic(italic);
    return font;
}

inline QFont HeiTiPx(int pixels) {
    QFont font(QStringLiteral("黑体"));
    font.setPixelSize(pixels);
    return font;
}

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
inline const QColor kGrid{225, 225, 225};
inline const QColor kCurve{0, 90, 190};
inline const QColor kSemicircleTop{0, 140, 70};

} // namespace windows::drawing
