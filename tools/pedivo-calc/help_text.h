#pragma once
// What pedivo-calc --help prints, in Chinese and then in English.

#include <string_view>

namespace pedivo::calc {

inline constexpr std::string_view helpText = R"(用法：pedivo-calc [--detail] [--adjust | [--report 文件.docx] [--dxf 文件.dxf]] [输入文件 ...]
      pedivo-calc [--detail] --report-dir 文件夹 [输入文件 ...]
      pedivo-calc --csv [表格.csv] [--xlsx 结果.xlsx] [--adjust | --report-dir 文件夹]
      pedivo-calc --version

Pedivo 柱脚设计的命令行版本：与输入窗口调用同一个计算核心，对相同的输入给出与窗口相同的结果。
从标准输入（或给出的文件）按行读取 JSON，每行一个算例：
  {"module": "j1", "entries": {"EdtN": "2000", "EdtV": "100"}, "cbsize": true}
  {"module": "j1", "steps": [{"entries": {"EdtN": "80"}}, {"entries": {"EdtN": "-1"}}]}
module 为柱脚类型（计算书模板名）：j1 两锚栓铰接、j2 四锚栓铰接、g11 八锚栓刚接、g12 十锚栓刚接、
g2 T型靴梁、g3 槽型靴梁、gc 插入式。entries 按控件对象名给出控件文本（Edthc、EdtN、CBfc、CBdms、
Edtsizea ……），未给出的控件保持窗口默认值；cbsize 为“底板尺寸按构造要求选取”。CBcode 为设计标准
（GB 50017-2003 或 GB 50017-2017，未给出时为 2003 版），钢材与锚栓牌号须是该版所列牌号。可选的 project 为
计算书首页的项目信息：{"name": 工程名称, "number": 工程编号, "member": 构件编号, "designer": 设计,
"checker": 校对, "approver": 审核, "date": 日期}，各项均可省略。带 steps 时每一步
先修改给出的控件，再在同一个窗口中按“计算”，上一步保存的结果会保留（最多 100 步）。可选的
"after": {"EdtM": "999"} 为最后一次“计算”之后又改动的输入（不再计算，state 为“输入已修改”）。
"mode": "check" 与 "sizes": {"tpb": 25, …}：验算给定尺寸（不调整尺寸），须给出该柱脚类型的全部尺寸
（外露式柱脚的抗剪键 keyh、keyb、keytw、keytf、hk、hfk 全为 0 时不设抗剪键，全部不写时按设计选取）；
每个结果末尾另有 mode（design 或 check）和 sizes（设计或验算的全部尺寸，未完成时为 null），可原样写回作验算。
"loads": [{"name": "1.0D+1.5W", "N": -120, "V": 60, "M": 310}, …]：荷载组合（1～200 组，名称不超过 32 个字符，
kN、kN·m，压力为正；铰接柱脚不承受弯矩，M 可省略或为 0；弯矩和剪力按绝对值计算）。给出 loads 时不能再在 entries
中给出 EdtN、EdtV、EdtM。多组时各组合分别设计，各部尺寸取最大值后按每个组合验算（验算模式下给定尺寸按每个组合验算）；
checks 中每项另有 id 和 governing（控制组合，即利用率最大的组合），结果末尾另有 combinations：各组合的
name、N、V、M、ratio（该组合下的最大利用率）和 governs（该组合控制的验算 id）。任一组合计算停止则整个设计停止，提示中写明组合名。
每个算例输出一行 JSON：module、state（未计算、已完成、未完成、输入已修改）、stopReason（最后一次“计算”中途停止的原因，
如“设计尺寸不收敛，超出程序计算范围”；未停止时为 null）、messages（依次弹出的提示）、focus（最后一次“计算”移到的控件）、
entries、cbsize、values（全部保存量）、results（“查看结果”的字段）、redCaptions、checks（各项验算：
name、demand、limit、ratio、ok、remedy（不满足时的处理建议）；尚未完成设计时为空）、weight（用钢量 kg，
尚未完成设计时为 null）、remedy（计算中途停止时的处理建议，否则为 null）。
--detail（或算例中写 "detail": true）：另输出各项验算的公式 formula（在 name 之后）和计算书标签 report
（在 checks 之后），供校核之用。
--adjust：未全部满足的算例另输出 adjusted（“自动调整”找到的最轻的满足要求的设计：module、entries、cbsize、
messages、checks、weight、changed 改动的控件名），已满足或找不到满足要求的设计时为 null。
每读入一行即输出一行结果（算例在各处理器核上并行计算，输出顺序与输入顺序相同）。无法读取的算例（或无法打开的输入文件）在其位置输出 {"error": "..."}，程序继续
处理；若有算例出错，退出码为 1，否则为 0；无法写出结果（如磁盘已满）时退出码为 2。
--report 文件.docx：只有一个算例时，另把计算书写到该文件（符号链接写到其指向的文件；没有写入权限的文件
不会被改动）。模板依次在用户的模板文件夹（~/.local/share/pedivo/templates，随 XDG_DATA_HOME）、安装的模板
文件夹（/usr/share/pedivo/templates）和程序所在文件夹中查找。计算书首页写出软件版本和计算时间。
计算书带柱脚图（不需要显示器）。
--report-dir 文件夹：每个算例或表格行（--csv）各写一份带柱脚图的计算书到该文件夹，以算例的 "id" 或表格的 id 列
命名（没有时用算例序号或行号）；文件名中不能用的字符换成 _，重复的名字加“ (2)”等，同名的旧文件被替换。
--version：显示版本（项目版本，从 git 检出编译时另有提交号）。
--dxf 文件.dxf：只有一个算例时，另把设计好的柱脚图（平面图和立面图，1:1，单位 mm）写成 AutoCAD R2000 DXF
文件，图层为 轮廓、锚栓、加劲肋、焊缝、尺寸、文字；可与 --report 同时使用。计算未完成的设计不绘图，
文件不写出，退出码为 1。--adjust 不能与 --report、--dxf 同时使用：计算书和图纸只写给出的设计；
要写“自动调整”建议的设计，请把 adjusted 中的输入作为一个算例再算一次。

--csv：批量设计。读入一个 CSV 表格（每行一个设计；表头为 module、可选的 id 以及控件对象名 Edthc、EdtN、
CBfc、cbsize ……，以及可选的项目信息列 name、number、member、designer、checker、approver、date；空白单元格
保持窗口默认值），在标准输出写出结果表格（UTF-8，带 BOM）：编号、提示（出错的原因或计算时的提示）、柱脚类型、
项目信息（表格给出时）、“查看结果”的各项、不满足验算数、最大利用率。有行出错时退出码为 1。--xlsx 另将结果表格写成
Excel 工作簿（有错误或验算不满足的行为红色，提示栏自动换行，最大利用率保留两位小数）。各行在各处理器核上计算，算完即按输入顺序写出；表格（文件或标准
输入）最大 64 MB。以 =、+、-、@ 开头又不是数值的单元格在 CSV 中前加 '，不会被电子表格当作公式执行。
与 --adjust 同用时另有两栏：未全部满足的行“自动调整”建议的改动（如 Edtsizelt=90；cbsize=0）及其用钢量。
超过 1 MB 的输入行不读取，在其位置输出 {"error": ...}。

Usage: pedivo-calc [--detail] [--adjust | [--report FILE.docx] [--dxf FILE.dxf]] [INPUT ...]
       pedivo-calc [--detail] --report-dir FOLDER [INPUT ...]
       pedivo-calc --csv [TABLE.csv] [--xlsx RESULTS.xlsx] [--adjust | --report-dir FOLDER]
       pedivo-calc --version

The headless twin of Pedivo's input windows: it calls the same core, so the same entries give
the same results. Reads one JSON case a line from standard input or from the named files:
  {"module": M, "entries": {...}, "cbsize": true}  or  {"module": M, "steps": [{"entries": {...}}, ...]}
M is the template name of the base type (j1, j2, g11, g12, g2, g3, gc). Entries are control texts
by object name; controls not given keep their window defaults (CBcode, the steel code edition, is
GB 50017-2003 unless given). An optional "project" gives the project block of the report's first
page: name, number, member, designer, checker, approver, date, each a text and each optional. Each step (at most 100) changes its entries and
presses "计算" in the same window; an optional "after": {...} holds entries typed after the last
"计算" (shown, not designed: the state is then 输入已修改). "mode": "check" with "sizes": {"tpb": 25, ...}
checks the base of those sizes (every size of the type) without changing them. "loads": [{"name": "1.0D+1.5W",
"N": -120, "V": 60, "M": 310}, ...] gives 1 to 200 load combinations (kN, kN·m, compression positive; M and V by their
magnitude; a pinned base takes no M) in place of the entries EdtN, EdtV, EdtM, which may then not be given. With several,
each is designed, every size takes its largest value and that base is checked under each (a check: the given sizes
under each); each check then has id and governing (the combination with its largest ratio), and the output ends with
combinations: name, N, V, M, ratio (its largest) and governs (the ids of the checks it governs). Cases are designed on every processor core. Writes one JSON
object a case as soon as it is read, in input order: module, state, stopReason (why the last
"计算" stopped before a design, or null), messages, focus, entries, cbsize, values, results, redCaptions,
checks (each design check: name, demand, limit, ratio, ok, remedy; empty until a design is completed), weight,
remedy, mode (design or check), sizes (those a check takes; null until completed). --detail, or "detail": true in a case, adds each check's formula and the report's tags (report). A case
that cannot be read
(or an input file that cannot be opened) gives {"error": "..."} in its place; the exit status is 1 if
any case failed, 2 if the output could not be written, else 0. --report FILE.docx with a single case
also writes the filled report there (through a symbolic link; a file you may not write is refused
and left as it was). The template is looked for in the user's templates
(~/.local/share/pedivo/templates, following XDG_DATA_HOME), then the installed templates
(/usr/share/pedivo/templates), then beside this program. The first page names the version and the
time of writing; the report holds the drawing (no display needed). --report-dir FOLDER writes a report with
its drawing for every case (or --csv row) into FOLDER, named by the case's "id" or the row's id column (else the
case or row number); characters a file name cannot hold become _, a repeated name gets (2), (3) … added, and files of
the same name are replaced. --version prints the version (with the commit when built from a git checkout).
--dxf FILE.dxf with a single case also writes the drawing of the designed base (plan and elevations,
full size in millimetres) as an AutoCAD R2000 DXF file; it may be combined with --report. A design
that did not complete is not drawn, the file is not written and the exit status is 1. --adjust
excludes --report and --dxf: to report or draw a proposal, run its "adjusted" entries as a case.
--csv designs every row of a CSV table (header: module, an optional id, control names, cbsize and
the optional project columns name … date; blank cells keep the window defaults) and writes the
result table (UTF-8 with BOM) to standard output: id, message (the error or what the window
showed), base type, the project block if the table has one, the result fields, failing checks,
largest utilisation; --xlsx also writes that table as an Excel workbook, failing rows in red. Rows are designed on every
core and written in input order as they are done; a table (file or standard input) may be 64 MB.
A CSV cell that begins with =, +, - or @ and is not a number gets a leading ', so that no
spreadsheet runs it. An input line over 1 MB is not read and gives {"error": ...} in its place.
)";

}  // namespace pedivo::calc
