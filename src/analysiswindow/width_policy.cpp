#include "analysiswindow/width_policy.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

#include "analysiswindow/table_view.h"

namespace corvane {

TTableWidthPolicy::TTableWidthPolicy(QMainWindow& window, QSplitter& split, TAnalysisTableView& table)
    : QObject(&window), window_(window), split_(split), table_(table) {
  split_.setStretchFactor(0, 1);
  split_.setStretchFactor(1, 0);
  split_.setCollapsible(0, false);
  connect(&split_, &QSplitter::splitterMoved, this, [this] { divider_moved_ = true; });
  split_.installEventFilter(this);
}

void TTableWidthPolicy::TableGrew() {
  FitDivider();
}

void TTableWidthPolicy::FitDivider() {
  if (divider_moved_)
    return;
  const int room = std::max(split_.width() - split_.handleWidth(), kChartsMinimumWidth);
  const int table = std::clamp(table_.FullWidth(), 0, room - kChartsMinimumWidth);
  split_.setSizes({room - table, table});
}

bool TTableWidthPolicy::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &split_ && event->type() == QEvent::Resize)
    FitDivider();
  return QObject::eventFilter(watched, event);
}

QSize TTableWidthPolicy::OpeningSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize room = screen ? screen->availableGeometry().size() : QSize(kOpeningWidth, kOpeningHeight);
  const QMargins margins = window_.centralWidget()->layout()->contentsMargins();
  const int wanted = kChartsOpeningWidth + split_.handleWidth() + table_.FullWidth() + kFitColumnsReserve +
                     margins.left() + margins.right();
  return {std::min(std::max(wanted, kOpeningWidth), room.width()), std::min(kOpeningHeight, room.height())};
}

}  // namespace corvane
