// SPDX-License-Identifier: GPL-3.0-or-later
// dxflib writes the line types, layers, application ids and block records;
// it writes the view, the text styles (without a TrueType file for R2000)
// and the dimension style (with a comma as decimal separator and two
// decimals) only as fixed stand-ins, so those three are written here with
// its group writer.
#include "drawing/dxftables.h"

#include <algorithm>
#include <array>

namespace drawing {
namespace {

// Handles: dxflib gives the tables and the standard records fixed handles
// below 0x30 and numbers the rest from 0x30; the text style's is fixed
// here so that the dimension style can name it.
constexpr int kTextStyleHandle = 0x2B;
constexpr int kStandardStyleHandle = 0x2C;
constexpr int kDimStyleHandle = 0x27;

constexpr std::array<DxfLayerLook, 7> kLayers = {{
    {DxfLayer::Outline, "槽身轮廓", 7, "CONTINUOUS", 50},
    {DxfLayer::Water, "水面", 5, "CONTINUOUS", 25},
    {DxfLayer::IncreasedWater, "加大水面", 6, "DASHED", 25},
    {DxfLayer::Critical, "临界水深", 1, "HIDDEN", 18},
    {DxfLayer::Dimension, "尺寸标注", 3, "CONTINUOUS", 18},
    {DxfLayer::Text, "文字", 7, "CONTINUOUS", 25},
    {DxfLayer::Centre, "中心线", 8, "CENTER", 18},
}};

// Line type patterns in paper millimetres (those of acadiso.lin); an
// entity's line type scale is its part's 1:N.
double kDashed[] = {12.7, -6.35};
double kHidden[] = {6.35, -3.175};
double kCentre[] = {31.75, -6.35, 6.35, -6.35};

void WriteLinetypes(DL_Dxf& dxf, MemoryDxfWriter& dw) {
    dw.tableLinetypes(6);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("DASHED", "Dashed __ __ __", 0, 2, 19.05, kDashed));
    dxf.writeLinetype(dw, DL_LinetypeData("HIDDEN", "Hidden _ _ _ _", 0, 2, 9.525, kHidden));
    dxf.writeLinetype(dw, DL_LinetypeData("CENTER", "Center ____ _ ____", 0, 4, 50.8, kCentre));
    dw.tableEnd();
}

void WriteLayers(DL_Dxf& dxf, MemoryDxfWriter& dw) {
    dw.tableLayers(int(kLayers.size()) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, -3, "CONTINUOUS", 1.0));
    for (const DxfLayerLook& look : kLayers)
        dxf.writeLayer(dw, DL_LayerData(look.name, 0),
                       DL_Attributes("", look.colour, look.weight, look.linetype, 1.0));
    dw.tableEnd();
}

// The view CAD opens on: the whole drawing with a margin.
void WriteView(MemoryDxfWriter& dw, const std::pair<DxfPoint, DxfPoint>& e) {
    const double width = std::max(e.second.x - e.first.x, 1.0);
    const double height = std::max(e.second.y - e.first.y, 1.0);
    dw.table("VPORT", 1, 0x8);
    dw.dxfString(0, "VPORT");
    dw.handle();
    dw.dxfString(100, "AcDbSymbolTableRecord");
    dw.dxfString(100, "AcDbViewportTableRecord");
    dw.dxfString(2, "*Active");
    dw.dxfInt(70, 0);
    dw.coord(10, 0, 0);
    dw.coord(11, 1, 1);
    dw.coord(12, (e.first.x + e.second.x) / 2, (e.first.y + e.second.y) / 2);
    dw.coord(13, 0, 0);
    dw.coord(14, 10, 10);
    dw.coord(15, 10, 10);
    dw.coord(16, 0, 0, 1); // view direction
    dw.coord(17, 0, 0);
    const double aspect = 1.5; // a landscape window
    dw.dxfReal(40, 1.1 * std::max(height, width / aspect));
    dw.dxfReal(41, aspect);
    dw.dxfReal(42, 50.0);
    for (int code : {43, 44, 50, 51})
        dw.dxfReal(code, 0.0);
    for (auto [code, value] : {std::pair{71, 0},
                               {72, 100},
                               {73, 1},
                               {74, 3},
                               {75, 0},
                               {76, 0},
                               {77, 0},
                               {78, 0},
                               {281, 0},
                               {65, 1}})
        dw.dxfInt(code, value);
    dw.coord(110, 0, 0);
    dw.coord(111, 1, 0);
    dw.coord(112, 0, 1);
    dw.dxfInt(79, 0);
    dw.dxfReal(146, 0.0);
    dw.tableEnd();
}

