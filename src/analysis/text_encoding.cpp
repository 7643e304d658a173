#include "analysis/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "analysis/reaction_time_reader.h"

namespace corvane {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::size_t LineAt(std::string_view text, std::size_t at) {
  return static_cast<std::size_t>(
             std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n')) +
         1;
}

[[noreturn]] void RejectByte(std::string_view text, std::size_t at, const char* what) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto byte = static_cast<unsigned char>(text[at]);
  const std::size_t line = LineAt(text, at);
  throw EReactionTimeFormat("line " + std::to_string(line) + ": " + what + " (byte 0x" + kHex[byte >> 4] +
                                kHex[byte & 15] +
                                "); the reader takes UTF-8 text, or UTF-16 with its byte order mark",
                            line);
}

// The length of the UTF-8 sequence at `at`, or 0 where it is not one (overlong forms, surrogates
// and code points above U+10FFFF included).
std::size_t SequenceLength(std::string_view s, std::size_t at) {
  const auto b = [&](std::size_t i) {
    return at + i < s.size() ? static_cast<unsigned char>(s[at + i]) : 0u;
  };
  const unsigned c = b(0);
  const auto tail = [&](std::size_t i) { return (b(i) & 0xC0u) == 0x80u; };
  if (c >= 0xC2 && c <= 0xDF)
    return tail(1) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    const unsigned c1 = b(1);
    if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0))
      return 0;
    return tail(1) && tail(2) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    const unsigned c1 = b(1);
    if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))
      return 0;
    return tail(1) && tail(2) && tail(3) ? 4 : 0;
  }
  return 0;
}

void CheckUtf8(std::string_view s) {
  constexpr std::uint64_t kHigh = 0x8080808080808080ull;
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  std::size_t i = 0;
  while (i < s.size()) {
    if (i + 8 <= s.size()) {
      std::uint64_t word;
      std::memcpy(&word, s.data() + i, 8);
      // ASCII without a zero byte: skip all eight.
      if ((word & kHigh) == 0 && ((word - kOnes) & ~word & kHigh) == 0) {
        i += 8;
        continue;
      }
    }
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == 0)
      RejectByte(s, i, "a NUL byte");
    if (c < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = SequenceLength(s, i);
    if (length == 0)
      RejectByte(s, i, "not UTF-8");
    i += length;
  }
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

std::string FromUtf16(std::string_view s, bool little_endian) {
  if (s.size() % 2 != 0)
    throw EReactionTimeFormat("the UTF-16 text ends in half a character");
  std::string out;
  out.reserve(s.size() / 2);
  const auto unit = [&](std::size_t i) {
    const auto lo = static_cast<unsigned char>(s[little_endian ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(s[little_endian ? i + 1 : i]);
    return static_cast<std::uint32_t>(hi << 8 | lo);
  };
  std::size_t line = 1;
  for (std::size_t i = 0; i < s.size(); i += 2) {
    std::uint32_t code = unit(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < s.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      throw EReactionTimeFormat("line " + std::to_string(line) + ": an unpaired UTF-16 surrogate", line);
    } else if (code == 0) {
      throw EReactionTimeFormat("line " + std::to_string(line) + ": a NUL character", line);
    }
    if (code == '\n')
      ++line;
    AppendUtf8(out, code);
  }
  return out;
}

}  // namespace

TDecodedText DecodeText(std::string_view bytes) {
  TDecodedText decoded;
  if (bytes.substr(0, kUtf16LeMark.size()) == kUtf16LeMark ||
      bytes.substr(0, kUtf16BeMark.size()) == kUtf16BeMark) {
    decoded.owned_ = FromUtf16(bytes.substr(2), bytes[0] == '\xFF');
    decoded.converted_ = true;
    return decoded;
  }
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark)
    bytes.remove_prefix(kUtf8Mark.size());
  CheckUtf8(bytes);
  decoded.view_ = bytes;
  return decoded;
}

}  // namespace corvane
