#include "analysiswindow/likelihood_views.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>

#include "analysiswindow/likelihood_results.h"
#include "analysiswindow/likelihood_side.h"
#include "analysiswindow/qq_chart.h"
#include "analysiswindow/table_view.h"
#include "chart/chart.h"

namespace corvane {
namespace {

constexpr int kQqMinimumWidth = 160;
constexpr int kQqMinimumHeight = 150;

}  // namespace

void SizeTableToContents(QTableWidget& table) {
  table.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Its columns' width where the window has it; a window made narrower scrolls the table sideways
  // rather than widening itself.
  table.setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  table.setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  int height = table.horizontalHeader()->sizeHint().height() + 2 * table.frameWidth();
  for (int row = 0; row < table.rowCount(); ++row) height += table.rowHeight(row);
  table.setFixedHeight(height);
}

TLikelihoodViews::TLikelihoodViews(QWidget* parent)
    : QWidget(parent),
      comparison_(new TAnalysisTableView("ComparisonOfDistributions",
                                         QStringLiteral("The model against the ex-Gaussian and lognormal"))) {
  setObjectName("LikelihoodViews");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  left->addWidget(comparison_);
  left->addStretch(1);
  layout->addLayout(left);
  qq_ = std::make_unique<TQqChart>(this);
  // As tall as the estimates' table beside it: the analysis charts above keep the rest.
  qq_->Chart().setMinimumSize(kQqMinimumWidth, kQqMinimumHeight);
  qq_->Chart().setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  layout->addWidget(&qq_->Chart(), 1);
}

TLikelihoodViews::~TLikelihoodViews() = default;

void TLikelihoodViews::Show(const TLikelihoodSide& side) {
  setVisible(side.Fitted());
  if (!side.Fitted()) {
    qq_->Show({}, 0);
    return;
  }
  comparison_->Show(DistributionComparisonOf(*side.Current()));
  SizeTableToContents(*comparison_);
  qq_->Show(side.QqPoints(), side.Current()->Count);
}

}  // namespace corvane
