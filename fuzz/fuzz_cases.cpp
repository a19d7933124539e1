// SPDX-License-Identifier: GPL-3.0-or-later
// The four case calculations on arbitrary inputs (caseinput below), with
// the hydraulic elements and the section drawing of each success. Contract,
// each within a bounded CPU time: five result texts in the forms the windows
// show, NotConverged, or a CalcError of an arithmetic kind naming its step;
// elements finite or not formed, shown as three decimals or a dash; the
// drawing with its rating chart (where the desktop part is built) done
// whatever the size of the flume.
#include "fuzzcheck.h"
#include "hydraulics/cases.h"
#include "hydraulics/elements.h"
#include "hydraulics/errors.h"
#ifdef AMBRELO_FUZZ_DRAWING
#include "drawing/chinesefonts.h"
#include "drawing/sectiondrawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#endif

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>

// Up to eight records, each one calculation on the same ProjectState (as in the
// windows): byte 0 the case (1 + byte % 4), then eight values in box order,
// five bytes each: a tag, and a little-endian word read by tag % 4 as the
// bits of a single (NaN and infinity, which no box hands over, as 0 and
// ±FLT_MAX), thousandths, millionths, or a whole number.
namespace caseinput {

constexpr std::size_t kRecordSize = 1 + 8 * 5;

inline float DecodeValue(const std::uint8_t* p) {
    const std::uint32_t word = p[1] | p[2] << 8 | p[3] << 16 | std::uint32_t(p[4]) << 24;
    const double whole = static_cast<std::int32_t>(word);
    float bits = 0;
    std::memcpy(&bits, &word, sizeof bits);
    switch (p[0] % 4) {
    case 0:
        return std::isnan(bits) ? 0.0f : std::isinf(bits) ? std::copysign(FLT_MAX, bits) : bits;
    case 1:
        return static_cast<float>(whole / 1e3);
    case 2:
        return static_cast<float>(whole / 1e6);
    default:
        return static_cast<float>(whole);
    }
}

// Calls `run(caseNumber, inputs)` for each whole record of the input.
template <class Run> void ForEachRecord(const std::uint8_t* data, std::size_t size, Run&& run) {
    for (int r = 0; r < 8 && size >= kRecordSize; ++r, data += kRecordSize, size -= kRecordSize) {
        std::array<float, 8> inputs;
        for (std::size_t k = 0; k < inputs.size(); ++k)
            inputs[k] = DecodeValue(data + 1 + 5 * k);
        run(1 + data[0] % 4, inputs);
    }
}

} // namespace caseinput

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

void RunOne(ProjectState& m, int caseNumber, const std::array<float, 8>& inputs) {
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
    ProjectState m;
    caseinput::ForEachRecord(data, size, [&](int caseNumber, const std::array<float, 8>& inputs) {
        RunOne(m, caseNumber, inputs);
    });
    return 0;
}
