// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of ambrelo-calc.
//
//   ambrelo-calc [--json] [--details] [--increase P] [--svg FILE] [--report FILE]
//                [--dxf FILE [--dxf-exaggeration N]] [--connection FILE.json] CASE V1 … V8
//                                          one calculation, values in box order
//   ambrelo-calc [--json] [--details] [--increase P] [--svg FILE] [--report FILE]
//                CASE --project NAME
//   ambrelo-calc [--json | --bom] [--increase P] [--connection FILE.json]
//                --sweep NAME=FROM:TO:STEP CASE (V1 … V8 | --project NAME)
//                                          one input stepped over a range
//   ambrelo-calc [--json] [--increase P] [--step W] [--connection FILE.json] --recommend
//                CASE (V1 … V8 | --project NAME)   the most economical section
//   --info KEY=VALUE (with --report, repeatable) sets a field of the report's heading
//   ambrelo-calc [--bom] CASE --csv FILE    one calculation per row; FILE "-" = stdin
//
// With --project the side file "<name>us.json" also gives the report's
// heading fields and the canal data, where --info and --connection do not.
//   ambrelo-calc --help
//
// Options may stand anywhere; "--name=value" is the same as "--name value".
// An argument that starts with "-" followed by a digit or "." is a value
// (a negative number), not an option. "--" ends the options.
#pragma once

#include "hydraulics/connection.h"
#include "hydraulics/regionincrease.h"
#include "hydraulics/sweep.h"
#include "project/conditionkeys.h"

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace cli {

enum class Mode { Help, Values, Project, Csv };

struct Options {
    Mode mode = Mode::Values;
    int caseNumber = 0; // 1..4
    bool json = false;
    bool details = false; // add the hydraulic elements to text and JSON
    // Start the CSV output (--csv, --sweep without --json) with a UTF-8
    // byte-order mark, for spreadsheets that otherwise guess a local code page.
    bool bom = false;
    std::string svgFile;         // write the section drawing here; empty: none
    std::string reportFile;      // write the calculation report here (.pdf, .odt); empty: none
    std::string dxfFile;         // write the CAD drawings here (.dxf); empty: none
    double dxfExaggeration = 10; // --dxf-exaggeration: the profile's heights, 1..100
    // The canals of --connection FILE.json, read while parsing (a bad file
    // is a usage error); empty: no water-surface connection.
    std::optional<hydraulics::ConnectionInput> connection;
    // The design conditions: --increase and --region (p, or which end of
    // table 6.3.4's row p takes: humid the smaller, arid the larger; by
    // default the larger), --step W (the design step of the adopted width,
    // m), the --connection file's support, tie_rod_depth and cold_region,
    // and the grade of --info.
    hydraulics::DesignConditions conditions;
    // Of them, the keys the command line states (--step, --region and the
    // --connection file's, the options winning over the file); the others
    // may come from the project's side file (section "design") with --project.
    project::ConditionKeys given;
    // --info KEY=VALUE in the order given, keys and grades already checked
    // (project::SetIdentityField); a later one of a key wins.
    std::vector<std::pair<std::string, std::string>> info;
    std::vector<std::string> values; // the eight value texts, Mode::Values
    std::string project;             // project name, Mode::Project
    std::string csvFile;             // file name or "-", Mode::Csv
    // --sweep: the box index of the input stepped and its range, checked
    // (at most 2,000 rows); the eight values or the project still give the
    // others (the variable's own value is not used).
    struct Sweep {
        std::size_t variable = 0;
        hydraulics::SweepRange range;
    };
    std::optional<Sweep> sweep;
    bool recommend = false; // --recommend: search the width and slope (推荐断面)
};

// A command line that does not fit the grammar above; what() is Chinese.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. Throws UsageError.
Options ParseOptions(std::span<const std::string> args);

// The grade of the last --info grade=N; empty where none is given or the
// last is empty.
std::optional<int> InfoGrade(const std::vector<std::pair<std::string, std::string>>& info);

// The usage text, ending with a line end.
std::string UsageText();

} // namespace cli
