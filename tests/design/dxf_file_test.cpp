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

}  // namespace
}  // namespace pedivo::drawing
