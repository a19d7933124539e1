// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/calcreport.h"

#include "drawing/chinesefonts.h"
#include "hydraulics/errors.h"
#include "project/savedfile.h"
#include "report/figureobject.h"
#include "report/fractionobject.h"
#include "report/odtpackage.h"
#include "report/pagebreaks.h"
#include "report/reportdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace report {

using hydraulics::CalcError;
using hydraulics::ErrorKind;

namespace {

// A4 with margins of 25 mm (20 mm on the right); the page number stands
// in the bottom margin.
constexpr double kPageWidthMm = 210, kPageHeightMm = 297;
constexpr double kLeftMm = 25, kRightMm = 20, kTopMm = 25, kBottomMm = 25;
constexpr double kFooterFromBottomMm = 14;
constexpr double kBodyWidthMm = kPageWidthMm - kLeftMm - kRightMm;
constexpr double kBodyHeightMm = kPageHeightMm - kTopMm - kBottomMm;
constexpr int kPdfDpi = 600;
// Less than the height of the lowest line of the report (小五, 9 pt: 3.2
// mm), more than a block of the page before reaches past its foot.
constexpr double kLineReachMm = 2;

// The installed face behind a design face (AR PL UMing CN for 宋体): a
// TrueType face, which the PDF embeds as a subset.
QString InstalledFamily(const QString& design) {
    return QFontInfo(QFont(design)).family();
}

// Body text of the PDF: Latin letters and digits in a serif face where one
// is installed (the Chinese faces' own are typewriter-like), the rest in
// the face standing in for 宋体.
QStringList PdfBodyFamilies() {
    return ReportLatinFaces() +
           QStringList{InstalledFamily(drawing::FaceName(drawing::ChineseFace::SongTi))};
}

// The document's title and subject, for its properties.
QString ReportTitle(const ReportContent& content) {
    const project::ReportIdentity& id = content.request.identity;
    const std::string name = id.structure.empty() ? content.request.projectName : id.structure;
    return (QStringLiteral("渡槽水力计算书 ") + QString::fromStdString(name)).trimmed();
}

QString ReportSubject(const ReportContent& content) {
    return QStringLiteral("U 形渡槽水力计算：情况 %1 %2")
        .arg(content.request.caseNo)
        .arg(QString::fromStdString(content.caseCaption));
}

void PaintPages(QPdfWriter& writer, QTextDocument& doc, double unitsPerMm) {
    QPainter painter;
    if (!painter.begin(&writer))
        throw std::runtime_error("PDF");
    const QSizeF body = doc.pageSize();
    const int pages = doc.pageCount();
    QFont footerFont(InstalledFamily(drawing::FaceName(drawing::ChineseFace::SongTi)));
    footerFont.setPointSizeF(9);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(kLeftMm * unitsPerMm, kTopMm * unitsPerMm - page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        // The layout draws each block that reaches into the clip of the
        // context (no paragraph spans two pages: pagebreaks.h). One of the
        // page before may reach a little past its foot, one that starts
        // just above this page's foot belongs to the next page: either
        // would be drawn here, hidden by the painter's clip but in the
        // text layer. The ink is clipped to the page.
        const double reach = kLineReachMm * unitsPerMm;
        context.clip =
            QRectF(0, page * body.height() + reach, body.width(), body.height() - 2 * reach);
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(QRectF(0, page * body.height(), body.width(), body.height()));
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        const QRectF footer(0, (kPageHeightMm - kFooterFromBottomMm - 5) * unitsPerMm,
                            kPageWidthMm * unitsPerMm, 5 * unitsPerMm);
        painter.drawText(footer, Qt::AlignCenter,
                         QStringLiteral("第 %1 页 共 %2 页").arg(page + 1).arg(pages));
    }
    painter.end();
}

QByteArray PdfBytes(const ReportContent& content) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        // Archival PDF/A-1b: fonts embedded, an output intent and XMP
        // metadata; the text layer extracts as in a plain PDF.
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(kPdfDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(ReportTitle(content));
        writer.setCreator(QStringLiteral("Ambrelo %1").arg(QStringLiteral(AMBRELO_VERSION)));

        const double unitsPerMm = kPdfDpi / 25.4;
        QTextDocument doc;
        FigureObject figures(FiguresOf(content, ReportLatinFaces()));
        doc.documentLayout()->registerHandler(FigureObject::kObjectType, &figures);
        FractionObject fractions;
        doc.documentLayout()->registerHandler(FractionObject::kObjectType, &fractions);
        doc.setDocumentMargin(0);
        DocumentStyle style;
        style.deviceUnitsPerMm = unitsPerMm;
        style.bodyWidthMm = kBodyWidthMm;
        style.bodyFamilies = PdfBodyFamilies();
        style.headingFamilies = {InstalledFamily(drawing::FaceName(drawing::ChineseFace::HeiTi))};
        style.vectorFigures = true;
        doc.setDefaultFont(QFont(style.bodyFamilies, 10));
        BuildReportDocument(doc, content, style, QDate::currentDate());
        // Laid out on the page once the whole document is built.
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setPageSize(QSizeF(kBodyWidthMm * unitsPerMm, kBodyHeightMm * unitsPerMm));
        KeepTogether(doc);
        PaintPages(writer, doc, unitsPerMm);
    }
    return buffer.data();
}

QByteArray OdtBytes(const ReportContent& content) {
    QTextDocument doc;
    // The design faces by name: the office suite that opens the document
    // finds them (or its own stand-ins) by these names.
    DocumentStyle style;
    style.bodyWidthMm = kBodyWidthMm;
    style.bodyFamilies = {drawing::FaceName(drawing::ChineseFace::SongTi)};
    style.headingFamilies = {drawing::FaceName(drawing::ChineseFace::HeiTi)};
    style.pointTableWidths = true;
    doc.setDefaultFont(QFont(style.bodyFamilies, 10));
    BuildReportDocument(doc, content, style, QDate::currentDate());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&doc))
        throw std::runtime_error("ODT");
    return FinishOdt(buffer.data(), ReportTitle(content), ReportSubject(content));
}

} // namespace

std::optional<ReportFormat> ReportFormatOf(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find_first_of("/\\", dot) != std::string::npos)
        return std::nullopt;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "pdf")
        return ReportFormat::Pdf;
    if (extension == "odt")
        return ReportFormat::Odt;
    return std::nullopt;
}

void WriteReport(const ReportContent& content, const std::string& path, ReportFormat format) {
    QByteArray bytes;
    try {
        bytes = format == ReportFormat::Pdf ? PdfBytes(content) : OdtBytes(content);
    } catch (const std::runtime_error&) {
        throw CalcError(ErrorKind::FileAccess, path, "（文档没有生成）");
    }
    project::SaveAtomically(path, std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void WriteReport(const ReportRequest& request, const std::string& path) {
    const std::optional<ReportFormat> format = ReportFormatOf(path);
    if (!format)
        throw std::invalid_argument("计算书的文件名须以 .pdf 或 .odt 结尾");
    drawing::InstallChineseFonts();
    WriteReport(ComposeReport(request), path, *format);
}

} // namespace report
