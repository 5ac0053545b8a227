#include "design/files/software_version.h"

#include <cstdio>

#include "build_version.h"

namespace pedivo {

std::string_view softwareVersion() { return PEDIVO_BUILD_VERSION; }

std::string timeText(const std::tm& when) {
  char text[64];  // room for any int the fields may hold
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", when.tm_year + 1900, when.tm_mon + 1, when.tm_mday,
                when.tm_hour, when.tm_min);
  return text;
}

std::vector<TagText> writingTags(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return {{"<#version>", std::string(softwareVersion())}, {"<#time>", timeText(local)}};
}

}  // namespace pedivo
