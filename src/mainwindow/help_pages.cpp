#include "mainwindow/help_pages.h"

#include <QDialog>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtGlobal>
#include <vector>

#include "runtime/format_float.h"
#include "runtime/random_generator.h"
#include "simulation/period_line.h"
#include "simulation/reaction_simulator.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "unknown"
#endif

namespace corvane {
namespace {

class TRecordingSink final : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord& record) override { records.push_back(record); }
  std::vector<TPeriodRecord> records;
};

// A value as the log writes it: fixed, three decimals, the decimal mark of the moment.
QString LogNumber(long double value) {
  return QString::fromStdString(FormatFloatKind(value, TFloatFormatKind::Fixed, 10, 3));
}

}  // namespace

QString ParametersAndModelPage() {
  return QStringLiteral(
      "<h3>Parameters</h3>"
      "<table cellspacing='4'>"
      "<tr><td><b>A</b></td><td>the amount of work a reaction requires</td></tr>"
      "<tr><td><b>a1</b></td><td>the fall of inhibition per unit of work</td></tr>"
      "<tr><td><b>a0</b></td><td>the rise of inhibition per unit of distraction time</td></tr>"
      "<tr><td><b>c1</b></td><td>the constant of the work-period lengths (through the exponent "
      "a1/c1)</td></tr>"
      "<tr><td><b>c0</b></td><td>the rate of the distraction periods, whose mean length is "
      "1/c0</td></tr>"
      "<tr><td><b>y0</b></td><td>the inhibition at the start of a series</td></tr>"
      "</table>"
      "<h3>The model</h3>"
      "<p>A reaction alternates work and distraction periods until the work done reaches A. Work "
      "lowers the inhibition by a1 per unit of work; a distraction raises it by a0 per unit of "
      "time. The lower chart plots the inhibition path of the latest reaction, the yellow "
      "triangle marks its reaction time, and the memo logs every period as a line of numbers. "
      "The upper chart collects the reaction times of the series.</p>"
      "<p>With k = c1/a1, &rho; = a1&middot;c0/a0 and r = exp(&minus;&rho;A/(k + 1)), and "
      "Y<sub>n</sub> the inhibition carried out of reaction n:</p>"
      "<ul>"
      "<li>the reaction time: RT<sub>n</sub> = A(1 + a1/a0) + (Y<sub>n</sub> &minus; "
      "Y<sub>n&minus;1</sub>)/a0;</li>"
      "<li>the stationary mean (the red line): <b>A(1 + a1/a0)</b>;</li>"
      "<li>the standard deviation: <b>&radic;(2(k + 1)(1 &minus; r))/c0</b>;</li>"
      "<li>the lag-j autocorrelation of consecutive reaction times: <b>&minus;(1 &minus; r)"
      "r<sup>j&minus;1</sup>/2</b>, so lag 1 gives &minus;(1 &minus; r)/2, between "
      "&minus;1/2 and 0;</li>"
      "<li>the carried inhibition is stationary Gamma(k + 1, rate c0/a0), of mean "
      "(k + 1)a0/c0; the distractions that count in a reaction are Poisson(&rho;A).</li>"
      "</ul>"
      "<p>The read-out on the red line shows the stationary mean, the model's standard deviation "
      "and lag-1 autocorrelation, and the mean and standard deviation of the series so far. The "
      "defaults (5, 1, 1, 0.5, 0.5, 5) give a mean of 10, a standard deviation of 3.120 and a "
      "lag-1 autocorrelation of &minus;0.4056.</p>");
}

