#include "analysiswindow/series_analysis_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/histogram.h"
#include "analysis/standard_errors.h"
#include "analysiswindow/analysis_charts.h"
#include "analysiswindow/analysis_host.h"
#include "analysiswindow/analysis_menu.h"
#include "analysiswindow/column_dialog.h"
#include "analysiswindow/fit_results.h"
#include "analysiswindow/series_feed.h"
#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

constexpr int kProgressMilliseconds = 100;
// Files this large read with the progress bar in view; smaller ones end before it would matter.
constexpr std::size_t kQuietReadBytes = 1 << 20;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

std::string ParameterText(double value) {
  return FormatFloatKind(value, TFloatFormatKind::General, 6, 0);
}

std::string ParametersText(const TParameterSet& P) {
  return "A = " + ParameterText(P.A) + ", a1 = " + ParameterText(P.a1) + ", a0 = " + ParameterText(P.a0) +
         ", c1 = " + ParameterText(P.c1) + ", c0 = " + ParameterText(P.c0);
}

// Returns whether the columns were sized again.
bool FillTable(QTableWidget& view, const TAnalysisTable& table) {
  view.setUpdatesEnabled(false);
  // The columns are sized to their contents only when the table's shape changes: sizing them at
  // every refresh lays out every cell's text again, which during a run costs more than the rest
  // of the update together.
  const bool reshaped = view.columnCount() != static_cast<int>(table.Header.size()) ||
                        view.rowCount() != static_cast<int>(table.Rows.size());
  // Widths in pixels, not characters: digits are wider than a minus sign or a point, and a column
  // sized for "-0.0749525" cuts "0.00434573".
  const QFontMetrics cells(view.font());
  const QFontMetrics headers(view.horizontalHeader()->font());
  std::vector<int> widest(table.Header.size(), 0);
  for (std::size_t c = 0; c < table.Header.size(); ++c)
    widest[c] = headers.horizontalAdvance(Text(table.Header[c]));
  view.setColumnCount(static_cast<int>(table.Header.size()));
  view.setRowCount(static_cast<int>(table.Rows.size()));
  QStringList header;
  for (const std::string& name : table.Header) header << Text(name);
  view.setHorizontalHeaderLabels(header);
  const char mark = DecimalMark();
  for (std::size_t r = 0; r < table.Rows.size(); ++r) {
    const auto& row = table.Rows[r];
    for (std::size_t c = 0; c < row.size(); ++c) {
      const auto ri = static_cast<int>(r);
      const auto ci = static_cast<int>(c);
      QTableWidgetItem* item = view.item(ri, ci);
      if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        view.setItem(ri, ci, item);
      }
      const QString text = Text(CellText(row[c], mark));
      if (item->text() != text) {
        item->setText(text);
        item->setTextAlignment(row[c].IsNumber ? Qt::AlignRight | Qt::AlignVCenter
                                               : Qt::AlignLeft | Qt::AlignVCenter);
      }
      widest[c] = std::max(widest[c], cells.horizontalAdvance(text));
    }
  }
  // Sized again only when a column's widest text grows beyond what it was sized for.
  QList<int> sized_for = view.property("sizedFor").value<QList<int>>();
  bool grown = reshaped || sized_for.size() != static_cast<int>(widest.size());
  for (std::size_t c = 0; !grown && c < widest.size(); ++c)
    grown = widest[c] > sized_for[static_cast<int>(c)];
  if (grown) {
    view.resizeColumnsToContents();
    view.setProperty("sizedFor", QVariant::fromValue(QList<int>(widest.begin(), widest.end())));
  }
  view.setUpdatesEnabled(true);
  return grown;
}

// The width that shows every column without scrolling sideways.
int FullWidthOf(const QTableWidget& view) {
  return view.horizontalHeader()->length() + view.verticalScrollBar()->sizeHint().width() +
         2 * view.frameWidth();
}

QTableWidget* MakeTableView(const char* name) {
  auto* view = new QTableWidget;
  view->setObjectName(name);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view->verticalHeader()->setVisible(false);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  view->horizontalHeader()->setStretchLastSection(true);
  return view;
}

}  // namespace

