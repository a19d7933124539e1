// ambrelo-calc --details and --svg: the hydraulic elements beside the
// results in text and JSON, and the section drawing as an SVG file.
#include "app.h"
#include "calculation.h"
#include "options.h"
#include "report.h"

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

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

struct Captured {
    int code = -1;
    std::string out, err;
};

Captured RunInProcess(const std::string& line) {
    std::istringstream in;
    std::ostringstream out, err;
    const int code = cli::RunCli(Words(line), in, out, err);
    return {code, out.str(), err.str()};
}

// The built program through the shell, with `environment` assignments
// before it; standard error apart in a file.
Captured RunProgram(const std::string& arguments, const std::string& environment = {}) {
    const std::string errFile =
        fs::temp_directory_path() / ("ambrelo-clidrawing-err-" + std::to_string(::getpid()));
    const std::string command =
        environment + " '" + AMBRELO_CALC + "' " + arguments + " 2>'" + errFile + "'";
    Captured run;
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

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

const char kCase1[] = "1 4 100 1.5 1000 1 0.014 0.25 0.4";

TEST(CliDetailsOptions, ParseAndConflicts) {
    const cli::Options o = cli::ParseOptions(Words("--details --svg=a.svg 1 --project p"));
    EXPECT_TRUE(o.details);
    EXPECT_EQ(o.svgFile, "a.svg");
    EXPECT_EQ(o.mode, cli::Mode::Project);
    EXPECT_EQ(cli::ParseOptions(Words(std::string(kCase1) + " --svg out.svg")).svgFile, "out.svg");
    EXPECT_TRUE(cli::ParseOptions(Words(kCase1)).svgFile.empty());
    for (const char* bad :
         {"3 --csv a.csv --svg x.svg", "3 --csv a.csv --details", "--details=yes 1 1 2 3 4 5 6 7 8",
          "1 1 2 3 4 5 6 7 8 --svg", "--svg - 1 1 2 3 4 5 6 7 8", "--svg= 1 1 2 3 4 5 6 7 8",
          "--svg a --svg b 1 1 2 3 4 5 6 7 8"})
        EXPECT_THROW(cli::ParseOptions(Words(bad)), cli::UsageError) << bad;
}

TEST(CliDetails, TextAfterTheResults) {
    const Captured run = RunInProcess(std::string("--details ") + kCase1);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "总水头损失 Z (m): 0.153\n"
                       "进口水头损失 Z1 (m): 0.103\n"
                       "沿程水头损失 Z2 (m): 0.1\n"
                       "出口水位回升 Z3 (m): 0.049\n"
                       "槽宽 B (m): 1.912109\n"
                       "\n"
                       "水力要素\n"
                       "过水断面面积 A (m²): 2.476\n"
                       "湿周 P (m): 4.091\n"
                       "水力半径 R (m): 0.605\n"
                       "水面宽度 T (m): 1.912\n"
                       "断面平均流速 v (m/s): 1.616\n"
                       "流速水头 v²/2g (m): 0.133\n"
                       "弗劳德数 Fr: 0.453\n"
                       "临界水深 hc (m): 0.970\n"
                       "流态: 缓流\n"
                       "水面位置: 水面在直墙段\n");
    // The results themselves are those without --details.
    EXPECT_EQ(run.out.rfind(RunInProcess(kCase1).out, 0), 0u);
}

TEST(CliDetails, JsonHydraulicsObject) {
    const Captured run = RunInProcess("--json --details 3 1 100 1.6 1000 0.8 0.014 0.2 0.3");
    EXPECT_EQ(run.code, 0);
    const std::string& out = run.out;
    const auto at = out.find(R"(, "hydraulics": {"A": 0.86161)");
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_LT(out.find(R"("results": {)"), at); // after the results
    for (const char* piece : {R"("Fr": 0.5033)", R"("hc": 0.4972)", R"("T": 1.5898)",
                              R"("regime": "subcritical", "surface": "in_semicircle"}})"})
        EXPECT_NE(out.find(piece, at), std::string::npos) << piece << '\n' << out;
    // Without --details, and for a failure, there is no such object.
    EXPECT_EQ(RunInProcess("--json 3 1 100 1.6 1000 0.8 0.014 0.2 0.3").out.find("hydraulics"),
              std::string::npos);
    const Captured failed = RunInProcess("--json --details 1 4 100 1.5 1000 1 0.014 0 0");
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out.find("hydraulics"), std::string::npos);
}

TEST(CliDetails, FiguresNotFormedAreNullAndDashes) {
    cli::Outcome still; // a flume with water and no flow
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

// ---------------------------------------------------------------- SVG, built program

class CliSvg : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("ambrelo-svg-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        if (RunProgram("--svg '" + (dir_ / "probe.svg").string() + "' " + kCase1)
                .err.find("没有 Qt SVG") != std::string::npos)
            GTEST_SKIP() << "built without Qt SVG";
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(CliSvg, WritesTheSectionDrawing) {
    const fs::path svg = dir_ / "断面.svg";
    // A display that cannot be reached does not matter: the drawing needs
    // none.
    const Captured run = RunProgram("--svg '" + svg.string() + "' " + kCase1,
                                    "env -u QT_QPA_PLATFORM DISPLAY=:97 XDG_RUNTIME_DIR=");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err; // Qt's notes are kept out
    EXPECT_EQ(run.out, RunInProcess(kCase1).out);
    const std::string text = ReadFile(svg);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    for (const char* piece :
         {"<svg", "viewBox=\"0 0 800 860\"", "<title>断面及水力要素</title>", ">B = 1.912 m<",
          ">h = 1.500 m<", ">hc = 0.970 m<", ">水力要素<", ">2.476<", ">缓流<", ">水面在直墙段<",
          ">水深—流量关系曲线<", ">半圆顶 ", ">B/2 = 0.956 m<", "设计点", "</svg>"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
    EXPECT_EQ(text.find("nan"), std::string::npos);
}

TEST_F(CliSvg, NoFileForAFailureAndUnwritablePath) {
    const fs::path svg = dir_ / "none.svg";
    const Captured failed = RunProgram("--svg '" + svg.string() + "' 1 4 100 1.5 1000 1 0.014 0 0");
    EXPECT_EQ(failed.code, 1);
    EXPECT_FALSE(fs::exists(svg));
    const Captured usage = RunProgram("--svg '" + svg.string() + "' 3 --csv -");
    EXPECT_EQ(usage.code, 2);
    EXPECT_FALSE(fs::exists(svg));

    const Captured unwritable =
        RunProgram("--svg '" + (dir_ / "no-such-folder" / "x.svg").string() + "' " + kCase1);
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_NE(unwritable.err.find("文件访问错误"), std::string::npos) << unwritable.err;
    EXPECT_FALSE(unwritable.out.empty()); // the results were shown first
}

} // namespace
