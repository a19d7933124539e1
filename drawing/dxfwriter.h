// SPDX-License-Identifier: GPL-3.0-or-later
// dxflib's ASCII writer, writing into memory instead of a file of its own
// (the file is then saved whole or not at all, as every file Ambrelo
// writes), with the text in the code page the file declares.
//
// Only drawing/dxf*.cpp include this header: dxflib stays inside drawing/.
//
// Text encoding. A DXF file of this version (R2000, AC1015) is not UTF-8:
// its strings are in the code page named by $DWGCODEPAGE. The drawings are
// written as ANSI_936 (GBK, Simplified Chinese), which AutoCAD, BricsCAD,
// ZWCAD, LibreCAD (libdxfrw) and ezdxf all decode; a character GBK lacks is
// written as AutoCAD's escape \U+XXXX.
#pragma once

#include <dl_dxf.h>
#include <dl_writer_ascii.h>
#include <iconv.h>
#include <map>
#include <string>
#include <string_view>

namespace drawing {

// The code page the file declares ($DWGCODEPAGE).
inline constexpr const char* kDxfCodePage = "ANSI_936";

// `utf8` in GBK, a character outside it (or every character outside ASCII
// where the system has no GBK converter) as \U+XXXX. Invalid UTF-8 bytes
// become "?".
class DxfTextEncoder {
public:
    DxfTextEncoder();
    ~DxfTextEncoder();
    DxfTextEncoder(const DxfTextEncoder&) = delete;
    DxfTextEncoder& operator=(const DxfTextEncoder&) = delete;

    std::string encode(std::string_view utf8) const;

private:
    iconv_t converter_;
};

class MemoryDxfWriter : public DL_WriterA {
public:
    MemoryDxfWriter();

    // dxflib writes every group through these four.
    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

    // The block holding the geometry of the next DIMENSION written: dxflib
    // writes no block name (group 2), which CAD programs and readers need
    // to show the dimension; it is added after the AcDbDimension marker.
    void setNextDimensionBlock(const std::string& name) const { dimensionBlock_ = name; }

    // dxflib writes the OBJECTS section's dictionaries and objects without
    // their owners (group 330), which readers then have to repair; each
    // object there gets as owner the dictionary that lists it (group 350),
    // as every such dictionary is written before what it lists.

    // Everything written so far.
    const std::string& text() const { return out_; }

private:
    void group(int gc, std::string_view value) const;
    void followObjects(int gc, const std::string& value) const;

    DxfTextEncoder encoder_;
    mutable std::string out_;
    mutable std::string dimensionBlock_;
    mutable bool inObjects_ = false;
    mutable std::string lastGroup0_, currentHandle_;
    mutable std::map<std::string, std::string> owners_; // object handle → dictionary handle
};

} // namespace drawing