QString MouseAndKeysPage() {
  return QStringLiteral(
      "<h3>Charts</h3>"
      "<table cellspacing='4'>"
      "<tr><td>Left drag, top-left to bottom-right</td><td>zoom to the rectangle</td></tr>"
      "<tr><td>Left drag the other way</td><td>undo every zoom and scroll</td></tr>"
      "<tr><td>Right drag</td><td>scroll</td></tr>"
      "<tr><td>Wheel</td><td>zoom in or out around the pointer</td></tr>"
      "<tr><td>Pointer resting on a point or line</td><td>its values (on the red line also the "
      "model's spread and the series' statistics)</td></tr>"
      "<tr><td>Right click</td><td>Save image as..., Save data as..., Copy image, Copy data, "
      "Reset zoom (also in the Charts menu)</td></tr>"
      "<tr><td>Escape during a drag</td><td>cancel the drag</td></tr>"
      "</table>"
      "<h3>Reactions</h3>"
      "<table cellspacing='4'>"
      "<tr><td>Click or Space on Start Reaction Time</td><td>one reaction</td></tr>"
      "<tr><td>Shift+click, Shift+Space</td><td>ten reactions in a row</td></tr>"
      "<tr><td>Ctrl+Shift+click, Ctrl+Shift+Space</td><td>fifty reactions in a row</td></tr>"
      "<tr><td>Escape during a run</td><td>stop the run after the current reaction</td></tr>"
      "<tr><td>Begin new RT series</td><td>clear the reaction-time chart and start again from "
      "y0</td></tr>"
      "</table>"
      "<h3>Menus and the log</h3>"
      "<table cellspacing='4'>"
      "<tr><td>Alt+F, Alt+C, Alt+V, Alt+A, Alt+H</td><td>the File, Charts, View, Analysis and Help "
      "menus</td></tr>"
      "<tr><td>Ctrl++ (also Ctrl+=), Ctrl+-</td><td>zoom the window in or out: 100, 125, 150, 200, "
      "250 %; the charts are drawn at the larger size</td></tr>"
      "<tr><td>Ctrl+0</td><td>the window at its actual size</td></tr>"
      "<tr><td>Ctrl+O</td><td>open reaction times from a file, for the Series analysis window</td></tr>"
      "<tr><td>Ctrl+Shift+V</td><td>paste reaction times (one a line, or a table) from the clipboard "
      "into the Series analysis window</td></tr>"
      "<tr><td>Ctrl+Shift+A</td><td>the Series analysis window: the series against the model, and the "
      "fit</td></tr>"
      "<tr><td>Ctrl+S</td><td>save the log as a text file</td></tr>"
      "<tr><td>Ctrl+Q</td><td>quit</td></tr>"
      "<tr><td>Menu key or Shift+F10 in the log</td><td>the log's context menu</td></tr>"
      "<tr><td>Tab, Shift+Tab</td><td>the next or previous field</td></tr>"
      "<tr><td>Return in a parameter field</td><td>Start Reaction Time: one reaction</td></tr>"
      "<tr><td>File &gt; Copy reproduction command</td><td>the corvane-cli command that prints the "
      "current series again (its seed also shows in Help &gt; About)</td></tr>"
      "</table>"
      "<h3>The Series analysis window</h3>"
      "<table cellspacing='4'>"
      "<tr><td>Ctrl+O, Ctrl+Shift+V</td><td>open or paste reaction times</td></tr>"
      "<tr><td>Ctrl+C</td><td>copy the table</td></tr>"
      "<tr><td>Ctrl+S</td><td>save the table as CSV</td></tr>"
      "<tr><td>Ctrl+W</td><td>close the window</td></tr>"
      "<tr><td>Alt+I, Alt+A, Alt+K, Alt+R</td><td>Fit, Apply to fields, Keep A, Copy results</td></tr>"
      "<tr><td>Ctrl+G</td><td>a long file: fit every group, one row per group (Alt+V the button)</td></tr>"
      "<tr><td>Alt+U, Alt+P, Alt+L</td><td>the group chooser, Copy rows, Save results as CSV</td></tr>"
      "<tr><td>Alt+T, Alt+F, Alt+O, Alt+D, Alt+N, Alt+X, Alt+R</td><td>in the dialog a table opens with: "
      "the RT column, Add filter, Order by, Decimal mark, Minimum, Maximum, Read</td></tr>"
      "</table>");
}

