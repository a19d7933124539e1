// ambrelo-calc: the argument grammar and exit codes, the text, JSON and CSV
// forms, batches with bad rows, --project, --details and --svg, and runs of
// the built program itself.
#include "cli/app.h"
#include "cli/calculation.h"
#include "cli/options.h"
#include "cli/report.h"
#include "project/projectfile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using cli::Mode;

namespace {

const char kCase1[] = "1 4 100 1.5 1000 1 0.014 0.25 0.4";
const char kCase1Lines[] = "总水头损失 Z (m): 0.153\n进口水头损失 Z1 (m): 0.103\n"
                           "沿程水头损失 Z2 (m): 0.1\n出口水位回升 Z3 (m): 0.049\n"
                           "槽宽 B (m): 1.912109\n";
const char kRow4[] = "1,100,2,1000,1,0.014,0.2,0.3\n";
const char kOut4[] = "ok,,1,100,2,1000,1,0.014,0.2,0.3,0.126,0.063,0.1,0.037,2.23514\n";

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

struct Captured {
    int code = -1;
    std::string out, err;
};

// The whole program in-process; `input` is its standard input.
Captured RunHere(const std::string& line, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = cli::RunCli(Words(line), in, out, err);
    return {code, out.str(), err.str()};
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The built program through the shell, after `environment` assignments;
// each stream to its own file.
Captured RunProgram(const std::string& arguments, const std::string& environment = {}) {
    const fs::path out = fs::temp_directory_path() / ("ambrelo-cli-" + std::to_string(::getpid()));
    const fs::path err = out.string() + ".err";
    const std::string command = environment + " '" + AMBRELO_CALC + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    Captured run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
}

// A run's exit code, and each stream holding `out` / `err` ("": empty).
struct Expected {
    const char* args;
    int code;
    std::string out, err;
};

void ExpectRun(const Captured& run, const Expected& e) {
    EXPECT_EQ(run.code, e.code) << e.args << '\n' << run.err;
    for (const auto& [got, want] : {std::pair(run.out, e.out), std::pair(run.err, e.err)}) {
        if (want.empty())
            EXPECT_EQ(got, "") << e.args;
        else
            EXPECT_NE(got.find(want), std::string::npos) << e.args << '\n' << got;
    }
}

// ---------------------------------------------------------------- command lines

TEST(CliOptions, GoodCommandLines) {
    const struct {
        const char* args;
        Mode mode;
        int caseNumber;
        bool json, details;
        const char *file, *svg; // file: the CSV file or project name
    } cases[] = {
        {"1 4 100 1.5 1000 1 0.014 0.25 0.4", Mode::Values, 1, false, false, "", ""},
        {"4 1 100 2 1000 -2 0.014 0.2 -.3 --json", Mode::Values, 4, true, false, "", ""},
        {"1 4 100 1.5 1000 1 -- -x 0.25 0.4", Mode::Values, 1, false, false, "", ""},
        {"--details 1 1 2 3 4 5 6 7 8 --svg out.svg", Mode::Values, 1, false, true, "", "out.svg"},
        {"3 --csv data.csv", Mode::Csv, 3, false, false, "data.csv", ""},
        {"--csv=- 3", Mode::Csv, 3, false, false, "-", ""},
        {"--json --svg=a.svg 1 --project=a/b", Mode::Project, 1, true, false, "a/b", "a.svg"},
        {"--bogus --help", Mode::Help, 0, false, false, "", ""},
    };
    for (const auto& c : cases) {
        const cli::Options o = cli::ParseOptions(Words(c.args));
        EXPECT_EQ(o.mode, c.mode) << c.args;
        if (c.mode == Mode::Help)
            continue;
        EXPECT_EQ(o.caseNumber, c.caseNumber) << c.args;
        EXPECT_EQ(o.json, c.json) << c.args;
        EXPECT_EQ(o.details, c.details) << c.args;
        EXPECT_EQ(o.svgFile, c.svg) << c.args;
        EXPECT_EQ(o.mode == Mode::Csv ? o.csvFile : o.project, c.file) << c.args;
        EXPECT_EQ(o.values.size(), c.mode == Mode::Values ? 8u : 0u) << c.args;
    }
}

TEST(CliOptions, BadCommandLinesAreUsageErrors) {
    for (const char* bad :
         {"", "5 1 2 3 4 5 6 7 8", "1.0 1 2 3 4 5 6 7 8", // case number
          "1 1 2 3 4 5 6 7", "1 1 2 3 4 5 6 7 8 9",       // seven, nine values
          "1 1 2 3 4 5 6 7 8 --verbose", "1 1 2 3 4 5 6 7 -x", "--json=yes 1 1 2 3 4 5 6 7 8",
          "3 --csv", "3 --csv a.csv 1", "3 --csv a.csv --csv b.csv", "3 --csv a.csv --project p",
          "3 --json --csv a.csv", "3 --csv a.csv --details", "3 --csv a.csv --svg x.svg",
          "1 1 2 3 4 5 6 7 8 --svg", "--svg - 1 1 2 3 4 5 6 7 8", "--svg= 1 1 2 3 4 5 6 7 8",
          "--svg a --svg b 1 1 2 3 4 5 6 7 8"})
        EXPECT_THROW(cli::ParseOptions(Words(bad)), cli::UsageError) << bad;
    // p: a number from 0 to 50, once, not for a batch.
    for (const std::string bad : {"--increase 50.01", "--increase=-1", "--increase nan",
                                  "--increase=3%", "--increase=", "--increase 5 --increase 6"})
        EXPECT_THROW(cli::ParseOptions(Words(bad + " 1 1 2 3 4 5 6 7 8")), cli::UsageError) << bad;
    EXPECT_THROW(cli::ParseOptions(Words("3 --csv a.csv --increase 5")), cli::UsageError);
}

// ---------------------------------------------------------------- one calculation

// Exit codes, and what goes to which stream; the worked example of each
// case gives the lines its window shows.
TEST(CliRun, ExitCodesAndStreams) {
    const std::string csv = std::string("h,L,B,x,V,n,xi1,xi2\n") + kRow4;
    for (const Expected& e : std::vector<Expected>{
             {kCase1, 0, kCase1Lines, ""},
             {"2 4 100 1.5 0.2 1 0.014 0.25 0.4", 0,
              "进口水头损失 Z1 (m): 0.135\n沿程水头损失 Z2 (m): 0.13\n出口水位回升 Z3 (m): 0.065\n"
              "槽宽 B (m): 1.72\n槽身比降 i: 1/771.0842\n",
              ""},
             {"3 1 100 1.6 1000 0.8 0.014 0.2 0.3", 0,
              "总水头损失 Z (m): 0.118\n进口水头损失 Z1 (m): 0.044\n沿程水头损失 Z2 (m): 0.1\n"
              "出口水位回升 Z3 (m): 0.025\n槽内水深 h (m): 0.71\n",
              ""},
             {"4 1 100 2 1000 1 0.014 0.2 0.3", 0,
              "总水头损失 Z (m): 0.126\n进口水头损失 Z1 (m): 0.063\n沿程水头损失 Z2 (m): 0.1\n"
              "出口水位回升 Z3 (m): 0.037\n流量 Q (m³/s): 2.23514\n",
              ""},
             {"-h", 0, cli::UsageText(), ""},
             {"4 --csv -", 0, cli::CsvHeader(4) + kOut4, ""},
             {"7 1 2 3 4 5 6 7 8", 2, "", "ambrelo-calc: 情况编号必须是"},
             {"1 4 100", 2, "", "用法："},
             {"--increase 51 1 4 100 1.5 1000 1 0.014 0.25 0.4", 2, "", "0 到 50 之间"},
             {"1 4 100 1,5 1000 1 0.014 0.25 0.4", 1, "", "类型不匹配：槽内水深 h"},
             {"1 4 100 1.5 1000 1 0.014 0 0", 1, "", "无效运算（0/0）"},
             {"--json 1 4 100 1.5 1000 1 0.014 0 0", 1, R"("error": "invalid_operation")",
              "无效运算"},
             {"3 --csv /nonexistent/none.csv", 1, "", "文件未找到：/nonexistent/none.csv"},
             {"3 --csv /tmp", 1, "", "文件访问错误：/tmp"},
             {"--json 1 --project /nonexistent/p", 1, R"("error": "file_not_found")", "文件未找到"},
         })
        ExpectRun(RunHere(e.args, csv), e);
}

TEST(CliRun, UnwritableOutputIsAFileAccessFailure) {
    std::istringstream in(kRow4);
    std::ostringstream out, err;
    out.setstate(std::ios::badbit); // as a full disk leaves it
    EXPECT_EQ(cli::RunCli(Words(kCase1), in, out, err), 1);
    EXPECT_EQ(cli::RunCli(Words("4 --csv -"), in, out, err), 1);
    EXPECT_EQ(err.str().rfind("文件访问错误：标准输出\n", 0), 0u) << err.str();
}

TEST(CliReport, JsonOfOkErrorAndNotConverged) {
    const std::pair<const char*, const char*> cases[] = {
        {"--json 1 4 100 1.50 1000 1 0.014 0.25 0.4",
         R"({"case": 1, "status": "ok", "inputs": {"Q": "4", "L": "100", "h": "1.5", )"
         R"("x": "1000", "V": "1", "n": "0.014", "xi1": "0.25", "xi2": "0.4"}, )"
         R"("results": {"Z": "0.153", "Z1": "0.103", "Z2": "0.1", "Z3": "0.049", )"
         R"("B": "1.912109"}})"},
        {"--json 4 1 100 \"2\" 1000 1 0.014 0.2 0.3",
         R"({"case": 4, "status": "error", "error": "type_mismatch", )"
         R"("message": "类型不匹配：槽宽 B 不是有效的数字", "inputs": {"h": "1", "L": "100", )"
         R"("B": null, "x": "1000", "V": "1", "n": "0.014", "xi1": "0.2", "xi2": "0.3"}})"},
        {"--json 1 0 100 1.5 1000 1 0.014 0.25 0.4",
         R"({"case": 1, "status": "not_converged", "message": "未收敛：槽宽 B 的试算在规定次数内)"
         R"(未达到精度要求，没有计算成果。流量可能超出 1～21 m 槽宽所能通过的范围，或为零。", )"
         R"("inputs": {"Q": "0", "L": "100", "h": "1.5", "x": "1000", "V": "1", )"
         R"("n": "0.014", "xi1": "0.25", "xi2": "0.4"}})"},
    };
    for (const auto& [args, json] : cases)
        EXPECT_EQ(RunHere(args).out, std::string(json) + "\n");
}

