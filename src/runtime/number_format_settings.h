// The process-wide number format settings: the decimal and grouping marks that every conversion
// between numbers and text reads at the moment of the call. They start as "." and ","; the
// application loads them from the user's locale (mainwindow/locale_settings.h).
#pragma once

namespace corvane {

char DecimalMark() noexcept;
char ThousandsMark() noexcept;
void SetDecimalMark(char mark) noexcept;
void SetThousandsMark(char mark) noexcept;

// Sets both marks for its lifetime and restores the previous ones; for tests and scoped use.
class TScopedNumberFormat {
 public:
  TScopedNumberFormat(char decimal_mark, char thousands_mark) noexcept
      : decimal_(DecimalMark()), thousands_(ThousandsMark()) {
    SetDecimalMark(decimal_mark);
    SetThousandsMark(thousands_mark);
  }
  ~TScopedNumberFormat() {
    SetDecimalMark(decimal_);
    SetThousandsMark(thousands_);
  }
  TScopedNumberFormat(const TScopedNumberFormat&) = delete;
  TScopedNumberFormat& operator=(const TScopedNumberFormat&) = delete;

 private:
  char decimal_;
  char thousands_;
};

}  // namespace corvane
