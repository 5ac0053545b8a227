#include "design/common/report_writer.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <sstream>

namespace pedivo {
namespace {

namespace fs = std::filesystem;

constexpr const char* documentType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
constexpr const char* templateType = "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
// A real report part is at most a few MB; anything far beyond is a broken or hostile file.
constexpr std::size_t maximumPartSize = 64u << 20;
constexpr std::size_t maximumPackageSize = 256u << 20;
constexpr zip_int64_t maximumParts = 10000;

constexpr unsigned xmlParseFlags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata;

std::string quoted(const fs::path& path) { return "“" + path.string() + "”"; }

// ---- text of the inserted values ---------------------------------------------------------

// Keeps the characters XML can hold; drops control characters and broken UTF-8.
std::string xmlSafe(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      length = 1, code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07;
    } else {
      ++i;
      continue;
    }
    bool valid = i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && code >= minimum[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    const bool allowed = code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code != 0xFFFE && code != 0xFFFF);
    if (valid && allowed) out.append(text, i, length);
    i += valid ? length : 1;
  }
  return out;
}

// ---- finding tags in the text of a paragraph ----------------------------------------------

bool isWordCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || std::isalnum(u) != 0;
}

std::string lowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Whole-word matches of tag in text, as byte offsets, without regard to letter case. Where a
// match begins (ends) with a letter or digit, the character before (after) it must not be one.
std::vector<std::size_t> findWholeWord(const std::string& text, const std::string& tag) {
  std::vector<std::size_t> found;
  if (tag.empty()) return found;
  const std::string haystack = lowerAscii(text);
  const std::string needle = lowerAscii(tag);
  std::size_t from = 0;
  while (from < haystack.size()) {
    const std::size_t at = haystack.find(needle, from);
    if (at == std::string::npos) break;
    const std::size_t end = at + needle.size();
    const bool startsClean = !isWordCharacter(needle.front()) || at == 0 || !isWordCharacter(haystack[at - 1]);
    const bool endsClean = !isWordCharacter(needle.back()) || end == haystack.size() || !isWordCharacter(haystack[end]);
    if (startsClean && endsClean) {
      found.push_back(at);
      from = end;
    } else {
      from = at + 1;
    }
  }
  return found;
}

// The text nodes (w:t) of a paragraph, without those of paragraphs nested inside it (text boxes).
// Walked with an explicit stack: a template may nest elements as deep as it likes.
void collectTextNodes(pugi::xml_node paragraph, std::vector<pugi::xml_node>& out) {
  std::vector<pugi::xml_node> pending;
  for (pugi::xml_node child = paragraph.last_child(); child; child = child.previous_sibling()) pending.push_back(child);
  while (!pending.empty()) {
    const pugi::xml_node node = pending.back();
    pending.pop_back();
    if (node.type() != pugi::node_element) continue;
    const std::string_view name = node.name();
    if (name == "w:p") continue;
    if (name == "w:t") {
      out.push_back(node);
      continue;
    }
    for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling()) pending.push_back(child);
  }
}

void setRunText(pugi::xml_node textNode, const std::string& text) {
  textNode.text().set(text.c_str());
  pugi::xml_attribute space = textNode.attribute("xml:space");
  if (!space) space = textNode.append_attribute("xml:space");
  space.set_value("preserve");
}

