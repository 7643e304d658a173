#include "memo/memo_accessible.h"

#include <QAccessibleWidget>
#include <QScrollBar>
#include <algorithm>

#include "memo/memo_document.h"
#include "memo/memo_view.h"

namespace corvane {
namespace {

// The generic boundary search of the text interface, run over one line only: a memo of a
// million lines must not be copied whole to find the word at an offset.
class TLineText final : public QAccessibleTextInterface {
 public:
  explicit TLineText(QString text) : text_(std::move(text)) {}
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override { return text_.mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(text_.size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = *end = 0;
    return {};
  }

 private:
  QString text_;
};

class TMemoAccessible final : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface {
 public:
  explicit TMemoAccessible(TMemoView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface)
      return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && View()->accessibleName().isEmpty())
      return QStringLiteral("Data memo");
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
  }

  // QAccessibleTextInterface
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index == 0 && Document().HasSelection()) {
      *start = Offset(Document().SelectionStart());
      *end = Offset(Document().SelectionEnd());
    }
  }
  int selectionCount() const override { return Document().HasSelection() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { Document().MoveCaret(Document().Caret(), false), View()->Sync(); }
  void setSelection(int, int start, int end) override {
    Document().SetSelection(Position(start), Position(end));
    View()->Sync();
  }
  int cursorPosition() const override { return Offset(Document().Caret()); }
  void setCursorPosition(int offset) override {
    Document().MoveCaret(Position(offset), false);
    View()->ScheduleSync(true);
  }
  QString text(int start, int end) const override {
    const std::size_t from = Position(start);
    const std::size_t to = std::max(from, Position(end));
    return ClipboardText(std::string_view(Document().Text()).substr(from, to - from));
  }
  int characterCount() const override { return Offset(Document().Text().size()); }
  QRect characterRect(int offset) const override {
    const std::size_t position = Position(offset);
    const QPoint top = View()->PointOf(position);
    const std::string_view text(Document().Text());
    const int width =
        position < text.size()
            ? Document().Layout().Advance(static_cast<unsigned char>(text[position])) / TMemoTextLayout::kUnit
            : 1;
    const QPoint global = View()->viewport()->mapToGlobal(top);
    return {global.x(), global.y(), std::max(1, width), View()->LineHeight()};
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = View()->viewport()->mapFromGlobal(point);
    return View()->viewport()->rect().contains(local) ? Offset(View()->PositionAt(local)) : -1;
  }
  void scrollToSubstring(int start, int) override {
    Document().MoveCaret(Position(start), false);
    View()->ScheduleSync(true);
  }
  QString attributes(int offset, int* start, int* end) const override {
    *start = offset;
    *end = offset;
    return {};
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                           int* end) const override {
    return AroundOffset(offset, type, start, end, &QAccessibleTextInterface::textBeforeOffset);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                          int* end) const override {
    return AroundOffset(offset, type, start, end, &QAccessibleTextInterface::textAfterOffset);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    return AroundOffset(offset, type, start, end, &QAccessibleTextInterface::textAtOffset);
  }

  // QAccessibleEditableTextInterface: edits as the user's own, undoable.
  void deleteText(int start, int end) override { replaceText(start, end, QString()); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    Document().SetSelection(Position(start), Position(end));
    Document().InsertText(BytesFromUserText(text));
    View()->ScheduleSync(true);
  }

 private:
  using TAround = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;

  // The boundary search runs over the line of the offset and the lines next to it.
  QString AroundOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end,
                       TAround around) const {
    const TMemoBuffer& buffer = Document().Buffer();
    const std::size_t line = buffer.BreaksBefore(Position(offset));
    const std::size_t first = line > 0 ? line - 1 : 0;
    const std::size_t last = std::min(line + 1, buffer.ShownLineCount() - 1);
    const std::size_t from = buffer.ShownLineStart(first);
    const std::size_t to = buffer.ShownLineEnd(last);
    const int base = Offset(from);
    TLineText local(ClipboardText(std::string_view(buffer.Text()).substr(from, to - from)));
    const QString found = (local.*around)(offset - base, type, start, end);
    if (*start >= 0)
      *start += base;
    if (*end >= 0)
      *end += base;
    return found;
  }

  TMemoView* View() const { return static_cast<TMemoView*>(widget()); }
  TMemoDocument& Document() const { return View()->Document(); }
  int Offset(std::size_t position) const { return MemoCharacterOffset(Document().Buffer(), position); }
  std::size_t Position(int offset) const { return MemoBytePosition(Document().Buffer(), offset); }
};

QAccessibleInterface* MemoFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(TMemoView::staticMetaObject.className()) && object &&
      object->isWidgetType())
    return new TMemoAccessible(static_cast<TMemoView*>(object));
  return nullptr;
}

}  // namespace

void InstallMemoAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(MemoFactory);
    return true;
  }();
  (void)installed;
}

int MemoCharacterOffset(const TMemoBuffer& buffer, std::size_t position) {
  position = std::min(position, buffer.Size());
  return static_cast<int>(std::min<std::size_t>(position - buffer.BreaksBefore(position), INT_MAX));
}

// Line k starts at byte ShownLineStart(k) and character ShownLineStart(k) - k: the last line
// starting at or before the offset holds it.
std::size_t MemoBytePosition(const TMemoBuffer& buffer, int offset) {
  if (offset <= 0)
    return 0;
  const auto wanted = static_cast<std::size_t>(offset);
  std::size_t low = 0;
  std::size_t high = buffer.ShownLineCount() - 1;
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (buffer.ShownLineStart(mid) - mid <= wanted)
      low = mid;
    else
      high = mid - 1;
  }
  const std::size_t start = buffer.ShownLineStart(low);
  return std::min(start + (wanted - (start - low)), buffer.ShownLineEnd(low));
}

}  // namespace corvane