TSeriesAnalysisWindow::TSeriesAnalysisWindow(TAnalysisHost& host, QWidget* parent)
    : QMainWindow(parent), host_(host) {
  setObjectName("SeriesAnalysisWindow");
  setWindowTitle(QStringLiteral("Series analysis"));
  ChooseColumn = [this](const TTextShape& shape, const std::string& source) {
    return ChooseReactionTimeColumn(this, shape, source);
  };
  CreateMenus();
  CreateLayout();
  refresh_timer_.setSingleShot(true);
  refresh_timer_.setInterval(kRefreshMilliseconds);
  connect(&refresh_timer_, &QTimer::timeout, this, &TSeriesAnalysisWindow::RefreshNow);
  progress_timer_.setInterval(kProgressMilliseconds);
  connect(&progress_timer_, &QTimer::timeout, this, &TSeriesAnalysisWindow::ShowProgress);
  series_.Assign(host_.Feed().Record().Times());
  ConnectFeed();
  UpdateModelParameters();
  RefreshNow();
  resize(OpeningSize());
  GiveTheTableItsWidth();
}

TSeriesAnalysisWindow::~TSeriesAnalysisWindow() = default;

void TSeriesAnalysisWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* open = CreateOpenReactionTimesAction(this, [this] { OpenReactionTimesDialog(); });
  file->addAction(open);
  QAction* paste = file->addAction(QString::fromLatin1(kPasteReactionTimesText), this,
                                   &TSeriesAnalysisWindow::PasteReactionTimes);
  paste->setObjectName("PasteReactionTimesAction");
  paste->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  QAction* back =
      file->addAction(QStringLiteral("Show the &window's series"), this, &TSeriesAnalysisWindow::ShowSeries);
  back->setObjectName("ShowSeriesAction");
  file->addSeparator();
  QAction* save =
      file->addAction(QStringLiteral("&Save table as CSV..."), this, &TSeriesAnalysisWindow::SaveTable);
  save->setShortcut(QKeySequence::Save);
  file->addSeparator();
  QAction* close_action = file->addAction(QStringLiteral("&Close"), this, &QWidget::close);
  close_action->setShortcut(QKeySequence::Close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* copy = edit->addAction(QStringLiteral("Copy &table"), this, &TSeriesAnalysisWindow::CopyTable);
  copy->setShortcut(QKeySequence::Copy);
  edit->addAction(QStringLiteral("Copy &results"), this, &TSeriesAnalysisWindow::CopyFitResults);
}

