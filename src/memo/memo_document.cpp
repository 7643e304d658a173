#include "memo/memo_document.h"

#include <algorithm>

namespace corvane {
namespace {

// Lines an erasure may touch before it is cheaper to measure every line again later.
constexpr std::size_t kLinesMeasuredOnErase = 64;

bool IsBreakStart(const std::string& text, std::size_t i) noexcept {
  return i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n';
}

bool IsSpace(unsigned char byte) noexcept {
  return byte == ' ' || byte == '\t' || byte == 0xA0;
}

}  // namespace

void TMemoDocument::Clear() {
  buffer_.Clear();
  caret_ = anchor_ = 0;
  widest_ = 0;
  widest_stale_ = false;
  modified_ = false;
  ClearHistory();
  ++text_revision_;
  ++revision_;
}

TMemoInsertion TMemoDocument::InsertLine(int index, std::string_view line) {
  const TMemoInsertion insertion = buffer_.InsertLine(index, line);
  if (!undo_.empty() || !redo_.empty())
    ClearHistory();
  if (insertion.piece.empty())
    return insertion;
  MeasureLines(insertion.position, insertion.position + insertion.piece.size());
  caret_ = anchor_ = insertion.position + insertion.piece.size();  // as a replaced selection leaves it
  ++text_revision_;
  ++revision_;
  return insertion;
}

std::string_view TMemoDocument::SelectedBytes() const noexcept {
  return std::string_view(Text()).substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

std::size_t TMemoDocument::Snapped(std::size_t position) const noexcept {
  position = std::min(position, Text().size());
  return position > 0 && IsBreakStart(Text(), position - 1) ? position - 1 : position;
}

void TMemoDocument::MoveCaret(std::size_t position, bool select) {
  caret_ = Snapped(position);
  if (!select)
    anchor_ = caret_;
  typing_open_ = false;
  ++revision_;
}

void TMemoDocument::SetSelection(std::size_t anchor, std::size_t caret) {
  anchor_ = Snapped(anchor);
  MoveCaret(caret, true);
}

void TMemoDocument::SelectAll() {
  SetSelection(0, Text().size());
}

void TMemoDocument::SelectWordAt(std::size_t position) {
  const std::string& text = Text();
  position = Snapped(position);
  if (position == text.size() || IsBreakStart(text, position)) {
    SetSelection(position, position);
    return;
  }
  // Runs of word characters, of spaces, or of anything else each form one selectable unit.
  const auto kind = [&](std::size_t i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    return IsWordByte(byte) ? 0 : IsSpace(byte) ? 1 : 2;
  };
  const int unit = kind(position);
  std::size_t begin = position;
  while (begin > 0 && !IsBreakStart(text, begin - 1) && text[begin - 1] != '\n' && kind(begin - 1) == unit)
    --begin;
  std::size_t end = position;
  while (end < text.size() && !IsBreakStart(text, end) && kind(end) == unit) ++end;
  SetSelection(begin, end);
}

std::size_t TMemoDocument::NextPosition(std::size_t position) const noexcept {
  if (position >= Text().size())
    return Text().size();
  return position + (IsBreakStart(Text(), position) ? 2 : 1);
}

std::size_t TMemoDocument::PreviousPosition(std::size_t position) const noexcept {
  if (position == 0)
    return 0;
  return position >= 2 && IsBreakStart(Text(), position - 2) ? position - 2 : position - 1;
}

// Past the rest of this word (or one sign), then past the spaces after it; a break is a stop of
// its own.
std::size_t TMemoDocument::NextWord(std::size_t position) const noexcept {
  const std::string& text = Text();
  if (position < text.size() && IsBreakStart(text, position))
    return position + 2;
  const std::size_t start = position;
  while (position < text.size() && IsWordByte(static_cast<unsigned char>(text[position]))) ++position;
  if (position == start && position < text.size() && !IsSpace(static_cast<unsigned char>(text[position])))
    ++position;  // a sign is a word of its own
  while (position < text.size() && IsSpace(static_cast<unsigned char>(text[position]))) ++position;
  return position;
}

std::size_t TMemoDocument::PreviousWord(std::size_t position) const noexcept {
  const std::string& text = Text();
  if (position >= 2 && IsBreakStart(text, position - 2))
    return position - 2;
  while (position > 0 && IsSpace(static_cast<unsigned char>(text[position - 1]))) --position;
  if (position > 0 && !IsWordByte(static_cast<unsigned char>(text[position - 1])) &&
      !(position >= 2 && IsBreakStart(text, position - 2)))
    return position - 1;
  while (position > 0 && IsWordByte(static_cast<unsigned char>(text[position - 1]))) --position;
  return position;
}

bool TMemoDocument::InsertText(std::string_view bytes, bool typing) {
  const std::size_t start = SelectionStart();
  const std::size_t length = SelectionEnd() - start;
  const std::size_t kept = Text().size() - length;
  const std::size_t room = buffer_.Capacity() > kept ? buffer_.Capacity() - kept : 0;
  std::size_t fits = std::min(bytes.size(), room);
  if (fits < bytes.size() && fits > 0 && bytes[fits - 1] == '\r' && bytes[fits] == '\n')
    --fits;  // half a break would join the next line's text to this one's
  if (fits == 0 && length == 0)
    return bytes.empty();
  Edit(start, length, bytes.substr(0, fits), typing);
  return fits == bytes.size();
}

void TMemoDocument::DeleteSelection() {
  if (HasSelection())
    Edit(SelectionStart(), SelectionEnd() - SelectionStart(), {}, false);
}

void TMemoDocument::DeleteBackward(bool word) {
  if (HasSelection())
    return DeleteSelection();
  const std::size_t from = word ? PreviousWord(caret_) : PreviousPosition(caret_);
  if (from < caret_)
    Edit(from, caret_ - from, {}, false);
}

void TMemoDocument::DeleteForward(bool word) {
  if (HasSelection())
    return DeleteSelection();
  const std::size_t to = word ? NextWord(caret_) : NextPosition(caret_);
  if (to > caret_)
    Edit(caret_, to - caret_, {}, false);
}

void TMemoDocument::Edit(std::size_t position, std::size_t length, std::string_view bytes, bool typing) {
  const bool joins = typing && typing_open_ && length == 0 && !undo_.empty() && undo_.back().typing &&
                     undo_.back().position + undo_.back().inserted.size() == position;
  if (joins) {
    undo_.back().inserted.append(bytes);
  } else {
    TEdit edit{position, std::string(Text().substr(position, length)), std::string(bytes), anchor_, caret_,
               typing};
    undo_.push_back(std::move(edit));
  }
  redo_.clear();
  Change(position, length, bytes);
  caret_ = anchor_ = position + bytes.size();
  typing_open_ = typing;
  modified_ = true;
}

void TMemoDocument::Undo() {
  if (undo_.empty())
    return;
  TEdit edit = std::move(undo_.back());
  undo_.pop_back();
  Change(edit.position, edit.inserted.size(), edit.removed);
  anchor_ = edit.anchor_before;
  caret_ = edit.caret_before;
  typing_open_ = false;
  redo_.push_back(std::move(edit));
}

void TMemoDocument::Redo() {
  if (redo_.empty())
    return;
  TEdit edit = std::move(redo_.back());
  redo_.pop_back();
  Change(edit.position, edit.removed.size(), edit.inserted);
  caret_ = anchor_ = edit.position + edit.inserted.size();
  typing_open_ = false;
  undo_.push_back(std::move(edit));
}

// An erasure can only narrow lines: the figure goes stale when a line as wide as the widest
// loses characters. An insertion can only widen the lines it lands in.
std::size_t TMemoDocument::Change(std::size_t position, std::size_t length, std::string_view bytes) {
  if (length > 0 && !widest_stale_) {
    const std::size_t first = LineOf(position);
    const std::size_t last = LineOf(position + length);
    widest_stale_ = last - first > kLinesMeasuredOnErase;
    for (std::size_t line = first; line <= last && !widest_stale_; ++line)
      widest_stale_ = layout_.Width(buffer_.ShownLine(line)) >= widest_;
  }
  const std::size_t taken = buffer_.Replace(position, length, bytes);
  MeasureLines(position, position + taken);
  ++text_revision_;
  ++revision_;
  return taken;
}

// Walks back from the last line touched, so that an append, the program's usual operation, costs
// no search of the line index.
void TMemoDocument::MeasureLines(std::size_t from, std::size_t to) {
  if (widest_stale_)
    return;
  std::size_t line = to >= Text().size() ? buffer_.ShownLineCount() - 1 : LineOf(to);
  for (;; --line) {
    widest_ = std::max(widest_, layout_.Width(buffer_.ShownLine(line)));
    if (line == 0 || buffer_.ShownLineStart(line) <= from)
      break;
  }
}

void TMemoDocument::SetLayout(const TMemoTextLayout& layout) {
  layout_ = layout;
  widest_stale_ = true;
  ++revision_;
}

TMemoX TMemoDocument::WidestLine() {
  if (widest_stale_) {
    widest_stale_ = false;
    widest_ = 0;
    MeasureLines(0, Text().size());
  }
  return widest_;
}

void TMemoDocument::ClearHistory() {
  undo_.clear();
  redo_.clear();
  typing_open_ = false;
}

}  // namespace corvane
