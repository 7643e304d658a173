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
      ChartImage(chart, chart.width(), chart.height(), chart.devicePixelRatioF()));
}

void CopyChartData(const TChart& chart) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(ChartDataOf(chart)));
}

QMenu* CreateChartMenu(TChart& chart) {
  auto* menu = new QMenu(&chart);
  QObject::connect(menu->addAction(QString::fromLatin1(chart_text::kCopyImage)), &QAction::triggered, &chart,
                   [&chart] { CopyChartImage(chart); });
  QObject::connect(menu->addAction(QString::fromLatin1(chart_text::kCopyData)), &QAction::triggered, &chart,
                   [&chart] { CopyChartData(chart); });
  QObject::connect(menu->addAction(QString::fromLatin1(chart_text::kResetZoom)), &QAction::triggered, &chart,
                   [&chart] { chart.ResetZoom(); });
  return menu;
}

}  // namespace corvane
