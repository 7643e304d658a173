#include "analysiswindow/analysis_session.h"

#include <algorithm>
#include <memory>

#include "analysis/standard_errors.h"
#include "analysiswindow/analysis_host.h"
#include "analysiswindow/fit_results.h"
#include "analysiswindow/likelihood_results.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

std::string ParameterText(double value) {
  return FormatFloatKind(value, TFloatFormatKind::General, 6, 0);
}

std::string ParametersText(const TParameterSet& P) {
  return "A = " + ParameterText(P.A) + ", a1 = " + ParameterText(P.a1) + ", a0 = " + ParameterText(P.a0) +
         ", c1 = " + ParameterText(P.c1) + ", c0 = " + ParameterText(P.c0);
}

void Join(std::string& text, const std::string& more) {
  if (!text.empty())
    text += " ";
  text += more;
}

}  // namespace

TAnalysisSession::TAnalysisSession(TAnalysisHost& host, QObject* parent)
    : QObject(parent),
      host_(host),
      model_([this] { emit Changed(kModelChanged | kWorkChanged); }),
      fit_([this] { emit Changed(kFitChanged | kWorkChanged); }),
      groups_fit_([this] { emit Changed(kGroupsChanged | kFitChanged | kWorkChanged); }),
      likelihood_([this] { emit Changed(kFitChanged | kWorkChanged); }) {
  series_.Assign(host_.Series().Times());
  host_.Series().SetListener(this);
  UpdateModel();
}

TAnalysisSession::~TAnalysisSession() {
  if (host_.Series().Listener() == this)
    host_.Series().SetListener(nullptr);
}

// ---- following the main window

void TAnalysisSession::SeriesRecorded(std::size_t count) {
  const std::vector<double>& times = host_.Series().Times();
  if (count == series_.Count() + 1 && count == times.size())
    series_.Append(times.back());
  else
    series_.Assign(times);
  if (showing_loaded_)
    return;
  emit Changed(kDataChanged | (UpdateModel() ? kModelChanged : 0));
}

void TAnalysisSession::SeriesCleared() {
  series_.Clear();
  if (showing_loaded_)
    return;
  fit_.Drop();
  likelihood_.Drop();
  UpdateModel();
  emit Changed(kDataChanged | kModelChanged | kFitChanged | kWorkChanged);
}

void TAnalysisSession::FieldsChanged() {
  if (showing_loaded_ && UpdateModel())
    emit Changed(kModelChanged | kWorkChanged);
}

bool TAnalysisSession::UpdateModel() {
  std::optional<TParameterSet> wanted;
  if (showing_loaded_)
    wanted = host_.FieldParameters();
  else if (const TParameterSet* latest = host_.Series().Latest())
    wanted = *latest;
  return model_.Use(wanted);
}

void TAnalysisSession::SetSimulationOptions(const TModelSimulationOptions& options) {
  model_.SetOptions(options);
  fit_.SetSimulationOptions(options);
}

// ---- the source

void TAnalysisSession::SourceChanged() {
  work_message_.clear();
  fit_.Drop();
  likelihood_.Drop();
  UpdateModel();
  emit Changed(kDataChanged | kModelChanged | kFitChanged | kWorkChanged);
}

void TAnalysisSession::ShowSeries() {
  if (!showing_loaded_)
    return;
  showing_loaded_ = false;
  SourceChanged();
}

void TAnalysisSession::ShowLoaded() {
  if (!loaded_ || showing_loaded_)
    return;
  showing_loaded_ = true;
  SourceChanged();
}

void TAnalysisSession::LoadFile(const std::string& path) {
  const std::string name = path.substr(path.find_last_of('/') + 1);
  std::string text;
  try {
    text = ReadWholeFile(path);
  } catch (const std::exception& error) {
    Reject(name, error.what());
    return;
  }
  LoadText(std::move(text), name);
}

void TAnalysisSession::LoadText(std::string text, const std::string& name) {
  work_message_.clear();
  // The decimal mark detected from the file itself: a European semicolon file under an English
  // locale still reads.
  TReadOptions options;
  auto shared = std::make_shared<const std::string>(std::move(text));
  try {
    const TTextShape shape = InspectReactionTimeText(*shared, options.DecimalMark);
    // A paste of one or two columns without a header has nothing to choose: the reader's guess.
    const bool choice = shape.Layout == TTextLayout::Table && shape.Columns.size() > 1 &&
                        (shape.HeaderLine != 0 || shape.Columns.size() > 2);
    if (choice && ChooseRead) {
      const std::optional<TReadOptions> chosen = ChooseRead(shared, shape, name);
      if (!chosen) {
        emit Changed(kWorkChanged);
        return;
      }
      options = *chosen;
    }
  } catch (const std::exception& error) {
    Reject(name, error.what());
    return;
  }
  load_name_ = name;
  load_task_.Start(
      [this, shared, options, name](const TWorkControl& control) -> std::function<void()> {
        auto read =
            std::make_shared<const TReactionTimeGroups>(ReadReactionTimeGroups(*shared, options, control));
        return [this, read, name] { Loaded(read, name); };
      },
      [this, name](const std::string& message) { Reject(name, message); }, 1);
  emit Changed(kWorkChanged);
}

