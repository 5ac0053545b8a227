#include "design/drawing/dxf_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pedivo::drawing {
namespace {

TEST(DxfText, ChineseInTheDrawingCodePageAndTheRestEscaped) {
  EXPECT_EQ(dxfText("L=490"), "L=490");
  EXPECT_EQ(dxfText("轮廓"), "\xC2\xD6\xC0\xAA");
  EXPECT_EQ(dxfText("①"), "\xA2\xD9");
  EXPECT_EQ(dxfText("ÿ"), "\\U+00FF");       // not in GBK
  EXPECT_EQ(dxfText("a😀b"), "a\\U+FFFDb");  // beyond the basic plane
  // A stray byte is one replacement character and takes no neighbour with it; a line break
  // would end the value's line, so it is escaped.
  EXPECT_EQ(dxfText("\x80" "A\xE6\x9F" "B"), "\\U+FFFDA\\U+FFFD\\U+FFFDB");
  EXPECT_EQ(dxfText("a\nb"), "a\\U+000Ab");
}

TEST(DxfFile, AFileThatCannotBeWrittenIsRefusedAndNothingIsLeft) {
  const auto folder = std::filesystem::temp_directory_path() / "pedivo-dxf-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  Drawing d;
  d.textHeight = 10;
  d.polylines.push_back({{{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true, Layer::Outline});
  EXPECT_TRUE(writeDxf(d, folder / "missing" / "a.dxf").has_value());
  ASSERT_EQ(writeDxf(d, folder / "a.dxf"), std::nullopt);
  std::ifstream in(folder / "a.dxf", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("LWPOLYLINE"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // no temporary file left
  std::filesystem::remove_all(folder);
}

// Every group a dimension carries is written from the drawing: the arrow flags too, which the
// DXF library leaves unset. Read back as code/value pairs, both flags are 0 in every dimension.
TEST(DxfFile, DimensionArrowFlagsAreWrittenAsNotFlipped) {
  const auto folder = std::filesystem::temp_directory_path() / "pedivo-dxf-flags-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  Drawing d;
  d.textHeight = 10;
  d.polylines.push_back({{{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true, Layer::Outline});
  d.dimensions.push_back({Axis::Horizontal, {0, 0}, {100, 0}, -20, "100", {50, -20}});
  d.dimensions.push_back({Axis::Vertical, {100, 0}, {100, 50}, 120, "50", {120, 25}});
  ASSERT_EQ(writeDxf(d, folder / "a.dxf"), std::nullopt);
  std::ifstream in(folder / "a.dxf", std::ios::binary);
  std::string code, value;
  int flags = 0;
  bool inDimension = false;
  while (std::getline(in, code) && std::getline(in, value)) {
    const int group = std::stoi(code);
    if (group == 0) inDimension = value.rfind("DIMENSION", 0) == 0;
    if (inDimension && (group == 74 || group == 75)) {
      EXPECT_EQ(std::stoi(value), 0) << "group " << group;
      ++flags;
    }
  }
  EXPECT_EQ(flags, 4);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace pedivo::drawing
