// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/svgexport.h"

#include "hydraulics/errors.h"

#ifdef AMBRELO_CLI_SVG

#include "cli/guisession.h"
#include "drawing/sectiondrawing.h"
#include "project/savedfile.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace cli {

bool SvgSupported() {
    return true;
}

std::string WriteSectionSvg(const std::string& path, const hydraulics::Design& design) {
    using hydraulics::CalcError;
    const GuiSession session;
    if (!session.ready())
        return "无法绘制断面图：程序中已有非图形界面的 Qt 应用对象。";

    if (!design.succeeded())
        return "计算没有成功，不写 SVG 文件。";
    const drawing::SectionFigure figure{*design.outcome.design, design.caseNo,
                                        design.outcome.length, design.conditions.increasePercent,
                                        std::make_shared<const hydraulics::Design>(design)};
    QBuffer svg;
    const QSizeF canvas = drawing::SectionCanvasSize(figure);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(canvas.toSize());
        generator.setViewBox(QRectF(QPointF(0, 0), canvas));
        generator.setTitle(QStringLiteral("断面及水力要素"));
        generator.setDescription(
            QStringLiteral("U 形渡槽断面、水力要素、设计校核及水深—流量关系曲线"));
        QPainter painter;
        if (!painter.begin(&generator))
            return "无法绘制断面图：SVG 绘图没有开始。";
        const QRectF page(QPointF(0, 0), canvas);
        painter.fillRect(page, Qt::white);
        drawing::PaintSectionFigure(painter, page, figure);
        painter.end();
    }

    // Whole or not at all, like the project file and the report.
    try {
        project::SaveAtomically(
            path, std::string_view(svg.data().constData(), std::size_t(svg.data().size())));
    } catch (const CalcError& e) {
        return e.message();
    }
    return {};
}

} // namespace cli

#else // built without Qt SVG

namespace cli {

bool SvgSupported() {
    return false;
}

std::string WriteSectionSvg(const std::string& /*path*/, const hydraulics::Design& /*design*/) {
    return "本程序构建时没有 Qt SVG 模块，不能写 SVG 文件。";
}

} // namespace cli

#endif
