#include "mainwindow/help_pages.h"

#include <QDialog>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtGlobal>

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "unknown"
#endif

namespace corvane {

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
      "<tr><td>Alt+F, Alt+C, Alt+A, Alt+H</td><td>the File, Charts, Analysis and Help menus</td></tr>"
      "<tr><td>Ctrl+O</td><td>open reaction times from a file, for the Series analysis window</td></tr>"
      "<tr><td>Ctrl+Shift+A</td><td>the Series analysis window: the series against the model, and the "
      "fit</td></tr>"
      "<tr><td>Ctrl+S</td><td>save the log as a text file</td></tr>"
      "<tr><td>Ctrl+Q</td><td>quit</td></tr>"
      "<tr><td>Menu key or Shift+F10 in the log</td><td>the log's context menu</td></tr>"
      "<tr><td>Tab, Shift+Tab</td><td>the next or previous field</td></tr>"
      "</table>");
}

QString AboutText() {
  return QStringLiteral(
             "<h3>Corvane %1</h3>"
             "<p>Explores a stochastic model of reaction times under mental inhibition.</p>"
             "<p>Licence: MIT (the file LICENSE; /usr/share/doc/corvane/copyright where installed).</p>"
             "<p>Qt %2 (built with %3).</p>")
      .arg(QStringLiteral(CORVANE_VERSION), QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
}

void ShowHelpPage(QWidget* owner, const QString& title, const QString& html) {
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
    page->resize(560, 520);
  }
  page->show();
  page->raise();
  page->activateWindow();
}

void ShowAbout(QWidget* owner) {
  QMessageBox::about(owner, QStringLiteral("About Corvane"), AboutText());
}

}  // namespace corvane
