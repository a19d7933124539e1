// SPDX-License-Identifier: GPL-3.0-or-later
// ambrelo-calc --recommend in-process: the text and the JSON object of the
// search, the engine's choice in both, a design no candidate meets with its
// binding checks, and the options it does not go with.
#include "cli/app.h"
#include "cli/resultoutput.h"
#include "hydraulics/recommend.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kCase1 = "1 4 100 1.5 1000 1 0.014 0.25 0.4";

struct Output {
    int code = -1;
    std::string out, err;
};

Output RunHere(const std::string& line) {
    std::istringstream words(line), in;
    std::ostringstream out, err;
    const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
    const int code = cli::RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

// A number as the JSON writes it.
std::string Number(double value) {
    std::string text;
    cli::AppendJsonNumber(text, value);
    return text;
}

TEST(CliRecommend, TextNamesTheRecommendationItsChecksAndTheAlternatives) {
    const Output run = RunHere("--recommend " + kCase1);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    const hydraulics::Recommendation r =
        hydraulics::Recommend({1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}});
    ASSERT_TRUE(r.recommended);
    for (const std::string& part :
         {std::string("推荐断面\n在 B = 0.96～3.82 m、i = 1/1000 内"),
          std::string("推荐 B = 2.31 m，i = 1/1000："), std::string("\n推荐断面校核\n适用条件: "),
          std::string("\n备选断面（按衬砌周长由短到长"),
          std::string("B (m) | i | h (m) | H (m) | H/B | v (m/s) | Fr | Z (m) |")})
        EXPECT_NE(run.out.find(part), std::string::npos) << part << '\n' << run.out;
    // Ten alternatives, one a line.
    const std::string table = run.out.substr(run.out.find("B (m) | i"));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 11);
}

class CliRecommendFiles : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(dir_), fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    const fs::path dir_ =
        fs::temp_directory_path() / ("ambrelo-recommend-" + std::to_string(::getpid()));
};

TEST_F(CliRecommendFiles, JsonWithCanalsCarriesTheAdoptedShapeAndTheCounts) {
    const std::string file = (dir_ / "canals.json").string();
    std::ofstream(file) << R"({"upstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000, "bed": 100},
        "downstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000}, "allowed_drop": 0.3})";
    const Output run =
        RunHere("--json --recommend --step 0.02 --connection " + file + " " + kCase1);
    ASSERT_EQ(run.code, 0) << run.err;
    hydraulics::RecommendInput in{1, {4, 100, 1.5f, 1000, 1, 0.014f, 0.25f, 0.4f}};
    in.conditions.widthStep = 0.02;
    in.canals = hydraulics::ConnectionInput{};
    in.canals->upstream = in.canals->downstream = {2, 1.5, 0.025, 4000};
    in.canals->upstreamBed = 100;
    in.canals->allowedDrop = 0.3;
    const hydraulics::Recommendation r = hydraulics::Recommend(in);
    ASSERT_TRUE(r.recommended);
    const hydraulics::VerifiedSection& s = r.recommended->section;
    for (const std::string& part :
         {"{\"case\": 1, \"recommended\": {\"B\": " + Number(s.B) + ", \"x\": " + Number(s.x) +
              ", \"h\": ",
          std::string("\"top_outlet\": "), std::string("\"checks\": {\"applicability\": "),
          ", \"cost\": " + Number(r.recommended->cost),
          std::string(", \"feasible\": true, \"ok\": true}, \"alternatives\": [{\"B\": "),
          ", \"candidates\": " + std::to_string(r.candidates.size()) +
              ", \"feasible\": " + std::to_string(r.feasibleCount) + ", \"binding\": []",
          std::string("\"closest\": null"), std::string("\"slopes\": [200, 250, ")})
        EXPECT_NE(run.out.find(part), std::string::npos) << part << '\n' << run.out;
    EXPECT_EQ(run.out.back(), '\n');
}

TEST(CliRecommend, InfeasibleDesignNamesItsBindingChecks) {
    const Output json = RunHere("--json --recommend 3 4 100 1.6 200 1 0.014 0.25 0.4");
    EXPECT_EQ(json.code, 0);
    for (const char* part : {"\"recommended\": null", "\"alternatives\": []", "\"feasible\": 0",
                             "\"binding\": [\"net_depth\", \"velocity\"]", "\"closest\": {\"B\": "})
        EXPECT_NE(json.out.find(part), std::string::npos) << part << '\n' << json.out;
    const Output text = RunHere("--recommend 3 4 100 1.6 200 1 0.014 0.25 0.4");
    EXPECT_NE(text.out.find("没有满足全部校核的断面：H/B ≤ 0.9 与 v ≤ 2.5 m/s 在 B = 0.80～3.20 "
                            "m、i = 1/200 内无法同时满足。"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\n不满足项最少的断面校核\n"), std::string::npos);
}

TEST(CliRecommend, UsageErrorsAndFailures) {
    for (const char* other :
         {"--csv rows.csv", "--sweep h=1:2:0.5", "--svg x.svg", "--report x.pdf", "--dxf x.dxf"}) {
        const Output run =
            RunHere(std::string("--recommend ") + other + " 1 4 100 1.5 1000 1 0.014 0.25 0.4");
        EXPECT_EQ(run.code, cli::kExitUsage) << other;
        EXPECT_NE(run.err.find("--recommend 不能与"), std::string::npos) << run.err;
    }
    // A value that is no number is told as the single calculation tells it.
    const Output bad = RunHere("--recommend 1 4 100 x 1000 1 0.014 0.25 0.4");
    EXPECT_EQ(bad.code, cli::kExitFailed);
    EXPECT_NE(bad.err.find("类型不匹配"), std::string::npos);
    EXPECT_TRUE(bad.out.empty());
}

} // namespace
