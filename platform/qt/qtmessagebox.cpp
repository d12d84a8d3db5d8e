#include "platform/qt/qtmessagebox.h"

#include <QMessageBox>
#include <QString>

#include "platform/codepage.h"
#include "platform/messagebox.h"

namespace zembo {

namespace {

QString fromBytes(std::string_view bytes, unsigned type) {
  if (type & MB_UTF8) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const std::u16string text = toUtf16(bytes, messageBoxes.messageBoxCodePage);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

int presentWithQt(WindowHandle owner, std::string_view text, std::string_view caption, unsigned type) {
  const bool yesNo = (type & MB_BUTTONMASK) == MB_YESNO;
  const unsigned icon = type & MB_ICONMASK;
  QMessageBox box(icon == MB_ICONERROR         ? QMessageBox::Critical
                  : icon == MB_ICONWARNING     ? QMessageBox::Warning
                  : icon == MB_ICONQUESTION    ? QMessageBox::Question
                  : icon == MB_ICONINFORMATION ? QMessageBox::Information
                                               : QMessageBox::NoIcon,
                  fromBytes(caption, type), fromBytes(text, type),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, static_cast<QWidget*>(owner));
  return box.exec() == QMessageBox::Yes ? IDYES : yesNo ? IDNO : IDOK;
}

}  // namespace

void installQtMessageBoxes() { setMessageBoxPresenter(presentWithQt); }

}  // namespace zembo