TEST(CliReport, JsonEscape) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\"b\\c", "a\\\"b\\\\c"},
        {"tab\tcr\rlf\n", "tab\\tcr\\rlf\\n"},
        {std::string("\x01\x1f", 2), "\\u0001\\u001f"},
        {"槽宽 ξ1 m³/s", "槽宽 ξ1 m³/s"},          // UTF-8 passes through
        {"a\xff!", "a\\ufffd!"},                   // stray byte
        {"\xe6\xa7", "\\ufffd\\ufffd"},            // cut-off sequence
        {"\xc0\xaf", "\\ufffd\\ufffd"},            // overlong form
        {"\xed\xa0\x80", "\\ufffd\\ufffd\\ufffd"}, // surrogate
        {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},  // four-byte character
    };
    for (const auto& [raw, escaped] : cases)
        EXPECT_EQ(cli::JsonEscape(raw), escaped) << raw;
}

// ---------------------------------------------------------------- batches

TEST(CliBatch, BadRowsDoNotStopTheBatch) {
    const Captured run = RunHere("3 --csv -", "Q,L,B,x,V,n,xi1,xi2\r\n"
                                              "1,100,1.6,1000,0.8,0.014,0.2,0.3\r\n"
                                              "\r\n"
                                              "1,100,abc,1000,0.8,0.014,0.2,0.3\r\n"
                                              "1,100,1.6\r\n"
                                              "1,100,1.6,1000,0.8,0.014,0.2,0.3,9\r\n"
                                              "0,100,1.6,1000,0.8,0.014,0.2,0.3\r\n"
                                              "1,100,1.6,1000,0.8,0.014,0,0\r\n"
                                              "1,100,1.6,1000,0.8,0.014,0.2,1e39\r\n"
                                              "  3 , 150 , 1.8 , 800 , 0.9 , 0.014 , 0.2 , 0.3  ");
    EXPECT_EQ(run.out, "status,error,Q,L,B,x,V,n,xi1,xi2,Z,Z1,Z2,Z3,h\n"
                       "ok,,1,100,1.6,1000,0.8,0.014,0.2,0.3,0.118,0.044,0.1,0.025,0.71\n"
                       "error,type_mismatch,1,100,,1000,0.8,0.014,0.2,0.3,,,,,\n"
                       "error,past_end_of_file,1,100,1.6,,,,,,,,,,\n"
                       "error,type_mismatch,1,100,1.6,1000,0.8,0.014,0.2,0.3,,,,,\n"
                       "not_converged,,0,100,1.6,1000,0.8,0.014,0.2,0.3,,,,,\n"
                       "error,invalid_operation,1,100,1.6,1000,0.8,0.014,0,0,,,,,\n"
                       "error,overflow,1,100,1.6,1000,0.8,0.014,0.2,,,,,,\n"
                       "ok,,3,150,1.8,800,0.9,0.014,0.2,0.3,0.237,0.118,0.188,0.069,1.2\n");
    EXPECT_EQ(run.code, 0); // every row processed
    // Each failed row's message, with its line number, on the error stream.
    EXPECT_EQ(run.err.rfind("第 4 行：类型不匹配：槽宽 B 不是有效的数字\n第 5 行：", 0), 0u)
        << run.err;
    EXPECT_NE(run.err.find("\n第 8 行：无效运算"), std::string::npos) << run.err;
}

