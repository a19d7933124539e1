// SPDX-License-Identifier: GPL-3.0-or-later
// Form1, the main window, as data: every control with its kind, object
// name, caption, place in twips, face and colours, in the order the
// controls are made.
//
// Plain data, like the case windows' layouts (caselayout.h): positions and
// sizes are in twips from the top left corner of the client area.
#pragma once

#include "windows/look.h" // Rgb, ChineseFace

#include <optional>
#include <span>
#include <string_view>

namespace windows {

enum class ControlKind {
    Label,         // plain text from the top left, no margin
    WrappedLabel,  // two lines, one em apart (WrappedLabel)
    CheckBox,      // one of the independent case boxes
    Line,          // a rule 2 pixels wide in the window's text colour
    OptionButton,  // one of the exclusive project options
    TextBox,       // the caption is the box's first contents
    CommandButton, // never the default button
};

// A design face at a size in points; no size keeps the window's font.
struct FontSpec {
    ChineseFace face = ChineseFace::SongTi;
    double points = 0;
};

// The caption's colour, where it is not the palette's: fixed, or the
// palette's highlighted text (Option1).
enum class TextColour { Palette, Fixed, HighlightedText };
struct CaptionColour {
    TextColour kind = TextColour::Palette;
    Rgb rgb{0, 0, 0}; // TextColour::Fixed
};

struct ControlSpec {
    ControlKind kind;
    std::string_view name;
    std::string_view caption;
    // Left, top, width and height; for a Line its ends x1, y1, x2, y2,
    // horizontal or vertical, the rule centred on them.
    int left, top, width, height;
    FontSpec font = {};
    std::optional<Rgb> back = std::nullopt; // filled background
    CaptionColour text = {};
    bool centred = false; // a label's caption centred across its width
};

struct MainLayout {
    std::string_view name;         // object name and title
    int clientWidth, clientHeight; // twips; the window keeps this size
    FontSpec font;                 // the window's font, which the controls inherit
    Rgb back;
    std::span<const ControlSpec> controls;
    std::span<const std::string_view> tabOrder; // the first has the focus
};

const MainLayout& Form1Layout();

} // namespace windows
