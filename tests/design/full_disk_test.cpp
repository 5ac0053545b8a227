// Every file format through the one safe writer, on a disk that fills up and under the longest
// names a file system allows. The full disk is the short_disk library preloaded into this test
// program (see tests/CMakeLists.txt): it fails the temporary file's writes from a chosen byte on.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "design/common/design_session.h"
#include "design/common/report_writer.h"
#include "design/drawing/base_drawing.h"
#include "design/drawing/dxf_file.h"
#include "design/files/csv_table.h"
#include "design/files/design_file.h"
#include "design/files/replace_file.h"
#include "design/files/xlsx_table.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

// One output format: its ending and how the program writes it; the reason on failure.
struct Format {
  std::string ending;
  std::function<std::optional<std::string>(const fs::path&)> write;
};

const DesignSession& designedBase() {
  static const DesignSession session = [] {
    DesignSession s(*findModule("g3"));
    s.calculate();
    return s;
  }();
  return session;
}

std::vector<Format> formats() {
  const DesignSession& session = designedBase();
  return {
      {".docx",
       [&session](const fs::path& path) -> std::optional<std::string> {
         const auto written = fillTemplate("g3.docx", session.report(), path, DocumentKind::Document);
         if (const auto* error = std::get_if<ReportError>(&written)) return error->message;
         return std::nullopt;
       }},
      {".pedivo",
       [&session](const fs::path& path) {
         return writeDesignFile(path, session.module(), session.entries(), session.project());
       }},
      {".csv",
       [](const fs::path& path) {
         std::string text(csvByteOrderMark);
         for (int r = 0; r < 400; ++r) appendCsvLine(text, {"g3", std::to_string(r), "满足"});
         return replaceFile(path, text);
       }},
      {".xlsx",
       [](const fs::path& path) {
         std::vector<CsvRow> rows{{"编号", "提示"}};
         for (int r = 0; r < 400; ++r) rows.push_back({std::to_string(r), "满足全部验算"});
         return writeXlsxTable(path, rows, std::vector<bool>(400, false), {});
       }},
      {".dxf",
       [&session](const fs::path& path) {
         return drawing::writeDxf(std::get<drawing::Drawing>(drawing::drawDesign(session)), path);
       }},
  };
}

bool hasChinese(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE4; });
}

class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload == nullptr || std::string(preload).find("short_disk") == std::string::npos)
      GTEST_SKIP() << "needs the short_disk library preloaded, as CTest runs this program";
    folder_ = fs::temp_directory_path() / ("pedivo-full-disk-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    ::unsetenv("PEDIVO_TEST_DISK_BYTES");
    ::unsetenv("PEDIVO_TEST_FAIL");
    fs::remove_all(folder_);
  }
  static std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  fs::path folder_;
};

// At every point of the file (nothing written, a few bytes, half, one byte short) the write is a
// failure told in Chinese, the old file stays byte for byte and no temporary file is left.
TEST_F(FullDisk, EveryFormatFailsWholeAndKeepsTheOldFile) {
  for (const Format& format : formats()) {
    SCOPED_TRACE(format.ending);
    const fs::path target = folder_ / ("old" + format.ending);
    ASSERT_EQ(format.write(target), std::nullopt);
    const std::string old = contents(target);
    for (const std::size_t bytes : {std::size_t{0}, std::size_t{1}, std::size_t{100}, old.size() / 2, old.size() - 1}) {
      SCOPED_TRACE(bytes);
      ::setenv("PEDIVO_TEST_DISK_BYTES", std::to_string(bytes).c_str(), 1);
      const auto failure = format.write(target);
      ::unsetenv("PEDIVO_TEST_DISK_BYTES");
      ASSERT_TRUE(failure.has_value());
      EXPECT_TRUE(hasChinese(*failure)) << *failure;
      EXPECT_EQ(contents(target), old);
      EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);
    }
    // Room for exactly the file: written whole.
    ::setenv("PEDIVO_TEST_DISK_BYTES", std::to_string(old.size()).c_str(), 1);
    EXPECT_EQ(format.write(target), std::nullopt);
    ::unsetenv("PEDIVO_TEST_DISK_BYTES");
    fs::remove(target);
  }
}

// A file system that tells a lost write only at the flush or the close: the same failure.
TEST_F(FullDisk, AFailedFlushOrCloseKeepsTheOldFile) {
  for (const Format& format : formats())
    for (const char* call : {"fsync", "close"}) {
      SCOPED_TRACE(format.ending + " " + call);
      const fs::path target = folder_ / ("old" + format.ending);
      std::ofstream(target) << "the old file";
      ::setenv("PEDIVO_TEST_FAIL", call, 1);
      const auto failure = format.write(target);
      ::unsetenv("PEDIVO_TEST_FAIL");
      ASSERT_TRUE(failure.has_value());
      EXPECT_TRUE(hasChinese(*failure)) << *failure;
      EXPECT_EQ(contents(target), "the old file");
      EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);
      fs::remove(target);
    }
}

// A name of 255 bytes, the most a Linux file system takes: written new, and written again over
// itself, in every format.
TEST(LongestNames, EveryFormatWritesANameOf255Bytes) {
  const fs::path folder = fs::temp_directory_path() / ("pedivo-long-names-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const Format& format : formats()) {
    std::string name;
    while (name.size() + 3 + format.ending.size() <= 255) name += "柱";
    while (name.size() + format.ending.size() < 255) name += "x";
    name += format.ending;
    ASSERT_EQ(name.size(), 255u);
    SCOPED_TRACE(format.ending);
    EXPECT_EQ(format.write(folder / name), std::nullopt);
    EXPECT_EQ(format.write(folder / name), std::nullopt);
    EXPECT_GT(fs::file_size(folder / name), 0u);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 5);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace pedivo
