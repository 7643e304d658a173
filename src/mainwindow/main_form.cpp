#include "mainwindow/main_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/chart.h"
#include "dialogs/error_report.h"
#include "dialogs/notice_sink.h"
#include "framework/fonts.h"
#include "mainwindow/chart_texts.h"
#include "mainwindow/main_form_analysis.h"
#include "mainwindow/reaction_run.h"
#include "memo/data_memo.h"

namespace corvane {
namespace {

// Runs a handler as the application's entry points do: an error it lets out is reported here,
// before it could unwind through the control's own event code.
template <class Handler>
auto Reporting(TForm1* form, Handler handler) {
  return [form, handler] {
    DispatchReportingErrors([&] {
      (form->*handler)();
      return true;
    });
  };
}

}  // namespace

TForm1::TForm1(TNoticeSink* notices, TRandomSource random)
    : draws_process_generator_(!random),
      simulator_(random ? TReactionSimulator(std::move(random)) : TReactionSimulator()),
      own_notices_(notices ? nullptr : std::make_unique<TModalNoticeSink>()),
      notices_(notices ? notices : own_notices_.get()) {
  setObjectName("Form1");
  setWindowTitle("Form1");
  // "MS Sans Serif", 8 points at 96 pixels per inch: an 11-pixel em.
  setFont(ResolveFont(TFont{}));
  CreateClientArea();
  CreateControls();
  DesignCharts();
  InstallChartTexts(*this);
  SetTabOrder();
  CreateMenus();
  resize(kClientWidth,
         kClientHeight + (MenuBar->isNativeMenuBar() ? 0 : MenuBar->heightForWidth(kClientWidth)));

  ButtonBegin->setToolTip(QString::fromLatin1(kStartButtonHint));
  connect(ButtonBegin, &QPushButton::clicked, this, Reporting(this, &TForm1::ButtonBeginRun));
  connect(BitBtn1, &QPushButton::clicked, this, Reporting(this, &TForm1::BitBtn1Click));
  // toggled, not clicked: setting the state from the program runs the handler like a click.
  connect(CheckBox1, &QCheckBox::toggled, this, Reporting(this, &TForm1::CheckBox1Click));
  analysis_ = std::make_unique<TFormAnalysis>(*this);
  for (QLineEdit* field : {EditAcrit, EditA1, EditA0, EditC1, EditC0, EditY0}) {
    connect(field, &QLineEdit::textChanged, this, [this] { analysis_->FieldsChanged(); });
    // Return in a field presses "Start Reaction Time": one press, its messages and all.
    connect(field, &QLineEdit::returnPressed, this, Reporting(this, &TForm1::ButtonBeginClick));
  }
}

TForm1::~TForm1() {
  analysis_.reset();  // before the fields and the record it reads
}

// Closing the main window ends the program (the event loop's quit), whatever else is open: the
// analysis window's computations are cancelled and it closes, and so do the help pages.
void TForm1::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!event->isAccepted())
    return;
  analysis_->CloseWindow();
  for (QWidget* page : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (page->isWindow() && page->isVisible())
      page->close();
  QCoreApplication::quit();
}

// The menu bar takes the window's top and the client area the rest, so every control keeps the
// client position and the client area the size the layout gives: 640 x 454 before maximizing.
void TForm1::CreateClientArea() {
  MenuBar = new QMenuBar(this);
  MenuBar->setObjectName("MenuBar");
  Client = new QWidget(this);
  Client->setObjectName("Client");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(MenuBar);
  layout->addWidget(Client);
  Client->resize(kClientWidth, kClientHeight);
}

void TForm1::ButtonBeginRun() {
  RunReactions(
      *this, *ButtonBegin, [this] { return Press(); }, ReactionRunLength(ButtonBegin->ClickModifiers()));
}

}  // namespace corvane
