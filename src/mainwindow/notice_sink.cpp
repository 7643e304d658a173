#include "mainwindow/notice_sink.h"

#include "mainwindow/message_dialog.h"

namespace corvane {

void TModalNoticeSink::ShowNotice(const std::string& text) {
  corvane::ShowNotice(QString::fromStdString(text));
}

}  // namespace corvane
