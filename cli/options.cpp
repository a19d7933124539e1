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

// One option at args[i], with its value from "--name=value" or args[i + 1]
// (then i moves past it).
void TakeOption(std::span<const std::string> args, std::size_t& i, Scanned& scanned) {
    const std::string& arg = args[i];
    const auto eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    std::optional<std::string> inlineValue;
    if (eq != std::string::npos)
        inlineValue = arg.substr(eq + 1);
    if (name == "--json" && !inlineValue) {
        scanned.json = true;
    } else if (name == "--details" && !inlineValue) {
        scanned.details = true;
    } else if (name == "--recommend" && !inlineValue) {
        scanned.recommend = true;
    } else if (name == "--bom" && !inlineValue) {
        scanned.bom = true;
    } else if (name == "--svg") {
        if (scanned.svg)
            throw UsageError("选项 --svg 只能给一次");
        scanned.svg = TakeValue(name, inlineValue, args, i);
        if (scanned.svg->empty() || *scanned.svg == "-")
            throw UsageError("--svg 需要一个文件名（SVG 不写到标准输出）");
    } else if (name == "--report") {
        if (scanned.report)
            throw UsageError("选项 --report 只能给一次");
        scanned.report = TakeValue(name, inlineValue, args, i);
        if (!IsReportFileName(*scanned.report))
            throw UsageError("--report 的文件名须以 .pdf（PDF 文档）或 .odt（可编辑文档）结尾");
    } else if (name == "--dxf") {
        if (scanned.dxf)
            throw UsageError("选项 --dxf 只能给一次");
        scanned.dxf = TakeValue(name, inlineValue, args, i);
        if (!IsDxfName(*scanned.dxf))
            throw UsageError("--dxf 的文件名须以 .dxf 结尾");
    } else if (name == "--dxf-exaggeration") {
        if (scanned.exaggeration)
            throw UsageError("选项 --dxf-exaggeration 只能给一次");
        scanned.exaggeration = ParseExaggeration(TakeValue(name, inlineValue, args, i));
    } else if (name == "--info") {
        scanned.info.push_back(ParseInfo(TakeValue(name, inlineValue, args, i)));
    } else if (name == "--increase") {
        if (scanned.increase)
            throw UsageError("选项 --increase 只能给一次");
        scanned.increase = ParseIncrease(TakeValue(name, inlineValue, args, i));
    } else if (name == "--step") {
        if (scanned.step)
            throw UsageError("选项 --step 只能给一次");
        scanned.step = ParseStep(TakeValue(name, inlineValue, args, i));
    } else if (name == "--region") {
        if (scanned.region)
            throw UsageError("选项 --region 只能给一次");
        const std::string region = TakeValue(name, inlineValue, args, i);
        if (region != "humid" && region != "arid")
            throw UsageError("--region 需要 humid（湿润地区）或 arid（干旱地区），而不是 “" +
                             region + "”");
        scanned.region = region == "humid" ? hydraulics::Region::Humid : hydraulics::Region::Arid;
    } else if (name == "--sweep") {
        if (scanned.sweep)
            throw UsageError("选项 --sweep 只能给一次");
        scanned.sweep = TakeValue(name, inlineValue, args, i);
    } else if (name == "--csv" || name == "--project" || name == "--connection") {
        std::optional<std::string>& slot = name == "--csv"       ? scanned.csv
                                           : name == "--project" ? scanned.project
                                                                 : scanned.connection;
        if (slot)
            throw UsageError("选项 " + name + " 只能给一次");
        slot = TakeValue(name, inlineValue, args, i);
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

} // namespace

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
    options.increasePercent = scanned.increase;
    options.conditions.increasePercent = scanned.increase;
    if (scanned.step)
        options.conditions.widthStep = *scanned.step;
    options.given.step = scanned.step.has_value();
    options.given.region = scanned.region.has_value();
    for (const auto& [key, value] : scanned.info)
        if (key == "grade" && !value.empty())
            options.conditions.grade = std::stoi(value);
    options.region = scanned.region;
    options.conditions.region = scanned.region;
    if (scanned.svg)
        options.svgFile = *scanned.svg;
    if (scanned.report)
        options.reportFile = *scanned.report;
    if (scanned.dxf)
        options.dxfFile = *scanned.dxf;
    options.dxfExaggeration = scanned.exaggeration.value_or(options.dxfExaggeration);
    if (scanned.connection) {
        const project::ConnectionRead read = project::ReadConnectionFile(*scanned.connection);
        if (!read.input)
            throw UsageError(read.problem);
        options.connection = read.input;
        project::ApplyConditionKeys(read.conditions, options.conditions);
        options.given.support = read.conditions.support.has_value();
        options.given.tieRods = read.conditions.tieRodDepth.has_value();
        options.given.cold = read.conditions.coldRegion.has_value();
        // A file without a grade takes the report's 建筑物级别 of --info.
        for (const auto& [key, value] : scanned.info)
            if (key == "grade" && !value.empty() && !read.gradeGiven)
                options.connection->grade = std::stoi(value);
    }
    options.info = scanned.info;
    if (scanned.positional.empty())
        throw UsageError("缺少情况编号（1 到 4）");
    options.caseNumber = ParseCaseNumber(scanned.positional.front());
    if (scanned.sweep)
        options.sweep = ParseSweep(*scanned.sweep, options.caseNumber);
    TakeSource(scanned, options);
    return options;
}

