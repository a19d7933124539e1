// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a project's side file "<name>us.json" (project::ReadSideData,
// the command line's reading, and project::ReadSideSection, the windows').
//
// Contract, in bounded CPU time and without an exception:
// - reading writes nothing: the file keeps its bytes and no other file
//   appears beside it;
// - a file that is no JSON object gives one message naming the file and
//   nothing else (no heading field, no canal data);
// - of a JSON object, each section is read on its own: one that is no
//   object gives a message naming the file and that section, canal data
//   that ReadConnection refuses a message naming the file, the section and
//   the wrong key; every other section gives what it holds (the heading
//   fields of IdentityFromJson, the canal data of ReadConnection, one
//   grade shared where only one section gives it), whatever the others hold;
// - every message is a whole sentence ending in "。";
// - saving one section (what the windows do when the user saves) replaces
//   only that section: the other keeps its JSON as it was, and a damaged
//   file's bytes are kept beside it in "<file>.damaged".
#include "fuzzcheck.h"
#include "project/connectiondata.h"
#include "project/reportidentity.h"
#include "project/sidedata.h"
#include "project/sidefile.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string& Project() {
    static std::string project;
    return project;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t FilesBeside() {
    const fs::path folder = fs::path(Project()).parent_path();
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

void RequireSentence(const std::string& problem, const std::string& fileName, const char* what) {
    fuzzcheck::Require(problem.find(fileName) != std::string::npos, what, problem);
    fuzzcheck::Require(problem.ends_with("。"), "message not a whole sentence", problem);
}

// The file as our own reader of record sees it: the root object, or empty.
std::optional<QJsonObject> Root(const std::string& bytes) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    if (bytes.size() > 4 * 1024 * 1024 || error.error != QJsonParseError::NoError ||
        !doc.isObject())
        return std::nullopt;
    return doc.object();
}

// The expected reading of a JSON object section by section.
void CheckSections(const QJsonObject& root, const project::SideData& data,
                   const std::string& fileName) {
    fuzzcheck::Require(data.fileProblem.empty(), "a JSON object told as damaged", data.fileProblem);
    const QJsonValue report = root.value("report"), canals = root.value("connection");
    const bool reportBad = !report.isUndefined() && !report.isObject();
    fuzzcheck::Require(reportBad != data.reportProblem.empty(), "report section misjudged",
                       data.reportProblem);
    if (reportBad)
        RequireSentence(data.reportProblem, fileName, "message does not name the file");
    fuzzcheck::Require(!reportBad || data.reportProblem.find("“report”") != std::string::npos,
                       "message does not name the section", data.reportProblem);
    project::ReportIdentity identity = project::IdentityFromJson(report.toObject());

    std::optional<hydraulics::ConnectionInput> expected;
    if (!canals.isUndefined() && !canals.isObject()) {
        fuzzcheck::Require(data.connectionProblem.find("“connection”") != std::string::npos,
                           "damaged canal section not named", data.connectionProblem);
    } else if (!canals.toObject().isEmpty()) {
        const project::ConnectionRead read = project::ReadConnection(canals.toObject());
        expected = read.input;
        if (!read.input)
            fuzzcheck::Require(
                data.connectionProblem.find("“connection”") != std::string::npos &&
                    data.connectionProblem.find("“" + read.key + "”") != std::string::npos,
                "wrong canal data not named by section and key", data.connectionProblem);
        const bool gradeGiven = canals.toObject().value("grade").isDouble();
        if (read.input && identity.grade.empty() && gradeGiven)
            identity.grade = std::to_string(read.input->grade);
        else if (read.input && !identity.grade.empty() && !gradeGiven)
            expected->grade = std::stoi(identity.grade);
    }
    if (!data.connectionProblem.empty())
        RequireSentence(data.connectionProblem, fileName, "message does not name the file");
    const bool canalsFine =
        canals.isUndefined() || (canals.isObject() && (canals.toObject().isEmpty() || expected));
    fuzzcheck::Require(data.connectionProblem.empty() == canalsFine, "canal data told wrongly",
                       data.connectionProblem);
    for (const project::IdentityField& f : project::IdentityFields())
        fuzzcheck::Require(data.identity.*f.member == identity.*f.member,
                           "heading field not as kept", f.key);
    fuzzcheck::Require(expected.has_value() == data.connection.has_value() &&
                           (!expected || project::ConnectionJson(*expected) ==
                                             project::ConnectionJson(*data.connection)),
                       "canal data not as kept");
}

// Saving the heading fields keeps the canal section as it stands.
void CheckSave(const std::string& bytes, const std::optional<QJsonObject>& root,
               const std::string& fileName) {
    project::WriteSideSection(Project(), "report", QJsonObject{{"company", "院"}});
    const std::optional<QJsonObject> saved = Root(Slurp(fileName));
    fuzzcheck::Require(saved.has_value(), "saved file not a JSON object");
    fuzzcheck::Require(saved->value("report").toObject().value("company") == "院",
                       "saved section not written");
    if (root)
        fuzzcheck::Require(saved->value("connection") == root->value("connection"),
                           "saving one section changed another");
    else
        fuzzcheck::Require(Slurp(fileName + ".damaged") == bytes,
                           "damaged file not kept before it was replaced");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string folder = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir) +
                         "/ambrelo-side-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr)
        fuzzcheck::Fail("cannot create a temporary folder", folder);
    Project() = folder + "/p";
    std::atexit([] { fs::remove_all(fs::path(Project()).parent_path()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string fileName = project::SideFileName(Project());
    for (const auto& entry : fs::directory_iterator(fs::path(Project()).parent_path()))
        fs::remove_all(entry.path());
    std::ofstream(fileName, std::ios::binary | std::ios::trunc) << bytes;

    project::SideData side;
    project::SideSection window;
    try {
        fuzzcheck::CpuBudget budget("reading a side file", 200 + 0.01 * double(size));
        side = project::ReadSideData(Project());
        window = project::ReadSideSection(Project(), "connection");
    } catch (const std::exception& e) {
        fuzzcheck::Fail("exception from a reader that never throws", e.what());
    }
    fuzzcheck::Require(Slurp(fileName) == bytes && FilesBeside() == 1,
                       "reading wrote to the folder");
    fuzzcheck::Require(window.problem.isEmpty() ||
                           window.problem.contains(QString::fromStdString(fileName)),
                       "window message does not name the file", window.problem.toStdString());

    const std::optional<QJsonObject> root = Root(bytes);
    if (root) {
        CheckSections(*root, side, fileName);
    } else {
        RequireSentence(side.fileProblem, fileName, "damaged file not named");
        fuzzcheck::Require(side.reportProblem.empty() && side.connectionProblem.empty() &&
                               !side.connection && side.identity.company.empty(),
                           "a damaged file gave data or a second message");
    }
    CheckSave(bytes, root, fileName);
    return 0;
}
