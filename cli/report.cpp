#include "report.h"

#include "numtext.h"

namespace cli {

using hydraulics::Case;
using hydraulics::Quantity;

std::string ResultLines(int caseNumber, const Outcome& outcome) {
    std::string text;
    const auto& names = Case(caseNumber).results;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const Quantity& q = names[k];
        text += q.caption;
        if (q.symbol == "x") { // the slope i = 1/x: the box stands after "1/"
            text += " i: 1/";
        } else {
            text += ' ';
            text += q.display;
            if (!q.unit.empty()) {
                text += " (";
                text += q.unit;
                text += ')';
            }
            text += ": ";
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

void AppendInputs(std::string& out, int caseNumber, const Outcome& outcome) {
    const auto& names = Case(caseNumber).inputNames;
    out += '{';
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (k > 0)
            out += ", ";
        AppendJsonString(out, names[k].symbol);
        out += ": ";
        if (outcome.inputs[k])
            AppendJsonString(out, hydraulics::FormatSingle(*outcome.inputs[k]));
        else
            out += "null";
    }
    out += '}';
}

void AppendResults(std::string& out, int caseNumber, const Outcome& outcome) {
    const auto& names = Case(caseNumber).results;
    out += '{';
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (k > 0)
            out += ", ";
        AppendJsonString(out, names[k].symbol);
        out += ": ";
        AppendJsonString(out, outcome.results[k]);
    }
    out += '}';
}

} // namespace

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

std::string JsonReport(int caseNumber, const Outcome& outcome) {
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
    if (outcome.status == Status::Ok) {
        out += ", \"results\": ";
        AppendResults(out, caseNumber, outcome);
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

void AppendCsvRow(std::string& out, const Outcome& outcome, FormatCache& cache) {
    out += StatusId(outcome.status);
    out += ',';
    if (outcome.status == Status::Error)
        out += hydraulics::ErrorKindId(outcome.kind);
    for (const auto& input : outcome.inputs) {
        out += ',';
        if (input)
            out += cache.Text(*input);
    }
    for (const std::string& result : outcome.results) {
        out += ',';
        if (outcome.status == Status::Ok)
            out += result;
    }
    out += '\n';
}

} // namespace cli
