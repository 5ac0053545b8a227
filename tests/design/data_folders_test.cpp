#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "design/files/data_folders.h"
#include "design/files/software_version.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

Environment environment(std::map<std::string, std::string> values) {
  return [values = std::move(values)](std::string_view name) -> std::optional<std::string> {
    const auto found = values.find(std::string(name));
    if (found == values.end()) return std::nullopt;
    return found->second;
  };
}

TEST(DataFolders, FollowTheXdgVariablesAndTheProgramsPrefix) {
  const DataFolders plain = dataFolders(environment({{"HOME", "/home/gong"}}), "/usr/bin");
  EXPECT_EQ(plain.user, fs::path("/home/gong/.local/share/pedivo"));
  EXPECT_EQ(plain.reports, fs::path("/home/gong/.cache/pedivo/reports"));
  EXPECT_EQ(plain.installed, fs::path("/usr/share/pedivo"));
  EXPECT_EQ(plain.program, fs::path("/usr/bin"));
  EXPECT_EQ(userTemplateFolder(plain), fs::path("/home/gong/.local/share/pedivo/templates"));

  const DataFolders moved = dataFolders(
      environment({{"HOME", "/home/gong"}, {"XDG_DATA_HOME", "/data/gong"}, {"XDG_CACHE_HOME", "/fast/cache"}}),
      "/opt/pedivo/bin/");
  EXPECT_EQ(moved.user, fs::path("/data/gong/pedivo"));
  EXPECT_EQ(moved.reports, fs::path("/fast/cache/pedivo/reports"));
  EXPECT_EQ(moved.installed, fs::path("/opt/pedivo/share/pedivo"));  // a trailing slash names the same folder

  // A relative XDG path is not a base folder: the default under HOME stands.
  EXPECT_EQ(dataFolders(environment({{"HOME", "/home/gong"}, {"XDG_DATA_HOME", "data"}}), "/usr/bin").user,
            fs::path("/home/gong/.local/share/pedivo"));
  // Without a home there is no user folder, and the search leaves it out.
  const DataFolders homeless = dataFolders(environment({}), "/usr/bin");
  EXPECT_TRUE(homeless.user.empty());
  EXPECT_EQ(templateSearchPath(homeless), (std::vector<fs::path>{"/usr/share/pedivo/templates", "/usr/bin"}));
}

class TemplateLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pedivo-folders-test-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "prefix/bin");
    folders_ = dataFolders(environment({{"HOME", (root_ / "home").string()}}), root_ / "prefix/bin");
  }
  void TearDown() override { fs::remove_all(root_); }
  static void put(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "template";
  }
  fs::path found(std::string_view name) const { return findDataFile(templateSearchPath(folders_), name); }
  fs::path root_;
  DataFolders folders_;
};

// The user's copy before the installed one before the one beside the program; a template only
// one place has is taken from there.
TEST_F(TemplateLookup, UserFolderThenInstalledFolderThenProgramFolder) {
  const fs::path user = root_ / "home/.local/share/pedivo/templates/j1.docx";
  const fs::path installed = root_ / "prefix/share/pedivo/templates/j1.docx";
  const fs::path beside = root_ / "prefix/bin/j1.docx";
  put(user);
  put(installed);
  put(beside);
  put(root_ / "prefix/bin/gc.docx");
  EXPECT_EQ(found("j1.docx"), user);
  EXPECT_EQ(found("gc.docx"), root_ / "prefix/bin/gc.docx");
  fs::remove(user);
  EXPECT_EQ(found("j1.docx"), installed);
  fs::remove(installed);
  EXPECT_EQ(found("j1.docx"), beside);
  // A folder of the template's name is no template.
  fs::create_directories(root_ / "home/.local/share/pedivo/templates/j1.docx");
  EXPECT_EQ(found("j1.docx"), beside);
  // Found nowhere: the program's own folder is named, where the shipped template was expected.
  EXPECT_EQ(found("g2.docx"), root_ / "prefix/bin/g2.docx");
}

