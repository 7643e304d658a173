#include "analysiswindow/read_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>

namespace corvane {
namespace {

constexpr int kPreviewHeightRows = 8;
constexpr std::size_t kGroupColumnsPerRow = 7;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString ColumnName(const std::string& name) {
  return name.empty() ? QStringLiteral("(unnamed)") : Text(name);
}

QString MarkName(char mark) {
  return mark == ',' ? QStringLiteral("comma") : QStringLiteral("point");
}

// The colour a preview row's "read as" takes: what the read leaves out is greyed, what it refuses red.
QColor KindColor(TPreviewKind kind) {
  switch (kind) {
    case TPreviewKind::Value:
      break;
    case TPreviewKind::Missing:
    case TPreviewKind::FilteredOut:
      return QColor(0x70, 0x70, 0x70);
    case TPreviewKind::Excluded:
      return QColor(0xa0, 0x40, 0x00);
    case TPreviewKind::NotRead:
      return QColor(0xc0, 0x00, 0x00);
  }
  return {};
}

}  // namespace

TReadDialog::TReadDialog(std::shared_ptr<const std::string> text, const TTextShape& shape,
                         const std::string& source, QWidget* parent)
    : QDialog(parent), text_(std::move(text)), shape_(shape) {
  setObjectName("ReadDialog");
  setWindowTitle(QStringLiteral("Read reaction times"));
  setAccessibleName(QStringLiteral("Read reaction times"));
  setAccessibleDescription(
      QStringLiteral("How the table is read: its reaction-time column, groups, filters, "
                     "order, decimal mark and cutoffs, with a preview"));
  try {
    distinct_ = PreviewRead(*text_, {}, 0).Distinct;
  } catch (const std::exception&) {
    // The count below says why the text cannot be read.
  }
  distinct_.resize(shape_.Columns.size());
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(Text(
      "How should " + source + " be read? Each choice shows in the preview below as the read will take it."));
  intro->setWordWrap(true);
  layout->addWidget(intro);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  const auto combo = [this](const char* name, const QString& accessible, const QString& description) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setAccessibleDescription(description);
    connect(box, &QComboBox::currentIndexChanged, this, &TReadDialog::Changed);
    return box;
  };
  column_ = combo("ReadColumn", QStringLiteral("Reaction times"),
                  QStringLiteral("The column that holds the reaction times"));
  for (const std::string& name : shape_.Columns) column_->addItem(ColumnName(name));
  column_->setCurrentIndex(static_cast<int>(shape_.PreselectedColumn));
  form->addRow(QStringLiteral("Reaction &times:"), column_);

  // Check boxes, each a control of its own that the keyboard and a screen reader can toggle.
  auto* group_by = new QWidget;
  group_by->setObjectName("ReadGroupBy");
  group_by->setAccessibleName(QStringLiteral("Group by"));
  auto* grid = new QGridLayout(group_by);
  grid->setContentsMargins(0, 0, 0, 0);
  for (std::size_t c = 0; c < shape_.Columns.size(); ++c) {
    auto* box = new QCheckBox(ColumnName(shape_.Columns[c]));
    box->setAccessibleDescription(
        QStringLiteral("Checked columns make one series per group, such as participant and condition"));
    connect(box, &QCheckBox::toggled, this, &TReadDialog::Changed);
    grid->addWidget(box, static_cast<int>(c / kGroupColumnsPerRow),
                    static_cast<int>(c % kGroupColumnsPerRow));
    group_by_.push_back(box);
  }
  // No mnemonic: a label's mnemonic would click a check box buddy, not just reach it.
  form->addRow(QStringLiteral("Group by:"), group_by);

  auto* filters = new QWidget;
  filters_ = new QVBoxLayout(filters);
  filters_->setContentsMargins(0, 0, 0, 0);
  auto* add = new QPushButton(QStringLiteral("Add &filter"));
  add->setObjectName("AddFilter");
  add->setAccessibleDescription(
      QStringLiteral("Keeps only the rows whose column holds a value, such as acc = 1"));
  connect(add, &QPushButton::clicked, this, [this] { AddFilter(); });
  auto* add_row = new QHBoxLayout;
  add_row->addWidget(add);
  add_row->addStretch(1);
  filters_->addLayout(add_row);
  form->addRow(QStringLiteral("Filters:"), filters);

  order_ = combo("ReadOrderBy", QStringLiteral("Order by"),
                 QStringLiteral("The trial number: each group sorted by it, and trials that were not "
                                "neighbours never paired"));
  order_->addItem(QStringLiteral("(file order)"));
  for (const std::string& name : shape_.Columns) order_->addItem(ColumnName(name));
  form->addRow(QStringLiteral("&Order by:"), order_);

