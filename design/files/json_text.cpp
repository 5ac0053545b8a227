#include "design/files/json_text.h"

#include <nlohmann/json.hpp>
#include <unordered_set>
#include <vector>

namespace pedivo {
namespace {

using nlohmann::json;

constexpr const char* nulMessage = "含有空字符（NUL）";

class StructureCheck final : public nlohmann::json_sax<json> {
 public:
  explicit StructureCheck(int maximumDepth) : maximumDepth_(maximumDepth) {}

  std::optional<std::string> refusal;

  bool null() override { return value(); }
  bool boolean(bool) override { return value(); }
  bool number_integer(number_integer_t) override { return value(); }
  bool number_unsigned(number_unsigned_t) override { return value(); }
  bool number_float(number_float_t, const string_t&) override { return value(); }
  bool string(string_t& text) override { return text.find('\0') == string_t::npos ? value() : refuse(nulMessage); }
  bool binary(binary_t&) override { return value(); }
  bool start_object(std::size_t) override { return open(); }
  bool start_array(std::size_t) override { return open(); }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }
  bool key(string_t& name) override {
    if (!value()) return false;
    if (name.find('\0') != string_t::npos) return refuse(nulMessage);
    if (!keys_.back().insert(name).second) return refuse("重复的键“" + name + "”");
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

 private:
  // An event inside `open` containers; the reader's callback sees it at that depth.
  bool value() { return depth() > maximumDepth_ ? refuse("嵌套层数过多") : true; }
  bool open() {
    if (!value()) return false;
    keys_.emplace_back();
    return true;
  }
  bool close() {
    keys_.pop_back();
    return true;
  }
  int depth() const { return static_cast<int>(keys_.size()); }
  bool refuse(std::string why) {
    refusal = std::move(why);
    return false;
  }

  int maximumDepth_;
  // The keys met in each open object (empty for arrays).
  std::vector<std::unordered_set<std::string>> keys_;
};

}  // namespace

std::optional<std::string> checkJsonText(std::string_view text, int maximumDepth) {
  if (text.find('\0') != std::string_view::npos) return std::string(nulMessage);
  StructureCheck check(maximumDepth);
  json::sax_parse(text, &check);
  return check.refusal;
}

}  // namespace pedivo
