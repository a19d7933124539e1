// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.h"

#include "cli/dxfexport.h"
#include "cli/reportexport.h"
#include "hydraulics/designchecks.h"
#include "hydraulics/numtext.h"
#include "project/connectiondata.h"
#include "project/designdata.h"
#include "project/reportidentity.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace cli {
namespace {

bool IsOption(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '-')
        return false;
    const char second = arg[1];
    return !(second == '.' || (second >= '0' && second <= '9')); // "-0.5" is a value
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

int ParseCaseNumber(const std::string& text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '4')
        return text[0] - '0';
    throw UsageError("情况编号必须是 1、2、3 或 4，而不是 “" + text + "”");
}

// Option `name` with its value, taken from "--name=value" or the next argument.
std::string TakeValue(const std::string& name, const std::optional<std::string>& inlineValue,
                      std::span<const std::string> args, std::size_t& i) {
    if (inlineValue)
        return *inlineValue;
    if (i + 1 >= args.size())
        throw UsageError("选项 " + name + " 后面缺少参数");
    return args[++i];
}

// The percentage of --increase: a period-decimal number from 0 to 50,
// blanks around it allowed as for the values.
double ParseIncrease(const std::string& text) {
    double value = -1; // stays out of range when the text is no number
    if (hydraulics::IsDecimalNumber(text)) {
        const std::string_view blanks = " \t\r\n\v\f";
        std::size_t first = text.find_first_not_of(blanks);
        const std::size_t last = text.find_last_not_of(blanks);
        first += text[first] == '+'; // from_chars takes no plus sign
        std::from_chars(text.data() + first, text.data() + last + 1, value);
    }
    if (!(value >= hydraulics::kMinIncreasePercent && value <= hydraulics::kMaxIncreasePercent))
        throw UsageError("--increase 需要 0 到 50 之间的百分数，而不是 “" + text + "”");
    return value + 0.0; // "-0" is 0
}

// A period-decimal number, blanks around it allowed as for the values;
// NaN for any other text.
double ReadNumber(const std::string& text) {
    const std::optional<double> value = hydraulics::ReadDecimal(text);
    return value ? *value : std::nan("");
}

// The design step of --step: 0.001 to 0.1 m.
double ParseStep(const std::string& text) {
    const double value = ReadNumber(text);
    if (!(value >= hydraulics::kMinWidthStep && value <= hydraulics::kMaxWidthStep))
        throw UsageError("--step 需要 0.001 到 0.1 之间的槽宽设计步长（m），而不是 “" + text + "”");
    return value;
}

// The profile's vertical exaggeration of --dxf-exaggeration: a
// period-decimal number from 1 to 100.
double ParseExaggeration(const std::string& text) {
    const std::optional<double> value = hydraulics::ReadDecimal(text);
    if (!value || !(*value >= 1 && *value <= 100))
        throw UsageError(
            "--dxf-exaggeration 需要 1 到 100 之间的数（纵断面竖向比例为水平比例的倍数），"
            "而不是 “" +
            text + "”");
    return *value;
}

// What the scan of the arguments gathers before the checks.
struct Scanned {
    std::vector<std::string> positional;
    std::optional<std::string> csv, project, svg, report, connection, sweep, dxf;
    std::optional<double> exaggeration; // --dxf-exaggeration
    bool json = false;
    bool details = false;
    bool recommend = false;
    bool bom = false;
    std::optional<double> increase;           // --increase, %
    std::optional<double> step;               // --step, m
    std::optional<hydraulics::Region> region; // --region
    std::vector<std::pair<std::string, std::string>> info;
};

// KEY=VALUE of --info, its key known and a grade 1 to 5.
std::pair<std::string, std::string> ParseInfo(const std::string& text) {
    const auto eq = text.find('=');
    if (eq == std::string::npos)
        throw UsageError("--info 需要 键=值，例如 --info project=某灌区工程，而不是 “" + text +
                         "”");
    std::pair<std::string, std::string> field{text.substr(0, eq), text.substr(eq + 1)};
    project::ReportIdentity check;
    const std::string problem = project::SetIdentityField(check, field.first, field.second);
    if (!problem.empty())
        throw UsageError("--info：" + problem);
    return field;
}

// "--help" or "-h" anywhere before "--" wins over everything else.
bool AsksForHelp(std::span<const std::string> args) {
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        if (IsHelp(arg))
            return true;
    }
    return false;
}

// An option that may be given once: refused when `slot` already holds it.
template <typename T> void Once(const std::optional<T>& slot, const std::string& name) {
    if (slot)
        throw UsageError("选项 " + name + " 只能给一次");
}

// A switch without a value (--json, --details, --recommend, --bom); false
// for any other name.
bool TakeSwitch(const std::string& name, Scanned& scanned) {
    for (auto [option, flag] : {std::pair{"--json", &scanned.json},
                                {"--details", &scanned.details},
                                {"--recommend", &scanned.recommend},
                                {"--bom", &scanned.bom}})
        if (name == option) {
            *flag = true;
            return true;
        }
    return false;
}