// A text style record; `family` the TrueType face's name, for the
// extended data AutoCAD 2000 and later find the face by.
void WriteStyle(MemoryDxfWriter& dw, int handle, const char* name, const char* file,
                const char* family) {
    dw.dxfString(0, "STYLE");
    dw.dxfHex(5, handle);
    dw.dxfString(100, "AcDbSymbolTableRecord");
    dw.dxfString(100, "AcDbTextStyleTableRecord");
    dw.dxfString(2, name);
    dw.dxfInt(70, 0);
    dw.dxfReal(40, 0.0); // no fixed height: each text gives its own
    dw.dxfReal(41, 1.0);
    dw.dxfReal(50, 0.0);
    dw.dxfInt(71, 0);
    dw.dxfReal(42, 3.5);
    dw.dxfString(3, file);
    dw.dxfString(4, "");
    if (family) {
        dw.dxfString(1001, "ACAD");
        dw.dxfString(1000, family);
        dw.dxfInt(1071, 0); // regular, neither bold nor italic
    }
}

// The text style of every text: SimSun (宋体), the Song face of Chinese
// drawings. How CAD programs find it: AutoCAD 2000 and later take the
// TrueType face by the family name of the style's extended data
// ("SimSun") and the file name of group 3 ("simsun.ttc", as Windows ships
// it since XP); where the face is not installed they substitute the font
// their font map (acad.fmp, FONTMAP) names for it, else the alternate font
// FONTALT, so that the text shows in another face rather than not at all.
// BricsCAD, ZWCAD and GstarCAD map it the same way through their own font
// maps (their Chinese editions ship SimSun or a stand-in). LibreCAD draws
// no TrueType: it looks for a font of its own by the file's base name and
// falls back to its default font, taking the Chinese characters from its
// Unicode font. Standard, AutoCAD's default style, stays on txt.
void WriteStyles(MemoryDxfWriter& dw) {
    dw.tableStyle(2);
    WriteStyle(dw, kStandardStyleHandle, "Standard", "txt", nullptr);
    WriteStyle(dw, kTextStyleHandle, kDxfTextStyle, "simsun.ttc", "SimSun");
    dw.tableEnd();
}

// A dimension variable: its header name, its group code in the
// dimension style, its value; whole numbers are written as such.
struct DimensionVariable {
    const char* name;
    int code;
    double value;
    bool whole = false;
};

// Sizes in paper millimetres at DIMSCALE 1:N; text aligned with the line
// (DIMTIH, DIMTOH 0) and above it (DIMTAD 1); whole millimetres (DIMDEC 0)
// with a period (DIMDSEP 46); the line drawn between the extension lines
// even when the text goes outside (DIMTOFL 1).
std::vector<DimensionVariable> DimensionVariables(double scale) {
    using S = DxfDimensionStyle;
    return {{"$DIMSCALE", 40, scale},
            {"$DIMASZ", 41, S::kArrow},
            {"$DIMEXO", 42, S::kExtensionOffset},
            {"$DIMDLI", 43, 8.0},
            {"$DIMEXE", 44, S::kExtensionBeyond},
            {"$DIMTXT", 140, S::kTextHeight},
            {"$DIMCEN", 141, 0.0},
            {"$DIMLFAC", 144, 1.0},
            {"$DIMGAP", 147, S::kTextGap},
            {"$DIMTIH", 73, 0, true},
            {"$DIMTOH", 74, 0, true},
            {"$DIMTAD", 77, 1, true},
            {"$DIMZIN", 78, 0, true},
            {"$DIMTOFL", 172, 1, true},
            {"$DIMDEC", 271, 0, true},
            {"$DIMDSEP", 278, 46, true},
            {"$DIMTMOVE", 279, 0, true}};
}

