// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/app.h"

#include "cli/adoptedreport.h"
#include "cli/batch.h"
#include "cli/calculation.h"
#include "cli/checksreport.h"
#include "cli/connectionreport.h"
#include "cli/dxfexport.h"
#include "cli/options.h"
#include "cli/recommendreport.h"
#include "cli/reportexport.h"
#include "cli/resultoutput.h"
#include "cli/svgexport.h"
#include "cli/sweeprun.h"
#include "hydraulics/sweeptable.h"
#include "project/designdata.h"
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

// The project's name where the values came from a project file.
std::string ProjectName(const Options& options) {
    return options.mode == Mode::Project ? options.project : std::string();
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
    const std::string project = ProjectName(options);
    for (const auto& [key, value] : options.info)
        project::SetIdentityField(identity, key, value);
    const std::string failure =
        WriteCalcReport(options.reportFile, project, options.caseNumber, inputs, options.conditions,
                        identity, options.connection);
    if (failure.empty())
        return kExitOk;
    err << failure << '\n';
    return kExitFailed;
}

// The design of the eight values `parsed` holds; a failure to read them is
// the design's outcome.
hydraulics::Design DesignOf(const Options& options, const Outcome& parsed) {
    if (parsed.status != Status::Ok) {
        hydraulics::Design failed;
        failed.caseNo = options.caseNumber;
        failed.outcome = parsed;
        return failed;
    }
    std::array<float, 8> inputs{};
    for (std::size_t k = 0; k < inputs.size(); ++k)
        inputs[k] = parsed.inputs[k].value_or(0.0f);
    return hydraulics::ComputeDesign(
        {options.caseNumber, inputs, options.conditions, options.connection, !options.recommend});
}

// The lines of text of a successful design: the results, with --details
// the elements and the checks, with canal data the connection, and with
// either the adopted section.
std::string DesignText(const Options& options, const hydraulics::Design& design) {
    std::string text = ResultLines(options.caseNumber, design.outcome);
    if (options.details)
        text += ElementLines(design) + CheckLines("设计校核", design.rows);
    if (const hydraulics::Connection* c = design.canals ? design.connection() : nullptr)
        text += ConnectionLines(*c);
    if (options.details || design.canals)
        text += AdoptedLines(design);
    return text;
}

// Shows one calculation: results on `out` (text or JSON), the message of a
// failure on `err`; then the drawings and the report (its heading fields
// from `identity` and --info), for a successful one only.
int Report(const Options& options, const hydraulics::Design& design, std::ostream& out,
           std::ostream& err, const project::ReportIdentity& identity = {}) {
    if (options.recommend)
        return WriteRecommendation(options, design, out, err);
    const Outcome& outcome = design.outcome;
    if (options.json)
        out << JsonReport(design, options.details);
    else if (design.succeeded())
        out << DesignText(options, design);
    out.flush();
    if (outcome.status != Status::Ok) {
        err << outcome.message << '\n';
        return kExitFailed;
    }
    if (!out)
        return OutputFailure(err);
    if (!options.svgFile.empty() && outcome.design) {
        const std::string failure = WriteSectionSvg(options.svgFile, design);
        if (!failure.empty()) {
            err << failure << '\n';
            return kExitFailed;
        }
    }
    if (!options.dxfFile.empty()) {
        const DxfRequest request{options.dxfFile, ProjectName(options), options.dxfExaggeration};
        const std::string failure = WriteDesignDxf(request, design);
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
    return Report(options, DesignOf(options, ParseFields(options.caseNumber, fields)), out, err);
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

// The project's design conditions (section "design") where the command
// line gives none; a damaged section is told and the defaults stand.
void TakeSideConditions(Options& options, std::ostream& err) {
    std::string problem;
    const project::ConditionKeys kept = project::SavedConditionKeys(options.project, &problem);
    if (!problem.empty())
        err << problem << '\n';
    project::ApplyConditionKeys(kept, options.conditions);
    project::ApplyConditionKeys(options.given, options.conditions); // the command line's win
}

// What the project's side file adds to `options`: the canal data where
// --connection gives none (worked to the grade of --info where given), and
// the report's heading fields where a report is written. Its problems are
// told on `err` and the calculation goes on without what could not be read.
project::ReportIdentity TakeSideData(Options& options, std::ostream& err) {
    const bool wantsCanals = !options.connection;
    const bool wantsHeading = !options.reportFile.empty();
    const project::SideData side = project::ReadSideData(options.project);
    // Told where the run uses it (the design conditions are told apart).
    for (const std::string* problem : {wantsCanals || wantsHeading ? &side.fileProblem : nullptr,
                                       wantsHeading ? &side.reportProblem : nullptr,
                                       wantsCanals ? &side.connectionProblem : nullptr})
        if (problem && !problem->empty())
            err << *problem << '\n';
    if (wantsCanals && side.connection) {
        options.connection = side.connection;
        if (const std::optional<int> grade = InfoGrade(options.info))
            options.connection->grade = *grade;
    }
    if (!InfoGrade(options.info) && !side.identity.grade.empty() &&
        project::IsValidGrade(side.identity.grade))
        options.conditions.grade = std::stoi(side.identity.grade);
    TakeSideConditions(options, err);
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
        std::copy(values.begin(), values.end(), outcome.inputs.begin());
    } catch (const CalcError& e) {
        outcome = FailedOutcome(WithNearProject(e, options.project));
    }
    return Report(options, DesignOf(options, outcome), out, err, identity);
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