TEST(CliBatch, OnlyTheFirstNonBlankLineWithoutNumbersIsAHeader) {
    const std::string row = kRow4, ok = kOut4, mismatch = "error,type_mismatch,";
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"\n \n\t\r\n", ""},
        {"h,L,B,x\n", ""},
        {"\n\nh,L,B,x,V,n,xi1,xi2\n" + row, ok},
        {"\xEF\xBB\xBFh,L,B,x,V,n,xi1,xi2\r\n1,100,2,1000,1,0.014,0.2,0.3", ok},
        {"\xEF\xBB\xBF" + row, ok},
        {"1,100,2,1000,1,O.014,0.2,0.3\n" + row, mismatch + "1,100,2,1000,1,,0.2,0.3,,,,,\n" + ok},
        {"h,L\nh,L\n" + row, mismatch + ",,,,,,,,,,,,\n" + ok},
        {",,,,,,,\n" + row, ok},
    };
    for (const auto& [input, rows] : cases)
        EXPECT_EQ(RunHere("4 --csv -", input).out, cli::CsvHeader(4) + rows)
            << ::testing::PrintToString(input);
}

// Case 2 reads working values that an earlier row could leave; each row
// gives what it gives alone. Several megabytes of output and messages:
// nothing lost or doubled where the blocks are written.
TEST(CliBatch, LargeBatchRowsAreIndependentAndWrittenWhole) {
    const std::string rows = "4,100,1.5,0.2,1,0.014,0.25,0.4\n0,100,1.5,0.2,1,0.014,0.25,0.4\n"
                             "4,100,0.05,0.2,1,0.014,0.25,0.4\n";
    const std::string results =
        "ok,,4,100,1.5,0.2,1,0.014,0.25,0.4,0.135,0.13,0.065,1.72,771.0842\n"
        "not_converged,,0,100,1.5,0.2,1,0.014,0.25,0.4,,,,,\n"
        "error,invalid_argument,4,100,0.05,0.2,1,0.014,0.25,0.4,,,,,\n";
    std::string input, expected = "status,error,Q,L,h,Z,V,n,xi1,xi2,Z1,Z2,Z3,B,x\n";
    const int repeats = 10000;
    for (int k = 0; k < repeats; ++k) {
        input += rows;
        expected += results;
    }
    const Captured run = RunHere("2 --csv -", input);
    EXPECT_TRUE(run.out == expected) << run.out.size() << " bytes, not " << expected.size();
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2 * repeats);
    EXPECT_NE(run.err.find("第 30000 行：无效参数"), std::string::npos);
}

