// The memo view's input: keys and input methods, the mouse, the clipboard and the context menu.
// Every edit goes to the document; the view then catches up at once, caret in sight.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <functional>

#include "memo/memo_document.h"
#include "memo/memo_view.h"

namespace corvane {
namespace {

constexpr int kAutoScrollInterval = 50;  // ms between steps while a drag holds the mouse outside

QString WithShortcut(const QString& text, QKeySequence::StandardKey key) {
  const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
  return shortcut.isEmpty() ? text : text + u'\t' + shortcut;
}

}  // namespace

// The editing keys belong to the memo even where the window might bind them.
bool TMemoView::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool printable = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    static constexpr QKeySequence::StandardKey kOwn[] = {QKeySequence::Undo,
                                                         QKeySequence::Redo,
                                                         QKeySequence::Cut,
                                                         QKeySequence::Copy,
                                                         QKeySequence::Paste,
                                                         QKeySequence::SelectAll,
                                                         QKeySequence::Delete,
                                                         QKeySequence::DeleteEndOfWord,
                                                         QKeySequence::DeleteStartOfWord,
                                                         QKeySequence::MoveToNextWord,
                                                         QKeySequence::MoveToPreviousWord,
                                                         QKeySequence::SelectNextWord,
                                                         QKeySequence::SelectPreviousWord,
                                                         QKeySequence::MoveToStartOfDocument,
                                                         QKeySequence::MoveToEndOfDocument,
                                                         QKeySequence::SelectStartOfDocument,
                                                         QKeySequence::SelectEndOfDocument};
    if (printable || std::any_of(std::begin(kOwn), std::end(kOwn), [&](auto k) { return key->matches(k); })) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

// Tab and Shift+Tab never get here: the widget's own event handling moves the focus with them.
void TMemoView::keyPressEvent(QKeyEvent* event) {
  if (HandleCommandKey(event) || HandleMoveKey(event)) {
    event->accept();
    return;
  }
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    TypeText(QStringLiteral("\n"), false);
  } else if (key == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
    document_.DeleteBackward();
    AfterChange();
  } else if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    TypeText(event->text(), true);
  } else {
    QAbstractScrollArea::keyPressEvent(event);  // scrolling keys of the area, or ignored
    return;
  }
  event->accept();
}

bool TMemoView::HandleCommandKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo))
    Undo();
  else if (event->matches(QKeySequence::Redo))
    Redo();
  else if (event->matches(QKeySequence::Cut))
    Cut();
  else if (event->matches(QKeySequence::Copy))
    Copy();
  else if (event->matches(QKeySequence::Paste))
    Paste();
  else if (event->matches(QKeySequence::SelectAll))
    SelectAll();
  else if (event->matches(QKeySequence::Delete)) {
    document_.DeleteForward();
    AfterChange();
  } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
    document_.DeleteBackward(true);
    AfterChange();
  } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
    document_.DeleteForward(true);
    AfterChange();
  } else {
    return false;
  }
  return true;
}

// Caret moves; the Select variants keep the anchor. Up and down aim for the x they started from.
bool TMemoView::HandleMoveKey(QKeyEvent* event) {
  const TMemoBuffer& buffer = document_.Buffer();
  const std::size_t caret = document_.Caret();
  const std::size_t line = document_.LineOf(caret);
  const auto vertical = [&](long long lines) {
    if (wanted_x_ < 0)
      wanted_x_ = document_.Layout().XOf(buffer.ShownLine(line), caret - buffer.ShownLineStart(line));
    const auto target = static_cast<std::size_t>(std::clamp<long long>(
        static_cast<long long>(line) + lines, 0, static_cast<long long>(buffer.ShownLineCount()) - 1));
    return buffer.ShownLineStart(target) + document_.Layout().ColumnAt(buffer.ShownLine(target), wanted_x_);
  };
  const int page = FullyVisibleLines();
  // Where each key takes the caret, given whether it extends the selection; keeps_x: up and down
  // keep aiming for the column they started from. A page also scrolls the view by a page.
  struct TMove {
    QKeySequence::StandardKey move;
    QKeySequence::StandardKey select;
    bool keeps_x;
    int scroll;
    std::function<std::size_t(bool select)> target;
  };
  const TMove moves[] = {
      // An arrow without Shift first collapses a selection to its end.
      {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, false, 0,
       [&](bool select) {
         return document_.HasSelection() && !select ? document_.SelectionEnd()
                                                    : document_.NextPosition(caret);
       }},
      {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, false, 0,
       [&](bool select) {
         return document_.HasSelection() && !select ? document_.SelectionStart()
                                                    : document_.PreviousPosition(caret);
       }},
      {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, false, 0,
       [&](bool) { return document_.NextWord(caret); }},
      {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, false, 0,
       [&](bool) { return document_.PreviousWord(caret); }},
      {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, true, 0,
       [&](bool) { return vertical(1); }},
      {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, true, 0,
       [&](bool) { return vertical(-1); }},
      {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, false, 0,
       [&](bool) { return buffer.ShownLineStart(line); }},
      {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, false, 0,
       [&](bool) { return buffer.ShownLineEnd(line); }},
      {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, false, 0,
       [](bool) { return std::size_t{0}; }},
      {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, false, 0,
       [&](bool) { return buffer.Size(); }},
      {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, true, page,
       [&](bool) { return vertical(page); }},
      {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, true, -page,
       [&](bool) { return vertical(-page); }},
  };
  for (const TMove& move : moves) {
    const bool select = event->matches(move.select);
    if (!select && !event->matches(move.move))
      continue;
    const std::size_t target = move.target(select);
    if (move.scroll != 0)
      verticalScrollBar()->setValue(verticalScrollBar()->value() + move.scroll);
    const auto x = wanted_x_;
    document_.MoveCaret(target, select);
    AfterChange();
    if (move.keeps_x)
      wanted_x_ = x;
    return true;
  }
  return false;
}

