// The grouped read against R on real trials: afex's stroop data set (685 participants x 2
// conditions x up to 180 trials, NA where a trial was not recorded), written out by R's write.csv
// at test time from the Debian package's data (tools/install-deps fetches r-cran-afex's .deb and
// unpacks it into the data cache; nothing of it is in the repository). Every participant-condition
// group must hold R's own count of values and of NAs, and R's mean.
//
// The fit by maximum likelihood on the same cells: every cell with at least 20 values fitted
// (never refused; k = inf is an estimate), its estimates positive, its logLik and the
// ex-Gaussian's finite; reported: the share of cells where the model's AIC beats the
// ex-Gaussian's, the share whose data lag-1 lies above anything the model produces, and the median
// gof p. Fitting costs about two seconds a cell on one core, so by default an evenly spaced sample
// of cells is fitted (CORVANE_REALDATA_CELLS: a count, or "all"), without replicates, and the gof p
// (which needs them) on a few of those (CORVANE_REALDATA_GOF_CELLS, with
// CORVANE_REALDATA_REPLICATES each).
//
// Skipped, saying why, where the unpacked data are not in the cache (CORVANE_DATA_CACHE, else the
// folder configured at build time) or Rscript cannot run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/group_fit.h"
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

// afex's stroop exported by R once per process: the file and R's aggregate, or why not.
struct TStroopExport {
  fs::path Dir;
  std::string SkipReason;  // empty when exported
};

const TStroopExport& StroopExport() {
  static const TStroopExport exported = [] {
    TStroopExport e;
    const char* env = std::getenv("CORVANE_DATA_CACHE");
    const fs::path cache = env && *env ? env : CORVANE_DATA_CACHE;
    const fs::path data = cache / "afex/usr/lib/R/site-library/afex/data/Rdata";
    if (!fs::exists(data.string() + ".rdb")) {
      e.SkipReason = "afex's data are not unpacked at " + data.string() +
                     ".rdb: tools/install-deps fetches them with apt-get download r-cran-afex (it could not, "
                     "or was not run)";
      return e;
    }
    // A folder of this process's own: the realdata tests run in parallel, each exporting the file,
    // and one read another's half-written copy ("no value in column 'rt'" at a line it had cut).
    e.Dir = fs::path(::testing::TempDir()) / ("corvane_stroop_" + std::to_string(::getpid()));
    fs::create_directories(e.Dir);
    const fs::path script = e.Dir / "export.R";
    {
      std::ofstream r(script);
      r << "e <- new.env(); lazyLoad('" << data.string() << "', envir = e); s <- e$stroop\n"
        << "write.csv(s, '" << (e.Dir / "stroop.csv").string()
        << "')\n"  // with row names, NA as R writes them
        << "a <- aggregate(rt ~ pno + condition, s, function(x) c(sum(!is.na(x)), mean(x, na.rm = TRUE),"
           " sum(is.na(x))), na.action = na.pass)\n"
        << "o <- data.frame(pno = a$pno, condition = a$condition, n = a$rt[, 1], mean = sprintf('%.17g', "
           "a$rt[, 2]),"
           " missing = a$rt[, 3])\n"
        << "write.table(o, '" << (e.Dir / "aggregate.tsv").string()
        << "', sep = '\\t', quote = FALSE, row.names = FALSE)\n";
    }
    const std::string command =
        "Rscript --vanilla '" + script.string() + "' > '" + (e.Dir / "r.log").string() + "' 2>&1";
    if (std::system(command.c_str()) != 0)
      e.SkipReason = "Rscript could not export the data: see " + (e.Dir / "r.log").string();
    return e;
  }();
  return exported;
}

