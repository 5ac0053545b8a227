#pragma once
// Fills a calculation-report template (an Office Open XML word-processing package) with the
// tag texts of a calculation. The template is only read; the filled copy is a new file.

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "design/common/module.h"
#include "design/common/report_picture.h"

namespace pedivo {

struct ReportError {
  std::string message;  // Chinese, names the file and the problem
};

enum class DocumentKind {
  Document,  // .docx: opens as the document itself
  Template,  // .dotx: the word processor opens a new untitled document from it
};

// Replaces every tag of the table, in table order, in one XML part of a package. Letters match
// without regard to case and only as a whole word; a tag split over several runs of a paragraph
// is found too and the text goes into the run where the tag begins. Returns the new XML text, or
// the same text when no tag occurs. A part that is not well-formed XML gives an error.
std::variant<std::string, ReportError> fillPartXml(const std::string& xml, const std::vector<TagText>& tags,
                                                   const std::string& partName);

// Writes the filled copy of templatePath to outputPath. No partial file is left on failure. The
// picture, if any, takes the place of the paragraphs that hold only its tag (report_picture.h).
std::variant<std::monostate, ReportError> fillTemplate(const std::filesystem::path& templatePath,
                                                      const std::vector<TagText>& tags,
                                                      const std::filesystem::path& outputPath, DocumentKind kind,
                                                      const std::optional<ReportPicture>& picture = std::nullopt);

// Writes the filled copy as a Word template into folder under a new name that starts with the
// template's name; never overwrites a file. Returns the path written.
std::variant<std::filesystem::path, ReportError> writeReport(const std::filesystem::path& templatePath,
                                                            const std::vector<TagText>& tags,
                                                            const std::filesystem::path& folder,
                                                            const std::optional<ReportPicture>& picture = std::nullopt);

}  // namespace pedivo
