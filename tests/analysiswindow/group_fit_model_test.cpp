#include "analysiswindow/group_fit_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane {
namespace {

TEST(GroupFitModelTest, CellsOrderNumbersAsNumbersTextsAfterAndNothingLast) {
  struct Case {
    const char* a;
    const char* b;
    bool before;
  };
  const Case cases[] = {
      {"9", "10", true},  // as numbers, not as texts
      {"10", "9", false},       {"-0.5", "0.25", true}, {"1e-3", "0.01", true},
      {"-inf", "-1e300", true}, {"1e300", "inf", true}, {"2", "2", false},
      {"10", "p01", true},  // numbers before texts
      {"p01", "10", false},     {"p01", "p02", true},   {"fitted", "not fitted", true},
      {"0.5", "NA", true},  // NA and empty last
      {"NA", "0.5", false},     {"zzz", "", true},      {"NA", "", false},
      {"", "NA", false},
  };
  for (const Case& c : cases) EXPECT_EQ(CellBefore(c.a, c.b), c.before) << c.a << " < " << c.b;
}

std::shared_ptr<const TGroupFitTable> Table() {
  auto table = std::make_shared<TGroupFitTable>();
  table->Header = {"pno", "n", "A", "status", "message"};
  table->Rows = {
      {"p1", "20", "0.5", "fitted", ""},
      {"p2", "100", "NA", "not fitted", "the model predicts, a \"negative\" lag"},
      {"p10", "9", "0.25", "fitted", "two\twords"},
      {"p3", "NA", "1e-3", "not read", "line 7"},
  };
  return table;
}

std::vector<std::string> Column(const TGroupFitModel& model, int column) {
  std::vector<std::string> cells;
  for (int r = 0; r < model.rowCount(); ++r)
    cells.push_back(model.data(model.index(r, column), Qt::DisplayRole).toString().toStdString());
  return cells;
}

TEST(GroupFitModelTest, SortsEitherWayWithNALastAndKnowsEachRowsGroup) {
  TGroupFitModel model;
  model.SetTable(Table());
  model.sort(1, Qt::AscendingOrder);
  EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"9", "20", "100", "NA"}));
  EXPECT_EQ(model.GroupOfRow(0), 2u);
  model.sort(1, Qt::DescendingOrder);
  EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"100", "20", "9", "NA"}));
  EXPECT_EQ(model.GroupOfRow(0), 1u);
  model.sort(2, Qt::DescendingOrder);
  EXPECT_EQ(Column(model, 2), (std::vector<std::string>{"0.5", "0.25", "1e-3", "NA"}));
  model.sort(0, Qt::AscendingOrder);
  EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"p1", "p10", "p2", "p3"}));
  // A new table comes in the groups' order.
  model.SetTable(Table());
  EXPECT_EQ(Column(model, 0), (std::vector<std::string>{"p1", "p2", "p10", "p3"}));
  EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "A");
}

TEST(GroupFitModelTest, CopiesTheChosenRowsAsShownAndSavesEveryRowAsCsv) {
  TGroupFitModel model;
  model.SetTable(Table());
  model.sort(1, Qt::DescendingOrder);  // p2, p1, p10, p3
  EXPECT_EQ(model.Tsv({2, 0}),
            "pno\tn\tA\tstatus\tmessage\n"
            "p10\t9\t0.25\tfitted\ttwo words\n"
            "p2\t100\tNA\tnot fitted\tthe model predicts, a \"negative\" lag\n");
  EXPECT_EQ(model.Csv(),
            "pno,n,A,status,message\n"
            "p2,100,NA,not fitted,\"the model predicts, a \"\"negative\"\" lag\"\n"
            "p1,20,0.5,fitted,\n"
            "p10,9,0.25,fitted,two\twords\n"
            "p3,NA,1e-3,not read,line 7\n");
  EXPECT_EQ(model.Tsv({}).substr(model.Tsv({}).find('\n') + 1, 3), "p2\t");
  TGroupFitModel empty;
  EXPECT_EQ(empty.Csv(), "");
  EXPECT_EQ(empty.rowCount(), 0);
}

}  // namespace
}  // namespace corvane
