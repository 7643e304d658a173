#include "mainwindow/parameter_reader.h"

#include <QLineEdit>
#include <array>
#include <cassert>
#include <optional>
#include <string>

#include "runtime/errors.h"
#include "runtime/float_checks.h"
#include "runtime/parse_float.h"

namespace corvane {
namespace {

struct TFieldRule {
  QLineEdit* TParameterFields::*field;
  double TParameterSet::*parameter;
  const char* range_message;
};

constexpr std::array<TFieldRule, 6> kRules = {{
    {&TParameterFields::EditAcrit, &TParameterSet::A, "A less then or equal to 0"},
    {&TParameterFields::EditA1, &TParameterSet::a1, "A1 less then or equal to 0"},
    {&TParameterFields::EditA0, &TParameterSet::a0, "A0 less then or equal to 0"},
    {&TParameterFields::EditC1, &TParameterSet::c1, "C1 less then or equal to 0"},
    {&TParameterFields::EditC0, &TParameterSet::c0, "C0 less then or equal to 0"},
    {&TParameterFields::EditY0, &TParameterSet::y0, "Y0 less then or equal to 0"},
}};

// The parser reads 8-bit text; a character beyond Latin-1 has no 8-bit form, so such a text is
// as unreadable as any other the parser refuses.
std::optional<std::string> EightBitText(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 0xFF)
      return std::nullopt;
  }
  return text.toLatin1().toStdString();
}

// The stored value, or nothing for a text that does not convert. Faults other than a refused text
// (the overflow of a store beyond the double range) pass through.
std::optional<double> Convert(const QString& text) {
  const std::optional<std::string> bytes = EightBitText(text);
  if (!bytes)
    return std::nullopt;
  long double value = 0;
  try {
    value = ParseFloat(*bytes);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
  return StoreDouble(value);
}

}  // namespace

bool ReadParameters(const TParameterFields& fields, TParameterSet& parameters, TNoticeSink& notices) {
  bool accepted = true;
  for (const TFieldRule& rule : kRules) {
    QLineEdit* const edit = fields.*rule.field;
    assert(edit && "the window supplies all six fields");
    double& parameter = parameters.*rule.parameter;
    if (const std::optional<double> value = Convert(edit->text())) {
      parameter = *value;
    } else {
      notices.ShowNotice("Ongeldige waarde: " + edit->text().toStdString());
      edit->setFocus();
    }
    // Written so that a NaN, were the parser ever to deliver one, is refused as well.
    if (!(parameter > 0)) {
      notices.ShowNotice(rule.range_message);
      edit->setFocus();
      accepted = false;
    }
  }
  return accepted;
}

}  // namespace corvane
