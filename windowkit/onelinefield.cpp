#include "windowkit/onelinefield.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace zembo {

namespace {

bool isLineBreak(QChar c) {
  return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar::LineSeparator ||
         c == QChar::ParagraphSeparator || c == u'\u0085';
}

qsizetype firstLineBreak(const QString& text, qsizetype from = 0) {
  for (qsizetype i = from; i < text.size(); ++i)
    if (isLineBreak(text[i])) return i;
  return -1;
}

class OneLineValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& cursor) const override {
    keepFirstLine(input, cursor);
    return Acceptable;
  }
};

}  // namespace

bool keepFirstLine(QString& input, int& cursor) {
  const qsizetype cut = firstLineBreak(input);
  if (cut < 0) return false;
  // What follows the cursor was the field's own text before the insertion.
  const qsizetype end = std::max<qsizetype>(cut, std::min<qsizetype>(cursor, input.size()));
  input.remove(cut, end - cut);
  cursor = static_cast<int>(cut);
  const qsizetype later = firstLineBreak(input, cut);
  if (later >= 0) input.truncate(later);
  return true;
}

void keepFieldOnOneLine(QLineEdit* field) { field->setValidator(new OneLineValidator(field)); }

}  // namespace zembo
