// Times each case of a JSON Lines batch on its own, one thread, and prints per base type the
// count, the mean and the slowest cases: the figure that tells whether any single design is slow.
// A case is timed as pedivo-calc runs it, from the line to its output line (the default output);
// with --design, only the design: the case's entries put into a window and "计算" pressed.
//   pedivo_design_times [--design] batch.jsonl [slowest-count]

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/pedivo-calc/calc_case.h"

namespace {

struct Timed {
  double ms;
  std::size_t line;
};

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

int main(int argc, char** argv) {
  const bool designAlone = argc > 1 && std::string(argv[1]) == "--design";
  if (designAlone) {
    --argc;
    ++argv;
  }
  if (argc < 2) {
    std::cerr << "usage: pedivo_design_times [--design] batch.jsonl [slowest-count]\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  const std::size_t shown = argc > 2 ? std::stoul(argv[2]) : 3;
  pedivo::calc::QuickCaseReader reader;
  std::map<std::string, std::vector<Timed>> byType;
  std::string line;
  for (std::size_t number = 1; std::getline(in, line); ++number) {
    // The fastest of three runs, so that a page fault or a scheduler pause is not counted.
    double best = 1e300;
    std::string type = "error";
    for (int run = 0; run < 3; ++run) {
      const auto start = std::chrono::steady_clock::now();
      const auto id = designAlone ? designOnly(reader, line) : pedivo::calc::runCase(line).moduleId;
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      best = std::min(best, took.count());
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
