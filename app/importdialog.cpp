#include "app/importdialog.h"

#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>

#include "app/importingwindow.h"
#include "importer/importer.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "resources/commands.h"
#include "resources/resourcetable.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/dialogbuilder.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

void showImportFailure(QWidget* owner, const std::string& utf8Message) {
  messageBox(owner, fromUtf8(utf8Message, uiCodePage()), uiTextCopy(textError), MB_OK | MB_ICONWARNING);
}

bool mayReplace(QWidget* owner, const std::string& languageName) {
  const std::string question = languageName + " " + uiTextCopy(textReplaceLanguage);
  return messageBox(owner, question, uiTextCopy(textProgramName), MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

ImportDialog::ImportDialog(QWidget* owner) : QDialog(owner) {
  const DialogResource* resource = findDialog(std::string(uiLanguage.uiLanguageName) + "_importdialog");
  if (!resource) return;
  const QMap<int, QWidget*> controls = buildDialog(*this, *resource);
  list_ = qobject_cast<QListWidget*>(controls.value(idDictionaryList));
  auto* import = qobject_cast<QPushButton*>(controls.value(idOk));
  if (const FolderEdition* edition = findEdition(uiLanguage.uiLanguageName))
    dictionaries_ = installedDictionaries(dictdFolder(), *edition);
  for (const InstalledDictionary& d : dictionaries_)
    list_->addItem(QString::fromStdString(d.languageName + " (" + d.pair + "), " + std::to_string(d.headwords) + " ") +
                   uiQText(textHeadwords));
  if (!dictionaries_.empty()) list_->setCurrentRow(0);
  import->setEnabled(!dictionaries_.empty());
  connect(list_, &QListWidget::itemActivated, this, [this] { done(idOk); });
  list_->setFocus();
}

std::filesystem::path ImportDialog::choose() {
  if (!list_) return {};
  const int answer = exec();
  if (answer == idOk && list_->currentRow() >= 0)
    return dictionaries_[static_cast<std::size_t>(list_->currentRow())].index;
  if (answer != cmdOtherFile) return {};
  return importChoosing.chooseOtherFile(parentWidget(), dictdFolder());
}

std::filesystem::path chooseDictionaryFileInDialog(QWidget* owner, const std::filesystem::path& folder) {
  const QString file = QFileDialog::getOpenFileName(owner, uiQText(textImportTitle),
                                                    QString::fromStdString(folder.string()), uiQText(textDictdFiles));
  return file.isEmpty() ? std::filesystem::path() : std::filesystem::path(file.toStdString());
}

ImportChoosingState importChoosing;

void setDictionaryFileChooser(DictionaryFileChooser chooser) { importChoosing.chooseOtherFile = chooser; }

bool importFromMenu(QWidget* owner, std::string& languageName) {
  ImportOptions options;
  {
    ImportDialog dialog(owner);
    options.dictionary = dialog.choose();
  }
  if (options.dictionary.empty()) return false;
  options.folder = std::filesystem::current_path();
  // The importer sets the collation of each word file it sorts; the program's comes back after.
  const LocaleCollation collation = processCollation();
  try {
    const ImportTarget target = importTarget(options);
    languageName = fromUtf8(target.languageName, uiCodePage());
    if (target.alreadyThere) {
      if (!mayReplace(owner, languageName)) {
        useCollation(collation);
        return false;
      }
      options.yes = true;
    }
    ImportingWindow window(languageName);
    window.show();
    window.waitUntilOnScreen();
    options.progress = [&window](int percent, const std::string&) { window.showProgress(percent); };
    importDictionary(options);
  } catch (const std::exception& error) {
    useCollation(collation);
    showImportFailure(owner, error.what());
    return false;
  }
  useCollation(collation);
  return true;
}

}  // namespace zembo