// The slot of an option whose value is kept as text; null for any other.
std::optional<std::string>* TextSlot(const std::string& name, Scanned& scanned) {
    for (auto [option, slot] : {std::pair{"--svg", &scanned.svg},
                                {"--report", &scanned.report},
                                {"--dxf", &scanned.dxf},
                                {"--sweep", &scanned.sweep},
                                {"--csv", &scanned.csv},
                                {"--project", &scanned.project},
                                {"--connection", &scanned.connection}})
        if (name == option)
            return slot;
    return nullptr;
}

// The file names of the written outputs, refused before anything is computed.
void CheckOutputName(const std::string& name, const std::string& value) {
    if (name == "--svg" && (value.empty() || value == "-"))
        throw UsageError("--svg 需要一个文件名（SVG 不写到标准输出）");
    if (name == "--report" && !IsReportFileName(value))
        throw UsageError("--report 的文件名须以 .pdf（PDF 文档）或 .odt（可编辑文档）结尾");
    if (name == "--dxf" && !IsDxfName(value))
        throw UsageError("--dxf 的文件名须以 .dxf 结尾");
}

hydraulics::Region ParseRegion(const std::string& text) {
    if (text != "humid" && text != "arid")
        throw UsageError("--region 需要 humid（湿润地区）或 arid（干旱地区），而不是 “" + text +
                         "”");
    return text == "humid" ? hydraulics::Region::Humid : hydraulics::Region::Arid;
}

// One option at args[i], with its value from "--name=value" or args[i + 1]
// (then i moves past it).
void TakeOption(std::span<const std::string> args, std::size_t& i, Scanned& scanned) {
    const std::string& arg = args[i];
    const auto eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    std::optional<std::string> inlineValue;
    if (eq != std::string::npos)
        inlineValue = arg.substr(eq + 1);
    if (!inlineValue && TakeSwitch(name, scanned))
        return;
    const auto value = [&] { return TakeValue(name, inlineValue, args, i); };
    if (std::optional<std::string>* slot = TextSlot(name, scanned)) {
        Once(*slot, name);
        *slot = value();
        CheckOutputName(name, **slot);
    } else if (name == "--info") {
        scanned.info.push_back(ParseInfo(value()));
    } else if (name == "--dxf-exaggeration") {
        Once(scanned.exaggeration, name);
        scanned.exaggeration = ParseExaggeration(value());
    } else if (name == "--increase") {
        Once(scanned.increase, name);
        scanned.increase = ParseIncrease(value());
    } else if (name == "--step") {
        Once(scanned.step, name);
        scanned.step = ParseStep(value());
    } else if (name == "--region") {
        Once(scanned.region, name);
        scanned.region = ParseRegion(value());
    } else {
        throw UsageError("未知选项 “" + arg + "”");
    }
}

// The options and the positional arguments, in the order given.
Scanned Scan(std::span<const std::string> args) {
    Scanned scanned;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !IsOption(arg))
            scanned.positional.push_back(arg);
        else if (arg == "--")
            optionsEnded = true;
        else
            TakeOption(args, i, scanned);
    }
    return scanned;
}

// Options that cannot go together.
void CheckCombinations(const Scanned& scanned) {
    if (scanned.csv && scanned.project)
        throw UsageError("--csv 与 --project 不能同时使用");
    if (scanned.csv && scanned.json)
        throw UsageError("--json 不能与 --csv 同时使用");
    if (scanned.csv && scanned.details)
        throw UsageError("--details 不能与 --csv 同时使用");
    if (scanned.csv && scanned.svg)
        throw UsageError("--svg 不能与 --csv 同时使用");
    if (scanned.csv && (scanned.increase || scanned.region))
        throw UsageError("--increase 和 --region 不能与 --csv 同时使用");
    if (scanned.csv && scanned.report)
        throw UsageError("--report 不能与 --csv 同时使用");
    if (scanned.csv && scanned.connection)
        throw UsageError("--connection 不能与 --csv 同时使用");
    if (scanned.sweep && (scanned.csv || scanned.svg || scanned.report))
        throw UsageError("--sweep 不能与 --csv、--svg 或 --report 同时使用");
    if (scanned.dxf && (scanned.csv || scanned.sweep))
        throw UsageError("--dxf 不能与 --csv 或 --sweep 同时使用");
    if (scanned.recommend &&
        (scanned.csv || scanned.sweep || scanned.svg || scanned.report || scanned.dxf))
        throw UsageError("--recommend 不能与 --csv、--sweep、--svg、--report 或 --dxf 同时使用");
    if (scanned.exaggeration && !scanned.dxf)
        throw UsageError("--dxf-exaggeration 只用于 DXF 图，须与 --dxf 同时使用");
    if (scanned.bom && !(scanned.csv || (scanned.sweep && !scanned.json)))
        throw UsageError("--bom 只用于 CSV 输出：--csv，或不带 --json 的 --sweep");
    if (!scanned.info.empty() && !scanned.report)
        throw UsageError("--info 只用于计算书，须与 --report 同时使用");
}

