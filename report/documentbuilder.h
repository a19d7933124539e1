// SPDX-License-Identifier: GPL-3.0-or-later
// Appends the report's blocks, formulas, tables and figures to a
// QTextDocument: the typography both the PDF and the ODT share.
#pragma once

#include "report/figures.h"
#include "report/reportcontent.h"
#include "report/reportdocument.h"

#include <QTextCharFormat>
#include <QTextCursor>

class QTextTable;

namespace report {

constexpr double kBodyPt = 10.5;  // 五号
constexpr double kTablePt = 9;    // 小五
constexpr double kHeadingPt = 12; // 小四
constexpr double kTitlePt = 22;   // 二号

class DocumentBuilder {
public:
    DocumentBuilder(QTextDocument& doc, const DocumentStyle& style, const FigureData& figures);

    // Lengths the layout scales to the device: pixels at 96 dpi.
    static double mm(double value) { return value * 96 / 25.4; }

    QTextCharFormat font(double points, bool heading = false) const;
    // A new block (the document's first block is used for the first one).
    void block(Qt::Alignment align, double indentMm = 0, double beforeMm = 0, double afterMm = 0,
               bool spaced = true);
    // The current block goes to the next page with what follows it.
    void keepWithNext();
    // Inserts `text` at the end in `format`: "_{…}" and "^{…}" as sub- and
    // superscripts, "[a|b]" as the fraction a over b (on the PDF; a/b in the
    // ODT), a minus sign "−" for a hyphen before a number, no space before "%".
    void rich(const std::string& text, const QTextCharFormat& format);
    // Inserts `text` as it is (no markup) in `format`.
    void plain(const QString& text, const QTextCharFormat& format);
    void paragraph(const std::string& text, Paragraph::Kind kind = Paragraph::Kind::Text,
                   bool keptWithNext = false);
    // A numbered heading of the outline: 一、二、… in the order written.
    void heading(const std::string& title);
    // A table numbered 表 1, 表 2 … in the order written, its caption
    // centred above it and kept with it.
    void table(const TextTable& content, const std::vector<double>& percents,
               const std::string& caption);
    // A figure numbered 图 1, 图 2 …, its caption below it.
    void figure(Figure which, double widthShare, const QString& caption);
    // The numbers the next table and the next figure will get, for the
    // text that refers to them.
    int nextTable() const { return tables_ + 1; }
    int nextFigure() const { return figureCount_ + 1; }

    QTextCursor cursor;

private:
    // Row kinds by their ground: header grey, the trial that met the
    // tolerance yellow, a check not met red, other rows white.
    enum class Row { Header, Marked, Unmet, Noted, Plain };
    void cell(QTextTable* table, int row, int column, const std::string& text, Row kind);
    double deviceMm(double value) const { return value * style_.deviceUnitsPerMm; }

    QTextDocument& doc_;
    const DocumentStyle& style_;
    const FigureData& figures_;
    int headings_ = 0;
    int formulas_ = 0;
    int tables_ = 0;
    int figureCount_ = 0;
};

} // namespace report
