#include "chart/chart_accessible.h"

#include <QAccessibleWidget>

#include "chart/chart.h"

namespace corvane {
namespace {

class TChartAccessible final : public QAccessibleWidget {
 public:
  explicit TChartAccessible(TChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
      return QString::fromStdString(TitleAsName(Chart()->Title().Text()));
    return QAccessibleWidget::text(kind);
  }

 private:
  const TChart* Chart() const { return static_cast<const TChart*>(widget()); }
};

QAccessibleInterface* ChartFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(TChart::staticMetaObject.className()) && object && object->isWidgetType())
    return new TChartAccessible(static_cast<TChart*>(object));
  return nullptr;
}

}  // namespace

void InstallChartAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ChartFactory);
    return true;
  }();
  (void)installed;
}

std::string TitleAsName(const std::vector<std::string>& lines) {
  std::string name;
  for (const std::string& line : lines) {
    if (line.empty())
      continue;
    if (!name.empty())
      name += ' ';
    name += line;
  }
  return name;
}

}  // namespace corvane