// Replaces one tag everywhere in one paragraph. Returns whether anything changed.
bool replaceInParagraph(pugi::xml_node paragraph, const std::string& tag, const std::string& replacement) {
  std::vector<pugi::xml_node> nodes;
  collectTextNodes(paragraph, nodes);
  if (nodes.empty()) return false;
  std::vector<std::string> texts;
  std::string joined;
  for (pugi::xml_node node : nodes) {
    texts.emplace_back(node.text().get());
    joined += texts.back();
  }
  const std::vector<std::size_t> matches = findWholeWord(joined, tag);
  if (matches.empty()) return false;

  // From the last match back, so earlier offsets stay valid.
  for (auto m = matches.rbegin(); m != matches.rend(); ++m) {
    const std::size_t begin = *m;
    const std::size_t last = begin + tag.size() - 1;  // last byte of the match
    std::size_t first = 0, firstOffset = 0, final = 0, finalOffset = 0, start = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const std::size_t end = start + texts[i].size();
      if (begin >= start && begin < end) first = i, firstOffset = begin - start;
      if (last >= start && last < end) final = i, finalOffset = last - start;
      start = end;
    }
    if (first == final) {
      texts[first] = texts[first].substr(0, firstOffset) + replacement + texts[first].substr(finalOffset + 1);
    } else {
      texts[first] = texts[first].substr(0, firstOffset) + replacement;
      for (std::size_t i = first + 1; i < final; ++i) texts[i].clear();
      texts[final] = texts[final].substr(finalOffset + 1);
    }
  }
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (texts[i] != nodes[i].text().get()) setRunText(nodes[i], texts[i]);
  return true;
}

std::string serialize(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
  return out.str();
}

// ---- the package ------------------------------------------------------------------------

struct Entry {
  std::string name;
  std::string data;
};

bool isTextPart(const std::string& name) {
  if (name == "word/document.xml" || name == "word/footnotes.xml" || name == "word/endnotes.xml") return true;
  const auto startsWith = [&](const char* prefix) { return name.rfind(prefix, 0) == 0; };
  const bool xml = name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0;
  return xml && name.find('/', 5) == std::string::npos && (startsWith("word/header") || startsWith("word/footer"));
}

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

std::variant<std::vector<Entry>, ReportError> readPackage(const fs::path& templatePath) {
  std::error_code ec;
  if (!fs::exists(templatePath, ec)) return ReportError{"找不到计算书模板文件" + quoted(templatePath)};
  int error = 0;
  ZipHandle archive(zip_open(templatePath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
  if (!archive) {
    if (error == ZIP_ER_OPEN || error == ZIP_ER_READ)
      return ReportError{"无法读取计算书模板文件" + quoted(templatePath)};
    return ReportError{"计算书模板文件" + quoted(templatePath) + "不是有效的Word文档"};
  }
  std::vector<Entry> entries;
  std::set<std::string> names;
  std::size_t totalSize = 0;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  if (count > maximumParts) return ReportError{"计算书模板文件" + quoted(templatePath) + "的部件过多，不是有效的计算书模板"};
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0 || stat.name == nullptr)
      return ReportError{"计算书模板文件" + quoted(templatePath) + "已损坏"};
    Entry entry{stat.name, {}};
    if (!names.insert(entry.name).second)
      return ReportError{"计算书模板文件" + quoted(templatePath) + "含有重复的部件“" + entry.name + "”"};
    // The sizes in the zip directory are claims: refuse what no report needs before reading,
    // and count what is actually inflated while reading.
    const auto tooLarge = [&] {
      return ReportError{"计算书模板文件" + quoted(templatePath) + "的部件“" + entry.name + "”过大，不是有效的计算书模板"};
    };
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > maximumPartSize) return tooLarge();
    zip_file_t* file = zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0);
    if (file == nullptr) return ReportError{"计算书模板文件" + quoted(templatePath) + "的部件“" + entry.name + "”无法读取"};
    std::array<char, 65536> chunk;
    zip_int64_t read = 0;
    while ((read = zip_fread(file, chunk.data(), chunk.size())) > 0) {
      if (entry.data.size() + static_cast<std::size_t>(read) > maximumPartSize ||
          totalSize + entry.data.size() + static_cast<std::size_t>(read) > maximumPackageSize) {
        zip_fclose(file);
        return tooLarge();
      }
      entry.data.append(chunk.data(), static_cast<std::size_t>(read));
    }
    zip_fclose(file);
    if (read < 0 || ((stat.valid & ZIP_STAT_SIZE) != 0 && entry.data.size() != stat.size))
      return ReportError{"计算书模板文件" + quoted(templatePath) + "的部件“" + entry.name + "”无法读取"};
    totalSize += entry.data.size();
    entries.push_back(std::move(entry));
  }
  if (names.count("word/document.xml") == 0 || names.count("[Content_Types].xml") == 0)
    return ReportError{"计算书模板文件" + quoted(templatePath) + "不是有效的Word文档"};
  return entries;
}

