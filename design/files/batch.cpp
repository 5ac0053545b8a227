#include "design/files/batch.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "design/adjust/adjust.h"
#include "design/common/calculation.h"
#include "design/common/design_check.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"
#include "design/files/spreadsheet_cells.h"

namespace pedivo {
namespace {

bool anyModuleHasControl(const std::string& name) {
  for (const ModuleDescriptor* module : allModules())
    if (module->findControl(name) != nullptr) return true;
  return false;
}

bool isForceColumn(std::string_view name) { return name == "EdtN" || name == "EdtV" || name == "EdtM"; }

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<bool> readTick(const std::string& cell) {
  const std::string text = trimmed(cell);
  for (const char* yes : {"1", "true", "TRUE", "True", "yes", "是", "√"})
    if (text == yes) return true;
  for (const char* no : {"0", "false", "FALSE", "False", "no", "否"})
    if (text == no) return false;
  return std::nullopt;
}

}  // namespace

std::string tableTooLargeMessage() {
  return "表格超过 " + std::to_string(maximumTableBytes >> 20) + " MB，请分成几个较小的表格";
}

std::optional<std::string> checkBatchHeader(CsvRow& header) {
  for (auto& name : header) name = trimmed(name);
  if (std::find(header.begin(), header.end(), "module") == header.end())
    return std::string("表格缺少柱脚类型列“module”");
  for (const auto& name : header)
    if (!name.empty() && name != "module" && name != "id" && name != "cbsize" && name != loadColumn &&
        name != modeColumn && findProjectField(name) == nullptr && !anyModuleHasControl(name) && !isSizeColumn(name))
      return "未知的列“" + name + "”";
  return std::nullopt;
}

std::variant<BatchTable, std::string> readBatchTable(std::string_view csv) {
  auto parsed = parseCsv(csv);
  if (auto* error = std::get_if<std::string>(&parsed)) return *error;
  auto& rows = std::get<std::vector<CsvRow>>(parsed);
  if (rows.empty()) return std::string("表格是空的");
  BatchTable table{std::move(rows.front()), {}};
  if (auto refused = checkBatchHeader(table.header)) return *refused;
  table.rows.assign(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
  return table;
}

bool hasProjectColumn(const CsvRow& header) {
  return std::any_of(header.begin(), header.end(), [](const std::string& name) { return findProjectField(name) != nullptr; });
}

const ModuleDescriptor* rowModule(const CsvRow& header, const CsvRow& cells) {
  const ModuleDescriptor* module = nullptr;
  for (std::size_t c = 0; c < header.size(); ++c)
    if (header[c] == "module") module = findModule(trimmed(c < cells.size() ? cells[c] : std::string()));
  return module;
}

namespace {

std::string cellAt(const CsvRow& cells, std::size_t column) {
  return column < cells.size() ? cells[column] : std::string();
}

std::string unknownModule(const CsvRow& header, const CsvRow& cells) {
  std::string named, known;
  for (std::size_t c = 0; c < header.size(); ++c)
    if (header[c] == "module") named = trimmed(cellAt(cells, c));
  for (const ModuleDescriptor* module : allModules()) known.append(known.empty() ? "" : "、").append(module->id);
  return (named.empty() ? std::string("没有给出柱脚类型") : "柱脚类型“" + named + "”未知") + "（应为 " + known + "）";
}

// Types the row's cells into the window's entries; the first refusal ends the row.
std::optional<std::string> enterCells(DesignSession& session, const CsvRow& header, const CsvRow& cells) {
  const ModuleDescriptor& module = session.module();
  for (std::size_t c = 0; c < header.size(); ++c) {
    const std::string& name = header[c];
    const std::string text = cellAt(cells, c);
    if (name.empty() || name == "module" || name == "id" || trimmed(text).empty()) continue;
    if (name == loadColumn || name == modeColumn || isSizeColumn(name)) continue;  // read with the design's forces
    if (findProjectField(name) != nullptr) continue;  // read with the project block
    if (name == "cbsize") {
      const auto tick = readTick(text);
      if (!module.hasDetailingToggle) return module.title + "没有“底板尺寸按构造要求选取”一项";
      if (!tick) return std::string("“底板尺寸按构造要求选取”应为 1 或 0");
      session.setCbsize(*tick);
    } else if (auto refused = session.setText(name, trimmed(text))) {
      return refused;
    }
  }
  return std::nullopt;
}

}  // namespace

namespace {

// "mode": a check of the sizes in the size columns, or a design (blank, design, 设计).
std::variant<std::optional<Sizes>, std::string> rowSizes(const CsvRow& header, const CsvRow& cells) {
  bool check = false;
  for (std::size_t c = 0; c < header.size(); ++c) {
    if (header[c] != modeColumn) continue;
    const std::string mode = trimmed(cellAt(cells, c));
    if (mode == "check" || mode == "验算") {
      check = true;
    } else if (!mode.empty() && mode != "design" && mode != "设计") {
      return "“mode”应为 design（设计）或 check（验算），不是“" + mode + "”";
    }
  }
  if (!check) return std::optional<Sizes>();
  Sizes sizes;
  for (std::size_t c = 0; c < header.size(); ++c) {
    const std::string text = trimmed(cellAt(cells, c));
    if (!isSizeColumn(header[c]) || text.empty()) continue;
    const auto number = parseNumber(text);
    if (!number) return "尺寸“" + header[c] + "”不是数值：" + text;
    sizes[header[c]] = *number;
  }
  return std::optional<Sizes>(std::move(sizes));
}

// The row's design, or its check of given sizes, under its combinations (none: its own N, V, M).
Outcome designOrCheck(DesignSession& session, const CsvRow& header, const CsvRow& cells,
                      std::vector<LoadCombination> loads, std::optional<std::string>& error) {
  auto sizes = rowSizes(header, cells);
  if (auto* refused = std::get_if<std::string>(&sizes)) {
    error = std::move(*refused);
    return {};
  }
  if (!loads.empty())
    if (auto refused = session.setLoads(std::move(loads))) {
      error = std::move(refused);
      return {};
    }
  const auto& given = std::get<std::optional<Sizes>>(sizes);
  return given ? session.check(*given) : session.calculate();
}

BatchRow designCells(const CsvRow& header, const CsvRow& cells, std::size_t index, std::vector<LoadCombination> loads);

}  // namespace

bool isSizeColumn(std::string_view name) {
  for (const ModuleDescriptor* module : allModules())
    for (const auto& size : module->sizes)
      if (size.name == name) return true;
  return false;
}

bool isGroupedTable(const CsvRow& header) {
  return std::find(header.begin(), header.end(), loadColumn) != header.end();
}

std::string rowId(const CsvRow& header, const CsvRow& cells) {
  std::string id;
  for (std::size_t c = 0; c < header.size(); ++c)
    if (header[c] == "id") id = trimmed(cellAt(cells, c));
  return id;
}

BatchRow designRow(const BatchTable& table, std::size_t index) {
  return designRow(table.header, table.rows.at(index), index);
}

BatchRow designRow(const CsvRow& header, const CsvRow& cells, std::size_t index) {
  return designCells(header, cells, index, {});
}

namespace {

// The combinations of a group's rows: the name in "load", the forces in EdtN, EdtV, EdtM.
std::variant<std::vector<LoadCombination>, std::string> groupLoads(const CsvRow& header, std::span<const CsvRow> rows) {
  std::vector<LoadCombination> loads;
  for (const CsvRow& cells : rows) {
    LoadCombination load;
    for (std::size_t c = 0; c < header.size(); ++c) {
      const std::string text = trimmed(cellAt(cells, c));
      if (header[c] == loadColumn) load.name = text;
      if (!isForceColumn(header[c]) || text.empty()) continue;
      const auto number = parseNumber(text);
      if (!number) return "荷载组合“" + load.name + "”的“" + header[c] + "”不是数值：" + text;
      (header[c] == "EdtN" ? load.N : header[c] == "EdtV" ? load.V : load.M) = *number;
    }
    loads.push_back(std::move(load));
  }
  return loads;
}

// A column as the engineer knows it: an input by its caption, with the column's name.
std::string columnWords(const std::string& name) {
  std::string caption;
  for (const ModuleDescriptor* module : allModules()) {
    if (const ControlSpec* control = module->findControl(name); control != nullptr && caption.empty())
      caption = control->label;
    for (const auto& size : module->sizes)
      if (size.name == name && caption.empty()) caption = size.caption;
  }
  if (const ProjectField* field = findProjectField(name)) caption = field->caption;
  if (name == "module") caption = "柱脚类型";
  if (name == "cbsize") caption = "底板尺寸按构造要求选取";
  return caption.empty() || caption == name ? "“" + name + "”" : "“" + caption + "”（" + name + "）";
}

// The first column in which a row of the group differs from its first row, beside the
// combination's name and forces.
std::optional<std::string> disagreeingColumn(const CsvRow& header, std::span<const CsvRow> rows) {
  for (std::size_t c = 0; c < header.size(); ++c) {
    if (header[c] == loadColumn || isForceColumn(header[c])) continue;
    for (const CsvRow& cells : rows.subspan(1))
      if (trimmed(cellAt(cells, c)) != trimmed(cellAt(rows.front(), c))) return header[c];
  }
  return std::nullopt;
}

}  // namespace

BatchRow designGroup(const CsvRow& header, std::span<const CsvRow> rows, std::size_t index, bool scattered) {
  const std::string id = rowId(header, rows.front());
  const auto refusedGroup = [&](std::string why) {
    BatchRow row;
    row.id = id.empty() ? std::to_string(index + 1) : id;
    row.module = rowModule(header, rows.front());
    row.error = std::move(why);
    return row;
  };
  if (scattered) return refusedGroup("编号“" + id + "”的各行不相连：同一设计的各荷载组合应写在相连的行中");
  if (const auto column = disagreeingColumn(header, rows))
    return refusedGroup("编号“" + id + "”的各行在" + columnWords(*column) +
                        "列不一致：同一设计的各行只有荷载组合（load、EdtN、EdtV、EdtM）可以不同");
  auto loads = groupLoads(header, rows);
  if (auto* refused = std::get_if<std::string>(&loads)) return refusedGroup(*refused);
  return designCells(header, rows.front(), index, std::move(std::get<std::vector<LoadCombination>>(loads)));
}

namespace {

// The combination behind a design's verdict: of the failing check with the largest ratio (a
// failing check without a ratio counts below any with one), else of the largest ratio.
std::string governingName(const std::vector<DesignCheck>& checks) {
  const DesignCheck* chosen = nullptr;
  const auto ratioOf = [](const DesignCheck& check) {
    return !check.decision && std::isfinite(check.ratio()) ? check.ratio() : -1.0;
  };
  for (const bool failing : {true, false}) {
    for (const DesignCheck& check : checks)
      if (check.governing && (!failing || !check.ok()) && (chosen == nullptr || ratioOf(check) > ratioOf(*chosen)))
        chosen = &check;
    if (chosen != nullptr) break;
  }
  return chosen != nullptr ? chosen->governing->name : std::string();
}

BatchRow designCells(const CsvRow& header, const CsvRow& cells, std::size_t index, std::vector<LoadCombination> loads) {
  BatchRow row;
  row.id = std::to_string(index + 1);
  const auto cell = [&](std::size_t column) { return column < cells.size() ? cells[column] : std::string(); };
  for (std::size_t c = 0; c < header.size(); ++c)
    if (header[c] == "id" && !trimmed(cell(c)).empty()) row.id = trimmed(cell(c));
  // The project block first: a row that cannot be designed still says which member it was.
  for (std::size_t c = 0; c < header.size(); ++c)
    if (findProjectField(header[c]) != nullptr && !trimmed(cell(c)).empty())
      if (auto refused = setProjectText(row.project, header[c], trimmed(cell(c)))) {
        row.error = std::move(refused);
        return row;
      }
  row.module = rowModule(header, cells);
  if (row.module == nullptr) {
    row.error = unknownModule(header, cells);
    return row;
  }
  if (cells.size() > header.size()) {
    row.error = "本行的单元格多于表头";
    return row;
  }
  DesignSession session(*row.module);
  if (auto refused = enterCells(session, header, cells)) {
    row.error = std::move(refused);
    return row;
  }
  session.setProject(row.project);
  const Outcome outcome = designOrCheck(session, header, cells, std::move(loads), row.error);
  if (row.error) return row;
  // As the window holds them after "计算" (detailing sizes written in): what the row opens with and
  // what 自动调整 compares its proposal with, as in the window and in JSON Lines.
  row.entries = session.entries();
  row.loads = session.loads();
  if (session.checked()) row.sizes = session.sizes();
  row.messages = outcome.messages;
  if (outcome.ending != Ending::Completed) {
    // Refused or stopped: nothing was designed, and the row says why.
    row.error = outcome.messages.empty() ? std::string("未能完成设计") : outcome.messages.front();
    return row;
  }
  row.designed = true;
  row.fields = session.results().fields;
  for (const auto& check : session.checks()) {
    if (!check.ok()) ++row.failedChecks;
    if (!check.decision && std::isfinite(check.ratio()) && check.ratio() > row.largestRatio)
      row.largestRatio = check.ratio();
  }
  row.governing = governingName(session.checks());
  // Under several combinations the result table names the one behind the largest utilisation.
  if (!row.governing.empty())
    row.messages.push_back("最大利用率 " + utilisationText(row.largestRatio) + " 的控制组合：" + row.governing);
  return row;
}

}  // namespace

std::vector<RowGroup> designGroups(const BatchTable& table) {
  std::vector<RowGroup> groups;
  if (!isGroupedTable(table.header)) {
    groups.reserve(table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) groups.push_back({r, 1, false});
    return groups;
  }
  std::set<std::string> closed;
  std::string open;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    std::string id = rowId(table.header, table.rows[r]);
    if (!id.empty() && !groups.empty() && id == open) {
      ++groups.back().count;
      continue;
    }
    if (!open.empty()) closed.insert(open);
    groups.push_back({r, 1, !id.empty() && closed.contains(id)});
    open = std::move(id);
  }
  return groups;
}

BatchRow designRows(const BatchTable& table, const RowGroup& group) {
  return designRows(table.header, std::span<const CsvRow>(table.rows).subspan(group.first, group.count), group);
}

BatchRow designRows(const CsvRow& header, std::span<const CsvRow> rows, const RowGroup& group) {
  if (rows.size() == 1 && !group.scattered) return designRow(header, rows.front(), group.first);
  return designGroup(header, rows, group.first, group.scattered);
}

std::vector<bool> failingRows(const std::vector<BatchRow>& rows) {
  std::vector<bool> failing;
  failing.reserve(rows.size());
  for (const auto& row : rows) failing.push_back(isFailing(row));
  return failing;
}

ResultColumns resultColumns(const std::vector<const ModuleDescriptor*>& modulesInOrder) {
  ResultColumns columns;
  for (const ModuleDescriptor* module : modulesInOrder)
    for (const auto& group : module->resultGroups)
      for (const auto& field : group.fields)
        if (std::none_of(columns.begin(), columns.end(), [&](const auto& c) { return c.first == field.name; }))
          columns.emplace_back(field.name, field.label + field.unit);
  return columns;
}

namespace {

// The project block follows the base type; its first caption marks a table that has it.
constexpr std::size_t projectColumn = 3;

bool withProjectColumns(const CsvRow& header) {
  return header.size() > projectColumn && header[projectColumn] == projectFields.front().caption;
}

// What a reader of the row needs first: why it was not designed, then what the window showed.
std::string rowMessage(const BatchRow& row) {
  std::string text = row.error.value_or("");
  // A row that stopped has its stop as the error and as its one message.
  const std::size_t first = row.error && !row.designed && !row.messages.empty() ? 1 : 0;
  for (std::size_t i = first; i < row.messages.size(); ++i) {
    if (!text.empty()) text += "\n";
    text += row.messages[i];
  }
  return text;
}

}  // namespace

CsvRow resultHeader(const ResultColumns& columns, bool withProject, bool withAdjust, bool withGoverning) {
  CsvRow header{"编号", resultMessageCaption, "柱脚类型"};
  if (withProject)
    for (const auto& field : projectFields) header.emplace_back(field.caption);
  for (const auto& column : columns) header.push_back(column.second);
  header.insert(header.end(), {"不满足验算数", largestRatioCaption});
  if (withGoverning) header.emplace_back(governingCaption);
  if (withAdjust) header.insert(header.end(), {"自动调整改动", "自动调整用钢量（kg）"});
  for (auto& caption : header) fitCell(caption);
  return header;
}

CsvRow resultRow(const BatchRow& row, const ResultColumns& columns, const CsvRow& header) {
  CsvRow out{row.id, rowMessage(row), row.module != nullptr ? row.module->id + " " + row.module->title : ""};
  if (withProjectColumns(header))
    for (const auto& field : projectFields) out.push_back(row.project.*field.text);
  for (const auto& column : columns) {
    const auto found =
        std::find_if(row.fields.begin(), row.fields.end(), [&](const FieldText& f) { return f.field == column.first; });
    out.push_back(found == row.fields.end() ? "" : found->text);
  }
  out.push_back(row.designed ? std::to_string(row.failedChecks) : "");
  out.push_back(row.designed ? utilisationText(row.largestRatio) : "");
  if (out.size() < header.size() && header[out.size()] == governingCaption) out.push_back(row.governing);
  if (header.size() > out.size()) {  // the 自动调整 columns
    out.push_back(row.adjustedChanges.value_or(""));
    out.push_back(row.adjustedWeight ? formatWeight(*row.adjustedWeight) : "");
  }
  fitRow(out, header, resultMessageColumn);
  return out;
}

std::vector<CsvRow> batchResultTable(const std::vector<BatchRow>& rows) {
  std::vector<const ModuleDescriptor*> modules;
  for (const auto& row : rows)
    if (row.module != nullptr && std::find(modules.begin(), modules.end(), row.module) == modules.end())
      modules.push_back(row.module);
  const ResultColumns columns = resultColumns(modules);
  const bool withProject = std::any_of(rows.begin(), rows.end(), [](const BatchRow& row) { return !row.project.empty(); });
  const bool withAdjust =
      std::any_of(rows.begin(), rows.end(), [](const BatchRow& row) { return row.adjustedChanges.has_value(); });
  const bool withGoverning =
      std::any_of(rows.begin(), rows.end(), [](const BatchRow& row) { return row.loads.size() > 1; });
  std::vector<CsvRow> table{resultHeader(columns, withProject, withAdjust, withGoverning)};
  table.reserve(rows.size() + 1);
  for (const auto& row : rows) table.push_back(resultRow(row, columns, table.front()));
  return table;
}

std::vector<XlsxColumnStyle> resultColumnStyles(const CsvRow& header) {
  std::vector<XlsxColumnStyle> styles;
  styles.reserve(header.size());
  for (const auto& caption : header) {
    // A spreadsheet's width is in digits: a Chinese character takes about two.
    double width = 2;
    for (const char c : caption) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80) width += 1;
      else if ((byte & 0xC0) == 0xC0) width += 2;
    }
    XlsxColumnStyle style{std::clamp(width, 8.0, 24.0), false, false};
    if (caption == resultMessageCaption) style = {48, true, false};
    if (caption == "柱脚类型") style.width = 20;  // "g11 八锚栓刚接柱脚"
    if (caption == largestRatioCaption) style.twoDecimals = true;
    styles.push_back(style);
  }
  return styles;
}

void adjustRow(BatchRow& row) {
  // A row refused before its calculation ran (a cell, the project block) has no entries to adjust.
  if (row.module == nullptr || !isFailing(row) || row.messages.empty()) return;
  const adjust::SearchResult found = adjust::adjustDesign(*row.module, row.entries, row.loads);
  if (!found.best || !found.best->passes) return;
  const adjust::Proposal& proposal = *found.best;
  std::string changes;
  for (const auto& name : proposal.changed) {
    const std::string text = name == "module"   ? proposal.module->id
                             : name == "cbsize" ? std::string(proposal.entries.cbsize ? "1" : "0")
                                                : proposal.entries.texts.at(name);
    changes += (changes.empty() ? "" : "；") + name + "=" + text;
  }
  row.adjustedChanges = std::move(changes);
  row.adjustedWeight = proposal.weight;
}

}  // namespace pedivo
