// SPDX-License-Identifier: GPL-3.0-or-later
// The usage of ambrelo-calc, as --help shows it and a usage error ends.
#include "cli/options.h"

namespace cli {
namespace {

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
                   "tie_rod_depth"（拉杆底距槽顶，m）、"cold_region": true/false、
                   "step" 和 "region"（命令行的 --step、--region 优先）；
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

} // namespace

std::string UsageText() {
    return kUsageText;
}

} // namespace cli
