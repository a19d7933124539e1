// The whole command line of ambrelo-calc as typed (cli::RunCli, in process).
//
// Input: the arguments, one a line; a line "<<<" ends them and the rest is
// standard input (read by "--csv -"). Inputs holding '/' are skipped, and
// the current folder is an empty temporary one, so a project or CSV file
// named on the command line is never one outside it.
//
// Contract: exit status 0, 1 or 2 and nothing thrown; a usage error (2) or
// a failure (1) says why on the error stream; with --json every line of
// the output is a JSON object with a known status; each calculation takes
// a bounded CPU time.
#include "cli/app.h"
#include "cli/options.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

std::string& Home() {
    static std::string home;
    return home;
}

// Runs each input in the temporary folder; libFuzzer itself keeps the
// current folder its paths are relative to.
class InFolder {
public:
    InFolder() { Enter(Folder()); }
    ~InFolder() { Enter(Home()); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    static void Enter(const std::string& folder) {
        if (chdir(folder.c_str()) != 0)
            fuzzcheck::Fail("cannot change folder", folder);
    }
};

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = std::string(P_tmpdir) + "/ambrelo-cli-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        fuzzcheck::Fail("cannot create a temporary folder", pattern);
    Folder() = pattern;
    Home() = std::filesystem::current_path().string();
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find('/') != std::string_view::npos)
        return 0;
    std::string input;
    const std::size_t end = text.find("\n<<<\n");
    if (end != std::string_view::npos) {
        input = text.substr(end + 5);
        text = text.substr(0, end);
    }
    std::vector<std::string> args;
    while (!text.empty()) {
        const std::size_t line = text.find('\n');
        args.emplace_back(text.substr(0, line));
        text.remove_prefix(line == std::string_view::npos ? text.size() : line + 1);
    }
    if (args.size() > 64)
        return 0;

    std::istringstream in(input);
    std::ostringstream out, err;
    int status = -1;
    const InFolder inFolder;
    try {
        fuzzcheck::CpuBudget budget("command line", 100 + 50.0 * static_cast<double>(size));
        status = cli::RunCli(args, in, out, err);
    } catch (const std::exception& e) {
        fuzzcheck::Fail("exception escaped the command line", e.what());
    }
    fuzzcheck::Require(status == cli::kExitOk || status == cli::kExitFailed ||
                           status == cli::kExitUsage,
                       "unknown exit status", std::to_string(status));
    if (status != cli::kExitOk)
        fuzzcheck::Require(!err.str().empty(), "failure without a message");

    bool json = false;
    try {
        const cli::Options options = cli::ParseOptions(args);
        json = options.json && options.mode != cli::Mode::Help;
    } catch (const cli::UsageError&) {
        fuzzcheck::Require(status == cli::kExitUsage, "usage error not reported as one");
    }
    if (json && status != cli::kExitUsage) {
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            QJsonParseError error{};
            const QJsonDocument doc =
                QJsonDocument::fromJson(QByteArray(line.data(), qsizetype(line.size())), &error);
            fuzzcheck::Require(error.error == QJsonParseError::NoError && doc.isObject(),
                               "output line is not a JSON object", line);
            const QString s = doc.object().value("status").toString();
            fuzzcheck::Require(s == "ok" || s == "error" || s == "not_converged",
                               "JSON without a known status", line);
        }
    }
    return 0;
}
