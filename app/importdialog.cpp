#include "app/importdialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cerrno>

#include "app/importingwindow.h"
#include "importer/editions.h"
#include "importer/importer.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "resources/commands.h"
#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/dialogbuilder.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {
// The one mutable instance of each.
ImportDialogState importDialogsState;
ImportChoosingState importChoosingState;
}  // namespace
const ImportDialogState& importDialogs = importDialogsState;
const ImportChoosingState& importChoosing = importChoosingState;

namespace {

// A UI text as UTF-8, for messages that name host paths.
std::string utf8Text(int row) { return toUtf8(uiTextCopy(row), uiCodePage()); }

const FolderEdition* currentEdition() { return findEdition(uiLanguage.uiLanguageName); }

// The name of a language in the edition's language, UTF-8; its code when the importer's table
// lacks it.
std::string languageNameOf(const std::string& code) {
  const DictionaryLanguage* language = findDictionaryLanguage(code);
  const FolderEdition* edition = currentEdition();
  return language && edition ? std::string(language->names[edition->index]) : code;
}

int failureRow(ImportFailure code) {
  switch (code) {
    case ImportFailure::noIndexFile:
    case ImportFailure::noDataFile:
      return textImportNoSuchFile;
    case ImportFailure::cannotOpen:
      return textImportCannotOpen;
    case ImportFailure::cannotRead:
    case ImportFailure::cannotReadWhole:
      return textImportCannotRead;
    case ImportFailure::damagedChunk:
      return textImportDamagedChunk;
    case ImportFailure::checksumWrong:
      return textImportChecksum;
    case ImportFailure::damagedIndexLine:
      return textImportIndexLine;
    case ImportFailure::articleBeyondFile:
      return textImportArticleBeyond;
    case ImportFailure::inflatesTooFar:
      return textImportTooLarge;
    case ImportFailure::notUtf8:
      return textImportNotUtf8;
    case ImportFailure::outOfMemory:
      return textImportOutOfMemory;
    case ImportFailure::notDictzip:
    case ImportFailure::damagedHeader:
    case ImportFailure::damagedChunkTable:
    case ImportFailure::chunksPastEnd:
    case ImportFailure::checksumMissing:
    case ImportFailure::endsEarly:
    case ImportFailure::lengthWrong:
    case ImportFailure::damagedData:
    case ImportFailure::bytesFollow:
    case ImportFailure::articlePastEnd:
      return textImportDamaged;
    case ImportFailure::wrongHomeLanguage:
    case ImportFailure::noEditionForLanguage:
      return textImportWrongLanguage;
    case ImportFailure::unknownLanguage:
      return textImportUnknownLanguage;
    case ImportFailure::notAFolder:
    case ImportFailure::namesNoEdition:
    case ImportFailure::noConfigFile:
    case ImportFailure::otherEdition:
      return textImportNotAFolder;
    case ImportFailure::unknownLocale:
      return textImportUnknownLocale;
    case ImportFailure::cannotMakeFolder:
      return textImportCannotMakeFolder;
    case ImportFailure::cannotWrite:
      return textImportCannotWrite;
    case ImportFailure::cannotRename:
      return textImportCannotRename;
    case ImportFailure::earlierImport:
    case ImportFailure::journalRefused:
      return textImportEarlierImport;
    case ImportFailure::cannotRemove:
      return textImportCannotRemove;
    case ImportFailure::unknownEdition:
    case ImportFailure::badLanguageName:
    case ImportFailure::alreadyThere:
    case ImportFailure::stopped:
      break;
  }
  return textImportFailed;
}

// Where a failure's arguments hold the system's reason, the last one: said in the edition's
// language when it is a full disk or a refused permission.
void reasonInEdition(const ImportError& error, std::vector<std::string>& args) {
  const bool hasReason = error.code == ImportFailure::cannotMakeFolder || error.code == ImportFailure::cannotWrite ||
                         error.code == ImportFailure::cannotRename || error.code == ImportFailure::earlierImport;
  if (!hasReason || args.empty()) return;
  switch (error.systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      args.back() = utf8Text(textDiskFull);
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      args.back() = utf8Text(textNoPermission);
      break;
    default:
      break;
  }
}

// The file name of an index, its languages and its headwords, as the list shows an installed one.
std::string describeDictionary(const std::filesystem::path& index) {
  std::string source, target;
  const std::string name = index.stem().string();
  languagesOfName(name, source, target);
  const std::string pair = source.empty() ? name : source + "-" + target;
  std::string text = (source.empty() ? name : languageNameOf(source)) + " (" + pair + ")";
  const std::int64_t headwords = countHeadwords(index);
  if (headwords >= 0) text += ", " + std::to_string(headwords) + " " + utf8Text(textHeadwords);
  return text;
}

// Shows what a file chosen outside the list is, with Import and Cancel; true for Import.
bool mayImportOtherFile(QWidget* owner, const std::filesystem::path& index) {
  QDialog question(owner);
  question.setWindowTitle(uiQText(textImportTitle));
  auto* layout = new QVBoxLayout(&question);
  layout->addWidget(
      new QLabel(QString::fromStdString(describeDictionary(index)) + "\n\n" + uiQText(textImportThisDictionary)));
  auto* buttons = new QDialogButtonBox(&question);
  QPushButton* import = buttons->addButton(uiQText(textImportButton), QDialogButtonBox::AcceptRole);
  buttons->addButton(uiQText(textCancel), QDialogButtonBox::RejectRole);
  import->setDefault(true);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &question, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &question, &QDialog::reject);
  if (importDialogsState.answerQuestion) {
    question.show();
    return importDialogsState.answerQuestion(question) == QDialog::Accepted;
  }
  return question.exec() == QDialog::Accepted;
}

