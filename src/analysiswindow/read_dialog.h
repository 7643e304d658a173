// The one dialog that says how a table of reaction times is read: the RT column, the grouping
// columns, filters, the order column, the decimal mark and the cutoffs, with the first rows as
// they will be read and the whole read's count of groups and missing values.
//
//   text, its shape (the reader's preselection) --TReadDialog--> TReadOptions, or none (Cancel)
//   every change --> the preview (read_preview.h) at once; the count (ReadReactionTimeGroups on
//        the whole text) on a background task, restarted by the next change
//
// A choice that cannot be read (a cutoff that is no number, filters that keep no row) is said in
// the count's line and keeps "Read" disabled.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/reaction_time_reader.h"
#include "analysiswindow/background_task.h"
#include "analysiswindow/read_preview.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QVBoxLayout;

namespace corvane {

class TReadDialog : public QDialog {
 public:
  TReadDialog(std::shared_ptr<const std::string> text, const TTextShape& shape, const std::string& source,
              QWidget* parent = nullptr);
  ~TReadDialog() override;

  // What the choices make; none while a cutoff is not a number.
  std::optional<TReadOptions> Options() const;
  // Adds a filter row (the button "Add filter"); returns its row.
  int AddFilter(int column = -1, const QString& value = {});
  // Waits for the count to end and shows it (tests).
  void FinishCount();

 private:
  void Changed();
  void ShowPreview(const TReadOptions& options);
  void Counted(const std::string& text, bool readable);

  std::shared_ptr<const std::string> text_;
  TTextShape shape_;
  std::vector<std::vector<std::string>> distinct_;  // per column, its first distinct values
  QComboBox* column_ = nullptr;
  std::vector<QCheckBox*> group_by_;  // one per column
  QVBoxLayout* filters_ = nullptr;
  QComboBox* order_ = nullptr;
  QComboBox* mark_ = nullptr;
  QLineEdit* minimum_ = nullptr;
  QLineEdit* maximum_ = nullptr;
  QTableWidget* preview_ = nullptr;
  QLabel* count_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  bool building_ = true;  // no update while the controls are being made
  TBackgroundTask count_task_;
};

// The dialog, modal; the options chosen, or none when the user cancels.
std::optional<TReadOptions> AskReadOptions(QWidget* parent, std::shared_ptr<const std::string> text,
                                           const TTextShape& shape, const std::string& source);

}  // namespace corvane
