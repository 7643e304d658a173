#include "dialogs/message_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>

#include "dialogs/app_title.h"
#include "dialogs/box_decoration.h"

namespace corvane {
namespace {

struct TButtonKind {
  TMsgDlgBtn button;
  const char* name;
  const char* caption;
  int result;
};

constexpr std::array<TButtonKind, 11> kButtons = {{
    {TMsgDlgBtn::mbYes, "Yes", "&Yes", 6},
    {TMsgDlgBtn::mbNo, "No", "&No", 7},
    {TMsgDlgBtn::mbOK, "OK", "OK", mrOk},
    {TMsgDlgBtn::mbCancel, "Cancel", "Cancel", mrCancel},
    {TMsgDlgBtn::mbAbort, "Abort", "&Abort", 3},
    {TMsgDlgBtn::mbRetry, "Retry", "&Retry", 4},
    {TMsgDlgBtn::mbIgnore, "Ignore", "&Ignore", 5},
    {TMsgDlgBtn::mbAll, "All", "&All", 8},
    {TMsgDlgBtn::mbNoToAll, "NoToAll", "N&o to All", 9},
    {TMsgDlgBtn::mbYesToAll, "YesToAll", "Y&es to All", 10},
    {TMsgDlgBtn::mbHelp, "Help", "&Help", mrNone},
}};

bool Has(std::initializer_list<TMsgDlgBtn> buttons, TMsgDlgBtn button) {
  return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

QString Caption(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return "Warning";
    case TMsgDlgType::mtError:
      return "Error";
    case TMsgDlgType::mtInformation:
      return "Information";
    case TMsgDlgType::mtConfirmation:
      return "Confirm";
    case TMsgDlgType::mtCustom:
      break;
  }
  return QString::fromStdString(ApplicationTitle());
}

// The custom type has no icon.
bool IconOf(TMsgDlgType type, QStyle::StandardPixmap& icon) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      icon = QStyle::SP_MessageBoxWarning;
      return true;
    case TMsgDlgType::mtError:
      icon = QStyle::SP_MessageBoxCritical;
      return true;
    case TMsgDlgType::mtInformation:
      icon = QStyle::SP_MessageBoxInformation;
      return true;
    case TMsgDlgType::mtConfirmation:
      icon = QStyle::SP_MessageBoxQuestion;
      return true;
    case TMsgDlgType::mtCustom:
      break;
  }
  return false;
}

QRect ScreenRect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 640, 480);
}

// The average letter width and the line height, both from the 52 letters A-Z a-z.
TMessageSpacing SpacingFor(const QFont& font) {
  static const QString kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const QFontMetrics metrics(font);
  return MessageSpacing(metrics.horizontalAdvance(kLetters) / 52, metrics.height());
}

QSize WrappedTextSize(const QFont& font, const QString& text) {
  const QRect bounds(0, 0, ScreenRect().width() / 2, 0);
  return QFontMetrics(font).boundingRect(bounds, TMessageLabel::kTextFlags, text).size();
}

// Enter presses OK, else Yes, else Retry; Escape answers as Cancel, else No, else OK.
TMsgDlgBtn DefaultButton(std::initializer_list<TMsgDlgBtn> buttons) {
  if (Has(buttons, TMsgDlgBtn::mbOK))
    return TMsgDlgBtn::mbOK;
  if (Has(buttons, TMsgDlgBtn::mbYes))
    return TMsgDlgBtn::mbYes;
  return TMsgDlgBtn::mbRetry;
}

TMsgDlgBtn CancelButton(std::initializer_list<TMsgDlgBtn> buttons) {
  if (Has(buttons, TMsgDlgBtn::mbCancel))
    return TMsgDlgBtn::mbCancel;
  if (Has(buttons, TMsgDlgBtn::mbNo))
    return TMsgDlgBtn::mbNo;
  return TMsgDlgBtn::mbOK;
}

void AddButtons(TMessageForm& form, std::initializer_list<TMsgDlgBtn> buttons) {
  const TMsgDlgBtn default_button = DefaultButton(buttons);
  const TMsgDlgBtn cancel_button = CancelButton(buttons);
  std::size_t slot = 0;
  for (const TButtonKind& kind : kButtons) {
    if (!Has(buttons, kind.button))
      continue;
    auto* button = new QPushButton(QString::fromLatin1(kind.caption), &form);
    button->setObjectName(kind.name);
    button->setGeometry(form.Layout().buttons[slot++]);
    const int result = kind.result;
    QObject::connect(button, &QPushButton::clicked, &form, [&form, result] {
      if (result != mrNone)
        form.done(result);
    });
    if (kind.button == default_button) {
      button->setDefault(true);
      button->setFocus();
    }
    if (kind.button == cancel_button)
      form.SetCancelResult(result);
  }
}

}  // namespace

void TMessageLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(rect(), kTextFlags, text());
}

TMessageForm::TMessageForm(QWidget* owner) : QDialog(owner, kFixedBoxFlags) {
  setObjectName("TMessageForm");
  setWindowModality(Qt::ApplicationModal);
  setWindowFlags(kFixedBoxFlags);  // again: setting the modality may drop the customized flags
}

void TMessageForm::reject() {
  done(cancel_result_);
}

bool TMessageForm::event(QEvent* event) {
  centring_.Track(*this, *event);
  return QDialog::event(event);
}

// Placed before it is mapped, with the frame extents known so far.
void TMessageForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Centre();
}

std::unique_ptr<TMessageForm> CreateMessageDialog(const QString& text, TMsgDlgType type,
                                                  std::initializer_list<TMsgDlgBtn> buttons, QWidget* owner) {
  auto form = std::make_unique<TMessageForm>(owner);
  form->setFont(QApplication::font("QMessageBox"));
  const QFont font = form->font();
  QStyle::StandardPixmap icon_kind{};
  const bool with_icon = IconOf(type, icon_kind);
  const auto button_count = static_cast<int>(std::count_if(
      kButtons.begin(), kButtons.end(), [&](const TButtonKind& kind) { return Has(buttons, kind.button); }));
  form->SetLayout(LayoutMessage(SpacingFor(font), WrappedTextSize(font, text), with_icon, button_count));
  const TMessageLayout& layout = form->Layout();

  form->setFixedSize(layout.client);
  form->setWindowTitle(Caption(type));
  if (with_icon) {
    auto* image = new QLabel(form.get());
    image->setObjectName("Image");
    image->setPixmap(form->style()->standardIcon(icon_kind).pixmap(kMessageIconSize, kMessageIconSize));
    image->setGeometry(layout.icon);
  }
  auto* message = new TMessageLabel(text, form.get());
  message->setObjectName("Message");
  message->setTextFormat(Qt::PlainText);
  message->setWordWrap(true);
  message->setGeometry(layout.text);
  AddButtons(*form, buttons);
  DecorateBoxIfNeeded(*form);
  MarkAsAlert(*form, text);
  form->Centre();
  return form;
}

void ShowNotice(const QString& text) {
  const std::unique_ptr<TMessageForm> form =
      CreateMessageDialog(text, TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK}, BoxOwner());
  form->exec();
}

}  // namespace corvane
