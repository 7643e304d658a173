// The data memo `MemoData`: the log of the latest reaction, one line per simulated period.
//
//   program: ClearLines, AppendLine, InsertLine --+--> TMemoDocument (memo_document.h) --> TMemoView
//   user: keys, mouse, clipboard in TMemoView ----+    (buffer + line index, caret, undo)
//
// One model: the document holds the only copy of the text, the program's operations and the
// user's edits both change it at once, and the view (memo_view.h) paints the lines in sight
// straight from it. A program operation costs the bytes it adds; the view catches up once when
// the event loop next runs (or on Sync), scrolled to the newest line.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstddef>
#include <string>
#include <string_view>

#include "memo/memo_document.h"

class QWidget;

namespace corvane {

class TMemoView;

class TDataMemo : public QObject {
  Q_OBJECT

 public:
  // 32 MiB. A reaction of 100,000 periods writes about 11 million characters, so it fits with room
  // to spare; a runaway reaction (work periods that do almost no work) writes lines at several
  // hundred thousand a second and meets the limit within a second, ending with the insertion
  // error instead of growing until memory runs out. The text costs one byte a character and its
  // line index eight bytes a line, so the full memo stays near 35 MB.
  static constexpr std::size_t kDefaultCapacity = std::size_t{32} << 20;

  // Creates the memo's widget as a child of `parent`; the memo owns it and deletes it with itself.
  explicit TDataMemo(QWidget* parent, std::size_t capacity = kDefaultCapacity);
  ~TDataMemo() override;
  TDataMemo(const TDataMemo&) = delete;
  TDataMemo& operator=(const TDataMemo&) = delete;

  // The widget; for placing it and for tests.
  TMemoView* Widget() const;
  TMemoDocument& Document() noexcept { return document_; }

  int LineCount() const noexcept { return document_.Buffer().LineCount(); }
  // Empties the text and clears the modified flag.
  void ClearLines();
  // InsertLine at LineCount; returns the index the line received.
  int AppendLine(std::string_view line);
  // Before line `index`, or appended when `index` is LineCount; ignored where no line can go.
  // EOutOfResources "RichEdit line insertion error" when only part of the piece fitted; that
  // part stays.
  void InsertLine(int index, std::string_view line);

  // The text as the program sees it, the user's edits included.
  const std::string& Text() const noexcept { return document_.Text(); }
  bool Modified() const noexcept { return document_.Modified(); }

  // Hiding keeps the text, and lines keep arriving while hidden.
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible);

  // Brings the view up to date with the text now. Cheap when nothing changed.
  void Sync();

 private:
  TMemoDocument document_;
  QPointer<TMemoView> view_;
  bool visible_ = true;
};

}  // namespace corvane