void TSeriesAnalysisWindow::CreateLayout() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);

  auto* source_row = new QHBoxLayout;
  source_label_ = new QLabel;
  source_label_->setObjectName("SourceLabel");
  source_choice_ = new QComboBox;
  source_choice_->setObjectName("SourceChoice");
  source_choice_->setAccessibleName(QStringLiteral("Source"));
  connect(source_choice_, &QComboBox::activated, this, [this](int index) {
    if (index == 0)
      ShowSeries();
    else if (has_loaded_ && !showing_loaded_) {
      showing_loaded_ = true;
      DropFit();
      UpdateModelParameters();
      RefreshNow();
    }
  });
  source_row->addWidget(source_label_, 1);
  source_row->addWidget(new QLabel(QStringLiteral("Show:")));
  source_row->addWidget(source_choice_);
  layout->addLayout(source_row);

  note_label_ = new QLabel;
  note_label_->setObjectName("NoteLabel");
  note_label_->setWordWrap(true);
  note_label_->setStyleSheet(QStringLiteral("color: #a04000"));
  layout->addWidget(note_label_);
  model_label_ = new QLabel;
  model_label_->setObjectName("ModelLabel");
  model_label_->setWordWrap(true);
  layout->addWidget(model_label_);

  charts_ = std::make_unique<TAnalysisCharts>(central);
  for (TChart* chart : {&charts_->Distribution(), &charts_->Autocorrelation()}) {
    AddChartMenuEntry(*chart, QStringLiteral("Save image as..."),
                      [this, chart] { host_.SaveChartImage(*chart); });
    AddChartMenuEntry(*chart, QStringLiteral("Save data as..."),
                      [this, chart] { host_.SaveChartData(*chart); });
  }
  auto* charts = new QSplitter(Qt::Vertical);
  charts->addWidget(&charts_->Distribution());
  charts->addWidget(&charts_->Autocorrelation());
  table_view_ = MakeTableView("ComparisonTable");
  table_view_->setAccessibleName(QStringLiteral("Data against the model"));
  // Sized to its columns beside the charts (FitDivider), so no section need stretch; a stretched
  // last section would also hide the width the columns need.
  table_view_->horizontalHeader()->setStretchLastSection(false);
  // The table keeps the width its columns need and the charts take the rest, down to a width at
  // which they still read; below that the table scrolls. Once the user moves the divider it stays.
  split_ = new QSplitter(Qt::Horizontal);
  split_->addWidget(charts);
  split_->addWidget(table_view_);
  split_->setStretchFactor(0, 1);
  split_->setStretchFactor(1, 0);
  split_->setCollapsible(0, false);
  connect(split_, &QSplitter::splitterMoved, this, [this] { divider_moved_ = true; });
  split_->installEventFilter(this);
  layout->addWidget(split_, 1);
  layout->addWidget(CreateFitPanel());
  setCentralWidget(central);

  work_label_ = new QLabel;
  work_label_->setObjectName("WorkLabel");
  progress_ = new QProgressBar;
  progress_->setObjectName("WorkProgress");
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(200);
  cancel_button_ = new QPushButton(QStringLiteral("Cancel"));
  cancel_button_->setObjectName("CancelButton");
  connect(cancel_button_, &QPushButton::clicked, this, &TSeriesAnalysisWindow::CancelWork);
  statusBar()->addWidget(work_label_, 1);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(cancel_button_);
  progress_->hide();
  cancel_button_->hide();
}

QWidget* TSeriesAnalysisWindow::CreateFitPanel() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout;
  fit_button_ = new QPushButton(QStringLiteral("F&it"));
  fit_button_->setObjectName("FitButton");
  connect(fit_button_, &QPushButton::clicked, this, &TSeriesAnalysisWindow::Fit);
  keep_a_ = new QCheckBox(QStringLiteral("&Keep A (the A field's value, not the sample minimum)"));
  keep_a_->setObjectName("KeepA");
  apply_button_ = new QPushButton(QStringLiteral("&Apply to fields"));
  apply_button_->setObjectName("ApplyButton");
  apply_button_->setEnabled(false);
  connect(apply_button_, &QPushButton::clicked, this, &TSeriesAnalysisWindow::ApplyFitToFields);
  copy_results_button_ = new QPushButton(QStringLiteral("Copy &results"));
  copy_results_button_->setObjectName("CopyResultsButton");
  copy_results_button_->setEnabled(false);
  connect(copy_results_button_, &QPushButton::clicked, this, &TSeriesAnalysisWindow::CopyFitResults);
  row->addWidget(fit_button_);
  row->addWidget(keep_a_);
  row->addStretch(1);
  row->addWidget(apply_button_);
  row->addWidget(copy_results_button_);
  layout->addLayout(row);
  fit_label_ = new QLabel;
  fit_label_->setObjectName("FitLabel");
  fit_label_->setWordWrap(true);
  layout->addWidget(fit_label_);
  fit_view_ = MakeTableView("FitTable");
  fit_view_->setAccessibleName(QStringLiteral("Fitted parameters"));
  fit_view_->setMaximumHeight(fit_view_->verticalHeader()->defaultSectionSize() * 7);
  fit_view_->hide();
  layout->addWidget(fit_view_);
  return panel;
}