// The usage as --help shows it and a usage error ends.
constexpr const char* kUsageText = R"(用法：
  ambrelo-calc [--json] [--details] [--increase P] [--step W] [--svg 文件] [--dxf 文件.dxf]
               [--report 文件 [--info 键=值]…] [--connection 文件.json] 情况 V1 … V8
  ambrelo-calc [--json] [--details] [--increase P] [--step W] [--svg 文件] [--dxf 文件.dxf]
               [--report 文件 [--info 键=值]…] [--connection 文件.json] 情况 --project 项目名
  ambrelo-calc [--json | --bom] [--increase P] [--connection 文件.json]
               --sweep 名称=起点:终点:步长 情况 (V1 … V8 | --project 项目名)
  ambrelo-calc [--json] [--increase P] [--step W] [--connection 文件.json] --recommend
               情况 (V1 … V8 | --project 项目名)
  ambrelo-calc [--bom] 情况 --csv 文件
  ambrelo-calc --help

情况（按计算窗口输入框的顺序给出八个数值，与项目文件的顺序相同）：
  1  计算槽宽及水头损失    Q L h x V n ξ1 ξ2  →  Z Z1 Z2 Z3 B
  2  计算槽宽及槽身比降    Q L h Z V n ξ1 ξ2  →  Z1 Z2 Z3 B x
  3  计算水深及水头损失    Q L B x V n ξ1 ξ2  →  Z Z1 Z2 Z3 h
  4  计算流量及水头损失    h L B x V n ξ1 ξ2  →  Z Z1 Z2 Z3 Q
  数值一律以句点作小数点，与区域设置无关；槽身比降 i = 1/x，给出 x。

