// SPDX-License-Identifier: GPL-3.0-or-later
// Batch calculation from CSV: one independent calculation per row.
//
// Input: rows of eight comma-separated numbers in box order, period as
// decimal separator, LF or CR LF line ends. Fields may be quoted as RFC
// 4180 has it, as spreadsheets write them: "4" is 4, a doubled quote stands
// for one inside quotes, and commas and line ends inside quotes belong to
// the field (a row then runs over several lines). Blank lines (only
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

// Splits one record into `fields` (cleared first) at every comma outside
// quotes. A field whose first character other than blanks is a double
// quote runs to the closing quote, "" standing for one quote inside; the
// blanks around the quotes are dropped, anything else after the closing
// quote is kept, so that a text such as "4"m is still not a number.
// Unquoted fields keep their blanks. False when `record` ends inside
// quotes: the record goes on in the next line.
bool SplitFields(std::string_view record, std::vector<std::string>& fields);

// True when `line` holds nothing but blanks.
bool IsBlankLine(std::string_view line);

// True when no field of `line` (a whole record) reads as a number.
bool IsHeaderLine(std::string_view line);

// Reads rows from `in` and writes the CSV result to `out`, the messages of
// failed rows to `err`. Output is buffered and written in large blocks.
BatchSummary RunBatch(int caseNumber, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace cli