std::optional<ReportError> setMainContentType(std::string& xml, DocumentKind kind, const fs::path& templatePath) {
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size(), xmlParseFlags, pugi::encoding_utf8))
    return ReportError{"计算书模板文件" + quoted(templatePath) + "的部件“[Content_Types].xml”已损坏"};
  const char* wanted = kind == DocumentKind::Template ? templateType : documentType;
  bool changed = false;
  for (pugi::xml_node override : doc.child("Types").children("Override")) {
    const std::string type = override.attribute("ContentType").value();
    if ((type == documentType || type == templateType) && type != wanted) {
      override.attribute("ContentType").set_value(wanted);
      changed = true;
    }
  }
  if (changed) xml = serialize(doc);
  return std::nullopt;
}

std::optional<ReportError> writePackage(const std::vector<Entry>& entries, const fs::path& outputPath) {
  const auto failure = [&](const std::string& why) {
    return ReportError{"无法写入计算书文件" + quoted(outputPath) + "：" + why};
  };
  int error = 0;
  ZipHandle archive(zip_open(outputPath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
  if (!archive) {
    zip_error_t zipError;
    zip_error_init_with_code(&zipError, error);
    const std::string why = zip_error_strerror(&zipError);
    zip_error_fini(&zipError);
    return failure(why);
  }
  for (const Entry& entry : entries) {
    const bool isFolder = !entry.name.empty() && entry.name.back() == '/';
    if (isFolder) {
      if (zip_dir_add(archive.get(), entry.name.c_str(), ZIP_FL_ENC_UTF_8) < 0) return failure(zip_strerror(archive.get()));
      continue;
    }
    zip_source_t* source = zip_source_buffer(archive.get(), entry.data.data(), entry.data.size(), 0);
    if (source == nullptr) return failure(zip_strerror(archive.get()));
    if (zip_file_add(archive.get(), entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(source);
      return failure(zip_strerror(archive.get()));
    }
  }
  // libzip writes a temporary file beside the target and renames it only when complete.
  if (zip_close(archive.get()) != 0) return failure(zip_strerror(archive.get()));
  archive.release();
  return std::nullopt;
}

std::string timeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y%m%d-%H%M%S", &local);
  return buffer;
}

// Claims a new file name in folder by creating it exclusively; the caller fills it.
std::variant<fs::path, ReportError> claimNewFile(const fs::path& folder, const std::string& stem) {
  const std::string base = stem + "-" + timeStamp();
  for (int n = 1; n <= 1000; ++n) {
    std::string name = base;
    if (n > 1) name.append("-").append(std::to_string(n));
    const fs::path candidate = folder / name.append(".dotx");
    std::FILE* file = std::fopen(candidate.c_str(), "wx");
    if (file != nullptr) {
      std::fclose(file);
      return candidate;
    }
    if (errno != EEXIST) return ReportError{"无法在文件夹" + quoted(folder) + "中写入计算书：" + std::strerror(errno)};
  }
  return ReportError{"无法在文件夹" + quoted(folder) + "中为计算书找到新的文件名"};
}

}  // namespace

std::variant<std::string, ReportError> fillPartXml(const std::string& xml, const std::vector<TagText>& tags,
                                                   const std::string& partName) {
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size(), xmlParseFlags, pugi::encoding_utf8))
    return ReportError{"部件“" + partName + "”已损坏"};
  std::vector<pugi::xml_node> paragraphs;
  for (pugi::xpath_node found : doc.select_nodes("//w:p")) paragraphs.push_back(found.node());
  bool changed = false;
  for (const TagText& tag : tags) {
    const std::string replacement = xmlSafe(tag.text);
    for (pugi::xml_node paragraph : paragraphs) changed = replaceInParagraph(paragraph, tag.tag, replacement) || changed;
  }
  if (!changed) return xml;
  std::string out = serialize(doc);
  pugi::xml_document check;
  if (!check.load_buffer(out.data(), out.size(), xmlParseFlags, pugi::encoding_utf8))
    return ReportError{"部件“" + partName + "”填写后不是有效的XML"};
  return out;
}

