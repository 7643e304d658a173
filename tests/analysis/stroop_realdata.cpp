// The grouped read against R on real trials: afex's stroop data set (685 participants x 2
// conditions x up to 180 trials, NA where a trial was not recorded), written out by R's write.csv
// at test time from the Debian package's data (tools/install-deps fetches r-cran-afex's .deb and
// unpacks it into the data cache; nothing of it is in the repository). Every participant-condition
// group must hold R's own count of values and of NAs, and R's mean.
//
// Skipped, saying why, where the unpacked data are not in the cache (CORVANE_DATA_CACHE, else the
// folder configured at build time) or Rscript cannot run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "analysis/reaction_time_groups.h"

#ifndef CORVANE_DATA_CACHE
#define CORVANE_DATA_CACHE "/var/cache/corvane"
#endif

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct TRGroup {
  std::size_t n = 0;
  std::size_t missing = 0;
  double mean = 0;
};

TEST(StroopRealDataTest, GroupedReadEqualsR) {
  const char* env = std::getenv("CORVANE_DATA_CACHE");
  const fs::path cache = env && *env ? env : CORVANE_DATA_CACHE;
  const fs::path data = cache / "afex/usr/lib/R/site-library/afex/data/Rdata";
  if (!fs::exists(data.string() + ".rdb"))
    GTEST_SKIP() << "afex's data are not unpacked at " << data.string()
                 << ".rdb: tools/install-deps fetches them with apt-get download r-cran-afex (it could not, "
                    "or was not run)";
  const fs::path dir = fs::path(::testing::TempDir()) / "corvane_stroop";
  fs::create_directories(dir);
  const fs::path script = dir / "export.R";
  {
    std::ofstream r(script);
    r << "e <- new.env(); lazyLoad('" << data.string() << "', envir = e); s <- e$stroop\n"
      << "write.csv(s, '" << (dir / "stroop.csv").string() << "')\n"  // with row names, NA as R writes them
      << "a <- aggregate(rt ~ pno + condition, s, function(x) c(sum(!is.na(x)), mean(x, na.rm = TRUE),"
         " sum(is.na(x))), na.action = na.pass)\n"
      << "o <- data.frame(pno = a$pno, condition = a$condition, n = a$rt[, 1], mean = sprintf('%.17g', "
         "a$rt[, 2]),"
         " missing = a$rt[, 3])\n"
      << "write.table(o, '" << (dir / "aggregate.tsv").string()
      << "', sep = '\\t', quote = FALSE, row.names = FALSE)\n";
  }
  const std::string command =
      "Rscript --vanilla '" + script.string() + "' > '" + (dir / "r.log").string() + "' 2>&1";
  if (std::system(command.c_str()) != 0)
    GTEST_SKIP() << "Rscript could not export the data: see " << (dir / "r.log").string();

  std::map<std::pair<std::string, std::string>, TRGroup> r_groups;
  std::ifstream aggregate(dir / "aggregate.tsv");
  std::string line;
  std::getline(aggregate, line);
  while (std::getline(aggregate, line)) {
    std::istringstream fields(line);
    std::string pno, condition, mean;
    TRGroup g;
    std::getline(fields, pno, '\t');
    std::getline(fields, condition, '\t');
    fields >> g.n >> mean >> g.missing;
    g.mean = std::strtod(mean.c_str(), nullptr);
    r_groups[{pno, condition}] = g;
  }
  ASSERT_EQ(r_groups.size(), 1370u);

  std::ifstream csv(dir / "stroop.csv", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
  const TTextShape shape = InspectReactionTimeText(text);
  EXPECT_EQ(shape.Columns.front(), "");  // R's row names
  EXPECT_EQ(shape.Columns[shape.PreselectedColumn], "rt");
  TReadOptions options;
  options.GroupBy = {ColumnNamed(shape, "pno"), ColumnNamed(shape, "condition")};
  const TReactionTimeGroups read = ReadReactionTimeGroups(text, options);
  ASSERT_EQ(read.Groups.size(), 1370u);
  std::size_t missing = 0;
  for (const TReactionTimeGroup& group : read.Groups) {
    ASSERT_TRUE(group.Read) << group.Message;
    const auto it = r_groups.find({group.Keys[0], group.Keys[1]});
    ASSERT_NE(it, r_groups.end()) << group.Keys[0] << " " << group.Keys[1];
    const TRGroup& r = it->second;
    EXPECT_EQ(group.Values.size(), r.n) << group.Keys[0] << " " << group.Keys[1];
    EXPECT_EQ(group.Missing, r.missing) << group.Keys[0] << " " << group.Keys[1];
    long double sum = 0;
    for (const double v : group.Values) sum += v;
    const double mean = static_cast<double>(sum / static_cast<long double>(group.Values.size()));
    EXPECT_NEAR(mean, r.mean, 1e-14 * r.mean) << group.Keys[0] << " " << group.Keys[1];
    missing += group.Missing;
  }
  EXPECT_EQ(missing, 14383u);
}

}  // namespace
}  // namespace corvane
