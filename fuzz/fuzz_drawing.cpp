// The section drawing (drawing::PaintSectionFigure) of every calculation
// that succeeds on arbitrary inputs: the section to scale with its water
// and dimensions, the elements table and the rating curve with its axes.
//
// Input: records of a case and eight values (caseinput.h); a calculation
// that fails is skipped, as the window then draws no figure.
//
// Contract: the drawing ends within a bounded CPU time, whatever the size
// of the flume (a width of 1e-30 m or 1e38 m, a depth far above the walls,
// a discharge of nearly nothing), without a sanitizer report.
#include "caseinput.h"
#include "drawing/chinesefonts.h"
#include "drawing/sectiondrawing.h"
#include "fuzzcheck.h"
#include "hydraulics/cases.h"
#include "hydraulics/elements.h"
#include "hydraulics/errors.h"
#include "hydraulics/module1.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

// Small, so that filling the image costs little next to the drawing code.
constexpr int kImageWidth = 200, kImageHeight = 215;
constexpr double kPaintLimitMs = 500;

void Paint(const std::optional<drawing::SectionFigure>& figure) {
    QImage image(kImageWidth, kImageHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    fuzzcheck::CpuBudget budget("section drawing", kPaintLimitMs);
    drawing::PaintSectionFigure(painter, QRectF(0, 0, kImageWidth, kImageHeight), figure);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    drawing::InstallChineseFonts();
    // The first drawing loads the fonts; that is not what is timed.
    Paint(std::nullopt);
    Paint(drawing::SectionFigure{{2, 1, 2.23514, 1000, 0.014}, 4});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    hydraulics::Module1 m;
    caseinput::ForEachRecord(data, size, [&](const caseinput::Record& r) {
        try {
            hydraulics::CalculateCase(m, r.caseNumber, r.inputs);
        } catch (const hydraulics::CalcError&) {
            return;
        } catch (const hydraulics::NotConverged&) {
            return;
        }
        Paint(drawing::SectionFigure{hydraulics::FromCase(m, r.caseNumber), r.caseNumber});
    });
    return 0;
}
