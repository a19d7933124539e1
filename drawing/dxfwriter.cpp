// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/dxfwriter.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace drawing {
namespace {

// The next character of `text` from `at` as a code point, `at` moved past
// it; -1 for a byte that starts no valid UTF-8 sequence (skipped alone).
long NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0)
        return -1;
    long code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            return -1;
        code = code << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    return code;
}

std::string Escaped(long code) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "\\U+%04lX", code);
    return buffer.data();
}

} // namespace

DxfTextEncoder::DxfTextEncoder() : converter_(iconv_open("GBK", "UTF-8")) {}

DxfTextEncoder::~DxfTextEncoder() {
    if (converter_ != reinterpret_cast<iconv_t>(-1))
        iconv_close(converter_);
}

std::string DxfTextEncoder::encode(std::string_view utf8) const {
    std::string out;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t start = at;
        const long code = NextCodePoint(utf8, at);
        if (code < 0) {
            out += '?';
        } else if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code > 0xFFFF || converter_ == reinterpret_cast<iconv_t>(-1)) {
            out += code > 0xFFFF ? std::string("?") : Escaped(code);
        } else {
            std::string in(utf8.substr(start, at - start));
            std::array<char, 8> gbk{};
            char* inPtr = in.data();
            char* outPtr = gbk.data();
            std::size_t inLeft = in.size(), outLeft = gbk.size();
            iconv(converter_, nullptr, nullptr, nullptr, nullptr); // a fresh state
            if (iconv(converter_, &inPtr, &inLeft, &outPtr, &outLeft) ==
                static_cast<std::size_t>(-1))
                out += Escaped(code);
            else
                out.append(gbk.data(), gbk.size() - outLeft);
        }
    }
    return out;
}

// dxflib's writer opens a file of the name given; an empty name opens
// none, and nothing is ever written to it.
MemoryDxfWriter::MemoryDxfWriter() : DL_WriterA("", DL_Codes::AC1015) {}

void MemoryDxfWriter::group(int gc, std::string_view value) const {
    // The group code right-aligned in three columns, as AutoCAD writes it.
    const std::string code = std::to_string(gc);
    out_.append(code.size() < 3 ? 3 - code.size() : 0, ' ');
    out_ += code;
    out_ += '\n';
    out_ += value;
    out_ += '\n';
}

// The shortest text that reads back as the same double, with a period
// whatever the locale, and always a decimal point ("1.0", not "1").
void MemoryDxfWriter::dxfReal(int gc, double value) const {
    if (!std::isfinite(value))
        value = 0; // never written by the drawings; a reader would refuse "nan"
    std::array<char, 64> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    std::string text(buffer.data(), end);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    group(gc, text);
}

void MemoryDxfWriter::dxfInt(int gc, int value) const {
    group(gc, std::to_string(value));
}

void MemoryDxfWriter::dxfHex(int gc, int value) const {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%X", static_cast<unsigned>(value));
    dxfString(gc, std::string(buffer.data()));
}

void MemoryDxfWriter::dxfString(int gc, const char* value) const {
    dxfString(gc, std::string(value ? value : ""));
}

void MemoryDxfWriter::followObjects(int gc, const std::string& value) const {
    if (gc == 0)
        lastGroup0_ = value;
    if (gc == 2 && lastGroup0_ == "SECTION")
        inObjects_ = value == "OBJECTS";
    if (!inObjects_)
        return;
    if (gc == 350) {
        owners_[value] = currentHandle_;
    } else if (gc == 5) {
        currentHandle_ = value;
        if (const auto owner = owners_.find(value); owner != owners_.end())
            group(330, owner->second);
    }
}

void MemoryDxfWriter::dxfString(int gc, const std::string& value) const {
    group(gc, encoder_.encode(value));
    followObjects(gc, value);
    if (gc == 100 && value == "AcDbDimension" && !dimensionBlock_.empty()) {
        group(2, encoder_.encode(dimensionBlock_));
        dimensionBlock_.clear();
    }
}

} // namespace drawing
