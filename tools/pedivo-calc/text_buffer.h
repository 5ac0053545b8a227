#pragma once
// The calculator's output bytes. Unlike a std::string, room is handed out without being cleared
// first: the writer fills every byte it asks room for, and a batch's block of lines is a megabyte
// that would otherwise be cleared case by case.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace pedivo::calc {

class TextBuffer {
 public:
  // At least n bytes of room after the text; the pointer is where the text ends now.
  char* room(std::size_t n) {
    if (capacity_ - size_ < n) grow(n);
    return data_.get() + size_;
  }
  // The text now ends at `end`, a pointer into the room last handed out.
  void commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  void append(std::string_view bytes) {
    char* end = room(bytes.size());
    if (!bytes.empty()) std::memcpy(end, bytes.data(), bytes.size());
    commit(end + bytes.size());
  }
  // Room for at least n bytes in all, so that writing up to that many never moves the text.
  void reserve(std::size_t n) {
    if (capacity_ < n) grow(n - size_);
  }
  // Drops what was written after the first `size` bytes.
  void truncate(std::size_t size) { size_ = std::min(size, size_); }
  void clear() { size_ = 0; }

  std::size_t size() const { return size_; }
  std::string_view view() const { return {data_.get(), size_}; }
  std::string str() const { return std::string(view()); }

 private:
  void grow(std::size_t n) {
    const std::size_t capacity = std::max({2 * capacity_, size_ + n, std::size_t{4096}});
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace pedivo::calc
