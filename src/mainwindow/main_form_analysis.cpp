#include "mainwindow/main_form_analysis.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <array>
#include <exception>

#include "analysiswindow/analysis_menu.h"
#include "analysiswindow/series_analysis_window.h"
#include "chart/chart_context_menu.h"
#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"
#include "runtime/format_float.h"
#include "simulation/parameter_text.h"

namespace corvane {
namespace {

// A text beyond Latin-1 has no 8-bit form for the parser: as unreadable as any other it refuses.
std::string FieldText(const QLineEdit* field) {
  const QString text = field->text();
  for (const QChar c : text)
    if (c.unicode() > 0xFF)
      return "?";
  return text.toLatin1().toStdString();
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
  window_->Session().StopWork();
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

TSeriesRecord& TFormAnalysis::Series() {
  return form_.SeriesRecord();
}

std::optional<std::uint32_t> TFormAnalysis::SeriesSeed() const {
  const auto& stretches = form_.SeriesSeeds().Stretches();
  if (!form_.DrawsFromProcessGenerator() || stretches.empty())
    return std::nullopt;
  return stretches.front().Seed;
}

void TFormAnalysis::FieldsChanged() {
  if (window_)
    window_->Session().FieldsChanged();
}

std::optional<TParameterSet> TFormAnalysis::FieldParameters() const {
  const std::array<std::string, 6> texts = {FieldText(form_.EditAcrit), FieldText(form_.EditA1),
                                            FieldText(form_.EditA0),    FieldText(form_.EditC1),
                                            FieldText(form_.EditC0),    FieldText(form_.EditY0)};
  // Quietly: the press tells the user about a bad field, not the analysis.
  return ReadParameterTexts({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]}).Set;
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
