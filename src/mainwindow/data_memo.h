// The data memo `MemoData`: the log of the latest reaction, one line per simulated period.
//
// TMemoBuffer (memo_buffer.h) holds the text as the program sees it (8-bit, CR LF breaks, fixed
// capacity) and decides every line position and every refusal. TDataMemo binds it to a
// QPlainTextEdit: program operations change the buffer at once, and the widget is brought up to
// date in one step (when the event loop next runs, before any input reaches the widget, or on
// Sync()): after a clear it is set to the whole buffer, otherwise the queued insertions are
// replayed. Inserting into the widget line by line costs tens of microseconds a line; one joined
// insertion costs a fraction of that. The user's own edits in the widget flow back: they mark the
// buffer stale, and the next program operation re-reads the widget.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/memo_buffer.h"

class QPlainTextEdit;
class QWidget;

namespace corvane {

class TDataMemo : public QObject {
  Q_OBJECT

 public:
  // 32 MiB. A reaction of 100,000 periods writes about 11 million characters, so it fits with room
  // to spare; a runaway reaction (work periods that do almost no work) writes lines at several
  // hundred thousand a second and meets the limit within seconds, ending with the insertion error
  // instead of growing until memory runs out (the widget needs a few bytes more per character).
  static constexpr std::size_t kDefaultCapacity = std::size_t{32} << 20;

  // Creates the memo's widget as a child of `parent`; the memo owns it and deletes it with itself.
  explicit TDataMemo(QWidget* parent, std::size_t capacity = kDefaultCapacity);
  ~TDataMemo() override;
  TDataMemo(const TDataMemo&) = delete;
  TDataMemo& operator=(const TDataMemo&) = delete;

  // The widget, brought up to date first; for placing it and for tests.
  QPlainTextEdit* Widget();

  int LineCount();
  // Empties the text and clears the modified flag.
  void ClearLines();
  // InsertLine at LineCount; returns the index the line received.
  int AppendLine(std::string_view line);
  // Before line `index`, or appended when `index` is LineCount; ignored where no line can go.
  // EOutOfResources "RichEdit line insertion error" when only part of the piece fitted; that
  // part stays.
  void InsertLine(int index, std::string_view line);

  // The text as the program sees it, the user's edits included.
  const std::string& Text();
  bool Modified() const noexcept { return modified_; }

  // Hiding keeps the text, and lines keep arriving while hidden.
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible);

  // Brings the widget up to date with the buffer now. Cheap when nothing is pending.
  void Sync();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One insertion the widget has not seen yet, in widget characters (a CR LF is one character).
  struct TPendingInsert {
    int position = 0;
    std::string piece;
    std::size_t shown_length = 0;
  };

  void PullUserEdits();
  void QueueInsertion(const TMemoInsertion& insertion);
  bool SplitsOrJoinsABreak(const TMemoInsertion& insertion) const;
  void ScheduleSync();
  void ApplyPending();
  void OnContentsChanged();

  QPointer<QPlainTextEdit> widget_;
  TMemoBuffer buffer_;
  std::vector<TPendingInsert> pending_;
  bool rebuild_pending_ = false;  // the widget must be set to the whole buffer
  bool sync_scheduled_ = false;
  bool syncing_ = false;
  bool user_edited_ = false;  // the widget holds edits the buffer has not read yet
  bool modified_ = false;
  bool visible_ = true;
};

}  // namespace corvane
