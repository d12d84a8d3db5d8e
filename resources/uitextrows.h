#pragma once
// Rows of the UI-text table that the code reads, by what each row holds; the number is the row
// in every edition, so the list stays in row order.

namespace zembo {

constexpr int textProgramName = 0;          // "Dictionary": message-box captions
constexpr int textLanguageFolder = 1;       // "language\"
constexpr int textListFolder = 2;           // "list\"
constexpr int textIconFolder = 5;           // "icons\"
constexpr int textDone = 7;                 // "Done"
constexpr int textLocaleName = 12;          // the edition's collation locale
constexpr int textCharset = 13;             // the edition's character set, as a number
constexpr int textLocaleError = 14;         // "Error setting LOCALE ..."
constexpr int textAviDelayKey = 15;         // "EnglishAviDelay": the win.ini key
constexpr int textPracticeList = 21;        // "Practice list"
constexpr int textListEmptyCreateNew = 22;  // "is empty. ... Create new practice list?"
constexpr int textSearch = 28;              // "Search"
constexpr int textDeleted = 33;             // "DELETED"
constexpr int textLanguageName = 52;        // "English": the edition's own language name
constexpr int textConfigFileName = 53;      // "dict.ini"
constexpr int textLanguageHeader = 56;      // "[language]"
constexpr int textSelectedHeader = 57;      // "[selected]"
constexpr int textSelectedHeaderLength = 58;  // length of the [selected] header, as a number
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

}  // namespace zembo
