#include "mainwindow/data_memo.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include "runtime/errors.h"

namespace corvane {
namespace {

// The widget shows the buffer's bytes as Latin-1; QTextCursor::insertText turns each CR LF (and
// any lone CR or LF) into one block break, so a CR LF is one widget character, any other byte one.
QString ShownText(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The widget's text in the buffer's terms: breaks become CR LF, characters beyond Latin-1 the
// '?' that an 8-bit text has for them (one byte each, so positions keep matching).
std::string BufferText(const QString& shown) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(shown.size()) + static_cast<std::size_t>(shown.count(u'\n')));
  for (const QChar c : shown) {
    if (c == u'\n') {
      bytes += "\r\n";
    } else {
      bytes += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?';
    }
  }
  return bytes;
}

void HideSelectionWhileUnfocused(QPlainTextEdit& edit) {
  QPalette palette = edit.palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Inactive, QPalette::Base));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Inactive, QPalette::Text));
  edit.setPalette(palette);
}

// Events through which the user can change the text or see its caret move: the widget must be up
// to date before any of them is handled.
bool CanEdit(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::ContextMenu:
      return true;
    default:
      return false;
  }
}

class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagGuard() { flag_ = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& flag_;
};

}  // namespace

TDataMemo::TDataMemo(QWidget* parent, std::size_t capacity)
    : widget_(new QPlainTextEdit(parent)), buffer_(capacity) {
  widget_->setObjectName("MemoData");
  widget_->setLineWrapMode(QPlainTextEdit::NoWrap);
  widget_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  widget_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  widget_->setReadOnly(false);
  HideSelectionWhileUnfocused(*widget_);
  widget_->installEventFilter(this);
  widget_->viewport()->installEventFilter(this);
  connect(widget_->document(), &QTextDocument::contentsChanged, this, &TDataMemo::OnContentsChanged);
  AppendLine("MemoData");
  Sync();
}

TDataMemo::~TDataMemo() {
  delete widget_.data();
}

QPlainTextEdit* TDataMemo::Widget() {
  Sync();
  return widget_.data();
}

int TDataMemo::LineCount() {
  PullUserEdits();
  return buffer_.LineCount();
}

// The widget is then set to the whole buffer at the next sync: a reaction's lines go in as one
// text, without a second copy of them waiting in the queue.
void TDataMemo::ClearLines() {
  buffer_.Clear();
  pending_.clear();
  rebuild_pending_ = true;
  user_edited_ = false;  // the user's text goes with everything else
  modified_ = false;
  ScheduleSync();
}

int TDataMemo::AppendLine(std::string_view line) {
  const int index = LineCount();
  InsertLine(index, line);
  return index;
}

void TDataMemo::InsertLine(int index, std::string_view line) {
  PullUserEdits();
  const TMemoInsertion insertion = buffer_.InsertLine(index, line);
  QueueInsertion(insertion);
  if (!insertion.complete)
    throw EOutOfResources();
}

const std::string& TDataMemo::Text() {
  PullUserEdits();
  return buffer_.Text();
}

void TDataMemo::SetVisible(bool visible) {
  visible_ = visible;
  if (widget_)
    widget_->setVisible(visible);
}

void TDataMemo::Sync() {
  if (!widget_) {
    pending_.clear();
    rebuild_pending_ = false;
    return;
  }
  if (pending_.empty() && !rebuild_pending_)
    return;
  ApplyPending();
}

bool TDataMemo::eventFilter(QObject* watched, QEvent* event) {
  if (CanEdit(event->type()))
    Sync();
  return QObject::eventFilter(watched, event);
}

// Input reaches the widget only after a sync, so user edits never meet pending insertions; should
// anything else edit the widget meanwhile, the pending insertions go in first and the widget's
// text then wins, so that buffer and widget agree again.
void TDataMemo::PullUserEdits() {
  if (!user_edited_)
    return;
  Sync();
  user_edited_ = false;
  if (!widget_)
    return;
  buffer_.Assign(BufferText(widget_->toPlainText()));
}

void TDataMemo::QueueInsertion(const TMemoInsertion& insertion) {
  if (insertion.piece.empty())
    return;
  ScheduleSync();
  if (rebuild_pending_)
    return;
  if (SplitsOrJoinsABreak(insertion)) {
    rebuild_pending_ = true;
    pending_.clear();
    return;
  }
  const std::size_t begin = insertion.position;
  const std::size_t end = begin + insertion.piece.size();
  const std::size_t breaks_before = buffer_.BreaksBefore(begin);
  const auto position = static_cast<int>(begin - breaks_before);
  const std::size_t shown_length = insertion.piece.size() - (buffer_.BreaksBefore(end) - breaks_before);
  if (!pending_.empty() && pending_.back().position + pending_.back().shown_length == std::size_t(position)) {
    pending_.back().piece.append(insertion.piece);
    pending_.back().shown_length += shown_length;
  } else {
    pending_.push_back({position, std::string(insertion.piece), shown_length});
  }
}

// A piece that starts with LF after a CR, ends with CR before an LF, or goes between the two
// characters of a CR LF changes how the text around it is shown; the widget is then rebuilt.
bool TDataMemo::SplitsOrJoinsABreak(const TMemoInsertion& insertion) const {
  const std::string& text = buffer_.Text();
  const std::size_t begin = insertion.position;
  const std::size_t end = begin + insertion.piece.size();
  const bool lf_after_end = end < text.size() && text[end] == '\n';
  const bool at_left = begin > 0 && text[begin - 1] == '\r' && (text[begin] == '\n' || lf_after_end);
  const bool at_right = text[end - 1] == '\r' && lf_after_end;
  return at_left || at_right;
}

void TDataMemo::ScheduleSync() {
  if (sync_scheduled_)
    return;
  sync_scheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        sync_scheduled_ = false;
        Sync();
      },
      Qt::QueuedConnection);
}

void TDataMemo::ApplyPending() {
  TFlagGuard syncing(syncing_);
  QTextDocument* document = widget_->document();
  document->setUndoRedoEnabled(false);  // the program's lines are not the user's to undo
  // The caret ends after the last piece inserted, as a replaced selection leaves it, and the view
  // follows it: the newest lines of a long reaction are the ones in sight.
  int caret = -1;
  if (rebuild_pending_) {
    widget_->setPlainText(ShownText(buffer_.Text()));
    caret = document->characterCount() - 1;
  } else {
    for (const TPendingInsert& insert : pending_) {
      QTextCursor cursor(document);
      cursor.setPosition(insert.position);
      cursor.insertText(ShownText(insert.piece));
      caret = cursor.position();
    }
  }
  document->setUndoRedoEnabled(true);
  if (caret >= 0) {
    QTextCursor cursor(document);
    cursor.setPosition(caret);
    widget_->setTextCursor(cursor);
    widget_->ensureCursorVisible();
  }
  pending_.clear();
  rebuild_pending_ = false;
}

void TDataMemo::OnContentsChanged() {
  if (syncing_)
    return;
  user_edited_ = true;
  modified_ = true;
}

}  // namespace corvane
