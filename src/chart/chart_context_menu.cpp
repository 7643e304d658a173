#include "chart/chart_context_menu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "chart/chart.h"
#include "chart/chart_data_text.h"
#include "chart/chart_strings.h"

namespace corvane {

QImage ChartImage(TCustomChart& chart, int width, int height, double ratio) {
  QImage image = chart.UpdateCachedImage(width, height, ratio).Image().copy();
  image.setDevicePixelRatio(ratio);
  return image;
}

std::string ChartDataOf(const TChart& chart) {
  const std::vector<TDataColumn> columns =
      chart.OnGetDataColumns ? chart.OnGetDataColumns(chart) : SeriesDataColumns(chart);
  return ChartDataText(chart.BottomAxis().Title().Caption(), columns);
}

void CopyChartImage(TChart& chart) {
  QGuiApplication::clipboard()->setImage(
      ChartImage(chart, chart.ContentWidth(), chart.ContentHeight(), chart.ContentPixelRatio()));
}

void CopyChartData(const TChart& chart) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(ChartDataOf(chart)));
}

namespace {

// The owner's entries lead the menu, as the chart's actions stand at the time it opens.
void SyncOwnerEntries(QMenu& menu, QAction& own_first, TChart& chart) {
  for (QAction* action : menu.actions()) {
    if (action == &own_first)
      break;
    menu.removeAction(action);
    if (action->parent() == &menu)
      delete action;  // the separator made here
  }
  const QList<QAction*> owner = chart.actions();
  menu.insertActions(&own_first, owner);
  if (!owner.isEmpty())
    menu.insertSeparator(&own_first);
}

}  // namespace

QAction* AddChartMenuEntry(TChart& chart, const QString& text, std::function<void()> run) {
  auto* action = new QAction(text, &chart);
  QObject::connect(action, &QAction::triggered, &chart, [run = std::move(run)] { run(); });
  chart.addAction(action);
  return action;
}

QMenu* CreateChartMenu(TChart& chart) {
  auto* menu = new QMenu(&chart);
  QObject::connect(menu->addAction(QString::fromLatin1(chart_text::kCopyImage)), &QAction::triggered, &chart,
                   [&chart] { CopyChartImage(chart); });
  QObject::connect(menu->addAction(QString::fromLatin1(chart_text::kCopyData)), &QAction::triggered, &chart,
                   [&chart] { CopyChartData(chart); });
  QObject::connect(menu->addAction(QString::fromLatin1(chart_text::kResetZoom)), &QAction::triggered, &chart,
                   [&chart] { chart.ResetZoom(); });
  QAction* own_first = menu->actions().front();
  SyncOwnerEntries(*menu, *own_first, chart);
  QObject::connect(menu, &QMenu::aboutToShow, menu,
                   [menu, own_first, &chart] { SyncOwnerEntries(*menu, *own_first, chart); });
  return menu;
}

}  // namespace corvane
