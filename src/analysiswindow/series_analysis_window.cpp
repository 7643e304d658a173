#include "analysiswindow/series_analysis_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cmath>

#include "analysis/histogram.h"
#include "analysiswindow/analysis_charts.h"
#include "analysiswindow/analysis_host.h"
#include "analysiswindow/analysis_menu.h"
#include "analysiswindow/group_chooser.h"
#include "analysiswindow/group_panel.h"
#include "analysiswindow/likelihood_results.h"
#include "analysiswindow/likelihood_views.h"
#include "analysiswindow/qq_chart.h"
#include "analysiswindow/read_dialog.h"
#include "analysiswindow/table_view.h"
#include "analysiswindow/time_left.h"
#include "analysiswindow/width_policy.h"
#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "dialogs/open_file.h"
#include "dialogs/save_file.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

constexpr int kProgressMilliseconds = 100;
// Below this the charts' axis labels overlap: the results panel and the groups' panel give way.
constexpr int kChartsLegibleHeight = 130;
constexpr int kEverything = kDataChanged | kModelChanged | kFitChanged | kWorkChanged | kGroupsChanged;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

TSeriesAnalysisWindow::TSeriesAnalysisWindow(TAnalysisHost& host, QWidget* parent)
    : QMainWindow(parent), host_(host), session_(host) {
  setObjectName("SeriesAnalysisWindow");
  setWindowTitle(QStringLiteral("Series analysis"));
  session_.ChooseRead = [this](std::shared_ptr<const std::string> text, const TTextShape& shape,
                               const std::string& source) {
    return AskReadOptions(this, std::move(text), shape, source);
  };
  CreateMenus();
  CreateLayout();
  CreateChartsMenu();
  group_panel_ = new TGroupPanel(
      session_,
      [this] {
        session_.FitEveryGroup(
            keep_a_->isChecked(),
            method_choice_->currentIndex() == 0 ? TFitMethod::Likelihood : TFitMethod::Moments,
            contaminants_->isChecked());
      },
      this);
  addDockWidget(Qt::BottomDockWidgetArea, group_panel_);
  group_panel_->CreateMenu(*menuBar());
  CreateStatusBar();
  run_timer_.setSingleShot(true);
  run_timer_.setInterval(kRefreshMilliseconds);
  change_timer_.setSingleShot(true);
  change_timer_.setInterval(0);
  for (QTimer* timer : {&run_timer_, &change_timer_})
    connect(timer, &QTimer::timeout, this, &TSeriesAnalysisWindow::Repaint);
  progress_timer_.setInterval(kProgressMilliseconds);
  connect(&progress_timer_, &QTimer::timeout, this, &TSeriesAnalysisWindow::ShowWork);
  connect(&session_, &TAnalysisSession::Changed, this, &TSeriesAnalysisWindow::SessionChanged);
  RefreshNow();
  resize(width_policy_->OpeningSize());
  width_policy_->TableGrew();
}

TSeriesAnalysisWindow::~TSeriesAnalysisWindow() = default;

void TSeriesAnalysisWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(CreateOpenReactionTimesAction(this, [this] { OpenReactionTimesDialog(); }));
  QAction* paste = file->addAction(QString::fromLatin1(kPasteReactionTimesText), this,
                                   &TSeriesAnalysisWindow::PasteReactionTimes);
  paste->setObjectName("PasteReactionTimesAction");
  paste->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  QAction* back =
      file->addAction(QStringLiteral("Show the &window's series"), this, [this] { session_.ShowSeries(); });
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