// ---------------------------------------------------------------- files and the built program

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(dir_), fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    const fs::path dir_ =
        fs::temp_directory_path() / ("ambrelo-cli-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(CliFiles, ProjectFileGivesTheValuesAndIsNeverWritten) {
    const std::string project = (dir_ / "flume").string();
    project::WriteProjectFile(project, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f});
    const auto written = fs::last_write_time(project + "us.dat");
    ExpectRun(RunHere("1 --project " + project), {"project", 0, kCase1Lines, ""});
    EXPECT_EQ(RunHere("--json 1 --project " + project).out,
              RunHere(std::string("--json ") + kCase1).out);
    EXPECT_EQ(fs::last_write_time(project + "us.dat"), written);
    // Values on the command line leave no project file behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    std::ofstream(dir_ / "shortus.dat") << "1,2,3\r\n";
    ExpectRun(RunHere("--json 1 --project " + (dir_ / "short").string()),
              {"short", 1, R"("error": "past_end_of_file")", "输入超出文件尾"});
}

TEST(CliExecutable, SuccessUsageErrorAndFailure) {
    for (const Expected& e : std::vector<Expected>{
             {kCase1, 0, kCase1Lines, ""},
             {"1 4 100", 2, "", "用法："},
             {"1 4 100 1.5 1000 1 0.014 0 0", 1, "", "无效运算（0/0）"},
         })
        ExpectRun(RunProgram(e.args), e);
}

