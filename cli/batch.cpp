// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batch.h"

#include "cli/calculation.h"
#include "cli/resultoutput.h"
#include "hydraulics/numtext.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>

namespace cli {

namespace {

constexpr std::string_view kBlanks = " \t";

// One quoted field from just after its opening quote: its text and the
// closing quote's end; `closed` is false when the record ends first.
std::size_t ReadQuoted(std::string_view record, std::size_t at, std::string& field, bool& closed) {
    for (; at < record.size(); ++at) {
        if (record[at] != '"') {
            field += record[at];
        } else if (at + 1 < record.size() && record[at + 1] == '"') {
            field += '"';
            ++at;
        } else {
            closed = true;
            return at + 1;
        }
    }
    closed = false;
    return at;
}

} // namespace

bool SplitFields(std::string_view record, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t at = 0;
    for (;;) {
        std::string& field = fields.emplace_back();
        const std::size_t text = record.find_first_not_of(kBlanks, at);
        if (text != std::string_view::npos && record[text] == '"') {
            bool closed = false;
            at = ReadQuoted(record, text + 1, field, closed);
            if (!closed)
                return false;
            at = std::min(record.find_first_not_of(kBlanks, at), record.size());
        }
        const std::size_t comma = record.find(',', at);
        const std::size_t end = comma == std::string_view::npos ? record.size() : comma;
        field.append(record.substr(at, end - at));
        if (comma == std::string_view::npos)
            return true;
        at = comma + 1;
    }
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
}

namespace {
bool IsHeaderFields(const std::vector<std::string>& fields) {
    for (const std::string& field : fields)
        if (hydraulics::IsDecimalNumber(field))
            return false;
    return true;
}
} // namespace

bool IsHeaderLine(std::string_view line) {
    std::vector<std::string> fields;
    SplitFields(line, fields);
    return IsHeaderFields(fields);
}

namespace {

constexpr std::size_t kFlushSize = 1 << 20; // bytes gathered before a write
constexpr std::size_t kMaxRecordLines = 16; // lines a quoted record may span
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void Flush(std::string& buffer, std::ostream& stream) {
    stream.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

void Count(BatchSummary& summary, Status status) {
    ++summary.rows;
    switch (status) {
    case Status::Ok:
        ++summary.ok;
        break;
    case Status::NotConverged:
        ++summary.notConverged;
        break;
    case Status::Error:
        ++summary.errors;
        break;
    }
}

} // namespace

BatchSummary RunBatch(int caseNumber, std::istream& in, std::ostream& out, std::ostream& err) {
    BatchSummary summary;
    std::string output = CsvHeader(caseNumber);
    std::string messages;
    output.reserve(kFlushSize + 4096);

    std::string line, record;
    std::vector<std::string> fields;
    std::vector<std::string_view> views;
    bool seenNonBlank = false;
    for (std::size_t lineNumber = 1, first = 1; std::getline(in, line); ++lineNumber) {
        std::string_view text = line;
        if (lineNumber == 1 && text.starts_with(kByteOrderMark))
            text.remove_prefix(kByteOrderMark.size());
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        if (record.empty() && IsBlankLine(text))
            continue;
        // A line end inside quotes belongs to the field: the record goes on.
        if (!record.empty())
            record += '\n';
        else
            first = lineNumber;
        record += text;
        // A quote left open runs over a few lines at most, not the whole file.
        if (!SplitFields(record, fields) && lineNumber - first + 1 < kMaxRecordLines &&
            in.peek() != std::char_traits<char>::eof())
            continue;
        const std::size_t recordLine = first;
        record.clear();
        if (!seenNonBlank) {
            seenNonBlank = true;
            if (IsHeaderFields(fields))
                continue;
        }

        views.assign(fields.begin(), fields.end());
        const Outcome outcome = CalculateFields(caseNumber, views);
        AppendCsvRow(output, outcome);
        Count(summary, outcome.status);
        if (outcome.status != Status::Ok) {
            messages += "第 " + std::to_string(recordLine) + " 行：" + outcome.message + '\n';
            if (messages.size() >= kFlushSize)
                Flush(messages, err);
        }
        if (output.size() >= kFlushSize)
            Flush(output, out);
    }
    summary.readFailed = in.bad();
    Flush(output, out);
    Flush(messages, err);
    out.flush();
    err.flush();
    return summary;
}

} // namespace cli
