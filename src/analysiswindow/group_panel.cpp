#include "analysiswindow/group_panel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "analysiswindow/analysis_session.h"
#include "analysiswindow/group_fit_model.h"
#include "dialogs/save_file.h"

namespace corvane {
namespace {

constexpr int kOpeningRows = 12;

}  // namespace

TGroupPanel::TGroupPanel(TAnalysisSession& session, std::function<void()> fit, QWidget* parent)
    : QDockWidget(QStringLiteral("Every group"), parent), session_(session), fit_(std::move(fit)) {
  setObjectName("GroupPanel");
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 0, 4, 4);
  auto* row = new QHBoxLayout;
  fit_button_ = new QPushButton(QStringLiteral("Fit e&very group"));
  fit_button_->setObjectName("FitEveryGroupButton");
  fit_button_->setAccessibleDescription(
      QStringLiteral("Fits the model to each group of the file in the background, one row per group"));
  connect(fit_button_, &QPushButton::clicked, this, [this] { fit_(); });
  copy_button_ = new QPushButton(QStringLiteral("Co&py rows"));
  copy_button_->setObjectName("CopyGroupRowsButton");
  copy_button_->setAccessibleDescription(
      QStringLiteral("Copies the chosen rows of every group's fit, or all of them, tab separated"));
  connect(copy_button_, &QPushButton::clicked, this, &TGroupPanel::CopyRows);
  save_button_ = new QPushButton(QStringLiteral("Save resu&lts as CSV..."));
  save_button_->setObjectName("SaveGroupFitsButton");
  save_button_->setAccessibleDescription(QStringLiteral("Saves every group's fit as a CSV file"));
  connect(save_button_, &QPushButton::clicked, this, &TGroupPanel::SaveCsv);
  text_ = new QLabel;
  text_->setObjectName("GroupFitLabel");
  row->addWidget(fit_button_);
  row->addWidget(text_, 1);
  row->addWidget(copy_button_);
  row->addWidget(save_button_);
  layout->addLayout(row);
  model_ = new TGroupFitModel(this);
  view_ = new QTableView;
  view_->setObjectName("GroupFitTable");
  view_->setAccessibleName(QStringLiteral("Every group's fit"));
  view_->setAccessibleDescription(QStringLiteral(
      "One row per group: its counts, each estimate with its 95 % interval, status and message. Choosing a "
      "row shows its group; the column headers sort"));
  view_->setModel(model_);
  view_->setSortingEnabled(true);
  view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setTabKeyNavigation(false);
  view_->verticalHeader()->setVisible(false);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
  view_->setMinimumHeight(view_->verticalHeader()->defaultSectionSize() * 5);
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid())
              session_.ShowGroup(model_->GroupOfRow(current.row()));
          });
  layout->addWidget(view_, 1);
  setWidget(body);
  hide();
}

QMenu* TGroupPanel::CreateMenu(QMenuBar& bar) {
  menu_ = bar.addMenu(QStringLiteral("&Groups"));
  menu_->setObjectName("GroupsMenu");
  QAction* fit = menu_->addAction(QStringLiteral("Fit e&very group"), this, [this] { fit_(); });
  fit->setObjectName("FitEveryGroupAction");
  fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  menu_->addAction(QStringLiteral("&Copy rows"), this, &TGroupPanel::CopyRows);
  menu_->addAction(QStringLiteral("&Save results as CSV..."), this, &TGroupPanel::SaveCsv);
  return menu_;
}

void TGroupPanel::Show() {
  const TReactionTimeGroups* read = session_.LoadedGroups();
  const bool opening = read && isHidden();
  setVisible(read != nullptr);
  // A few rows at first, so that the charts keep most of the height; the divider moves it.
  if (auto* window = qobject_cast<QMainWindow*>(parentWidget()); opening && window && !isFloating())
    window->resizeDocks({this}, {view_->verticalHeader()->defaultSectionSize() * kOpeningRows}, Qt::Vertical);
  const TGroupFitSide& fits = session_.GroupFits();
  const bool running = fits.Task().Running();
  fit_button_->setEnabled(read && !running);
  if (menu_)
    for (QAction* action : menu_->actions()) action->setEnabled(read != nullptr);
  if (fits.Table().get() != shown_table_ || read != shown_read_) {
    shown_table_ = fits.Table().get();
    shown_read_ = read;
    model_->SetTable(fits.Table());
    view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view_->resizeColumnsToContents();
  }
  const bool rows = model_->rowCount() > 0;
  copy_button_->setEnabled(rows);
  save_button_->setEnabled(rows);
  const std::string text = fits.Text();
  text_->setText(text.empty() && read ? QStringLiteral("%1 groups, not fitted yet").arg(read->Groups.size())
                                      : QString::fromStdString(text));
  text_->setAccessibleName(text_->text());
}

void TGroupPanel::CopyRows() const {
  if (model_->rowCount() == 0)
    return;
  std::set<int> chosen;
  for (const QModelIndex& index : view_->selectionModel()->selectedIndexes()) chosen.insert(index.row());
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(model_->Tsv(std::vector<int>(chosen.begin(), chosen.end()))));
}

void TGroupPanel::SaveCsv() {
  if (model_->rowCount() == 0)
    return;
  const TSaveRequest request{QStringLiteral("Save every group's fit"),
                             QStringLiteral("group-fits.csv"),
                             {{QStringLiteral("CSV table"), QStringLiteral("csv")}}};
  SaveBytesThroughDialog(this, request,
                         [this](std::size_t) { return QByteArray::fromStdString(model_->Csv()); });
}

}  // namespace corvane
