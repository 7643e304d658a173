// TMemoDocument: the memo's one model. It owns the text buffer (memo_buffer.h) and adds what an
// editable text field needs on top of it: the caret and the selection, the user's edits with
// their undo and redo, and the width of the widest line for the view's horizontal scroll bar.
//
//   program: Clear, InsertLine ---+
//                                  +--> TMemoBuffer (bytes + line index) --> TMemoView paints
//   user: InsertText, Delete... ---+        (every change bumps Revision)
//
// Positions are byte offsets into the buffer; the caret never stands between the CR and the LF
// of a break. Program operations are not the user's to undo: each clears the history.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "memo/memo_buffer.h"
#include "memo/memo_text_layout.h"

namespace corvane {

class TMemoDocument {
 public:
  explicit TMemoDocument(std::size_t capacity) : buffer_(capacity) {}

  const TMemoBuffer& Buffer() const noexcept { return buffer_; }
  const std::string& Text() const noexcept { return buffer_.Text(); }
  bool Modified() const noexcept { return modified_; }
  // Grows with every change of the text, the caret or the selection.
  std::uint64_t Revision() const noexcept { return revision_; }
  // Grows with every change of the text alone.
  std::uint64_t TextRevision() const noexcept { return text_revision_; }

  // Program operations. Clear empties the text and clears the modified flag; InsertLine follows
  // the buffer's line rules and leaves the caret after what went in.
  void Clear();
  TMemoInsertion InsertLine(int index, std::string_view line);

  // Caret and selection; the selection runs between the anchor and the caret.
  std::size_t Caret() const noexcept { return caret_; }
  std::size_t Anchor() const noexcept { return anchor_; }
  bool HasSelection() const noexcept { return caret_ != anchor_; }
  std::size_t SelectionStart() const noexcept { return caret_ < anchor_ ? caret_ : anchor_; }
  std::size_t SelectionEnd() const noexcept { return caret_ < anchor_ ? anchor_ : caret_; }
  std::string_view SelectedBytes() const noexcept;
  // Moves the caret; `select` keeps the anchor where it is. A position inside a CR LF moves
  // before it, one past the end to the end.
  void MoveCaret(std::size_t position, bool select);
  void SetSelection(std::size_t anchor, std::size_t caret);
  void SelectAll();
  // The word at `position` (or the run of other characters there), selected.
  void SelectWordAt(std::size_t position);

  // Neighbouring caret positions: a CR LF is one step.
  std::size_t NextPosition(std::size_t position) const noexcept;
  std::size_t PreviousPosition(std::size_t position) const noexcept;
  // The start of the next word; the start of this or the previous word.
  std::size_t NextWord(std::size_t position) const noexcept;
  std::size_t PreviousWord(std::size_t position) const noexcept;
  std::size_t LineOf(std::size_t position) const noexcept { return buffer_.BreaksBefore(position); }

  // The user's edits, each replacing the selection and undoable. Text that does not fit the
  // capacity is cut (never inside a CR LF); InsertText returns false when it was.
  // `typing` joins consecutive typed characters into one step of the history.
  bool InsertText(std::string_view bytes, bool typing = false);
  void DeleteSelection();
  // With no selection: the character before or after the caret, or up to the word's start/end.
  void DeleteBackward(bool word = false);
  void DeleteForward(bool word = false);
  bool CanUndo() const noexcept { return !undo_.empty(); }
  bool CanRedo() const noexcept { return !redo_.empty(); }
  void Undo();
  void Redo();

  // The widest line in 1/64 pixel under `layout`.
  void SetLayout(const TMemoTextLayout& layout);
  const TMemoTextLayout& Layout() const noexcept { return layout_; }
  TMemoX WidestLine();

 private:
  struct TEdit {
    std::size_t position = 0;
    std::string removed;
    std::string inserted;
    std::size_t anchor_before = 0;
    std::size_t caret_before = 0;
    bool typing = false;
  };

  std::size_t Snapped(std::size_t position) const noexcept;
  // Replaces [position, position + length) by `bytes` (cut to the capacity) and keeps the
  // widest-line figure true; returns the bytes taken.
  std::size_t Change(std::size_t position, std::size_t length, std::string_view bytes);
  void Edit(std::size_t position, std::size_t length, std::string_view bytes, bool typing);
  void MeasureLines(std::size_t from, std::size_t to);
  void ClearHistory();

  TMemoBuffer buffer_;
  TMemoTextLayout layout_;
  std::size_t caret_ = 0;
  std::size_t anchor_ = 0;
  std::vector<TEdit> undo_;
  std::vector<TEdit> redo_;
  bool typing_open_ = false;  // the last step may take the next typed character
  bool modified_ = false;
  TMemoX widest_ = 0;
  bool widest_stale_ = false;
  std::uint64_t revision_ = 0;
  std::uint64_t text_revision_ = 0;
};

}  // namespace corvane
