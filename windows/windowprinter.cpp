// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/windowprinter.h"

#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <memory>

namespace windows {

QString PdfPathFor(const QString& pdfBaseName) {
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString name = pdfBaseName.trimmed();
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control || refused.contains(c))
            c = QLatin1Char('_');
    if (name.isEmpty())
        name = QStringLiteral("未命名");
    return QDir::current().absoluteFilePath(name + QStringLiteral(".pdf"));
}

PrintOutcome PrintWindowImage(QWidget& window, const QString& pdfBaseName) {
    // The client area as it is displayed, children and current contents
    // included.
    return PrintImage(window.grab(), window.windowTitle(), pdfBaseName);
}

PrintOutcome PrintImage(const QPixmap& image, const QString& documentName,
                        const QString& pdfBaseName) {
    PrintOutcome outcome;
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    std::unique_ptr<QPrinter> printer;
    if (printerInfo.isNull()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        outcome.pdfPath = PdfPathFor(pdfBaseName);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(outcome.pdfPath);
    } else {
        printer = std::make_unique<QPrinter>(printerInfo, QPrinter::HighResolution);
    }
    printer->setDocName(documentName);
    const QSizeF imageSize = image.deviceIndependentSize();
    printer->setPageOrientation(imageSize.width() > imageSize.height() ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);

    const QString target = printerInfo.isNull()
                               ? QStringLiteral("PDF 文件 %1").arg(outcome.pdfPath)
                               : QStringLiteral("打印机 %1").arg(printerInfo.printerName());
    QPainter painter;
    if (!painter.begin(printer.get())) {
        outcome.kind = PrintOutcome::Failed;
        outcome.error = QStringLiteral("无法打开%1，窗口没有打印。").arg(target);
        return outcome;
    }
    // One page, the image as large as it fits, its proportions kept.
    const QRect page = painter.viewport();
    const QSize size = imageSize.scaled(page.size(), Qt::KeepAspectRatio).toSize();
    painter.drawPixmap(QRect(QPoint(page.x() + (page.width() - size.width()) / 2, page.y()), size),
                       image);
    if (!painter.end() || printer->printerState() == QPrinter::Error) {
        outcome.kind = PrintOutcome::Failed;
        outcome.error = QStringLiteral("写入%1时出错，窗口没有完整打印。").arg(target);
        return outcome;
    }
    outcome.kind = printerInfo.isNull() ? PrintOutcome::WrotePdf : PrintOutcome::Printed;
    return outcome;
}

void ReportPrintOutcome(QWidget* parent, const QString& windowName, const PrintOutcome& outcome) {
    switch (outcome.kind) {
    case PrintOutcome::Printed:
        break;
    case PrintOutcome::WrotePdf:
        QMessageBox::information(
            parent, windowName + QStringLiteral(" - 打印"),
            QStringLiteral("系统没有默认打印机，%1的图像已保存为 PDF 文件：\n%2")
                .arg(windowName, QDir::toNativeSeparators(outcome.pdfPath)));
        break;
    case PrintOutcome::Failed:
        QMessageBox::warning(parent, windowName + QStringLiteral(" - 打印失败"), outcome.error);
        break;
    }
}

} // namespace windows
