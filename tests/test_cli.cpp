// The command-line calculator: argument grammar, the independence of each
// calculation, the JSON and CSV forms, batches with bad rows, and a few runs
// of the built program for its exit codes.
#include "app.h"
#include "batch.h"
#include "calculation.h"
#include "options.h"
#include "projectfile.h"
#include "report.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using cli::Mode;
using cli::Options;
using cli::Outcome;
using cli::Status;
using hydraulics::ErrorKind;

namespace {

const std::vector<std::string> kCase1Example{"1", "4",     "100",  "1.5", "1000",
                                             "1", "0.014", "0.25", "0.4"};
const char kCase1Lines[] = "总水头损失 Z (m): 0.153\n"
                           "进口水头损失 Z1 (m): 0.103\n"
                           "沿程水头损失 Z2 (m): 0.1\n"
                           "出口水位回升 Z3 (m): 0.049\n"
                           "槽宽 B (m): 1.912109\n";

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

Outcome CalculateLine(int caseNumber, const std::string& csvLine) {
    std::vector<std::string_view> fields;
    cli::SplitFields(csvLine, fields);
    return cli::CalculateFields(caseNumber, fields);
}

struct Captured {
    int code;
    std::string out, err;
};

Captured RunInProcess(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = cli::RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

// ---------------------------------------------------------------- options

struct GoodCommandLine {
    const char* args;
    Mode mode;
    int caseNumber;
    bool json;
    const char* file; // CSV file or project name
};

void PrintTo(const GoodCommandLine& c, std::ostream* os) {
    *os << c.args;
}

class GoodOptions : public ::testing::TestWithParam<GoodCommandLine> {};

TEST_P(GoodOptions, Parse) {
    const GoodCommandLine& c = GetParam();
    const Options o = cli::ParseOptions(Words(c.args));
    EXPECT_EQ(o.mode, c.mode);
    if (c.mode == Mode::Help)
        return;
    EXPECT_EQ(o.caseNumber, c.caseNumber);
    EXPECT_EQ(o.json, c.json);
    if (c.mode == Mode::Values) {
        EXPECT_EQ(o.values.size(), 8u);
    } else {
        EXPECT_EQ(c.mode == Mode::Csv ? o.csvFile : o.project, c.file);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, GoodOptions,
    ::testing::Values(
        GoodCommandLine{"1 4 100 1.5 1000 1 0.014 0.25 0.4", Mode::Values, 1, false, ""},
        GoodCommandLine{"--json 2 4 100 1.5 0.2 1 0.014 0.25 0.4", Mode::Values, 2, true, ""},
        GoodCommandLine{"4 1 100 2 1000 -2 0.014 0.2 -.3 --json", Mode::Values, 4, true, ""},
        GoodCommandLine{"3 --csv data.csv", Mode::Csv, 3, false, "data.csv"},
        GoodCommandLine{"--csv=- 3", Mode::Csv, 3, false, "-"},
        GoodCommandLine{"3 --csv -", Mode::Csv, 3, false, "-"},
        GoodCommandLine{"1 --project 渡槽", Mode::Project, 1, false, "渡槽"},
        GoodCommandLine{"--json 1 --project=a/b", Mode::Project, 1, true, "a/b"},
        GoodCommandLine{"1 4 100 1.5 1000 1 -- -x 0.25 0.4", Mode::Values, 1, false, ""},
        GoodCommandLine{"--bogus --help", Mode::Help, 0, false, ""},
        GoodCommandLine{"-h", Mode::Help, 0, false, ""}));

class BadOptions : public ::testing::TestWithParam<const char*> {};

TEST_P(BadOptions, AreUsageErrors) {
    EXPECT_THROW(cli::ParseOptions(Words(GetParam())), cli::UsageError) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Cli, BadOptions,
                         ::testing::Values("",                               // nothing
                                           "5 1 2 3 4 5 6 7 8",              // no such case
                                           "0 1 2 3 4 5 6 7 8",              //
                                           "1.0 1 2 3 4 5 6 7 8",            // case as a number
                                           "1 1 2 3 4 5 6 7",                // seven values
                                           "1 1 2 3 4 5 6 7 8 9",            // nine values
                                           "1 1 2 3 4 5 6 7 8 --verbose",    // unknown option
                                           "1 1 2 3 4 5 6 7 -x",             // unknown short option
                                           "3 --csv",                        // missing file
                                           "3 --csv a.csv 1",                // values and a file
                                           "3 --csv a.csv --csv b.csv",      // twice
                                           "3 --csv a.csv --project p",      // both sources
                                           "3 --json --csv a.csv",           // JSON of a batch
                                           "--json=yes 1 1 2 3 4 5 6 7 8")); // flag with a value

// ---------------------------------------------------------------- calculation

struct Example {
    int caseNumber;
    const char* inputs;
    hydraulics::ResultTexts results;
};

void PrintTo(const Example& e, std::ostream* os) {
    *os << e.caseNumber << ": " << e.inputs;
}

class Examples : public ::testing::TestWithParam<Example> {};

// The worked examples of the four cases, as the case windows show them.
TEST_P(Examples, ShowWhatTheWindowShows) {
    const Example& e = GetParam();
    const Outcome o = CalculateLine(e.caseNumber, e.inputs);
    ASSERT_EQ(o.status, Status::Ok) << o.message;
    EXPECT_EQ(o.results, e.results);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Examples,
    ::testing::Values(
        Example{
            1, "4,100,1.5,1000,1,0.014,0.25,0.4", {"0.153", "0.103", "0.1", "0.049", "1.912109"}},
        Example{1,
                "0.0001,100,1.5,1000,1,0.014,0.25,0.4",
                {"0.067", "-0.064", "0.1", "-0.031", "0.002527237"}},
        Example{
            2, "4,100,1.5,0.2,1,0.014,0.25,0.4", {"0.135", "0.13", "0.065", "1.72", "771.0842"}},
        Example{3, "1,100,1.6,1000,0.8,0.014,0.2,0.3", {"0.118", "0.044", "0.1", "0.025", "0.71"}},
        Example{3, "3,150,1.8,800,0.9,0.014,0.2,0.3", {"0.237", "0.118", "0.188", "0.069", "1.2"}},
        Example{4, "1,100,2,1000,1,0.014,0.2,0.3", {"0.126", "0.063", "0.1", "0.037", "2.23514"}},
        Example{4, "1,100,2,1000,2,0.014,0.2,0.3", {"0.05", "-0.121", "0.1", "-0.07", "2.23514"}},
        Example{
            4, "0.5,100,2,1000,0.5,0.014,0.2,0.3", {"0.119", "0.046", "0.1", "0.027", "0.6123553"}},
        Example{4, "1,150,2,2000,1,0.014,0.2,0.3", {"0.075", "0.001", "0.075", "0", "1.580483"}}));

// A calculation after others, in any case and whatever they left, gives
// what it gives alone: each runs on a fresh Module1.
TEST(CliCalculation, IsIndependentOfEarlierCalculations) {
    const Outcome alone = CalculateLine(2, "4,100,1.5,0.2,1,0.014,0.25,0.4");
    for (const char* before : {"4,100,1.5,1000,1,0.014,0.25,0.4", "4,100,1.5,0.5,1,0.014,0.25,0.4",
                               "4,100,1.5,1000,1,0.014,0,0", "0,100,1.5,1000,1,0.014,0.25,0.4"}) {
        for (int c = 1; c <= 4; ++c)
            CalculateLine(c, before);
        const Outcome after = CalculateLine(2, "4,100,1.5,0.2,1,0.014,0.25,0.4");
        EXPECT_EQ(after.results, alone.results) << "after " << before;
    }
}

struct Failure {
    int caseNumber;
    const char* inputs;
    Status status;
    ErrorKind kind;
    int unreadable; // index of the input that could not be read, -1 for none
};

void PrintTo(const Failure& f, std::ostream* os) {
    *os << f.caseNumber << ": " << f.inputs;
}

class Failures : public ::testing::TestWithParam<Failure> {};

TEST_P(Failures, AreCapturedWithTheirKind) {
    const Failure& f = GetParam();
    const Outcome o = CalculateLine(f.caseNumber, f.inputs);
    EXPECT_EQ(o.status, f.status);
    EXPECT_FALSE(o.message.empty());
    if (f.status == Status::Error) {
        EXPECT_EQ(o.kind, f.kind) << o.message;
    }
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(o.inputs[k].has_value(), k != f.unreadable) << "input " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Failures,
    ::testing::Values(
        Failure{1, "4,100,abc,1000,1,0.014,0.25,0.4", Status::Error, ErrorKind::TypeMismatch, 2},
        Failure{1, "4,100,1.5,1000,1,0.014,0.25,", Status::Error, ErrorKind::TypeMismatch, 7},
        Failure{1, "4,100,1.5,1000,1,0.014,0.25,1e39", Status::Error, ErrorKind::Overflow, 7},
        Failure{1, "4,100,1,5,1000,1,0.014,0.25,0.4", Status::Error, ErrorKind::TypeMismatch, -1},
        Failure{1, "4,100,1.5,1000,1,0.014,0,0", Status::Error, ErrorKind::InvalidOperation, -1},
        Failure{1, "4,100,1.5,0,1,0.014,0.25,0.4", Status::Error, ErrorKind::DivisionByZero, -1},
        Failure{1, "4,100,1.5,-1000,1,0.014,0.25,0.4", Status::Error, ErrorKind::InvalidArgument,
                -1},
        Failure{1, "0,100,1.5,1000,1,0.014,0.25,0.4", Status::NotConverged, {}, -1},
        Failure{3, "-1,100,1.6,1000,0.8,0.014,0.2,0.3", Status::NotConverged, {}, -1}));

TEST(CliCalculation, FewerThanEightFieldsIsPastEndOfFile) {
    const Outcome o = CalculateLine(3, "1,100,1.6");
    EXPECT_EQ(o.status, Status::Error);
    EXPECT_EQ(o.kind, ErrorKind::PastEndOfFile);
    EXPECT_EQ(o.inputs[2], 1.6f);
    EXPECT_FALSE(o.inputs[3].has_value());
    // A field that is not a number is reported before the missing ones.
    EXPECT_EQ(CalculateLine(3, "1,x,1.6").kind, ErrorKind::TypeMismatch);
}

TEST(CliCalculation, MessageNamesTheQuantity) {
    const Outcome o = CalculateLine(4, "1,100,宽,1000,1,0.014,0.2,0.3");
    EXPECT_NE(o.message.find("槽宽 B"), std::string::npos) << o.message;
}

// ---------------------------------------------------------------- output forms

TEST(CliReport, TextLinesOfCases1And2) {
    EXPECT_EQ(cli::ResultLines(1, CalculateLine(1, "4,100,1.5,1000,1,0.014,0.25,0.4")),
              kCase1Lines);
    const std::string case2 =
        cli::ResultLines(2, CalculateLine(2, "4,100,1.5,0.2,1,0.014,0.25,0.4"));
    EXPECT_NE(case2.find("\n槽宽 B (m): 1.72\n槽身比降 i: 1/771.0842\n"), std::string::npos)
        << case2;
}

TEST(CliReport, JsonOfAnOkCalculation) {
    EXPECT_EQ(cli::JsonReport(1, CalculateLine(1, "4,100,1.50,1000,1,0.014,0.25,0.4")),
              R"({"case": 1, "status": "ok", "inputs": {"Q": "4", "L": "100", "h": "1.5", )"
              R"("x": "1000", "V": "1", "n": "0.014", "xi1": "0.25", "xi2": "0.4"}, )"
              R"("results": {"Z": "0.153", "Z1": "0.103", "Z2": "0.1", "Z3": "0.049", )"
              R"("B": "1.912109"}})"
              "\n");
}

TEST(CliReport, JsonOfFailures) {
    const std::string error =
        cli::JsonReport(4, CalculateLine(4, "1,100,\"2\",1000,1,0.014,0.2,0.3"));
    EXPECT_EQ(error.rfind(R"({"case": 4, "status": "error", "error": "type_mismatch", )"
                          R"("message": "类型不匹配：槽宽 B 不是有效的数字", "inputs": )"
                          R"({"h": "1", "L": "100", "B": null, "x": "1000")",
                          0),
              0u)
        << error;
    EXPECT_EQ(error.find("results"), std::string::npos);

    const std::string open =
        cli::JsonReport(1, CalculateLine(1, "0,100,1.5,1000,1,0.014,0.25,0.4"));
    EXPECT_EQ(open.rfind(R"({"case": 1, "status": "not_converged", "message": "未收敛：)", 0), 0u);
    EXPECT_EQ(open.find("\"error\""), std::string::npos);
}

TEST(CliReport, JsonEscape) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"a\"b\\c", "a\\\"b\\\\c"},
        {"tab\tcr\rlf\n", "tab\\tcr\\rlf\\n"},
        {std::string("\x01\x1f", 2), "\\u0001\\u001f"},
        {"槽宽 ξ1 m³/s", "槽宽 ξ1 m³/s"}, // UTF-8 passes through
        {"a\xff"
         "b",
         "a\\ufffdb"},                             // stray byte
        {"\xe6\xa7", "\\ufffd\\ufffd"},            // cut-off sequence
        {"\xc0\xaf", "\\ufffd\\ufffd"},            // overlong form
        {"\xed\xa0\x80", "\\ufffd\\ufffd\\ufffd"}, // surrogate
        {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},  // four-byte character
    };
    for (const auto& [raw, escaped] : cases)
        EXPECT_EQ(cli::JsonEscape(raw), escaped) << raw;
}

TEST(CliReport, CsvHeadersOfTheFourCases) {
    EXPECT_EQ(cli::CsvHeader(1), "status,error,Q,L,h,x,V,n,xi1,xi2,Z,Z1,Z2,Z3,B\n");
    EXPECT_EQ(cli::CsvHeader(2), "status,error,Q,L,h,Z,V,n,xi1,xi2,Z1,Z2,Z3,B,x\n");
    EXPECT_EQ(cli::CsvHeader(3), "status,error,Q,L,B,x,V,n,xi1,xi2,Z,Z1,Z2,Z3,h\n");
    EXPECT_EQ(cli::CsvHeader(4), "status,error,h,L,B,x,V,n,xi1,xi2,Z,Z1,Z2,Z3,Q\n");
}

// ---------------------------------------------------------------- batches

struct BatchRun {
    cli::BatchSummary summary;
    std::string out, err;
};

BatchRun Batch(int caseNumber, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const cli::BatchSummary summary = cli::RunBatch(caseNumber, in, out, err);
    return {summary, out.str(), err.str()};
}

TEST(CliBatch, BadRowsDoNotStopTheBatch) {
    const BatchRun run = Batch(3, "Q,L,B,x,V,n,xi1,xi2\r\n"
                                  "1,100,1.6,1000,0.8,0.014,0.2,0.3\r\n"
                                  "\r\n"
                                  "1,100,abc,1000,0.8,0.014,0.2,0.3\r\n"
                                  "1,100,1.6\r\n"
                                  "1,100,1.6,1000,0.8,0.014,0.2,0.3,9\r\n"
                                  "0,100,1.6,1000,0.8,0.014,0.2,0.3\r\n"
                                  "1,100,1.6,1000,0.8,0.014,0,0\r\n"
                                  "  3 , 150 , 1.8 , 800 , 0.9 , 0.014 , 0.2 , 0.3  ");
    EXPECT_EQ(run.out, "status,error,Q,L,B,x,V,n,xi1,xi2,Z,Z1,Z2,Z3,h\n"
                       "ok,,1,100,1.6,1000,0.8,0.014,0.2,0.3,0.118,0.044,0.1,0.025,0.71\n"
                       "error,type_mismatch,1,100,,1000,0.8,0.014,0.2,0.3,,,,,\n"
                       "error,past_end_of_file,1,100,1.6,,,,,,,,,,\n"
                       "error,type_mismatch,1,100,1.6,1000,0.8,0.014,0.2,0.3,,,,,\n"
                       "not_converged,,0,100,1.6,1000,0.8,0.014,0.2,0.3,,,,,\n"
                       "error,invalid_operation,1,100,1.6,1000,0.8,0.014,0,0,,,,,\n"
                       "ok,,3,150,1.8,800,0.9,0.014,0.2,0.3,0.237,0.118,0.188,0.069,1.2\n");
    EXPECT_EQ(run.summary.rows, 7u);
    EXPECT_EQ(run.summary.ok, 2u);
    EXPECT_EQ(run.summary.notConverged, 1u);
    EXPECT_EQ(run.summary.errors, 4u);
    EXPECT_FALSE(run.summary.readFailed);
    // Each failed row's message, with its line number, on the error stream.
    EXPECT_EQ(run.err.rfind("第 4 行：类型不匹配：槽宽 B 不是有效的数字\n第 5 行：", 0), 0u)
        << run.err;
    EXPECT_NE(run.err.find("\n第 8 行：无效运算"), std::string::npos) << run.err;
}

struct HeaderCase {
    const char* input;
    std::size_t rows; // data rows calculated or reported
    std::size_t ok;
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.input);
}

