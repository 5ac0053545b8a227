#include "design/files/report_names.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace pedivo {
namespace {

bool unsafe(unsigned char c) { return c < 0x20 || c == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos; }

std::string lowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Windows opens the device, not a file, for these names, whatever ending follows.
bool deviceName(const std::string& stem) {
  static constexpr std::array<std::string_view, 22> devices{
      "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
      "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  const std::string base = lowerCase(stem.substr(0, stem.find('.')));
  return std::find(devices.begin(), devices.end(), std::string_view(base)) != devices.end();
}

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string safeFileStem(const std::string& id) {
  std::string stem = id;
  for (char& c : stem)
    if (unsafe(static_cast<unsigned char>(c))) c = '_';
  const auto trimmed = [](char c) { return c == ' ' || c == '.'; };
  const auto first = std::find_if_not(stem.begin(), stem.end(), trimmed);
  const auto last = std::find_if_not(stem.rbegin(), stem.rend(), trimmed).base();
  stem = first < last ? std::string(first, last) : std::string();
  if (stem.size() > longestStem) {
    std::size_t cut = longestStem;
    while (cut > 0 && continuationByte(stem[cut])) --cut;
    stem.resize(cut);
    // The cut may leave blanks or dots at the end.
    while (!stem.empty() && trimmed(stem.back())) stem.pop_back();
  }
  if (!stem.empty() && deviceName(stem)) stem.insert(0, "_");
  return stem;
}

std::string ReportNames::next(const std::string& id, std::size_t number, const std::string& ending) {
  std::string stem = safeFileStem(id);
  if (stem.empty()) stem = std::to_string(number);
  std::string name = stem + ending;
  for (std::size_t copy = 2; taken(name); ++copy) name = stem + " (" + std::to_string(copy) + ")" + ending;
  take(name);
  return name;
}

void ReportNames::take(const std::string& fileName) { taken_.insert(lowerCase(fileName)); }

bool ReportNames::taken(const std::string& fileName) const { return taken_.count(lowerCase(fileName)) > 0; }

}  // namespace pedivo
