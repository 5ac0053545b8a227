// What a checker reads of each check: the formula with its numbers beside every verdict, for
// every base type on its default design and on one that fails; the templates that show it; and a
// failing verdict that stands out in red bold.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <pugixml.hpp>
#include <regex>
#include <sstream>

#include "design/common/design_check.h"
#include "design/common/design_session.h"
#include "design/common/numbers.h"
#include "design/common/report_writer.h"
#include "design/common/tables.h"
#include "package_part.h"

namespace pedivo {
namespace {

struct Design {
  std::string name;
  std::string module;
  std::map<std::string, std::string> texts;
  bool fails;  // some check of the design fails
};

void PrintTo(const Design& d, std::ostream* os) { *os << d.name; }

class CheckValues : public ::testing::TestWithParam<Design> {};

// Every check of the design has its numbers written out, holding its demand and its limit in the
// digits of the summary table, with the relation the two stand in.
TEST_P(CheckValues, EveryCheckShowsItsNumbersAsTheSummaryPrintsThem) {
  const Design& design = GetParam();
  DesignSession session(*findModule(design.module));
  for (const auto& [control, text] : design.texts) ASSERT_FALSE(session.setText(control, text)) << control;
  session.calculate();
  ASSERT_TRUE(session.designed());
  const auto& checks = session.checksWithValues();
  ASSERT_FALSE(checks.empty());
  bool failed = false;
  for (const DesignCheck& check : checks) {
    SCOPED_TRACE(check.id + ": " + check.values);
    if (check.unnumbered) continue;  // a part the design does without: nothing to compare
    const CheckNumbers numbers = checkNumbers(check);
    EXPECT_NE(check.values.find(numbers.demand), std::string::npos);
    EXPECT_NE(check.values.find(numbers.limit), std::string::npos);
    // The demand's formula is followed by its numbers: a symbol alone would not let anyone redo it.
    EXPECT_NE(check.values.find(" = "), std::string::npos);
    const bool within = check.demand <= check.limit;
    EXPECT_NE(check.values.find(within ? " ≤ " : " > "), std::string::npos);
    EXPECT_EQ(check.values.find(within ? " > " : " ≤ "), std::string::npos);
    failed = failed || !check.ok();
  }
  EXPECT_EQ(failed, design.fails);

  // The report gives the same line under the check's tag.
  std::map<std::string, std::string> tags;
  for (const auto& tag : session.report()) tags.emplace(tag.tag, tag.text);
  for (const DesignCheck& check : checks)
    EXPECT_EQ(tags.at("<#" + check.id + ".values>"), check.unnumbered ? "—" : check.values);
}

INSTANTIATE_TEST_SUITE_P(
    AllBaseTypes, CheckValues,
    ::testing::Values(
        Design{"TwoBoltDefault", "j1", {}, false},
        Design{"TwoBoltFlangeAndWeldFail", "j1", {{"EdtN", "3000"}, {"EdtV", "100"}}, true},
        Design{"FourBoltDefault", "j2", {}, false},
        Design{"FourBoltFlangeAndWeldFail", "j2", {{"EdtN", "3000"}, {"EdtV", "100"}}, true},
        Design{"EightBoltDefaultBoltPanelGoverns", "g11", {}, false},
        Design{"EightBoltFlangeAndLayoutFail", "g11", {{"EdtM", "900"}, {"EdtN", "300"}}, true},
        Design{"EightBoltWithinKern", "g11", {{"EdtM", "10"}, {"EdtN", "1000"}}, false},
        Design{"TenBoltDefaultLayoutFails", "g12", {}, true},
        // More shear than the largest key carries.
        Design{"EightBoltShearKeyFails", "g11", {{"EdtV", "500"}}, true},
        Design{"TenBoltFlangeWebWeldAndLayoutFail", "g12", {{"EdtM", "900"}, {"EdtN", "300"}}, true},
        Design{"TShapedDefault", "g2", {}, false},
        Design{"TShapedBoltSpacingFails", "g2", {{"Edtbf", "150"}}, true},
        Design{"ChannelDefault", "g3", {}, false},
        // The boot-beam weld leg a hair under its need, within its rounding: stated in legs.
        Design{"ChannelBootBeamWeldWithinRounding", "g3",
               {{"EdtM", "160"}, {"EdtN", "500"}, {"EdtV", "50"}, {"Edttf", "10"}}, false},
        Design{"EmbeddedDefault", "gc", {}, false},
        // The insertion depth is grown until it holds, so nothing fails; under tension the depth
        // for N does not govern and its line still reads.
        Design{"EmbeddedUnderTension", "gc", {{"EdtN", "-500"}, {"EdtM", "600"}}, false}),
    [](const ::testing::TestParamInfo<Design>& info) { return info.param.name; });

// The numbers of the working lines are those the values line puts in: the eight-bolt default,
// whose plate is governed by the bolt between stiffener and flange.
TEST(CheckValues, TheGoverningBranchIsTheOneWrittenOut) {
  DesignSession session(*findModule("g11"));
  session.calculate();
  std::map<std::string, std::string> tags;
  for (const auto& tag : session.report()) tags.emplace(tag.tag, tag.text);
  const auto plate = std::find_if(session.checks().begin(), session.checks().end(),
                                  [](const DesignCheck& c) { return c.id == "plate"; });
  ASSERT_NE(plate, session.checks().end());
  EXPECT_EQ(plate->values,
            "所需厚度 tpbt = max(tpbt1, tpbt2) = max(" + tags.at("<#tpbt1>") + ", " + tags.at("<#tpbt2>") +
                ") = 26.02 mm ≤ 板厚 t + 0.1 = 26 + 0.1 = 26.1 mm（含板厚取整容差 0.1 mm）");
  // c = 80 < a = 90: the cube goes on a.
  EXPECT_EQ(tags.at("<#tpbt1values>").rfind("√(6·Nta·c·a³/(c³·la + a³·lc)/f) = √(6×81.701×10³×80×90³/", 0), 0u);
  EXPECT_EQ(tags.at("<#la1values>"), "min(a·(3.5 − 1.5a/(a + lt)), c + bt) = min(90×(3.5 − 1.5×90/(90 + 80)), 80 + 80)");
  EXPECT_EQ(tags.at("<#la1>"), "160");
}

// Before a design is complete there are no numbers to put in: a stopped calculation keeps values
// that no check may be read against.
TEST(CheckValues, AReportWithoutACompletedDesignWritesNoNumbers) {
  DesignSession session(*findModule("g11"));
  session.setText("EdtM", "50");
  session.setText("EdtN", "-500");  // axial tension within the bolt rows stops the design
  session.calculate();
  ASSERT_FALSE(session.designed());
  std::map<std::string, std::string> tags;
  for (const auto& tag : session.report()) tags.emplace(tag.tag, tag.text);
  EXPECT_EQ(tags.at("<#bearing.values>"), "—");
  EXPECT_EQ(tags.at("<#bearing.check>"), "未计算");
}

// The bearing line follows the eccentricity case that applied, and so does the bolt tension.
TEST(CheckValues, TheBearingLineIsTheFormulaOfItsEccentricityCase) {
  const struct {
    const char* module;
    const char* M;
    const char* N;
    const char* bearing;
    const char* tension;
  } cases[] = {
      {"g11", "10", "1000", "σc = N·(1 + 6e/L)/(L·B) = 1000×10³×(1 + 6×10/680)/(680×400) = ", "受压区未及受拉锚栓，Ta"},
      {"g11", "120", "1000", "σc = 2N/[3·(L/2 − e)·B] = 2×1000×10³/[3×(680/2 − 120)×400] = ", "受压区未及受拉锚栓，Ta"},
      {"g11", "160", "80", "σc = σmax = N/(B·L) + 6M/(B·L²) = 80×10³/(500×790) + 6×160×10⁶/(500×790²) = ",
       "σmax,min = N/(B·L) ± 6M/(B·L²) = 3.278，(−2.873) N/mm²；"},
      // Bolts of 60 and more: the compressed zone from the equilibrium with the bolt row.
      {"g12", "900", "300", "σc = 2N·(e + L/2 − lt)/[B·xn·(L − lt − xn/3)] = 2×300×10³×(3000 + 1000/2 − 125)/",
       "Ta = (e − L/2 + xn/3)·N/(L − lt − xn/3) = (3000 − 1000/2 + 321.97/3)×300/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.module) + " M " + c.M + " N " + c.N);
    DesignSession session(*findModule(c.module));
    session.setText("EdtM", c.M);
    session.setText("EdtN", c.N);
    session.calculate();
    std::map<std::string, std::string> tags;
    for (const auto& tag : session.report()) tags.emplace(tag.tag, tag.text);
    EXPECT_EQ(tags.at("<#bearing.values>").rfind(c.bearing, 0), 0u) << tags.at("<#bearing.values>");
    EXPECT_EQ(tags.at("<#tavalues>").rfind(c.tension, 0), 0u) << tags.at("<#tavalues>");
  }
}

// A number printed twice reads the same both times: the friction in the text and in the summary.
TEST(CheckValues, TheFrictionReadsAsInTheSummary) {
  DesignSession session(*findModule("j1"));
  session.setText("EdtN", "1523.456");
  session.calculate();
  std::map<std::string, std::string> tags;
  for (const auto& tag : session.report()) tags.emplace(tag.tag, tag.text);
  EXPECT_EQ(tags.at("<#Vfb>"), "609.38");
  EXPECT_EQ(tags.at("<#shear.limit>"), "609.38 kN");
}

// ---- the templates ---------------------------------------------------------------------------

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The readable source of a shipped template, with the words the eight- and ten-bolt reports
// differ in (they are given to the template tool in the build file).
std::string templateSource(const ModuleDescriptor& module) {
  const std::filesystem::path reports = PEDIVO_REPORTS_DIR;
  const std::string stem = std::filesystem::path(module.templateFile).stem().string();
  if (stem == "g11" || stem == "g12") return readFile(reports / "rigid_plate.txt") + readFile(reports / "CMakeLists.txt");
  return readFile(reports / (stem + ".txt"));
}

// Every check's numbers are printed next to its verdict, on the same line.
TEST(CheckValues, EveryTemplateSourceShowsEveryChecksNumbersBesideItsVerdict) {
  for (const ModuleDescriptor* module : allModules()) {
    SCOPED_TRACE(module->id);
    DesignSession session(*module);
    session.calculate();
    const std::string source = templateSource(*module);
    ASSERT_FALSE(source.empty());
    for (const DesignCheck& check : session.checks()) {
      const std::string values = "<#" + check.id + ".values>";
      const std::regex line("(^|\\n|=)>[^\\n]*" + std::regex_replace(values, std::regex("[.]"), "\\.") +
                            "，<#" + check.id + "\\.check>");
      EXPECT_TRUE(std::regex_search(source, line)) << check.id;
    }
  }
}

// The built templates keep every table row on one page, repeat the header row, and fit the text
// width of an A4 page with its margins.
TEST(CheckValues, TemplateTablesKeepTheirRowsAndFitThePage) {
  constexpr int textWidth = 11906 - 2 * 1304;
  for (const ModuleDescriptor* module : allModules()) {
    SCOPED_TRACE(module->id);
    const auto xml = testing::packagePart(module->templateFile, "word/document.xml");
    ASSERT_TRUE(xml.has_value());
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml->c_str()));
    int tables = 0;
    for (const auto& found : doc.select_nodes("//w:tbl")) {
      const pugi::xml_node table = found.node();
      ++tables;
      int columns = 0;
      for (pugi::xml_node column : table.child("w:tblGrid").children("w:gridCol")) columns += column.attribute("w:w").as_int();
      EXPECT_LE(columns, textWidth);
      EXPECT_LE(table.child("w:tblPr").child("w:tblW").attribute("w:w").as_int(), textWidth);
      EXPECT_STREQ(table.child("w:tblPr").child("w:tblLayout").attribute("w:type").value(), "fixed");
      // The project block on the first page is captions beside values, with no header row.
      const bool projectBlock = std::string(table.select_node(".//w:t").node().child_value()) == "工程名称";
      bool first = !projectBlock;
      for (pugi::xml_node row : table.children("w:tr")) {
        EXPECT_TRUE(row.child("w:trPr").child("w:cantSplit"));
        EXPECT_EQ(static_cast<bool>(row.child("w:trPr").child("w:tblHeader")), first) << projectBlock;
        first = false;
      }
    }
    EXPECT_GE(tables, 3);
  }
}

// ---- 不满足 in red bold ----------------------------------------------------------------------

struct FilledRun {
  std::string text;
  bool bold;
  std::string colour;
};

std::vector<FilledRun> runsOf(const std::string& xml) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
  std::vector<FilledRun> runs;
  for (const auto& found : doc.select_nodes("//w:r")) {
    const pugi::xml_node run = found.node();
    const pugi::xml_node properties = run.child("w:rPr");
    runs.push_back({run.child("w:t").text().get(), static_cast<bool>(properties.child("w:b")),
                    properties.child("w:color").attribute("w:val").value()});
  }
  return runs;
}