选项：
  --json           以一个 JSON 对象输出输入与成果
  --details        另外输出水力要素（真实断面，π 取精确值，g = 9.81 m/s²）：
                   A、P、R、T、v、v²/2g、Fr、临界水深 hc、流态和水面位置；
                   JSON 中为 "hydraulics" 对象，数值不取舍，不能形成的为 null。
                   水力要素与计算成果并列，不改变成果。
                   其后是设计校核（GB 50288-2018），每项一行：适用条件、设计流速、
                   缓坡、加大流量、设计流量超高、加大流量超高、深宽比、长槽与短槽
                   （寒冷地区、1～2 级建筑物另有一行），结论为满足、不满足（“应”
                   的条款）、宜调整（“宜”的条款）或提示；JSON 中为 "checks" 对象，
                   每项有 "ok" 和 "level"（"shall"、"should"、"note"）。
                   最后是采用断面：槽宽按设计步长向上取整、按实际断面精确求解
                   水深并逐项校核，H 向上取至厘米；JSON 中为 "adopted" 对象
  --increase P     设计校核的加大百分数 p（%，0 到 50），加大流量
                   Q加 = Q(1 + p/100)；默认取表 6.3.4 中 Q 所在行的较大值。
                   用于 --details、--svg、--dxf 和 --report
  --step W         采用断面的槽宽设计步长（m，0.001 到 0.1，默认 0.01）
  --region 地区     humid（湿润地区）或 arid（干旱地区）：未给 --increase 时，
                   加大百分数取表 6.3.4 中 Q 所在行的小值（湿润）或大值（干旱）
  --svg 文件        把断面图、水力要素表和水深—流量关系曲线写成 SVG 文件；
                   计算失败时不写
  --dxf 文件.dxf    把断面图（按比例，单位 mm，真实的尺寸标注）写成 CAD 用的 DXF
                   文件；与 --connection 同用时，纵断面图画在断面图右侧。
                   计算失败时不写；不能与 --csv、--sweep 同时使用
  --dxf-exaggeration N
                   DXF 纵断面的竖向放大倍数（1 到 100，默认 10：竖向比例为
                   水平比例的 10 倍）
  --report 文件     写计算书（水力计算书）：文件名以 .pdf 结尾写 PDF，以 .odt 结尾
                   写可编辑的 ODT 文档；计算失败时不写
  --connection 文件.json
                   槽身与上下游渠道的水面衔接（GB 50288-2018 第 9.4.1 条、附录 K）：
                   渠道正常水深、渐变段长度、Z1 Z2 Z3 与总水面降落、∇1 ∇2 ∇4 与
                   水位，加大流量时由下游推算的槽内水面线与上游壅高，长槽判别
                   和弯道。文件为 JSON 对象：
                   {"upstream": {"b": 2, "m": 1.5, "n": 0.025, "x": 4000,
                    "bed": 100.0}, "downstream": {"b": 2, "m": 1.5, "n": 0.025,
                    "x": 4000}, "allowed_drop": 0.3, "inlet_angle": 14.5,
                   "outlet_angle": 9.5, "grade": 4, "bend_radius": null}
                   allowed_drop、两个角度、grade 和 bend_radius 可以省略；
                   还可给出设计条件 "support": "beam"（梁式）或 "arch"（拱式）、
                   "tie_rod_depth"（拉杆底距槽顶，m）、"cold_region": true/false；
                   JSON 中为 "connection" 对象；也写入 --report 的计算书
  --info 键=值      计算书标题栏的一项，可重复：project 工程名称、structure 建筑物
                   名称（默认为项目名）、stage 设计阶段、grade 建筑物级别（1～5）、
                   number 计算书编号、company 设计单位、author 计算、checker 校核、
                   reviewer 审查；与 --project 同用时覆盖项目附加资料中的同一项
  --project 项目名  从项目文件“项目名us.dat”读取八个数值（不写项目文件）；项目附加
                   资料文件“项目名us.json”中的计算书标题栏资料和渠道资料一并采用，
                   命令行的 --info、--connection 优先；该文件损坏或渠道资料不全时
                   在标准错误上说明，照常计算
  --csv 文件        每行八个以逗号分隔的数值，逐行计算，以 CSV 输出；
                   文件为 - 时读标准输入。空行跳过；第一个非空行若没有
                   任何字段是数字，则视为标题行跳过。
  --sweep 名称=起点:终点:步长
                   方案比选：把一个输入（名称同 JSON 的 "inputs"：Q L h x V n xi1 xi2，
                   情况 2 的 Z，情况 3、4 的 B）从起点按步长取到终点（最多 2000 个
                   方案），其余输入取自给出的数值或项目文件（该输入本身的数值不用），
                   逐个计算并校核。输出 CSV 表（带标题行），有渠道资料时另有
                   ΔZ、∇1、∇2、∇4、Δh1 各列和水面衔接的校核结论；加 --json 时输出
                   JSON 数组，每个元素与 --details --json 单独计算的输出逐字相同
  --bom            CSV 输出（--csv，以及不带 --json 的 --sweep）以 UTF-8 字节顺序
                   标记开头，使 Excel 等表格程序按 UTF-8 读中文；不给时不加
  --recommend      推荐断面：槽宽按设计步长取本设计槽宽的一半到两倍，给出允许水面
                   降落 [ΔZ] 时纵坡另取 1/200～1/10000 的常用值，逐个按采用断面校核，
                   给出满足全部校核、衬砌周长最短的断面和十个备选断面；都不满足时
                   指出无法同时满足的校核项。加 --json 时输出 JSON 对象
  --help, -h       显示本说明

退出码：0 成功；1 计算失败、未收敛或文件错误；2 命令行用法错误。
)";

std::string UsageText() {
    return kUsageText;
}

hydraulics::DesignConditions ConditionsOf(const Options& options) {
    return options.conditions;
}

} // namespace cli
