#pragma once
// A picture in a report: a paragraph of the document holding nothing but the picture's tag becomes
// that picture, at its size on the page. The picture arrives as image bytes; what draws it lives
// outside the engine.

#include <functional>
#include <optional>
#include <string>

namespace pedivo {

inline constexpr const char* drawingTag = "<#drawing>";

struct ReportPicture {
  std::string png;           // the image file
  double widthMm = 0, heightMm = 0;  // on the page
  std::string caption = {};  // the paragraph under the picture; none when empty
};

// A package part's bytes by its name, added empty when the package has no such part. A call may
// move the parts handed out by earlier calls.
using PackageParts = std::function<std::string&(const std::string& name)>;

// Puts the picture in place of each paragraph of word/document.xml whose text is the tag alone,
// its caption in a paragraph of the same layout under it (kept on the picture's page), and adds
// the image, its relationship and the PNG content type. Without a picture such paragraphs
// are taken out, so no bare tag is left in the report. Returns what went wrong (Chinese).
std::optional<std::string> placePicture(const PackageParts& parts, const std::optional<ReportPicture>& picture);

}  // namespace pedivo