void TMemoView::TypeText(const QString& text, bool typing) {
  if (!document_.InsertText(BytesFromUserText(text), typing))
    QApplication::beep();  // the capacity took only part of it
  AfterChange();
}

// After an edit or a caret move: the view catches up at once, caret in sight and shown.
void TMemoView::AfterChange() {
  wanted_x_ = -1;
  follow_pending_ = true;
  Sync();
  RestartBlink();
}

void TMemoView::Undo() {
  document_.Undo();
  AfterChange();
}

void TMemoView::Redo() {
  document_.Redo();
  AfterChange();
}

void TMemoView::Copy() {
  if (document_.HasSelection())
    QApplication::clipboard()->setText(ClipboardText(document_.SelectedBytes()));
}

// What the mouse selected becomes the system's selection clipboard, where there is one.
void TMemoView::OfferSelection() {
  QClipboard* clipboard = QApplication::clipboard();
  if (document_.HasSelection() && clipboard->supportsSelection())
    clipboard->setText(ClipboardText(document_.SelectedBytes()), QClipboard::Selection);
}

void TMemoView::Cut() {
  if (!document_.HasSelection())
    return;
  Copy();
  DeleteSelection();
}

void TMemoView::Paste() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (mime && mime->hasText())
    TypeText(mime->text(), false);
}

void TMemoView::DeleteSelection() {
  document_.DeleteSelection();
  AfterChange();
}

void TMemoView::SelectAll() {
  document_.SelectAll();
  AfterChange();
}

QMenu* TMemoView::CreateContextMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName("MemoContextMenu");
  const bool selection = document_.HasSelection();
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  const auto add = [&](const QString& text, QKeySequence::StandardKey key, bool enabled,
                       void (TMemoView::*command)()) {
    QAction* action = menu->addAction(WithShortcut(text, key));
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, command);
  };
  add(tr("&Undo"), QKeySequence::Undo, document_.CanUndo(), &TMemoView::Undo);
  add(tr("&Redo"), QKeySequence::Redo, document_.CanRedo(), &TMemoView::Redo);
  menu->addSeparator();
  add(tr("Cu&t"), QKeySequence::Cut, selection, &TMemoView::Cut);
  add(tr("&Copy"), QKeySequence::Copy, selection, &TMemoView::Copy);
  add(tr("&Paste"), QKeySequence::Paste, clip && clip->hasText(), &TMemoView::Paste);
  add(tr("Delete"), QKeySequence::Delete, selection, &TMemoView::DeleteSelection);
  menu->addSeparator();
  add(tr("Select All"), QKeySequence::SelectAll, !document_.Text().empty(), &TMemoView::SelectAll);
  // The owner's entries ("Save log as...") close the menu; they stay the owner's.
  const QList<QAction*> owner = actions();
  if (!owner.isEmpty()) {
    menu->addSeparator();
    menu->addActions(owner);
  }
  return menu;
}

void TMemoView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu_open_ = true;  // the selection stays in sight while the menu has the keyboard
  // From the keyboard the menu opens at the caret, where the user is looking.
  const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                        ? viewport()->mapToGlobal(CaretRect().bottomLeft())
                        : event->globalPos();
  menu->exec(at);
  menu_open_ = false;
  delete menu;
  viewport()->update();
}

void TMemoView::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty())
    TypeText(event->commitString(), true);
  event->accept();
}

QVariant TMemoView::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImCursorRectangle:
      return CaretRect().translated(viewport()->pos());
    case Qt::ImEnabled:
      return true;
    case Qt::ImHints:
      return int(Qt::ImhMultiLine);
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

void TMemoView::mousePressEvent(QMouseEvent* event) {
  // Where the system has a selection clipboard, the middle button pastes it at the mouse.
  if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
    document_.MoveCaret(PositionAt(event->position().toPoint()), false);
    TypeText(QApplication::clipboard()->text(QClipboard::Selection), false);
    return;
  }
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  document_.MoveCaret(PositionAt(event->position().toPoint()), extend);
  dragging_ = true;
  drag_point_ = event->position().toPoint();
  AfterChange();
}

void TMemoView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseDoubleClickEvent(event);
    return;
  }
  document_.SelectWordAt(PositionAt(event->position().toPoint()));
  dragging_ = false;
  AfterChange();
  OfferSelection();
}

void TMemoView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton))
    return;
  drag_point_ = event->position().toPoint();
  DragSelectTo(drag_point_);
  // Outside the text the view keeps scrolling toward the mouse until it comes back or lets go.
  if (viewport()->rect().contains(drag_point_))
    auto_scroll_.stop();
  else if (!auto_scroll_.isActive())
    auto_scroll_.start(kAutoScrollInterval, this);
}

void TMemoView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging_ = false;
    auto_scroll_.stop();
    OfferSelection();
  }
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void TMemoView::DragSelectTo(QPoint point) {
  if (!dragging_) {
    auto_scroll_.stop();
    return;
  }
  document_.MoveCaret(PositionAt(point), true);
  AfterChange();
}

}  // namespace corvane