void TAnalysisSession::Loaded(std::shared_ptr<const TReactionTimeGroups> read, const std::string& name) {
  // The first group that was read is shown; where none was, the read is refused as a whole.
  const auto first = std::find_if(read->Groups.begin(), read->Groups.end(),
                                  [](const TReactionTimeGroup& group) { return group.Read; });
  if (first == read->Groups.end()) {
    const std::string& why = read->Groups.front().Message;
    Reject(name, read->GroupNames.empty() ? why : "no group could be read; the first: " + why);
    return;
  }
  groups_fit_.Drop();
  loaded_.emplace();
  loaded_->Name = name;
  loaded_->Read = std::move(read);
  loaded_->Group = static_cast<std::size_t>(first - loaded_->Read->Groups.begin());
  loaded_->Values.Assign(first->Values, first->Breaks);
  showing_loaded_ = true;
  SourceChanged();
  emit Changed(kGroupsChanged);
}

const TReactionTimeGroups* TAnalysisSession::LoadedGroups() const noexcept {
  return loaded_ && !loaded_->Read->GroupNames.empty() ? loaded_->Read.get() : nullptr;
}

void TAnalysisSession::ShowGroup(std::size_t group) {
  if (!LoadedGroups() || group >= loaded_->Read->Groups.size() || !loaded_->Read->Groups[group].Read)
    return;
  if (group == loaded_->Group && showing_loaded_)
    return;
  const TReactionTimeGroup& chosen = loaded_->Read->Groups[group];
  loaded_->Group = group;
  loaded_->Values.Assign(chosen.Values, chosen.Breaks);
  showing_loaded_ = true;
  SourceChanged();
  emit Changed(kGroupsChanged);
}

void TAnalysisSession::FitEveryGroup(bool keep_a, TFitMethod method, bool contaminants) {
  if (!LoadedGroups())
    return;
  work_message_.clear();
  TGroupFitOptions options;
  options.Method = method;
  options.Contaminants = contaminants && method == TFitMethod::Likelihood;
  options.Bootstrap = fit_.BootstrapOptions();
  const std::optional<TParameterSet> fields = host_.FieldParameters();
  if (fields)
    options.Fit.a1 = fields->a1;
  else if (model_.Parameters())
    options.Fit.a1 = model_.Parameters()->a1;
  options.Fit.KeepA = keep_a;
  if (keep_a && !fields)
    groups_fit_.Refuse("Cannot keep A: the fields do not hold six numbers greater than 0.");
  else {
    if (keep_a)
      options.Fit.A = fields->A;
    groups_fit_.Fit(loaded_->Read, options);
  }
  emit Changed(kGroupsChanged | kWorkChanged);
}

const TGroupFit* TAnalysisSession::ShownGroupFit() const {
  const TGroupFitTable* table = groups_fit_.Table().get();
  if (!showing_loaded_ || !LoadedGroups() || !table || loaded_->Group >= table->Fits.size())
    return nullptr;
  const TGroupFit& fit = table->Fits[loaded_->Group];
  return fit.Status == TGroupFitStatus::Fitted ? &fit : nullptr;
}

void TAnalysisSession::Reject(const std::string& name, const std::string& message) {
  emit Changed(kWorkChanged);
  host_.ShowNotice("Cannot read " + name + ": " + message + ". Nothing was changed.");
}

// ---- the fit

void TAnalysisSession::Fit(bool keep_a) {
  work_message_.clear();
  likelihood_.Drop();
  TFitOptions options;
  const std::optional<TParameterSet> fields = host_.FieldParameters();
  if (fields)
    options.a1 = fields->a1;
  else if (model_.Parameters())
    options.a1 = model_.Parameters()->a1;
  options.KeepA = keep_a;
  if (keep_a && !fields)
    fit_.Refuse("Cannot keep A: the fields do not hold six numbers greater than 0.");
  else {
    if (keep_a)
      options.A = fields->A;
    fit_.Fit(Shown().Statistics(), options);
  }
  emit Changed(kFitChanged | kWorkChanged);
}

bool TAnalysisSession::CanApplyFit() const {
  return fit_.Fitted() || likelihood_.Fitted() || ShownGroupFit() != nullptr;
}