std::string paragraphWith(const std::string& runs) {
  return R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body><w:p>)" +
         runs + "</w:p></w:body></w:document>";
}

TEST(CheckValues, AFailingVerdictIsFilledInRedBoldAndTheRestOfItsRunStaysAsItWas) {
  const std::string xml = paragraphWith(
      R"(<w:r><w:rPr><w:rFonts w:ascii="Arial"/><w:sz w:val="18"/></w:rPr><w:t>验算：&lt;#weld.check&gt;。</w:t></w:r>)");
  const auto filled = fillPartXml(xml, {{"<#weld.check>", "不满足（利用率 1.26）"}}, "word/document.xml");
  ASSERT_TRUE(std::holds_alternative<std::string>(filled));
  const std::string& out = std::get<std::string>(filled);
  const std::vector<FilledRun> runs = runsOf(out);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, "验算：");
  EXPECT_FALSE(runs[0].bold);
  EXPECT_EQ(runs[1].text, "不满足");
  EXPECT_TRUE(runs[1].bold);
  EXPECT_EQ(runs[1].colour, "FF0000");
  EXPECT_EQ(runs[2].text, "（利用率 1.26）。");
  EXPECT_FALSE(runs[2].bold);
  EXPECT_EQ(runs[2].colour, "");
  // Bold and colour take their places among the run's own properties: Word reads them in order.
  EXPECT_NE(out.find(R"(<w:rFonts w:ascii="Arial"/><w:b/><w:color w:val="FF0000"/><w:sz w:val="18"/>)"),
            std::string::npos)
      << out;
}

