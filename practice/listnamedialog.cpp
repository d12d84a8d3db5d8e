#include "practice/listnamedialog.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <cstring>
#include <string>

#include "practice/lists.h"
#include "resources/commands.h"
#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/dialogbuilder.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

// True when the name was taken and the dialog may close.
bool acceptName(QDialog& dialog, const std::string& name) {
  switch (checkListName(name)) {
    case ListNameCheck::blank:
      return false;  // an empty name keeps the dialog waiting
    case ListNameCheck::reservedCharacter:
      messageBox(&dialog, loadUiText(textReservedCharacters), uiTextCopy(textCreateNewList), MB_OK | MB_ICONWARNING);
      return false;
    case ListNameCheck::controlCharacter:
      messageBox(&dialog, controlCharacterWarning, uiTextCopy(textCreateNewList), MB_OK | MB_ICONWARNING);
      return false;
    case ListNameCheck::accepted:
      break;
  }
  setPracticeListName(std::string_view(name).substr(0, maxListNameLength));
  makeListFolder();
  return true;
}

}  // namespace

void listNameDialog(QWidget* owner) {
  const DialogResource* resource = findDialog(std::string(uiLanguage.uiLanguageName) + "_listdialog");
  if (!resource) return;
  QDialog dialog(owner);
  const QMap<int, QWidget*> controls = buildDialog(dialog, *resource);
  auto* field = qobject_cast<QLineEdit*>(controls.value(idListNameField));
  auto* ok = qobject_cast<QPushButton*>(controls.value(idOk));
  if (!field || !ok) return;
  field->setMaxLength(static_cast<int>(maxListNameLength));
  QObject::disconnect(ok, &QPushButton::clicked, nullptr, nullptr);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
    if (acceptName(dialog, fromUiQString(field->text()))) dialog.done(idOk);
  });
  field->setFocus();
  dialog.exec();
}

}  // namespace zembo
