// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the canal data file of `ambrelo-calc --connection FILE`,
// beside the case 1 worked example (cli::RunCli in process, JSON with the
// details, then the text lines).
//
// Contract, in bounded CPU time: the file that project::ReadConnectionFile
// refuses is a usage error (exit 2) whose message names the key it names
// ("“upstream.n”"), or the file when it is no JSON object, with nothing on
// standard output; a file it takes gives exit 0, no message, one JSON
// object with its "connection" object, and text lines under 水面衔接与高程
// without "nan" or "inf"; either way nothing is written (the folder holds
// the file alone, unchanged).
#include "cli/app.h"
#include "fuzzcheck.h"
#include "project/connectiondata.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string& File() {
    static std::string file;
    return file;
}

struct Run {
    int status = -1;
    std::string out, err;
};

Run RunCli(bool json) {
    std::vector<std::string> args{"--connection", File(), "1",     "4",    "100", "1.5",
                                  "1000",         "1",    "0.014", "0.25", "0.4"};
    if (json)
        args.insert(args.begin(), {"--json", "--details"});
    std::istringstream in;
    std::ostringstream out, err;
    Run run;
    try {
        run.status = cli::RunCli(args, in, out, err);
    } catch (const std::exception& e) {
        fuzzcheck::Fail("exception escaped the command line", e.what());
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

void CheckRefused(const Run& run, const project::ConnectionRead& read) {
    fuzzcheck::Require(run.status == cli::kExitUsage && run.out.empty(),
                       "refused canal data not a usage error", run.err);
    fuzzcheck::Require(run.err.starts_with("ambrelo-calc: " + read.problem),
                       "usage error does not give the reader's message", run.err);
    const std::string named = read.key.empty() ? File() : "“" + read.key + "”";
    fuzzcheck::Require(read.problem.find(named) != std::string::npos &&
                           read.problem.ends_with("。"),
                       "message names neither key nor file", read.problem);
}

void CheckTaken(const Run& json, const Run& text) {
    fuzzcheck::Require(json.status == cli::kExitOk && json.err.empty() &&
                           text.status == cli::kExitOk && text.err.empty(),
                       "canal data taken but the run failed", json.err + text.err);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
    fuzzcheck::Require(error.error == QJsonParseError::NoError &&
                           doc.object().value("connection").isObject(),
                       "output not one JSON object with its connection", json.out);
    const std::size_t at = text.out.find("\n水面衔接与高程\n");
    fuzzcheck::Require(at != std::string::npos, "text without the connection", text.out);
    for (const char* word : {"nan", "inf", "NaN", "Inf", "INF"})
        fuzzcheck::Require(text.out.find(word, at) == std::string::npos,
                           "a figure that is no number printed", text.out.substr(at));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string folder = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir) +
                         "/ambrelo-canal-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr)
        fuzzcheck::Fail("cannot create a temporary folder", folder);
    File() = folder + "/canals.json";
    std::atexit([] { fs::remove_all(fs::path(File()).parent_path()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes;
    const project::ConnectionRead read = project::ReadConnectionFile(File());
    Run json, text;
    {
        fuzzcheck::CpuBudget budget("two runs with canal data", 1000);
        json = RunCli(true);
        if (read.input)
            text = RunCli(false);
    }
    if (read.input)
        CheckTaken(json, text);
    else
        CheckRefused(json, read);
    const fs::path folder = fs::path(File()).parent_path();
    std::ifstream in(File(), std::ios::binary);
    fuzzcheck::Require(
        std::string(std::istreambuf_iterator<char>(in), {}) == bytes &&
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 1,
        "a run with canal data wrote to the folder");
    return 0;
}