TEST(CliDetails, TextAfterTheResults) {
    ExpectRun(RunHere(std::string("--details ") + kCase1),
              {"--details", 0,
               std::string(kCase1Lines) + "\n水力要素\n过水断面面积 A (m²): 2.476\n"
                                          "湿周 P (m): 4.091\n水力半径 R (m): 0.605\n"
                                          "水面宽度 T (m): 1.912\n断面平均流速 v (m/s): 1.616\n"
                                          "流速水头 v²/2g (m): 0.133\n弗劳德数 Fr: 0.453\n"
                                          "临界水深 hc (m): 0.970\n流态: 缓流\n"
                                          "水面位置: 水面在直墙段\n",
               ""});
}

TEST(CliDetails, JsonHydraulicsObject) {
    const std::string out = RunHere("--json --details 3 1 100 1.6 1000 0.8 0.014 0.2 0.3").out;
    const auto at = out.find(R"(, "hydraulics": {"A": 0.86161)");
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_LT(out.find(R"("results": {)"), at); // after the results
    for (const char* piece : {R"("Fr": 0.5033)", R"("hc": 0.4972)", R"("T": 1.5898)",
                              R"("regime": "subcritical", "surface": "in_semicircle"}, )"})
        EXPECT_NE(out.find(piece, at), std::string::npos) << piece << '\n' << out;
    // Without --details, and for a failure, there is no such object.
    for (const char* args : {"--json 3 1 100 1.6 1000 0.8 0.014 0.2 0.3",
                             "--json --details 1 4 100 1.5 1000 1 0.014 0 0"})
        EXPECT_EQ(RunHere(args).out.find("hydraulics"), std::string::npos) << args;
}

