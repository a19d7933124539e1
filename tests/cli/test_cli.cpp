// SPDX-License-Identifier: GPL-3.0-or-later
// ambrelo-calc in-process (cli::RunCli): exit codes and streams, the text,
// JSON and CSV forms, batches with bad rows, --project, --details, --svg;
// and one run of the built program itself, without a display.
#include "cli/app.h"
#include "cli/calculation.h"
#include "cli/options.h"
#include "cli/resultoutput.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const std::string kCase1 = "1 4 100 1.5 1000 1 0.014 0.25 0.4";
const std::string kCase1Lines = "总水头损失 Z (m): 0.153\n进口水头损失 Z1 (m): 0.103\n"
                                "沿程水头损失 Z2 (m): 0.1\n出口水位回升 Z3 (m): 0.049\n"
                                "槽宽 B (m): 1.912109\n";
const std::string kRow4 = "1,100,2,1000,1,0.014,0.2,0.3\n";
const std::string kOut4 = "ok,,1,100,2,1000,1,0.014,0.2,0.3,0.126,0.063,0.1,0.037,2.23514\n";

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

// The exit code, and each stream holding `out` / `err` ("": empty).
void ExpectRun(const std::string& args, int code, const std::string& out, const std::string& err,
               const std::string& input = {}) {
    const Captured run = RunHere(args, input);
    EXPECT_EQ(run.code, code) << args << '\n' << run.err;
    for (const auto& [got, want] : {std::pair(run.out, out), std::pair(run.err, err)})
        EXPECT_TRUE(want.empty() ? got.empty() : got.find(want) != std::string::npos)
            << args << "\n"
            << got;
}