class HeaderRule : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderRule, FirstNonBlankLineWithoutNumbersIsSkipped) {
    const cli::BatchSummary summary = Batch(4, GetParam().input).summary;
    EXPECT_EQ(summary.rows, GetParam().rows);
    EXPECT_EQ(summary.ok, GetParam().ok);
}

const char kRow4[] = "1,100,2,1000,1,0.014,0.2,0.3\n";

INSTANTIATE_TEST_SUITE_P(
    Cli, HeaderRule,
    ::testing::Values(
        HeaderCase{"", 0, 0}, HeaderCase{"\n \n\t\r\n", 0, 0}, HeaderCase{"h,L,B,x\n", 0, 0},
        HeaderCase{"\n\nh,L,B,x,V,n,xi1,xi2\n1,100,2,1000,1,0.014,0.2,0.3\n", 1, 1},
        HeaderCase{"\xEF\xBB\xBFh,L,B,x,V,n,xi1,xi2\r\n1,100,2,1000,1,0.014,0.2,0.3", 1, 1},
        HeaderCase{"\xEF\xBB\xBF"
                   "1,100,2,1000,1,0.014,0.2,0.3\r\n",
                   1, 1},
        // a first row with a typo is reported, not taken for a header
        HeaderCase{"1,100,2,1000,1,O.014,0.2,0.3\n1,100,2,1000,1,0.014,0.2,0.3\n", 2, 1},
        // only the first non-blank line can be a header
        HeaderCase{"h,L\nh,L\n1,100,2,1000,1,0.014,0.2,0.3\n", 2, 1},
        HeaderCase{",,,,,,,\n1,100,2,1000,1,0.014,0.2,0.3\n", 1, 1}));