// The checks of the case 1 worked example, too deep for its width; at
// p = 0 the increased flow is the design flow and H₂ ≈ h + 0.10.
TEST(CliDetails, ChecksOfTheWorkedExample) {
    const std::pair<std::string, std::vector<const char*>> cases[] = {
        {"--json --details ",
         {R"("on_walls"}, "checks": {"increase_percent": 30, "velocity": {"value": 1.6156)",
          R"(, "ok": true}, "mild_slope": {"Fr": 0.4533)", R"("critical_slope_x": 257.37)",
          R"(, "ok": true}, "increased_flow": {"Q": 5.2, "h": 1.80796)",
          R"("net_depth": {"design": 1.69121)", R"(, "increased": 1.90796)",
          R"(, "value": 1.90796)", R"(, "ratio": 0.99783)",
          R"(, "ok": false}, "short_flume": {"ratio": 66.66)", R"(, "ok": true}}}
)"}},
        {"--json --details --increase 0 ",
         {R"({"increase_percent": 0, )", R"("increased_flow": {"Q": 4, "h": 1.4997)",
          R"("increased": 1.5997)", R"(, "ok": true}, "short_flume")"}},
        {"--details --increase=12.5 ",
         {"\n设计校核\n设计流速: v = 1.616 m/s | 1.0 ≤ v ≤ 2.5 m/s | GB 50288-2018 第 9.4.1 条 | "
          "满足\n",
          "加大流量: p = 12.5 %，Q加 = 4.500 m³/s", "| 提示\n槽身净深: ", "H/B = 0.904 | "}},
    };
    for (const auto& [options, pieces] : cases) {
        const std::string out = RunHere(options + kCase1).out;
        for (const char* piece : pieces)
            EXPECT_NE(out.find(piece), std::string::npos) << piece << '\n' << out;
    }
}

// A flume with water and no flow: figures not formed are null and dashes.
TEST(CliDetails, FiguresNotFormedAreNullAndDashes) {
    cli::Outcome still;
    still.design = hydraulics::DesignPoint{2, 1.5, 0, 1000, 0.014};
    const std::string json = cli::JsonReport(4, still, true);
    for (const char* piece :
         {R"("v": null)", R"("velocity_head": null)", R"("Fr": null)", R"("hc": null)",
          R"("regime": null, "surface": "on_walls")", R"("A": 2.57079)"})
        EXPECT_NE(json.find(piece), std::string::npos) << piece << '\n' << json;
    const std::string text = cli::ElementLines(still);
    EXPECT_NE(text.find("弗劳德数 Fr: —\n临界水深 hc (m): —\n流态: —\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("nan"), std::string::npos);
}

// The drawing needs no display: one that cannot be reached does not matter.
TEST_F(CliFiles, SvgOfTheSectionDrawingAndNoneAfterAFailure) {
    const fs::path svg = dir_ / "断面.svg";
    const std::string option = "--svg '" + svg.string() + "' ";
    const Captured run =
        RunProgram(option + kCase1, "env -u QT_QPA_PLATFORM DISPLAY=:97 XDG_RUNTIME_DIR=");
    if (run.err.find("没有 Qt SVG") != std::string::npos)
        GTEST_SKIP() << "built without Qt SVG";
    ExpectRun(run, {"--svg", 0, kCase1Lines, ""}); // Qt's notes are kept out
    const std::string text = ReadFile(svg);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    for (const char* piece : {"<svg", "<title>断面及水力要素</title>", ">B = 1.912 m<",
                              ">hc = 0.970 m<", ">缓流<", ">水深—流量关系曲线<", "</svg>"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
    EXPECT_EQ(text.find("nan"), std::string::npos);

    fs::remove(svg);
    ExpectRun(RunProgram(option + "1 4 100 1.5 1000 1 0.014 0 0"), {"fails", 1, "", "无效运算"});
    EXPECT_FALSE(fs::exists(svg));
    const std::string nowhere = (dir_ / "no-such-folder" / "x.svg").string();
    ExpectRun(RunProgram("--svg '" + nowhere + "' " + kCase1),
              {"unwritable", 1, kCase1Lines, "文件访问错误"});
}

} // namespace
