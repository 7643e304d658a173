// The fit panel's views of a fit by maximum likelihood, beside the estimates' table: the AIC
// table (the model against the ex-Gaussian and the shifted lognormal) over nothing else, and the
// QQ chart (qq_chart.h) to its right.
//
//   TLikelihoodSide --TLikelihoodViews::Show--> the AIC table (DistributionComparisonOf,
//        likelihood_results.h), the QQ chart's points; hidden unless fitted by likelihood
//
// Tables here show every row and column without scrolling (SizeTableToContents): the window
// gives the charts above what the panel leaves.
#pragma once

#include <QWidget>
#include <memory>

class QTableWidget;

namespace corvane {

class TAnalysisTableView;
class TLikelihoodSide;
class TQqChart;

// Fixes the table's height to its header and rows and asks for its columns' width: a few rows read
// whole, without scrolling where the window is wide enough.
void SizeTableToContents(QTableWidget& table);

class TLikelihoodViews : public QWidget {
 public:
  explicit TLikelihoodViews(QWidget* parent = nullptr);
  ~TLikelihoodViews() override;

  void Show(const TLikelihoodSide& side);
  TQqChart& Qq() const { return *qq_; }
  TAnalysisTableView& Comparison() const { return *comparison_; }

 private:
  TAnalysisTableView* comparison_;
  std::unique_ptr<TQqChart> qq_;  // a plain object: its chart belongs to this widget's layout
};

}  // namespace corvane
