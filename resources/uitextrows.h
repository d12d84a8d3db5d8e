#pragma once
// Rows of the UI-text table that the code reads, by what each row holds; the number is the row
// in every edition, so the list stays in row order.

namespace zembo {

constexpr int textProgramName = 0;          // "Dictionary": message-box captions
constexpr int textLanguageFolder = 1;       // "language\"
constexpr int textListFolder = 2;           // "list\"
constexpr int textIconFolder = 5;           // "icons\"
constexpr int textDone = 7;                 // "Done"
constexpr int textCancel = 8;               // "Cancel"
constexpr int textOk = 9;                   // "OK"
constexpr int textLocaleName = 12;          // the edition's collation locale
constexpr int textCharset = 13;             // the edition's character set, as a number
constexpr int textLocaleError = 14;         // "Error setting LOCALE ..."
constexpr int textAviDelayKey = 15;         // "EnglishAviDelay": the win.ini key
constexpr int textPracticeWords = 16;       // "Practice words": the practice window's title
constexpr int textSlow = 17;                // "Slow"
constexpr int textFast = 18;                // "Fast"
constexpr int textFastOffset = 19;          // "213": where "Fast" stands, as a number
constexpr int textEndOfList = 20;           // "You have reached the end of the List. "
constexpr int textPracticeList = 21;        // "Practice list"
constexpr int textListEmptyCreateNew = 22;  // "is empty. ... Create new practice list?"
constexpr int textQuit = 23;                // "Quit"
constexpr int textCreatePracticeListTitle = 24;  // "Create practice list": the list editor's title
constexpr int textAddAll = 25;              // "Add all"
constexpr int textRemoveAll = 26;           // "Remove all"
constexpr int textAddRandom = 27;           // "Add random"
constexpr int textSearch = 28;              // "Search"
constexpr int textAddWordsToList = 29;      // "Add words to the list"
constexpr int textClickToAdd = 30;          // "Click on a word to add it to the list"
constexpr int textClickToRemove = 31;       // "Click on a word to remove it from the list"
constexpr int textPracticeListHeading = 32;  // "Practice list": the list editor's heading
constexpr int textDeleted = 33;             // "DELETED"
constexpr int textUpdateList = 34;          // "Update list"
constexpr int textUpdatingWait = 35;        // "Updating list\nOne moment please"
constexpr int textAddRandomTitle = 36;      // "Add random number of words"
constexpr int textDeleteOldList = 37;       // "Delete old list"
constexpr int textNumberOfWords = 38;       // "Number of words (max. "
constexpr int textPrint = 39;               // "Print"
constexpr int textSendingToPrinter = 40;    // "Sending word list to printer"
constexpr int textWord = 41;                // "Word": the printing window's record count
constexpr int textCreateNewList = 42;       // "Create new list"
constexpr int textDeleteList = 45;          // "Delete list"
constexpr int textListsMenu = 46;           // "Lists"
constexpr int textReservedCharacters = 47;  // "The characters / \ < > | . : ? * ... are not allowed."
constexpr int textSureToDelete = 48;        // "Are you sure you want to delete"
constexpr int textQuestionMark = 49;        // "?"
constexpr int textKeepOneList = 50;         // "You should keep at least one list.   "
constexpr int textCantDeleteFolder = 51;    // "Can't delete folder"
constexpr int textLanguageName = 52;        // "English": the edition's own language name
constexpr int textConfigFileName = 53;      // "dict.ini"
constexpr int textAddNewOn = 54;            // "on": the value of the [AddNew] section
constexpr int textLanguageHeader = 56;      // "[language]"
constexpr int textSelectedHeader = 57;      // "[selected]"
constexpr int textSelectedHeaderLength = 58;  // length of the [selected] header, as a number
constexpr int textAddNewHeader = 59;        // "[AddNew]"
constexpr int textAddWordsTitle = 64;       // "Add words": the add-words window's title
constexpr int textConfirmWithEnter = 65;    // "CONFIRM ENTRIES WITH ENTER"
constexpr int textNoCommaAllowed = 66;      // "No comma allowed in this field"
constexpr int textAddWordsHelpKey = 67;     // "add words": the help keyword
constexpr int textNewEntries = 68;          // "New entries"
constexpr int textSortTitle = 70;           // "Sort"
constexpr int textSortingWait = 71;         // "The words are being sorted ..."
constexpr int textSortFailed = 72;          // "Sort failed  "
constexpr int textError = 73;               // "Error"
constexpr int textMainTitle = 74;           // "Dictionary": the main window's title
constexpr int textConfigMissing = 75;       // "INI file not found, Program aborted. ..."
constexpr int textLanguageMenu = 76;        // "&Language"
constexpr int textAddWords = 77;            // "Add words"
constexpr int textStartPractice = 78;       // "Start practice"
constexpr int textSearchButton = 79;        // "Search": the main window's button
constexpr int textCreatePracticeList = 80;  // "Create practice list"
constexpr int textHelpFileName = 83;        // "dict.hlp"
constexpr int textSearchWords = 84;         // "Search words": the search window's title
constexpr int textSearchTextFile = 91;      // "Search words in textfile": the text-file window's title
constexpr int textHelp = 92;                // "Help"
constexpr int textTextFileHelpKey = 93;     // "Search words in textfile": its help keyword
constexpr int textCharacterSet = 94;        // "Character set"
constexpr int textHeadwords = 95;           // "headwords": after a dictionary's count of them
constexpr int textReplaceLanguage = 96;     // "is in the dictionary already. ... Replace ...?"
constexpr int textImportingWait = 97;       // "The dictionary is being imported\nOne moment please"
constexpr int textDictdFiles = 98;          // "dictd dictionaries (*.index)": the file dialog's filter
constexpr int textImportTitle = 99;         // "Import dictionary": the import's progress window

}  // namespace zembo
