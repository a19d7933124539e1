// SPDX-License-Identifier: GPL-3.0-or-later
// Whole ambrelo-calc command lines (cli::RunCli, in process): the arguments
// one a line, then after a line "<<<" standard input (for "--csv -"). Run in
// a temporary folder that holds canal data files for --connection (c.json
// with a bend and [ΔZ], d.json with a wrong key, e.json at grade 2 with the
// design conditions of an arch flume with tie rods in a cold region) and the projects p (with a
// side file keeping a report heading and canal data) and q (a damaged side
// file), written afresh for each input; inputs holding '/' are skipped, so
// no file outside it is named.
//
// Contract, in bounded CPU time (a --recommend's bounded by the search's
// largest grid): exit status 0, 1 or 2 and nothing thrown;
// a failure or usage error says why on the error stream; with --json each
// output line is a JSON object with a known status (--recommend: the
// object of the recommendation; with --sweep inside
// the lines "[" and "]", each but the last followed by a comma). A batch writes the
// header and one row of fifteen fields per data row: status, error kind
// (only for an error), the eight inputs (shown numbers, empty only for an
// error), the five results (shown numbers when ok, else empty); and one
// message naming its line per row that is not ok; with --bom, and only
// then, a byte-order mark in front. A sweep's CSV (after a byte-order mark
// with --bom only) is the header of its variable and canal data (those of
// --connection, else of the project's side file) and one row a value, each
// of the header's field count, no figure "nan" or "inf"; so is the text of
// a calculation of eight values.
#include "cli/app.h"
#include "cli/options.h"
#include "cli/resultoutput.h"
#include "fuzzcheck.h"
#include "hydraulics/sweeptable.h"
#include "project/sidedata.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

// Every part, empty ones at the ends included.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts{""};
    for (const char c : text)
        c == separator ? void(parts.emplace_back()) : parts.back().push_back(c);
    return parts;
}

const std::string kCanals = R"({"upstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000, "bed": 100},)"
                            R"( "downstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000})";

// The files the arguments can name, as they were before any run.
void WriteFixtures() {
    const std::pair<const char*, std::string> files[] = {
        {"c.json", kCanals + R"(, "allowed_drop": 0.3, "bend_radius": 40})"},
        {"d.json", R"({"upstream": {"b": 2, "m": 1.5, "n": -0.025, "x": 4000, "bed": 100}})"},
        {"e.json", kCanals + R"(, "grade": 2, "support": "arch", "tie_rod_depth": 0.2,)"
                             R"( "cold_region": true})"},
        {"pus.dat", "4,100,1.5,1000,1,0.014,0.25,0.4\r\n"},
        {"pus.json",
         R"({"report": {"company": "院", "grade": "3"}, "connection": )" + kCanals + "}}"},
        {"qus.dat", "1,100,1.6,1000,0.8,0.014,0.2,0.3\r\n"},
        {"qus.json", R"({"report": {"company": )"}};
    for (const auto& [name, text] : files)
        std::ofstream(Folder() + "/" + name, std::ios::binary | std::ios::trunc) << text;
}

// Strips a leading byte-order mark, which must stand there iff `bom`.
std::string WithoutBom(const std::string& output, bool bom) {
    const bool marked = output.starts_with(hydraulics::kUtf8Bom);
    fuzzcheck::Require(marked == bom, "byte-order mark present without --bom or missing with it",
                       output.substr(0, 40));
    return marked ? output.substr(3) : output;
}

void RequireNoNonNumber(const std::string& output) {
    for (const char* word : {"nan", "inf", "NaN", "Inf"})
        fuzzcheck::Require(output.find(word) == std::string::npos,
                           "a figure that is no number printed", output);
}

// A sweep's CSV: its header, one row a value, each as wide as the header.
// The header's check columns follow the design conditions the run gathered
// (command line, --connection file, project); its fixed part is checked.
void CheckSweepCsv(const cli::Options& options, const std::string& text) {
    const std::string output = WithoutBom(text, options.bom);
    std::optional<hydraulics::ConnectionInput> canals = options.connection;
    if (!canals && options.mode == cli::Mode::Project)
        canals = project::ReadSideData(Folder() + "/" + options.project).connection;
    std::string fixed =
        hydraulics::SweepCsvHeader(options.caseNumber, options.sweep->variable, canals);
    fixed.resize(fixed.find(",适用条件,") + 1); // the figures and canal columns
    const std::string header = output.substr(0, output.find('\n') + 1);
    fuzzcheck::Require(header.starts_with(fixed) && header.ends_with(",全部满足\n") &&
                           output.ends_with('\n'),
                       "sweep output not its header and whole lines", output.substr(0, 300));
    const auto width = std::count(header.begin(), header.end(), ',');
    std::size_t rows = 0;
    for (const std::string& row : Split(output.substr(header.size()), '\n')) {
        if (row.empty())
            continue;
        fuzzcheck::Require(std::count(row.begin(), row.end(), ',') == width,
                           "sweep row not as wide as its header", header + row);
        ++rows;
    }
    fuzzcheck::Require(rows == hydraulics::SweepRowCount(options.sweep->range),
                       "not one sweep row a value");
    RequireNoNonNumber(output);
}

