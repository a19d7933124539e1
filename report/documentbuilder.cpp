// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/documentbuilder.h"

#include "drawing/drawingstyle.h"
#include "report/figureobject.h"
#include "report/fractionobject.h"
#include "report/odtfaces.h"
#include "report/odtmarks.h"
#include "report/pagebreaks.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <algorithm>

namespace report {
namespace {

constexpr double kPictureScale = 2; // pictures of the ODT at twice the canvas

// 一 … 十九: enough for any report's sections.
QString ChineseNumber(int n) {
    static const QString digits = QStringLiteral("一二三四五六七八九");
    if (n < 10)
        return digits.mid(n - 1, 1);
    return (n >= 20 ? digits.mid(n / 10 - 1, 1) : QString()) + QStringLiteral("十") +
           (n % 10 ? digits.mid(n % 10 - 1, 1) : QString());
}

// The typography of a text: true minus signs and "30%".
QString Typeset(QString text) {
    for (qsizetype at = 0; (at = text.indexOf(QLatin1Char('-'), at)) >= 0; ++at) {
        const bool before = at > 0 && (text[at - 1].isLetterOrNumber() || text[at - 1] == u'.');
        const bool digitAfter =
            at + 1 < text.size() && (text[at + 1].isDigit() || text[at + 1] == u'.');
        if (!before && digitAfter)
            text[at] = QChar(0x2212);
    }
    text.replace(QStringLiteral(" %"), QStringLiteral("%"));
    return text;
}

// A part of a fraction set on one line: in parentheses where it is a sum
// or a product ("g·r"), so that a/(g·r) does not read as (a/g)·r.
QString Grouped(const QString& part) {
    int depth = 0;
    for (const QChar c : part) {
        depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
        if (depth == 0 && (c == u' ' || c == QChar(0x00B7)))
            return QLatin1Char('(') + part + QLatin1Char(')');
    }
    return part;
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument& doc, const DocumentStyle& style,
                                 const FigureData& figures)
    : cursor(&doc), doc_(doc), style_(style), figures_(figures) {}

QTextCharFormat DocumentBuilder::font(double points, bool heading) const {
    QTextCharFormat format;
    const QStringList& families = heading ? style_.headingFamilies : style_.bodyFamilies;
    format.setFontFamilies(families);
    // Qt's ODF writer names the face from the single-family property.
    format.setProperty(QTextFormat::OldFontFamily, families.first());
    format.setFontPointSize(points);
    return format;
}

void DocumentBuilder::block(Qt::Alignment align, double indentMm, double beforeMm, double afterMm,
                            bool spaced) {
    QTextBlockFormat format;
    format.setAlignment(align);
    format.setLeftMargin(deviceMm(indentMm));
    format.setTopMargin(mm(beforeMm));
    format.setBottomMargin(mm(afterMm));
    if (spaced) // a figure's line is as high as the figure
        format.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
    cursor.movePosition(QTextCursor::End);
    if (doc_.isEmpty())
        cursor.setBlockFormat(format);
    else
        cursor.insertBlock(format);
}

void DocumentBuilder::keepWithNext() {
    QTextBlockFormat format;
    format.setProperty(kKeepWithNext, true);
    // For the ODT also "not split over a page", which Qt's ODF writer
    // writes (fo:keep-together) and the finishing makes keep-with-next.
    // (Qt's own layout takes it as "not wrapped": not for the PDF.)
    if (!style_.vectorFigures)
        format.setNonBreakableLines(true);
    cursor.mergeBlockFormat(format);
}

void DocumentBuilder::plain(const QString& text, const QTextCharFormat& format) {
    if (style_.vectorFigures) {
        cursor.insertText(text, format);
        return;
    }
    // The ODT: a sign its Latin face lacks in a face that has it, so that
    // an office suite does not fall back to a face of its own choice.
    QTextCharFormat sign = format;
    sign.setFontFamilies({kSignFamily});
    sign.setProperty(QTextFormat::OldFontFamily, kSignFamily);
    qsizetype from = 0;
    for (qsizetype k = 0; k <= text.size(); ++k) {
        if (k < text.size() && !IsSign(text[k]))
            continue;
        cursor.insertText(text.mid(from, k - from), format);
        if (k < text.size())
            cursor.insertText(text.mid(k, 1), sign);
        from = k + 1;
    }
}

void DocumentBuilder::rich(const std::string& text, const QTextCharFormat& format) {
    const QString all = Typeset(QString::fromStdString(text));
    static const QRegularExpression mark(
        QStringLiteral("([_^])\\{([^}]*)\\}|\\[([^|\\]]*)\\|([^\\]]*)\\]"));
    qsizetype at = 0;
    for (auto it = mark.globalMatch(all); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        plain(all.mid(at, m.capturedStart() - at), format);
        at = m.capturedEnd();
        if (m.captured(1).isEmpty()) { // [numerator|denominator]
            if (style_.vectorFigures)
                FractionObject::Insert(cursor, m.captured(3), m.captured(4), format);
            else // the ODT: on one line
                plain(Grouped(m.captured(3)) + QLatin1Char('/') + Grouped(m.captured(4)), format);
            continue;
        }
        QTextCharFormat script = format;
        script.setVerticalAlignment(m.captured(1) == QLatin1String("_")
                                        ? QTextCharFormat::AlignSubScript
                                        : QTextCharFormat::AlignSuperScript);
        plain(m.captured(2), script);
    }
    plain(all.mid(at), format);
}

void DocumentBuilder::paragraph(const std::string& text, Paragraph::Kind kind, bool keptWithNext) {
    switch (kind) {
    case Paragraph::Kind::Subheading:
        block(Qt::AlignLeft, 0, 2, 1);
        keepWithNext();
        rich(text, font(kBodyPt, true));
        return;
    case Paragraph::Kind::Formula: {
        // A fraction makes its line as tall as it is (fractionobject.h).
        block(Qt::AlignLeft, 12, 0.5, 0.5);
        QTextBlockFormat numbered;
        // The number at the right edge of the text.
        numbered.setTabPositions(
            {QTextOption::Tab(mm(style_.bodyWidthMm - 12.5), QTextOption::RightTab)});
        cursor.mergeBlockFormat(numbered);
        rich(text, font(kBodyPt));
        cursor.insertText(QStringLiteral("\t（式 %1）").arg(++formulas_), font(kBodyPt));
        break;
    }
    case Paragraph::Kind::Text:
    case Paragraph::Kind::Table:
        block(Qt::AlignLeft, 0, 0.5, 0.5);
        rich(text, font(kBodyPt));
        break;
    }
    if (keptWithNext)
        keepWithNext();
}

void DocumentBuilder::heading(const std::string& title) {
    block(Qt::AlignLeft, 0, 6, 2);
    QTextBlockFormat level;
    level.setHeadingLevel(1);
    level.setTopMargin(kHeadingTopPx); // 6 mm, marked for the outline of the ODT
    cursor.mergeBlockFormat(level);
    keepWithNext();
    cursor.insertText(ChineseNumber(++headings_) + QStringLiteral("、") +
                          QString::fromStdString(title),
                      font(kHeadingPt, true));
}

void DocumentBuilder::cell(QTextTable* table, int row, int column, const std::string& text,
                           Row kind) {
    QTextTableCell cell = table->cellAt(row, column);
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    const QColor grounds[] = {kHeaderGround, kMarkedGround, drawing::kUnmetGround,
                              drawing::kNotedGround};
    const double marks[] = {kHeaderCellMark, kMarkedCellMark, kUnmetCellMark, kNotedCellMark, 0};
    if (kind != Row::Plain)
        format.setBackground(grounds[static_cast<int>(kind)]);
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    cell.setFormat(format);
    QTextCursor at = cell.firstCursorPosition();
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    centred.setTopMargin(marks[static_cast<int>(kind)]); // the ground, for the ODT
    // On the PDF a line of a cell (one figure, a number with its unit) is
    // never wrapped, the column widening instead; titles may wrap.
    centred.setNonBreakableLines(style_.vectorFigures && kind != Row::Header);
    std::swap(at, cursor);
    cursor.setBlockFormat(centred);
    // The lines of a cell as lines of one paragraph: Qt's ODF writer would
    // set a second paragraph of a cell in a cell of its own.
    std::size_t start = 0;
    for (bool first = true; start <= text.size(); first = false) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (!first)
            cursor.insertText(QString(QChar::LineSeparator));
        rich(text.substr(start, end - start), font(kTablePt, kind == Row::Header));
        start = end + 1;
    }
    std::swap(at, cursor);
}

void DocumentBuilder::table(const TextTable& content, const std::vector<double>& percents,
                            const std::string& caption) {
    block(Qt::AlignHCenter, 0, 2, 0.5);
    keepWithNext();
    rich("表 " + std::to_string(++tables_) + "　" + caption, font(kBodyPt));
    const int rows = static_cast<int>(content.rows.size()) + 1;
    const int columns = static_cast<int>(content.header.size());
    QTextTableFormat format;
    format.setBorderCollapse(true);
    format.setBorder(1); // the least that rules the grid, 0.26 mm
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(Qt::black);
    format.setCellSpacing(0);
    format.setCellPadding(mm(0.8));
    format.setHeaderRowCount(1); // repeated on every page the table runs onto
    format.setAlignment(Qt::AlignHCenter);
    format.setTopMargin(mm(1));
    format.setBottomMargin(mm(1));
    const auto length = [&](double percent) {
        return style_.pointTableWidths ? QTextLength(QTextLength::FixedLength,
                                                     style_.bodyWidthMm * 72 / 25.4 * percent / 100)
                                       : QTextLength(QTextLength::PercentageLength, percent);
    };
    format.setWidth(length(100));
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c)
        widths.append(length(c < int(percents.size()) ? percents[c] : 100.0 / columns));
    format.setColumnWidthConstraints(widths);
    cursor.movePosition(QTextCursor::End);
    QTextTable* table = cursor.insertTable(rows, columns, format);
    for (int c = 0; c < columns; ++c)
        cell(table, 0, c, content.header[c], Row::Header);
    for (int r = 1; r < rows; ++r) {
        const auto in = [&](const std::vector<int>& list) {
            return std::find(list.begin(), list.end(), r - 1) != list.end();
        };
        const Row kind = r - 1 == content.markedRow ? Row::Marked
                         : in(content.unmetRows)   ? Row::Unmet
                         : in(content.notedRows)   ? Row::Noted
                                                   : Row::Plain;
        for (int c = 0; c < columns; ++c)
            cell(table, r, c, content.rows[r - 1].at(c), kind);
    }
    cursor.movePosition(QTextCursor::End);
}