void TSeriesAnalysisWindow::ConnectFeed() {
  TSeriesFeed& feed = host_.Feed();
  connect(&feed, &TSeriesFeed::Recorded, this, &TSeriesAnalysisWindow::SeriesRecorded);
  connect(&feed, &TSeriesFeed::Cleared, this, &TSeriesAnalysisWindow::SeriesCleared);
  connect(&feed, &TSeriesFeed::FieldsChanged, this, &TSeriesAnalysisWindow::FieldsChanged);
}

const TIncrementalStatistics& TSeriesAnalysisWindow::Shown() const {
  return showing_loaded_ ? loaded_ : series_;
}

// ---- following the main window ----

void TSeriesAnalysisWindow::SeriesRecorded(std::size_t count) {
  const std::vector<double>& times = host_.Feed().Record().Times();
  if (count == series_.Count() + 1 && count == times.size())
    series_.Append(times.back());
  else
    series_.Assign(times);
  if (showing_loaded_)
    return;
  UpdateModelParameters();
  ScheduleRefresh();
}

void TSeriesAnalysisWindow::SeriesCleared() {
  series_.Clear();
  if (showing_loaded_)
    return;
  DropFit();
  UpdateModelParameters();
  RefreshNow();
}

void TSeriesAnalysisWindow::FieldsChanged() {
  if (!showing_loaded_)
    return;
  UpdateModelParameters();
  ScheduleRefresh();
}

void TSeriesAnalysisWindow::ScheduleRefresh() {
  if (!refresh_timer_.isActive())
    refresh_timer_.start();
}

// ---- the model ----

void TSeriesAnalysisWindow::UpdateModelParameters() {
  std::optional<TParameterSet> wanted;
  if (showing_loaded_)
    wanted = host_.FieldParameters();
  else if (const TParameterSet* latest = host_.Feed().Record().Latest())
    wanted = *latest;
  if (wanted && model_parameters_ && SameModel(*wanted, *model_parameters_))
    return;
  if (!wanted && !model_parameters_)
    return;
  model_parameters_ = wanted;
  model_simulation_.reset();
  model_closed_.reset();
  model_error_.clear();
  model_task_.Cancel();
  if (!model_parameters_)
    return;
  // A new series with the same parameters ("Begin new RT series", then a press) keeps the
  // simulation already made for them.
  if (last_simulation_ && SameModel(last_simulation_->first, *model_parameters_)) {
    model_closed_ = ModelClosedFormOf(*model_parameters_);
    model_simulation_ = last_simulation_->second;
    return;
  }
  try {
    model_closed_ = ModelClosedFormOf(*model_parameters_);
  } catch (const std::exception& error) {
    model_error_ = error.what();
    return;
  }
  StartModelSimulation();
}

void TSeriesAnalysisWindow::StartModelSimulation() {
  const TParameterSet P = *model_parameters_;
  const TModelSimulationOptions options = simulation_options_;
  model_task_.Start(
      [this, P, options](const TWorkControl& control) -> std::function<void()> {
        auto simulated = std::make_shared<const TSimulatedModel>(SimulateModel(P, options, control));
        return [this, simulated, P] {
          model_simulation_ = simulated;
          last_simulation_.emplace(P, simulated);
          ScheduleRefresh();
        };
      },
      [this](const std::string& message) {
        model_error_ = "the model's simulation failed: " + message;
        ScheduleRefresh();
      });
  progress_timer_.start();
  ShowProgress();
}

// ---- the views ----

void TSeriesAnalysisWindow::RefreshNow() {
  refresh_timer_.stop();
  const TIncrementalStatistics& shown = Shown();
  const TSeriesStatistics statistics = shown.Statistics();
  const std::size_t n = shown.Count();
  if (n >= 2) {
    // The program's own series put their atom at the model's A; loaded data at their minimum.
    const double atom = !showing_loaded_ && model_parameters_ ? model_parameters_->A : kNotANumber;
    charts_->ShowData(HistogramOf(shown.Sorted(), atom), statistics.Autocorrelations, n);
  } else {
    charts_->ShowData(THistogram{}, statistics.Autocorrelations, n);
  }
  charts_->ShowModel(model_closed_ ? &*model_closed_ : nullptr, model_simulation_.get());
  charts_->ShowFit(fit_ && fit_closed_ ? &*fit_closed_ : nullptr, fit_simulation_.get());
  source_label_->setText(Text(SourceText()));
  note_label_->setText(Text(NoteText()));
  note_label_->setVisible(!NoteText().empty());
  model_label_->setText(Text(ModelText()));
  UpdateSourceChoice();
  ShowTable();
}

