// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportdocument.h"

#include "report/basis.h"
#include "report/connectionsection.h"
#include "report/documentbuilder.h"
#include "report/wording.h"

#include <QTextDocument>
#include <functional>
#include <vector>

namespace report {
namespace {

using B = DocumentBuilder;

// A field of the heading block, or a line to fill in (a run of full-width
// low lines: a checker sees a line, not nothing).
QString Field(const std::string& value) {
    return value.empty() ? QString(10, QChar(0xFF3F)) : QString::fromStdString(value);
}

void FieldLine(B& b, const QString& caption, const QString& value) {
    b.block(Qt::AlignLeft, 22, 0.5, 0.5);
    b.cursor.insertText(caption + QStringLiteral("："), b.font(kBodyPt + 1.5));
    QTextCharFormat filled = b.font(kBodyPt + 1.5);
    filled.setFontUnderline(true);
    b.cursor.insertText(value, filled);
}

// Heading block: title, the identity of the work, what is calculated,
// the date and the program.
void AddTitle(B& b, const ReportContent& content, const QDate& date) {
    b.block(Qt::AlignHCenter, 0, 0, 8);
    b.cursor.insertText(QStringLiteral("渡槽水力计算书"), b.font(kTitlePt, true));
    const project::ReportIdentity& id = content.request.identity;
    const std::string structure = id.structure.empty() ? content.request.projectName : id.structure;
    const std::string grade = id.grade.empty() ? std::string() : id.grade + " 级";
    for (const project::IdentityField& f : project::IdentityFields()) {
        if (f.member == &project::ReportIdentity::author)
            break; // the names sign at the end
        const std::string value = f.member == &project::ReportIdentity::structure ? structure
                                  : f.member == &project::ReportIdentity::grade   ? grade
                                                                                  : id.*f.member;
        FieldLine(b, QString::fromUtf8(f.caption.data(), f.caption.size()), Field(value));
    }
    FieldLine(b, QStringLiteral("计算内容"),
              QStringLiteral("情况 %1　%2")
                  .arg(content.request.caseNo)
                  .arg(QString::fromStdString(content.caseCaption)));
    FieldLine(b, QStringLiteral("计算日期"),
              QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day()));
    FieldLine(b, QStringLiteral("计算程序"),
              QStringLiteral("Ambrelo %1").arg(QStringLiteral(AMBRELO_VERSION)));
}

// 计算、校核、审查 with the names given (else a blank) and a date to write.
void AddSignOff(B& b, const project::ReportIdentity& id) {
    const std::pair<const char*, const std::string*> roles[] = {
        {"计算", &id.author}, {"校核", &id.checker}, {"审查", &id.reviewer}};
    QTextCharFormat blank = b.font(kBodyPt + 1.5);
    blank.setFontUnderline(true);
    for (const auto& [role, name] : roles) {
        b.block(Qt::AlignLeft, 10, name == &id.author ? 15 : 5, 0);
        if (name != &id.reviewer)
            b.keepWithNext();
        b.cursor.insertText(QString::fromUtf8(role) + QStringLiteral("："), b.font(kBodyPt + 1.5));
        const QString who = QString::fromStdString(*name);
        b.cursor.insertText(who + QString(std::max<qsizetype>(2, 10 - who.size()), QChar(0x3000)),
                            blank);
        b.cursor.insertText(QStringLiteral("　　日期："), b.font(kBodyPt + 1.5));
        b.cursor.insertText(QString(3, QChar(0x3000)), blank);
        b.cursor.insertText(QStringLiteral("年"), b.font(kBodyPt + 1.5));
        b.cursor.insertText(QString(2, QChar(0x3000)), blank);
        b.cursor.insertText(QStringLiteral("月"), b.font(kBodyPt + 1.5));
        b.cursor.insertText(QString(2, QChar(0x3000)), blank);
        b.cursor.insertText(QStringLiteral("日"), b.font(kBodyPt + 1.5));
    }
}

const std::vector<double> kQuantityColumns = {38, 22, 24, 16};

std::vector<double> TrialColumns(std::size_t columns) {
    if (columns == 6)
        return {8, 12, 20, 20, 24, 16};
    if (columns == 9)
        return {6, 12, 12, 15, 9, 12, 11, 13, 10};
    return kQuantityColumns;
}

// Paragraphs in order; a line that leads into a formula stays with it, and
// so do the formulas of one block.
void AddParagraphs(B& b, const std::vector<Paragraph>& paragraphs) {
    for (std::size_t k = 0; k < paragraphs.size(); ++k) {
        const Paragraph& p = paragraphs[k];
        if (p.kind == Paragraph::Kind::Table) {
            b.table(TransitionTable(), {40, 30, 30},
                    "渐变段局部水头损失系数（GB 50288-2018 表 K.1.2）");
            continue;
        }
        const bool intoFormula =
            k + 1 < paragraphs.size() && (paragraphs[k + 1].kind == Paragraph::Kind::Formula ||
                                          paragraphs[k + 1].kind == Paragraph::Kind::Table);
        b.paragraph(p.text, p.kind, intoFormula);
    }
}

void AddInputs(B& b, const ReportContent& c) {
    b.heading("基本资料");
    b.table(c.inputs, kQuantityColumns, "基本资料");
}

void AddBasis(B& b, const ReportContent& c) {
    b.heading("计算依据");
    AddParagraphs(b, c.basis);
}

void AddFormulas(B& b, const ReportContent& c) {
    b.heading("计算公式");
    b.paragraph("符号说明", Paragraph::Kind::Subheading);
    b.paragraph("本计算书所用符号及单位见表 " + std::to_string(b.nextTable()) + "。");
    b.table(SymbolTable(c.connection.has_value()), {16, 64, 20}, "符号说明");
    AddParagraphs(b, FormulaParagraphs());
    // With canal data the drops are the connection's: grades 1–3 add the
    // transitions' friction of K.1.2-1 to these.
    if (c.connection && c.connection->grade >= 1 && c.connection->grade <= 3)
        b.paragraph(
            "本建筑物为 " + std::to_string(c.connection->grade) +
            " 级，有渠道资料时进口段水面降落 Z_{1} 与出口段水面回升 Z_{3} 按附录 K.1.2 "
            "式（K.1.2-1）计入进、出口渐变段的沿程水头损失：Z_{1} 加 J_{1−2}L_{1}，Z_{3} 减 "
            "J_{3−4}L_{2}，见“水面衔接与高程”一节。");
}

void AddTrials(B& b, const ReportContent& c) {
    b.heading("试算过程");
    b.paragraph(c.trialMethod + "试算过程见表 " + std::to_string(b.nextTable()) + "。");
    b.table(c.trials, TrialColumns(c.trials.header.size()),
            c.request.caseNo == 4 ? "断面计算" : "试算过程");
    b.paragraph("水面降落计算", Paragraph::Kind::Subheading);
    b.table(c.losses, {24, 42, 20, 14}, "水面降落计算");
    for (const std::string& note : c.lossNotes)
        b.paragraph("注：" + note);
}

void AddResults(B& b, const ReportContent& c) {
    b.heading("计算成果");
    b.paragraph(ResultsNote(c.request.caseNo, b.nextTable()));
    b.table(c.results, kQuantityColumns, "计算成果（照录计算窗口）");
}

void AddElements(B& b, const ReportContent& c) {
    b.heading("水力要素");
    b.paragraph("按实际断面计算的水力要素见表 " + std::to_string(b.nextTable()) +
                "，槽身断面见图 " + std::to_string(b.nextFigure()) + "，水深—流量关系曲线见图 " +
                std::to_string(b.nextFigure() + 1) + "。");
    b.table(c.elements, kQuantityColumns, "水力要素");
    b.figure(Figure::Section, 0.62,
             QStringLiteral("槽身断面（按比例；槽身净深、临界水深及加大流量水面）"));
    b.figure(Figure::Rating, 0.95, QStringLiteral("水深—流量关系曲线"));
}

void AddChecks(B& b, const ReportContent& c) {
    b.heading("设计校核");
    for (const std::string& line : IncreaseBasis(c))
        b.paragraph(line);
    b.paragraph("设计校核见表 " + std::to_string(b.nextTable()) + "。");
    b.table(c.checks, {12, 25, 28, 27, 8}, "设计校核");
}

void AddConclusion(B& b, const ReportContent& c) {
    b.heading("结论");
    for (std::size_t k = 0; k < c.conclusion.paragraphs.size(); ++k) // the last with its table
        b.paragraph(c.conclusion.paragraphs[k], Paragraph::Kind::Text,
                    k + 1 == c.conclusion.paragraphs.size());
    b.table(c.conclusion.adopted, kQuantityColumns, "采用值");
}

// The sections in order, each numbered by its place; a new section is one
// more entry.
using Section = std::function<void(B&, const ReportContent&)>;
const std::vector<Section>& Sections() {
    static const std::vector<Section> sections = {AddInputs, AddBasis,      AddFormulas,
                                                  AddTrials, AddResults,    AddElements,
                                                  AddChecks, AddConnection, AddConclusion};
    return sections;
}

} // namespace

void BuildReportDocument(QTextDocument& doc, const ReportContent& content,
                         const DocumentStyle& style, const QDate& date) {
    doc.setUndoRedoEnabled(false);
    const FigureData figures = FiguresOf(content, ReportLatinFaces());
    B b(doc, style, figures);
    // One change for the layout to follow, not one per cell.
    b.cursor.beginEditBlock();
    AddTitle(b, content, date);
    for (const Section& section : Sections())
        section(b, content);
    AddSignOff(b, content.request.identity);
    b.cursor.endEditBlock();
}

} // namespace report
