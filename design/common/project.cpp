#include "design/common/project.h"

#include <algorithm>

namespace pedivo {
namespace {

// Characters, not bytes: a Chinese name is three bytes a character.
std::size_t characterCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

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
