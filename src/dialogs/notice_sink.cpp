#include "dialogs/notice_sink.h"

#include "dialogs/message_dialog.h"

namespace corvane {

void TModalNoticeSink::ShowNotice(const std::string& text) {
  corvane::ShowNotice(QString::fromStdString(text));
}

}  // namespace corvane