TEST(CliBatch, RowsEqualSingleCalculationsWhateverCameBefore) {
    // Case 2 reads working values that an earlier calculation could leave;
    // every row must still give what the row gives on its own.
    std::string input;
    for (int k = 0; k < 3; ++k)
        input += "4,100,1.5,0.2,1,0.014,0.25,0.4\n0,100,1.5,0.2,1,0.014,0.25,0.4\n"
                 "4,100,0.05,0.2,1,0.014,0.25,0.4\n";
    const BatchRun run = Batch(2, input);
    std::istringstream lines(run.out);
    std::string header, line, first;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(first, "ok,,4,100,1.5,0.2,1,0.014,0.25,0.4,0.135,0.13,0.065,1.72,771.0842");
    for (int row = 1; std::getline(lines, line); ++row)
        if (row % 3 == 0) {
            EXPECT_EQ(line, first) << "row " << row;
        }
}

TEST(CliBatch, LargeBatchIsWrittenWhole) {
    // More than one output block: nothing lost or doubled at the flushes.
    std::string input;
    const int rows = 30000;
    for (int k = 0; k < rows; ++k)
        input += kRow4;
    const BatchRun run = Batch(4, input);
    EXPECT_EQ(run.summary.ok, static_cast<std::size_t>(rows));
    const std::string row = "ok,,1,100,2,1000,1,0.014,0.2,0.3,0.126,0.063,0.1,0.037,2.23514\n";
    EXPECT_EQ(run.out.size(), cli::CsvHeader(4).size() + rows * row.size());
    EXPECT_EQ(run.out.substr(run.out.size() - row.size()), row);
}

