#pragma once
// The words a check is listed with: its id, name, formula and unit, and the result fields it
// turns red. Nearly all are the program's fixed words, which a check points at rather than
// copies: a base is checked under every load combination, and copying some thirty names and
// formulas each time would cost more than the arithmetic of the checks.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pedivo {

// Fixed words of the program (a string literal), pointed at; or words written for one check (a
// stiffener's part in its name, a rule with its numbers in its formula), owned.
class CheckText {
 public:
  CheckText() : view_("") {}
  // Only for words that outlive every check: string literals and the program's constants.
  CheckText(const char* fixed) : view_(fixed) {}  // NOLINT: a literal reads as a check's words
  // Written words are kept on the heap, shared by the copies and never changed: a check moves
  // as a few pointers, whichever words it has.
  CheckText(std::string written)  // NOLINT: so does a written text
      : written_(std::make_shared<const std::string>(std::move(written))), view_(*written_) {}
  CheckText(const CheckText&) = default;
  CheckText& operator=(const CheckText&) = default;
  // What is moved from reads as no words, never as words another check now holds.
  CheckText(CheckText&& other) noexcept : written_(std::move(other.written_)), view_(other.view_) {
    other.view_ = "";
  }
  CheckText& operator=(CheckText&& other) noexcept {
    if (this != &other) {
      written_ = std::move(other.written_);
      view_ = other.view_;
      other.view_ = "";
    }
    return *this;
  }
  ~CheckText() = default;
  std::string_view view() const { return view_; }
  operator std::string_view() const { return view(); }  // NOLINT: read wherever words are read
  std::string str() const { return std::string(view()); }
  bool empty() const { return view().empty(); }
  std::size_t size() const { return view().size(); }
  friend bool operator==(const CheckText& a, std::string_view b) { return a.view() == b; }
  friend std::string operator+(std::string a, const CheckText& b) { return a.append(b.view()); }
  friend std::string operator+(const CheckText& a, std::string_view b) { return a.str().append(b); }
  friend std::ostream& operator<<(std::ostream& out, const CheckText& text) { return out << text.view(); }

 private:
  std::shared_ptr<const std::string> written_;  // none for fixed words
  std::string_view view_;                       // the fixed words, or the written ones
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