void TSeriesAnalysisWindow::ShowTable() {
  const TSeriesStatistics statistics = Shown().Statistics();
  std::vector<TComparisonRow> model_rows;
  if (model_closed_ && statistics.Count >= 2)
    model_rows = CompareWithModel(statistics, *model_parameters_, model_simulation_.get());
  else {
    // The data alone: the rows' names and the data's figures.
    TParameterSet any{1, 1, 1, 1, 1, 1};
    model_rows = CompareWithModel(statistics, any, nullptr);
    for (TComparisonRow& row : model_rows) {
      row.Model = row.ModelError = row.StandardError = row.Difference = kNotANumber;
      row.Source = TModelSource::Pending;
    }
  }
  std::vector<TComparisonRow> fit_rows;
  const bool with_fit = fit_ && fit_->Fitted() && statistics.Count >= 2;
  if (with_fit)
    fit_rows = CompareWithModel(statistics, fit_->Parameters, fit_simulation_.get());
  table_ = AnalysisTableOf(model_rows, with_fit ? &fit_rows : nullptr);
  if (!model_closed_)
    for (auto& row : table_.Rows) row[3] = TTableCell::Label(statistics.Count >= 2 ? "no model" : "");
  if (FillTable(*table_view_, table_))
    GiveTheTableItsWidth();
}

void TSeriesAnalysisWindow::GiveTheTableItsWidth() {
  if (divider_moved_)
    return;
  // New columns (a fit's) widen the window by what they need, as far as its screen allows; the
  // divider follows once the window has its new width (eventFilter).
  const int missing =
      kChartsMinimumWidth + split_->handleWidth() + FullWidthOf(*table_view_) - split_->width();
  if (isVisible() && missing > 0 && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
    if (const QScreen* screen = this->screen()) {
      const QRect room = screen->availableGeometry();
      const int frame = frameGeometry().width() - width();
      const int wanted = std::min(frameGeometry().width() + missing, room.width()) - frame;
      if (wanted > width()) {
        const int overhang = x() + wanted + frame - 1 - room.right();
        if (overhang > 0)
          move(std::max(room.left(), x() - overhang), y());
        resize(wanted, height());
      }
    }
  FitDivider();
}

void TSeriesAnalysisWindow::FitDivider() {
  if (divider_moved_)
    return;
  const int room = std::max(split_->width() - split_->handleWidth(), kChartsMinimumWidth);
  const int table = std::clamp(FullWidthOf(*table_view_), 0, room - kChartsMinimumWidth);
  split_->setSizes({room - table, table});
}

bool TSeriesAnalysisWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == split_ && event->type() == QEvent::Resize)
    FitDivider();
  return QMainWindow::eventFilter(watched, event);
}

// Wide enough for the charts and the whole table, but never beyond the screen.
QSize TSeriesAnalysisWindow::OpeningSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize room = screen ? screen->availableGeometry().size() : QSize(kOpeningWidth, kOpeningHeight);
  const QMargins margins = centralWidget()->layout()->contentsMargins();
  const int wanted = kChartsOpeningWidth + split_->handleWidth() + FullWidthOf(*table_view_) +
                     margins.left() + margins.right();
  return {std::min(std::max(wanted, kOpeningWidth), room.width()), std::min(kOpeningHeight, room.height())};
}

void TSeriesAnalysisWindow::UpdateSourceChoice() {
  const QSignalBlocker block(source_choice_);
  source_choice_->clear();
  source_choice_->addItem(QStringLiteral("The window's series"));
  if (has_loaded_)
    source_choice_->addItem(Text(loaded_name_));
  source_choice_->setCurrentIndex(showing_loaded_ ? 1 : 0);
  source_choice_->setEnabled(has_loaded_);
}

