#include "memo/data_memo.h"

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
  document_.Clear();
  if (view_)
    view_->ScheduleSync(true);
}

int TDataMemo::AppendLine(std::string_view line) {
  const int index = LineCount();
  InsertLine(index, line);
  return index;
}

void TDataMemo::InsertLine(int index, std::string_view line) {
  const TMemoInsertion insertion = document_.InsertLine(index, line);
  if (!insertion.piece.empty() && view_)
    view_->ScheduleSync(true);  // the newest lines of a long reaction are the ones in sight
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
}

}  // namespace corvane
