// SPDX-License-Identifier: GPL-3.0-or-later
// Finishing the ODT that Qt's ODF writer makes, so that office suites lay
// the report out as the PDF is laid out.
//
// Qt writes the size and face of text for Latin script only (fo:font-size,
// fo:font-family): an office suite then sets every Chinese character in
// its own default size, so that the title and the headings come out as
// small as the body. And it writes no page styles: no paper size, no page
// numbers, no language (an office suite then picks a Japanese face for the
// Chinese text), no cell grounds, no outline and no metadata. The package
// is rewritten with content.xml finished (odtcontent.h), a styles.xml for
// A4 pages numbered "第 N 页 共 M 页" in zh-CN, and a meta.xml.
#pragma once

#include <QByteArray>
#include <QString>

namespace report {

// `odt`, a package as Qt's ODF writer makes it, finished as above; its
// entries stored uncompressed (the pictures are PNG already). Throws
// std::runtime_error for a package it cannot read.
QByteArray FinishOdt(const QByteArray& odt, const QString& title, const QString& subject);

} // namespace report
