// SPDX-License-Identifier: GPL-3.0-or-later
// Canal data as JSON: what is written reads back the same, defaults fill
// what may be left out, each wrong key is named, and the side file's
// section is what the report takes.
#include "project/connectiondata.h"
#include "project/sidefile.h"

#include <QJsonDocument>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

QJsonObject Obj(const std::string& json) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

const std::string kCanal = R"("b": 2, "m": 1.5, "n": 0.025, "x": 4000)";
const std::string kCanals =
    R"("upstream": {)" + kCanal +
    R"(, "bed": 100.5}, "downstream": {"b": 0, "m": 2, "n": 0.03, "x": 800})";

TEST(ConnectionData, WrittenDataReadBackAndDefaultsFillTheRest) {
    const project::ConnectionRead bare = project::ReadConnection(Obj("{" + kCanals + "}"));
    ASSERT_TRUE(bare.input) << bare.problem;
    EXPECT_EQ(bare.input->upstreamBed, 100.5);
    EXPECT_EQ(bare.input->downstream.m, 2); // a V-shaped canal is a canal
    EXPECT_EQ(bare.input->inletAngle, 14.5);
    EXPECT_EQ(bare.input->outletAngle, 9.5);
    EXPECT_EQ(bare.input->grade, 4);
    EXPECT_FALSE(bare.input->allowedDrop || bare.input->bendRadius);
    hydraulics::ConnectionInput full = *bare.input;
    full.allowedDrop = 0.25;
    full.bendRadius = 40;
    full.grade = 2;
    full.inletAngle = 11;
    const project::ConnectionRead back = project::ReadConnection(project::ConnectionJson(full));
    ASSERT_TRUE(back.input);
    EXPECT_EQ(back.input->allowedDrop, 0.25);
    EXPECT_EQ(back.input->bendRadius, 40);
    EXPECT_EQ(back.input->grade, 2);
    EXPECT_EQ(back.input->inletAngle, 11);
    EXPECT_EQ(back.input->upstream.x, 4000);
}

TEST(ConnectionData, EachWrongKeyIsNamed) {
    const std::pair<std::string, std::string> cases[] = {
        {"{}", "upstream"},
        {R"({"upstream": {)" + kCanal + "}}", "upstream.bed"},
        {R"({"upstream": {"b": -1, "m": 1, "n": 0.02, "x": 1, "bed": 0}})", "upstream.b"},
        {R"({"upstream": {"b": 0, "m": 0, "n": 0.02, "x": 1, "bed": 0}})", "upstream.b"},
        {"{" + kCanals + R"(, "outlet_angle": 7.9})", "outlet_angle"},
        {"{" + kCanals + R"(, "grade": 0})", "grade"},
        {"{" + kCanals + R"(, "allowed_drop": "0.3"})", "allowed_drop"},
        {"{" + kCanals + R"(, "bend_radius": 0})", "bend_radius"},
    };
    for (const auto& [json, key] : cases) {
        const project::ConnectionRead read = project::ReadConnection(Obj(json));
        EXPECT_FALSE(read.input) << json;
        EXPECT_EQ(read.key, key) << json;
        EXPECT_NE(read.problem.find("“" + key + "”"), std::string::npos) << read.problem;
    }
    EXPECT_NE(
        project::ReadConnection(Obj("{" + kCanals + R"(, "grade": 9})")).problem.find("建筑物级别"),
        std::string::npos);
}

TEST(ConnectionData, SavedConnectionIsTheSideFilesSection) {
    const fs::path dir =
        fs::temp_directory_path() / ("ambrelo-canal-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string project = (dir / "p1").string();
    EXPECT_FALSE(project::SavedConnection(project)); // no side file
    project::WriteSideSection(project, "connection", Obj(R"({"upstream": {"b": 2}})"));
    EXPECT_FALSE(project::SavedConnection(project)); // incomplete: no section in the report
    project::WriteSideSection(project, "connection", Obj("{" + kCanals + "}"));
    ASSERT_TRUE(project::SavedConnection(project));
    EXPECT_EQ(project::SavedConnection(project)->downstream.x, 800);
    fs::remove_all(dir);
}

} // namespace