std::string TSeriesAnalysisWindow::SourceText() const {
  if (showing_loaded_)
    return "Showing " + loaded_name_ + " (" + std::to_string(loaded_.Count()) + " reaction times)";
  return "Showing the window's series (" + std::to_string(series_.Count()) + " reactions)";
}

std::string TSeriesAnalysisWindow::NoteText() const {
  std::string note;
  const std::size_t n = Shown().Count();
  if (n < 2)
    note = "The analysis needs at least 2 reactions; the series has " + std::to_string(n) +
           (showing_loaded_ ? "." : ". Press \"Start Reaction Time\" to record more.");
  const TSeriesRecord& record = host_.Feed().Record();
  if (!showing_loaded_ && record.Mixed()) {
    if (!note.empty())
      note += " ";
    note +=
        "The series mixes " + std::to_string(record.Runs().size()) +
        " parameter sets (fields changed without \"Begin new RT series\"); the model uses the latest set.";
  }
  if (!model_error_.empty()) {
    if (!note.empty())
      note += " ";
    note += "No model figures: " + model_error_ + ".";
  }
  return note;
}

std::string TSeriesAnalysisWindow::ModelText() const {
  if (!model_parameters_)
    return showing_loaded_ ? "Model: the fields do not hold six numbers greater than 0" : "Model: none yet";
  std::string text = "Model: " + ParametersText(*model_parameters_) +
                     (showing_loaded_ ? " (the fields' values)" : " (the series' latest set)") + ". ";
  if (model_simulation_)
    text += "Mean, SD, share at A and lags in closed form; quantiles, density and standard errors from " +
            std::to_string(model_simulation_->Reactions) +
            " simulated reactions, each with its Monte Carlo error.";
  else if (model_task_.Running())
    text += "Closed-form figures shown; the simulated ones are being computed.";
  else
    text += "Closed-form figures only.";
  return text;
}

void TSeriesAnalysisWindow::ShowProgress() {
  std::string what;
  double share = 0;
  bool cancellable = false;
  if (load_task_.Running()) {
    what = "Reading " + load_name_;
    share = load_task_.Progress();
    cancellable = true;
  } else if (bootstrap_task_.Running()) {
    what = "Bootstrap: " + std::to_string(bootstrap_options_.Replicates) + " replicate series refitted";
    share = bootstrap_task_.Progress();
    cancellable = true;
  } else if (model_task_.Running() || fit_task_.Running()) {
    what = "Simulating the model";
    share = (model_task_.Running() ? model_task_ : fit_task_).Progress();
  }
  work_label_->setText(Text(what));
  progress_->setVisible(!what.empty());
  progress_->setValue(static_cast<int>(std::lround(share * 100)));
  cancel_button_->setVisible(cancellable);
  if (what.empty())
    progress_timer_.stop();
  model_label_->setText(Text(ModelText()));
}

bool TSeriesAnalysisWindow::WorkRunning() const noexcept {
  return model_task_.Running() || fit_task_.Running() || bootstrap_task_.Running() || load_task_.Running();
}

void TSeriesAnalysisWindow::FinishBackgroundWork() {
  while (WorkRunning()) {
    model_task_.Join();
    fit_task_.Join();
    bootstrap_task_.Join();
    load_task_.Join();
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
  }
  RefreshNow();
}

void TSeriesAnalysisWindow::CancelWork() {
  if (load_task_.Running()) {
    load_task_.Cancel();
    work_label_->setText(QStringLiteral("Reading cancelled; nothing was changed"));
  }
  if (bootstrap_task_.Running()) {
    bootstrap_task_.Cancel();
    bootstrap_cancelled_ = true;
    ShowFitResults();
  }
  ShowProgress();
}

void TSeriesAnalysisWindow::closeEvent(QCloseEvent* event) {
  // Nothing to compute for a window no one sees; the next show starts again.
  load_task_.Cancel();
  bootstrap_task_.Cancel();
  QMainWindow::closeEvent(event);
}

