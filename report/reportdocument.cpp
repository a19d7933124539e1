#include "report/reportdocument.h"

#include "drawing/drawingstyle.h"
#include "report/connectionsection.h"
#include "report/figureobject.h"
#include "report/figures.h"
#include "report/pagebreaks.h"
#include "report/reporttext.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <string_view>
#include <vector>

namespace report {
namespace {

constexpr double kBodyPt = 10.5;    // 五号
constexpr double kTablePt = 9;      // 小五
constexpr double kHeadingPt = 12;   // 小四
constexpr double kTitlePt = 22;     // 二号
constexpr double kPictureScale = 2; // pictures of the ODT at twice the canvas

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Appends blocks and tables at the end of the document.
struct Builder {
    QTextDocument& doc;
    const DocumentStyle& style;
    const FigureData& figures;
    QTextCursor cursor;

    // Lengths the layout scales to the device: pixels at 96 dpi.
    static double mm(double value) { return value * 96 / 25.4; }
    // Lengths it takes as they are: device units.
    double deviceMm(double value) const { return value * style.deviceUnitsPerMm; }

    QTextCharFormat font(double points, bool heading = false) const {
        QTextCharFormat format;
        const QStringList& families = heading ? style.headingFamilies : style.bodyFamilies;
        format.setFontFamilies(families);
        // Qt's ODF writer names the face from the single-family property.
        format.setProperty(QTextFormat::OldFontFamily, families.first());
        format.setFontPointSize(points);
        return format;
    }

    // A new block (the document's first block is used for the first one).
    void block(Qt::Alignment align, double indentMm = 0, double beforeMm = 0, double afterMm = 0,
               bool spaced = true) {
        QTextBlockFormat format;
        format.setAlignment(align);
        format.setLeftMargin(deviceMm(indentMm));
        format.setTopMargin(mm(beforeMm));
        format.setBottomMargin(mm(afterMm));
        if (spaced) // a figure's line is as high as the figure
            format.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
        cursor.movePosition(QTextCursor::End);
        if (doc.isEmpty())
            cursor.setBlockFormat(format);
        else
            cursor.insertBlock(format);
    }

    // The current block goes to the next page with what follows it.
    void keepWithNext() {
        QTextBlockFormat format;
        format.setProperty(kKeepWithNext, true);
        cursor.mergeBlockFormat(format);
    }

    void paragraph(const QString& text, Paragraph::Kind kind = Paragraph::Kind::Text) {
        switch (kind) {
        case Paragraph::Kind::Subheading:
            block(Qt::AlignLeft, 0, 2, 1);
            keepWithNext();
            cursor.insertText(text, font(kBodyPt, true));
            break;
        case Paragraph::Kind::Formula:
            block(Qt::AlignLeft, 12, 0.5, 0.5);
            cursor.insertText(text, font(kBodyPt));
            break;
        case Paragraph::Kind::Text:
            block(Qt::AlignJustify, 0, 0.5, 0.5);
            cursor.insertText(text, font(kBodyPt));
            break;
        }
    }

    void heading(const QString& text) {
        block(Qt::AlignLeft, 0, 6, 2);
        keepWithNext();
        cursor.insertText(text, font(kHeadingPt, true));
    }