TReactionTimeGroups StroopGroups(const fs::path& dir) {
  std::ifstream csv(dir / "stroop.csv", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
  const TTextShape shape = InspectReactionTimeText(text);
  TReadOptions options;
  options.GroupBy = {ColumnNamed(shape, "pno"), ColumnNamed(shape, "condition")};
  return ReadReactionTimeGroups(text, options);
}

TEST(StroopRealDataTest, GroupedReadEqualsR) {
  const TStroopExport& exported = StroopExport();
  if (!exported.SkipReason.empty())
    GTEST_SKIP() << exported.SkipReason;
  const fs::path& dir = exported.Dir;

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

std::size_t EnvironmentCount(const char* name, std::size_t fallback, std::size_t all) {
  const char* env = std::getenv(name);
  if (env == nullptr || *env == '\0')
    return fallback;
  if (std::string_view(env) == "all")
    return all;
  return std::min<std::size_t>(std::strtoull(env, nullptr, 10), all);
}

// `count` cells spread evenly over the groups, in their order.
TReactionTimeGroups Sample(const TReactionTimeGroups& read, std::size_t count) {
  TReactionTimeGroups sample;
  const std::size_t n = read.Groups.size();
  for (std::size_t i = 0; i < count; ++i) sample.Groups.push_back(read.Groups[i * n / count]);
  return sample;
}

double Median(std::vector<double> values) {
  if (values.empty())
    return kNotANumber;
  std::sort(values.begin(), values.end());
  const std::size_t h = values.size() / 2;
  return values.size() % 2 ? values[h] : (values[h - 1] + values[h]) / 2;
}

TEST(StroopRealDataTest, EveryCellFittedByLikelihood) {
  const TStroopExport& exported = StroopExport();
  if (!exported.SkipReason.empty())
    GTEST_SKIP() << exported.SkipReason;
  const TReactionTimeGroups read = StroopGroups(exported.Dir);
  ASSERT_EQ(read.Groups.size(), 1370u);
  const TReactionTimeGroups cells =
      Sample(read, EnvironmentCount("CORVANE_REALDATA_CELLS", 24, read.Groups.size()));
  TGroupFitOptions options;  // ML, the default
  options.Bootstrap.Replicates = 0;
  options.Bootstrap.Seed = 1;
  const std::vector<TGroupFit> fits = FitGroups(cells, options);
  ASSERT_EQ(fits.size(), cells.Groups.size());
  std::size_t fitted = 0, beats_exgauss = 0, above_any = 0, boundary = 0;
  for (std::size_t g = 0; g < fits.size(); ++g) {
    const TGroupFit& fit = fits[g];
    const std::string cell = fit.Keys[0] + " " + fit.Keys[1];
    if (cells.Groups[g].Values.size() < kMinimumReactionTimes) {
      EXPECT_EQ(fit.Status, TGroupFitStatus::NotFitted) << cell;
      continue;
    }
    ASSERT_EQ(fit.Status, TGroupFitStatus::Fitted) << cell << ": " << fit.Message;
    ASSERT_TRUE(fit.Likelihood.has_value());
    const TLikelihoodFit& ml = *fit.Likelihood;
    for (const int p : {kFitA, kFitB, kFitC0}) {
      const double v = fit.Estimates[static_cast<std::size_t>(p)];
      EXPECT_TRUE(std::isfinite(v) && v > 0) << cell << " " << FitParameterName(p) << " " << v;
    }
    EXPECT_GT(fit.Estimates[kFitK], 0) << cell;
    EXPECT_TRUE(std::isfinite(ml.LogLik)) << cell;
    EXPECT_TRUE(std::isfinite(ml.ExGaussian.AIC)) << cell;
    EXPECT_LE(fit.Estimates[kFitA],
              *std::min_element(cells.Groups[g].Values.begin(), cells.Groups[g].Values.end()));
    ++fitted;
    beats_exgauss += ml.AIC < ml.ExGaussian.AIC ? 1 : 0;
    above_any += ml.Verdict.Kind == TDependenceKind::AboveAnyModel ? 1 : 0;
    boundary += ml.Boundary ? 1 : 0;
  }
  ASSERT_GT(fitted, 0u);
  const auto share = [&](std::size_t count) {
    return static_cast<double>(count) / static_cast<double>(fitted);
  };

  // The gof p needs replicates, each an ML refit: a few of the cells above.
  const std::size_t gof_count = EnvironmentCount("CORVANE_REALDATA_GOF_CELLS", 4, cells.Groups.size());
  TGroupFitOptions with_replicates = options;
  with_replicates.Bootstrap.Replicates = EnvironmentCount("CORVANE_REALDATA_REPLICATES", 19, 100000);
  std::vector<double> gof;
  for (const TGroupFit& fit : FitGroups(Sample(cells, gof_count), with_replicates)) {
    if (fit.Status != TGroupFitStatus::Fitted)
      continue;
    const double p = fit.Likelihood->GofP;
    EXPECT_GT(p, 0);
    EXPECT_LE(p, 1);
    gof.push_back(p);
  }
  std::printf(
      "stroop by ML: %zu of %zu cells fitted (%zu at k = inf); the model's AIC below the ex-Gaussian's in "
      "%.1f %%; "
      "the data's lag-1 above anything the model produces in %.1f %%; median gof p %.3f over %zu cells with "
      "B = %zu\n",
      fitted, fits.size(), boundary, 100 * share(beats_exgauss), 100 * share(above_any), Median(gof),
      gof.size(), with_replicates.Bootstrap.Replicates);
  RecordProperty("cells_fitted", static_cast<int>(fitted));
  RecordProperty("aic_beats_exgauss_share", std::to_string(share(beats_exgauss)));
  RecordProperty("positive_lag1_verdict_share", std::to_string(share(above_any)));
  RecordProperty("median_gof_p", std::to_string(Median(gof)));
}

}  // namespace
}  // namespace corvane
