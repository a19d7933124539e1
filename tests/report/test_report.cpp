// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report through ambrelo-calc --report, read back as a
// checker reads it: the PDF's text (pdftotext), its fonts (pdffonts), the
// ODT's XML (unzip) and the ODT as LibreOffice sets it, where installed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <set>
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
    EXPECT_NE(text.find("p = 20%"), std::string::npos); // the checks at the increase given
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
    // The heading, the drop against [ΔZ] = 0.05 m not met, the profile's
    // caption, and the drop again in the conclusion with what to change.
    for (const char* expected : {"水面衔接与高程", "[ΔZ] = 0.050 m", "不满足", "纵断面示意", "∇₄",
                                 "总水面降落（ΔZ = ", "超过渠系规划的允许值", "不得采用"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_LT(text.find("水面衔接与高程"), text.rfind("结论"));
    // Two views of one design: the conclusion's table holds the figures of
    // the JSON's "adopted" object, to the digits it shows them.
    const std::string json = Calc("--json --details --connection '" + canals + "'" + kCase1).out;
    const std::string adopted = json.substr(json.find("\"adopted\""));
    const std::string conclusion = text.substr(text.rfind("结论"));
    for (const auto& [key, decimals] :
         {std::pair{"B", 2}, {"H", 2}, {"h", 3}, {"Z", 3}, {"top_inlet", 3}, {"top_outlet", 3}}) {
        std::smatch m;
        const std::regex number(std::string("\"") + key + "\": ([-0-9.e]+)");
        ASSERT_TRUE(std::regex_search(adopted, m, number)) << key;
        char shown[32];
        std::snprintf(shown, sizeof shown, "%.*f", decimals, std::stod(m[1]));
        EXPECT_NE(conclusion.find(shown), std::string::npos) << key << " " << shown;
    }
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

// A design meeting every check and one that does not: the conclusion says
// so, names each check not met with what to change, and gives the figures
// to adopt; an inflow faster than the flume gives negative Z1, Z3 with a
// true minus sign and the remark on the rising water.
TEST_F(Report, ConclusionOfFailingAndPassingDesigns) {
    // clang-format off
    struct { std::string args; std::vector<std::string> present, absent; } const designs[] = {
        {kCase1, {"结论", "B* = 1.911735 m", "采用断面满足 GB 50288-2018 的各项规定", "深宽比",
                  "宜调整槽宽 B 或水深 h", "h ≤ 1.433 m 时，深宽比满足要求",
                  "将槽内水深 h 由 1.5 m 改为 1.43 m", "1.92", "1.91", "1/1000", "0.153"},
         {"不得采用", "不满足"}},
        {" 1 4 100 1.2 600 1 0.014 0.25 0.4", {"各项规定和建议", "采用值：", "2.06", "1.52"},
         {"不满足", "宜调整"}},
        {" 4 0.5 100 2 8000 0.2 0.014 0.25 0.4", {"设计流速", "流速偏小", "加大槽身纵坡 i"}, {}},
        {" 1 4 100 1.2 600 2.5 0.014 0.25 0.4", {"−0.", "进口处水面回升"}, {}},
        {" 1 4 100 1.5 1000 1 0.02 0.5 0.4", {"n = 0.02 大于钢筋混凝土槽身的常用范围",
                                             "不在表 K.1.2"}, {"均在上述范围内"}},
    };
    // clang-format on
    for (const auto& d : designs) {
        ASSERT_EQ(Calc("--report " + File("r.pdf") + d.args).code, 0) << d.args;
        const std::string text = Shell("pdftotext " + File("r.pdf") + " -").out;
        for (const std::string& s : d.present)
            EXPECT_NE(text.find(s), std::string::npos) << d.args << ": " << s;
        for (const std::string& s : d.absent)
            EXPECT_EQ(text.find(s), std::string::npos) << d.args << ": " << s;
    }
}

// All four cases: no "^" or "_" of program notation in the text layer,
// no line laid twice (a copy hidden at a page's foot), every word within
// the page's body or its page number; the heading fields of --info, the
// project's name standing in for 建筑物名称; case 2's unrounded widths.
TEST_F(Report, TextLayerOfTheFourCases) {
    const std::string info = " --info project=灌区一期 --info grade=3 --info author=张三";
    // clang-format off
    struct { std::string args; std::vector<std::string> present; } const cases[] = {
        {kCase1 + info, {"灌区一期", "3 级", "张三", "计算内容：情况 1", "槽身纵坡", "1/1000"}},
        {" 2 4 100 1.5 0.2 1 0.014 0.25 0.4", {"允许总水面降落", "试算槽宽 B′", "1.72265625",
                                              "1.748046875", "B′ = 1.72265625 m", "1.72"}},
        {" 3 4 100 1.9 1000 1 0.014 0.25 0.4", {"试算水深 h ="}},
        {" 4 1.5 100 1.9 1000 1 0.014 0.25 0.4", {"情况 4 不需试算"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        ASSERT_EQ(Calc("--report " + File("r.pdf") + c.args).code, 0) << c.args;
        const std::string text = Shell("pdftotext " + File("r.pdf") + " -").out;
        EXPECT_EQ(text.find_first_of("^_"), std::string::npos) << c.args;
        for (const char* gone : {"末次试算", "真实断面", "单精度", "双精度", "半圆顶", "x = 1000"})
            EXPECT_EQ(text.find(gone), std::string::npos) << c.args << ": " << gone;
        for (const std::string& s : c.present)
            EXPECT_NE(text.find(s), std::string::npos) << c.args << ": " << s;
        std::istringstream lines(text);
        std::set<std::string> prose;
        for (std::string line; std::getline(lines, line);) {
            if (line.size() > 60) { // a line of running text, not a table's label
                EXPECT_TRUE(prose.insert(line).second) << c.args << ": " << line;
            }
        }
        // No page holds only its number.
        const std::string pages = Shell("pdfinfo " + File("r.pdf") + " | grep Pages").out;
        for (int p = 1; p <= std::stoi(pages.substr(pages.find_last_of(' ') + 1)); ++p) {
            const std::string one = " -f " + std::to_string(p) + " -l " + std::to_string(p) + " ";
            EXPECT_NE(
                Shell("pdftotext" + one + File("r.pdf") + " - | grep -v '^第 .* 页$' | wc -w").out,
                "0\n")
                << c.args << ": page " << p;
        }
        // Words below the body (A4: 25 mm margins, 842 pt high) are only
        // the page numbers.
        const std::string box = Shell("pdftotext -bbox " + File("r.pdf") + " -").out;
        static const std::regex word(R"re(yMax="([0-9.]+)">([^<]*)</word>)re");
        for (auto it = std::sregex_iterator(box.begin(), box.end(), word);
             it != std::sregex_iterator(); ++it) {
            const std::string w = (*it)[2];
            if (std::stod((*it)[1]) > 772 && w != "第" && w != "页" && w != "共") {
                EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(w[0]))) << c.args << ": " << w;
            }
        }
    }
}

// The ODT as an office suite needs it: metadata, the language, shaded
// cells, an outline and repeated header rows; converted by LibreOffice
// where it is installed, to the same text.
TEST_F(Report, OdtForTheOfficeSuite) {
    ASSERT_EQ(Calc("--report " + File("r.odt") + kCase1).code, 0);
    const auto part = [&](const char* name) {
        return Shell("unzip -p " + File("r.odt") + " " + name).out;
    };
    EXPECT_NE(part("meta.xml").find("<dc:title>渡槽水力计算书</dc:title>"), std::string::npos);
    EXPECT_NE(part("meta.xml").find("<dc:subject>"), std::string::npos);
    EXPECT_NE(part("styles.xml").find("style:language-asian=\"zh\" style:country-asian=\"CN\""),
              std::string::npos);
    const std::string xml = part("content.xml");
    for (const char* expected : {"fo:background-color=\"#e6e6e6\"", "text:outline-level=\"1\"",
                                 "<table:table-header-rows>", "fo:keep-with-next=\"always\""})
        EXPECT_NE(xml.find(expected), std::string::npos) << expected;
    // A rule not met (h < B/2 in case 1) stands on light red.
    ASSERT_EQ(Calc("--report " + File("unmet.odt") + " 1 9.5 100 1.5 1000 1 0.014 0.25 0.4").code,
              0);
    EXPECT_NE(Shell("unzip -p " + File("unmet.odt") + " content.xml")
                  .out.find("fo:background-color=\"#ffdede\""),
              std::string::npos);
    // Every row of every table has as many cells as the table has columns.
    const auto count = [](const std::string& in, const std::string& what) {
        std::size_t n = 0;
        for (auto at = in.find(what); at != std::string::npos; at = in.find(what, at + 1))
            ++n;
        return n;
    };
    for (auto at = xml.find("<table:table "); at != std::string::npos;
         at = xml.find("<table:table ", at + 1)) {
        const std::string table = xml.substr(at, xml.find("</table:table>", at) - at);
        const std::size_t columns = count(table, "<table:table-column ");
        for (auto row = table.find("<table:table-row>"); row != std::string::npos;
             row = table.find("<table:table-row>", row + 1))
            EXPECT_EQ(count(table.substr(row, table.find("</table:table-row>", row) - row),
                            "<table:table-cell "),
                      columns);
    }
    if (Shell("command -v soffice").code != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the conversion is not checked";
    const Ran converted =
        Shell("cd '" + dir_.string() +
              "' && timeout 120 soffice --headless -env:UserInstallation=file://" + dir_.string() +
              "/lo --convert-to pdf r.odt");
    ASSERT_TRUE(fs::exists(dir_ / "r.pdf")) << converted.out;
    const std::string text = Shell("pdftotext " + File("r.pdf") + " -").out;
    for (const char* expected :
         {"渡槽水力计算书", "一、基本资料", "八、结论", "1.9140625", "第 1 页"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

// Every word of a PDF's text layer leaves ink on its page (rendered at
// 144 dpi in grey, a pixel darker than mid-grey inside the word's box):
// no line repeated invisibly at a page break, no formula part clipped at a
// margin, no text under a white box. The words that do not, as "pN: word".
std::vector<std::string> InklessWords(const std::string& pdf, const fs::path& dir) {
    const std::string bbox = Shell("pdftotext -bbox '" + pdf + "' -").out;
    Shell("pdftoppm -r 144 -gray '" + pdf + "' '" + (dir / "ink").string() + "'");
    std::vector<std::string> pages, missing;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().rfind("ink", 0) == 0)
            pages.push_back(entry.path().string());
    std::sort(pages.begin(), pages.end());
    static const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::size_t page = 0, at = 0;
    for (std::size_t next; (next = bbox.find("<page ", at)) != std::string::npos; ++page) {
        const std::size_t end = bbox.find("</page>", next);
        const std::string part = bbox.substr(next, end - next);
        at = end;
        std::ifstream in(pages.at(page), std::ios::binary);
        std::string magic;
        int w = 0, h = 0, max = 0;
        in >> magic >> w >> h >> max;
        in.get();
        const std::string pixels((std::istreambuf_iterator<char>(in)), {});
        for (auto it = std::sregex_iterator(part.begin(), part.end(), word);
             it != std::sregex_iterator(); ++it) {
            const auto px = [&](int k, int limit) {
                return std::clamp(static_cast<int>(std::stod((*it)[k]) * 2), 0, limit);
            };
            bool inked = false;
            for (int y = px(2, h - 1); y <= px(4, h - 1) && !inked; ++y)
                for (int x = px(1, w - 1); x <= px(3, w - 1) && !inked; ++x)
                    inked = static_cast<unsigned char>(pixels[std::size_t(y) * w + x]) < 128;
            if (!inked)
                missing.push_back("p" + std::to_string(page + 1) + ": " + (*it)[5].str());
            // Within the text area (A4 595 pt wide, 25 and 20 mm margins, a full-width
            // mark hanging at a line end), not
            // cut off at the paper's edge by a table that grew too wide.
            if (std::stod((*it)[3]) > 550 || std::stod((*it)[1]) < 70)
                missing.push_back("p" + std::to_string(page + 1) + ": " + (*it)[5].str() +
                                  " (outside the text area)");
        }
    }
    for (const std::string& image : pages)
        fs::remove(image);
    return missing;
}

// The reports a checker reads: the four cases, with and without canal
// data, grades 4 and 2, a bend, a failing and a passing design, negative
// drops. Each PDF's every word is inked; where LibreOffice is installed,
// so is every word of its conversion of a few of the ODTs, whose faces
// are all embedded and none Japanese.
TEST_F(Report, EveryWordInkedOverTheMatrix) {
    const auto canals = [&](const char* name, int grade, const char* bend) {
        std::ofstream(dir_ / name) << R"({"upstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000,)"
                                   << R"( "bed": 100}, "downstream": {"b": 2, "m": 1.5,)"
                                   << R"( "n": 0.025, "x": 4000}, "allowed_drop": 0.3, "grade": )"
                                   << grade << R"(, "bend_radius": )" << bend << "}";
        return " --connection '" + (dir_ / name).string() + "'";
    };
    const std::string grade4 = canals("g4.json", 4, "null"), grade2 = canals("g2.json", 2, "40");
    const std::pair<const char*, std::string> matrix[] = {
        {"c1", kCase1},
        {"c1g4", grade4 + kCase1},
        {"c1g2", grade2 + kCase1},
        {"c2", " --region humid 2 4 100 1.5 0.2 1 0.014 0.25 0.4"},
        {"c3g4", grade4 + " 3 4 100 1.9 1000 1 0.014 0.25 0.4"},
        {"c4", " 4 1.5 100 1.9 1000 1 0.014 0.25 0.4"},
        {"pass", " 1 4 100 1.2 600 1 0.014 0.25 0.4"},
        {"neg", grade2 + " 1 4 100 1.2 600 2.5 0.014 0.25 0.4"},
    };
    for (const auto& [name, args] : matrix) {
        const std::string pdf = (dir_ / (std::string(name) + ".pdf")).string();
        ASSERT_EQ(Calc("--report '" + pdf + "'" + args).code, 0) << args;
        EXPECT_EQ(InklessWords(pdf, dir_), std::vector<std::string>{}) << name;
    }
    if (Shell("command -v soffice").code != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: its conversion is not checked";
    // One start of LibreOffice for the three conversions.
    std::string odts;
    for (const auto& [name, args] : {matrix[2], matrix[3], matrix[7]}) {
        ASSERT_EQ(Calc("--report " + File((std::string(name) + ".odt").c_str()) + args).code, 0);
        odts += " ../" + std::string(name) + ".odt";
    }
    fs::create_directories(dir_ / "lo");
    Shell("cd '" + (dir_ / "lo").string() + "' && timeout 180 soffice --headless " +
          "-env:UserInstallation=file://" + (dir_ / "profile").string() +
          " --convert-to pdf --outdir ." + odts);
    for (const auto& [name, args] : {matrix[2], matrix[3], matrix[7]}) {
        const std::string pdf = (dir_ / "lo" / (std::string(name) + ".pdf")).string();
        ASSERT_TRUE(fs::exists(pdf)) << name;
        EXPECT_EQ(InklessWords(pdf, dir_), std::vector<std::string>{}) << name;
        const std::string fonts = Shell("pdffonts '" + pdf + "' | tail -n +3").out;
        EXPECT_EQ(fonts.find("JP"), std::string::npos) << fonts;
        EXPECT_EQ(fonts.find("jp"), std::string::npos) << fonts;
        EXPECT_EQ(Shell("pdffonts '" + pdf + "' | tail -n +3 | grep -vc ' yes '").out, "0\n")
            << fonts;
    }
}

} // namespace
