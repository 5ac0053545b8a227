#pragma once
// Which build of Pedivo wrote a file, and when: a checker asks both of a report.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "design/common/module.h"

namespace pedivo {

// The project's version, with the commit when built from a git checkout: "1.0 (git 77d73fe1a2)";
// "1.0" alone from a source archive.
std::string_view softwareVersion();

// "2026-12-09 18:40" of a broken-down time: minutes are what a report's reader compares.
std::string timeText(const std::tm& when);

// The report's first page: <#version> (软件版本) and <#time> (计算时间, the local time given).
std::vector<TagText> writingTags(std::time_t when);

}  // namespace pedivo
