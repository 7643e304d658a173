#include "dialogs/error_box.h"

#include <QIcon>
#include <QPushButton>

#include "dialogs/box_decoration.h"

namespace corvane {

TErrorBox::TErrorBox(const QString& caption, const QString& text, QWidget* owner)
    : QMessageBox(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner, kFixedBoxFlags) {
  // Flags after modality: setting the modality of an owned box drops the customized flags.
  setWindowModality(Qt::ApplicationModal);
  setWindowFlags(kFixedBoxFlags);
  // Some styles give standard buttons an icon; the report's OK is the word alone, like the notice's.
  button(QMessageBox::Ok)->setIcon(QIcon());
  DecorateBoxIfNeeded(*this);
  MarkAsAlert(*this, text);
}

bool TErrorBox::event(QEvent* event) {
  centring_.Track(*this, *event);
  return QMessageBox::event(event);
}

// The box settles its size in its own showEvent; it is centred after that, before it is mapped.
void TErrorBox::showEvent(QShowEvent* event) {
  QMessageBox::showEvent(event);
  centring_.Place(*this);
}

}  // namespace corvane
