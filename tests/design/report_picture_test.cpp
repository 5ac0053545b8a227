#include "design/common/report_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "design/common/design_session.h"
#include "design/common/report_writer.h"
#include "tests/design/package_part.h"

namespace pedivo {
namespace {

namespace fs = std::filesystem;

const std::string fakePng = std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\0pixels", 7);

class ShippedTemplatePicture : public ::testing::TestWithParam<const char*> {
 protected:
  fs::path fill(const std::optional<ReportPicture>& picture) {
    const ModuleDescriptor& module = *findModule(GetParam());
    DesignSession session(module);
    session.calculate();
    // A file of this test alone: ctest runs the two tests of one template side by side, and the
    // tests of another build may run at the same time.
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(test.begin(), test.end(), '/', '-');
    const fs::path out = fs::temp_directory_path() / ("pedivo-picture-" + test + "-" +
                                                      std::to_string(std::random_device{}()) + ".docx");
    const auto written = fillTemplate(module.templateFile, session.report(), out, DocumentKind::Document, picture);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(written));
    return out;
  }
};

// Runs from the program's folder, where the templates are built.
TEST_P(ShippedTemplatePicture, TheDrawingFollowsTheResultsTable) {
  const fs::path out = fill(ReportPicture{fakePng, 150, 90});
  const std::optional<std::string> part = testing::packagePart(out, "word/document.xml");
  ASSERT_TRUE(part.has_value()) << "no report written: run from the folder the templates are built in";
  const std::string& document = *part;
  EXPECT_EQ(document.find("&lt;#drawing&gt;"), std::string::npos);
  const auto picture = document.find("<w:drawing>");
  ASSERT_NE(picture, std::string::npos);
  EXPECT_EQ(document.find("<w:drawing>", picture + 1), std::string::npos);  // one picture
  EXPECT_GT(picture, document.rfind("</w:tbl>"));
  EXPECT_NE(document.find("cx=\"5400000\" cy=\"3240000\""), std::string::npos);  // 150 × 90 mm
  EXPECT_NE(document.find("r:embed=\"rIdPedivoDrawing\""), std::string::npos);
  EXPECT_EQ(testing::packagePart(out, "word/media/pedivo-drawing.png"), fakePng);
  EXPECT_NE(testing::packagePart(out, "word/_rels/document.xml.rels")->find("Target=\"media/pedivo-drawing.png\""),
            std::string::npos);
  EXPECT_NE(testing::packagePart(out, "[Content_Types].xml")->find("Extension=\"png\""), std::string::npos);
  fs::remove(out);
}

TEST_P(ShippedTemplatePicture, WithoutADrawingTheTagsParagraphGoes) {
  const fs::path out = fill(std::nullopt);
  const std::optional<std::string> part = testing::packagePart(out, "word/document.xml");
  ASSERT_TRUE(part.has_value()) << "no report written: run from the folder the templates are built in";
  const std::string& document = *part;
  EXPECT_EQ(document.find("drawing"), std::string::npos);
  EXPECT_FALSE(testing::packagePart(out, "word/media/pedivo-drawing.png").has_value());
  fs::remove(out);
}

INSTANTIATE_TEST_SUITE_P(EveryTemplate, ShippedTemplatePicture,
                         ::testing::Values("j1", "j2", "g11", "g12", "g2", "g3", "gc"));

struct Package {
  std::map<std::string, std::string> parts;
  PackageParts access() {
    return [this](const std::string& name) -> std::string& { return parts[name]; };
  }
};

const char* documentWith(const char* body) {
  static std::string xml;
  xml = std::string("<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                    "wordprocessingml/2006/main\"><w:body>") +
        body + "</w:body></w:document>";
  return xml.c_str();
}

TEST(PlacePicture, OnlyAParagraphOfTheTagAloneBecomesThePicture) {
  Package p;
  // The tag split over runs, in upper case, with blanks round it; and once inside a sentence.
  p.parts["word/document.xml"] = documentWith(
      "<w:p><w:r><w:t xml:space=\"preserve\"> &lt;#DRA</w:t></w:r><w:r><w:t>WING&gt; </w:t></w:r></w:p>"
      "<w:p><w:r><w:t>见 &lt;#drawing&gt; 所示</w:t></w:r></w:p>");
  p.parts["word/_rels/document.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";
  p.parts["[Content_Types].xml"] = "<Types><Default Extension=\"PNG\" ContentType=\"image/png\"/></Types>";
  ASSERT_EQ(placePicture(p.access(), ReportPicture{fakePng, 10, 5}), std::nullopt);
  const std::string& doc = p.parts["word/document.xml"];
  EXPECT_NE(doc.find("<w:jc w:val=\"center\"/>"), std::string::npos);
  EXPECT_NE(doc.find("xmlns:wp="), std::string::npos);
  EXPECT_NE(doc.find("见 &lt;#drawing&gt; 所示"), std::string::npos);
  EXPECT_EQ(doc.find("DRA"), std::string::npos);
  // The package already names PNG: no second content type.
  EXPECT_EQ(p.parts["[Content_Types].xml"].find("Extension=\"png\""), std::string::npos);
}

TEST(PlacePicture, ADocumentWithoutTheTagGainsNoParts) {
  Package p;
  p.parts["word/document.xml"] = documentWith("<w:p><w:r><w:t>计算书</w:t></w:r></w:p>");
  const std::string before = p.parts["word/document.xml"];
  ASSERT_EQ(placePicture(p.access(), ReportPicture{fakePng, 10, 5}), std::nullopt);
  EXPECT_EQ(p.parts.size(), 1u);
  EXPECT_EQ(p.parts["word/document.xml"], before);
}

TEST(PlacePicture, ABrokenRelationshipPartIsTold) {
  Package p;
  p.parts["word/document.xml"] = documentWith("<w:p><w:r><w:t>&lt;#drawing&gt;</w:t></w:r></w:p>");
  p.parts["word/_rels/document.xml.rels"] = "<Relationships";
  const auto problem = placePicture(p.access(), ReportPicture{fakePng, 10, 5});
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find("document.xml.rels"), std::string::npos);
}

}  // namespace
}  // namespace pedivo
