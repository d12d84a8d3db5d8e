// The English edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& englishEdition() {
  static const EditionSource edition{
      {
          "Dictionary",                // 0
          "language\\",                // 1
          "list\\",                    // 2
          "list\\temp.ls",             // 3
          "language\\tempfile",        // 4
          "icons\\",                   // 5
          "zemboicon",                 // 6
          "Done",                      // 7
          "Cancel",                    // 8
          "OK",                        // 9
          "tekenset",                  // 10
          "Stay on top",               // 11
          "english",                   // 12
          "0",                         // 13
          "Error setting LOCALE\nSort results may not be valid.\n\nInstall multi-language support from "
          "your Windows cd-rom for this language.   ",  // 14
          "EnglishAviDelay",                            // 15
          "Practice words",                             // 16
          "Slow",                                       // 17
          "Fast",                                       // 18
          "213",                                        // 19
          "You have reached the end of the List. ",     // 20
          "Practice list",                              // 21
          "is empty.      \n\nCreate new practice list?",  // 22
          "Quit",                                          // 23
          "Create practice list",                          // 24
          "Add all",                                       // 25
          "Remove all",                                    // 26
          "Add random",                                    // 27
          "Search",                                        // 28
          "Add words to the list",                         // 29
          "Click on a word to add it to the list",         // 30
          "Click on a word to remove it from the list",    // 31
          "Practice list",                                 // 32
          "DELETED",                                       // 33
          "Update list",                                   // 34
          "Updating list\nOne moment please",              // 35
          "Add random number of words",                    // 36
          "Delete old list",                               // 37
          "Number of words (max. ",                        // 38
          "Print",                                         // 39
          "Sending word list to printer",                  // 40
          "Word",                                          // 41
          "Create new list",                               // 42
          "List name : ",                                  // 43
          "Delete current list",                           // 44
          "Delete list",                                   // 45
          "Lists",                                         // 46
          "The characters / \\ < > | . : ? * have special meaning and are not allowed.   ",  // 47
          "Are you sure you want to delete",                                               // 48
          "?",                                                                             // 49
          "You should keep at least one list.   ",                                          // 50
          "Can't delete folder",                                                           // 51
          "English",                                                                       // 52
          "dict.ini",                                                                      // 53
          "on",                                                                            // 54
          "off",                                                                           // 55
          "[language]",                                                                    // 56
          "[selected]",                                                                    // 57
          "10",                                                                            // 58
          "[AddNew]",                                                                      // 59
          "8",                                                                             // 60
          "Writing",                                                                       // 61
          "Reading",                                                                       // 62
          "Sorting",                                                                       // 63
          "Add words",                                                                     // 64
          "CONFIRM ENTRIES WITH ENTER",                                                    // 65
          "No comma allowed in this field",                                                // 66
          "add words",                                                                     // 67
          "New entries",                                                                   // 68
          "Read error",                                                                    // 69
          "Sort",                                                                          // 70
          "The words are being sorted\nOne moment please",                                 // 71
          "Sort failed  ",                                                                 // 72
          "Error",                                                                         // 73
          "Dictionary",                                                                    // 74
          "INI file not found, Program aborted.\n\nReport this message to :\n"
          "support@zembo.example\nhttp://www.zembo.example",  // 75
          "&Language",                                         // 76
          "Add words",                                         // 77
          "Start practice",                                    // 78
          "Search",                                            // 79
          "Create practice list",                              // 80
          "http://www.zembo.example",                          // 81
          "support@zembo.example",                             // 82
          "dict.hlp",                                          // 83
          "Search words",                                      // 84
          "Delete record",                                     // 85
          "Restore record",                                    // 86
          "Automatic Clipboard search",                        // 87
          "Copy",                                              // 88
          "Paste",                                             // 89
          "Play",                                              // 90
          "Search words in textfile",                          // 91
          "Help",                                              // 92
          "Search words in textfile",                          // 93
          "Character set",                                     // 94
          "Review practice list",  // 95
          "Type the translation and press Enter (Enter alone shows it)",  // 96
          "Again",  // 97
          "Hard",  // 98
          "Good",  // 99
          "Easy",  // 100
          "Your answer:",  // 101
          "Nothing more to review now.",  // 102
          "Next card due:",  // 103
          "The review card file was damaged; it has been kept as",  // 104
          "Review starts afresh.",  // 105
          "Cards left:",  // 106
          "Export list",  // 107
          "Could not write the file",  // 108
          "headwords",  // 109
          "is in the dictionary already.\n\n"
          "Replace its words with those of the new dictionary? Words you added yourself are kept.",  // 110
          "The dictionary is being imported\nOne moment please",  // 111
          "dictd dictionaries (*.index)",  // 112
          "Import dictionary",  // 113
          "",  // 114
          "",  // 115
          "",  // 116
          "",  // 117
          "",  // 118
          "",  // 119
          "",  // 120
          "",  // 121
          "",  // 122
          "",  // 123
          "",  // 124
          "",  // 125
          "",  // 126
          "",  // 127
          "",  // 128
          "",  // 129
          "",  // 130
          "",  // 131
          "",  // 132
          "",  // 133
          "",  // 134
          "",  // 135
          "",  // 136
          "",  // 137
          "",  // 138
          "",  // 139
          "",  // 140
          "",  // 141
          "",  // 142
          "",  // 143
          "",  // 144
          "",  // 145
          "",  // 146
          "",  // 147
          "",  // 148
          "",  // 149
          "",  // 150
          "",  // 151
          "",  // 152
          "",  // 153
          "",  // 154
          "",  // 155
          "",  // 156
          "",  // 157
          "",  // 158
          "",  // 159
          "",  // 160
          "",  // 161
          "",  // 162
          "",  // 163
          "",  // 164
          "",  // 165
          "",  // 166
          "",  // 167
          "",  // 168
          "",  // 169
          "",  // 170
          "",  // 171
          "",  // 172
          "",  // 173
          "",  // 174
          "The journal of an unfinished import was not carried out: it names files that no import writes, or it is not a plain file. Nothing was renamed. Remove it to end this message:",  // 175
          "",  // 176
          "",  // 177
          "",  // 178
          "",  // 179
          "",  // 180
          "",  // 181
          "",  // 182
          "",  // 183
          "",  // 184
      },
      {
          // ZEMBO
          {{"&File", {"Stay on top", "Speak words without recording", "Review practice list", "&Search words in textfile", "&Import dictionary...", "E&xit\tCtrl+X"}},
            {"&Help", {"&Help Dictionary\tF1", "&About..."}}},
          // ZOEKEN
          {{"&Character set", {"&On", "Of&f"}},
            {"Automatic Clipboard search", {"On", "Off"}}},
          // TEKENSET
          {{"&Character set", {"&On", "Of&f"}}},
          // LIST
          {{"&File", {"Create new list", "Delete current list", "Export list..."}}},
          // READFILE
          {{"&File", {"&Open textfile", "&Paste text from clipboard"}}},
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