  mark_ = combo("ReadDecimalMark", QStringLiteral("Decimal mark"),
                QStringLiteral("The mark between the whole and the decimal digits of the numbers"));
  mark_->addItems({QStringLiteral("Detected (%1)").arg(MarkName(shape_.DecimalMark)),
                   QStringLiteral("Point (.)"), QStringLiteral("Comma (,)")});
  form->addRow(QStringLiteral("&Decimal mark:"), mark_);

  auto* cutoffs = new QHBoxLayout;
  const auto cutoff = [this, cutoffs](const char* name, const QString& label, const QString& accessible) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setPlaceholderText(QStringLiteral("none"));
    field->setAccessibleName(accessible);
    field->setAccessibleDescription(
        QStringLiteral("Reaction times outside the cutoffs are excluded and counted"));
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    cutoffs->addWidget(caption);
    cutoffs->addWidget(field);
    connect(field, &QLineEdit::textChanged, this, &TReadDialog::Changed);
    return field;
  };
  minimum_ = cutoff("ReadMinimum", QStringLiteral("Mi&nimum:"), QStringLiteral("Minimum reaction time"));
  maximum_ = cutoff("ReadMaximum", QStringLiteral("Ma&ximum:"), QStringLiteral("Maximum reaction time"));
  form->addRow(QStringLiteral("Cutoffs:"), cutoffs);

  auto* preview_label = new QLabel(QStringLiteral("&Preview: the first rows as they will be read"));
  layout->addWidget(preview_label);
  preview_ = new QTableWidget;
  preview_->setObjectName("ReadPreview");
  preview_->setAccessibleName(QStringLiteral("Preview"));
  preview_->setAccessibleDescription(QStringLiteral("The first rows of the table as they will be read"));
  preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  preview_->setTabKeyNavigation(false);
  preview_->verticalHeader()->setVisible(false);
  preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 4);
  preview_->setMinimumHeight(preview_->verticalHeader()->defaultSectionSize() * kPreviewHeightRows);
  preview_label->setBuddy(preview_);
  layout->addWidget(preview_, 1);
  count_ = new QLabel;
  count_->setObjectName("ReadCount");
  count_->setWordWrap(true);
  count_->setAccessibleName(QStringLiteral("What the read gives"));
  layout->addWidget(count_);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Read"));
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons_);
  resize(760, 620);
  building_ = false;
  Changed();
}

TReadDialog::~TReadDialog() {
  count_task_.Cancel();
}

int TReadDialog::AddFilter(int column, const QString& value) {
  auto* row = new QWidget;
  row->setObjectName("FilterRow");
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* columns = new QComboBox;
  columns->setObjectName("FilterColumn");
  columns->setAccessibleName(QStringLiteral("Filter column"));
  for (const std::string& name : shape_.Columns) columns->addItem(ColumnName(name));
  auto* values = new QComboBox;
  values->setObjectName("FilterValue");
  values->setEditable(true);
  values->setAccessibleName(QStringLiteral("Filter value"));
  values->setAccessibleDescription(QStringLiteral("Rows whose column holds this value are kept"));
  values->setMinimumContentsLength(12);
  const auto fill = [this, columns, values] {
    const QString kept = values->currentText();
    const QSignalBlocker block(values);
    values->clear();
    const auto c = static_cast<std::size_t>(std::max(columns->currentIndex(), 0));
    for (const std::string& seen : distinct_[c]) values->addItem(Text(seen));
    values->setEditText(kept);
  };
  auto* remove = new QPushButton(QStringLiteral("Remove"));
  remove->setObjectName("RemoveFilter");
  remove->setAccessibleName(QStringLiteral("Remove filter"));
  layout->addWidget(columns);
  layout->addWidget(new QLabel(QStringLiteral("=")));
  layout->addWidget(values, 1);
  layout->addWidget(remove);
  filters_->insertWidget(filters_->count() - 1, row);
  {
    const QSignalBlocker block(columns);
    columns->setCurrentIndex(column >= 0 ? column : 0);
  }
  fill();
  values->setEditText(value);
  connect(columns, &QComboBox::currentIndexChanged, this, [this, fill] {
    fill();
    Changed();
  });
  connect(values, &QComboBox::currentTextChanged, this, &TReadDialog::Changed);
  connect(remove, &QPushButton::clicked, this, [this, row] {
    filters_->removeWidget(row);
    row->deleteLater();
    row->hide();
    row->setObjectName("RemovedFilterRow");
    Changed();
  });
  columns->setFocus();
  Changed();
  return filters_->count() - 2;
}