TEST(Cli, ExitCodesAndStreams) {
    const std::string csv = "h,L,B,x,V,n,xi1,xi2\n" + kRow4;
    // clang-format off
    struct { std::string args; int code; std::string out, err; } const runs[] = {
        {kCase1, 0, kCase1Lines, ""},
        {"2 4 100 1.5 0.2 1 0.014 0.25 0.4", 0, "进口水头损失 Z1 (m): 0.135\n沿程水头损失 Z2 (m): 0.13\n"
         "出口水位回升 Z3 (m): 0.065\n槽宽 B (m): 1.72\n槽身比降 i: 1/771.0842\n", ""},
        {"3 1 100 1.6 1000 0.8 0.014 0.2 0.3", 0, "出口水位回升 Z3 (m): 0.025\n槽内水深 h (m): 0.71\n", ""},
        {"4 1 100 2 1000 1 0.014 0.2 0.3", 0, "出口水位回升 Z3 (m): 0.037\n流量 Q (m³/s): 2.23514\n", ""},
        {"-h", 0, cli::UsageText(), ""}, {"--bogus --help", 0, cli::UsageText(), ""},
        {"4 --csv -", 0, cli::CsvHeader(4) + kOut4, ""}, {"--csv=- 4", 0, cli::CsvHeader(4) + kOut4, ""},
        {"--bom 4 --csv -", 0, "\xEF\xBB\xBF" + cli::CsvHeader(4) + kOut4, ""},
        // A value starting with '-' and a digit or '.' is a number; "--" ends the options.
        {"--json 4 1 100 2 1000 -2 0.014 0.2 -.3", 0, R"("V": "-2", "n": "0.014", "xi1": "0.2", "xi2": "-0.3")", ""},
        {"1 4 100 1.5 1000 1 -- -x 0.25 0.4", 1, "", "类型不匹配：槽身糙率 n"},
        // Two rows of the mistyped-input table (test_regionalnumber).
        {"--json 1 1.5m 100 1.5 1000 1 0.014 0.25 0.4", 1, R"("error": "type_mismatch")", "类型不匹配：流量 Q"},
        {"--json 1 1e39 100 1.5 1000 1 0.014 0.25 0.4", 1, R"("error": "overflow")", "溢出（超出单精度数的范围）：流量 Q"},
        {"1 4 100 1,5 1000 1 0.014 0.25 0.4", 1, "", "类型不匹配：槽内水深 h"},
        // ξ1 + ξ2 = 0 refused in the designer's words, pointing to table K.1.2.
        {"1 4 100 1.5 1000 1 0.014 0 0", 1, "", "ξ2 不能同时为零，两者之和也不能为零"},
        {"--json 3 1 100 1.6 1000 0.8 0.014 0.3 -0.3", 1, R"("error": "invalid_operation", )"
         R"("message": "进口局部损失系数 ξ1 与出口局部损失系数 ξ2 不能同时为零)", "表 K.1.2"},
        {"3 --csv /nonexistent/none.csv", 1, "", "文件未找到：/nonexistent/none.csv"},
        {"3 --csv /tmp", 1, "", "文件访问错误：/tmp"},
        {"--json 1 --project /nonexistent/p", 1, R"("error": "file_not_found")", "文件未找到"},
        {"7 1 2 3 4 5 6 7 8", 2, "", "ambrelo-calc: 情况编号必须是"},
        {"--increase 51 1 4 100 1.5 1000 1 0.014 0.25 0.4", 2, "", "0 到 50 之间"}};
    // clang-format on
    for (const auto& r : runs)
        ExpectRun(r.args, r.code, r.out, r.err, csv);
    for (const char* bad :
         {"", "1.0 1 2 3 4 5 6 7 8", "1 1 2 3 4 5 6 7", "1 1 2 3 4 5 6 7 8 9", "1 1 2 3 4 5 6 7 -x",
          "--json=yes 1 1 2 3 4 5 6 7 8", "3 --csv", "3 --csv a.csv 1", "3 --csv a.csv --project p",
          "3 --json --csv a.csv", "3 --csv a.csv --details", "--svg - 1 1 2 3 4 5 6 7 8",
          "--bom 1 1 2 3 4 5 6 7 8", "--bom --json --sweep h=1:2:1 1 1 2 3 4 5 6 7 8",
          "--bom=yes 3 --csv a.csv"})
        ExpectRun(bad, 2, "", "用法：");
    // p: a number from 0 to 50, once, not for a batch.
    for (const std::string bad : {"--increase 50.01", "--increase=-1", "--increase nan",
                                  "--increase=3%", "--increase=", "--increase 5 --increase 6"})
        EXPECT_THROW(cli::ParseOptions(Words(bad + " 1 1 2 3 4 5 6 7 8")), cli::UsageError) << bad;
    EXPECT_THROW(cli::ParseOptions(Words("3 --csv a.csv --increase 5")), cli::UsageError);
    // --info: a known key, a grade 1 to 5, KEY=VALUE, only with --report.
    const std::string report = " --report r.pdf 1 1 2 3 4 5 6 7 8";
    for (const std::string bad : {"--info colour=red", "--info grade=6", "--info grade=0",
                                  "--info grade=三", "--info project", "--info=author"})
        EXPECT_THROW(cli::ParseOptions(Words(bad + report)), cli::UsageError) << bad;
    EXPECT_THROW(cli::ParseOptions(Words("--info grade=2 1 1 2 3 4 5 6 7 8")), cli::UsageError);
    const cli::Options info =
        cli::ParseOptions(Words("--info grade=2 --info=number=A-1 --info grade=" + report));
    EXPECT_EQ(info.info, (std::vector<std::pair<std::string, std::string>>{
                             {"grade", "2"}, {"number", "A-1"}, {"grade", ""}}));
    // A full disk on standard output.
    std::istringstream in(kRow4);
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(cli::RunCli(Words(kCase1), in, out, err), 1);
    EXPECT_EQ(cli::RunCli(Words("4 --csv -"), in, out, err), 1);
    EXPECT_EQ(err.str().rfind("文件访问错误：标准输出\n", 0), 0u) << err.str();
}

