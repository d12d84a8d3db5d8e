#pragma once
// The command identifiers of menus, accelerators, buttons and controls, shared by every window
// and by the edition resources, which name the same commands in each UI language. Some numbers
// serve two windows (30 is the search field and the list-name field); a window only ever sees
// its own.

namespace zembo {

enum Command : int {
  idOk = 1,
  idCancel = 2,
  cmdOpenTextFile = 1,  // the text-file window's File menu, beside the dialog's OK
  cmdExit = 3,
  cmdHelp = 4,
  cmdAbout = 5,
  cmdCharsetOn = 6,
  cmdCharsetOff = 7,
  cmdTextFileSearch = 9,
  cmdAddWords = 10,
  cmdStartPractice = 11,
  cmdSearch = 12,
  cmdCreatePracticeList = 13,
  cmdDone = 14,
  cmdAddAll = 15,
  cmdRemoveAll = 16,
  cmdAddRandom = 17,
  cmdRandomOk = 18,      // the add-random window's OK
  idDeleteOldList = 19,  // the add-random window's check box
  cmdPasteText = 20,
  cmdTextFileHelp = 21,
  cmdAddWordsHelp = 22,
  cmdPrint = 23,
  cmdRecord = 25,
  idRecordButton = 26,
  idSearchField = 30,
  idListNameField = 30,
  idNewWordField = 30,
  idNewTranslationField = 31,
  idTextField = 31,
  idProgressBar = 40,
  idScrollBar = 41,
  idListScrollBar = 41,
  idDictionaryScrollBar = 42,
  drillTimerId = 43,  // the practice window's one timer
  idWordBox = 45,
  idTranslationBox = 46,
  idSpeedFrame = 47,
  idSpeedSlider = 50,
  cmdDeleteRecord = 50,
  cmdCopy = 53,
  cmdPaste = 54,
  cmdStayOnTop = 55,
  cmdClipboardOn = 56,
  cmdClipboardOff = 57,
  cmdPlay = 58,
  cmdCreateNewList = 59,
  cmdDeleteCurrentList = 60,
  cmdSpeakWords = 61,
  idDictionaryList = 48,  // the import dialog's list of dictionaries
  cmdOtherFile = 49,      // and its button for a dictionary elsewhere
  cmdImportDictionary = 62,
  cmdReviewList = 63,
  cmdExportList = 64,
  cmdArticlePaneOn = 65,  // the search and text-file windows' article pane
  cmdArticlePaneOff = 66,
  cmdFindInEntries = 67,     // the search window's Find in entries
  cmdFitSchedule = 68,       // the review window's fit of the schedule to the learner's reviews
  cmdDefaultSchedule = 69,   // and its way back to the default schedule
  cmdShowProgress = 70,      // and its picture of progress
  cmdExportAnkiDeck = 71,    // the list editor's export of the list as an Anki deck
  cmdImportWordList = 72,    // the main window's import of a teacher's word list or an Anki deck
  firstGradeButton = 140,    // the review window's Again, Hard, Good and Easy: 140 + the grade
  firstListBox = 100,        // the list editor's twelve list boxes
  firstDictionaryBox = 120,  // and its ten dictionary boxes
  firstLanguageId = 200,     // the language menu: 200 + the direction's position
  firstListId = 400,         // the Lists menu: 400 + the list's position
};

}  // namespace zembo
