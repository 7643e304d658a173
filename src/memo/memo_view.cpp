#include "memo/memo_view.h"

#include <QAccessible>
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "memo/memo_accessible.h"
#include "memo/memo_document.h"

namespace corvane {
namespace {

constexpr int kUnit = TMemoTextLayout::kUnit;

qreal Pixels(TMemoX units) {
  return qreal(units) / kUnit;
}

// The columns [first, last) of a line that reach into the pixels [0, width) once the line starts
// at `origin` (1/64 pixel), with the x where the first of them starts.
struct TVisibleColumns {
  std::size_t first = 0;
  std::size_t last = 0;
  TMemoX x = 0;
};

TVisibleColumns VisibleColumns(const TMemoTextLayout& layout, std::string_view line, TMemoX origin,
                               int width) {
  TVisibleColumns columns;
  TMemoX x = 0;
  std::size_t i = 0;
  for (TMemoX next = 0; i < line.size() && origin + (next = layout.Step(x, line[i])) <= 0; ++i) x = next;
  columns.first = i;
  columns.x = x;
  for (const TMemoX limit = TMemoX{width} * kUnit; i < line.size() && origin + x < limit; ++i)
    x = layout.Step(x, line[i]);
  columns.last = i;
  return columns;
}

}  // namespace

TMemoView::TMemoView(TMemoDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_KeyCompression);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  InstallMemoAccessibility();
  UpdateFont();
}

TMemoView::~TMemoView() = default;

void TMemoView::ScheduleSync(bool follow) {
  follow_pending_ = follow_pending_ || follow;
  if (sync_posted_)
    return;
  sync_posted_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        sync_posted_ = false;
        Sync();
      },
      Qt::QueuedConnection);
}

void TMemoView::Sync() {
  const bool changed = synced_revision_ != document_.Revision();
  if (!changed && !follow_pending_)
    return;
  synced_revision_ = document_.Revision();
  const bool text_changed = synced_text_revision_ != document_.TextRevision();
  synced_text_revision_ = document_.TextRevision();
  UpdateScrollBars();
  if (follow_pending_)
    EnsureCaretVisible();
  follow_pending_ = false;
  viewport()->update();
  if (changed)
    NotifyAccessibility(text_changed);
}

std::size_t TMemoView::FirstVisibleLine() const {
  return static_cast<std::size_t>(std::max(0, verticalScrollBar()->value()));
}

int TMemoView::FullyVisibleLines() const {
  return std::max(1, (viewport()->height() - kMargin) / line_height_);
}

QPoint TMemoView::PointOf(std::size_t position) const {
  const TMemoBuffer& buffer = document_.Buffer();
  position = std::min(position, buffer.Size());
  const std::size_t line = buffer.BreaksBefore(position);
  const std::size_t column = position - buffer.ShownLineStart(line);
  const TMemoX x = document_.Layout().XOf(buffer.ShownLine(line), column);
  const auto rows = static_cast<long long>(line) - static_cast<long long>(FirstVisibleLine());
  return {kMargin - horizontalScrollBar()->value() + static_cast<int>(std::lround(Pixels(x))),
          kMargin + static_cast<int>(rows * line_height_)};
}

std::size_t TMemoView::PositionAt(QPoint point) const {
  const TMemoBuffer& buffer = document_.Buffer();
  const long long row = (point.y() - kMargin) >= 0 ? (point.y() - kMargin) / line_height_ : -1;
  const long long wanted = static_cast<long long>(FirstVisibleLine()) + row;
  const auto line = static_cast<std::size_t>(
      std::clamp<long long>(wanted, 0, static_cast<long long>(buffer.ShownLineCount()) - 1));
  const TMemoX x = TMemoX{point.x() - kMargin + horizontalScrollBar()->value()} * kUnit;
  return buffer.ShownLineStart(line) + document_.Layout().ColumnAt(buffer.ShownLine(line), x);
}

QRect TMemoView::CaretRect() const {
  const QPoint top = PointOf(document_.Caret());
  return {top.x(), top.y(), 1, line_height_};
}

void TMemoView::EnsureCaretVisible() {
  const TMemoBuffer& buffer = document_.Buffer();
  const std::size_t line = document_.LineOf(document_.Caret());
  const std::size_t first = FirstVisibleLine();
  const auto full = static_cast<std::size_t>(FullyVisibleLines());
  if (line < first)
    verticalScrollBar()->setValue(static_cast<int>(line));
  else if (line >= first + full)
    verticalScrollBar()->setValue(static_cast<int>(line - full + 1));
  const std::size_t column = document_.Caret() - buffer.ShownLineStart(line);
  const int x = static_cast<int>(std::lround(Pixels(document_.Layout().XOf(buffer.ShownLine(line), column))));
  const int shown = viewport()->width() - 2 * kMargin - 1;
  QScrollBar* bar = horizontalScrollBar();
  if (x < bar->value())
    bar->setValue(x);
  else if (x > bar->value() + shown)
    bar->setValue(x - shown);
}

// The ranges alone decide whether a bar shows: each appears while its content exceeds the view.
void TMemoView::UpdateScrollBars() {
  const TMemoBuffer& buffer = document_.Buffer();
  const int full = FullyVisibleLines();
  const auto lines = static_cast<long long>(buffer.ShownLineCount());
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, static_cast<int>(std::min<long long>(INT_MAX, std::max<long long>(0, lines - full))));
  vertical->setPageStep(full);
  vertical->setSingleStep(1);
  const auto content =
      static_cast<int>(std::min<qreal>(INT_MAX / 2, std::ceil(Pixels(document_.WidestLine())))) +
      2 * kMargin + 1;
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, std::max(0, content - viewport()->width()));
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 2));
}

