#include "dialogs/open_file.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace corvane {
namespace {

TOpenPathAsker& Asker() {
  static TOpenPathAsker asker;
  return asker;
}

}  // namespace

void SetOpenPathAsker(TOpenPathAsker asker) {
  Asker() = std::move(asker);
}

std::optional<QString> AskOpenPath(QWidget* parent, const QString& caption,
                                   const std::vector<TFileFormat>& formats) {
  std::optional<QString> path;
  if (Asker()) {
    path = Asker()(parent, caption);
  } else {
    QStringList filters;
    for (const TFileFormat& format : formats) filters << FilterOf(format);
    filters << QStringLiteral("All files (*)");
    const QString chosen =
        QFileDialog::getOpenFileName(parent, caption, LastSaveFolder(), filters.join(";;"));
    if (!chosen.isEmpty())
      path = chosen;
  }
  if (path && !path->isEmpty())
    SetLastSaveFolder(QFileInfo(*path).absolutePath());
  else
    path.reset();
  return path;
}

}  // namespace corvane