// The charts' own menu entries in the menu bar too, so the keyboard reaches them.
void TSeriesAnalysisWindow::CreateChartsMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("C&harts"));
  menu->setObjectName("AnalysisChartsMenu");
  const std::pair<TChart*, QString> charts[] = {
      {&charts_->Distribution(), QStringLiteral("&Distribution")},
      {&charts_->Autocorrelation(), QStringLiteral("&Autocorrelation")},
      {&likelihood_views_->Qq().Chart(), QStringLiteral("&QQ")}};
  for (const auto& [chart, title] : charts) {
    QMenu* sub = menu->addMenu(title);
    sub->addAction(QStringLiteral("&Save image as..."), this,
                   [this, chart = chart] { host_.SaveChartImage(*chart); });
    sub->addAction(QStringLiteral("Save &data as..."), this,
                   [this, chart = chart] { host_.SaveChartData(*chart); });
    sub->addAction(QStringLiteral("&Copy image"), this, [chart = chart] { CopyChartImage(*chart); });
    sub->addAction(QStringLiteral("Copy da&ta"), this, [chart = chart] { CopyChartData(*chart); });
  }
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
      session_.ShowSeries();
    else
      session_.ShowLoaded();
  });
  source_row->addWidget(source_label_, 1);
  auto* group = new QLabel(QStringLiteral("Gro&up:"));
  group_choice_ = new TGroupChooser(session_, *group);
  source_row->addWidget(group);
  source_row->addWidget(group_choice_);
  auto* show = new QLabel(QStringLiteral("&Show:"));
  show->setBuddy(source_choice_);
  source_row->addWidget(show);
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
  auto* charts = new QSplitter(Qt::Vertical);
  charts->addWidget(&charts_->Distribution());
  charts->addWidget(&charts_->Autocorrelation());
  for (TChart* chart : {&charts_->Distribution(), &charts_->Autocorrelation()})
    chart->setMinimumHeight(kChartsLegibleHeight);
  table_view_ = new TAnalysisTableView("ComparisonTable", QStringLiteral("Data against the model"));
  // Sized to its columns beside the charts, so no section need stretch; a stretched last section
  // would also hide the width the columns need.
  table_view_->horizontalHeader()->setStretchLastSection(false);
  split_ = new QSplitter(Qt::Horizontal);
  split_->addWidget(charts);
  split_->addWidget(table_view_);
  layout->addWidget(split_, 1);
  layout->addWidget(CreateFitPanel());
  for (TChart* chart :
       {&charts_->Distribution(), &charts_->Autocorrelation(), &likelihood_views_->Qq().Chart()}) {
    AddChartMenuEntry(*chart, QStringLiteral("Save image as..."),
                      [this, chart] { host_.SaveChartImage(*chart); });
    AddChartMenuEntry(*chart, QStringLiteral("Save data as..."),
                      [this, chart] { host_.SaveChartData(*chart); });
  }
  setCentralWidget(central);
  width_policy_ = new TTableWidthPolicy(*this, *split_, *table_view_);
}

QWidget* TSeriesAnalysisWindow::CreateFitPanel() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout;
  fit_button_ = new QPushButton(QStringLiteral("F&it"));
  fit_button_->setObjectName("FitButton");
  connect(fit_button_, &QPushButton::clicked, this, &TSeriesAnalysisWindow::FitChosen);
  method_choice_ = new QComboBox;
  method_choice_->setObjectName("FitMethod");
  method_choice_->setAccessibleName(QStringLiteral("Method"));
  method_choice_->addItems({QStringLiteral("Maximum likelihood"), QStringLiteral("Moments")});
  auto* method = new QLabel(QStringLiteral("&Method:"));
  method->setBuddy(method_choice_);
  contaminants_ = new QCheckBox(QStringLiteral("C&ontaminants"));
  contaminants_->setObjectName("Contaminants");
  contaminants_->setToolTip(QStringLiteral("A uniform over the data's range mixed in, its share estimated"));
  connect(method_choice_, &QComboBox::currentIndexChanged, this, [this](int index) {
    contaminants_->setEnabled(index == 0);
    fit_label_->setText(Text(FitPanelText()));
  });
  keep_a_ = new QCheckBox(QStringLiteral("&Keep A from its field"));
  keep_a_->setObjectName("KeepA");
  keep_a_->setToolTip(
      QStringLiteral("A held at the A field's value; else the sample minimum (moments) or "
                     "estimated with the others (maximum likelihood)"));
  keep_a_->setAccessibleDescription(keep_a_->toolTip());
  apply_button_ = new QPushButton(QStringLiteral("&Apply to fields"));
  apply_button_->setObjectName("ApplyButton");
  apply_button_->setEnabled(false);
  connect(apply_button_, &QPushButton::clicked, this, [this] { session_.ApplyFitToFields(); });
  copy_results_button_ = new QPushButton(QStringLiteral("Copy &results"));
  copy_results_button_->setObjectName("CopyResultsButton");
  copy_results_button_->setEnabled(false);
  connect(copy_results_button_, &QPushButton::clicked, this, &TSeriesAnalysisWindow::CopyFitResults);
  row->addWidget(fit_button_);
  row->addWidget(method);
  row->addWidget(method_choice_);
  row->addWidget(contaminants_);
  row->addWidget(keep_a_);
  row->addStretch(1);
  row->addWidget(apply_button_);
  row->addWidget(copy_results_button_);
  layout->addLayout(row);
  fit_label_ = new QLabel;
  fit_label_->setObjectName("FitLabel");
  fit_label_->setWordWrap(true);
  layout->addWidget(fit_label_);
  fit_view_ = new TAnalysisTableView("FitTable", QStringLiteral("Fitted parameters"));
  fit_view_->hide();
  likelihood_views_ = new TLikelihoodViews;
  likelihood_views_->hide();
  auto* results = new QHBoxLayout;
  results->addWidget(fit_view_, 0, Qt::AlignTop);
  results->addWidget(likelihood_views_, 1);
  results->addStretch(0);
  layout->addLayout(results);
  return panel;
}