TEST(Cli, JsonOfOkErrorNotConvergedAndDetails) {
    const std::pair<std::string, std::string> runs[] = {
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
         R"({"case": 1, "status": "not_converged", "message": "未收敛：槽宽 B 的试算在规定次数内)"},
        {"--json --details 1 4 100 1.5 1000 1 0.014 0 0",
         R"({"case": 1, "status": "error", "error": "invalid_operation", )"}};
    for (const auto& [args, json] : runs) { // no hydraulics after a failure
        const std::string got = RunHere(args).out;
        EXPECT_EQ(got.substr(0, json.size()), json);
        EXPECT_TRUE(got.ends_with("}\n") && got.find("hydraulics") == std::string::npos) << got;
    }
    const std::string out = RunHere("--json --details 3 1 100 1.6 1000 0.8 0.014 0.2 0.3").out;
    const auto at = out.find(R"(}, "hydraulics": {"A": 0.86161)");
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_NE(out.find(R"("regime": "subcritical", "surface": "in_semicircle"}, )", at),
              std::string::npos)
        << out;
    // Text after the results.
    ExpectRun("--details " + kCase1, 0, kCase1Lines + "\n水力要素\n过水断面面积 A (m²): 2.476\n",
              "");
    ExpectRun("--details " + kCase1, 0, "流态: 缓流\n水面位置: 水面在直墙段\n", "");
}

TEST(Cli, BatchBadRowsDoNotStopIt) {
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
    EXPECT_EQ(run.err.rfind("第 4 行：类型不匹配：槽宽 B 不是有效的数字\n第 5 行：", 0), 0u)
        << run.err;
    // Only the first non-blank line without numbers is a header.
    const std::string mismatch = "error,type_mismatch,";
    // clang-format off
    const std::pair<std::string, std::string> headers[] = {
        {"\n \n\t\r\n", ""}, {"\n\nh,L,B,x,V,n,xi1,xi2\n" + kRow4, kOut4}, {"\xEF\xBB\xBF" + kRow4, kOut4},
        {"\xEF\xBB\xBFh,L,B,x,V,n,xi1,xi2\r\n1,100,2,1000,1,0.014,0.2,0.3", kOut4},
        {"1,100,2,1000,1,O.014,0.2,0.3\n" + kRow4, mismatch + "1,100,2,1000,1,,0.2,0.3,,,,,\n" + kOut4},
        {"h,L\nh,L\n" + kRow4, mismatch + ",,,,,,,,,,,,\n" + kOut4}, {",,,,,,,\n" + kRow4, kOut4},
        // Quoted as RFC 4180 has it: quotes, doubled quotes, commas and line ends inside.
        {"\"1\", \"100\" ,2,1000,1,0.014,\"0.2\",0.3\n", kOut4},
        {"\"h\nstart\",\"L,m\",\"say \"\"B\"\"\",x,V,n,xi1,xi2\n" + kRow4, kOut4},
        {"\"1,5\",100,2,1000,1,0.014,0.2,0.3\n\"1\"m,100,2,1000,1,0.014,0.2,0.3\n",
         mismatch + ",100,2,1000,1,0.014,0.2,0.3,,,,,\n" + mismatch + ",100,2,1000,1,0.014,0.2,0.3,,,,,\n"}};
    // clang-format on
    for (const auto& [input, rows] : headers)
        EXPECT_EQ(RunHere("4 --csv -", input).out, cli::CsvHeader(4) + rows)
            << ::testing::PrintToString(input);
    // Case 2 reads working values that an earlier row could leave; each row
    // gives what it gives alone, and megabytes of output are written whole.
    std::string input, expected = "status,error,Q,L,h,Z,V,n,xi1,xi2,Z1,Z2,Z3,B,x\n";
    for (int k = 0; k < 10000; ++k) {
        input += "4,100,1.5,0.2,1,0.014,0.25,0.4\n0,100,1.5,0.2,1,0.014,0.25,0.4\n"
                 "4,100,0.05,0.2,1,0.014,0.25,0.4\n";
        expected += "ok,,4,100,1.5,0.2,1,0.014,0.25,0.4,0.135,0.13,0.065,1.72,771.0842\n"
                    "not_converged,,0,100,1.5,0.2,1,0.014,0.25,0.4,,,,,\n"
                    "error,invalid_argument,4,100,0.05,0.2,1,0.014,0.25,0.4,,,,,\n";
    }
    const Captured large = RunHere("2 --csv -", input);
    EXPECT_TRUE(large.out == expected) << large.out.size() << " bytes, not " << expected.size();
    EXPECT_EQ(std::count(large.err.begin(), large.err.end(), '\n'), 20000);
    EXPECT_NE(large.err.find("第 30000 行：无效参数"), std::string::npos);
}

