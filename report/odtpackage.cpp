// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/odtpackage.h"

#include "report/odtcontent.h"
#include "report/odtfaces.h"

#include <QtEndian>
#include <stdexcept>
#include <string>
#include <vector>
#include <zlib.h>

namespace report {
namespace {

// Zip record signatures and the fixed sizes of their headers.
constexpr quint32 kLocalSignature = 0x04034b50, kCentralSignature = 0x02014b50,
                  kEndSignature = 0x06054b50;
constexpr int kLocalSize = 30, kCentralSize = 46, kEndSize = 22;
constexpr quint16 kDosDate = 0x21; // 1980-01-01: the package carries no time

struct Entry {
    QByteArray name, data;
};

[[noreturn]] void Unreadable() {
    throw std::runtime_error("ODT package");
}

// A little-endian number of `size` bytes at `at`.
quint32 ReadNumber(const QByteArray& bytes, qsizetype at, int size) {
    if (at < 0 || at + size > bytes.size())
        Unreadable();
    quint32 value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
    return value;
}

quint32 Read32(const QByteArray& bytes, qsizetype at) {
    return ReadNumber(bytes, at, 4);
}

quint16 Read16(const QByteArray& bytes, qsizetype at) {
    return quint16(ReadNumber(bytes, at, 2));
}

QByteArray Inflate(const QByteArray& packed, quint32 size) {
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) // raw deflate, as zip stores it
        Unreadable();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END || stream.total_out != size)
        Unreadable();
    return out;
}

// The entries in the order of the central directory.
std::vector<Entry> ReadEntries(const QByteArray& zip) {
    const qsizetype end = zip.size() - kEndSize; // Qt writes no archive comment
    if (Read32(zip, end) != kEndSignature)
        Unreadable();
    std::vector<Entry> entries;
    qsizetype at = Read32(zip, end + 16);
    for (int k = Read16(zip, end + 10); k > 0; --k) {
        if (Read32(zip, at) != kCentralSignature)
            Unreadable();
        const quint16 method = Read16(zip, at + 10);
        const quint32 packedSize = Read32(zip, at + 20), size = Read32(zip, at + 24);
        const quint16 nameLength = Read16(zip, at + 28);
        const qsizetype local = Read32(zip, at + 42);
        Entry entry{zip.mid(at + kCentralSize, nameLength), {}};
        at += kCentralSize + nameLength + Read16(zip, at + 30) + Read16(zip, at + 32);
        if (Read32(zip, local) != kLocalSignature)
            Unreadable();
        const qsizetype data =
            local + kLocalSize + Read16(zip, local + 26) + Read16(zip, local + 28);
        const QByteArray packed = zip.mid(data, packedSize);
        if (packed.size() != qsizetype(packedSize) || (method != 0 && method != 8))
            Unreadable();
        entry.data = method == 8 ? Inflate(packed, size) : packed;
        entries.push_back(entry);
    }
    return entries;
}

void Append16(QByteArray& out, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void Append32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

// The fields the local and the central header share: version needed 2.0,
// no flags, method 0 (stored), the time and date, CRC, both sizes and the
// name's length, no extra field.
void CommonFields(QByteArray& out, const Entry& e, quint32 crc) {
    for (quint16 field : {quint16(20), quint16(0), quint16(0), quint16(0), kDosDate})
        Append16(out, field);
    for (quint32 field : {crc, quint32(e.data.size()), quint32(e.data.size())})
        Append32(out, field);
    Append16(out, quint16(e.name.size()));
    Append16(out, 0);
}

// A zip of stored entries; the first is "mimetype", as ODF asks.
QByteArray WriteEntries(const std::vector<Entry>& entries) {
    QByteArray zip, central;
    for (const Entry& e : entries) {
        const quint32 crc = quint32(
            crc32(0, reinterpret_cast<const Bytef*>(e.data.constData()), uInt(e.data.size())));
        const quint32 offset = quint32(zip.size());
        Append32(zip, kLocalSignature);
        CommonFields(zip, e, crc);
        zip.append(e.name);
        zip.append(e.data);

        Append32(central, kCentralSignature);
        Append16(central, 20); // made by version 2.0
        CommonFields(central, e, crc);
        Append16(central, 0); // comment length
        Append16(central, 0); // disk
        Append16(central, 0); // internal attributes
        Append32(central, 0); // external attributes
        Append32(central, offset);
        central.append(e.name);
    }
    const quint32 centralOffset = quint32(zip.size());
    zip.append(central);
    Append32(zip, kEndSignature);
    for (quint16 field : {quint16(0), quint16(0), quint16(entries.size()), quint16(entries.size())})
        Append16(zip, field); // disk, disk of the directory, entries here, entries in all
    Append32(zip, quint32(central.size()));
    Append32(zip, centralOffset);
    Append16(zip, 0); // comment length
    return zip;
}

// A4 as the PDF's pages: margins of 25 mm (20 mm on the right), the page
// number centred in the foot; no paragraph leaves a single line at a
// page's foot or head, so that a figure stays with its caption.
const char kStyles[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-styles xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2">
%1
 <office:styles>
  <style:default-style style:family="paragraph">
   <style:paragraph-properties fo:orphans="2" fo:widows="2"/>
   <style:text-properties %2 fo:language="zh" fo:country="CN" style:language-asian="zh" style:country-asian="CN"/>
  </style:default-style>
 </office:styles>
 <office:automatic-styles>
  <style:page-layout style:name="A4">
   <style:page-layout-properties fo:page-width="210mm" fo:page-height="297mm" fo:margin-top="25mm" fo:margin-bottom="12mm" fo:margin-left="25mm" fo:margin-right="20mm"/>
   <style:footer-style><style:header-footer-properties fo:min-height="8mm" fo:margin-top="5mm"/></style:footer-style>
  </style:page-layout>
  <style:style style:name="PageNumber" style:family="paragraph">
   <style:paragraph-properties fo:text-align="center"/>
   <style:text-properties fo:font-size="9pt" style:font-size-asian="9pt" %2/>
  </style:style>
 </office:automatic-styles>
 <office:master-styles>
  <style:master-page style:name="Standard" style:page-layout-name="A4">
   <style:footer><text:p text:style-name="PageNumber">第<text:s/><text:page-number text:select-page="current"/><text:s/>页<text:s/>共<text:s/><text:page-count/><text:s/>页</text:p></style:footer>
  </style:master-page>
 </office:master-styles>
</office:document-styles>
)";

} // namespace

QByteArray FinishOdt(const QByteArray& odt, const QString& title, const QString& subject) {
    std::vector<Entry> entries = ReadEntries(odt);
    if (entries.empty() || entries.front().name != "mimetype")
        Unreadable();
    for (Entry& e : entries) {
        if (e.name == "content.xml")
            e.data = FinishContent(e.data);
        else if (e.name == "META-INF/manifest.xml")
            e.data.replace("</manifest:manifest>",
                           " <manifest:file-entry manifest:media-type=\"text/xml\" "
                           "manifest:full-path=\"styles.xml\"/>\n"
                           " <manifest:file-entry manifest:media-type=\"text/xml\" "
                           "manifest:full-path=\"meta.xml\"/>\n</manifest:manifest>");
    }
    entries.push_back(
        {"styles.xml",
         QString::fromUtf8(kStyles).arg(FontFaceDecls(), BodyFaceAttributes()).toUtf8()});
    entries.push_back({"meta.xml", MetaXml(title, subject)});
    return WriteEntries(entries);
}

} // namespace report
