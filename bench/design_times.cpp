// Times each case of a JSON Lines batch on its own, one thread, and prints per base type the
// count, the mean and the slowest cases: the figure that tells whether any single design is slow.
// A case is timed as pedivo-calc runs it, from the line to its output line (the default output);
// with --design, only the design: the case's entries put into a window and "计算" pressed; with
// --adjust, the case with its 自动调整 search, as `pedivo-calc --adjust` runs it (timed once: a
// search is long enough). Times are the thread's processor time, so that other programs on a
// shared machine do not count.
//   pedivo_design_times [--design | --adjust] batch.jsonl [slowest-count]

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/pedivo-calc/calc_case.h"

namespace {

struct Timed {
  double ms;
  std::size_t line;
};

// Processor time of this thread, in milliseconds.
double threadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

}  // namespace

// The design alone: the entries read into the window of the line's base type and "计算" pressed.
// A line the quick reading leaves to the general one is timed whole.
std::optional<std::string> designOnly(pedivo::calc::QuickCaseReader& reader, const std::string& line) {
  if (pedivo::DesignSession* session = reader.read(line)) {
    session->calculate();
    return session->module().id;
  }
  return pedivo::calc::runCase(line).moduleId;
}

// The case as `pedivo-calc --adjust` runs it: its output line with the 自动调整 proposal.
std::optional<std::string> withAdjusting(pedivo::calc::QuickCaseReader& reader, const std::string& line) {
  pedivo::calc::TextBuffer out;
  pedivo::calc::appendCase(line, out, reader, {.adjust = true});
  constexpr std::string_view key = R"({"module":")";
  const std::string_view text = out.view();
  if (!text.starts_with(key)) return std::nullopt;
  const std::size_t start = key.size();
  return std::string(text.substr(start, text.find('"', start) - start));
}

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const bool designAlone = mode == "--design";
  const bool adjusting = mode == "--adjust";
  if (designAlone || adjusting) {
    --argc;
    ++argv;
  }
  if (argc < 2) {
    std::cerr << "usage: pedivo_design_times [--design | --adjust] batch.jsonl [slowest-count]\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  const std::size_t shown = argc > 2 ? std::stoul(argv[2]) : 3;
  pedivo::calc::QuickCaseReader reader;
  std::map<std::string, std::vector<Timed>> byType;
  std::string line;
  for (std::size_t number = 1; std::getline(in, line); ++number) {
    // The fastest of three runs, so that a page fault or a cache filled by another program is not counted.
    double best = 1e300;
    std::string type = "error";
    for (int run = 0; run < (adjusting ? 1 : 3); ++run) {
      const double start = threadMilliseconds();
      const auto id = designAlone ? designOnly(reader, line)
                      : adjusting ? withAdjusting(reader, line)
                                  : pedivo::calc::runCase(line).moduleId;
      best = std::min(best, threadMilliseconds() - start);
      if (id) type = *id;
    }
    byType[type].push_back({best, number});
  }
  for (auto& [type, times] : byType) {
    double sum = 0;
    for (const auto& t : times) sum += t.ms;
    std::sort(times.begin(), times.end(), [](const Timed& a, const Timed& b) { return a.ms > b.ms; });
    std::cout << type << ": " << times.size() << " cases, mean " << sum / times.size() << " ms, slowest";
    for (std::size_t i = 0; i < std::min(shown, times.size()); ++i)
      std::cout << ' ' << times[i].ms << " ms (line " << times[i].line << ')';
    std::cout << '\n';
  }
}
