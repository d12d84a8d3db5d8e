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
  cmdPasteText = 20,
  cmdTextFileHelp = 21,
  cmdRecord = 25,
  idRecordButton = 26,
  idSearchField = 30,
  idListNameField = 30,
  idTextField = 31,
  idScrollBar = 41,
  cmdDeleteRecord = 50,
  cmdCopy = 53,
  cmdPaste = 54,
  cmdStayOnTop = 55,
  cmdClipboardOn = 56,
  cmdClipboardOff = 57,
  cmdPlay = 58,
  cmdCreateNewList = 59,
  cmdDeleteCurrentList = 60,
  firstLanguageId = 200,
  cmdRecordKey = 256,  // Enter, Space or Backspace on the recording window's button, the key above  // the language menu: 200 + the direction's position
  firstListId = 400,        // the Lists menu: 400 + the list's position
};

}  // namespace zembo