// The checks of the case 1 worked example, too deep for its width (H/B, a
// 宜 clause: 宜调整, "ok" false at level "should"); at p = 0 the increased
// flow is the design flow. The adopted section follows: B* = 1.911735 m
// rounded up to 1.92 m, the exact depth, H up to the centimetre.
TEST(Cli, ChecksOfTheWorkedExample) {
    const std::pair<std::string, std::vector<const char*>> cases[] = {
        {"--json --details ",
         {R"("on_walls"}, "checks": {"applicability": {"ratio": 0.7844)",
          R"(, "ok": true, "level": "shall"}, "increase_percent": 30, "velocity": {"value": 1.6156)",
          R"(, "ok": true, "level": "should"}, "mild_slope": {"Fr": 0.4533)",
          R"("critical_slope_x": 257.37)", R"("increased_flow": {"Q": 5.2, "h": 1.80796)",
          R"("net_depth": {"design": 1.69121)", R"(, "increased": 1.90796)",
          R"(, "value": 1.90796)", R"(, "ratio": 0.99783)",
          R"(, "ok": false, "level": "should"}, "short_flume": {"ratio": 66.66)",
          R"(, "ok": true, "basis": "h"}}, "adopted": {"B": 1.92, "x": 1000, "h": 1.49452)",
          R"("H": 1.91, "H_over_B": 0.99479)", R"("exact_B": 1.911735)",
          R"("feasible": false, "ok": true}}
)"}},
        {"--json --details --increase 0 ",
         {R"(, "increase_percent": 0, )", R"("increased_flow": {"Q": 4, "h": 1.4997)",
          R"("increased": 1.5997)", R"(, "ok": true, "level": "should"}, "short_flume")"}},
        {"--details --increase=12.5 ",
         {"\n设计校核\n适用条件: h/B = 0.784 | h ≥ B/2 | 情况 1、2 的直墙公式 | 满足\n设计流速: v "
          "= 1.616 m/s | 宜为 1.0～2.5 m/s | GB 50288-2018 第 9.4.1 条第 1 款 | 满足\n",
          "加大流量: p = 12.5 %，Q加 = 4.500 m³/s", "| 提示\n设计流量超高: ", "H/B = 0.904 | ",
          "| 宜调整\n长槽与短槽: L/h = 66.667 |", "| 长槽\n\n采用断面（采用值）\n",
          "槽宽 B (m): 1.92\n", "\n修改途径\n"}},
    };
    for (const auto& [options, pieces] : cases) {
        const std::string out = RunHere(options + kCase1).out;
        for (const char* piece : pieces)
            EXPECT_NE(out.find(piece), std::string::npos) << piece << '\n' << out;
    }
}

// Lines of `text`.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(Cli, SweepRowsAreTheSingleRuns) {
    // Each line of the array, its separating comma left off, is the single
    // --details --json run of the row's value; the failures at h = 1 and
    // 1.05 are rows, their messages also on standard error.
    const Captured run = RunHere("--json --sweep h=1.0:1.6:0.05 " + kCase1);
    EXPECT_EQ(run.code, 0);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines.front(), "[");
    EXPECT_EQ(lines.back(), "]");
    const char* depths[] = {"1",    "1.05", "1.1",  "1.15", "1.2",  "1.25", "1.3",
                            "1.35", "1.4",  "1.45", "1.5",  "1.55", "1.6"};
    for (std::size_t k = 0; k < 13; ++k) {
        std::string row = lines[k + 1];
        if (k < 12)
            row.pop_back();
        EXPECT_EQ(row + "\n", RunHere(std::string("--details --json 1 4 100 ") + depths[k] +
                                      " 1000 1 0.014 0.25 0.4")
                                  .out);
    }
    EXPECT_EQ(run.err.rfind("h = 1：无效参数", 0), 0u) << run.err;
    // --increase reaches every row; the CSV has a header and a row a value.
    EXPECT_NE(RunHere("--json --increase 20 --sweep=B=1.5:1.7:0.1 3 1 100 0 1000 0.8 0.014 0.2 0.3")
                  .out.find(R"("increase_percent": 20)"),
              std::string::npos);
    const Captured csv = RunHere("--sweep Z=0.1:0.3:0.1 2 4 100 1.5 0 1 0.014 0.25 0.4");
    EXPECT_EQ(csv.code, 0);
    EXPECT_EQ(Lines(csv.out).size(), 4u);
    EXPECT_EQ(csv.out.rfind("Z,status,error,Z1,Z2,Z3,B,x,", 0), 0u) << csv.out;
    // A byte-order mark only when asked for, in front of the same table.
    EXPECT_EQ(RunHere("--bom --sweep Z=0.1:0.3:0.1 2 4 100 1.5 0 1 0.014 0.25 0.4").out,
              "\xEF\xBB\xBF" + csv.out);
    EXPECT_EQ(RunHere("4 --csv -", kRow4).out, cli::CsvHeader(4) + kOut4);
}

