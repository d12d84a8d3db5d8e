// The English edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& englishEdition() {
  static const EditionSource edition{
      {
          "Dictionary",          // 0
          "language\\",          // 1
          "list\\",              // 2
          "list\\temp.ls",       // 3
          "language\\tempfile",  // 4
          "icons\\",             // 5
          "zemboicon",           // 6
          "Done",                // 7
          "Cancel",              // 8
          "OK",                  // 9
          "tekenset",            // 10
          "Stay on top",         // 11
          "english",             // 12
          "0",                   // 13
          "Error setting LOCALE\nSort results may not be valid.\n\nInstall multi-language support from "
          "your Windows cd-rom for this language.   ",                                       // 14
          "EnglishAviDelay",                                                                 // 15
          "Practice words",                                                                  // 16
          "Slow",                                                                            // 17
          "Fast",                                                                            // 18
          "213",                                                                             // 19
          "You have reached the end of the List. ",                                          // 20
          "Practice list",                                                                   // 21
          "is empty.      \n\nCreate new practice list?",                                    // 22
          "Quit",                                                                            // 23
          "Create practice list",                                                            // 24
          "Add all",                                                                         // 25
          "Remove all",                                                                      // 26
          "Add random",                                                                      // 27
          "Search",                                                                          // 28
          "Add words to the list",                                                           // 29
          "Click on a word to add it to the list",                                           // 30
          "Click on a word to remove it from the list",                                      // 31
          "Practice list",                                                                   // 32
          "DELETED",                                                                         // 33
          "Update list",                                                                     // 34
          "Updating list\nOne moment please",                                                // 35
          "Add random number of words",                                                      // 36
          "Delete old list",                                                                 // 37
          "Number of words (max. ",                                                          // 38
          "Print",                                                                           // 39
          "Sending word list to printer",                                                    // 40
          "Word",                                                                            // 41
          "Create new list",                                                                 // 42
          "List name : ",                                                                    // 43
          "Delete current list",                                                             // 44
          "Delete list",                                                                     // 45
          "Lists",                                                                           // 46
          "The characters / \\ < > | . : ? * have special meaning and are not allowed.   ",  // 47
          "Are you sure you want to delete",                                                 // 48
          "?",                                                                               // 49
          "You should keep at least one list.   ",                                           // 50
          "Can't delete folder",                                                             // 51
          "English",                                                                         // 52
          "dict.ini",                                                                        // 53
          "on",                                                                              // 54
          "off",                                                                             // 55
          "[language]",                                                                      // 56
          "[selected]",                                                                      // 57
          "10",                                                                              // 58
          "[AddNew]",                                                                        // 59
          "8",                                                                               // 60
          "Writing",                                                                         // 61
          "Reading",                                                                         // 62
          "Sorting",                                                                         // 63
          "Add words",                                                                       // 64
          "CONFIRM ENTRIES WITH ENTER",                                                      // 65
          "No comma allowed in this field",                                                  // 66
          "add words",                                                                       // 67
          "New entries",                                                                     // 68
          "Read error",                                                                      // 69
          "Sort",                                                                            // 70
          "The words are being sorted\nOne moment please",                                   // 71
          "Sort failed  ",                                                                   // 72
          "Error",                                                                           // 73
          "Dictionary",                                                                      // 74
          "INI file not found, Program aborted.\n\nReport this message to :\n"
          "support@zembo.example\nhttp://www.zembo.example",              // 75
          "&Language",                                                    // 76
          "Add words",                                                    // 77
          "Start practice",                                               // 78
          "Search",                                                       // 79
          "Create practice list",                                         // 80
          "http://www.zembo.example",                                     // 81
          "support@zembo.example",                                        // 82
          "dict.hlp",                                                     // 83
          "Search words",                                                 // 84
          "Delete record",                                                // 85
          "Restore record",                                               // 86
          "Automatic Clipboard search",                                   // 87
          "Copy",                                                         // 88
          "Paste",                                                        // 89
          "Play",                                                         // 90
          "Search words in textfile",                                     // 91
          "Help",                                                         // 92
          "Search words in textfile",                                     // 93
          "Character set",                                                // 94
          "Review practice list",                                         // 95
          "Type the translation and press Enter (Enter alone shows it)",  // 96
          "Again",                                                        // 97
          "Hard",                                                         // 98
          "Good",                                                         // 99
          "Easy",                                                         // 100
          "Your answer:",                                                 // 101
          "Nothing more to review now.",                                  // 102
          "Next card due:",                                               // 103
          "The review card file was damaged; it has been kept as",        // 104
          "Review starts afresh.",                                        // 105
          "Cards left:",                                                  // 106
          "Export list",                                                  // 107
          "Could not write the file",                                     // 108
          "headwords",                                                    // 109
          "is in the dictionary already.\n\n"
          "Replace its words with those of the new dictionary? Words you added yourself are kept.",          // 110
          "The dictionary is being imported\nOne moment please",                                             // 111
          "dictd dictionaries (*.index)",                                                                    // 112
          "Import dictionary",                                                                               // 113
          "%1: no such file.",                                                                               // 114
          "%1 cannot be opened.",                                                                            // 115
          "%1 cannot be read.",                                                                              // 116
          "%1 is damaged or cut short and cannot be imported.",                                              // 117
          "%1: damaged compressed data in chunk %2.",                                                        // 118
          "%1 is damaged: its checksum does not match its text.",                                            // 119
          "%1, line %2: damaged index line.",                                                                // 120
          "%1: index line %2 names an article that ends at byte %3, past the %4 bytes this file can hold.",  // 121
          "%1 holds far more than its articles: it inflates to more than the %2 bytes its index names.",     // 122
          "%1: the article of index line %2 is not UTF-8 text.",                                             // 123
          "%1 cannot be read: not enough memory.",                                                           // 124
          "%1 translates into: %2, but the language of this dictionary is: %3. Only dictionaries into this language "
          "can be imported: choose one from the list.",                                                           // 125
          "The importer does not know the language of %1, so it cannot import it.",                               // 126
          "%1 is not a complete dictionary folder.",                                                              // 127
          "The sort order %1 is not available on this system.",                                                   // 128
          "The folder %1 cannot be made: %2.",                                                                    // 129
          "%1 cannot be written: %2.",                                                                            // 130
          "%1 cannot be renamed to %2: %3. The next import or the next start completes it.",                      // 131
          "An earlier import cannot be completed (%1): %2.",                                                      // 132
          "%1 cannot be removed.",                                                                                // 133
          "the disk is full",                                                                                     // 134
          "permission denied",                                                                                    // 135
          "The dictionary cannot be imported.",                                                                   // 136
          "%1: %2 headwords, imported in %3 seconds",                                                             // 137
          "records written: %1 from %2 to %3, %4 from %3 to %2",                                                  // 138
          "left out:",                                                                                            // 139
          "%1 headwords longer than 30 bytes (such as \"%2\")",                                                   // 140
          "%1 headwords with characters the code page lacks (such as \"%2\")",                                    // 141
          "%1 headwords without a translation in their article (such as \"%2\")",                                 // 142
          "%1 headwords with no translation that fits a record (such as \"%2\")",                                 // 143
          "%1 translations with characters the code page lacks",                                                  // 144
          "%1 translations longer than a whole field",                                                            // 145
          "%1 entries a user added were kept",                                                                    // 146
          "Import this dictionary?",                                                                              // 147
          "Import",                                                                                               // 148
          "soon",                                                                                                 // 149
          "Shown early; due at",                                                                                  // 150
          "Some lines of the review card file could not be read; they have been put aside in",                    // 151
          "The other cards are kept and the review goes on.",                                                     // 152
          "The review card file is too large to be read; it has been kept as",                                    // 153
          "This file beside the list is not a plain file (a link, a pipe or a device), so it is left as it is:",  // 154
          "This review is not kept.",                                                                             // 155
          "Grades are not written to the review log.",                                                            // 156
          "Text files (*.txt)",                                                                                   // 157
          "All files (*)",                                                                                        // 158
          "No entry for this word; the nearest entries are shown.",                                               // 159
          "The journal of an unfinished import was not carried out: it names files that no import writes, or it is not "
          "a plain file. Nothing was renamed. Remove it to end this message:",  // 160
          "noun|verb|adjective|adverb|pronoun|preposition|conjunction|interjection|numeral|article|masculine|feminine|"
          "neuter|plural",                                           // 161
          "Synonyms",                                                // 162
          "See also",                                                // 163
          "Note",                                                    // 164
          "No article for this word.",                               // 165
          "Find in entries",                                         // 166
          "Words of a translation, a note or an example:",           // 167
          "No entry holds these words.",                             // 168
          "Entries that hold all the words: %1",                     // 169
          "No entry holds all the words; these hold some of them.",  // 170
          "The entries are being indexed for Find in entries. This happens once, and again after the dictionary has "
          "changed.",                                                     // 171
          "The entries cannot be indexed:",                               // 172
          "Word|Translation|Dictionary",                                  // 173
          "Say the word (F5 says it again)",                              // 174
          "Listening: hear the word, type it",                            // 175
          "Type the word you hear and press Enter (F5 plays it again).",  // 176
          "Both ways",                                                    // 177
          "Fit the schedule to my reviews",                               // 178
          "Back to the default schedule",                                 // 179
          "Fitting the schedule to your reviews...",                      // 180
          "There are too few reviews to fit the schedule to yet (%1). "
          "The schedule stays as it is.",  // 181
          "Fitted to %1 reviews. On %2 reviews held back from the fit, the log loss (lower is better) is %3 with the "
          "schedule used until now and %4 with the fitted one.",  // 182
          "With this few reviews, only how long a card is remembered after its first grade was fitted; the rest is "
          "fitted once there are more.",                                              // 183
          "Schedule the cards with the fitted parameters from now on?",               // 184
          "Schedule fitted to your reviews on %1",                                    // 185
          "Default schedule",                                                         // 186
          "%1 new reviews since the schedule was fitted: fit it again.",              // 187
          "Progress",                                                                 // 188
          "Reviews per day, the last 30 days",                                        // 189
          "Cards due per day, the next 30 days",                                      // 190
          "Remembered a day or more after the review before: %1 of %2 (%3), aim %4",  // 191
          "No reviews yet.",                                                          // 192
          "Aim",                                                                      // 193
          "Anki decks (*.apkg)",                                                      // 194
          "Import word list",                                                         // 195
          "Word lists (*.csv *.tsv *.txt *.apkg)",                                    // 196
          "Word column:",                                                             // 197
          "Translation column:",                                                      // 198
          "The first row names the columns",                                          // 199
          "Encoding:",                                                                // 200
          "Into the practice list:",                                                  // 201
          "Adding the words to the dictionary...",                                    // 202
          "Column %1",                                                                // 203
          "Added to the dictionary: %1\nAlready in the dictionary: %2\n"
          "Too long (a word holds up to 30 characters, a translation up to 50): %3\n"
          "With characters the language's code page lacks: %4\n"
          "Left out (no word or no translation, or a comma in the word): %5\n\n"
          "Practice list \"%6\": %7 words.",                                                              // 204
          "The word list cannot be imported:",                                                            // 205
          "The file holds no text: it looks like the bytes of a program or a picture.",                   // 206
          "Line %1: a quote opens a field that never ends.",                                              // 207
          "The file cannot be read.",                                                                     // 208
          "The file is too large for a word list.",                                                       // 209
          "The file is no Anki package: it is not a zip archive.",                                        // 210
          "The package holds no Anki collection.",                                                        // 211
          "The package's collection would unpack to far more than any word list, so it is left packed.",  // 212
          "The package is damaged.",                                                                      // 213
          "The file holds no row with both a word and a translation.",                                    // 214
          "Merged with what another computer changed:\n%1 reviews, %2 new entries, %3 corrections, %4 practice list "
          "entries; of %5 other files the newer one was kept.",                           // 215
          "These files could not be merged. They stay beside the files they belong to:",  // 216
      },
      {
          // ZEMBO
          {{"&File",
            {"Stay on top", "Speak words without recording", "Review practice list", "&Search words in textfile",
             "&Import dictionary...", "Import &word list...", "E&xit\tCtrl+X"}},
           {"&Help", {"&Help Dictionary\tF1", "&About..."}}},
          // ZOEKEN
          {{"&Character set", {"&On", "Of&f"}},
           {"Automatic Clipboard search", {"On", "Off"}},
           {"&Article", {"Show", "Hide"}},
           {"F&ind", {"Find in &entries...\tCtrl+F"}}},
          // TEKENSET
          {{"&Character set", {"&On", "Of&f"}}},
          // LIST
          {{"&File", {"Create new list", "Delete current list", "Export list...", "Export as Anki deck..."}}},
          // READFILE
          {{"&File", {"&Open textfile", "&Paste text from clipboard"}}, {"&Article", {"Show", "Hide"}}},
      },
      {
          // ABOUTBOX
          {"Dictionary",
           {
               "zembo Dictionary, version 1.0",
               "A dictionary for language learners",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Create new list",
           {
               "List name : ",
               "OK",
               "Cancel",
           }},
          // IMPORTDIALOG
          {"Import dictionary",
           {
               "Dictionaries on this computer:",
               "&Other file...",
               "&Import",
               "Cancel",
           }},
      },
      {'A', 'P', 'S', 'C', 'X'},
  };
  return edition;
}

}  // namespace zembo