QString LogColumnsPage() {
  const TParameterSet P{5, 1, 1, 0.5, 0.5, 5};
  TRandomGenerator generator(kLogExampleSeed);
  TReactionSimulator simulator(generator);
  TRecordingSink sink;
  const double reaction_time = simulator.SimulateReaction(P, true, sink);
  const std::vector<TPeriodRecord>& records = sink.records;
  QString lines;
  for (const TPeriodRecord& record : records)
    lines += QString::fromStdString(FormatPeriodLine(record)).toHtmlEscaped() + QStringLiteral("\n");
  const TPeriodRecord& last = records.back();
  const double before = records.size() >= 2 ? records[records.size() - 2].asom : 0.0;
  const long double overshoot = static_cast<long double>(last.asom) - P.A;
  long double distraction = 0;
  for (const TPeriodRecord& record : records)
    if (record.K == 2)
      distraction += record.Term;

  return QStringLiteral(
             "<h3>The log's columns</h3>"
             "<p>Each press writes one line per period of its reaction into the log (the memo at the "
             "top right): a work period, then a distraction period, in turn, until the work reaches A. "
             "The line of the work period that completes the reaction is the last; the distraction "
             "drawn after it is not written.</p>"
             "<table cellspacing='4'>"
             "<tr><td><b>N</b></td><td>the cycle: a work period and the distraction period after it "
             "share one number</td></tr>"
             "<tr><td><b>K</b></td><td>the kind of period: 1 work, 2 distraction</td></tr>"
             "<tr><td><b>Y-Begin, Y-End</b></td><td>the inhibition at the period's start and end: work "
             "lowers it by a1 per unit of work, distraction raises it by a0 per unit of time</td></tr>"
             "<tr><td><b>WTerm</b></td><td>(work lines) the work done in the period, which is also its "
             "duration</td></tr>"
             "<tr><td><b>DTerm</b></td><td>(distraction lines) the period's duration, exponential with "
             "mean 1/c0</td></tr>"
             "<tr><td><b>Subtotal</b></td><td>the time since the reaction began, at the period's end; "
             "on the last line, the reaction time</td></tr>"
             "<tr><td><b>YValue</b></td><td>the inhibition of the point drawn in the lower chart at "
             "that time (Y-End)</td></tr>"
             "<tr><td><b>asom</b></td><td>the work accumulated in the reaction so far (a distraction "
             "line repeats the work line's)</td></tr>"
             "</table>"
             "<h3>A worked reaction</h3>"
             "<p>The defaults (A = 5, a1 = 1, a0 = 1, c1 = 0.5, c0 = 0.5, y0 = 5), the first reaction of "
             "a series, from seed %1 (<code>corvane-cli simulate --params 5,1,1,0.5,0.5,5 --reactions 1 "
             "--seed %1</code> prints its reaction time):</p>"
             "<pre>%2</pre>"
             "<p><b>Why asom of the last line exceeds A.</b> The last work period drew more work than "
             "was missing: asom reached %3, %4 past A = %5. The reaction ends at the moment the work "
             "reached A, so the last line is cut back to that moment: its WTerm is only the work that "
             "was missing (A minus the asom before it, %5 &minus; %6 = %7), its Subtotal %8 is the "
             "reaction time (A plus the distraction times, %5 + %9), and its Y-End is Y-Begin minus "
             "a1 &times; WTerm, the inhibition carried into the next reaction. asom alone keeps the "
             "whole work drawn, %3.</p>")
      .arg(kLogExampleSeed)
      .arg(lines, LogNumber(last.asom), LogNumber(overshoot), LogNumber(P.A), LogNumber(before),
           LogNumber(last.Term), LogNumber(reaction_time), LogNumber(distraction));
}