TEST(Cli, SweepUsageErrors) {
    for (const std::string sweep :
         {"h=1.6:1.0:0.1", "h=1:2:0", "h=1:2:-0.1", "h=0:2000:1", "h=1:2", "h=1:2:x", "B=1:2:0.1",
          "h", "=1:2:0.1", "h=1:2:0.1 --csv -", "h=1:2:0.1 --sweep=h=1:2:1"})
        ExpectRun("--sweep " + sweep + " " + kCase1, 2, "", "--sweep");
    ExpectRun("--sweep h=1:1.2:0.1 1 4 100 1.5 1000", 2, "", "需要 8 个数值");
    // Another value that is no number is the single run's failure.
    ExpectRun("--sweep h=1:1.2:0.1 1 4 100 1.5 1000 1 0.014 a 0.4", 1, "", "类型不匹配");
}

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
    std::ofstream(project + "us.dat") << "4,100,1.5,1000,1,0.014,0.25,0.4\r\n";
    const auto written = fs::last_write_time(project + "us.dat");
    ExpectRun("1 --project " + project, 0, kCase1Lines, "");
    EXPECT_EQ(RunHere("--json 1 --project=" + project).out, RunHere("--json " + kCase1).out);
    EXPECT_EQ(fs::last_write_time(project + "us.dat"), written);
    EXPECT_EQ(RunHere("--sweep h=1.4:1.5:0.1 1 --project " + project).out,
              RunHere("--sweep h=1.4:1.5:0.1 " + kCase1).out);
    std::ofstream(dir_ / "shortus.dat") << "1,2,3\r\n";
    ExpectRun("--json 1 --project " + (dir_ / "short").string(), 1,
              R"("error": "past_end_of_file")", "输入超出文件尾");
    // Saved after a click into Form1's name box: the near match is named.
    std::ofstream(dir_ / " p1us.dat") << "4,100,1.5,1000,1,0.014,0.25,0.4\r\n";
    ExpectRun("1 --project " + (dir_ / "p1").string(), 1, "", "/ p1us.dat”存在，要打开它请用");
    // Values on the command line, failures and unwritable SVG files leave nothing behind.
    const std::string svg = (dir_ / "x.svg").string();
    ExpectRun("--svg " + svg + " 1 4 100 1.5 1000 1 0.014 0 0", 1, "", "不能同时为零");
    ExpectRun("--svg " + (dir_ / "none" / "x.svg").string() + " " + kCase1, 1, kCase1Lines,
              "文件访问错误");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);
}

