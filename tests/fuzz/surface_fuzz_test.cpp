// Seeded fuzzing of what a user reaches through 自动调整, DXF drawings, the project block and
// entries typed after "计算": no crash, no hang, no value that is not finite, no file clobbered,
// and every proposal designs again to what it promised. Each loop runs PEDIVO_FUZZ_SECONDS (one
// second by default) or PEDIVO_FUZZ_CASES cases, whichever ends first, from PEDIVO_FUZZ_SEED, and
// prints how many cases it ran and the slowest.

#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "calc_case.h"
#include "design/adjust/adjust.h"
#include "design/common/calculation.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"
#include "design/common/report_writer.h"
#include "design/drawing/base_drawing.h"
#include "design/drawing/dxf_file.h"
#include "design/files/batch.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double environmentNumber(const char* name, double otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::atof(text) : otherwise;
}

// The processor time this thread has used: a case's own time, whatever else the machine runs.
double threadSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// How long a loop runs, and its slowest case. A case that takes more processor time than
// PEDIVO_FUZZ_HANG_SECONDS (3 s) is a hang; the clock time is reported beside it.
class Budget {
 public:
  explicit Budget(const char* loop)
      : loop_(loop),
        deadline_(Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(environmentNumber("PEDIVO_FUZZ_SECONDS", 1)))),
        most_(static_cast<long>(environmentNumber("PEDIVO_FUZZ_CASES", 1e12))),
        hang_(environmentNumber("PEDIVO_FUZZ_HANG_SECONDS", 3)) {}
  ~Budget() {
    std::printf("%s: %ld cases, slowest %.3f s of processor time (%.3f s on the clock)\n", loop_, cases_, slowest_,
                slowestClock_);
    std::fflush(stdout);
  }
  bool more() const { return cases_ < most_ && Clock::now() < deadline_; }
  // Times one case; false when it took longer than a hang.
  template <class F>
  bool time(F&& run) {
    const auto start = Clock::now();
    const double startCpu = threadSeconds();
    run();
    const double seconds = threadSeconds() - startCpu;
    slowest_ = std::max(slowest_, seconds);
    slowestClock_ = std::max(slowestClock_, std::chrono::duration<double>(Clock::now() - start).count());
    ++cases_;
    return seconds <= hang_;
  }

 private:
  const char* loop_;
  Clock::time_point deadline_;
  long most_;
  double hang_;
  long cases_ = 0;
  double slowest_ = 0;
  double slowestClock_ = 0;
};

std::mt19937 seeded(unsigned loop) {
  return std::mt19937(static_cast<unsigned>(environmentNumber("PEDIVO_FUZZ_SEED", 20261209)) + loop);
}

