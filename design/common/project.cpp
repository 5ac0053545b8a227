#include "design/common/project.h"

#include <algorithm>

#include "design/common/utf8_text.h"

namespace pedivo {

bool Project::empty() const {
  return std::all_of(projectFields.begin(), projectFields.end(),
                     [this](const ProjectField& field) { return (this->*field.text).empty(); });
}

const ProjectField* findProjectField(std::string_view key) {
  const auto found = std::find_if(projectFields.begin(), projectFields.end(),
                                  [key](const ProjectField& field) { return field.key == key; });
  return found == projectFields.end() ? nullptr : &*found;
}

std::optional<std::string> setProjectText(Project& project, std::string_view key, std::string text) {
  const ProjectField* field = findProjectField(key);
  if (field == nullptr) return "项目信息中没有“" + std::string(key) + "”一项";
  const std::string caption(field->caption);
  if (!isWellFormedUtf8(text) || hasNoncharacter(text)) return "项目信息“" + caption + "”含有无法识别的字符（应为 UTF-8 文字）";
  // The block is a table of one-line cells: a line break would be shown as a blank, a tab or
  // another control character not at all. Refused, so that nothing is lost without a word.
  if (hasControlCharacter(text)) return "项目信息“" + caption + "”含有换行或其他控制字符，只能是一行文字";
  if (characterCount(text) > longestProjectText)
    return "项目信息“" + std::string(field->caption) + "”过长（最多 " + std::to_string(longestProjectText) +
           " 个字符）";
  project.*field->text = std::move(text);
  return std::nullopt;
}

std::vector<TagText> projectTags(const Project& project) {
  std::vector<TagText> tags;
  tags.reserve(projectFields.size());
  for (const auto& field : projectFields)
    tags.push_back({std::string(field.tag), project.*field.text});
  return tags;
}

}  // namespace pedivo