// ---- reaction times in ----

void TSeriesAnalysisWindow::OpenReactionTimesDialog() {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Open reaction times"), QString(),
                                   QStringLiteral("Reaction times (*.txt *.csv *.tsv *.dat);;"
                                                  "All files (*)"));
  if (!path.isEmpty())
    OpenReactionTimesFile(path);
}

void TSeriesAnalysisWindow::OpenReactionTimesFile(const QString& path) {
  const std::string name = QFileInfo(path).fileName().toStdString();
  std::string text;
  try {
    text = ReadWholeFile(path.toStdString());
  } catch (const std::exception& error) {
    Reject(name, error.what());
    return;
  }
  LoadText(std::move(text), name);
}

void TSeriesAnalysisWindow::PasteReactionTimes() {
  LoadText(QGuiApplication::clipboard()->text().toStdString(), "the pasted reaction times");
}

void TSeriesAnalysisWindow::LoadText(std::string text, const std::string& name) {
  TReadOptions options;
  options.DecimalMark = DecimalMark();
  try {
    const TTextShape shape = InspectReactionTimeText(text, options.DecimalMark);
    if (shape.Layout == TTextLayout::Table && shape.Columns.size() > 1) {
      const std::optional<std::size_t> column = ChooseColumn(shape, name);
      if (!column)
        return;
      options.Column = *column;
    }
  } catch (const std::exception& error) {
    Reject(name, error.what());
    return;
  }
  const bool large = text.size() > kQuietReadBytes;
  auto shared = std::make_shared<std::string>(std::move(text));
  load_name_ = name;
  load_task_.Start(
      [this, shared, options, name](const TWorkControl& control) -> std::function<void()> {
        auto values = std::make_shared<std::vector<double>>(ReadReactionTimes(*shared, options, control));
        return [this, values, name] { Loaded(std::move(*values), name); };
      },
      [this, name](const std::string& message) { Reject(name, message); }, 1);
  if (large) {
    progress_timer_.start();
    ShowProgress();
  }
}

void TSeriesAnalysisWindow::Loaded(std::vector<double> values, const std::string& name) {
  loaded_.Assign(values);
  values = {};
  loaded_name_ = name;
  has_loaded_ = true;
  showing_loaded_ = true;
  DropFit();
  UpdateModelParameters();
  RefreshNow();
  ShowProgress();
}

void TSeriesAnalysisWindow::Reject(const std::string& name, const std::string& message) {
  ShowProgress();
  host_.ShowNotice("Cannot read " + name + ": " + message + ". Nothing was changed.");
}

void TSeriesAnalysisWindow::ShowSeries() {
  if (!showing_loaded_)
    return;
  showing_loaded_ = false;
  DropFit();
  UpdateModelParameters();
  RefreshNow();
}

// ---- the fit ----

void TSeriesAnalysisWindow::DropFit() {
  fit_task_.Cancel();
  bootstrap_task_.Cancel();
  fit_.reset();
  fit_closed_.reset();
  fit_simulation_.reset();
  bootstrap_.reset();
  bootstrap_cancelled_ = false;
  ShowFitResults();
}

void TSeriesAnalysisWindow::Fit() {
  DropFit();
  TFitOptions options;
  const std::optional<TParameterSet> fields = host_.FieldParameters();
  if (fields)
    options.a1 = fields->a1;
  else if (model_parameters_)
    options.a1 = model_parameters_->a1;
  options.KeepA = keep_a_->isChecked();
  if (options.KeepA) {
    if (!fields) {
      fit_label_->setText(
          QStringLiteral("Cannot keep A: the fields do not hold six numbers greater than 0."));
      return;
    }
    options.A = fields->A;
  }
  fit_ = FitModel(Shown().Statistics(), options);
  if (fit_->Fitted()) {
    try {
      fit_closed_ = ModelClosedFormOf(fit_->Parameters);
    } catch (const std::exception& error) {
      fit_->Condition = TFitCondition::NotFinite;
      fit_->Message = std::string("the fitted model's figures leave the number range (") + error.what() + ")";
    }
  }
  if (fit_->Fitted())
    StartFitWork();
  ShowFitResults();
  RefreshNow();
}

