#include "report/connectionsection.h"

#include "drawing/connectionprofile.h"
#include "drawing/drawingstyle.h"
#include "hydraulics/connectionrows.h"
#include "hydraulics/module1.h"
#include "report/pagebreaks.h"

#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

namespace report {
namespace {

constexpr double kBodyPt = 10.5, kTablePt = 9, kHeadingPt = 12;
constexpr double kPictureScale = 3;

const char* const kFormulas[] = {
    "h₁、h₂：上下游渠道（梯形断面）按曼宁公式求得的正常水深；v₁ = Q/A₁，v₂ = Q/A₂，v = "
    "Q/A（槽身设计水深 h）",
    "L₁ = max(0, (T₁ − T)/2 / tan θ₁)，L₂ = max(0, (T₂ − T)/2 / tan θ₂)，T₁、T₂ = b + 2mh",
    "J = 渐变段两端断面 (nQ/(A·R^(2/3)))² 的平均值，两端各取其糙率",
    "Z₁ = (1 + ξ₁)(v² − v₁²)/2g + J₁₋₂·L₁，Z₂ = iL，Z₃ = (1 − ξ₂)(v² − v₂²)/2g − J₃₋₄·L₂（4、5 "
    "级不计 J·L 项）",
    "ΔZ = Z₁ + Z₂ − Z₃ ≤ [ΔZ]；∇₁ = ∇₃ + h₁ − Z₁ − h，∇₂ = ∇₁ − iL，∇₄ = ∇₂ + h + Z₃ − h₂",
    "加大流量 Q加 = Q(1 + p/100)：由下游水位 ∇₄ + h₂加 "
    "定槽身出口水深（低于临界水深时取临界水深），按 dh/dx = (i − S_f)/(1 − Fr²) "
    "向上游推算槽内水面线，"
    "再由 ∇₃ + h₁需 = ∇₁ + h进 + Z₁ 求上游渠道所需水深，壅高 Δh₁ = h₁需 − h₁加，宜不超过 h₁加 的 "
    "1%～3%",
    "长槽：L ≥ 15h₁；弯道：Δh = v²/(g·r)·A/h，r ≥ 6T",
};

struct Writer {
    QTextCursor& cursor;
    const DocumentStyle& style;

    QTextCharFormat Font(double points, bool heading = false) const {
        QTextCharFormat format;
        const QStringList& families = heading ? style.headingFamilies : style.bodyFamilies;
        format.setFontFamilies(families);
        format.setProperty(QTextFormat::OldFontFamily, families.value(0));
        format.setFontPointSize(points);
        return format;
    }

    void Block(Qt::Alignment align, double beforeMm, double afterMm, bool keep = false,
               double indentMm = 0) {
        QTextBlockFormat format;
        format.setAlignment(align);
        format.setTopMargin(beforeMm * 96 / 25.4);
        format.setBottomMargin(afterMm * 96 / 25.4);
        format.setLeftMargin(indentMm * style.deviceUnitsPerMm);
        if (keep)
            format.setProperty(kKeepWithNext, true);
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock(format);
    }

    void Text(const QString& text, double beforeMm, bool heading = false, double points = kBodyPt,
              double indentMm = 0) {
        Block(heading ? Qt::AlignLeft : Qt::AlignJustify, beforeMm, heading ? 1 : 0.5, heading,
              indentMm);
        cursor.insertText(text, Font(points, heading));
    }

