#pragma once
// The words a check is listed with: its id, name, formula and unit, and the result fields it
// turns red. Nearly all are the program's fixed words, which a check points at rather than
// copies: a base is checked under every load combination, and copying some thirty names and
// formulas each time would cost more than the arithmetic of the checks.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pedivo {

// Fixed words of the program (a string literal), pointed at; or words written for one check (a
// stiffener's part in its name, a rule with its numbers in its formula), owned.
class CheckText {
 public:
  CheckText() : fixed_("") {}
  // Only for words that outlive every check: string literals and the program's constants.
  CheckText(const char* fixed) : fixed_(fixed) {}  // NOLINT: a literal reads as a check's words
  CheckText(std::string written) : written_(std::move(written)) {}  // NOLINT: so does a written text

  std::string_view view() const { return fixed_.data() != nullptr ? fixed_ : std::string_view(written_); }
  operator std::string_view() const { return view(); }  // NOLINT: read wherever words are read
  std::string str() const { return std::string(view()); }
  bool empty() const { return view().empty(); }
  std::size_t size() const { return view().size(); }

  friend bool operator==(const CheckText& a, std::string_view b) { return a.view() == b; }
  friend std::string operator+(std::string a, const CheckText& b) { return a.append(b.view()); }
  friend std::string operator+(const CheckText& a, std::string_view b) { return a.str().append(b); }
  friend std::ostream& operator<<(std::ostream& out, const CheckText& text) { return out << text.view(); }

 private:
  std::string_view fixed_;  // null when the words are written
  std::string written_;
};

// The result fields whose captions turn red when a check fails: a few fixed names.
class FieldNames {
 public:
  static constexpr std::size_t capacity = 4;

  FieldNames() = default;
  // More names than the room is a programming error: refused rather than cut short, so no field
  // silently stays black when its check fails.
  FieldNames(std::initializer_list<const char*> names) {  // NOLINT: written as a braced list
    if (names.size() > capacity) throw std::length_error("a check turns at most four result fields red");
    for (const char* name : names) names_[count_++] = name;
  }

  const std::string_view* begin() const { return names_.data(); }
  const std::string_view* end() const { return names_.data() + count_; }
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const std::string_view& operator[](std::size_t i) const { return names_[i]; }

 private:
  std::array<std::string_view, capacity> names_{};
  std::size_t count_ = 0;
};

}  // namespace pedivo