std::optional<TReadOptions> TReadDialog::Options() const {
  TReadOptions options;
  options.Column = static_cast<std::size_t>(std::max(column_->currentIndex(), 0));
  for (std::size_t c = 0; c < group_by_.size(); ++c)
    if (group_by_[c]->isChecked())
      options.GroupBy.push_back(c);
  for (int i = 0; i < filters_->count(); ++i) {
    QWidget* row = filters_->itemAt(i)->widget();
    if (!row || row->objectName() != QLatin1String("FilterRow"))
      continue;
    const auto* column = row->findChild<QComboBox*>("FilterColumn");
    const auto* value = row->findChild<QComboBox*>("FilterValue");
    // A row whose value is still empty is a filter being written, not one on empty cells.
    if (value->currentText().trimmed().isEmpty())
      continue;
    options.Filters.push_back(
        {static_cast<std::size_t>(std::max(column->currentIndex(), 0)), value->currentText().toStdString()});
  }
  if (order_->currentIndex() > 0)
    options.OrderBy = static_cast<std::size_t>(order_->currentIndex() - 1);
  options.DecimalMark = mark_->currentIndex() == 1 ? '.' : mark_->currentIndex() == 2 ? ',' : '\0';
  const char mark = options.DecimalMark ? options.DecimalMark : shape_.DecimalMark;
  if (!ReadCutoff(minimum_->text().toStdString(), mark, options.Minimum) ||
      !ReadCutoff(maximum_->text().toStdString(), mark, options.Maximum))
    return std::nullopt;
  return options;
}

void TReadDialog::Changed() {
  if (building_)
    return;
  const std::optional<TReadOptions> options = Options();
  if (!options) {
    count_task_.Cancel();
    Counted("A cutoff is not a number.", false);
    return;
  }
  ShowPreview(*options);
  count_->setText(QStringLiteral("Counting..."));
  count_task_.Start(
      [text = text_, options = *options, this](const TWorkControl& control) -> std::function<void()> {
        const std::string counted = ReadSummaryText(ReadReactionTimeGroups(*text, options, control));
        return [this, counted] { Counted(counted, true); };
      },
      [this](const std::string& message) { Counted("Cannot read: " + message + ".", false); }, 1);
}

void TReadDialog::Counted(const std::string& text, bool readable) {
  count_->setText(Text(text));
  count_->setAccessibleDescription(count_->text());
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(readable);
}

void TReadDialog::ShowPreview(const TReadOptions& options) {
  TReadPreview preview;
  try {
    preview = PreviewRead(*text_, options);
  } catch (const std::exception&) {
    preview_->setRowCount(0);
    return;  // the count says why
  }
  // Every column as written, the group the row joins, and what the read makes of its RT.
  const bool grouped = !options.GroupBy.empty();
  QStringList header{QStringLiteral("Line")};
  for (const std::string& name : preview.Shape.Columns) header << ColumnName(name);
  if (grouped)
    header << QStringLiteral("Group");
  header << QStringLiteral("Read as");
  preview_->clear();
  preview_->setColumnCount(static_cast<int>(header.size()));
  preview_->setHorizontalHeaderLabels(header);
  preview_->setRowCount(static_cast<int>(preview.Rows.size()));
  for (std::size_t r = 0; r < preview.Rows.size(); ++r) {
    const TPreviewRow& row = preview.Rows[r];
    QStringList cells{QString::number(row.Line)};
    for (std::size_t c = 0; c < preview.Shape.Columns.size(); ++c)
      cells << (c < row.Fields.size() ? Text(row.Fields[c]) : QString());
    if (grouped) {
      QStringList keys;
      for (const std::string& key : row.Keys) keys << Text(key);
      cells << keys.join(QStringLiteral(", "));
    }
    cells << Text(row.ReadAs);
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      const bool rt = c == static_cast<int>(*options.Column) + 1;
      if (rt || c == cells.size() - 1) {
        QFont font = item->font();
        font.setBold(rt && row.Kind == TPreviewKind::Value);
        font.setItalic(row.Kind != TPreviewKind::Value);
        item->setFont(font);
      }
      if (c == cells.size() - 1 && row.Kind != TPreviewKind::Value) {
        item->setForeground(KindColor(row.Kind));
      }
      preview_->setItem(static_cast<int>(r), c, item);
    }
  }
  preview_->resizeColumnsToContents();
}

void TReadDialog::FinishCount() {
  while (count_task_.Running()) {
    count_task_.Join();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

std::optional<TReadOptions> AskReadOptions(QWidget* parent, std::shared_ptr<const std::string> text,
                                           const TTextShape& shape, const std::string& source) {
  TReadDialog dialog(std::move(text), shape, source, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Options();
}

}  // namespace corvane