void TMemoView::UpdateFont() {
  const QFontMetrics metrics(TMemoTextLayout::DrawingFont(font()));
  line_height_ = std::max(1, metrics.lineSpacing());
  ascent_ = metrics.ascent();
  document_.SetLayout(TMemoTextLayout::FromFont(font()));
  synced_revision_ = ~std::uint64_t{0};
  Sync();
}

bool TMemoView::SelectionShown() const {
  return document_.HasSelection() && (hasFocus() || menu_open_);
}

void TMemoView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(TMemoTextLayout::DrawingFont(font()));
  const TMemoBuffer& buffer = document_.Buffer();
  const TMemoTextLayout& layout = document_.Layout();
  const QPalette& colors = palette();
  const bool show_selection = SelectionShown();
  const std::size_t selection_start = document_.SelectionStart();
  const std::size_t selection_end = document_.SelectionEnd();
  const TMemoX origin = TMemoX{kMargin - horizontalScrollBar()->value()} * kUnit;
  const int width = viewport()->width();
  const QRect dirty = event->rect();

  painted_lines_ = 0;
  int top = kMargin;
  for (std::size_t line = FirstVisibleLine(); line < buffer.ShownLineCount() && top < dirty.bottom() + 1;
       ++line, top += line_height_) {
    if (top + line_height_ <= dirty.top())
      continue;
    ++painted_lines_;
    const std::string_view text = buffer.ShownLine(line);
    const std::size_t start = buffer.ShownLineStart(line);
    const TVisibleColumns columns = VisibleColumns(layout, text, origin, width);
    // Selected columns of this line; a selected break shows as a space-wide box after the text.
    std::size_t selected_first = columns.last;
    std::size_t selected_last = columns.last;
    if (show_selection && selection_start < start + text.size() + 2 && selection_end > start) {
      selected_first = std::clamp(selection_start, start, start + text.size()) - start;
      selected_last = std::clamp(selection_end, start, start + text.size()) - start;
      const TMemoX left = origin + layout.XOf(text, selected_first);
      TMemoX right = origin + layout.XOf(text, selected_last);
      if (selection_end > start + text.size() && line + 1 < buffer.ShownLineCount())
        right += layout.Advance(' ');
      painter.fillRect(QRectF(Pixels(left), top, Pixels(right - left), line_height_),
                       colors.color(QPalette::Highlight));
    }
    // Runs of one colour, split at tabs, each drawn from its own exact x.
    const auto draw = [&](std::size_t from, std::size_t to, const QColor& color) {
      painter.setPen(color);
      std::size_t run = from;
      for (std::size_t i = from; i <= to; ++i) {
        if (i < to && text[i] != '\t')
          continue;
        if (i > run)
          painter.drawText(QPointF(Pixels(origin + layout.XOf(text, run)), top + ascent_),
                           ShownText(text.substr(run, i - run)));
        run = i + 1;
      }
    };
    const std::size_t first = columns.first;
    const std::size_t last = columns.last;
    const std::size_t a = std::clamp(selected_first, first, last);
    const std::size_t b = std::clamp(selected_last, first, last);
    draw(first, a, colors.color(QPalette::Text));
    draw(a, b, colors.color(QPalette::HighlightedText));
    draw(b, last, colors.color(QPalette::Text));
  }
  if (hasFocus() && caret_on_)
    painter.fillRect(CaretRect(), colors.color(QPalette::Text));
}

void TMemoView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TMemoView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange)
    UpdateFont();
}

void TMemoView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  RestartBlink();
  viewport()->update();
}

void TMemoView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blink_.stop();
  viewport()->update();
}

void TMemoView::RestartBlink() {
  caret_on_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0 && hasFocus())
    blink_.start(flash / 2, this);
  else
    blink_.stop();
  viewport()->update(CaretRect().adjusted(-1, 0, 1, 0));
}

void TMemoView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == blink_.timerId()) {
    caret_on_ = !caret_on_;
    viewport()->update(CaretRect().adjusted(-1, 0, 1, 0));
  } else if (event->timerId() == auto_scroll_.timerId()) {
    DragSelectTo(drag_point_);
  } else {
    QAbstractScrollArea::timerEvent(event);
  }
}

void TMemoView::NotifyAccessibility(bool text_changed) {
  if (!QAccessible::isActive())
    return;
  if (text_changed) {
    QAccessibleTextUpdateEvent update(this, 0, QString(), QString());
    QAccessible::updateAccessibility(&update);
  }
  const int caret = MemoCharacterOffset(document_.Buffer(), document_.Caret());
  if (document_.HasSelection()) {
    QAccessibleTextSelectionEvent selection(
        this, MemoCharacterOffset(document_.Buffer(), document_.SelectionStart()),
        MemoCharacterOffset(document_.Buffer(), document_.SelectionEnd()));
    selection.setCursorPosition(caret);
    QAccessible::updateAccessibility(&selection);
  } else {
    QAccessibleTextCursorEvent cursor(this, caret);
    QAccessible::updateAccessibility(&cursor);
  }
}

}  // namespace corvane
