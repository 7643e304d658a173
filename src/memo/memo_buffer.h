// The data memo's text as the program sees it: one 8-bit buffer whose lines are separated by CR LF,
// with a fixed capacity, and an index of its line starts. The document (memo_document.h) edits it
// and the view (memo_view.h) paints its lines straight from the index; this class alone decides
// where a program line goes, how many lines there are and when an insertion is refused.
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
  std::size_t Size() const noexcept { return text_.size(); }
  std::size_t Capacity() const noexcept { return capacity_; }

  // Line starts, less one when the last line is empty: "" -> 0, "a\r\n" -> 1, "a\r\nb" -> 2.
  int LineCount() const noexcept;

  // The number of CR LF pairs that end at or before `position`; a pair is one character on screen.
  std::size_t BreaksBefore(std::size_t position) const noexcept;

  // The lines as shown: the text cut at every CR LF, so there is always one more than there are
  // breaks ("a\r\n" shows "a" and an empty last line). Line k of a position is BreaksBefore.
  std::size_t ShownLineCount() const noexcept { return breaks_.size() + 1; }
  std::size_t ShownLineStart(std::size_t line) const noexcept { return line == 0 ? 0 : breaks_[line - 1]; }
  std::size_t ShownLineEnd(std::size_t line) const noexcept {
    return line < breaks_.size() ? breaks_[line] - 2 : text_.size();
  }
  std::string_view ShownLine(std::size_t line) const noexcept {
    const std::size_t start = ShownLineStart(line);
    return std::string_view(text_).substr(start, ShownLineEnd(line) - start);
  }

  void Clear();
  // Replaces the whole text; the capacity does not cut it.
  void Assign(std::string text);

  // The line rules of the memo: a line before `index`, or appended when `index` is the line count.
  // Returns what went in (an empty piece when the index leaves nothing to do). When the capacity
  // takes only part of the piece, that part stays in the text and `complete` is false.
  TMemoInsertion InsertLine(int index, std::string_view line);

  // Removes `length` bytes at `position`, then inserts as much of `piece` there as the capacity
  // leaves room for; returns the number of bytes of `piece` taken.
  std::size_t Replace(std::size_t position, std::size_t length, std::string_view piece);

 private:
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

  std::size_t LineStart(int index) const noexcept;
  std::size_t LineLength(int index) const noexcept;
  std::size_t InsertRaw(std::size_t position, std::string_view piece);
  void Erase(std::size_t position, std::size_t length);
  void ReindexAfterInsert(std::size_t position, std::size_t length);
  void ReindexAll();

  std::size_t capacity_;
  std::string text_;
  // Byte offsets just after every CR LF, ascending; line 0 starts at 0 and is not listed.
  std::vector<std::size_t> breaks_;
  std::string piece_;  // reused by InsertLine, so a long run of appends allocates nothing per line
};

}  // namespace corvane
