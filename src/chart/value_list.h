// TChartValueList: the ordered doubles behind a series' XValues and YValues. Values are stored
// unscaled; every read returns stored value x Multiplier. The list keeps its scaled extremes and
// sums up to date on every insert, so a series' MinX..MaxY are constant-time reads; only a delete
// or a Multiplier change rescans it. NaN and infinite values are stored unchanged.
#pragma once

#include <string>
#include <vector>

namespace corvane {

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

class TChartValueList {
 public:
  TChartValueList(TChartSeries* owner, std::string name);
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  TChartSeries* Owner() const { return owner_; }

  int Count() const { return static_cast<int>(values_.size()); }
  // Scaled value; EListError outside 0..Count()-1.
  double ValueAt(int index) const;
  // Unscaled, unchecked: the storage itself, for scans that know their bounds.
  const std::vector<double>& StoredValues() const { return values_; }

  // Inserts by Order and returns the index; a value equal to stored ones goes after them.
  int InsertSorted(double value);
  // EListError unless 0 <= index <= Count().
  void InsertAt(int index, double value);
  // EListError outside 0..Count()-1.
  void DeleteAt(int index);
  void ClearAll();
  void RecomputeExtremes();

  double PendingValue() const { return pending_value_; }
  void SetPendingValue(double value) { pending_value_ = value; }
  double LowestValue() const { return lowest_; }
  double HighestValue() const { return highest_; }
  double ValueSum() const { return value_sum_; }
  double AbsValueSum() const { return abs_value_sum_; }

  // Published, in stream order.
  bool DateTime() const { return date_time_; }
  void SetDateTime(bool date_time);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  double Multiplier() const { return multiplier_; }
  void SetMultiplier(double multiplier);
  TChartListOrder Order() const { return order_; }
  // Does not re-sort the stored values.
  void SetOrder(TChartListOrder order) { order_ = order; }
  const std::string& ValueSource() const { return value_source_; }
  void SetValueSource(const std::string& source) { value_source_ = source; }

  // Copies Order, DateTime, Multiplier and ValueSource; not the name, not the values.
  void Assign(const TChartValueList& source);

 private:
  int SortedIndex(double value) const;
  double Scaled(double stored) const;
  void AddToCaches(double stored);
  void RepaintOwner() const;

  TChartSeries* owner_;
  std::vector<double> values_;
  double pending_value_ = 0;
  double lowest_ = 0;
  double highest_ = 0;
  double value_sum_ = 0;
  double abs_value_sum_ = 0;

  bool date_time_ = false;
  std::string name_;
  double multiplier_ = 1.0;
  TChartListOrder order_ = loNone;
  std::string value_source_;
};

}  // namespace corvane
