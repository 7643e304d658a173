#include "memo/data_memo.h"

#include <QAccessible>
#include <algorithm>

#include "memo/memo_accessible.h"
#include "memo/memo_text_layout.h"
#include "memo/memo_view.h"
#include "runtime/errors.h"

namespace corvane {

TDataMemo::TDataMemo(QWidget* parent, std::size_t capacity)
    : document_(capacity), view_(new TMemoView(document_, parent)) {
  view_->setObjectName("MemoData");
  AppendLine("MemoData");
  Sync();
}

TDataMemo::~TDataMemo() {
  delete view_.data();
}

TMemoView* TDataMemo::Widget() const {
  return view_.data();
}

void TDataMemo::ClearLines() {
  const bool reporting = view_ && Listening() && !document_.Text().empty();
  if (reporting)
    ReportInsertion();  // the lines not yet reported were there before the clear
  const QString removed = reporting ? ClipboardText(document_.Text()) : QString();
  document_.Clear();
  pending_from_ = pending_to_ = 0;
  if (view_)
    view_->ScheduleSync(true);
  if (reporting)
    ReportRemoval(removed);
}

int TDataMemo::AppendLine(std::string_view line) {
  const int index = LineCount();
  InsertLine(index, line);
  return index;
}

void TDataMemo::InsertLine(int index, std::string_view line) {
  const TMemoInsertion insertion = document_.InsertLine(index, line);
  if (!insertion.piece.empty() && view_) {
    view_->ScheduleSync(true);  // the newest lines of a long reaction are the ones in sight
    if (Listening())
      NoteInsertion(insertion.position, insertion.piece.size());
  }
  if (!insertion.complete)
    throw EOutOfResources();
}

void TDataMemo::SetVisible(bool visible) {
  visible_ = visible;
  if (view_)
    view_->setVisible(visible);
}

void TDataMemo::Sync() {
  if (view_)
    view_->Sync();
  ReportInsertion();
}

// Appends extend the pending range. An insertion elsewhere first reports the range (moved on by
// the new bytes when they went in before it), so that every reported range holds inserted text.
void TDataMemo::NoteInsertion(std::size_t position, std::size_t length) {
  if (pending_from_ != pending_to_ && position != pending_to_) {
    if (position <= pending_from_) {
      pending_from_ += length;
      pending_to_ += length;
    }
    ReportInsertion();
  }
  if (pending_from_ == pending_to_)
    pending_from_ = pending_to_ = position;
  pending_to_ += length;
  ScheduleReport();
}

void TDataMemo::ScheduleReport() {
  if (report_posted_)
    return;
  report_posted_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        report_posted_ = false;
        ReportInsertion();
      },
      Qt::QueuedConnection);
}

void TDataMemo::ReportInsertion() {
  if (pending_from_ == pending_to_)
    return;
  const std::size_t from = std::min(pending_from_, document_.Text().size());
  const std::size_t to = std::min(pending_to_, document_.Text().size());
  pending_from_ = pending_to_ = 0;
  if (!view_ || !Listening() || from >= to)
    return;
  const QString text = ClipboardText(std::string_view(document_.Text()).substr(from, to - from));
  const int start = MemoCharacterOffset(document_.Buffer(), from);
  for (qsizetype done = 0; done < text.size(); done += kMaxReportedCharacters) {
    QAccessibleTextInsertEvent event(view_.data(), start + static_cast<int>(done),
                                     text.mid(done, kMaxReportedCharacters));
    Send(event);
  }
}

// The removal of the whole text, as successive removals at its start.
void TDataMemo::ReportRemoval(const QString& removed) {
  for (qsizetype done = 0; done < removed.size(); done += kMaxReportedCharacters) {
    QAccessibleTextRemoveEvent event(view_.data(), 0, removed.mid(done, kMaxReportedCharacters));
    Send(event);
  }
}

void TDataMemo::SetChangeChannel(TChangeChannel channel) {
  channel_ = std::move(channel);
}

bool TDataMemo::Listening() const {
  return channel_.listening ? channel_.listening() : QAccessible::isActive();
}

void TDataMemo::Send(QAccessibleEvent& event) const {
  if (channel_.send)
    channel_.send(event);
  else
    QAccessible::updateAccessibility(&event);
}

}  // namespace corvane
