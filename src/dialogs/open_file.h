// Asking the user for a file to read, in the same folder habits as saving (save_file.h):
//
//   AskOpenPath --> the path, or nothing when cancelled
//     Qt's file dialog with one filter per format and "All files", opening in the last folder of
//     this run (saved to or opened from); a path chosen makes its folder the last one.
//
// Tests answer the dialog through SetOpenPathAsker.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "dialogs/save_file.h"

class QWidget;

namespace corvane {

using TOpenPathAsker = std::function<std::optional<QString>(QWidget* parent, const QString& caption)>;
// Replaces the file dialog; empty restores it.
void SetOpenPathAsker(TOpenPathAsker asker);
std::optional<QString> AskOpenPath(QWidget* parent, const QString& caption,
                                   const std::vector<TFileFormat>& formats);

}  // namespace corvane