TEST_F(CliFiles, ConnectionFileGivesTheConnectionAfterTheChecks) {
    const std::string canal = R"("b": 2, "m": 1.5, "n": 0.025, "x": 4000)";
    const std::string up = R"({"upstream": {)" + canal + R"(, "bed": 100.0})";
    const std::string good = up + R"(, "downstream": {)" + canal + "}"; // the object still open
    const std::string file = (dir_ / "canals.json").string();
    // A bad file is a usage error that names the key (every key:
    // test_connectiondata; any bytes: fuzz_connection_file).
    for (const auto& [text, key] : {
             std::pair<std::string, const char*>{"[1, 2]", "不是有效的 JSON 对象"},
             {up + R"(, "downstream": {"b": 2, "m": 1.5, "n": 0.025, "x": "4000"}})",
              "“downstream.x”"},
             {good + R"(, "grade": 2.5})", "“grade”"},
         }) {
        std::ofstream(file, std::ios::trunc) << text;
        ExpectRun("--connection " + file + " " + kCase1, 2, "", key);
    }
    ExpectRun("--connection " + (dir_ / "none.json").string() + " " + kCase1, 2, "", "无法读取");
    std::ofstream(file, std::ios::trunc) << good << "}";
    const std::string json = RunHere("--json --details --connection " + file + " " + kCase1).out;
    // One classification, by h₁; the connection of the adopted section.
    std::size_t at = json.find(R"("short_flume": {"ratio": 63.7605)");
    for (const char* key :
         {R"("basis": "h1"}}, "connection": {"design": {"h1": 1.56836888)", R"("drop": )",
          R"("allowed_drop": {"value": null, "margin": null, "ok": null, "level": "note"}, )",
          R"("elevations": {"bed_upstream": 100, "bed_inlet": 99.929162)",
          R"("increased": {"Q": 5.2, "h1": )", R"("ratio": )", R"(, "ok": )",
          R"("short_flume": {"ratio": )", R"(}}, "adopted": {"B": 1.92)",
          R"("top_inlet": 101.839162)", "}}\n"}) {
        ASSERT_NE(at, std::string::npos) << key << '\n' << json;
        at = json.find(key, at);
    }
    EXPECT_EQ(json.find("bend"), std::string::npos);
    ExpectRun("--details --connection " + file + " " + kCase1, 0,
              "\n水面衔接与高程\n设计流量\n上游渠道正常水深 h₁ (m): 1.568\n", "");
    // A sweep with canals: each row is still the single run, connection and
    // all, and the CSV gains the connection's verdicts.
    const std::vector<std::string> rows =
        Lines(RunHere("--json --connection " + file + " --sweep h=1.5:1.5:1 " + kCase1).out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1] + "\n", json);
    // The CSV: the connection's figures between H/B and the verdicts, each
    // the JSON's figure of that run.
    const std::vector<std::string> csv =
        Lines(RunHere("--connection " + file + " --sweep h=1.4:1.5:0.1 " + kCase1).out);
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_NE(csv[0].find(",H/B,ΔZ,∇1,∇2,∇4,Δh1,适用条件,"), std::string::npos) << csv[0];
    EXPECT_TRUE(csv[0].ends_with(",长槽与短槽,总水面降落,短槽水面线复核,加大流量壅水,全部满足"))
        << csv[0];
    std::vector<std::string> fields;
    std::istringstream row(csv[2]);
    for (std::string field; std::getline(row, field, ',');)
        fields.push_back(field);
    ASSERT_GT(fields.size(), 23u) << csv[2];
    for (const auto& [column, key] : {std::pair<std::size_t, const char*>{18, R"("drop": )"},
                                      {19, R"("bed_inlet": )"},
                                      {20, R"("bed_outlet": )"},
                                      {21, R"("bed_downstream": )"},
                                      {22, R"("rise": )"}}) {
        const std::size_t at = json.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_NEAR(std::stod(fields[column]), std::stod(json.substr(at + std::strlen(key))), 1e-12)
            << key;
    }
}

