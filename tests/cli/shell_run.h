#pragma once
// A command line run through the shell, as a user runs pedivo-calc: its standard output, its
// standard error kept apart, and its exit status; and a fresh folder a test for its files.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace pedivo::cli_testing {

struct ShellRun {
  std::string out;
  std::string err;
  int status = -1;
};

inline ShellRun shell(const std::string& command) {
  std::string err = (std::filesystem::temp_directory_path() / "pedivo-calc-err-XXXXXX").string();
  const int fd = ::mkstemp(err.data());
  if (fd >= 0) ::close(fd);
  ShellRun run;
  FILE* pipe = ::popen((command + " 2>'" + err + "'").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[65536];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, read);
  run.status = WEXITSTATUS(::pclose(pipe));
  std::ifstream in(err);
  run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::filesystem::remove(err);
  return run;
}

// A test with a folder of its own, made before and removed after, for the files it writes.
class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (std::filesystem::temp_directory_path() / "pedivo-calc-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    folder_ = name;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return (folder_ / name).string();
  }
  std::filesystem::path folder_;
};

}  // namespace pedivo::cli_testing