QString AnalysisTablePage() {
  return QStringLiteral(
      "<h3>The Series analysis window's table</h3>"
      "<p>One row per statistic of the reaction times shown (the window's series, or the file or "
      "pasted data), the data's figure beside the model's.</p>"
      "<table cellspacing='4'>"
      "<tr><td><b>n</b></td><td>the number of reactions</td></tr>"
      "<tr><td><b>minimum</b></td><td>the shortest reaction time; in the model it is A, the time of a "
      "reaction without a counted distraction</td></tr>"
      "<tr><td><b>mean, SD</b></td><td>the mean and the standard deviation (divisor n &minus; 1); the "
      "model's are A(1 + a1/a0) and &radic;(2(k + 1)(1 &minus; r))/c0</td></tr>"
      "<tr><td><b>share at minimum</b></td><td>the share of reactions at the minimum: in the model the "
      "atom at A, the reactions in which no distraction counted</td></tr>"
      "<tr><td><b>5 % &hellip; 95 %</b></td><td>quantiles (R's type 7: the order statistics, "
      "interpolated linearly)</td></tr>"
      "<tr><td><b>lag 1 &hellip; lag 10</b></td><td>the autocorrelations of consecutive reaction "
      "times (R's acf); the model's is &minus;(1 &minus; r)r<sup>j&minus;1</sup>/2 at lag j</td></tr>"
      "</table>"
      "<h3>The columns</h3>"
      "<table cellspacing='4'>"
      "<tr><td><b>Data</b></td><td>the figure of the reaction times shown</td></tr>"
      "<tr><td><b>Model</b></td><td>the model's figure for the parameters of the series (for loaded "
      "data, the six fields)</td></tr>"
      "<tr><td><b>Model from</b></td><td>&ldquo;closed form&rdquo; where the model gives the figure "
      "by a formula; &ldquo;simulation &plusmn; e&rdquo; where it is the mean over a long simulation "
      "of the model (10<sup>6</sup> reactions, off the window's thread, with its own generator), e its "
      "Monte Carlo error; &ldquo;being computed&rdquo; until that simulation ends</td></tr>"
      "<tr><td><b>Standard error</b></td><td>how much the data's figure varies between series of the "
      "same length drawn from the model. The reactions of a series depend on each other (the "
      "inhibition carries over), so these are not SD/&radic;n: the mean's comes in closed form and "
      "shrinks like 1/n, the others' from the simulation</td></tr>"
      "<tr><td><b>Data &minus; model (SE)</b></td><td>the difference between the data's figure and "
      "the model's, in standard errors (the Monte Carlo error included): values beyond about "
      "&plusmn;2 say that the data differ from the model in that figure more than chance "
      "usually makes them</td></tr>"
      "<tr><td><b>Fitted model, Data &minus; fit (SE)</b></td><td>after Fit, the same for the fitted "
      "parameters</td></tr>"
      "</table>"
      "<p>&ldquo;Copy table&rdquo; (Ctrl+C) copies it tab-separated in the locale's decimal mark; "
      "&ldquo;Save table as CSV...&rdquo; (Ctrl+S) writes it with commas and full stops, for R.</p>");
}

