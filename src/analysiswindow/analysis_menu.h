// The analysis entries of the main window's menus: Analysis "Series analysis..." (also in the
// reaction-time chart's context menu) and File "Open reaction times...". Each is a QAction with
// its shortcut, so the main window can also carry it without a menu bar (window shortcut).
#pragma once

#include <QKeySequence>
#include <functional>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace corvane {

inline constexpr char kAnalysisMenuTitle[] = "&Analysis";
inline constexpr char kSeriesAnalysisText[] = "&Series analysis...";
inline constexpr char kOpenReactionTimesText[] = "&Open reaction times...";
inline constexpr char kPasteReactionTimesText[] = "&Paste reaction times";

QKeySequence SeriesAnalysisShortcut();     // Ctrl+Shift+A
QKeySequence OpenReactionTimesShortcut();  // Ctrl+O

QAction* CreateSeriesAnalysisAction(QObject* parent, std::function<void()> open);
QAction* CreateOpenReactionTimesAction(QObject* parent, std::function<void()> open);

// "Analysis" with "Series analysis...", for the menu bar (before Help).
QMenu* CreateAnalysisMenu(QWidget* parent, QAction* series_analysis);

}  // namespace corvane