void TSeriesAnalysisWindow::CreateStatusBar() {
  work_label_ = new QLabel;
  work_label_->setObjectName("WorkLabel");
  progress_ = new QProgressBar;
  progress_->setObjectName("WorkProgress");
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(200);
  cancel_button_ = new QPushButton(QStringLiteral("Ca&ncel"));
  cancel_button_->setObjectName("CancelButton");
  connect(cancel_button_, &QPushButton::clicked, this, [this] { session_.CancelWork(); });
  statusBar()->addWidget(work_label_, 1);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(cancel_button_);
  progress_->hide();
  cancel_button_->hide();
}

void TSeriesAnalysisWindow::SessionChanged(int what) {
  pending_ |= what;
  // A reaction recorded during a run waits for the next tick; anything else shows at once.
  if ((pending_ & ~(kDataChanged | kModelChanged)) == 0) {
    if (!run_timer_.isActive())
      run_timer_.start();
  } else if (!change_timer_.isActive()) {
    change_timer_.start();
  }
}

void TSeriesAnalysisWindow::RefreshNow() {
  pending_ = kEverything;
  Repaint();
}

void TSeriesAnalysisWindow::Repaint() {
  const int what = pending_;
  pending_ = 0;
  run_timer_.stop();
  change_timer_.stop();
  if (what & (kDataChanged | kModelChanged)) {
    const TIncrementalStatistics& shown = session_.Shown();
    // The program's own series put their atom at the model's A; loaded data at their minimum.
    const TModelSide& model = session_.Model();
    const double atom = session_.ShowsSeries() && model.Parameters() ? model.Parameters()->A : kNotANumber;
    charts_->ShowData(shown.Count() >= 2 ? HistogramOf(shown.Sorted(), atom) : THistogram{},
                      shown.Statistics().Autocorrelations, shown.Count());
  }
  if (what & kModelChanged)
    charts_->ShowModel(session_.Model().ClosedForm(), session_.Model().Simulation());
  if (what & kFitChanged) {
    const TFitSide& fit = session_.FitResult();
    const TLikelihoodSide& likelihood = session_.Likelihood();
    if (likelihood.Fitted()) {
      charts_->ShowFit(likelihood.ClosedForm(), nullptr);
      charts_->ShowFitDensity(likelihood.Density());
    } else
      charts_->ShowFit(fit.Fitted() ? fit.ClosedForm() : nullptr, fit.Simulation());
    apply_button_->setEnabled(session_.CanApplyFit());
    copy_results_button_->setEnabled(session_.Fitted());
    fit_view_->setVisible(session_.Fitted());
    if (session_.Fitted()) {
      fit_view_->Show(session_.FitResults());
      SizeTableToContents(*fit_view_);
    }
    likelihood_views_->Show(likelihood);
  }
  if ((what & (kDataChanged | kModelChanged | kFitChanged)) && table_view_->Show(session_.Table()))
    width_policy_->TableGrew();
  source_label_->setText(Text(session_.SourceText()));
  const std::string note = session_.NoteText();
  note_label_->setText(Text(note));
  note_label_->setVisible(!note.empty());
  UpdateSourceChoice();
  if (what & (kGroupsChanged | kDataChanged)) {
    group_choice_->Show();
    group_panel_->Show();
  }
  ShowWork();  // the model's and the fit's texts too: they say what is being computed
}