QString FitPage() {
  return QStringLiteral(
      "<h3>Fitting the model to reaction times</h3>"
      "<p>In the Series analysis window, <b>Fit</b> estimates A, b = a1/a0, k = c1/a1 and c0 from the "
      "reaction times shown. a1 is held at its field's value: scaling the inhibition, a1, a0 and c1 "
      "together changes no reaction time, so the data cannot tell a1. a0 = a1/b, c1 = k a1 and "
      "y0 = (k + 1) a0/c0 (the carried inhibition's stationary mean) follow. <b>Keep A from its "
      "field</b> holds A at the A field's value under either method.</p>"
      "<h3>The methods</h3>"
      "<p><b>Maximum likelihood</b> (the default) fits the stationary distribution of one reaction "
      "time: the reactions' marginal law, as the field usually treats trials. It needs at least 20 "
      "values, finite and above 0, not all the same; any such series is fitted. A is searched at and "
      "below the fastest reaction: model data, where a share of reactions has no distraction, put A "
      "at the minimum (those values are the atom's); real data put it below. A is put at the "
      "minimum only where several values tie there, more than the distribution without that share "
      "explains: every sample has a fastest value. Values are taken to the "
      "resolution they were written with (the unit of the last decimal place). <b>Contaminants</b> "
      "mixes in a uniform distribution over the data's range and estimates its share, the field's "
      "remedy for stray trials.</p>"
      "<p><b>Moments</b> takes A as the sample minimum (or the field's) and solves the mean, the "
      "variance and the lag-1 autocorrelation for b, k and c0 in closed form. It refuses data whose "
      "lag-1 is not between &minus;1/2 and 0 (the model's range), whose mean is not above A, or "
      "with fewer than 20 values; its bootstrap leaves out replicates it cannot refit and says how "
      "many.</p>"
      "<h3>The boundary</h3>"
      "<p>As k grows the reactions become independent. When the likelihood is largest there, the "
      "estimate is <b>k = inf: independent reactions</b>: a result, not a failure (c1 and y0 are then "
      "infinite too). <b>Apply to fields</b> writes k = 10<sup>4</sup> in its place: its lag-1 differs "
      "from 0 by less than the data could show, and the status bar says so.</p>"
      "<h3>The intervals (95 %)</h3>"
      "<p>From a parametric bootstrap: series simulated from the fitted model with its dependence, "
      "each fitted again; none is left out. The Interval column names the rule where it is not the "
      "bootstrap percentile:</p>"
      "<table cellspacing='4'>"
      "<tr><td><b>(empty)</b></td><td>the replicates' 2.5 % and 97.5 % percentiles</td></tr>"
      "<tr><td><b>shifted percentile</b></td><td>the percentile interval would exclude the estimate: "
      "95 % of the replicates next to it, the estimate one end</td></tr>"
      "<tr><td><b>profile likelihood</b></td><td>A below the fastest reaction: where twice the loss in "
      "log-likelihood stays under 3.84 (the bootstrap of a minimum is one-sided)</td></tr>"
      "<tr><td><b>bootstrap, widened along A's profile</b></td><td>where A is weakly determined the "
      "other estimates move with it (b = m/(c0 A) grows as A falls): the interval also spans every "
      "value the likeliest fit takes for A within A's interval</td></tr>"
      "<tr><td><b>exact: the atom</b></td><td>A at the minimum where the data hold the atom: zero "
      "width</td></tr>"
      "<tr><td><b>held</b></td><td>A kept from its field</td></tr>"
      "<tr><td><b>from b's, from k's</b></td><td>a0 = a1/b and c1 = k a1 from b's and k's "
      "intervals</td></tr>"
      "</table>"
      "<h3>The verdict on the dependence</h3>"
      "<p>The data's lag-1 autocorrelation (over neighbouring trials only) against the fitted "
      "model's, in the model's standard error at this n, two-sided at 5 %: consistent with the "
      "model; above anything the model can produce (a positive lag-1: the model's is never above 0, "
      "so this is sequential dependence it does not describe); or above or below the fitted "
      "model's.</p>"
      "<h3>The comparison and the goodness of fit</h3>"
      "<p>The table beside the estimates fits the same data by maximum likelihood with the "
      "ex-Gaussian (mu, sigma, tau: the field's standard description) and the shifted lognormal, and "
      "gives each logLik, AIC = 2p &minus; 2 logLik and BIC = p ln n &minus; 2 logLik on the same "
      "density scale: the lower AIC or BIC, the better the trade of fit against parameters. "
      "<b>Goodness of fit</b>: the Kolmogorov distance between the data and the fitted law, its p the "
      "share of bootstrap series at least as far from their own refits. The <b>QQ chart</b> plots each "
      "order statistic against the fitted model's quantile at (i &minus; 1/2)/n, with the identity "
      "line and a pointwise 95 % band from the order statistics' binomial law.</p>"
      "<h3>A refused file</h3>"
      "<p>A file that cannot be read is named with its first bad line: choose the reaction-time "
      "column, mark missing values as NA or leave them empty, and keep one number a line. A fit "
      "refused under Moments is usually a positive lag-1 (sequential dependence): fit by maximum "
      "likelihood, which takes any series of 20 values that vary, and read the verdict. Fewer than 20 "
      "values, values at or below 0, or all values the same cannot be fitted by either method. The "
      "command line fits many files or groups at once: corvane-cli fit.</p>");
}

QString AboutText(const QString& series) {
  const QString about =
      QStringLiteral(
          "<h3>Corvane %1</h3>"
          "<p>Explores a stochastic model of reaction times under mental inhibition.</p>"
          "<p>Licence: MIT (the file LICENSE; /usr/share/doc/corvane/copyright where installed).</p>"
          "<p>Qt %2 (built with %3).</p>")
          .arg(QStringLiteral(CORVANE_VERSION), QString::fromLatin1(qVersion()),
               QStringLiteral(QT_VERSION_STR));
  return series.isEmpty() ? about
                          : about + QStringLiteral("<p>") + series.toHtmlEscaped() + QStringLiteral("</p>");
}

void ShowHelpPage(QWidget* owner, const QString& title, const QString& html, QSize size) {
  const QString name = QStringLiteral("HelpPage:") + title;
  auto* page = owner != nullptr ? owner->findChild<QDialog*>(name, Qt::FindDirectChildrenOnly) : nullptr;
  if (page == nullptr) {
    page = new QDialog(owner);
    page->setObjectName(name);
    page->setWindowTitle(title);
    auto* text = new QTextBrowser(page);
    text->setHtml(html);
    text->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(text);
    page->resize(size);
  }
  page->show();
  page->raise();
  page->activateWindow();
}

void ShowAbout(QWidget* owner, const QString& series) {
  QMessageBox::about(owner, QStringLiteral("About Corvane"), AboutText(series));
}

}  // namespace corvane