// ---------------------------------------------------------------- whole program, in process

class CliProgram : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("ambrelo-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(CliProgram, ExitCodes) {
    EXPECT_EQ(RunInProcess(kCase1Example).code, 0);
    EXPECT_EQ(RunInProcess({"--help"}).code, 0);
    EXPECT_EQ(RunInProcess({"1", "4", "100"}).code, 2);
    EXPECT_EQ(RunInProcess({"1", "4", "100", "1,5", "1000", "1", "0.014", "0.25", "0.4"}).code, 1);
    EXPECT_EQ(RunInProcess({"1", "4", "100", "1.5", "1000", "1", "0.014", "0", "0"}).code, 1);
    EXPECT_EQ(RunInProcess({"3", "--csv", (dir_ / "none.csv").string()}).code, 1);
    EXPECT_EQ(RunInProcess({"3", "--csv", dir_.string()}).code, 1);
}

TEST_F(CliProgram, UsageErrorShowsUsageOnTheErrorStream) {
    const Captured run = RunInProcess({"7", "1", "2", "3", "4", "5", "6", "7", "8"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("用法："), std::string::npos);
    EXPECT_EQ(RunInProcess({"-h"}).out, cli::UsageText());
}

TEST_F(CliProgram, FailureMessageOnTheErrorStreamJsonOnTheOutput) {
    const Captured text = RunInProcess({"1", "4", "100", "1.5", "1000", "1", "0.014", "0", "0"});
    EXPECT_TRUE(text.out.empty());
    EXPECT_EQ(text.err.rfind("无效运算", 0), 0u) << text.err;
    const Captured json =
        RunInProcess({"--json", "1", "4", "100", "1.5", "1000", "1", "0.014", "0", "0"});
    EXPECT_EQ(json.code, 1);
    EXPECT_NE(json.out.find(R"("error": "invalid_operation")"), std::string::npos) << json.out;
}

TEST_F(CliProgram, CsvFromStandardInputAndMissingFile) {
    const Captured run =
        RunInProcess({"4", "--csv", "-"}, std::string("h,L,B,x,V,n,xi1,xi2\n") + kRow4);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, cli::CsvHeader(4) +
                           "ok,,1,100,2,1000,1,0.014,0.2,0.3,0.126,0.063,0.1,0.037,2.23514\n");
    const Captured missing = RunInProcess({"4", "--csv", (dir_ / "none.csv").string()});
    EXPECT_TRUE(missing.out.empty());
    EXPECT_EQ(missing.err.rfind("文件未找到", 0), 0u) << missing.err;
}

