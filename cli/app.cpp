// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/app.h"

#include "cli/batch.h"
#include "cli/calculation.h"
#include "cli/checksreport.h"
#include "cli/connectionreport.h"
#include "cli/options.h"
#include "cli/reportexport.h"
#include "cli/resultoutput.h"
#include "cli/svgexport.h"
#include "cli/sweeprun.h"
#include "hydraulics/sweeptable.h"
#include "project/nearname.h"
#include "project/projectfile.h"
#include "project/reportidentity.h"
#include "project/sidedata.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <string_view>
#include <vector>

namespace cli {

using hydraulics::CalcError;
using hydraulics::ErrorKind;

namespace {

// Standard output could not be written (a full disk, a closed pipe).
int OutputFailure(std::ostream& err) {
    err << CalcError(ErrorKind::FileAccess, "标准输出").message() << '\n';
    return kExitFailed;
}

// The calculation report of a successful calculation: the inputs as
// stored, the project's name where it came from a project file, the
// heading fields of `identity` (the project's side file) under those of
// --info.
int WriteReportFile(const Options& options, const Outcome& outcome,
                    project::ReportIdentity identity, std::ostream& err) {
    std::array<float, 8> inputs{};
    for (std::size_t k = 0; k < inputs.size(); ++k)
        inputs[k] = outcome.inputs[k].value_or(0.0f);
    const std::string project = options.mode == Mode::Project ? options.project : std::string();
    for (const auto& [key, value] : options.info)
        project::SetIdentityField(identity, key, value);
    const std::string failure =
        WriteCalcReport(options.reportFile, project, options.caseNumber, inputs,
                        options.increasePercent, identity, options.connection);
    if (failure.empty())
        return kExitOk;
    err << failure << '\n';
    return kExitFailed;
}

// Shows one calculation: results on `out` (text or JSON), the message of a
// failure on `err`; then the section drawing and the report (its heading
// fields from `identity` and --info), for a successful one only.
int Report(const Options& options, const Outcome& outcome, std::ostream& out, std::ostream& err,
           const project::ReportIdentity& identity = {}) {
    if (options.json) {
        out << JsonReport(options.caseNumber, outcome, options.details, options.increasePercent,
                          options.connection ? &*options.connection : nullptr);
    } else if (outcome.status == Status::Ok) {
        out << ResultLines(options.caseNumber, outcome);
        if (options.details)
            out << ElementLines(outcome) << CheckLines(outcome, options.increasePercent);
        if (options.connection)
            out << ConnectionLines(outcome, *options.connection, options.increasePercent);
    }
    out.flush();
    if (outcome.status != Status::Ok) {
        err << outcome.message << '\n';
        return kExitFailed;
    }
    if (!out)
        return OutputFailure(err);
    if (!options.svgFile.empty() && outcome.design) {
        const std::string failure =
            WriteSectionSvg(options.svgFile, *outcome.design, options.caseNumber, outcome.length,
                            options.increasePercent);
        if (!failure.empty()) {
            err << failure << '\n';
            return kExitFailed;
        }
    }
    return options.reportFile.empty() ? kExitOk : WriteReportFile(options, outcome, identity, err);
}

// --sweep over the values of the command line or of a project file.
int Sweep(const Options& options, const std::array<float, 8>& inputs, std::ostream& out,
          std::ostream& err) {
    WriteSweep(options, inputs, out, err);
    return out ? kExitOk : OutputFailure(err);
}

int RunValues(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.sweep) {
        std::array<float, 8> inputs{};
        return ReadSweepInputs(options, inputs, err) ? Sweep(options, inputs, out, err)
                                                     : kExitFailed;
    }
    const std::vector<std::string_view> fields(options.values.begin(), options.values.end());
    return Report(options, CalculateFields(options.caseNumber, fields), out, err);
}

// A missing project file whose name, blanks before or after it aside, is
// that of a file present: the message names that file and how to open it.
CalcError WithNearProject(const CalcError& e, const std::string& project) {
    if (e.kind() != ErrorKind::FileNotFound)
        return e;
    const std::optional<std::string> near = project::NearProjectName(project);
    if (!near)
        return e;
    return CalcError(e.kind(), e.subject(),
                     e.detail() + "；名称只差前后空格的项目文件“" +
                         project::ProjectFileName(*near) + "”存在，要打开它请用 --project=\"" +
                         *near + "\"");
}

// The grade of the last --info grade=N, or 0 where none is given.
int InfoGrade(const Options& options) {
    int grade = 0;
    for (const auto& [key, value] : options.info)
        if (key == "grade")
            grade = value.empty() ? 0 : std::stoi(value);
    return grade;
}

// What the project's side file adds to `options`: the canal data where
// --connection gives none (worked to the grade of --info where given), and
// the report's heading fields where a report is written. Its problems are
// told on `err` and the calculation goes on without what could not be read.
project::ReportIdentity TakeSideData(Options& options, std::ostream& err) {
    const bool wantsCanals = !options.connection;
    const bool wantsHeading = !options.reportFile.empty();
    if (!wantsCanals && !wantsHeading)
        return {};
    const project::SideData side = project::ReadSideData(options.project);
    for (const std::string* problem :
         {&side.fileProblem, wantsHeading ? &side.reportProblem : nullptr,
          wantsCanals ? &side.connectionProblem : nullptr})
        if (problem && !problem->empty())
            err << *problem << '\n';
    if (wantsCanals && side.connection) {
        options.connection = side.connection;
        if (const int grade = InfoGrade(options))
            options.connection->grade = grade;
    }
    return side.identity;
}

int RunProject(Options options, std::ostream& out, std::ostream& err) {
    Outcome outcome;
    project::ReportIdentity identity;
    try {
        const project::ProjectValues values = project::ReadProjectFile(options.project);
        identity = TakeSideData(options, err);
        if (options.sweep)
            return Sweep(options, values, out, err);
        outcome = Calculate(options.caseNumber, values);
    } catch (const CalcError& e) {
        outcome = FailedOutcome(WithNearProject(e, options.project));
    }
    return Report(options, outcome, out, err, identity);
}

int FileFailure(ErrorKind kind, const std::string& name, std::ostream& err) {
    err << CalcError(kind, name).message() << '\n';
    return kExitFailed;
}

int Batch(const Options& options, std::istream& in, const std::string& name, std::ostream& out,
          std::ostream& err) {
    if (options.bom)
        out << hydraulics::kUtf8Bom;
    const BatchSummary summary = RunBatch(options.caseNumber, in, out, err);
    if (summary.readFailed)
        return FileFailure(ErrorKind::FileAccess, name, err);
    return out ? kExitOk : OutputFailure(err);
}

int RunCsv(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const std::string& name = options.csvFile;
    if (name == "-")
        return Batch(options, in, "标准输入", out, err);
    std::error_code ec;
    if (!std::filesystem::exists(name, ec))
        return FileFailure(ErrorKind::FileNotFound, name, err);
    if (std::filesystem::is_directory(name, ec))
        return FileFailure(ErrorKind::FileAccess, name, err);
    std::ifstream file(name, std::ios::binary);
    if (!file) // exists but cannot be opened: no permission
        return FileFailure(ErrorKind::FileAccess, name, err);
    return Batch(options, file, name, out, err);
}

} // namespace

int RunCli(std::span<const std::string> args, std::istream& in, std::ostream& out,
           std::ostream& err) {
    Options options;
    try {
        options = ParseOptions(args);
    } catch (const UsageError& e) {
        err << "ambrelo-calc: " << e.what() << "\n\n" << UsageText();
        return kExitUsage;
    }
    try {
        switch (options.mode) {
        case Mode::Help:
            out << UsageText();
            return kExitOk;
        case Mode::Values:
            return RunValues(options, out, err);
        case Mode::Project:
            return RunProject(options, out, err);
        case Mode::Csv:
            return RunCsv(options, in, out, err);
        }
    } catch (const std::exception& e) { // e.g. out of memory: reported, never a crash
        err << "ambrelo-calc: " << e.what() << '\n';
    }
    return kExitFailed;
}

} // namespace cli