// Text of the template itself is left as written, and a verdict that passes is not marked.
TEST(CheckValues, OnlyFilledFailuresAreMarked) {
  const std::string xml = paragraphWith(
      "<w:r><w:t>此时上列验算显示“不满足”：</w:t></w:r><w:r><w:t>&lt;#a.check&gt;、&lt;#b.check&gt;</w:t></w:r>");
  const auto filled =
      fillPartXml(xml, {{"<#a.check>", "满足（利用率 0.50）"}, {"<#b.check>", "不满足（利用率 1.01）"}}, "word/document.xml");
  const std::vector<FilledRun> runs = runsOf(std::get<std::string>(filled));
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].text, "此时上列验算显示“不满足”：");
  EXPECT_FALSE(runs[0].bold);
  EXPECT_EQ(runs[1].text, "满足（利用率 0.50）、");
  EXPECT_FALSE(runs[1].bold);
  EXPECT_EQ(runs[2].text, "不满足");
  EXPECT_TRUE(runs[2].bold);
  EXPECT_EQ(runs[3].text, "（利用率 1.01）");
}

// A whole report of a failing design: every 不满足 it prints is red bold.
TEST(CheckValues, EveryFailureOfAFilledReportIsRedBold) {
  DesignSession session(*findModule("j1"));
  session.setText("EdtN", "3000");
  session.setText("EdtV", "100");
  session.calculate();
  const auto xml = testing::packagePart(session.module().templateFile, "word/document.xml");
  ASSERT_TRUE(xml.has_value());
  const auto filled = fillPartXml(*xml, session.report(), "word/document.xml");
  int failures = 0;
  for (const FilledRun& run : runsOf(std::get<std::string>(filled))) {
    if (run.text.find("不满足") == std::string::npos) continue;
    // The note under the welds names the word in quotes; it is the template's own text.
    if (run.text.find("“不满足”") != std::string::npos) continue;
    EXPECT_EQ(run.text, "不满足");
    EXPECT_TRUE(run.bold);
    EXPECT_EQ(run.colour, "FF0000");
    ++failures;
  }
  // Two checks, each in its section and in the summary table, and the summary sentence.
  EXPECT_EQ(failures, 5);
}

}  // namespace
}  // namespace pedivo
