// SPDX-License-Identifier: GPL-3.0-or-later
// The HEADER and TABLES sections of the drawings' DXF files: variables,
// view, line types, layers, text styles, dimension style and block
// records. Only drawing/dxf*.cpp include this header (dxflib inside).
#pragma once

#include "drawing/dxfsheet.h"
#include "drawing/dxfwriter.h"

#include <string>
#include <vector>

namespace drawing {

// The text style every text and dimension uses.
inline constexpr const char* kDxfTextStyle = "SONGTI";

// The layer's name and the line type its entities follow (BYLAYER).
struct DxfLayerLook {
    DxfLayer layer;
    const char* name;
    int colour;           // AutoCAD colour index
    const char* linetype; // of the LTYPE table
    int weight;           // line weight, 1/100 mm
};
const DxfLayerLook& LookOf(DxfLayer layer);

// What the header and the tables need to know of the sheet.
struct DxfSheetFacts {
    std::pair<DxfPoint, DxfPoint> extents;
    double dimensionScale = 1;
    std::vector<std::string> blocks; // the dimensions' geometry blocks
};

// HEADER: version, code page, units, extents, the current style and layer,
// and the dimension style's variables.
void WriteHeader(DL_Dxf& dxf, MemoryDxfWriter& dw, const DxfSheetFacts& facts);

// TABLES: the view on the extents, line types, layers, text styles, the
// dimension style, application ids, and a block record for each block.
void WriteTables(DL_Dxf& dxf, MemoryDxfWriter& dw, const DxfSheetFacts& facts);

} // namespace drawing