void TSeriesAnalysisWindow::ShowWork() {
  const TWorkState work = session_.Work();
  if (work.What.empty()) {
    work_what_.clear();
  } else if (work.What != work_what_) {
    work_what_ = work.What;
    work_clock_.start();
  }
  work_label_->setText(
      Text(work.What.empty()
               ? work.Message
               : work.What + TimeLeftText(static_cast<double>(work_clock_.elapsed()) / 1000, work.Share)));
  progress_->setVisible(!work.What.empty());
  progress_->setValue(static_cast<int>(std::lround(work.Share * 100)));
  cancel_button_->setVisible(work.Cancellable);
  if (work.What.empty())
    progress_timer_.stop();
  else if (!progress_timer_.isActive())
    progress_timer_.start();
  model_label_->setText(Text(session_.ModelText()));
  fit_label_->setText(Text(FitPanelText()));
}

void TSeriesAnalysisWindow::FitChosen() {
  if (method_choice_->currentIndex() == 0)
    session_.FitLikelihood(keep_a_->isChecked(), contaminants_->isChecked());
  else
    session_.Fit(keep_a_->isChecked());
}

// Before any fit, what the chosen method does; then what the session says of the fit.
std::string TSeriesAnalysisWindow::FitPanelText() const {
  if (method_choice_->currentIndex() == 0 && session_.FitResult().Idle() && !session_.Likelihood().Active())
    return kLikelihoodIntroText;
  return session_.FitText();
}

void TSeriesAnalysisWindow::UpdateSourceChoice() {
  const QSignalBlocker block(source_choice_);
  source_choice_->clear();
  source_choice_->addItem(QStringLiteral("The window's series"));
  if (const std::string* name = session_.LoadedName())
    source_choice_->addItem(Text(*name));
  source_choice_->setCurrentIndex(session_.ShowsSeries() ? 0 : 1);
  source_choice_->setEnabled(session_.LoadedName() != nullptr);
}

void TSeriesAnalysisWindow::closeEvent(QCloseEvent* event) {
  // Nothing to compute for a window no one sees; the next show starts again.
  session_.CancelWork();
  QMainWindow::closeEvent(event);
}

// ---- reaction times in

void TSeriesAnalysisWindow::OpenReactionTimesDialog() {
  const std::optional<QString> path =
      AskOpenPath(this, QStringLiteral("Open reaction times"),
                  {{QStringLiteral("Reaction times, one a line"), QStringLiteral("txt")},
                   {QStringLiteral("CSV table"), QStringLiteral("csv")},
                   {QStringLiteral("TSV table"), QStringLiteral("tsv")},
                   {QStringLiteral("Data file"), QStringLiteral("dat")}});
  if (path)
    OpenReactionTimesFile(*path);
}

void TSeriesAnalysisWindow::OpenReactionTimesFile(const QString& path) {
  session_.LoadFile(path.toStdString());
}

void TSeriesAnalysisWindow::PasteReactionTimes() {
  session_.LoadText(QGuiApplication::clipboard()->text().toStdString(), "the pasted reaction times");
}

// ---- out

void TSeriesAnalysisWindow::CopyTable() const {
  QGuiApplication::clipboard()->setText(Text(TableTsv(session_.Table(), DecimalMark())));
}

void TSeriesAnalysisWindow::CopyFitResults() const {
  if (!session_.Fitted())
    return;
  std::string text = TableTsv(session_.FitResults(), DecimalMark());
  if (session_.Likelihood().Fitted())
    text += "\n" + TableTsv(session_.DistributionComparison(), DecimalMark());
  QGuiApplication::clipboard()->setText(Text(text));
}

void TSeriesAnalysisWindow::SaveTable() {
  const TSaveRequest request{QStringLiteral("Save table"),
                             QStringLiteral("series-analysis.csv"),
                             {{QStringLiteral("CSV table"), QStringLiteral("csv")}}};
  SaveBytesThroughDialog(
      this, request, [this](std::size_t) { return QByteArray::fromStdString(TableCsv(session_.Table())); });
}

}  // namespace corvane