template <class T>
const T& pick(std::mt19937& random, const std::vector<T>& from) {
  return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

// Entries of a real column base, often too weak for their forces: sections, forces, grades and
// plate sizes drawn around the defaults.
void drawEntries(std::mt19937& random, DesignSession& session) {
  const ModuleDescriptor& module = session.module();
  const auto scale = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
  for (const auto& group : module.groups)
    for (const auto& control : group.controls) {
      if (control.isList()) {
        if (random() % 3 == 0) session.setText(control.name, pick(random, control.items));
        continue;
      }
      const auto base = parseNumber(control.defaultText);
      if (!base || random() % 2 == 0) continue;
      const bool force = control.name == "EdtN" || control.name == "EdtV" || control.name == "EdtM";
      session.setText(control.name, formatGeneral(std::round(*base * (force ? scale(0.2, 12) : scale(0.6, 1.8)))));
    }
  if (module.hasDetailingToggle) session.setCbsize(random() % 2 == 0);
}

bool allFinite(const std::vector<DesignCheck>& checks) {
  for (const auto& check : checks)
    if (!std::isfinite(check.demand) || !std::isfinite(check.limit)) return false;
  return true;
}

// Equal, or both no number (the ratio of a check that does not govern).
bool sameNumber(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// The changes as the batch writes them ("Edtsizea=95；cbsize=0").
std::string changesText(const adjust::Proposal& proposal) {
  std::string text;
  for (const auto& name : proposal.changed)
    text += (text.empty() ? "" : "；") + name + "=" +
            (name == "module"   ? proposal.module->id
             : name == "cbsize" ? std::string(proposal.entries.cbsize ? "1" : "0")
                                : proposal.entries.texts.at(name));
  return text;
}

// No size of a proposal, passing or the nearest miss, lies under the detailing value of the bolt
// its own design ends with.
void expectAtOrAboveDetailing(const adjust::Proposal& proposal) {
  if (proposal.entries.cbsize) return;
  DesignSession designed(*proposal.module);
  for (const auto& [control, text] : proposal.entries.texts) designed.setText(control, text);
  designed.setCbsize(false);
  if (designed.calculate().ending != Ending::Completed) return;
  double dms = 0;
  for (const auto& value : designed.values())
    if (value.name == "dms") dms = std::get<double>(value.value);
  const auto detailing = adjust::detailingSizes(static_cast<int>(dms));
  ASSERT_TRUE(detailing.has_value()) << "bolt " << dms;
  const char* sizes[] = {"Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt"};
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_GE(std::stod(proposal.entries.texts.at(sizes[i])), (*detailing)[i]) << sizes[i] << " of bolt " << dms;
}

// 自动调整: a proposal designs again to what it promised (passing, its weight, its checks), the
// same search gives the same proposal, and a batch row of the same entries proposes the same.
TEST(SurfaceFuzz, ProposalsDesignAgainToTheirOutcome) {
  std::mt19937 random = seeded(1);
  Budget budget("adjust");
  const std::vector<const ModuleDescriptor*> adjustable{findModule("j1"),  findModule("j2"), findModule("g11"),
                                                        findModule("g12"), findModule("g2"), findModule("g3")};
  while (budget.more() && !HasFailure()) {
    const ModuleDescriptor& module = *pick(random, adjustable);
    DesignSession session(module);
    drawEntries(random, session);
    const Outcome outcome = session.calculate();
    if (outcome.ending != Ending::Completed || adjust::passes(outcome, session.checks())) continue;
    adjust::SearchResult found;
    ASSERT_TRUE(budget.time([&] { found = adjust::adjustDesign(module, session.entries()); })) << module.id;
    if (!found.best) continue;
    const adjust::Proposal& proposal = *found.best;
    SCOPED_TRACE(module.id + " " + changesText(proposal));
    expectAtOrAboveDetailing(proposal);
    if (!proposal.passes) continue;
    ASSERT_TRUE(std::isfinite(proposal.weight) && proposal.weight > 0);
    ASSERT_TRUE(allFinite(proposal.checks));

    DesignSession again(*proposal.module);
    for (const auto& [control, text] : proposal.entries.texts) again.setText(control, text);
    again.setCbsize(proposal.entries.cbsize);
    const Outcome redesigned = again.calculate();
    EXPECT_TRUE(adjust::passes(redesigned, again.checks()));
    EXPECT_EQ(again.weight(), proposal.weight);
    ASSERT_EQ(again.checks().size(), proposal.checks.size());
    for (std::size_t k = 0; k < proposal.checks.size(); ++k)
      EXPECT_TRUE(sameNumber(again.checks()[k].ratio(), proposal.checks[k].ratio())) << proposal.checks[k].id;

    const adjust::SearchResult repeated = adjust::adjustDesign(module, session.entries());
    ASSERT_TRUE(repeated.best.has_value());
    EXPECT_EQ(repeated.best->entries.texts, proposal.entries.texts);
    EXPECT_EQ(repeated.candidates, found.candidates);

    // The batch row of the window's entries before "计算".
    CsvRow header{"module", "cbsize"}, cells{module.id, session.entries().cbsize ? "1" : "0"};
    for (const auto& [control, text] : session.entries().texts) {
      header.push_back(control);
      cells.push_back(text);
    }
    BatchRow row = designRow(header, cells, 0);
    adjustRow(row);
    ASSERT_TRUE(row.adjustedChanges.has_value());
    EXPECT_EQ(*row.adjustedChanges, changesText(proposal));
    EXPECT_EQ(formatWeight(*row.adjustedWeight), formatWeight(proposal.weight));
  }
}

// A DXF drawing of any completed design: finite everywhere, a file of whole group-code and value
// lines ending with EOF. Written over an old file on a disk that may fill up at any byte: the
// file is either the whole new drawing or the old one, byte for byte.
TEST(SurfaceFuzz, DrawingsAreWholeFilesOrNone) {
  std::mt19937 random = seeded(2);
  Budget budget("dxf");
  const fs::path folder = fs::temp_directory_path() / ("pedivo-dxf-fuzz-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path target = folder / "plan.dxf";
  const char* preload = std::getenv("LD_PRELOAD");
  const bool shortDisk = preload != nullptr && std::string(preload).find("short_disk") != std::string::npos;
  std::string old = "the old plan\n";
  std::ofstream(target) << old;
  while (budget.more() && !HasFailure()) {
    DesignSession session(*pick(random, allModules()));
    drawEntries(random, session);
    if (session.calculate().ending != Ending::Completed) continue;
    const auto drawn = drawing::drawDesign(session);
    if (!std::holds_alternative<drawing::Drawing>(drawn)) continue;
    const drawing::Drawing& d = std::get<drawing::Drawing>(drawn);
    const drawing::Extent e = d.extent();
    ASSERT_TRUE(std::isfinite(e.width()) && std::isfinite(e.height())) << session.module().id;
    const std::size_t room = std::uniform_int_distribution<std::size_t>(0, 120000)(random);
    if (shortDisk && random() % 2 == 0) ::setenv("PEDIVO_TEST_DISK_BYTES", std::to_string(room).c_str(), 1);
    std::optional<std::string> failure;
    ASSERT_TRUE(budget.time([&] { failure = drawing::writeDxf(d, target); }));
    ::unsetenv("PEDIVO_TEST_DISK_BYTES");
    std::ifstream in(target, std::ios::binary);
    const std::string now{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (failure) {
      ASSERT_EQ(now, old) << *failure;
      continue;
    }
    ASSERT_TRUE(now.ends_with("  0\nEOF\n")) << session.module().id;
    ASSERT_EQ(now.find("nan"), std::string::npos);
    ASSERT_EQ(now.find("inf"), std::string::npos);
    old = now;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);  // no temporary file
  fs::remove_all(folder);
}

// Texts a careless or hostile user may give: emoji, combining marks, controls, quotes and markup,
// right-to-left marks, long runs.
std::string hostileText(std::mt19937& random) {
  static const std::vector<std::string> pieces{
      "KZ-1",   "工程", "😀",  "e\u0301", "\u202E", "\u200B", "<w:t>",         "&amp;",
      "]]>",    "\"",   "\\", "\n",      "\t",     "\u0007", "\u007F",        "\u0085",
      "\uFEFF", " ",    "١٢", "𠀀",      "\u0000", "Q345",   "GB 50017-2017", "'",
      "=1+1",   "a",    "%s", "\r\n",    "\u2028", "﷽",      "\uFFFF"};
  std::string text;
  const int count = std::uniform_int_distribution<int>(0, random() % 8 == 0 ? 260 : 12)(random);
  for (int i = 0; i < count; ++i) text += pick(random, pieces);
  return text;
}

// A text node's characters, its five XML escapes read back in one pass.
std::string unescaped(const std::string& xml) {
  static const std::vector<std::pair<std::string, char>> escapes{
      {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&amp;", '&'}};
  std::string text;
  for (std::size_t i = 0; i < xml.size();) {
    const auto found = std::find_if(escapes.begin(), escapes.end(),
                                    [&](const auto& e) { return xml.compare(i, e.first.size(), e.first) == 0; });
    if (found == escapes.end()) {
      text += xml[i++];
    } else {
      text += found->second;
      i += found->first.size();
    }
  }
  return text;
}

// A case line with a hostile project block and "after" edits, some of them not entries at all.
std::string hostileCase(std::mt19937& random) {
  const ModuleDescriptor& module = *pick(random, allModules());
  nlohmann::json line{{"module", module.id}};
  if (random() % 4 != 0) {
    nlohmann::json project = nlohmann::json::object();
    for (const auto& field : projectFields)
      if (random() % 2 == 0) project[std::string(field.key)] = hostileText(random);
    if (random() % 10 == 0) project["title"] = "x";
    line["project"] = project;
  }
  if (random() % 2 == 0) {
    nlohmann::json after = nlohmann::json::object();
    std::vector<std::string> names{"cbsize", "CBcode", "nosuch"};
    for (const auto& group : module.groups)
      for (const auto& control : group.controls) names.push_back(control.name);
    for (int i = std::uniform_int_distribution<int>(0, 4)(random); i > 0; --i) {
      const std::string& name = pick(random, names);
      switch (random() % 5) {
        case 0:
          after[name] = random() % 2 == 0;
          break;
        case 1:
          after[name] = pick(random, std::vector<std::string>{"GB 50017-2003", "GB 50017-2017", "Q355", "Q345"});
          break;
        case 2:
          after[name] = hostileText(random);
          break;
        default:
          after[name] = std::to_string(std::uniform_int_distribution<int>(-50, 3000)(random));
      }
    }
    line["after"] = after;
  }
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Whatever the project block and the after edits hold, a case gives one JSON line that reads back,
// with finite numbers; a project text that is taken is kept whole in the report, character for
// character; the quick reading of usual lines gives what the general reading gives.
TEST(SurfaceFuzz, HostileProjectAndAfterTextsLoseNothing) {
  std::mt19937 random = seeded(3);
  Budget budget("project and after");
  calc::QuickCaseReader reader;
  while (budget.more() && !HasFailure()) {
    const std::string line = hostileCase(random);
    calc::CaseResult result;
    ASSERT_TRUE(budget.time([&] { result = calc::runCase(line, true, random() % 8 == 0); })) << line;
    nlohmann::json out;
    ASSERT_NO_THROW(out = nlohmann::json::parse(result.output)) << result.output;
    ASSERT_EQ(result.output.find("NaN"), std::string::npos);
    calc::TextBuffer quick;
    calc::appendCase(line, quick, reader);
    ASSERT_EQ(quick.str(), result.output + "\n") << line;
    if (out.contains("error")) continue;
    const nlohmann::json input = nlohmann::json::parse(line);
    if (!input.contains("project")) continue;
    std::vector<TagText> tags;
    for (const auto& [key, text] : input["project"].items()) {
      const ProjectField* field = findProjectField(key);
      ASSERT_NE(field, nullptr);
      tags.push_back({std::string(field->tag), text.get<std::string>()});
    }
    for (const TagText& tag : tags) {
      const std::string xml = R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
                              "<w:body><w:p><w:r><w:t>&lt;" +
                              tag.tag.substr(1, tag.tag.size() - 2) + "&gt;</w:t></w:r></w:p></w:body></w:document>";
      const auto filled = fillPartXml(xml, {tag}, "word/document.xml");
      ASSERT_TRUE(std::holds_alternative<std::string>(filled)) << std::get<ReportError>(filled).message << "\n" << xml;
      std::string shown = std::get<std::string>(filled);
      const auto from = shown.find("<w:t");
      shown = shown.substr(shown.find('>', from) + 1);
      shown = shown.substr(0, shown.find("</w:t>"));
      ASSERT_EQ(unescaped(shown), tag.text) << tag.tag;
    }
  }
}

}  // namespace
}  // namespace pedivo
