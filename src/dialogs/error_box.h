// The error report's box: a critical message box with one plain "OK" button (no icon), captioned by
// the caller, fixed in size without minimize or maximize button, and centred on the screen by its
// whole window like the notice (box_window.h). error_report.h shows it.
#pragma once

#include <QMessageBox>

#include "dialogs/box_window.h"

namespace corvane {

class TErrorBox : public QMessageBox {
  Q_OBJECT

 public:
  TErrorBox(const QString& caption, const QString& text, QWidget* owner);

  const TBoxCentring& Centring() const noexcept { return centring_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  TBoxCentring centring_;
};

}  // namespace corvane
