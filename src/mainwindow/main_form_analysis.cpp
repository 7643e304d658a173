#include "mainwindow/main_form_analysis.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <exception>

#include "analysiswindow/analysis_menu.h"
#include "analysiswindow/series_analysis_window.h"
#include "chart/chart_context_menu.h"
#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"
#include "runtime/float_checks.h"
#include "runtime/format_float.h"
#include "runtime/parse_float.h"

namespace corvane {
namespace {

std::optional<double> FieldValue(const QLineEdit* field) {
  long double value = 0;
  if (!TryParseFloat(field->text().toLatin1().toStdString(), value) || !(value > 0))
    return std::nullopt;
  try {
    return StoreDouble(value);
  } catch (const std::exception&) {
    return std::nullopt;  // beyond the double range: the press will say so
  }
}

}  // namespace

std::string FieldNumber(double value) {
  return FormatFloatKind(value, TFloatFormatKind::General, 6, 0);
}

TFormAnalysis::TFormAnalysis(TForm1& form)
    : form_(form),
      series_analysis_(CreateSeriesAnalysisAction(&form, [this] { OpenSeriesAnalysis(); })),
      open_reaction_times_(CreateOpenReactionTimesAction(&form, [this] { OpenReactionTimes(); })),
      paste_reaction_times_(new QAction(QString::fromLatin1(kPasteReactionTimesText), &form)) {
  paste_reaction_times_->setObjectName("PasteReactionTimesAction");
  paste_reaction_times_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  QObject::connect(paste_reaction_times_, &QAction::triggered, &form, [this] { PasteReactionTimes(); });
  form.addAction(series_analysis_);
  form.addAction(open_reaction_times_);
  form.addAction(paste_reaction_times_);
  InstallMenus();
}

TFormAnalysis::~TFormAnalysis() = default;

TSeriesAnalysisWindow& TFormAnalysis::EnsureWindow() {
  if (!window_)
    window_ = std::make_unique<TSeriesAnalysisWindow>(*this);
  return *window_;
}

void TFormAnalysis::OpenSeriesAnalysis() {
  TSeriesAnalysisWindow& window = EnsureWindow();
  window.show();
  window.raise();
  window.activateWindow();
}

void TFormAnalysis::OpenReactionTimes() {
  OpenSeriesAnalysis();
  window_->OpenReactionTimesDialog();
}

void TFormAnalysis::PasteReactionTimes() {
  OpenSeriesAnalysis();
  window_->PasteReactionTimes();
}

void TFormAnalysis::CloseWindow() {
  if (!window_)
    return;
  window_->CancelWork();
  window_->ModelTask().Cancel();
  window_->close();
}

void TFormAnalysis::InstallMenus() {
  QMenu* analysis = form_.InsertMenuBeforeHelp(QString::fromLatin1(kAnalysisMenuTitle));
  analysis->setObjectName("AnalysisMenu");
  analysis->addAction(series_analysis_);
  if (QMenu* file = form_.FileMenu) {
    QAction* first = file->actions().isEmpty() ? nullptr : file->actions().first();
    file->insertAction(first, open_reaction_times_);
    file->insertAction(first, paste_reaction_times_);
    file->insertSeparator(first);
  }
  AddChartMenuEntry(*form_.Chart2, QString::fromLatin1(kSeriesAnalysisText).remove('&'),
                    [this] { OpenSeriesAnalysis(); });
}

void TFormAnalysis::SaveChartImage(TChart& chart) {
  form_.SaveChartImageAs(chart);
}

void TFormAnalysis::SaveChartData(TChart& chart) {
  form_.SaveChartDataAs(chart);
}

TSeriesFeed& TFormAnalysis::Feed() {
  return form_.SeriesFeed();
}

std::optional<TParameterSet> TFormAnalysis::FieldParameters() const {
  const QLineEdit* fields[] = {form_.EditAcrit, form_.EditA1, form_.EditA0,
                               form_.EditC1,    form_.EditC0, form_.EditY0};
  double values[6] = {};
  for (int i = 0; i < 6; ++i) {
    const std::optional<double> value = FieldValue(fields[i]);
    if (!value)
      return std::nullopt;
    values[i] = *value;
  }
  return TParameterSet{values[0], values[1], values[2], values[3], values[4], values[5]};
}

void TFormAnalysis::ApplyToFields(const TParameterSet& P) {
  const std::pair<QLineEdit*, double> fields[] = {{form_.EditAcrit, P.A}, {form_.EditA1, P.a1},
                                                  {form_.EditA0, P.a0},   {form_.EditC1, P.c1},
                                                  {form_.EditC0, P.c0},   {form_.EditY0, P.y0}};
  for (const auto& [field, value] : fields) {
    field->setText(QString::fromStdString(FieldNumber(value)));
    field->setCursorPosition(0);  // the narrow field shows the leading digits, not the last ones
  }
}

void TFormAnalysis::ShowNotice(const std::string& text) {
  form_.Notices().ShowNotice(text);
}

}  // namespace corvane
