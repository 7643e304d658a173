// A small fixed-capacity text builder for the formatters' hot path: no heap work until the final
// std::string, which short results keep in its own inline storage.
#pragma once

#include <cassert>
#include <cstring>
#include <string>
#include <string_view>

namespace corvane {

template <std::size_t Capacity>
class TShortText {
 public:
  void Put(char c) noexcept {
    assert(size_ < Capacity);
    text_[size_++] = c;
  }
  void Put(std::string_view s) noexcept {
    assert(size_ + s.size() <= Capacity);
    std::memcpy(text_ + size_, s.data(), s.size());
    size_ += s.size();
  }
  void PutRepeated(char c, std::size_t count) noexcept {
    assert(size_ + count <= Capacity);
    std::memset(text_ + size_, c, count);
    size_ += count;
  }
  // A non-negative integer in decimal, without leading zeros.
  void PutDecimal(unsigned value) noexcept {
    char digits[10];
    std::size_t n = 0;
    do {
      digits[n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    while (n > 0) Put(digits[--n]);
  }
  std::string Str() const { return std::string(text_, size_); }

 private:
  char text_[Capacity];
  std::size_t size_ = 0;
};

}  // namespace corvane
