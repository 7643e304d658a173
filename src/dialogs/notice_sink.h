// Where the program's notices go. The parameter reader tells the user about rejected entries
// through a TNoticeSink; the window passes the modal one, tests pass one that records, and a press
// passes them through a TNoticeTally to learn how many it showed.
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

// Counts the notices it passes on to another sink: a press tells its caller how many it showed.
class TNoticeTally final : public TNoticeSink {
 public:
  explicit TNoticeTally(TNoticeSink& shown_by) : shown_by_(shown_by) {}
  void ShowNotice(const std::string& text) override {
    ++count_;
    shown_by_.ShowNotice(text);
  }
  int Count() const noexcept { return count_; }

 private:
  TNoticeSink& shown_by_;
  int count_ = 0;
};

// Shows each notice in the modal message box (message_dialog.h).
class TModalNoticeSink final : public TNoticeSink {
 public:
  void ShowNotice(const std::string& text) override;
};

}  // namespace corvane