    void Table(const QStringList& header, const std::vector<QStringList>& rows,
               const std::vector<int>& unmet, const std::vector<double>& percents);
    void Picture(const hydraulics::Connection& c, double h, double L);
};

void Writer::Table(const QStringList& header, const std::vector<QStringList>& rows,
                   const std::vector<int>& unmet, const std::vector<double>& percents) {
    QTextTableFormat format;
    format.setBorderCollapse(true);
    format.setBorder(1);
    format.setBorderBrush(Qt::black);
    format.setCellSpacing(0);
    format.setCellPadding(0.8 * 96 / 25.4);
    format.setHeaderRowCount(1);
    format.setAlignment(Qt::AlignHCenter);
    const auto length = [&](double percent) {
        return style.pointTableWidths ? QTextLength(QTextLength::FixedLength,
                                                    style.bodyWidthMm * 72 / 25.4 * percent / 100)
                                      : QTextLength(QTextLength::PercentageLength, percent);
    };
    format.setWidth(length(100));
    QList<QTextLength> widths;
    for (double percent : percents)
        widths.append(length(percent));
    format.setColumnWidthConstraints(widths);
    cursor.movePosition(QTextCursor::End);
    QTextTable* table = cursor.insertTable(int(rows.size()) + 1, int(header.size()), format);
    for (int r = 0; r <= int(rows.size()); ++r) {
        const QStringList& texts = r == 0 ? header : rows[std::size_t(r - 1)];
        const bool red = std::find(unmet.begin(), unmet.end(), r - 1) != unmet.end();
        for (int c = 0; c < int(header.size()); ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            QTextTableCellFormat cf = cell.format().toTableCellFormat();
            if (r == 0 || red)
                cf.setBackground(r == 0 ? QColor(230, 230, 230) : drawing::kUnmetGround);
            cf.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            cell.setFormat(cf);
            QTextCursor at = cell.firstCursorPosition();
            QTextBlockFormat align;
            align.setAlignment(Qt::AlignCenter);
            at.setBlockFormat(align);
            at.insertText(texts.value(c), Font(kTablePt, r == 0));
        }
    }
    cursor.movePosition(QTextCursor::End);
}

void Writer::Picture(const hydraulics::Connection& c, double h, double L) {
    const QSizeF canvas = drawing::ConnectionProfileCanvas();
    QImage image((canvas * kPictureScale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(kPictureScale, kPictureScale);
    drawing::PaintConnectionProfile(painter, QRectF(QPointF(0, 0), canvas), c, h, L);
    painter.end();
    const QString name = QStringLiteral("connection.png");
    cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    Block(Qt::AlignHCenter, 3, 2);
    QTextImageFormat format;
    format.setName(name);
    // An image's size is in pixels at 96 dpi, whatever device lays it out.
    const double width = style.bodyWidthMm * 96 / 25.4;
    format.setWidth(width);
    format.setHeight(width * canvas.height() / canvas.width());
    cursor.insertImage(format);
    cursor.insertText(QString(QChar::LineSeparator));
    cursor.insertText(QStringLiteral("图 3　纵断面示意（设计流量与加大流量水面）"), Font(kBodyPt));
}

QString Number(double value) {
    return QString::number(value, 'g', 7);
}

QString DataText(const hydraulics::ConnectionInput& in, const hydraulics::ConnectionFlume& f) {
    const auto canal = [](const hydraulics::Canal& c) {
        return QStringLiteral("b = %1 m，m = %2，n = %3，i = 1/%4")
            .arg(Number(c.b), Number(c.m), Number(c.n), Number(c.x));
    };
    return QStringLiteral(
               "上游渠道：%1，渠底高程 ∇₃ = %2 m。下游渠道：%3。允许水面降落 [ΔZ] = %4；"
               "进口收缩角 θ₁ = %5°，出口扩散角 θ₂ = %6°；建筑物级别 %7 级；弯道半径 r = %8。"
               "槽身 ξ₁ = %9，ξ₂ = %10（取自计算窗口）。")
        .arg(canal(in.upstream), Number(in.upstreamBed), canal(in.downstream),
             in.allowedDrop ? Number(*in.allowedDrop) + QStringLiteral(" m")
                            : QStringLiteral("未给出"),
             Number(in.inletAngle), Number(in.outletAngle), QString::number(in.grade),
             in.bendRadius ? Number(*in.bendRadius) + QStringLiteral(" m")
                           : QStringLiteral("—（直槽）"),
             Number(f.xi1))
        .arg(Number(f.xi2));
}

} // namespace

void AppendConnectionSection(QTextCursor& cursor, const ReportContent& content,
                             const DocumentStyle& style, const QString& number) {
    if (!content.request.connection)
        return;
    const hydraulics::ConnectionInput& in = *content.request.connection;
    const hydraulics::ConnectionFlume flume{
        content.design, content.request.inputs[hydraulics::PosL],
        content.request.inputs[hydraulics::PosXi1], content.request.inputs[hydraulics::PosXi2],
        content.request.increasePercent};
    const hydraulics::Connection c = hydraulics::ComputeConnection(flume, in);
    Writer w{cursor, style};
    w.Text(number + QStringLiteral("、水面衔接与高程"), 6, true, kHeadingPt);
    w.Text(QStringLiteral("依据 GB 50288-2018 第 9.2.4、9.4.1 条及附录 "
                          "K，按水面衔接确定槽身进出口与下游渠道的底高程，"
                          "并复核加大流量时的上游壅水。"),
           0.5);
    w.Text(DataText(in, flume), 0.5);
    w.Text(QStringLiteral("计算公式"), 2, true);
    for (const char* formula : kFormulas)
        w.Text(drawing::Utf8(formula), 0.5, false, kBodyPt, 8);
    std::vector<QStringList> rows;
    for (const hydraulics::ConnectionGroup& group : hydraulics::ConnectionGroups(c)) {
        rows.push_back({drawing::Utf8(group.title), {}, {}, {}});
        for (const hydraulics::ElementRow& r : group.rows)
            rows.push_back({drawing::Utf8(r.name), drawing::Utf8(r.symbol),
                            drawing::Fixed3(r.value), drawing::Utf8(r.unit)});
    }
    w.Text(QStringLiteral("计算成果"), 2, true);
    w.Table({"项目", "符号", "数值", "单位"}, rows, {}, {38, 22, 24, 16});
    w.Picture(c, flume.point.h, flume.length);
    rows.clear();
    std::vector<int> unmet;
    for (const hydraulics::CheckRow& r : hydraulics::ConnectionChecks(c)) {
        if (r.verdict == hydraulics::Verdict::NotMet)
            unmet.push_back(int(rows.size()));
        rows.push_back({drawing::Utf8(r.item), drawing::Utf8(r.value), drawing::Utf8(r.requirement),
                        drawing::Utf8(r.clause),
                        drawing::Utf8(hydraulics::VerdictText(r.verdict))});
    }
    w.Text(QStringLiteral("校核"), 2, true);
    w.Table({"项目", "计算值", "要求", "依据", "结论"}, rows, unmet, {13, 29, 28, 20, 10});
}

} // namespace report
