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
#include <system_error>

#include "design/common/paragraph_filler.h"
#include "design/common/system_reason.h"
#include "design/files/replace_file.h"
#include <set>

namespace pedivo {
namespace {

namespace fs = std::filesystem;

constexpr const char* documentType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
constexpr const char* templateType = "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
// Limits of a template, so that the largest one accepted fills in about a second and under
// 200 MB. A shipped template's text parts are some 60 KB with 4,000 elements; a user's template
// may carry pictures, which are copied as they are. The parts holding text are read into a
// document tree of about 60 bytes an element, so they are limited by their bytes and by their
// markup (each '<' opens or closes an element, each '=' gives an attribute), a hundred times a
// real report.
constexpr std::size_t maximumPartSize = 32u << 20;
constexpr std::size_t maximumPackageSize = 64u << 20;
constexpr zip_int64_t maximumParts = 10000;
constexpr std::size_t maximumTextBytes = 16u << 20;
constexpr std::size_t maximumTextMarkup = 600000;

constexpr unsigned xmlParseFlags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata;

std::string quoted(const fs::path& path) { return "“" + path.string() + "”"; }

// Straight into one string: a stream would hold a second copy of a part of tens of megabytes.
struct StringWriter final : pugi::xml_writer {
  std::string text;
  void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
};

std::string serialize(const pugi::xml_document& doc) {
  StringWriter out;
  doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
  return std::move(out.text);
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

// Inflates one part into `entry.data`. The sizes in the zip directory are claims: what no report
// needs is refused before reading, and what is actually inflated is counted while reading.
std::optional<ReportError> inflatePart(zip_t* archive, zip_int64_t i, const zip_stat_t& stat, Entry& entry,
                                       std::size_t totalSize, const fs::path& templatePath) {
  const auto tooLarge = [&] {
    return ReportError{"计算书模板文件" + quoted(templatePath) + "的部件“" + entry.name + "”过大，不是有效的计算书模板"};
  };
  if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > maximumPartSize) return tooLarge();
  zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
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
  return std::nullopt;
}

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
  std::size_t textBytes = 0;
  std::size_t textMarkup = 0;
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
    if (auto refused = inflatePart(archive.get(), i, stat, entry, totalSize, templatePath)) return *refused;
    totalSize += entry.data.size();
    if (isTextPart(entry.name) || entry.name == "[Content_Types].xml") {
      textBytes += entry.data.size();
      textMarkup += static_cast<std::size_t>(
          std::count_if(entry.data.begin(), entry.data.end(), [](char c) { return c == '<' || c == '='; }));
      if (textBytes > maximumTextBytes || textMarkup > maximumTextMarkup)
        return ReportError{"计算书模板文件" + quoted(templatePath) + "的文字过多（部件“" + entry.name +
                           "”处超过限度），不是有效的计算书模板"};
    }
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

// Why libzip failed, in the user's words: the system's reason where the system refused.
std::string zipReason(zip_error_t* error) {
  if (zip_error_code_zip(error) == ZIP_ER_MEMORY) return "内存不足";
  if (zip_error_system_type(error) == ZIP_ET_SYS) return systemReason(zip_error_code_system(error));
  return "写入文件时出错";
}

// The package as the bytes of a zip archive, built in memory so that the one safe writer writes
// every byte of it and checks each write; the reason on failure.
std::optional<std::string> packageBytes(const std::vector<Entry>& entries, std::string& bytes) {
  const auto failure = [](const std::string& why) { return std::optional<std::string>(why); };
  zip_error_t openError;
  zip_error_init(&openError);
  zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &openError);
  if (memory == nullptr) {
    const std::string why = zipReason(&openError);
    zip_error_fini(&openError);
    return failure(why);
  }
  // Kept past zip_close, which writes the finished archive into it.
  zip_source_keep(memory);
  const std::unique_ptr<zip_source_t, decltype(&zip_source_free)> kept(memory, zip_source_free);
  ZipHandle archive(zip_open_from_source(memory, ZIP_CREATE | ZIP_TRUNCATE, &openError));
  if (!archive) {
    zip_source_free(memory);  // the reference zip_open_from_source did not take
    const std::string why = zipReason(&openError);
    zip_error_fini(&openError);
    return failure(why);
  }
  zip_error_fini(&openError);
  for (const Entry& entry : entries) {
    const bool isFolder = !entry.name.empty() && entry.name.back() == '/';
    if (isFolder) {
      if (zip_dir_add(archive.get(), entry.name.c_str(), ZIP_FL_ENC_UTF_8) < 0) return failure(zipReason(zip_get_error(archive.get())));
      continue;
    }
    zip_source_t* source = zip_source_buffer(archive.get(), entry.data.data(), entry.data.size(), 0);
    if (source == nullptr) return failure(zipReason(zip_get_error(archive.get())));
    const zip_int64_t added = zip_file_add(archive.get(), entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (added < 0) {
      zip_source_free(source);
      return failure(zipReason(zip_get_error(archive.get())));
    }
    // Pictures and other binary parts are compressed already: stored as they are, a large picture
    // is copied instead of squeezed again for nothing.
    const bool markup = entry.name.ends_with(".xml") || entry.name.ends_with(".rels");
    if (!markup && zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(added), ZIP_CM_STORE, 0) != 0)
      return failure(zipReason(zip_get_error(archive.get())));
  }
  if (zip_close(archive.get()) != 0) return failure(zipReason(zip_get_error(archive.get())));
  archive.release();
  zip_stat_t size;
  zip_stat_init(&size);
  if (zip_source_stat(memory, &size) != 0 || (size.valid & ZIP_STAT_SIZE) == 0 || zip_source_open(memory) != 0)
    return failure(zipReason(zip_source_error(memory)));
  bytes.assign(static_cast<std::size_t>(size.size), '\0');
  const zip_int64_t read = zip_source_read(memory, bytes.data(), size.size);
  zip_source_close(memory);
  if (read < 0 || static_cast<zip_uint64_t>(read) != size.size) return failure("写入文件时出错");
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
    if (errno != EEXIST) return ReportError{"无法在文件夹" + quoted(folder) + "中写入计算书：" + systemReason(errno)};
  }
  return ReportError{"无法在文件夹" + quoted(folder) + "中为计算书找到新的文件名"};
}

}  // namespace

