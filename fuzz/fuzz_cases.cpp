// The four case calculations on arbitrary inputs, with the hydraulic
// elements, the rating curve and the section drawing of each success.
//
// Input: records of a case and eight values (caseinput.h).
//
// Contract of one calculation, within a bounded CPU time: five result texts
// in the forms the windows show, NotConverged, or one CalcError of an
// arithmetic kind that names its step. The search of the case, run alone,
// takes no more than its bounded number of trials (20 whole-metre and 20
// halving steps for the width and the depth, 20 slope trials). Elements
// are finite or not formed, shown as three decimals or a dash; the drawing
// (built with the desktop part) ends in bounded time whatever the size of
// the flume.
#include "caseinput.h"
#include "fuzzcheck.h"
#include "hydraulics/cases.h"
#include "hydraulics/elements.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"
#include "hydraulics/searches.h"
#ifdef AMBRELO_FUZZ_DRAWING
#include "drawing/chinesefonts.h"
#include "drawing/sectiondrawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#endif

#include <algorithm>
#include <cmath>

namespace {

using namespace hydraulics;
constexpr double kCalcLimitMs = 50, kPaintLimitMs = 500;

void Paint([[maybe_unused]] const DesignPoint* point, [[maybe_unused]] int caseNumber) {
#ifdef AMBRELO_FUZZ_DRAWING
    QImage image(200, 215, QImage::Format_ARGB32_Premultiplied); // little to fill
    image.fill(Qt::white);
    QPainter painter(&image);
    std::optional<drawing::SectionFigure> figure;
    if (point)
        figure = drawing::SectionFigure{*point, caseNumber};
    fuzzcheck::CpuBudget budget("section drawing", kPaintLimitMs);
    drawing::PaintSectionFigure(painter, QRectF(image.rect()), figure);
#endif
}

void CheckTrialCount(const Module1& m, int caseNumber, const std::array<float, 8>& inputs) {
    Module1 probe = m;
    for (std::size_t k = 0; k < inputs.size(); ++k)
        FieldRef(probe, Case(caseNumber).inputs[k]) = inputs[k];
    int trials = 0;
    const SearchTrace count = [&](const Module1&) { ++trials; };
    try {
        (void)(caseNumber == 1 ? WidthSearch(
                                     probe, [] {}, count)
               : caseNumber == 2 ? bool(SlopeSearch(probe, count))
               : caseNumber == 3 ? DepthSearch(probe, count)
                                 : true); // case 4 has no search
    } catch (const CalcError&) {
        // The calculation itself checks how faults end.
    }
    fuzzcheck::Require(trials <= (caseNumber == 2 ? 20 : 40), "search ran past its bound",
                       std::to_string(trials) + " trials, case " + std::to_string(caseNumber));
}

void RunOne(Module1& m, int caseNumber, const std::array<float, 8>& inputs) {
    CheckTrialCount(m, caseNumber, inputs);
    ResultTexts texts;
    try {
        fuzzcheck::CpuBudget budget("calculation", kCalcLimitMs);
        texts = CalculateCase(m, caseNumber, inputs);
    } catch (const CalcError& e) {
        using enum ErrorKind;
        fuzzcheck::Require(e.kind() == DivisionByZero || e.kind() == InvalidOperation ||
                               e.kind() == InvalidArgument || e.kind() == Overflow,
                           "non-arithmetic kind", e.message());
        fuzzcheck::Require(!e.subject().empty(), "fault does not name its step", e.message());
        return;
    } catch (const NotConverged& e) {
        fuzzcheck::Require(!e.sought().empty(), "NotConverged names nothing", e.message());
        return;
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
    for (const auto& text : texts)
        fuzzcheck::Require(fuzzcheck::IsShownNumber(text), "result text not a shown number", text);
    try {
        fuzzcheck::Require(std::isfinite(ParseSingle(texts[4], "result")), "result not finite");
    } catch (const CalcError& e) {
        fuzzcheck::Fail("result text does not read back", texts[4] + " " + e.message());
    }

    const DesignPoint point = FromCase(m, caseNumber);
    {
        fuzzcheck::CpuBudget budget("hydraulic elements", kCalcLimitMs);
        static const std::regex form("—|-?[0-9]+\\.[0-9]{3}");
        for (const ElementRow& row : ElementRows(ComputeElements(point))) {
            const std::string shown = FormatElement(row.value);
            fuzzcheck::Require((!row.value || std::isfinite(*row.value)) &&
                                   std::regex_match(shown, form) && shown != "-0.000",
                               "element not finite or shown outside its form", shown);
        }
        // As the rating chart asks for it: depths to about 1.5 h, 160 points.
        const double maxDepth = std::max(1.5 * point.h, 1.1 * point.B / 2);
        for (const RatingPoint& p : RatingCurve(point.B, point.x, point.n, maxDepth, 160))
            fuzzcheck::Require(std::isfinite(p.depth) && std::isfinite(p.discharge) &&
                                   p.discharge >= 0,
                               "rating point not a finite discharge", std::to_string(p.discharge));
    }
    Paint(&point, caseNumber);
}

} // namespace

#ifdef AMBRELO_FUZZ_DRAWING
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    drawing::InstallChineseFonts();
    // The first drawings load the fonts; that is not what is timed.
    Paint(nullptr, 4);
    const DesignPoint example{2, 1, 2.23514, 1000, 0.014};
    Paint(&example, 4);
    return 0;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Module1 m;
    caseinput::ForEachRecord(data, size, [&](int caseNumber, const std::array<float, 8>& inputs) {
        RunOne(m, caseNumber, inputs);
    });
    return 0;
}