void TAnalysisSession::FitLikelihood(bool keep_a, bool contaminants) {
  work_message_.clear();
  fit_.Drop();
  TLikelihoodFitOptions options;
  const std::optional<TParameterSet> fields = host_.FieldParameters();
  if (fields)
    options.Likelihood.a1 = fields->a1;
  else if (model_.Parameters())
    options.Likelihood.a1 = model_.Parameters()->a1;
  options.Likelihood.Contaminants = contaminants;
  options.Likelihood.KeepA = keep_a;
  const TBootstrapOptions& bootstrap = fit_.BootstrapOptions();
  options.Replicates = bootstrap.Replicates;
  options.Seed = bootstrap.Seed;
  options.Level = bootstrap.Level;
  if (keep_a && !fields) {
    likelihood_.Refuse("Cannot keep A: the fields do not hold six numbers greater than 0.");
  } else {
    if (keep_a)
      options.Likelihood.A = fields->A;
    const TIncrementalStatistics& shown = Shown();
    options.DataLag1 = shown.Statistics().Autocorrelations[0];
    likelihood_.Fit({shown.Values().begin(), shown.Values().end()}, options);
  }
  emit Changed(kFitChanged | kWorkChanged);
}

void TAnalysisSession::ApplyFitToFields() {
  if (fit_.Fitted()) {
    host_.ApplyToFields(fit_.Current()->Parameters);
    return;
  }
  if (likelihood_.Fitted()) {
    host_.ApplyToFields(*likelihood_.Parameters());
    if (likelihood_.Current()->Boundary) {
      work_message_ = BoundaryApplyText(*likelihood_.Current());
      emit Changed(kWorkChanged);
    }
    return;
  }
  if (const TGroupFit* group = ShownGroupFit())
    ApplyGroupFit(*group);
}

// A row of every group's fit, as Fit's or FitLikelihood's own (k = inf as kAppliedK, said).
void TAnalysisSession::ApplyGroupFit(const TGroupFit& group) {
  if (group.Method == TFitMethod::Moments) {
    host_.ApplyToFields(group.Moments.Parameters);
    return;
  }
  if (!group.Likelihood || !group.Likelihood->Fitted())
    return;
  const TGroupFitTable& table = *groups_fit_.Table();
  host_.ApplyToFields(AppliedParametersOf(*group.Likelihood, table.Options.Fit.a1));
  if (group.Likelihood->Boundary) {
    work_message_ = BoundaryApplyText(*group.Likelihood);
    emit Changed(kWorkChanged);
  }
}

// ---- work

TWorkState TAnalysisSession::Work() const {
  TWorkState state;
  state.Message = work_message_;
  if (load_task_.Running()) {
    state.What = "Reading " + load_name_;
    state.Share = load_task_.Progress();
    state.Cancellable = true;
  } else if (fit_.BootstrapTask().Running()) {
    state.What =
        "Bootstrap: " + std::to_string(fit_.BootstrapOptions().Replicates) + " replicate series refitted";
    state.Share = fit_.BootstrapTask().Progress();
    state.Cancellable = true;
  } else if (groups_fit_.Task().Running()) {
    state.What = groups_fit_.Text();
    state.Share = groups_fit_.Task().Progress();
    state.Cancellable = true;
  } else if (likelihood_.Running()) {
    state.What = "Maximum likelihood: the search, then " + std::to_string(likelihood_.Options().Replicates) +
                 " bootstrap series refitted";
    state.Share = likelihood_.Task().Progress();
    state.Cancellable = true;
  } else if (model_.Task().Running() || fit_.SimulationTask().Running()) {
    state.What = "Simulating the model";
    state.Share = (model_.Task().Running() ? model_.Task() : fit_.SimulationTask()).Progress();
  }
  return state;
}

bool TAnalysisSession::WorkRunning() const noexcept {
  return model_.Task().Running() || fit_.SimulationTask().Running() || fit_.BootstrapTask().Running() ||
         likelihood_.Running() || load_task_.Running() || groups_fit_.Task().Running();
}

void TAnalysisSession::CancelWork() {
  int what = kWorkChanged;
  if (load_task_.Running()) {
    load_task_.Cancel();
    work_message_ = "Reading cancelled; nothing was changed";
  }
  if (fit_.BootstrapTask().Running()) {
    fit_.CancelIntervals();
    what |= kFitChanged;
  }
  if (groups_fit_.Task().Running()) {
    groups_fit_.Cancel();
    what |= kGroupsChanged;
  }
  if (likelihood_.Running()) {
    likelihood_.Cancel();
    what |= kFitChanged;
  }
  emit Changed(what);
}

