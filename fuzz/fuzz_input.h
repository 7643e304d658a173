// Splits a fuzzer's input into the typed pieces a target needs; missing bytes read as zero.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace corvane::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  template <typename T>
  T Raw() {
    unsigned char bytes[sizeof(T)] = {};
    const std::size_t n = std::min(sizeof(T), size_ - pos_);
    if (n > 0)
      std::memcpy(bytes, data_ + pos_, n);
    pos_ += n;
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

  // An 80-bit pattern of any kind: normal, denormal, unnormal, infinite or NaN.
  long double Extended() {
    unsigned char bytes[sizeof(long double)] = {};
    for (int i = 0; i < 10; ++i) bytes[i] = Byte();
    long double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }

  std::string_view Text(std::size_t max_size) {
    const std::size_t n = std::min<std::size_t>(std::min(max_size, size_ - pos_), Byte());
    return Take(n);
  }

  std::string_view Rest() { return Take(size_ - pos_); }

 private:
  std::string_view Take(std::size_t n) {
    n = std::min(n, size_ - pos_);
    const std::string_view view(reinterpret_cast<const char*>(data_) + pos_, n);
    pos_ += n;
    return view;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// The decimal and thousands marks a target runs under, chosen from one byte.
inline std::pair<char, char> Marks(std::uint8_t choice) {
  switch (choice % 4) {
    case 0:
      return {'.', ','};
    case 1:
      return {',', '.'};
    case 2:
      return {',', ' '};
    default:
      return {static_cast<char>(choice), static_cast<char>(choice >> 1)};  // any characters at all
  }
}

}  // namespace corvane::fuzz
