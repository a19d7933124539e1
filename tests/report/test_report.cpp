// The calculation report through ambrelo-calc --report, read back as a
// checker reads it: the PDF's text (pdftotext), its fonts (pdffonts) and
// the ODT's content.xml (unzip).
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kCase1 = " 1 4 100 1.5 1000 1 0.014 0.25 0.4";

struct Ran {
    int code = -1;
    std::string out;
};

Ran Shell(const std::string& command) {
    Ran run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Report : public testing::Test {
protected:
    void SetUp() override {
        if (Shell("command -v pdftotext pdffonts unzip").code != 0)
            GTEST_SKIP() << "poppler-utils and unzip are needed (scripts/install-deps)";
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    Ran Calc(const std::string& args) {
        return Shell(std::string("'") + AMBRELO_CALC + "' " + args);
    }
    std::string File(const char* name) const { return "'" + (dir_ / name).string() + "'"; }

    fs::path dir_ = fs::temp_directory_path() / ("ambrelo-report-" + std::to_string(::getpid()));
};

// What a checker follows line by line: inputs, every trial width of the
// halving as the engine formed it, the results and the drawing's label;
// ";" between them.
const std::string kCase1Texts =
    "渡槽水力计算书;计算槽宽及水头损失;0.014;0.25;0.4;1000;1.5;1.75;1.875;1.9375;1.90625;"
    "1.921875;1.9140625;1.91015625;1.912109375;满足;1.912109;0.153;0.103;0.049;B = 1.912 m;"
    "GB 50288-2018;计算：;校核：;审查：";

std::vector<std::string> Case1Texts() {
    std::istringstream in(kCase1Texts);
    std::vector<std::string> texts;
    for (std::string text; std::getline(in, text, ';');)
        texts.push_back(text);
    return texts;
}

TEST_F(Report, PdfHoldsTheCalculationAsTextWithEmbeddedFonts) {
    ASSERT_EQ(Calc("--increase 20 --report " + File("r.pdf") + kCase1).code, 0);
    const std::string text = Shell("pdftotext -layout " + File("r.pdf") + " -").out;
    for (const std::string& expected : Case1Texts())
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_NE(text.find("第 1 页 共"), std::string::npos);
    EXPECT_NE(text.find("p = 20 %"), std::string::npos); // the checks at the increase given
    // Columns emb sub uni: every face embedded and mapped to Unicode.
    const std::string fonts = "pdffonts " + File("r.pdf") + " | tail -n +3";
    EXPECT_EQ(Shell(fonts + " | grep -Ecv ' yes +(yes|no) +yes +[0-9]+ +[0-9]+ *$'").out, "0\n")
        << Shell(fonts).out;
}

TEST_F(Report, OdtHoldsTheSameNumbers) {
    ASSERT_EQ(Calc("--report " + File("r.odt") + kCase1).code, 0);
    const std::string xml = Shell("unzip -p " + File("r.odt") + " content.xml").out;
    for (const std::string& expected : Case1Texts()) {
        if (expected != "B = 1.912 m") { // the drawing is a picture here
            EXPECT_NE(xml.find(expected), std::string::npos) << expected;
        }
    }
    EXPECT_NE(Shell("unzip -l " + File("r.odt")).out.find("Pictures/"), std::string::npos);
    EXPECT_EQ(xml.find("width=\"100pt\""), std::string::npos); // widths are points, not %
}

TEST_F(Report, ConnectionSectionOnlyWithCanalData) {
    const std::string canals = (dir_ / "canals.json").string();
    std::FILE* file = std::fopen(canals.c_str(), "w");
    ASSERT_TRUE(file);
    std::fputs(R"({"upstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000, "bed": 100},
                  "downstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000}, "allowed_drop": 0.05})",
               file);
    std::fclose(file);
    ASSERT_EQ(Calc("--connection '" + canals + "' --report " + File("c.pdf") + kCase1).code, 0);
    const std::string text = Shell("pdftotext " + File("c.pdf") + " -").out;
    // The heading, the drop against [ΔZ] = 0.05 m not met, the profile's caption.
    for (const char* expected : {"水面衔接与高程", "ΔZ ≤ [ΔZ] = 0.050 m", "不满足",
                                 "纵断面示意（设计流量与加大流量水面）", "∇₄"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    ASSERT_EQ(Calc("--report " + File("r.pdf") + kCase1).code, 0);
    EXPECT_EQ(Shell("pdftotext " + File("r.pdf") + " -").out.find("水面衔接"), std::string::npos);
}

TEST_F(Report, RefusedAfterAFailureAndForOtherNames) {
    // No width carries no discharge: exit 1, and no file at all.
    EXPECT_EQ(Calc("--report " + File("r.pdf") + " 1 0 100 1.5 1000 1 0.014 0.25 0.4").code, 1);
    EXPECT_FALSE(fs::exists(dir_ / "r.pdf"));
    EXPECT_EQ(Calc("--report " + File("r.txt") + kCase1).code, 2);
    EXPECT_EQ(Calc("--report " + File("r.pdf") + " 1 --csv -").code, 2);
    // A folder that does not exist: the message names the file.
    const Ran nowhere = Calc("--report " + File("no/r.pdf") + kCase1);
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_NE(nowhere.out.find((dir_ / "no/r.pdf").string()), std::string::npos) << nowhere.out;
    EXPECT_TRUE(fs::is_empty(dir_));
}

} // namespace