// "NAME=FROM:TO:STEP" for case `caseNumber`: NAME one of the case's input
// symbols as the JSON "inputs" object spells them, the three numbers
// period-decimal.
Options::Sweep ParseSweep(const std::string& text, int caseNumber) {
    const auto eq = text.find('=');
    const std::string name = text.substr(0, eq);
    const auto index = hydraulics::SweepVariableIndex(caseNumber, name);
    if (eq == std::string::npos || !index)
        throw UsageError("--sweep 需要“名称=起点:终点:步长”，名称为情况 " +
                         std::to_string(caseNumber) + " 的输入之一，而不是 “" + text + "”");
    std::optional<double> bounds[3];
    std::size_t start = eq + 1;
    for (int k = 0; k < 3; ++k) {
        const std::size_t colon = k < 2 ? text.find(':', start) : std::string::npos;
        if (k < 2 && colon == std::string::npos)
            break;
        bounds[k] = hydraulics::ReadDecimal(std::string_view(text).substr(start, colon - start));
        start = colon + 1;
    }
    if (!bounds[0] || !bounds[1] || !bounds[2])
        throw UsageError("--sweep 的范围须写成 起点:终点:步长（以句点作小数点的数），而不是 “" +
                         text + "”");
    Options::Sweep sweep{*index, {*bounds[0], *bounds[1], *bounds[2]}};
    try {
        hydraulics::SweepRowCount(sweep.range);
    } catch (const hydraulics::SweepRangeError& e) {
        throw UsageError("--sweep " + text + "：" + e.what());
    }
    return sweep;
}

// Where the eight values come from: a CSV file, a project file or the
// positional arguments after the case number.
void TakeSource(const Scanned& scanned, Options& options) {
    const std::size_t valueCount = scanned.positional.size() - 1;
    if (scanned.csv || scanned.project) {
        if (valueCount != 0)
            throw UsageError("使用 " + std::string(scanned.csv ? "--csv" : "--project") +
                             " 时不能再给数值");
        if (scanned.csv) {
            options.mode = Mode::Csv;
            options.csvFile = *scanned.csv;
        } else {
            options.mode = Mode::Project;
            options.project = *scanned.project;
        }
        return;
    }
    if (valueCount != 8)
        throw UsageError("需要 8 个数值，给出了 " + std::to_string(valueCount) + " 个");
    options.mode = Mode::Values;
    options.values.assign(scanned.positional.begin() + 1, scanned.positional.end());
}

// The canals of --connection and the design conditions its file states
// (the command line's --step and --region win over the file's).
void TakeConditions(const Scanned& scanned, Options& options) {
    options.conditions.increasePercent = scanned.increase;
    options.conditions.grade = InfoGrade(scanned.info);
    if (scanned.connection) {
        const project::ConnectionRead read = project::ReadConnectionFile(*scanned.connection);
        if (!read.input)
            throw UsageError(read.problem);
        options.connection = read.input;
        options.given = read.conditions;
        // A file without a grade takes the report's 建筑物级别 of --info.
        if (options.conditions.grade && !read.gradeGiven)
            options.connection->grade = *options.conditions.grade;
    }
    if (scanned.step)
        options.given.step = scanned.step;
    if (scanned.region)
        options.given.region = scanned.region;
    project::ApplyConditionKeys(options.given, options.conditions);
}

} // namespace

std::optional<int> InfoGrade(const std::vector<std::pair<std::string, std::string>>& info) {
    std::optional<int> grade;
    for (const auto& [key, value] : info)
        if (key == "grade")
            grade = value.empty() ? std::nullopt : std::optional(std::stoi(value));
    return grade;
}

Options ParseOptions(std::span<const std::string> args) {
    Options options;
    if (AsksForHelp(args)) {
        options.mode = Mode::Help;
        return options;
    }
    const Scanned scanned = Scan(args);
    CheckCombinations(scanned);
    options.json = scanned.json;
    options.details = scanned.details;
    options.recommend = scanned.recommend;
    options.bom = scanned.bom;
    if (scanned.svg)
        options.svgFile = *scanned.svg;
    if (scanned.report)
        options.reportFile = *scanned.report;
    if (scanned.dxf)
        options.dxfFile = *scanned.dxf;
    options.dxfExaggeration = scanned.exaggeration.value_or(options.dxfExaggeration);
    TakeConditions(scanned, options);
    options.info = scanned.info;
    if (scanned.positional.empty())
        throw UsageError("缺少情况编号（1 到 4）");
    options.caseNumber = ParseCaseNumber(scanned.positional.front());
    if (scanned.sweep)
        options.sweep = ParseSweep(*scanned.sweep, options.caseNumber);
    TakeSource(scanned, options);
    return options;
}

} // namespace cli
