// The Help menu's pages: "Parameters and model", "The log's columns", "Series analysis table",
// "Fit" (the analysis window's methods, intervals, verdict and comparison) and "Mouse and keys",
// each one page of rich text in a window of its own beside the main window (opened again, it
// comes to the front), and "About Corvane" in the toolkit's about box.
//
// The log's page explains the columns on a reaction it simulates itself, with the default
// parameters from kLogExampleSeed (a generator of its own: the window's series is untouched), so
// its worked lines are the very lines a press from that seed writes, in the decimal mark of the
// moment.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace corvane {

// The pages as rich text (HTML), for the windows and for tests.
QString ParametersAndModelPage();
QString MouseAndKeysPage();
QString LogColumnsPage();
QString AnalysisTablePage();
QString FitPage();

// The seed of the log page's reaction: the default parameters give it three cycles.
inline constexpr unsigned kLogExampleSeed = 20261209;
// Name, version from the build, licence, the Qt version in use; then `series`, a paragraph on
// the current series (its seed), when given.
QString AboutText(const QString& series = {});

// Shows the page in a window owned by `owner`, one per title, non-modal, first at `size`.
void ShowHelpPage(QWidget* owner, const QString& title, const QString& html, QSize size = QSize(560, 520));
void ShowAbout(QWidget* owner, const QString& series = {});

}  // namespace corvane
