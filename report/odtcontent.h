// SPDX-License-Identifier: GPL-3.0-or-later
// content.xml of the report's ODT as an office suite needs it, from the
// XML Qt's ODF writer makes: the Asian counterparts of sizes and faces,
// cell grounds, headings in the outline, header rows that repeat on a new
// page, short tables kept on one page (see odtmarks.h).
#pragma once

#include <QByteArray>

namespace report {

QByteArray FinishContent(const QByteArray& content);

// meta.xml with the document's title and subject.
QByteArray MetaXml(const QString& title, const QString& subject);

} // namespace report
