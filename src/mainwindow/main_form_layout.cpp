// The controls of Form1 at their fixed positions (client pixels at 96 pixels per inch, in the
// client area beneath the menu bar), created in the layout's order, which is also their stacking order: later
// controls lie on top.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "chart/chart.h"
#include "framework/fonts.h"
#include "mainwindow/main_form.h"
#include "memo/data_memo.h"
#include "memo/memo_view.h"

namespace corvane {
namespace {

constexpr char kZoomHelp[] =
    "Charts can be zoomed drawing a rectangle around the chart area one wants to see in detail. "
    "Zooming can be done by dragging the left mouse button from top/left to bottom down. Dragging in the "
    "opposite direction resets axis scales (no zoom).";
constexpr char kScrollHelp[] =
    "Scrolling can be done  by dragging the right mouse button. Red line in the upper graph indicates the "
    "stationary mean.";

constexpr char kClickAgainSentence[] = "Click again for new reaction time.";
constexpr char kTriangleSentence[] = "Yellow triangle indicates the reaction time.";

// One line each on what a parameter is, shown by its label and its field.
constexpr const char* kParameterHelp[] = {
    "A: the amount of work a reaction requires",
    "a1: the fall of inhibition per unit of work",
    "a0: the rise of inhibition per unit of distraction time",
    "c1: the constant of the work-period lengths (through the exponent a1/c1)",
    "c0: the rate of the distraction periods, whose mean length is 1/c0",
    "y0: the inhibition at the start of a series",
};

// Labels size themselves to their caption from the given top-left corner, as the layout's
// auto-sized labels do, so that a caption never clips in a font slightly wider than designed.
QLabel* MakeLabel(QWidget* parent, int left, int top, const char* caption) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit* MakeEdit(QWidget* parent, int left, const char* text) {
  auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
  edit->setGeometry(left, 32, 41, 21);
  return edit;
}

template <class Button = QPushButton>
Button* MakeButton(QWidget* parent, int left, const char* caption) {
  auto* button = new Button(QString::fromLatin1(caption), parent);
  button->setGeometry(left, 424, 109, 25);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

void TForm1::CreateControls() {
  QWidget* const client = Client;
  Label1 = MakeLabel(client, 57, 8, "A");
  Label2 = MakeLabel(client, 112, 8, "a1");
  Label3 = MakeLabel(client, 168, 8, "a0");
  Label4 = MakeLabel(client, 232, 8, "c1");
  Label5 = MakeLabel(client, 288, 8, "c0");
  Label7 = MakeLabel(client, 400, 8, "y0");
  Label9 = MakeLabel(client, 368, 424, "  <--- Click again for ");
  Label10 = MakeLabel(client, 496, 424, "Yellow triangle indicates");
  Label11 = MakeLabel(client, 496, 440, "the reaction time.");
  Label13 = MakeLabel(client, 392, 440, "new reaction time.");
  Label14 = new QLabel(QString::fromLatin1(kZoomHelp), client);
  Label14->setWordWrap(true);
  Label14->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label14->setGeometry(24, 218, 580, 26);
  Label15 = MakeLabel(client, 24, 244, kScrollHelp);

  Chart2 = new TChart(client);
  Chart2->setGeometry(24, 60, 593, 153);
  ButtonBegin = MakeButton<TModifierButton>(client, 256, "Start Reaction Time");
  Chart1 = new TChart(client);
  Chart1->setGeometry(24, 264, 593, 145);
  MemoData = std::make_unique<TDataMemo>(client);
  MemoData->Widget()->setGeometry(440, 0, 185, 185);
  EditAcrit = MakeEdit(client, 40, "5");
  EditA1 = MakeEdit(client, 97, "1");
  EditA0 = MakeEdit(client, 155, "1");
  EditC1 = MakeEdit(client, 212, "0.5");
  EditC0 = MakeEdit(client, 269, "0.5");
  EditY0 = MakeEdit(client, 384, "5");
  BitBtn1 = MakeButton(client, 128, "Begin new RT series");
  CheckBox1 = new QCheckBox(QString::fromLatin1("Memo On/Off"), client);
  CheckBox1->setGeometry(32, 424, 89, 17);

  const std::pair<QLabel*, QLineEdit*> parameters[] = {{Label1, EditAcrit}, {Label2, EditA1},
                                                       {Label3, EditA0},    {Label4, EditC1},
                                                       {Label5, EditC0},    {Label7, EditY0}};
  for (std::size_t i = 0; i < std::size(parameters); ++i) {
    const QString help = QString::fromLatin1(kParameterHelp[i]);
    parameters[i].first->setToolTip(help);
    parameters[i].second->setToolTip(help);
    // The label names its field for assistive technology (and links the two); the help says more.
    parameters[i].first->setBuddy(parameters[i].second);
    parameters[i].second->setAccessibleDescription(help);
  }
  DescribeSentences();
}

// The two sentences under the charts are drawn as two labels each; a screen reader hears each
// whole from its first label (the arrow left out) and the first from the button it points at.
// The second labels keep their own words: naming them with the whole sentence too would have it
// read twice.
void TForm1::DescribeSentences() {
  const QString again = QString::fromLatin1(kClickAgainSentence);
  const QString triangle = QString::fromLatin1(kTriangleSentence);
  Label9->setAccessibleName(again);
  Label10->setAccessibleName(triangle);
  ButtonBegin->setAccessibleDescription(again);
}

void TForm1::SetTabOrder() {
  // The charts take no focus; Tab runs ButtonBegin, MemoData, the six fields, BitBtn1, CheckBox1.
  Chart1->setFocusPolicy(Qt::NoFocus);
  Chart2->setFocusPolicy(Qt::NoFocus);
  QWidget* order[] = {ButtonBegin, MemoData->Widget(), EditAcrit, EditA1, EditA0, EditC1, EditC0, EditY0,
                      BitBtn1,     CheckBox1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

}  // namespace corvane