TEST_F(CliProgram, UnwritableOutputIsAFileAccessFailure) {
    std::istringstream in(kRow4);
    std::ostringstream out, err;
    out.setstate(std::ios::badbit); // as a full disk leaves it
    EXPECT_EQ(cli::RunCli(kCase1Example, in, out, err), 1);
    EXPECT_EQ(cli::RunCli(std::vector<std::string>{"4", "--csv", "-"}, in, out, err), 1);
    EXPECT_EQ(err.str().rfind("文件访问错误：标准输出\n", 0), 0u) << err.str();
}

TEST_F(CliProgram, ProjectFileGivesTheValuesAndIsNeverWritten) {
    const std::string project = (dir_ / "flume").string();
    shell::WriteProjectFile(project, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f});
    const auto written = fs::last_write_time(project + "us.dat");

    const Captured fromFile = RunInProcess({"1", "--project", project});
    EXPECT_EQ(fromFile.code, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, kCase1Lines);
    EXPECT_EQ(
        RunInProcess({"--json", "1", "--project", project}).out,
        RunInProcess({"--json", "1", "4", "100", "1.5", "1000", "1", "0.014", "0.25", "0.4"}).out);
    EXPECT_EQ(fs::last_write_time(project + "us.dat"), written);
    // Values on the command line leave no project file behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    const Captured missing = RunInProcess({"--json", "1", "--project", (dir_ / "other").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.out.find(R"("error": "file_not_found")"), std::string::npos) << missing.out;

    std::ofstream(dir_ / "shortus.dat") << "1,2,3\r\n";
    const Captured shortFile =
        RunInProcess({"--json", "1", "--project", (dir_ / "short").string()});
    EXPECT_EQ(shortFile.code, 1);
    EXPECT_NE(shortFile.out.find(R"("error": "past_end_of_file")"), std::string::npos)
        << shortFile.out;
}

