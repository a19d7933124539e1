// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/odtcontent.h"

#include "drawing/drawingstyle.h"
#include "report/odtfaces.h"
#include "report/odtmarks.h"
#include "report/pagebreaks.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <cmath>

namespace report {
namespace {

using Re = QRegularExpression;

// Each Latin size also for Chinese (asian) and complex script, so that an
// office suite does not set the Chinese characters in its own default size.
void WithAsianSizes(QString& xml) {
    xml.replace(Re(QStringLiteral("fo:font-size=\"([^\"]*)\"")),
                QStringLiteral("fo:font-size=\"\\1\" style:font-size-asian=\"\\1\" "
                               "style:font-size-complex=\"\\1\""));
}

// The faces by name (odtfaces.h): Qt writes the design face of the text
// (宋体, 黑体, or its default "Sans" for a character it adds) as one family
// for every script; here each script gets its own declared face.
void WithDeclaredFaces(QString& xml) {
    const QString body = BodyFaceAttributes(), heading = HeadingFaceAttributes();
    xml.replace(QStringLiteral("fo:font-family=\"宋体\""), body);
    xml.replace(QStringLiteral("fo:font-family=\"Sans\""), body);
    xml.replace(QStringLiteral("fo:font-family=\"黑体\""), heading);
    xml.replace(QStringLiteral("fo:font-family=\"%1\"").arg(kSignFamily), SignFaceAttributes());
    const QString root = QStringLiteral("<office:automatic-styles>");
    xml.replace(xml.indexOf(root), 0, FontFaceDecls());
}

// A line break of a cell as Qt writes it: a tab before it, which an
// office suite sets as an empty line after the first.
void CellLineBreaks(QString& xml) {
    xml.replace(Re(QStringLiteral("<text:tab/>\\s*<text:line-break/>")),
                QStringLiteral("<text:line-break/>"));
}

bool Near(double points, double markPx) {
    return std::fabs(points - markPx * 0.75) < 0.004;
}

// Paragraph styles by name whose top margin carries a mark: the ground of
// a cell, or "h" for a heading.
QHash<QString, QString> MarkedStyles(const QString& xml) {
    static const Re style(
        QStringLiteral("<style:style style:name=\"([^\"]+)\" style:family=\"paragraph\">\\s*"
                       "<style:paragraph-properties[^>]*fo:margin-top=\"([0-9.]+)pt\""));
    QHash<QString, QString> marked;
    for (auto it = style.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        const double top = m.captured(2).toDouble();
        if (Near(top, kHeaderCellMark))
            marked.insert(m.captured(1), kHeaderGround.name());
        else if (Near(top, kMarkedCellMark))
            marked.insert(m.captured(1), kMarkedGround.name());
        else if (Near(top, kUnmetCellMark))
            marked.insert(m.captured(1), drawing::kUnmetGround.name());
        else if (Near(top, kNotedCellMark))
            marked.insert(m.captured(1), drawing::kNotedGround.name());
        else if (Near(top, kHeadingTopPx))
            marked.insert(m.captured(1), QStringLiteral("h"));
    }
    return marked;
}

// A cell whose first paragraph has a marked style gets the ground in its
// own style; a marked heading becomes text:h of outline level 1.
void GroundsAndHeadings(QString& xml) {
    const QHash<QString, QString> marked = MarkedStyles(xml);
    static const Re cell(
        QStringLiteral("<table:table-cell table:style-name=\"([^\"]+)\"[^>]*>\\s*<text:p "
                       "text:style-name=\"([^\"]+)\""));
    QHash<QString, QString> cellGrounds;
    for (auto it = cell.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        const QString ground = marked.value(m.captured(2));
        if (!ground.isEmpty() && ground != QLatin1String("h"))
            cellGrounds.insert(m.captured(1), ground);
    }
    for (auto it = cellGrounds.cbegin(); it != cellGrounds.cend(); ++it)
        xml.replace(
            Re(QStringLiteral("(<style:style style:name=\"%1\" style:family=\"table-cell\">\\s*"
                              "<style:table-cell-properties)")
                   .arg(Re::escape(it.key()))),
            QStringLiteral("\\1 fo:background-color=\"%1\"").arg(it.value()));
    // A block kept with the next one (odtmarks.h) stays with it here too.
    // (Qt writes true and false where ODF has always and auto.)
    xml.replace(QStringLiteral("fo:keep-together=\"true\""),
                QStringLiteral("fo:keep-together=\"always\" fo:keep-with-next=\"always\""));
    xml.replace(QStringLiteral("fo:keep-together=\"false\""),
                QStringLiteral("fo:keep-together=\"auto\""));
    for (auto it = marked.cbegin(); it != marked.cend(); ++it) {
        if (it.value() != QLatin1String("h"))
            continue;
        xml.replace(
            Re(QStringLiteral("<text:p text:style-name=\"%1\">(.*?)</text:p>")
                   .arg(Re::escape(it.key())),
               Re::DotMatchesEverythingOption),
            QStringLiteral("<text:h text:style-name=\"%1\" text:outline-level=\"1\">\\1</text:h>")
                .arg(it.key()));
    }
}

// Each table's first row as its header rows, repeated on every page; a
// table of a few rows on one page, the rows never split.
void HeaderRows(QString& xml) {
    static const Re table(
        QStringLiteral("(<table:table table:style-name=\"([^\"]+)\"[^>]*>"
                       "(?:\\s*<table:table-column[^>]*/>)*\\s*)"
                       "(<table:table-row.*?</table:table-row>)(.*?)</table:table>"),
        Re::DotMatchesEverythingOption);
    QString out;
    qsizetype at = 0;
    QSet<QString> shortTables; // a style may serve several tables
    for (auto it = table.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        out += xml.mid(at, m.capturedStart() - at);
        out += m.captured(1) + QStringLiteral("<table:table-header-rows>") + m.captured(3) +
               QStringLiteral("</table:table-header-rows>") + m.captured(4) +
               QStringLiteral("</table:table>");
        if (m.captured(4).count(QStringLiteral("<table:table-row")) + 1 <= kShortTableRows)
            shortTables.insert(m.captured(2));
        at = m.capturedEnd();
    }
    xml = out + xml.mid(at);
    for (const QString& name : shortTables)
        xml.replace(Re(QStringLiteral("(<style:style style:name=\"%1\" style:family=\"table\">\\s*"
                                      "<style:table-properties)")
                           .arg(Re::escape(name))),
                    QStringLiteral("\\1 style:may-break-between-rows=\"false\""));
}

QString Escaped(QString text) {
    return text.toHtmlEscaped();
}

} // namespace

QByteArray FinishContent(const QByteArray& content) {
    QString xml = QString::fromUtf8(content);
    WithAsianSizes(xml);
    WithDeclaredFaces(xml);
    CellLineBreaks(xml);
    GroundsAndHeadings(xml);
    HeaderRows(xml);
    return xml.toUtf8();
}

QByteArray MetaXml(const QString& title, const QString& subject) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<office:document-meta "
               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
               "xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\" "
               "office:version=\"1.2\">"
               "<office:meta><meta:generator>Ambrelo</meta:generator><dc:title>%1</dc:title>"
               "<dc:subject>%2</dc:subject><dc:language>zh-CN</dc:language></office:meta>"
               "</office:document-meta>\n")
        .arg(Escaped(title), Escaped(subject))
        .toUtf8();
}

} // namespace report
