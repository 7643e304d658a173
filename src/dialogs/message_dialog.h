// The message box. CreateMessageDialog builds a TMessageForm from a text, a dialog type and a set
// of buttons: it measures the dialog font and the wrapped text, lays the widgets out with
// message_layout.h and centres the window, frame included, on the screen (box_window.h). ShowNotice builds
// the notice (no icon, one OK button, the application title as caption), runs it modally and destroys it.
// Building and showing are apart so the layout can be checked without a modal loop.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>
#include <initializer_list>
#include <memory>

#include "dialogs/box_window.h"
#include "dialogs/message_layout.h"

namespace corvane {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// In table order: the order of the buttons from left to right.
enum class TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};

// Modal results; a result of 0 (Help) does not close the dialog.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// The text, drawn word-wrapped with tabs expanded exactly as it was measured.
class TMessageLabel : public QLabel {
  Q_OBJECT

 public:
  static constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TMessageForm : public QDialog {
  Q_OBJECT

 public:
  TMessageForm();

  const TMessageLayout& Layout() const noexcept { return layout_; }
  void SetLayout(const TMessageLayout& layout) { layout_ = layout; }
  // Escape and the close box answer with this result (that of the cancel button).
  void SetCancelResult(int result) noexcept { cancel_result_ = result; }
  // Centres the window, frame included, on the primary screen.
  void Centre() { centring_.Place(*this); }
  const TBoxCentring& Centring() const noexcept { return centring_; }

  void reject() override;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  TMessageLayout layout_;
  TBoxCentring centring_;
  int cancel_result_ = mrCancel;
};

std::unique_ptr<TMessageForm> CreateMessageDialog(const QString& text, TMsgDlgType type,
                                                  std::initializer_list<TMsgDlgBtn> buttons);

// Shows the text modally with the rest of the application disabled; returns when it is closed.
void ShowNotice(const QString& text);

}  // namespace corvane
