// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a window's client area as displayed.
#pragma once

#include <QString>

class QPixmap;
class QWidget;

namespace windows {

struct PrintOutcome {
    enum Kind { Printed, WrotePdf, Failed } kind = Failed;
    QString pdfPath; // absolute path, for WrotePdf
    QString error;   // Chinese description, for Failed
};

// Renders `window`'s client area as it is displayed and sends it, scaled to
// fit one page, to the system's default printer without a dialog. Where the
// system has no default printer the page is written as `pdfBaseName`.pdf in
// the current directory instead.
PrintOutcome PrintWindowImage(QWidget& window, const QString& pdfBaseName);

// The same for an image made for the page (a window whose drawing scrolls
// prints all of it), the print job named `documentName`.
PrintOutcome PrintImage(const QPixmap& image, const QString& documentName,
                        const QString& pdfBaseName);

// The absolute path of the PDF that PrintWindowImage writes for
// `pdfBaseName`: in the current directory, with the characters that file
// systems refuse (/ \ : * ? " < > | and control characters) replaced by
// "_", blanks around trimmed, and "未命名" for a name left empty.
QString PdfPathFor(const QString& pdfBaseName);

// Tells the user what happened: a message with the full path for a PDF, a
// warning naming the failure; nothing for a page sent to the printer. The
// message's title names the window printed, as `windowName` says it to the
// user ("主窗口", "情况 1 的计算窗口").
void ReportPrintOutcome(QWidget* parent, const QString& windowName, const PrintOutcome& outcome);

} // namespace windows