void showImportFailure(QWidget* owner, const ImportError& error) {
  messageBox(owner, importFailureText(error), utf8Text(textError), MB_OK | MB_ICONWARNING | MB_UTF8);
}

// The summary zembo-import prints, in the edition's language.
void showSummary(QWidget* owner, const ImportReport& report) {
  static constexpr int rows[] = {textSummaryImported,
                                 textSummaryRecords,
                                 textSummaryLeftOut,
                                 textSummaryHeadwordTooLong,
                                 textSummaryHeadwordOutside,
                                 textSummaryNoTranslation,
                                 textSummaryNoTranslationFits,
                                 textSummaryTranslationsOutside,
                                 textSummaryTranslationsTooLong,
                                 textSummaryUserEntries};
  const std::string text =
      summaryText(importSummary(report), [](SummaryText line) { return utf8Text(rows[static_cast<int>(line)]); });
  messageBox(owner, text, utf8Text(textImportTitle), MB_OK | MB_UTF8);
}

bool mayReplace(QWidget* owner, const std::string& languageName) {
  const std::string question = languageName + " " + uiTextCopy(textReplaceLanguage);
  return messageBox(owner, question, uiTextCopy(textProgramName), MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

std::string importFailureText(const ImportError& error) {
  std::vector<std::string> args = error.args;
  if (error.code == ImportFailure::wrongHomeLanguage || error.code == ImportFailure::noEditionForLanguage) {
    // The languages in the edition's words: the dictionary's, from its name, and the edition's own.
    std::string source, target;
    languagesOfName(std::filesystem::path(args[0]).stem().string(), source, target);
    args = {args[0], target.empty() ? args[1] : languageNameOf(target), utf8Text(textLanguageName)};
  }
  reasonInEdition(error, args);
  return fillIn(utf8Text(failureRow(error.code)), args);
}

ImportDialog::ImportDialog(QWidget* owner) : QDialog(owner) {
  const DialogResource* resource = findDialog(std::string(uiLanguage.uiLanguageName) + "_importdialog");
  if (!resource) return;
  const QMap<int, QWidget*> controls = buildDialog(*this, *resource);
  list_ = qobject_cast<QListWidget*>(controls.value(idDictionaryList));
  auto* import = qobject_cast<QPushButton*>(controls.value(idOk));
  if (const FolderEdition* edition = currentEdition()) dictionaries_ = installedDictionaries(dictdFolder(), *edition);
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
  const std::filesystem::path chosen = importChoosingState.chooseOtherFile(parentWidget(), dictdFolder());
  if (chosen.empty()) return {};
  return mayImportOtherFile(parentWidget(), chosen) ? chosen : std::filesystem::path();
}

std::filesystem::path chooseDictionaryFileInDialog(QWidget* owner, const std::filesystem::path& folder) {
  const QString file = QFileDialog::getOpenFileName(owner, uiQText(textImportTitle),
                                                    QString::fromStdString(folder.string()), uiQText(textDictdFiles));
  return file.isEmpty() ? std::filesystem::path() : std::filesystem::path(file.toStdString());
}

void setDictionaryFileChooser(DictionaryFileChooser chooser) { importChoosingState.chooseOtherFile = chooser; }
void resetImportChoosingState() { importChoosingState = {}; }

void answerImportQuestionWith(int (*answer)(QDialog& question)) { importDialogsState.answerQuestion = answer; }
void resetImportDialogState() { importDialogsState = {}; }

bool importFromMenu(QWidget* owner, std::string& languageName) {
  ImportOptions options;
  {
    ImportDialog dialog(owner);
    options.dictionary = dialog.choose();
  }
  if (options.dictionary.empty()) return false;
  options.folder = std::filesystem::current_path();
  // The importer sets the collation of each word file it sorts; the program's comes back after,
  // so this is a copy of what the reference shows now.
  const LocaleCollation collation = processCollation();  // NOLINT(performance-unnecessary-copy-initialization)
  ImportReport report;
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
    options.stopRequested = [&window] { return window.stopRequested(); };
    options.committing = [&window] { window.stopNoMore(); };
    report = importDictionary(options);
  } catch (const ImportError& error) {
    useCollation(collation);
    // A stop a user asked for leaves the folder as it was, and needs no message.
    if (error.code != ImportFailure::stopped) showImportFailure(owner, error);
    return false;
  } catch (const std::exception& error) {
    useCollation(collation);
    messageBox(owner, error.what(), utf8Text(textError), MB_OK | MB_ICONWARNING | MB_UTF8);
    return false;
  }
  useCollation(collation);
  showSummary(owner, report);
  return true;
}

}  // namespace zembo
