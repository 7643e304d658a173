// The data memo's text as the program sees it: one 8-bit buffer whose lines are separated by CR LF,
// with a fixed capacity. The widget binding (data_memo.h) shows it; this class alone decides
// where a line goes, how many lines there are and when an insertion is refused.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What an insertion did: `piece` (a view into the text, valid until the next change) went in at
// byte `position`; `complete` is false when the capacity cut it short.
struct TMemoInsertion {
  std::size_t position = 0;
  std::string_view piece;
  bool complete = true;
};

class TMemoBuffer {
 public:
  explicit TMemoBuffer(std::size_t capacity) : capacity_(capacity) {}

  const std::string& Text() const noexcept { return text_; }
  std::size_t Capacity() const noexcept { return capacity_; }

  // Line starts, less one when the last line is empty: "" -> 0, "a\r\n" -> 1, "a\r\nb" -> 2.
  int LineCount() const noexcept;

  // The number of CR LF pairs that end at or before `position`; a pair is one character on screen.
  std::size_t BreaksBefore(std::size_t position) const noexcept;

  void Clear();
  // Replaces the whole text (the user's edits); the capacity does not cut what the user typed.
  void Assign(std::string text);

  // The line rules of the memo: a line before `index`, or appended when `index` is the line count.
  // Returns what went in (an empty piece when the index leaves nothing to do). When the capacity
  // takes only part of the piece, that part stays in the text and `complete` is false.
  TMemoInsertion InsertLine(int index, std::string_view line);

 private:
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

  std::size_t LineStart(int index) const noexcept;
  std::size_t LineLength(int index) const noexcept;
  std::size_t InsertRaw(std::size_t position, std::string_view piece);
  void ReindexAfterInsert(std::size_t position, std::size_t length);
  void ReindexAll();

  std::size_t capacity_;
  std::string text_;
  // Byte offsets just after every CR LF, ascending; line 0 starts at 0 and is not listed.
  std::vector<std::size_t> breaks_;
};

}  // namespace corvane
