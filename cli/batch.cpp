#include "cli/batch.h"

#include "cli/calculation.h"
#include "cli/report.h"
#include "hydraulics/numtext.h"

#include <istream>
#include <ostream>
#include <string>

namespace cli {

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
}

bool IsHeaderLine(std::string_view line) {
    std::vector<std::string_view> fields;
    SplitFields(line, fields);
    for (std::string_view field : fields)
        if (hydraulics::IsDecimalNumber(field))
            return false;
    return true;
}

namespace {

constexpr std::size_t kFlushSize = 1 << 20; // bytes gathered before a write
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void Flush(std::string& buffer, std::ostream& stream) {
    stream.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

} // namespace

BatchSummary RunBatch(int caseNumber, std::istream& in, std::ostream& out, std::ostream& err) {
    BatchSummary summary;
    std::string output = CsvHeader(caseNumber);
    std::string messages;
    output.reserve(kFlushSize + 4096);

    std::string line;
    std::vector<std::string_view> fields;
    bool seenNonBlank = false;
    for (std::size_t lineNumber = 1; std::getline(in, line); ++lineNumber) {
        std::string_view text = line;
        if (lineNumber == 1 && text.starts_with(kByteOrderMark))
            text.remove_prefix(kByteOrderMark.size());
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        if (IsBlankLine(text))
            continue;
        if (!seenNonBlank) {
            seenNonBlank = true;
            if (IsHeaderLine(text))
                continue;
        }

        SplitFields(text, fields);
        const Outcome outcome = CalculateFields(caseNumber, fields);
        AppendCsvRow(output, outcome);
        ++summary.rows;
        switch (outcome.status) {
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
        if (outcome.status != Status::Ok) {
            messages += "第 " + std::to_string(lineNumber) + " 行：" + outcome.message + '\n';
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
