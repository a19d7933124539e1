// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/resultoutput.h"

#include "cli/adoptedreport.h"
#include "cli/checksreport.h"
#include "cli/connectionreport.h"
#include "hydraulics/elements.h"
#include "hydraulics/numtext.h"

#include <charconv>
#include <cmath>

namespace cli {

using hydraulics::Case;
using hydraulics::Quantity;

namespace {
// "caption symbol (unit): ", the unit left out where there is none.
void AppendLabel(std::string& text, std::string_view caption, std::string_view symbol,
                 std::string_view unit) {
    text += caption;
    text += ' ';
    text += symbol;
    if (!unit.empty()) {
        text += " (";
        text += unit;
        text += ')';
    }
    text += ": ";
}
} // namespace

std::string ResultLines(int caseNumber, const Outcome& outcome) {
    std::string text;
    const auto& names = Case(caseNumber).results;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const Quantity& q = names[k];
        if (q.symbol == "x") { // the slope i = 1/x: the box stands after "1/"
            text += q.caption;
            text += " i: 1/";
        } else {
            AppendLabel(text, q.caption, q.display, q.unit);
        }
        text += outcome.results[k];
        text += '\n';
    }
    return text;
}

namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 if invalid.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int low = 0x80, high = 0xBF; // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    out += JsonEscape(text);
    out += '"';
}

// {"<symbol>": <value>, ...} over the quantities `names`; `appendValue(k)`
// writes the k-th value.
template <std::size_t N, class AppendValue>
void AppendObject(std::string& out, const std::array<Quantity, N>& names,
                  AppendValue&& appendValue) {
    out += '{';
    for (std::size_t k = 0; k < N; ++k) {
        if (k > 0)
            out += ", ";
        AppendJsonString(out, names[k].symbol);
        out += ": ";
        appendValue(k);
    }
    out += '}';
}

void AppendInputs(std::string& out, int caseNumber, const Outcome& outcome) {
    AppendObject(out, Case(caseNumber).inputNames, [&](std::size_t k) {
        if (outcome.inputs[k])
            AppendJsonString(out, hydraulics::FormatSingle(*outcome.inputs[k]));
        else
            out += "null";
    });
}

void AppendResults(std::string& out, int caseNumber, const Outcome& outcome) {
    AppendObject(out, Case(caseNumber).results,
                 [&](std::size_t k) { AppendJsonString(out, outcome.results[k]); });
}

} // namespace

void AppendJsonNumber(std::string& out, const std::optional<double>& value) {
    char buffer[32];
    if (value && std::isfinite(*value)) {
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, *value);
        if (ec == std::errc()) {
            out.append(buffer, end);
            return;
        }
    }
    out += "null";
}

namespace {

void AppendHydraulics(std::string& out, const hydraulics::HydraulicElements& e) {
    const std::pair<const char*, const std::optional<double>&> numbers[] = {
        {"A", e.A},   {"P", e.P},   {"R", e.R},
        {"T", e.T},   {"v", e.v},   {"velocity_head", e.velocityHead},
        {"Fr", e.Fr}, {"hc", e.hc},
    };
    out += '{';
    for (const auto& [key, value] : numbers) {
        AppendJsonString(out, key);
        out += ": ";
        AppendJsonNumber(out, value);
        out += ", ";
    }
    out += "\"regime\": ";
    if (e.regime)
        AppendJsonString(out, hydraulics::RegimeId(*e.regime));
    else
        out += "null";
    out += ", \"surface\": ";
    if (e.surface)
        AppendJsonString(out, hydraulics::SurfaceId(*e.surface));
    else
        out += "null";
    out += '}';
}

} // namespace

std::string ElementLines(const hydraulics::Design& design) {
    if (!design.succeeded())
        return {};
    const hydraulics::HydraulicElements& e = design.elements;
    std::string text = "\n水力要素\n";
    for (const hydraulics::ElementRow& row : hydraulics::ElementRows(e)) {
        AppendLabel(text, row.name, row.symbol, row.unit);
        text += hydraulics::FormatElement(row.value);
        text += '\n';
    }
    text += "流态: ";
    text += hydraulics::RegimeText(e.regime);
    text += "\n水面位置: ";
    text += hydraulics::SurfaceText(e.surface);
    text += '\n';
    return text;
}

std::string JsonEscape(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8Length(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    return out;
}

std::string JsonReport(const hydraulics::Design& design, bool details) {
    const Outcome& outcome = design.outcome;
    const int caseNumber = design.caseNo;
    std::string out = "{\"case\": " + std::to_string(caseNumber) + ", \"status\": ";
    AppendJsonString(out, StatusId(outcome.status));
    if (outcome.status == Status::Error) {
        out += ", \"error\": ";
        AppendJsonString(out, hydraulics::ErrorKindId(outcome.kind));
    }
    if (outcome.status != Status::Ok) {
        out += ", \"message\": ";
        AppendJsonString(out, outcome.message);
    }
    out += ", \"inputs\": ";
    AppendInputs(out, caseNumber, outcome);
    if (design.succeeded()) {
        out += ", \"results\": ";
        AppendResults(out, caseNumber, outcome);
        if (details) {
            out += ", \"hydraulics\": ";
            AppendHydraulics(out, design.elements);
            out += ", \"checks\": ";
            AppendChecksJson(out, design.checks, design.rows);
        }
        if (design.canals) {
            out += ", \"connection\": ";
            if (const hydraulics::Connection* c = design.connection())
                AppendConnectionJson(out, *c);
            else
                out += "null";
        }
        if (details) {
            out += ", \"adopted\": ";
            AppendAdoptedJson(out, design);
        }
    }
    out += "}\n";
    return out;
}

std::string CsvHeader(int caseNumber) {
    const hydraulics::CaseInfo& info = Case(caseNumber);
    std::string header = "status,error";
    for (const Quantity& q : info.inputNames) {
        header += ',';
        header += q.symbol;
    }
    for (const Quantity& q : info.results) {
        header += ',';
        header += q.symbol;
    }
    header += '\n';
    return header;
}

void AppendCsvRow(std::string& out, const Outcome& outcome) {
    out += StatusId(outcome.status);
    out += ',';
    if (outcome.status == Status::Error)
        out += hydraulics::ErrorKindId(outcome.kind);
    for (const auto& input : outcome.inputs) {
        out += ',';
        if (input)
            out += hydraulics::FormatSingle(*input);
    }
    for (const std::string& result : outcome.results) {
        out += ',';
        if (outcome.status == Status::Ok)
            out += result;
    }
    out += '\n';
}

} // namespace cli