// The style of every dimension (dxflib's DIMENSION names "Standard").
void WriteDimensionStyle(MemoryDxfWriter& dw, double scale) {
    dw.table("DIMSTYLE", 1, 0xA);
    dw.dxfString(100, "AcDbDimStyleTable");
    dw.dxfInt(71, 0);
    dw.dxfString(0, "DIMSTYLE");
    dw.dxfHex(105, kDimStyleHandle);
    dw.dxfString(100, "AcDbSymbolTableRecord");
    dw.dxfString(100, "AcDbDimStyleTableRecord");
    dw.dxfString(2, "Standard");
    dw.dxfInt(70, 0);
    dw.dxfString(3, ""); // no suffix: the value alone, in millimetres
    for (const DimensionVariable& v : DimensionVariables(scale)) {
        if (v.whole)
            dw.dxfInt(v.code, int(v.value));
        else
            dw.dxfReal(v.code, v.value);
    }
    dw.dxfHex(340, kTextStyleHandle);
    dw.tableEnd();
}

} // namespace

const DxfLayerLook& LookOf(DxfLayer layer) {
    return *std::find_if(kLayers.begin(), kLayers.end(),
                         [layer](const DxfLayerLook& look) { return look.layer == layer; });
}

void WriteHeader(DL_Dxf& dxf, MemoryDxfWriter& dw, const DxfSheetFacts& facts) {
    const auto& e = facts.extents;
    dxf.writeHeader(dw);
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, kDxfCodePage);
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, 4); // millimetres
    dw.dxfString(9, "$MEASUREMENT");
    dw.dxfInt(70, 1); // metric
    dw.dxfString(9, "$LUNITS");
    dw.dxfInt(70, 2); // decimal
    dw.dxfString(9, "$EXTMIN");
    dw.coord(10, e.first.x, e.first.y);
    dw.dxfString(9, "$EXTMAX");
    dw.coord(10, e.second.x, e.second.y);
    dw.dxfString(9, "$LTSCALE");
    dw.dxfReal(40, 1.0);
    dw.dxfString(9, "$CLAYER");
    dw.dxfString(8, "0");
    dw.dxfString(9, "$TEXTSTYLE");
    dw.dxfString(7, kDxfTextStyle);
    dw.dxfString(9, "$DIMSTYLE");
    dw.dxfString(2, "Standard");
    dw.dxfString(9, "$DIMTXSTY");
    dw.dxfString(7, kDxfTextStyle);
    for (const DimensionVariable& v : DimensionVariables(facts.dimensionScale)) {
        dw.dxfString(9, v.name);
        if (v.whole)
            dw.dxfInt(70, int(v.value));
        else
            dw.dxfReal(40, v.value);
    }
    dw.sectionEnd();
}

void WriteTables(DL_Dxf& dxf, MemoryDxfWriter& dw, const DxfSheetFacts& facts) {
    dw.sectionTables();
    WriteView(dw, facts.extents);
    WriteLinetypes(dxf, dw);
    WriteLayers(dxf, dw);
    WriteStyles(dw);
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    WriteDimensionStyle(dw, facts.dimensionScale);
    dxf.writeBlockRecord(dw);
    for (const std::string& block : facts.blocks)
        dxf.writeBlockRecord(dw, block);
    dw.tableEnd();
    dw.sectionEnd();
}

} // namespace drawing