namespace {

// The package's parts by name for placing a picture; a part asked for and missing is added.
PackageParts partsOf(std::vector<Entry>& entries) {
  return [&entries](const std::string& name) -> std::string& {
    for (Entry& entry : entries)
      if (entry.name == name) return entry.data;
    entries.push_back({name, {}});
    return entries.back().data;
  };
}

// Whatever went wrong (memory, the file system) ends the report command with its message; it
// never ends the program.
ReportError unexpectedFailure(const fs::path& templatePath, const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
    return ReportError{"计算书模板文件" + quoted(templatePath) + "过大，内存不足，无法生成计算书"};
  return ReportError{"无法由计算书模板文件" + quoted(templatePath) + "生成计算书：" + error.what()};
}

// The template's parts with every tag filled, ready to be written.
std::variant<std::vector<Entry>, ReportError> filledPackage(const fs::path& templatePath,
                                                            const std::vector<TagText>& tags, DocumentKind kind,
                                                            const std::optional<ReportPicture>& picture) {
  auto package = readPackage(templatePath);
  if (auto* error = std::get_if<ReportError>(&package)) return *error;
  auto& entries = std::get<std::vector<Entry>>(package);
  // The picture first: its paragraph holds a tag that is not filled with text.
  if (auto problem = placePicture(partsOf(entries), picture))
    return ReportError{"计算书模板文件" + quoted(templatePath) + "的" + *problem};
  for (Entry& entry : entries) {
    if (entry.name == "[Content_Types].xml") {
      if (auto error = setMainContentType(entry.data, kind, templatePath)) return *error;
    } else if (isTextPart(entry.name)) {
      auto filled = fillPartXml(entry.data, tags, entry.name);
      if (auto* error = std::get_if<ReportError>(&filled))
        return ReportError{"计算书模板文件" + quoted(templatePath) + "的" + error->message};
      entry.data = std::move(std::get<std::string>(filled));
    }
  }
  return package;
}

}  // namespace

std::variant<std::monostate, ReportError> fillTemplate(const fs::path& templatePath, const std::vector<TagText>& tags,
                                                      const fs::path& outputPath, DocumentKind kind,
                                                      const std::optional<ReportPicture>& picture) try {
  auto package = filledPackage(templatePath, tags, kind, picture);
  if (auto* error = std::get_if<ReportError>(&package)) return *error;
  if (auto error = writePackage(std::get<std::vector<Entry>>(package), outputPath)) return *error;
  return std::monostate{};
} catch (const std::exception& error) {
  return unexpectedFailure(templatePath, error);
}

std::variant<fs::path, ReportError> writeReport(const fs::path& templatePath, const std::vector<TagText>& tags,
                                                const fs::path& folder, const std::optional<ReportPicture>& picture) try {
  // Fill in memory first, so a broken template is told as such and no file is claimed for it.
  auto package = filledPackage(templatePath, tags, DocumentKind::Template, picture);
  if (auto* error = std::get_if<ReportError>(&package)) return *error;
  auto claimed = claimNewFile(folder, templatePath.stem().string());
  if (auto* error = std::get_if<ReportError>(&claimed)) return *error;
  const fs::path outputPath = std::get<fs::path>(claimed);
  if (auto error = writePackage(std::get<std::vector<Entry>>(package), outputPath)) {
    std::error_code ignored;
    fs::remove(outputPath, ignored);
    return *error;
  }
  return outputPath;
} catch (const std::exception& error) {
  return unexpectedFailure(templatePath, error);
}

}  // namespace pedivo