void TAnalysisSession::StopWork() {
  CancelWork();
  model_.Task().Cancel();
  fit_.Drop();
  likelihood_.Drop();
}

void TAnalysisSession::JoinWork() {
  model_.Task().Join();
  fit_.SimulationTask().Join();
  fit_.BootstrapTask().Join();
  likelihood_.Task().Join();
  load_task_.Join();
  groups_fit_.Task().Join();
}

// ---- the views' contents

TAnalysisTable TAnalysisSession::Table() const {
  const TSeriesStatistics statistics = Shown().Statistics();
  if (!model_.ClosedForm() || statistics.Count < 2)
    return DataAloneTableOf(statistics, statistics.Count < 2 ? "" : "no model");
  const std::vector<TComparisonRow> model_rows =
      CompareWithModel(statistics, *model_.Parameters(), model_.Simulation());
  if (likelihood_.Fitted() && likelihood_.ClosedForm()) {
    // The fitted law's closed-form figures; its simulation is not run.
    const std::vector<TComparisonRow> fit_rows =
        CompareWithModel(statistics, *likelihood_.Parameters(), nullptr);
    return AnalysisTableOf(model_rows, &fit_rows);
  }
  if (!fit_.Fitted())
    return AnalysisTableOf(model_rows, nullptr);
  const std::vector<TComparisonRow> fit_rows =
      CompareWithModel(statistics, fit_.Current()->Parameters, fit_.Simulation());
  return AnalysisTableOf(model_rows, &fit_rows);
}

TAnalysisTable TAnalysisSession::FitResults() const {
  if (likelihood_.Fitted())
    return LikelihoodResultsOf(*likelihood_.Current(), likelihood_.HeldA1());
  return fit_.Fitted() ? FitResultsOf(*fit_.Current(), fit_.Intervals()) : TAnalysisTable{};
}

TAnalysisTable TAnalysisSession::DistributionComparison() const {
  return likelihood_.Fitted() ? DistributionComparisonOf(*likelihood_.Current()) : TAnalysisTable{};
}

std::string TAnalysisSession::FitText() const {
  return likelihood_.Active() ? likelihood_.Text(Shown().Count()) : fit_.Text(Shown().Count());
}

std::string TAnalysisSession::SourceText() const {
  if (showing_loaded_) {
    const TReactionTimeGroup& group = loaded_->Read->Groups[loaded_->Group];
    std::string counts = std::to_string(loaded_->Values.Count()) + " reaction times";
    if (group.Missing > 0)
      counts += "; " + std::to_string(group.Missing) +
                (group.Missing == 1 ? " missing value skipped" : " missing values skipped");
    if (group.Excluded > 0)
      counts += "; " + std::to_string(group.Excluded) + " excluded by the cutoffs";
    return "Showing " + loaded_->Name + (LoadedGroups() ? ", group " + GroupLabel(group) : "") + " (" +
           counts + ")";
  }
  const std::optional<std::uint32_t> seed = series_.Count() > 0 ? host_.SeriesSeed() : std::nullopt;
  return "Showing the window's series (" + std::to_string(series_.Count()) + " reactions" +
         (seed ? ", from seed " + std::to_string(*seed) : "") + ")";
}

std::string TAnalysisSession::NoteText() const {
  std::string note;
  const std::size_t n = Shown().Count();
  if (n < 2)
    note = "The analysis needs at least 2 reactions; the series has " + std::to_string(n) +
           (showing_loaded_ ? "." : ". Press \"Start Reaction Time\" to record more.");
  const TSeriesRecord& record = host_.Series();
  if (!showing_loaded_ && record.Mixed())
    Join(note, "The series mixes " + std::to_string(record.Runs().size()) +
                   " parameter sets (fields changed without \"Begin new RT series\"); the model uses the "
                   "latest set.");
  if (!model_.Error().empty())
    Join(note, "No model figures: " + model_.Error() + ".");
  return note;
}

std::string TAnalysisSession::ModelText() const {
  if (!model_.Parameters())
    return showing_loaded_ ? "Model: the fields do not hold six numbers greater than 0" : "Model: none yet";
  std::string text = "Model: " + ParametersText(*model_.Parameters()) +
                     (showing_loaded_ ? " (the fields' values)" : " (the series' latest set)") + ". ";
  if (model_.Simulation())
    text += "Mean, SD, share at A and lags in closed form; quantiles, density and standard errors from " +
            std::to_string(model_.Simulation()->Reactions) +
            " simulated reactions, each with its Monte Carlo error.";
  else if (model_.Task().Running())
    text += "Closed-form figures shown; the simulated ones are being computed.";
  else
    text += "Closed-form figures only.";
  return text;
}

}  // namespace corvane