// The rows of a batch's output; the count of rows that are not ok.
std::size_t CheckBatch(int caseNumber, const std::string& output) {
    const std::string header = cli::CsvHeader(caseNumber);
    fuzzcheck::Require(output.starts_with(header) && output.ends_with('\n'),
                       "batch output not the header and whole lines", output.substr(0, 200));
    static const std::regex kinds("type_mismatch|past_end_of_file|division_by_zero|"
                                  "invalid_operation|invalid_argument|overflow");
    std::size_t failed = 0;
    for (const std::string& row : Split(output.substr(header.size()), '\n')) {
        if (row.empty())
            continue;
        const auto f = Split(row, ',');
        fuzzcheck::Require(f.size() == 15, "output row has not fifteen fields", row);
        const bool ok = f[0] == "ok", error = f[0] == "error";
        fuzzcheck::Require(ok || error || f[0] == "not_converged", "unknown status", row);
        fuzzcheck::Require(error ? std::regex_match(f[1], kinds) : f[1].empty(), "wrong error kind",
                           row);
        for (std::size_t k = 2; k < 15; ++k) // inputs, then results
            fuzzcheck::Require(f[k].empty() ? (k < 10 ? error : !ok)
                                            : (k < 10 || ok) && fuzzcheck::IsShownNumber(f[k]),
                               "field missing, present without success, or no shown number", row);
        failed += !ok;
    }
    return failed;
}

// The output of a run that parsed, by the form it takes.
void CheckOutput(const cli::Options& options, int status, const std::string& out,
                 const std::string& err) {
    if (options.mode == cli::Mode::Csv && options.csvFile == "-" && status == cli::kExitOk) {
        std::size_t messages = 0;
        for (const std::string& line : Split(err, '\n'))
            if (!line.empty()) {
                ++messages;
                fuzzcheck::Require(line.starts_with("第 "), "message does not name its line", line);
            }
        fuzzcheck::Require(CheckBatch(options.caseNumber, WithoutBom(out, options.bom)) == messages,
                           "not one message per failed row");
    } else if (options.sweep && !options.json && status == cli::kExitOk) {
        CheckSweepCsv(options, out);
    } else if (options.mode == cli::Mode::Values && !options.json && status == cli::kExitOk) {
        RequireNoNonNumber(out);
    } else if (options.json && options.mode != cli::Mode::Help) {
        for (std::string line : Split(out, '\n')) {
            if (line.empty() || (options.sweep && (line == "[" || line == "]")))
                continue;
            if (options.sweep && line.ends_with(','))
                line.pop_back();
            QJsonParseError error{};
            const QJsonDocument doc =
                QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
            const QString s = doc.object().value("status").toString();
            const bool known = options.recommend
                                   ? doc.object().contains("recommended")
                                   : s == "ok" || s == "error" || s == "not_converged";
            fuzzcheck::Require(error.error == QJsonParseError::NoError && known,
                               "output line not a JSON object with a known status", line);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = std::string(P_tmpdir) + "/ambrelo-cli-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        fuzzcheck::Fail("cannot create a temporary folder", pattern);
    Folder() = pattern;
    std::atexit([] { std::filesystem::remove_all(Folder()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size), input;
    if (text.find('/') != std::string::npos)
        return 0;
    if (const std::size_t end = text.find("\n<<<\n"); end != std::string::npos) {
        input = text.substr(end + 5);
        text.resize(end);
    }
    std::vector<std::string> args = Split(text, '\n');
    if (args.back().empty()) // a last line end, or no arguments at all
        args.pop_back();
    if (args.size() > 64)
        return 0;

    std::istringstream in(input);
    std::ostringstream out, err;
    int status = -1;
    const std::string home = std::filesystem::current_path(); // libFuzzer's paths are relative
    WriteFixtures();
    if (chdir(Folder().c_str()) != 0)
        fuzzcheck::Fail("cannot change folder", Folder());
    std::optional<cli::Options> parsed; // read before the run can change a file it names
    try {
        parsed = cli::ParseOptions(args);
    } catch (const cli::UsageError&) {
    }
    try {
        // A --recommend verifies up to 60,000 candidates whatever the input's
        // length (some 80 µs each in this build).
        const double searchMs = parsed && parsed->recommend ? 8000 : 0;
        fuzzcheck::CpuBudget budget("command line",
                                    100 + 50.0 * static_cast<double>(size) + searchMs);
        status = cli::RunCli(args, in, out, err);
    } catch (const std::exception& e) {
        fuzzcheck::Fail("exception escaped the command line", e.what());
    }
    if (chdir(home.c_str()) != 0)
        fuzzcheck::Fail("cannot change folder", home);
    fuzzcheck::Require(status == cli::kExitOk || status == cli::kExitFailed ||
                           status == cli::kExitUsage,
                       "unknown exit status", std::to_string(status));
    fuzzcheck::Require(status == cli::kExitOk || !err.str().empty(), "failure without a message");

    if (!parsed) {
        fuzzcheck::Require(status == cli::kExitUsage, "usage error not reported as one");
        return 0;
    }
    CheckOutput(*parsed, status, out.str(), err.str());
    return 0;
}
