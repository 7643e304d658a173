// TMemoView: the data memo's widget, a scroll area that paints the document's lines straight from
// the buffer's line index. It keeps no copy of the text: painting costs the lines in sight,
// whatever the line count, and the scroll bars' ranges come from the line count and the widest
// line. Input becomes document edits (memo_document.h); memo_view_input.cpp holds the keyboard,
// mouse, clipboard and context menu, memo_accessible.h what assistive technology sees.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <cstddef>
#include <cstdint>

class QMenu;

namespace corvane {

class TMemoDocument;

class TMemoView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kMargin = 3;  // pixels between the frame and the text

  TMemoView(TMemoDocument& document, QWidget* parent);
  ~TMemoView() override;

  TMemoDocument& Document() const noexcept { return document_; }

  // The document changed: the view catches up when the event loop next runs, or on Sync.
  // `follow` brings the caret into sight then, as after the program's lines.
  void ScheduleSync(bool follow);
  // Scroll bars, caret and picture up to date with the document now; cheap when nothing changed.
  void Sync();

  // Geometry in viewport pixels.
  int LineHeight() const noexcept { return line_height_; }
  std::size_t FirstVisibleLine() const;
  int FullyVisibleLines() const;
  QRect CaretRect() const;
  QPoint PointOf(std::size_t position) const;  // top-left of the character cell
  std::size_t PositionAt(QPoint point) const;
  void EnsureCaretVisible();
  // How many lines the last paint drew.
  int PaintedLines() const noexcept { return painted_lines_; }

  // The edit commands of the keyboard and the context menu.
  void Undo();
  void Redo();
  void Cut();
  void Copy();
  void Paste();
  void DeleteSelection();
  void SelectAll();
  // The context menu, enabled as the state allows, the widget's own actions (an owner's entries) last;
  // the caller owns it.
  QMenu* CreateContextMenu();

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  bool HandleCommandKey(QKeyEvent* event);
  bool HandleMoveKey(QKeyEvent* event);
  void TypeText(const QString& text, bool typing);
  void AfterChange();
  void OfferSelection();
  void DragSelectTo(QPoint point);
  void UpdateFont();
  void UpdateScrollBars();
  void RestartBlink();
  bool SelectionShown() const;
  void NotifyAccessibility(bool text_changed);

  TMemoDocument& document_;
  int line_height_ = 1;
  int ascent_ = 0;
  int painted_lines_ = 0;
  bool sync_posted_ = false;
  bool follow_pending_ = false;
  std::uint64_t synced_revision_ = ~std::uint64_t{0};
  std::uint64_t synced_text_revision_ = 0;
  bool caret_on_ = true;
  bool menu_open_ = false;
  bool dragging_ = false;
  std::int64_t wanted_x_ = -1;  // the x that up and down keep aiming for, in 1/64 pixel
  QPoint drag_point_;
  QBasicTimer blink_;
  QBasicTimer auto_scroll_;
};

}  // namespace corvane