std::variant<std::string, ReportError> fillPartXml(const std::string& xml, const std::vector<TagText>& tags,
                                                   const std::string& partName) {
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size(), xmlParseFlags, pugi::encoding_utf8))
    return ReportError{"部件“" + partName + "”已损坏"};
  const bool changed = fillParagraphs(doc, tags);
  if (!changed) return xml;
  std::string out = serialize(doc);
  doc.reset();  // the check below needs its own room
  pugi::xml_document check;
  if (!check.load_buffer(out.data(), out.size(), xmlParseFlags, pugi::encoding_utf8))
    return ReportError{"部件“" + partName + "”填写后已损坏"};
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
  if (const auto* system = dynamic_cast<const std::system_error*>(&error))  // also the file system's errors
    return ReportError{"无法由计算书模板文件" + quoted(templatePath) + "生成计算书：" + systemReason(system->code())};
  return ReportError{"无法由计算书模板文件" + quoted(templatePath) + "生成计算书：程序内部错误"};
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

namespace {

// Through the one safe way of replacing a file: the package goes into a temporary file beside the
// target, and only a complete package takes the target's place.
std::optional<ReportError> replaceWithPackage(const std::vector<Entry>& entries, const fs::path& outputPath) {
  auto started = FileReplacement::begin(outputPath);
  if (const auto* problem = std::get_if<FileProblem>(&started))
    return ReportError{"无法写入计算书文件" + quoted(outputPath) + "：" + problem->reason};
  auto& file = std::get<FileReplacement>(started);
  std::string bytes;
  if (const auto why = packageBytes(entries, bytes))
    return ReportError{"无法写入计算书文件" + quoted(outputPath) + "：" + *why};
  file.write(bytes);
  if (const auto why = file.commit()) return ReportError{"无法写入计算书文件" + quoted(outputPath) + "：" + *why};
  return std::nullopt;
}

}  // namespace

std::variant<std::monostate, ReportError> fillTemplate(const fs::path& templatePath, const std::vector<TagText>& tags,
                                                      const fs::path& outputPath, DocumentKind kind,
                                                      const std::optional<ReportPicture>& picture) try {
  auto package = filledPackage(templatePath, tags, kind, picture);
  if (auto* error = std::get_if<ReportError>(&package)) return *error;
  if (auto error = replaceWithPackage(std::get<std::vector<Entry>>(package), outputPath)) return *error;
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
  if (auto error = replaceWithPackage(std::get<std::vector<Entry>>(package), outputPath)) {
    std::error_code ignored;
    fs::remove(outputPath, ignored);
    return *error;
  }
  return outputPath;
} catch (const std::exception& error) {
  return unexpectedFailure(templatePath, error);
}

}  // namespace pedivo