void TSeriesAnalysisWindow::StartFitWork() {
  const TModelFit fit = *fit_;
  const TModelSimulationOptions options = simulation_options_;
  fit_task_.Start([this, fit, options](const TWorkControl& control) -> std::function<void()> {
    auto simulated = std::make_shared<const TSimulatedModel>(SimulateModel(fit.Parameters, options, control));
    return [this, simulated] {
      fit_simulation_ = simulated;
      ScheduleRefresh();
    };
  });
  const std::size_t n = fit.Count;
  const TBootstrapOptions bootstrap = bootstrap_options_;
  bootstrap_task_.Start(
      [this, fit, n, bootstrap](const TWorkControl& control) -> std::function<void()> {
        auto result = std::make_shared<TBootstrapResult>(BootstrapFit(fit, n, bootstrap, control));
        return [this, result] {
          bootstrap_ = std::move(*result);
          ShowFitResults();
          ShowProgress();
        };
      },
      [this](const std::string& message) {
        fit_label_->setText(Text("The intervals could not be computed: " + message));
      });
  progress_timer_.start();
  ShowProgress();
}

void TSeriesAnalysisWindow::ShowFitResults() {
  const bool fitted = fit_ && fit_->Fitted();
  apply_button_->setEnabled(fitted);
  copy_results_button_->setEnabled(fitted);
  fit_label_->setText(Text(FitText()));
  fit_view_->setVisible(fitted);
  if (fitted)
    FillTable(*fit_view_, FitResultsOf(*fit_, bootstrap_ ? &*bootstrap_ : nullptr));
}

std::string TSeriesAnalysisWindow::FitText() const {
  if (!fit_)
    return "Fit: estimates A, b = a1/a0, k = c1/a1 and c0 from the mean, the variance and the lag-1 "
           "autocorrelation (a1 held at its field's value), with 95 % intervals by parametric bootstrap.";
  std::string text = FitSummaryText(*fit_, bootstrap_ ? &*bootstrap_ : nullptr, bootstrap_task_.Running());
  if (bootstrap_cancelled_ && !bootstrap_)
    text = "Fitted; the intervals were cancelled";
  if (fit_->Fitted() && fit_->Count != Shown().Count())
    text += " (fitted to " + std::to_string(fit_->Count) +
            " reactions; the series has grown since: press Fit again)";
  return text + ".";
}

void TSeriesAnalysisWindow::ApplyFitToFields() {
  if (fit_ && fit_->Fitted())
    host_.ApplyToFields(fit_->Parameters);
}

// ---- out ----

std::string TSeriesAnalysisWindow::TableClipboardText() const {
  return TableTsv(table_, DecimalMark());
}

std::string TSeriesAnalysisWindow::TableCsvText() const {
  return TableCsv(table_);
}

std::string TSeriesAnalysisWindow::FitResultsClipboardText() const {
  if (!fit_ || !fit_->Fitted())
    return {};
  return TableTsv(FitResultsOf(*fit_, bootstrap_ ? &*bootstrap_ : nullptr), DecimalMark());
}

void TSeriesAnalysisWindow::CopyTable() const {
  QGuiApplication::clipboard()->setText(Text(TableClipboardText()));
}

void TSeriesAnalysisWindow::CopyFitResults() const {
  const std::string text = FitResultsClipboardText();
  if (!text.empty())
    QGuiApplication::clipboard()->setText(Text(text));
}

void TSeriesAnalysisWindow::SaveTable() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save table"), QStringLiteral("series-analysis.csv"),
                                   QStringLiteral("CSV (*.csv);;All files (*)"));
  if (path.isEmpty())
    return;
  QSaveFile file(path);
  const std::string text = TableCsvText();
  if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !file.commit())
    host_.ShowNotice("Cannot save " + QFileInfo(path).fileName().toStdString() + ": " +
                     file.errorString().toStdString());
}

}  // namespace corvane
