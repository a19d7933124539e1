// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report as a QTextDocument: the one document behind both
// the PDF and the ODT.
#pragma once

#include "report/reportcontent.h"

#include <QDate>
#include <QStringList>

class QTextDocument;

namespace report {

struct DocumentStyle {
    // Document units per millimetre of the device the document is laid out
    // on, for the figures' size and the left indent of a block. The other
    // lengths (space above and below a block, cell padding, borders) are
    // pixels at 96 dpi, which the layout scales to the device itself.
    double deviceUnitsPerMm = 96 / 25.4;
    double bodyWidthMm = 160; // the text width of the page
    // Faces in the order they are tried for each character: a Latin face
    // for letters and digits where wanted, then 宋体 (body) or 黑体
    // (headings), or the faces standing in for them.
    QStringList bodyFamilies;
    QStringList headingFamilies;
    // True: figures as FigureObject (registered on the document's layout
    // by the caller), drawn as vectors; false: pictures held as resources
    // of the document.
    bool vectorFigures = false;
    // True: tables and their columns as widths in points, which is how Qt's
    // ODF writer writes any width (a percentage would come out as points);
    // false: as parts of the text width, for the paged layout.
    bool pointTableWidths = false;
};

// Fills the empty `doc` with the report of `content`, dated `date`.
void BuildReportDocument(QTextDocument& doc, const ReportContent& content,
                         const DocumentStyle& style, const QDate& date);

} // namespace report
