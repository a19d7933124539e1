// SPDX-License-Identifier: GPL-3.0-or-later
// The CAD drawings of a design as one DXF file (AutoCAD R2000, the version
// every CAD program reads), written with dxflib: the cross-section and,
// beside it, the longitudinal profile of the flume in its canals.
//
// The file: units millimetres ($INSUNITS 4), text in GBK ($DWGCODEPAGE
// ANSI_936); layers 槽身轮廓, 水面, 加大水面 (dashed), 临界水深, 尺寸标注,
// 文字 and 中心线, each with its colour, line type and weight; the text
// style SONGTI on the TrueType face SimSun (see drawing/dxftables.cpp for
// how CAD programs find it); DIMENSION entities with their geometry blocks
// in the dimension style Standard; the view set on the drawing.
#pragma once

#include "drawing/dxfprofile.h"
#include "drawing/dxfsection.h"
#include "hydraulics/design.h"

#include <optional>
#include <string>

namespace drawing {

struct DxfDrawing {
    std::optional<DxfSection> section;
    std::optional<DxfProfile> profile; // right of the section
};

// The drawings of a design: the adopted section where one is formed (B,
// H and h as it will be built, its h加 and critical depth), else the
// calculated one, titled with the project and the case; with canal data
// the design's profile beside it, heights `exaggeration` times larger.
DxfDrawing DesignDrawing(const hydraulics::Design& design, const std::string& projectName,
                         double exaggeration = kDefaultExaggeration);

// The DXF file of `drawing`, to be saved as it is. Throws
// std::invalid_argument (a Chinese message) when there is nothing to draw
// or the section's sizes are not positive numbers.
std::string DxfFileText(const DxfDrawing& drawing);

} // namespace drawing
