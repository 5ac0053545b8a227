#pragma once
// The project a design belongs to: the block on the first page of a report (工程名称, 工程编号,
// 构件编号, 设计, 校对, 审核, 日期). Free texts, each optional; an empty one leaves a blank.
// Saved with a design file, given in a pedivo-calc case as "project": {"name": …} and in a
// batch table as columns of the same names.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/common/module.h"

namespace pedivo {

struct Project {
  std::string name;      // 工程名称
  std::string number;    // 工程编号
  std::string member;    // 构件编号
  std::string designer;  // 设计
  std::string checker;   // 校对
  std::string approver;  // 审核
  std::string date;      // 日期

  bool empty() const;
  bool operator==(const Project&) const = default;
};

// One item of the block: its key in files and tables, its caption, and where it is kept.
struct ProjectField {
  std::string_view key;      // "name"
  std::string_view caption;  // "工程名称"
  std::string_view tag;      // "<#project.name>"
  std::string Project::*text;
};

inline constexpr std::array<ProjectField, 7> projectFields{{
    {"name", "工程名称", "<#project.name>", &Project::name},
    {"number", "工程编号", "<#project.number>", &Project::number},
    {"member", "构件编号", "<#project.member>", &Project::member},
    {"designer", "设计", "<#project.designer>", &Project::designer},
    {"checker", "校对", "<#project.checker>", &Project::checker},
    {"approver", "审核", "<#project.approver>", &Project::approver},
    {"date", "日期", "<#project.date>", &Project::date},
}};

const ProjectField* findProjectField(std::string_view key);

// A longer text is no caption of a project; it would also push the block off the first page.
inline constexpr std::size_t longestProjectText = 200;  // characters

// Sets one item by its key; the reason (naming the item by its caption) when the key is unknown
// or the text too long.
std::optional<std::string> setProjectText(Project& project, std::string_view key, std::string text);

// "<#project.name>" … with their texts, in the order of projectFields.
std::vector<TagText> projectTags(const Project& project);

}  // namespace pedivo
