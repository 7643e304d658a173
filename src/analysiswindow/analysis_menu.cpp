#include "analysiswindow/analysis_menu.h"

#include <QAction>
#include <QMenu>

namespace corvane {
namespace {

QAction* MakeAction(QObject* parent, const char* text, const QKeySequence& shortcut,
                    std::function<void()> run) {
  auto* action = new QAction(QString::fromLatin1(text), parent);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(action, &QAction::triggered, parent, [run = std::move(run)] { run(); });
  return action;
}

}  // namespace

QKeySequence SeriesAnalysisShortcut() {
  return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
}
QKeySequence OpenReactionTimesShortcut() {
  return QKeySequence(QKeySequence::Open);
}

QAction* CreateSeriesAnalysisAction(QObject* parent, std::function<void()> open) {
  QAction* action = MakeAction(parent, kSeriesAnalysisText, SeriesAnalysisShortcut(), std::move(open));
  action->setObjectName("SeriesAnalysisAction");
  return action;
}

QAction* CreateOpenReactionTimesAction(QObject* parent, std::function<void()> open) {
  QAction* action = MakeAction(parent, kOpenReactionTimesText, OpenReactionTimesShortcut(), std::move(open));
  action->setObjectName("OpenReactionTimesAction");
  return action;
}

QMenu* CreateAnalysisMenu(QWidget* parent, QAction* series_analysis) {
  auto* menu = new QMenu(QString::fromLatin1(kAnalysisMenuTitle), parent);
  menu->setObjectName("AnalysisMenu");
  menu->addAction(series_analysis);
  return menu;
}

}  // namespace corvane