TEST_F(TemplateLookup, DiagramsComeFromTheInstalledFolderThenTheProgramFolder) {
  put(root_ / "prefix/bin/g2.bmp");
  put(root_ / "prefix/share/pedivo/diagrams/gc.bmp");
  put(root_ / "prefix/bin/gc.bmp");
  put(root_ / "home/.local/share/pedivo/templates/g2.bmp");  // not a place for diagrams
  EXPECT_EQ(findDataFile(diagramSearchPath(folders_), "g2.bmp"), root_ / "prefix/bin/g2.bmp");
  EXPECT_EQ(findDataFile(diagramSearchPath(folders_), "gc.bmp"), root_ / "prefix/share/pedivo/diagrams/gc.bmp");
}

// Created on first use with its parents and a note; the user's own note survives a second call.
TEST_F(TemplateLookup, UserTemplateFolderIsCreatedOnceAndKept) {
  const fs::path folder = userTemplateFolder(folders_);
  ASSERT_EQ(makeUserTemplateFolder(folders_), std::nullopt);
  EXPECT_TRUE(fs::is_directory(folder));
  ASSERT_TRUE(fs::is_regular_file(folder / "说明.txt"));
  std::ofstream(folder / "说明.txt") << "mine";
  put(folder / "j1.docx");
  ASSERT_EQ(makeUserTemplateFolder(folders_), std::nullopt);
  std::ifstream note(folder / "说明.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(note), {}), "mine");
  EXPECT_TRUE(fs::exists(folder / "j1.docx"));

  // A file where the folder should be is reported, not overwritten.
  fs::remove_all(folder);
  put(folder);
  const auto refused = makeUserTemplateFolder(folders_);
  ASSERT_TRUE(refused.has_value());
  EXPECT_NE(refused->find("无法建立模板文件夹"), std::string::npos) << *refused;
  EXPECT_TRUE(fs::is_regular_file(folder));

  DataFolders homeless = folders_;
  homeless.user.clear();
  EXPECT_TRUE(makeUserTemplateFolder(homeless).has_value());
}

TEST_F(TemplateLookup, OnlyOldReportsAreRemoved) {
  const fs::path folder = root_ / "reports";
  put(folder / "j1-20261201-080000.dotx");
  put(folder / "g2-20261209-170000.dotx");
  put(folder / "keep.txt");
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(folder / "j1-20261201-080000.dotx", now - std::chrono::hours(24 * 8));
  fs::last_write_time(folder / "keep.txt", now - std::chrono::hours(24 * 8));
  removeOldReports(folder, now, std::chrono::hours(24 * 7));
  EXPECT_FALSE(fs::exists(folder / "j1-20261201-080000.dotx"));
  EXPECT_TRUE(fs::exists(folder / "g2-20261209-170000.dotx"));
  EXPECT_TRUE(fs::exists(folder / "keep.txt"));
  removeOldReports(root_ / "no-such-folder", now, std::chrono::hours(1));  // nothing to do, no failure
}

TEST(SoftwareVersion, NamesTheProjectVersionAndTheTimeOfWriting) {
  const std::string version(softwareVersion());
  EXPECT_EQ(version.rfind(PEDIVO_PROJECT_VERSION, 0), 0u) << version;
  // From a checkout the commit follows in brackets; from an archive the version stands alone.
  EXPECT_TRUE(version == PEDIVO_PROJECT_VERSION || version.find(" (git ") == std::string(PEDIVO_PROJECT_VERSION).size())
      << version;

  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 0;
  when.tm_mday = 5;
  when.tm_hour = 7;
  when.tm_min = 3;
  EXPECT_EQ(timeText(when), "2026-01-05 07:03");

  const auto tags = writingTags(std::time(nullptr));
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[0].tag, "<#version>");
  EXPECT_EQ(tags[0].text, version);
  EXPECT_EQ(tags[1].tag, "<#time>");
  EXPECT_EQ(tags[1].text.size(), std::string("2026-01-05 07:03").size());
}

}  // namespace
}  // namespace pedivo
