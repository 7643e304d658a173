// TChartSeriesList: a chart's series in attach order. The chart draws and queries them in this
// order, so a later series paints over an earlier one. It does not own them; only the chart's
// AttachSeries and DetachSeries change it.
#pragma once

#include <vector>

namespace corvane {

class TChartSeries;

class TChartSeriesList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // EListError outside 0..Count()-1.
  TChartSeries& At(int index) const;
  int IndexOf(const TChartSeries& series) const;
  bool Contains(const TChartSeries& series) const { return IndexOf(series) >= 0; }
  // The number of series whose Active is True.
  int ActiveCount() const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  friend class TCustomAxisPanel;
  void Append(TChartSeries& series) { items_.push_back(&series); }
  void Remove(const TChartSeries& series);

  std::vector<TChartSeries*> items_;
};

}  // namespace corvane
