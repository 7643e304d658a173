#include "memo/memo_buffer.h"

#include <algorithm>

namespace corvane {
namespace {
constexpr std::string_view kBreak = "\r\n";

bool IsBreakAt(const std::string& text, std::size_t i) noexcept {
  return i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n';
}

// Appends the end of every CR LF that starts in [first, last) to `out`, found by memchr.
template <class Out>
void FindBreaks(const std::string& text, std::size_t first, std::size_t last, Out out) {
  const std::string_view view(text);
  for (std::size_t i = view.find('\r', first); i < last; i = view.find('\r', i + 1)) {
    if (IsBreakAt(text, i))
      *out++ = i + kBreak.size();
  }
}
}  // namespace

int TMemoBuffer::LineCount() const noexcept {
  const bool last_line_empty = text_.empty() || (!breaks_.empty() && breaks_.back() == text_.size());
  return static_cast<int>(breaks_.size() + 1 - (last_line_empty ? 1 : 0));
}

std::size_t TMemoBuffer::BreaksBefore(std::size_t position) const noexcept {
  return static_cast<std::size_t>(std::upper_bound(breaks_.begin(), breaks_.end(), position) -
                                  breaks_.begin());
}

void TMemoBuffer::Clear() {
  text_.clear();
  breaks_.clear();
}

void TMemoBuffer::Assign(std::string text) {
  text_ = std::move(text);
  ReindexAll();
}

// Line 0 always exists, even in an empty text; line k starts after the k-th break.
std::size_t TMemoBuffer::LineStart(int index) const noexcept {
  if (index < 0)
    return kNoLine;
  if (index == 0)
    return 0;
  const auto k = static_cast<std::size_t>(index);
  return k <= breaks_.size() ? breaks_[k - 1] : kNoLine;
}

std::size_t TMemoBuffer::LineLength(int index) const noexcept {
  const std::size_t start = LineStart(index);
  const auto k = static_cast<std::size_t>(index);
  const std::size_t end = k < breaks_.size() ? breaks_[k] - kBreak.size() : text_.size();
  return end - start;
}

// Before an existing line the piece is the text and a break; past the last line it is a break and
// the text, put after a last line that has characters ("a\r\nxy" + "c" -> "a\r\nxy\r\nc").
TMemoInsertion TMemoBuffer::InsertLine(int index, std::string_view line) {
  if (index < 0)
    return {};
  piece_.clear();
  std::size_t position = LineStart(index);
  if (position == text_.size() && text_.size() + line.size() + kBreak.size() <= capacity_) {
    // The program's usual append, straight into the text.
    text_.append(line).append(kBreak);
    ReindexAfterInsert(position, line.size() + kBreak.size());
    return {position, std::string_view(text_).substr(position), true};
  }
  if (position != kNoLine) {
    piece_.append(line).append(kBreak);
  } else {
    if (LineStart(index - 1) == kNoLine)
      return {};
    const std::size_t length = LineLength(index - 1);
    if (length == 0)
      return {};
    position = LineStart(index - 1) + length;
    piece_.append(kBreak).append(line);
  }
  const std::size_t taken = InsertRaw(position, piece_);
  return {position, std::string_view(text_).substr(position, taken), taken == piece_.size()};
}

std::size_t TMemoBuffer::Replace(std::size_t position, std::size_t length, std::string_view piece) {
  position = std::min(position, text_.size());
  Erase(position, std::min(length, text_.size() - position));
  return InsertRaw(position, piece);
}

// The capacity refuses what does not fit and keeps what does, as the text control would.
std::size_t TMemoBuffer::InsertRaw(std::size_t position, std::string_view piece) {
  const std::size_t room = capacity_ > text_.size() ? capacity_ - text_.size() : 0;
  const std::size_t taken = std::min(piece.size(), room);
  if (position == text_.size())
    text_.append(piece.substr(0, taken));
  else
    text_.insert(position, piece.substr(0, taken));
  ReindexAfterInsert(position, taken);
  return taken;
}

// Breaks that overlap the erased bytes go, later ones move back, and a CR before the gap can meet
// an LF after it ("a\r" + "x" + "\nb" less the "x" -> one break).
void TMemoBuffer::Erase(std::size_t position, std::size_t length) {
  if (length == 0)
    return;
  text_.erase(position, length);
  auto first = std::upper_bound(breaks_.begin(), breaks_.end(), position);
  auto last = std::upper_bound(first, breaks_.end(), position + length + 1);
  for (auto it = last; it != breaks_.end(); ++it) *it -= length;
  first = breaks_.erase(first, last);
  if (position > 0 && IsBreakAt(text_, position - 1))
    breaks_.insert(first, position + 1);
}

// Breaks wholly before the insertion stay; one that the insertion split in two is gone; later
// ones move by its length; new ones can appear inside it and across both of its edges.
void TMemoBuffer::ReindexAfterInsert(std::size_t position, std::size_t length) {
  if (length == 0)
    return;
  const bool at_end = breaks_.empty() || breaks_.back() <= position;
  auto later = at_end ? breaks_.end() : std::upper_bound(breaks_.begin(), breaks_.end(), position);
  if (later != breaks_.end() && *later == position + 1)
    later = breaks_.erase(later);
  for (auto it = later; it != breaks_.end(); ++it) *it += length;
  const std::size_t first = position > 0 ? position - 1 : 0;
  if (later == breaks_.end()) {  // appending: no vector to splice
    FindBreaks(text_, first, position + length, std::back_inserter(breaks_));
    return;
  }
  std::vector<std::size_t> added;
  FindBreaks(text_, first, position + length, std::back_inserter(added));
  breaks_.insert(later, added.begin(), added.end());
}

void TMemoBuffer::ReindexAll() {
  breaks_.clear();
  FindBreaks(text_, 0, text_.size(), std::back_inserter(breaks_));
}

}  // namespace corvane
