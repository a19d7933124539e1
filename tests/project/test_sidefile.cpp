// SPDX-License-Identifier: GPL-3.0-or-later
// The side file beside a project: sections read and replaced one at a time,
// unknown keys kept, damaged files reported and kept, the project file
// itself never touched.
#include "hydraulics/errors.h"
#include "project/designdata.h"
#include "project/sidedata.h"
#include "project/sidefile.h"

#include <QJsonDocument>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class SideFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("ambrelo-side-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        old_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    static std::string Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Spill(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path dir_, old_;
};

QJsonObject Obj(const char* json) {
    return QJsonDocument::fromJson(json).object();
}

TEST_F(SideFileTest, SectionsAreReplacedOneAtATimeAndUnknownKeysKept) {
    Spill("p1us.json", R"({"version": 7, "future": {"a": 1}, "report": {"old": true}})");
    project::WriteSideSection("p1", "connection", Obj(R"({"grade": 3})"));
    project::WriteSideSection("p1", "report", Obj(R"({"company": "设计院"})"));
    const QJsonObject root =
        QJsonDocument::fromJson(QByteArray::fromStdString(Slurp("p1us.json"))).object();
    EXPECT_EQ(root["version"].toInt(), 7); // a newer file keeps its version
    EXPECT_EQ(root["future"].toObject()["a"].toInt(), 1);
    EXPECT_EQ(root["connection"].toObject()["grade"].toInt(), 3);
    EXPECT_EQ(root["report"].toObject(), Obj(R"({"company": "设计院"})"));
    const project::SideSection read = project::ReadSideSection("p1", "report");
    EXPECT_TRUE(read.problem.isEmpty());
    EXPECT_EQ(read.values["company"].toString(), QString::fromUtf8("设计院"));
}

TEST_F(SideFileTest, MissingFileIsEmptyWithoutComplaint) {
    const project::SideSection read = project::ReadSideSection(" p2", "report");
    EXPECT_TRUE(read.values.isEmpty());
    EXPECT_TRUE(read.problem.isEmpty());
    project::WriteSideSection(" p2", "report", Obj(R"({"x": 1})"));
    EXPECT_TRUE(fs::exists(" p2us.json")); // named after the name as it stands
    EXPECT_EQ(Obj(Slurp(" p2us.json").c_str())["version"].toInt(), project::kSideFileVersion);
}

TEST_F(SideFileTest, DamagedFilesAreNamedAndKeptBeforeReplacing) {
    for (const std::string& bytes :
         {std::string("{not json"), std::string("[1, 2]"), std::string(R"({"report": 5})")}) {
        SCOPED_TRACE(bytes);
        Spill("p3us.json", bytes);
        const project::SideSection read = project::ReadSideSection("p3", "report");
        EXPECT_TRUE(read.values.isEmpty());
        EXPECT_TRUE(read.problem.contains("p3us.json")) << read.problem.toStdString();
    }
    Spill("p3us.json", "{not json");
    project::WriteSideSection("p3", "report", Obj(R"({"x": 1})"));
    EXPECT_EQ(Slurp("p3us.json.damaged"), "{not json");
    EXPECT_TRUE(project::ReadSideSection("p3", "report").problem.isEmpty());
}

TEST_F(SideFileTest, AFolderInTheWayIsReportedAndTheWriteRefused) {
    fs::create_directory("p4us.json");
    EXPECT_FALSE(project::ReadSideSection("p4", "report").problem.isEmpty());
    EXPECT_THROW(project::WriteSideSection("p4", "report", Obj("{}")), hydraulics::CalcError);
    EXPECT_TRUE(fs::is_directory("p4us.json"));
}

// What the command line takes: one grade for heading and canals where only
// one section gives it, each section read without the other, every fault
// told once, naming the file and the section, and nothing written.
TEST_F(SideFileTest, SideDataSharesTheGradeAndKeepsTheOtherSection) {
    const std::string canals = R"("connection": {"upstream": {"b": 2, "m": 1, "n": 0.02, "x": 900,)"
                               R"( "bed": 5}, "downstream": {"b": 2, "m": 1, "n": 0.02, "x": 900})";
    // clang-format off
    const struct { std::string text, heading; int canalGrade; const char *fileP, *reportP, *canalP; } rows[] = {
        {"{" + canals + "}}", "", 4, "", "", ""},
        {"{" + canals + R"(, "grade": 2}})", "2", 2, "", "", ""},
        {R"({"report": {"grade": "3"}, )" + canals + "}}", "3", 3, "", "", ""},
        {R"({"report": {"grade": "3"}, )" + canals + R"(, "grade": 5}})", "3", 5, "", "", ""},
        {R"({"report": 1, )" + canals + R"(, "grade": 2}})", "2", 2, "", "“report”一节已损坏", ""},
        {R"({"report": {"grade": "1"}, "connection": {"grade": 2}})", "1", 0, "", "", "“upstream”"},
        {R"({"report": {"company": "院"}, "connection": null})", "", 0, "", "", "“connection”一节已损坏"},
        {"{\"report\": {", "", 0, "p5us.json 已损坏", "", ""},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        Spill("p5us.json", r.text);
        const project::SideData data = project::ReadSideData("p5");
        EXPECT_EQ(data.identity.grade, r.heading);
        EXPECT_EQ(data.connection ? data.connection->grade : 0, r.canalGrade);
        // The windows judge the checks at that one grade too.
        const std::optional<int> judged = project::SavedConditions("p5").grade;
        EXPECT_EQ(judged ? std::to_string(*judged) : "", r.heading);
        for (const auto& [got, want] : {std::pair(data.fileProblem, r.fileP),
                                        {data.reportProblem, r.reportP},
                                        {data.connectionProblem, r.canalP}}) {
            EXPECT_EQ(got.empty(), *want == '\0') << got;
            EXPECT_NE(got.find(want), std::string::npos) << got;
            EXPECT_TRUE(got.empty() || got.find("p5us.json") != std::string::npos) << got;
        }
        EXPECT_EQ(Slurp("p5us.json"), r.text);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
    EXPECT_EQ(project::ReadSideData("none").fileProblem, "");
}

} // namespace