void DocumentBuilder::figure(Figure which, double widthShare, const QString& caption) {
    block(Qt::AlignHCenter, 0, 3, 0, false);
    const double width = deviceMm(style_.bodyWidthMm) * widthShare;
    if (style_.vectorFigures) {
        keepWithNext(); // with its caption
        FigureObject::Insert(cursor, which, width);
        block(Qt::AlignHCenter, 0, 1, 2);
    } else {
        // Size of the picture in the document: the canvas's proportions.
        const QSizeF canvas = FigureCanvas(which);
        const QString name = which == Figure::Section  ? QStringLiteral("section.png")
                             : which == Figure::Rating ? QStringLiteral("rating.png")
                                                       : QStringLiteral("profile.png");
        doc_.addResource(QTextDocument::ImageResource, QUrl(name),
                         RenderFigure(which, figures_, kPictureScale));
        QTextImageFormat image;
        image.setName(name);
        image.setWidth(width);
        image.setHeight(width * canvas.height() / canvas.width());
        cursor.insertImage(image);
        // The caption in the picture's paragraph: an office suite keeps a
        // paragraph of two lines on one page.
        cursor.insertText(QString(QChar::LineSeparator));
    }
    cursor.insertText(QStringLiteral("图 %1　").arg(++figureCount_) + caption, font(kBodyPt));
}

} // namespace report