// --project also reads the project's side file: its canal data act as
// --connection would (text, JSON, sweep rows, report), with the one grade
// of the report's heading; what the command line gives wins; a damaged or
// incomplete side file is told, the calculation done and nothing written.
TEST_F(CliFiles, ProjectSideFileGivesCanalsAndHeading) {
    const std::string project = (dir_ / "渡槽一").string(), side = project + "us.json";
    std::ofstream(project + "us.dat") << "4,100,1.5,1000,1,0.014,0.25,0.4\r\n";
    const std::string canal = R"("b": 2, "m": 1.5, "n": 0.025, "x": 4000)";
    const std::string canals =
        R"({"upstream": {)" + canal + R"(, "bed": 100}, "downstream": {)" + canal + "}";
    const std::string grade4 = (dir_ / "grade4.json").string(),
                      grade3 = (dir_ / "grade3.json").string();
    std::ofstream(grade4) << canals << "}";
    std::ofstream(grade3) << canals << R"(, "grade": 3})";
    const auto keep = [&](const std::string& text) {
        std::ofstream(side, std::ios::trunc) << text;
    };
    keep(R"({"version": 1, "report": {"company": "某设计院", "grade": "3"}, "connection": )" +
         canals + "}}");
    const std::string withProject = " 1 --project " + project;
    const Captured kept = RunHere("--json --details" + withProject);
    EXPECT_EQ(kept.err, "");
    EXPECT_EQ(kept.out, RunHere("--json --details --connection " + grade3 + " " + kCase1).out);
    EXPECT_NE(kept.out, RunHere("--json --details --connection " + grade4 + " " + kCase1).out);
    EXPECT_EQ(RunHere("--json --connection " + grade4 + withProject).out,
              RunHere("--json --connection " + grade4 + " " + kCase1).out);
    EXPECT_EQ(RunHere("--sweep h=1.4:1.5:0.1" + withProject).out,
              RunHere("--connection " + grade3 + " --sweep h=1.4:1.5:0.1 " + kCase1).out);
    ExpectRun("--details" + withProject, 0, "\n水面衔接与高程\n", "");
    // The report: the kept heading under --info, and the section of the canals.
    const std::string odt = (dir_ / "r.odt").string();
    const Captured report = RunHere("--report " + odt + " --info author=张三" + withProject);
    if (report.err.find("不能写计算书") == std::string::npos) {
        EXPECT_EQ(report.code, 0) << report.err;
        const std::string xml = "'" + (dir_ / "content.xml").string() + "'";
        ASSERT_EQ(std::system(("unzip -p '" + odt + "' content.xml >" + xml).c_str()), 0);
        const std::string content = ReadFile(dir_ / "content.xml");
        for (const char* piece : {"某设计院", "张三", "水面衔接与高程"})
            EXPECT_NE(content.find(piece), std::string::npos) << piece;
        fs::remove(odt), fs::remove(dir_ / "content.xml");
    }
    // Damaged: told, naming the file and the section; the rest is read.
    const std::pair<std::string, std::vector<const char*>> damaged[] = {
        {"{not json", {"渡槽一us.json", "已损坏"}},
        {R"({"connection": {"upstream": {"b": 2}}})", {"“connection”一节不完整", "upstream.m"}},
        {R"({"connection": [1]})", {"“connection”一节已损坏"}}};
    for (const auto& [text, told] : damaged) {
        keep(text);
        const Captured run = RunHere("--details" + withProject);
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.out.find("水面衔接"), std::string::npos) << text;
        for (const char* piece : told)
            EXPECT_NE(run.err.find(piece), std::string::npos) << text << '\n' << run.err;
        EXPECT_EQ(ReadFile(side), text);
    }
    keep(R"({"report": 5, "connection": )" + canals + "}}");
    const Captured other = RunHere("--report " + odt + withProject);
    EXPECT_NE(other.err.find("“report”一节已损坏"), std::string::npos) << other.err;
    EXPECT_EQ(RunHere("--json" + withProject).out,
              RunHere("--json --connection " + grade4 + " " + kCase1).out);
    fs::remove(odt);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 4);
}

