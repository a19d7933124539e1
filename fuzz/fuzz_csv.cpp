// The command line's batch reader (cli::RunBatch) on arbitrary CSV text.
//
// Input: byte 0 picks the case (1 + byte % 4), the rest is the CSV text.
//
// Contract: every data row becomes one output row and nothing stops the
// batch. The output is the header of the case, then rows of fifteen fields:
// status (ok, not_converged, error), the error kind (empty unless error:
// type_mismatch, past_end_of_file or an arithmetic kind), the eight inputs
// as stored (empty or a shown number), the five results (shown numbers
// when ok, empty otherwise). Each row that is not ok has one message line.
// The summary adds up; each row takes a bounded CPU time.
#include "cli/batch.h"
#include "cli/report.h"
#include "fuzzcheck.h"
#include "hydraulics/errors.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

bool IsRowErrorKind(std::string_view id) {
    using hydraulics::ErrorKind;
    static const std::set<std::string_view> kinds = {
        hydraulics::ErrorKindId(ErrorKind::TypeMismatch),
        hydraulics::ErrorKindId(ErrorKind::PastEndOfFile),
        hydraulics::ErrorKindId(ErrorKind::DivisionByZero),
        hydraulics::ErrorKindId(ErrorKind::InvalidOperation),
        hydraulics::ErrorKindId(ErrorKind::InvalidArgument),
        hydraulics::ErrorKindId(ErrorKind::Overflow),
    };
    return kinds.contains(id);
}

void CheckRow(std::string_view row) {
    const std::string text(row);
    const auto fields = Split(row, ',');
    fuzzcheck::Require(fields.size() == 15, "output row has not fifteen fields", text);
    const std::string_view status = fields[0];
    fuzzcheck::Require(status == "ok" || status == "not_converged" || status == "error",
                       "unknown status", text);
    if (status == "error")
        fuzzcheck::Require(IsRowErrorKind(fields[1]), "unexpected error kind", text);
    else
        fuzzcheck::Require(fields[1].empty(), "error kind without an error", text);
    for (std::size_t k = 2; k < 10; ++k)
        fuzzcheck::Require(fields[k].empty() || fuzzcheck::IsShownNumber(std::string(fields[k])),
                           "input not shown as a number", text);
    for (std::size_t k = 10; k < 15; ++k) {
        if (status == "ok")
            fuzzcheck::Require(fuzzcheck::IsShownNumber(std::string(fields[k])),
                               "result not a shown number", text);
        else
            fuzzcheck::Require(fields[k].empty(), "result without success", text);
    }
    if (status != "error")
        for (std::size_t k = 2; k < 10; ++k)
            fuzzcheck::Require(!fields[k].empty(), "input missing from a calculated row", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int caseNumber = 1 + data[0] % 4;
    const std::string csv(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t lines = 1;
    for (const char c : csv)
        lines += c == '\n';

    std::istringstream in(csv);
    std::ostringstream out;
    std::ostringstream err;
    cli::BatchSummary summary;
    try {
        fuzzcheck::CpuBudget budget("batch", 50.0 * static_cast<double>(lines) + 100);
        summary = cli::RunBatch(caseNumber, in, out, err);
    } catch (const std::exception& e) {
        fuzzcheck::Fail("exception escaped the batch", e.what());
    }
    fuzzcheck::Require(!summary.readFailed, "reading a string stream failed");
    fuzzcheck::Require(summary.rows == summary.ok + summary.notConverged + summary.errors,
                       "summary does not add up");
    fuzzcheck::Require(summary.rows <= lines, "more rows than lines");

    const std::string output = out.str();
    const std::string header = cli::CsvHeader(caseNumber);
    fuzzcheck::Require(output.starts_with(header), "output does not start with the header",
                       output.substr(0, 200));
    fuzzcheck::Require(output.ends_with('\n'), "output does not end with a line end");
    const auto rows = Split(std::string_view(output).substr(header.size()), '\n');
    fuzzcheck::Require(rows.size() == summary.rows + 1, "output rows differ from the summary");
    std::size_t failed = 0;
    for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
        CheckRow(rows[r]);
        failed += !rows[r].starts_with("ok,");
    }
    fuzzcheck::Require(failed == summary.notConverged + summary.errors,
                       "failed rows differ from the summary");

    // One message line per failed row, each naming its line.
    const std::string messages = err.str();
    std::size_t messageLines = 0;
    for (const auto& line : Split(messages, '\n'))
        if (!line.empty()) {
            ++messageLines;
            fuzzcheck::Require(line.starts_with("第 "), "message does not name its line",
                               std::string(line));
        }
    fuzzcheck::Require(messageLines == failed, "one message per failed row");
    return 0;
}
