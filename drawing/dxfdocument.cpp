// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/dxfdocument.h"

#include "drawing/dxfsheet.h"
#include "drawing/dxftables.h"
#include "drawing/dxfwriter.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace drawing {
namespace {

// The attributes of a shape drawn on its layer: colour, weight and line
// type by layer, the line type's dashes at the part's 1:N.
DL_Attributes OnLayer(DxfLayer layer, double scale) {
    return DL_Attributes(LookOf(layer).name, 256, -1, "BYLAYER", scale);
}

// Inside a dimension's block: layer 0 and "by block", so that the
// dimension's own layer gives colour, weight and line type.
DL_Attributes ByBlock() {
    return DL_Attributes("0", 0, -2, "BYBLOCK", 1.0);
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

struct ShapeWriter {
    DL_Dxf& dxf;
    MemoryDxfWriter& dw;
    bool inBlock;

    DL_Attributes attributes(DxfLayer layer, double scale) const {
        return inBlock ? ByBlock() : OnLayer(layer, scale);
    }

    void operator()(const DxfLine& l) const {
        dxf.writeLine(dw, DL_LineData(l.a.x, l.a.y, 0, l.b.x, l.b.y, 0),
                      attributes(l.layer, l.scale));
    }
    void operator()(const DxfPolyline& p) const {
        dxf.writePolyline(dw, DL_PolylineData(int(p.vertices.size()), 0, 0, p.closed ? 1 : 0),
                          attributes(p.layer, p.scale));
        for (const DxfVertex& v : p.vertices)
            dxf.writeVertex(dw, DL_VertexData(v.at.x, v.at.y, 0, v.bulge));
        dxf.writePolylineEnd(dw);
    }
    void operator()(const DxfSolid& s) const {
        // A SOLID's corners go in the order 1, 2, 4, 3; a triangle repeats its last.
        dxf.writeSolid(
            dw, DL_SolidData(s.a.x, s.a.y, 0, s.b.x, s.b.y, 0, s.c.x, s.c.y, 0, s.c.x, s.c.y, 0),
            attributes(s.layer, 1));
    }
    void operator()(const DxfText& t) const {
        dxf.writeText(dw,
                      DL_TextData(t.at.x, t.at.y, 0, t.at.x, t.at.y, 0, t.height, 1.0, 0,
                                  int(t.hAlign), int(t.vAlign), t.text, kDxfTextStyle,
                                  Radians(t.angleDeg)),
                      attributes(t.layer, 1));
    }
};

std::string BlockName(std::size_t index) {
    return "*D" + std::to_string(index + 1);
}

// Each dimension's geometry as an anonymous block, after the three blocks
// every drawing has.
void WriteBlocks(DL_Dxf& dxf, MemoryDxfWriter& dw, const DxfSheet& sheet) {
    dw.sectionBlocks();
    for (const char* space : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, space);
    }
    for (std::size_t k = 0; k < sheet.dimensions.size(); ++k) {
        const std::string name = BlockName(k);
        dw.sectionBlockEntry();
        dw.dxfString(2, name);
        dw.dxfInt(70, 1); // anonymous
        dw.coord(10, 0, 0);
        dw.dxfString(3, name);
        dw.dxfString(1, "");
        const ShapeWriter write{dxf, dw, true};
        for (const DxfShape& shape : sheet.dimensions[k].geometry)
            std::visit(write, shape);
        dxf.writeEndBlock(dw, name);
    }
    dw.sectionEnd();
}

// A dimension: what it measures, where its text stands, its block, its
// 1:N as DIMSCALE; the measured value as dxflib writes it (group 42).
void WriteDimension(DL_Dxf& dxf, MemoryDxfWriter& dw, const DxfDimension& d, std::size_t index) {
    const bool linear = d.kind == DxfDimension::Kind::Linear;
    // 32: the block belongs to this dimension alone; 128: the text stands
    // where it was put, not in the middle.
    const int type = (linear ? 0 : 4) | 32 | (d.textOutside ? 128 : 0);
    DL_DimensionData data(d.definition.x, d.definition.y, 0, d.textAt.x, d.textAt.y, 0, type, 5, 1,
                          1.0, d.prefix.empty() ? std::string() : d.prefix + "<>", "Standard",
                          d.measured, 1.0, d.scale);
    data.arrow1Flipped = false;
    data.arrow2Flipped = false;
    const DL_Attributes attributes = OnLayer(DxfLayer::Dimension, d.scale);
    dw.setNextDimensionBlock(BlockName(index));
    if (linear)
        dxf.writeDimLinear(dw, data,
                           DL_DimLinearData(d.first.x, d.first.y, 0, d.second.x, d.second.y, 0,
                                            Radians(d.angleDeg), 0),
                           attributes);
    else
        dxf.writeDimRadial(dw, data, DL_DimRadialData(d.second.x, d.second.y, 0, 0), attributes);
}

void WriteEntities(DL_Dxf& dxf, MemoryDxfWriter& dw, const DxfSheet& sheet) {
    dw.sectionEntities();
    const ShapeWriter write{dxf, dw, false};
    for (const DxfShape& shape : sheet.shapes)
        std::visit(write, shape);
    for (std::size_t k = 0; k < sheet.dimensions.size(); ++k)
        WriteDimension(dxf, dw, sheet.dimensions[k], k);
    dw.sectionEnd();
}

std::string WriteSheet(const DxfSheet& sheet) {
    DL_Dxf dxf; // writes for R2000 (AC1015), as the writer
    MemoryDxfWriter dw;
    DxfSheetFacts facts{SheetExtents(sheet), sheet.dimensionScale, {}};
    for (std::size_t k = 0; k < sheet.dimensions.size(); ++k)
        facts.blocks.push_back(BlockName(k));
    WriteHeader(dxf, dw, facts);
    WriteTables(dxf, dw, facts);
    WriteBlocks(dxf, dw, sheet);
    WriteEntities(dxf, dw, sheet);
    dxf.writeObjects(dw);
    dxf.writeObjectsEnd(dw);
    dw.dxfEOF();
    return dw.text();
}

} // namespace