    void table(const TextTable& content, const std::vector<double>& percents);
    // Row kinds by their ground: header grey, the trial that met the
    // tolerance yellow, a check not met red, other rows white.
    enum class Row { Header, Marked, Unmet, Plain };
    void cell(QTextTable* table, int row, int column, const QString& text, Row kind);
    void figure(Figure which, double widthShare, const QString& caption);
};

void Builder::cell(QTextTable* table, int row, int column, const QString& text, Row kind) {
    QTextTableCell cell = table->cellAt(row, column);
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    const QColor grounds[] = {{230, 230, 230}, {255, 244, 200}, drawing::kUnmetGround};
    if (kind != Row::Plain)
        format.setBackground(grounds[static_cast<int>(kind)]);
    format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    cell.setFormat(format);
    QTextCursor at = cell.firstCursorPosition();
    QTextBlockFormat align;
    align.setAlignment(Qt::AlignCenter);
    at.setBlockFormat(align);
    at.insertText(text, font(kTablePt, kind == Row::Header));
}

void Builder::table(const TextTable& content, const std::vector<double>& percents) {
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
        return style.pointTableWidths ? QTextLength(QTextLength::FixedLength,
                                                    style.bodyWidthMm * 72 / 25.4 * percent / 100)
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
        cell(table, 0, c, Text(content.header[c]), Row::Header);
    for (int r = 1; r < rows; ++r) {
        const bool unmet = std::find(content.unmetRows.begin(), content.unmetRows.end(), r - 1) !=
                           content.unmetRows.end();
        const Row kind = r - 1 == content.markedRow ? Row::Marked : unmet ? Row::Unmet : Row::Plain;
        for (int c = 0; c < columns; ++c)
            cell(table, r, c, Text(content.rows[r - 1].at(c)), kind);
    }
    cursor.movePosition(QTextCursor::End);
}

void Builder::figure(Figure which, double widthShare, const QString& caption) {
    block(Qt::AlignHCenter, 0, 3, 0, false);
    const double width = deviceMm(style.bodyWidthMm) * widthShare;
    if (style.vectorFigures) {
        keepWithNext(); // with its caption
        FigureObject::Insert(cursor, which, width);
        block(Qt::AlignHCenter, 0, 1, 2);
    } else {
        // Size of the picture in the document: the canvas's proportions.
        const QSizeF canvas = FigureCanvas(which);
        const QString name =
            which == Figure::Section ? QStringLiteral("section.png") : QStringLiteral("rating.png");
        doc.addResource(QTextDocument::ImageResource, QUrl(name),
                        RenderFigure(which, figures, kPictureScale));
        QTextImageFormat image;
        image.setName(name);
        image.setWidth(width);
        image.setHeight(width * canvas.height() / canvas.width());
        cursor.insertImage(image);
        // The caption in the picture's paragraph: an office suite keeps a
        // paragraph of two lines on one page.
        cursor.insertText(QString(QChar::LineSeparator));
    }
    cursor.insertText(caption, font(kBodyPt));
}

// Heading block: title, project, case, date and version.
void AddTitle(Builder& b, const ReportContent& content, const QDate& date) {
    b.block(Qt::AlignHCenter, 0, 0, 8);
    b.cursor.insertText(QStringLiteral("渡槽水力计算书"), b.font(kTitlePt, true));
    const QString project = content.request.projectName.empty() ? QStringLiteral("（未命名）")
                                                                : Text(content.request.projectName);
    const QString lines[] = {
        QStringLiteral("项目名称：%1").arg(project),
        QStringLiteral("计算情况：情况 %1　%2")
            .arg(content.request.caseNo)
            .arg(Text(content.caseCaption)),
        QStringLiteral("计算日期：%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day()),
        QStringLiteral("程序版本：Ambrelo %1").arg(QStringLiteral(AMBRELO_VERSION)),
    };
    for (const QString& line : lines) {
        b.block(Qt::AlignLeft, 30, 0.5, 0.5);
        b.cursor.insertText(line, b.font(kBodyPt + 1.5));
    }
}

// 计算、校核、审查 with lines to sign on and to date.
void AddSignOff(Builder& b) {
    b.block(Qt::AlignLeft, 0, 14, 0);
    b.keepWithNext();
    for (const char* role : {"计算", "校核", "审查"}) {
        b.block(Qt::AlignLeft, 10, 5, 0);
        if (std::string_view(role) != "审查")
            b.keepWithNext();
        b.cursor.insertText(QStringLiteral("%1：____________________　　日期：______年____月____日")
                                .arg(QString::fromUtf8(role)),
                            b.font(kBodyPt + 1.5));
    }
}

const std::vector<double> kQuantityColumns = {38, 22, 24, 16};

std::vector<double> TrialColumns(std::size_t columns) {
    if (columns == 6)
        return {8, 12, 20, 20, 24, 16};
    if (columns == 8)
        return {6, 14, 15, 10, 14, 13, 18, 10};
    return kQuantityColumns;
}

void AddCalculation(Builder& b, const ReportContent& content) {
    b.heading(QStringLiteral("三、试算过程"));
    b.paragraph(Text(content.trialMethod));
    b.table(content.trials, TrialColumns(content.trials.header.size()));
    b.paragraph(QStringLiteral("水头损失计算（单精度，未经取舍）"), Paragraph::Kind::Subheading);
    b.table(content.losses, {20, 44, 22, 14});

    b.heading(QStringLiteral("四、计算成果"));
    b.table(content.results, kQuantityColumns);
}

void AddElementsAndChecks(Builder& b, const ReportContent& content) {
    b.heading(QStringLiteral("五、水力要素"));
    b.table(content.elements, kQuantityColumns);
    b.figure(Figure::Section, 0.62,
             QStringLiteral("图 1　槽身断面（按比例；槽身净深、临界水深及加大流量水面）"));
    b.figure(Figure::Rating, 0.95, QStringLiteral("图 2　水深—流量关系曲线"));

    b.heading(QStringLiteral("六、设计校核"));
    b.table(content.checks, {13, 29, 28, 20, 10});
}

} // namespace

void BuildReportDocument(QTextDocument& doc, const ReportContent& content,
                         const DocumentStyle& style, const QDate& date) {
    doc.setUndoRedoEnabled(false);
    const FigureData figures = FiguresOf(content);
    Builder b{doc, style, figures, QTextCursor(&doc)};
    // One change for the layout to follow, not one per cell.
    b.cursor.beginEditBlock();
    AddTitle(b, content, date);

    b.heading(QStringLiteral("一、基本资料"));
    b.table(content.inputs, kQuantityColumns);

    b.heading(QStringLiteral("二、计算依据与公式"));
    for (const Paragraph& p : BasisParagraphs())
        b.paragraph(Text(p.text), p.kind);

    AddCalculation(b, content);
    AddElementsAndChecks(b, content);
    AppendConnectionSection(b.cursor, content, style, QStringLiteral("七"));
    AddSignOff(b);
    b.cursor.endEditBlock();
}

} // namespace report
