// The report's section 水面衔接与高程: the canal data, the formulas of the
// water-surface connection, its figures, the longitudinal profile and the
// verdicts. Only when the request carries canal data.
#pragma once

#include "report/reportcontent.h"
#include "report/reportdocument.h"

class QTextCursor;

namespace report {

// Appends the section at the end of the document under `cursor`, numbered
// `number` ("七"), in the faces and widths of `style`; nothing without
// content.request.connection.
void AppendConnectionSection(QTextCursor& cursor, const ReportContent& content,
                             const DocumentStyle& style, const QString& number);

} // namespace report