// The design conditions come in layers, each winning over the one before:
// the defaults, the project's side file (section "design"), the
// --connection file, the options (--step). A damaged section is told and
// leaves the defaults. Seen in the adopted width, B* = 1.911735 m rounded up.
TEST_F(CliFiles, DesignConditionsInLayers) {
    const std::string project = (dir_ / "flume").string();
    std::ofstream(project + "us.dat") << "4,100,1.5,1000,1,0.014,0.25,0.4\r\n";
    const std::string canal = R"("b": 2, "m": 1.5, "n": 0.025, "x": 4000)";
    const std::string canals = (dir_ / "canals.json").string();
    std::ofstream(canals) << R"({"upstream": {)" << canal << R"(, "bed": 100}, "downstream": {)"
                          << canal << R"(}, "step": 0.05})";
    const auto adoptedB = [](const std::string& args) {
        const std::string json = RunHere("--json --details " + args).out;
        const std::size_t at = json.find(R"("adopted": {"B": )");
        return at == std::string::npos ? json : json.substr(at + 17, json.find(',', at) - at - 17);
    };
    std::ofstream(project + "us.json") << R"({"version": 1, "design": {"step": 0.1}})";
    const std::string withProject = "1 --project " + project;
    EXPECT_EQ(adoptedB(withProject), "2");
    EXPECT_EQ(adoptedB("--connection " + canals + " " + withProject), "1.95");
    EXPECT_EQ(adoptedB("--connection " + canals + " " + kCase1), "1.95");
    EXPECT_EQ(adoptedB("--step 0.02 --connection " + canals + " " + withProject), "1.92");
    EXPECT_EQ(adoptedB("--connection " + canals + " --step 0.02 " + kCase1), "1.92");
    std::ofstream(project + "us.json", std::ios::trunc) << R"({"design": {"step": "0.1"}})";
    ExpectRun("--json --details " + withProject, 0, R"("adopted": {"B": 1.92,)", "槽宽设计步长");
}

// The one run of the built program: the section drawing as SVG needs no
// display, and one that cannot be reached does not matter.
TEST_F(CliFiles, BuiltProgramWritesSvgWithoutADisplay) {
    const fs::path svg = dir_ / "断面.svg", out = dir_ / "out", err = dir_ / "err";
    const std::string command = "env -u QT_QPA_PLATFORM DISPLAY=:97 XDG_RUNTIME_DIR= '" +
                                std::string(AMBRELO_CALC) + "' --svg '" + svg.string() + "' " +
                                kCase1 + " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    if (ReadFile(err).find("没有 Qt SVG") != std::string::npos)
        GTEST_SKIP() << "built without Qt SVG";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFile(err);
    EXPECT_EQ(ReadFile(out), kCase1Lines);
    EXPECT_EQ(ReadFile(err), ""); // Qt's notes are kept out
    const std::string text = ReadFile(svg);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    for (const char* piece : {"<title>断面及水力要素</title>", ">B = 1.912 m<", ">hc = 0.969 m<",
                              ">缓流<", ">水深—流量关系曲线<", "</svg>"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
    EXPECT_EQ(text.find("nan"), std::string::npos);
}

} // namespace
