#include "analysiswindow/column_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

std::optional<std::size_t> ChooseReactionTimeColumn(QWidget* parent, const TTextShape& shape,
                                                    const std::string& source) {
  QDialog dialog(parent);
  dialog.setObjectName("ColumnDialog");
  dialog.setWindowTitle(QStringLiteral("Choose the column"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* label =
      new QLabel(QString::fromStdString("Which column of " + source + " holds the reaction times?"));
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* columns = new QComboBox;
  columns->setObjectName("ColumnChoice");
  for (const std::string& name : shape.Columns)
    columns->addItem(QString::fromStdString(name.empty() ? std::string("(unnamed)") : name));
  columns->setCurrentIndex(static_cast<int>(shape.PreselectedColumn));
  label->setBuddy(columns);
  layout->addWidget(columns);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || columns->currentIndex() < 0)
    return std::nullopt;
  return static_cast<std::size_t>(columns->currentIndex());
}

}  // namespace corvane
