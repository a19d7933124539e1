// Batch calculation from CSV: one independent calculation per row.
//
// Input: rows of eight comma-separated numbers in box order, period as
// decimal separator, LF or CR LF line ends, no quoting. Blank lines (only
// blanks) are skipped anywhere. The first non-blank line is a header, and
// skipped, when none of its fields is a number ("Q,L,h,x,V,n,xi1,xi2");
// a first line with at least one number is a data row, so that a typo in
// the first row is reported rather than taken for a header. A UTF-8 byte
// order mark at the very start is ignored.
//
// Output: the header of CsvHeader, then one row per data row (report.h).
// A row whose field is not a number is an error of kind type_mismatch; a
// row with fewer than eight fields past_end_of_file, with more than eight
// type_mismatch. One bad row never stops the batch: its Chinese message
// goes to the error stream with its line number.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>
#include <vector>

namespace cli {

struct BatchSummary {
    std::size_t rows = 0; // data rows calculated or reported
    std::size_t ok = 0;
    std::size_t notConverged = 0;
    std::size_t errors = 0;
    bool readFailed = false; // the input stream failed before its end
};

// Splits `line` at every comma into `fields` (cleared first); fields keep
// their blanks.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);

// True when `line` holds nothing but blanks.
bool IsBlankLine(std::string_view line);

// True when no field of `line` reads as a number.
bool IsHeaderLine(std::string_view line);

// Reads rows from `in` and writes the CSV result to `out`, the messages of
// failed rows to `err`. Output is buffered and written in large blocks.
BatchSummary RunBatch(int caseNumber, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace cli
