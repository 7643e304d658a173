// The Help menu's pages: "Parameters and model" and "Mouse and keys", each one page of rich text
// in a window of its own beside the main window (opened again, it comes to the front), and
// "About Corvane" in the toolkit's about box.
#pragma once

#include <QString>

class QWidget;

namespace corvane {

// The pages as rich text (HTML), for the windows and for tests.
QString ParametersAndModelPage();
QString MouseAndKeysPage();
// Name, version from the build, licence, the Qt version in use.
QString AboutText();

// Shows the page in a window owned by `owner`, one per title, non-modal.
void ShowHelpPage(QWidget* owner, const QString& title, const QString& html);
void ShowAbout(QWidget* owner);

}  // namespace corvane
