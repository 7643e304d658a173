// Where the program's notices go. The parameter reader tells the user about rejected entries
// through a TNoticeSink; the window passes the modal one, tests pass one that records.
#pragma once

#include <string>

namespace corvane {

class TNoticeSink {
 public:
  virtual ~TNoticeSink() = default;
  // Returns when the user has dismissed the notice. The text is UTF-8, so a field's text is shown
  // as the user typed it even where it holds characters beyond 8 bits.
  virtual void ShowNotice(const std::string& text) = 0;
};

// Shows each notice in the modal message box (message_dialog.h).
class TModalNoticeSink final : public TNoticeSink {
 public:
  void ShowNotice(const std::string& text) override;
};

}  // namespace corvane