// ---------------------------------------------------------------- the built program

// Runs the built ambrelo-calc through the shell; standard error is kept
// apart in a file so that each stream can be checked.
Captured RunProgram(const std::string& arguments) {
    const std::string errFile =
        fs::temp_directory_path() / ("ambrelo-cli-err-" + std::to_string(::getpid()));
    const std::string command =
        std::string("'") + AMBRELO_CALC + "' " + arguments + " 2>'" + errFile + "'";
    Captured run{-1, {}, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    fs::remove(errFile);
    return run;
}

TEST(CliExecutable, Case1Example) {
    const Captured run = RunProgram("1 4 100 1.5 1000 1 0.014 0.25 0.4");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, kCase1Lines);
    EXPECT_TRUE(run.err.empty());
}

TEST(CliExecutable, PeriodIsTheOnlyDecimalSeparator) {
    const Captured run = RunProgram("--json 3 3 150 1.8 800 0.9 0.014 0.2 0.3");
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find(R"("Z2": "0.188")"), std::string::npos) << run.out;
    const Captured comma = RunProgram("3 3 150 1,8 800 0.9 0.014 0.2 0.3");
    EXPECT_EQ(comma.code, 1);
    EXPECT_NE(comma.err.find("类型不匹配：槽宽 B"), std::string::npos) << comma.err;
}

TEST(CliExecutable, UsageErrorAndFailingCalculation) {
    const Captured usage = RunProgram("1 4 100");
    EXPECT_EQ(usage.code, 2);
    EXPECT_TRUE(usage.out.empty());
    EXPECT_NE(usage.err.find("用法："), std::string::npos);

    const Captured failing = RunProgram("1 4 100 1.5 1000 1 0.014 0 0");
    EXPECT_EQ(failing.code, 1);
    EXPECT_TRUE(failing.out.empty());
    EXPECT_EQ(failing.err.rfind("无效运算", 0), 0u) << failing.err;

    EXPECT_EQ(RunProgram("--help").code, 0);
}

} // namespace
