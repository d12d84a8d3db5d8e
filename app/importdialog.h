#pragma once
// Importing a dictd dictionary from the File menu, for a user who does not use a terminal: a
// dialog lists the dictionaries installed on the system that translate into the edition's own
// language (and takes any other .index file, once a user has seen what it is), then the import
// runs as zembo-import runs it, into the working folder, under a progress window that can stop
// it. A language that is there already is replaced only when the user says so; a failure says
// what went wrong in the edition's language and changes nothing; a finished import says what it
// wrote and what it left out.

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "importer/importerror.h"
#include "importer/installed.h"

class QListWidget;

namespace zembo {

// The .index file a user picks with the toolkit's file dialog, starting in folder; empty when the
// dialog was cancelled.
std::filesystem::path chooseDictionaryFileInDialog(QWidget* owner, const std::filesystem::path& folder);

// What "Other file..." asks with; tests answer in its place.
using DictionaryFileChooser = std::filesystem::path (*)(QWidget* owner, const std::filesystem::path& folder);
struct ImportChoosingState {
  DictionaryFileChooser chooseOtherFile = chooseDictionaryFileInDialog;
};
extern const ImportChoosingState& importChoosing;
void setDictionaryFileChooser(DictionaryFileChooser chooser);
// The toolkit's file dialog again, as at process start.
void resetImportChoosingState();

class ImportDialog : public QDialog {
 public:
  explicit ImportDialog(QWidget* owner);
  // The .index file chosen in the list or through "Other file..."; empty when none was.
  std::filesystem::path choose();
  QListWidget* list() const { return list_; }

 private:
  std::vector<InstalledDictionary> dictionaries_;
  QListWidget* list_ = nullptr;
};

// Runs the dialog and the import; true when the folder now has the language, whose name (in the
// edition's code page) goes to languageName.
bool importFromMenu(QWidget* owner, std::string& languageName);

// What the program says about a failure of the import, in the edition's language: UTF-8, with the
// file names as the file system names them.
std::string importFailureText(const ImportError& error);

struct ImportDialogState {
  // Answers the question asked before another file is imported, in place of a user: a test
  // presses the question's buttons there and returns its result.
  int (*answerQuestion)(QDialog& question) = nullptr;
};
extern const ImportDialogState& importDialogs;
// A test's answer to that question; nullptr: a user answers it again.
void answerImportQuestionWith(int (*answer)(QDialog& question));
void resetImportDialogState();

}  // namespace zembo
