// The bytes of a file or a paste as the UTF-8 text the reader splits.
//
//   bytes --DecodeText--> TDecodedText: a view of the bytes after a UTF-8 byte order mark (no
//                         copy), or UTF-16 LE/BE with its byte order mark converted to UTF-8
//
// Anything else (invalid UTF-8, a NUL byte, UTF-16 without its mark, an unpaired surrogate) is an
// EReactionTimeFormat saying which byte and line, never text read as garbage. The check reads
// eight bytes a step where they are ASCII, so a large UTF-8 file costs one fast pass.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class TDecodedText {
 public:
  TDecodedText() = default;
  TDecodedText(const TDecodedText&) = delete;
  TDecodedText& operator=(const TDecodedText&) = delete;
  TDecodedText(TDecodedText&&) = default;
  TDecodedText& operator=(TDecodedText&&) = default;

  // Valid while the bytes handed to DecodeText live (or, once converted, while this lives).
  std::string_view Text() const noexcept { return converted_ ? std::string_view(owned_) : view_; }
  bool Converted() const noexcept { return converted_; }

 private:
  friend TDecodedText DecodeText(std::string_view bytes);
  std::string_view view_;
  std::string owned_;
  bool converted_ = false;
};

TDecodedText DecodeText(std::string_view bytes);

}  // namespace corvane
