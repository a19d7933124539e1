// Text to a single value as the command line reads it (ParseSingle).
//
// Contract: a finite single value, or CalcError TypeMismatch / Overflow
// naming the quantity. Beyond that, the value is checked against the C
// library's strtod rounded to single precision: for text of the decimal
// grammar the two agree, and an overflow is reported exactly when the
// rounded value leaves the single range. A value shown back in the form
// of the result boxes reads back to itself within the seven digits shown.
#include "fuzzcheck.h"
#include "hydraulics/errors.h"
#include "hydraulics/numtext.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kQuantity = "流量 Q";

// strtod on the text without its surrounding blanks, rounded to single.
float Reference(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n\v\f");
    const auto last = text.find_last_not_of(" \t\r\n\v\f");
    const std::string trimmed(text.substr(first, last - first + 1));
    return static_cast<float>(std::strtod(trimmed.c_str(), nullptr));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace hydraulics;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool decimal = IsDecimalNumber(text);
    // The grammar has no NUL; strtod would stop at one.
    const bool comparable = decimal && text.find('\0') == std::string_view::npos;
    float value = 0;
    try {
        fuzzcheck::CpuBudget budget("ParseSingle", 50 + size / 100.0);
        value = ParseSingle(text, kQuantity);
    } catch (const CalcError& e) {
        fuzzcheck::Require(e.subject() == kQuantity, "error does not name the quantity",
                           e.message());
        if (e.kind() == ErrorKind::TypeMismatch) {
            fuzzcheck::Require(!decimal, "decimal text refused as type mismatch", text);
        } else if (e.kind() == ErrorKind::Overflow) {
            fuzzcheck::Require(decimal, "overflow for a non-number", text);
            if (comparable)
                fuzzcheck::Require(std::isinf(Reference(text)), "overflow for a single value",
                                   text);
        } else {
            fuzzcheck::Fail("unexpected error kind", e.message());
        }
        return 0;
    } catch (const std::exception& e) {
        fuzzcheck::Fail("untyped exception", e.what());
    }
    fuzzcheck::Require(decimal, "non-decimal text accepted", text);
    fuzzcheck::Require(std::isfinite(value), "value not finite", text);
    if (comparable) {
        const float expected = Reference(text);
        fuzzcheck::Require(std::memcmp(&expected, &value, sizeof value) == 0 ||
                               (expected == 0 && value == 0),
                           "value differs from strtod", text);
    }
    // Shown as a result box shows it (seven digits), the value reads back
    // to within the last digit shown; the project-file form reads back to
    // the value itself.
    const std::string shown = FormatSingle(value);
    fuzzcheck::Require(fuzzcheck::IsShownNumber(shown), "shown form outside the grammar", shown);
    const float again = ParseSingle(shown, kQuantity);
    fuzzcheck::Require(std::fabs(static_cast<double>(again) - value) <=
                           1e-6 * std::fabs(value) + FLT_TRUE_MIN,
                       "shown form reads back to another value", shown);
    const std::string exact = FormatSingleExact(value);
    fuzzcheck::Require(fuzzcheck::IsShownNumber(exact), "exact form outside the grammar", exact);
    fuzzcheck::Require(ParseSingle(exact, kQuantity) == value, "exact form does not read back",
                       exact);
    return 0;
}