namespace {

// "渡槽一（情况 1）", "情况 1" without a project, the project alone where
// the case is not known.
std::string Title(int caseNo, const std::string& projectName) {
    std::string title = caseNo > 0 ? "情况 " + std::to_string(caseNo) : "";
    if (!projectName.empty())
        title = title.empty() ? projectName : projectName + "（" + title + "）";
    return title;
}

} // namespace

DxfDrawing DesignDrawing(const hydraulics::Design& design, const std::string& projectName,
                         double exaggeration) {
    DxfDrawing drawing;
    if (!design.succeeded())
        return drawing;
    const std::string title = Title(design.caseNo, projectName);
    double h = design.outcome.design->h;
    if (design.adopted) {
        const hydraulics::VerifiedSection& s = design.adopted->section;
        h = s.h;
        drawing.section = SectionOf(s.B, s.h, s.checks, s.hc, SectionKind::Adopted, title);
    } else {
        drawing.section = SectionOf(design.outcome.design->B, h, design.checks, design.elements.hc,
                                    SectionKind::Calculated, title);
    }
    if (const hydraulics::Connection* c = design.canals ? design.connection() : nullptr)
        drawing.profile = DxfProfile{*c, h, design.outcome.length, exaggeration, title};
    return drawing;
}

std::string DxfFileText(const DxfDrawing& drawing) {
    if (!drawing.section && !drawing.profile)
        throw std::invalid_argument("没有可导出的图形。");
    DxfSheet sheet;
    if (drawing.section)
        AddSection(sheet, *drawing.section);
    if (drawing.profile) {
        // Right of the section, with a gap of a tenth of the profile's length.
        const double right = drawing.section ? SheetExtents(sheet).second.x : 0;
        AddProfile(sheet, *drawing.profile, {right + ProfileGap(*drawing.profile), 0});
    }
    return WriteSheet(sheet);
}

} // namespace drawing
