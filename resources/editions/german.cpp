// The German edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& germanEdition() {
  static const EditionSource edition{
      {
          "Wörterbuch",            // 0
          "sprache\\",             // 1
          "liste\\",               // 2
          "liste\\temp.ls",        // 3
          "sprache\\tempfile",     // 4
          "icons\\",               // 5
          "zemboicon",             // 6
          "Fertig",                // 7
          "Abbrechen",             // 8
          "OK",                    // 9
          "tekenset",              // 10
          "Immer im Vordergrund",  // 11
          "german",                // 12
          "0",                     // 13
          "Fehler beim Einstellen der LOCALE\nDie Sortierung ist möglicherweise falsch.\n\n"
          "Installieren Sie die Mehrsprachenunterstützung für diese Sprache von Ihrer "
          "Windows-CD-ROM.   ",                                          // 14
          "GermanAviDelay",                                              // 15
          "Wörter lernen",                                               // 16
          "Langsam",                                                     // 17
          "Schnell",                                                     // 18
          "188",                                                         // 19
          "Sie haben das Ende der Liste erreicht. ",                     // 20
          "Die Lernliste",                                               // 21
          "ist leer.      \n\nNeue Lernliste anlegen?",                  // 22
          "Beenden",                                                     // 23
          "Lernliste anlegen",                                           // 24
          "Alle hinzufügen",                                             // 25
          "Alle entfernen",                                              // 26
          "Zufällig hinzufügen",                                         // 27
          "Suchen",                                                      // 28
          "Wörter zur Liste hinzufügen",                                 // 29
          "Klicken Sie auf ein Wort, um es zur Liste hinzuzufügen",      // 30
          "Klicken Sie auf ein Wort, um es aus der Liste zu entfernen",  // 31
          "Lernliste",                                                   // 32
          "GELÖSCHT",                                                    // 33
          "Liste aktualisieren",                                         // 34
          "Die Liste wird aktualisiert\nEinen Moment bitte",             // 35
          "Zufällige Wörter hinzufügen",                                 // 36
          "Alte Liste löschen",                                          // 37
          "Anzahl der Wörter (max. ",                                    // 38
          "Drucken",                                                     // 39
          "Die Wortliste wird zum Drucker gesendet",                     // 40
          "Wort",                                                        // 41
          "Neue Liste anlegen",                                          // 42
          "Name der Liste : ",                                           // 43
          "Aktuelle Liste löschen",                                      // 44
          "Liste löschen",                                               // 45
          "Listen",                                                      // 46
          "Die Zeichen / \\ < > | . : ? * haben eine besondere Bedeutung und sind nicht "
          "erlaubt.   ",                                      // 47
          "Möchten Sie die Liste",                            // 48
          " wirklich löschen?",                               // 49
          "Mindestens eine Liste muss erhalten bleiben.   ",  // 50
          "Ordner kann nicht gelöscht werden:",               // 51
          "Deutsch",                                          // 52
          "woerterbuch.ini",                                  // 53
          "on",                                               // 54
          "off",                                              // 55
          "[sprache]",                                        // 56
          "[selected]",                                       // 57
          "10",                                               // 58
          "[zufügen]",                                        // 59
          "9",                                                // 60
          "Schreiben",                                        // 61
          "Lesen",                                            // 62
          "Sortieren",                                        // 63
          "Wörter hinzufügen",                                // 64
          "EINGABEN MIT ENTER BESTÄTIGEN",                    // 65
          "In diesem Feld ist kein Komma erlaubt",            // 66
          "Wörter hinzufügen",                                // 67
          "Neue Einträge",                                    // 68
          "Lesefehler",                                       // 69
          "Sortieren",                                        // 70
          "Die Wörter werden sortiert\nEinen Moment bitte",   // 71
          "Sortieren fehlgeschlagen  ",                       // 72
          "Fehler",                                           // 73
          "Wörterbuch",                                       // 74
          "INI-Datei nicht gefunden, Programm abgebrochen.\n\nBitte melden Sie diese Meldung "
          "an :\nsupport@zembo.example\nhttp://www.zembo.example",                      // 75
          "Sp&rache",                                                                   // 76
          "Wörter hinzufügen",                                                          // 77
          "Lernen starten",                                                             // 78
          "Suchen",                                                                     // 79
          "Lernliste anlegen",                                                          // 80
          "http://www.zembo.example",                                                   // 81
          "support@zembo.example",                                                      // 82
          "woerterbuch.hlp",                                                            // 83
          "Wörter suchen",                                                              // 84
          "Eintrag löschen",                                                            // 85
          "Eintrag wiederherstellen",                                                   // 86
          "Automatische Suche aus der Zwischenablage",                                  // 87
          "Kopieren",                                                                   // 88
          "Einfügen",                                                                   // 89
          "Abspielen",                                                                  // 90
          "Wörter in Textdatei suchen",                                                 // 91
          "Hilfe",                                                                      // 92
          "Wörter in Textdatei suchen",                                                 // 93
          "Zeichensatz",                                                                // 94
          "Übungsliste wiederholen",                                                    // 95
          "Übersetzung eingeben und Enter drücken (Enter allein zeigt sie)",            // 96
          "Nochmal",                                                                    // 97
          "Schwer",                                                                     // 98
          "Gut",                                                                        // 99
          "Leicht",                                                                     // 100
          "Ihre Antwort:",                                                              // 101
          "Im Moment nichts mehr zu wiederholen.",                                      // 102
          "Nächste Karte fällig:",                                                      // 103
          "Die Kartendatei der Wiederholung war beschädigt; sie wurde aufbewahrt als",  // 104
          "Die Wiederholung beginnt von vorn.",                                         // 105
          "Noch offen:",                                                                // 106
          "Liste exportieren",                                                          // 107
          "Die Datei konnte nicht geschrieben werden",                                  // 108
          "Stichwörter",                                                                // 109
          "ist schon im Wörterbuch.\n\n"
          "Seine Wörter durch die des neuen Wörterbuchs ersetzen? Wörter, die Sie selbst hinzugefügt haben, "
          "bleiben erhalten.",                                                       // 110
          "Das Wörterbuch wird importiert\nEinen Moment bitte",                      // 111
          "dictd-Wörterbücher (*.index)",                                            // 112
          "Wörterbuch importieren",                                                  // 113
          "%1: Datei nicht gefunden.",                                               // 114
          "%1 kann nicht geöffnet werden.",                                          // 115
          "%1 kann nicht gelesen werden.",                                           // 116
          "%1 ist beschädigt oder unvollständig und kann nicht importiert werden.",  // 117
          "%1: beschädigte komprimierte Daten in Block %2.",                         // 118
          "%1 ist beschädigt: die Prüfsumme passt nicht zum Text.",                  // 119
          "%1, Zeile %2: beschädigte Indexzeile.",                                   // 120
          "%1: Indexzeile %2 nennt einen Artikel, der bei Byte %3 endet, jenseits der %4 Bytes, die diese Datei "
          "fassen kann.",  // 121
          "%1 enthält weit mehr als seine Artikel: entpackt ergibt es mehr als die %2 Bytes, die sein Index nennt.",  // 122
          "%1: der Artikel der Indexzeile %2 ist kein UTF-8-Text.",  // 123
          "%1 kann nicht gelesen werden: nicht genug Speicher.",     // 124
          "%1 übersetzt in: %2, die Sprache dieses Wörterbuchs ist aber: %3. Nur Wörterbücher in diese Sprache "
          "können importiert werden: wählen Sie eines aus der Liste.",                         // 125
          "Das Importprogramm kennt die Sprache von %1 nicht und kann es nicht importieren.",  // 126
          "%1 ist kein vollständiger Wörterbuchordner.",                                       // 127
          "Die Sortierfolge %1 ist auf diesem System nicht verfügbar.",                        // 128
          "Der Ordner %1 kann nicht angelegt werden: %2.",                                     // 129
          "%1 kann nicht geschrieben werden: %2.",                                             // 130
          "%1 kann nicht in %2 umbenannt werden: %3. Der nächste Import oder der nächste Programmstart holt es "
          "nach.",                                                                                            // 131
          "Ein früherer Import kann nicht abgeschlossen werden (%1): %2.",                                    // 132
          "%1 kann nicht gelöscht werden.",                                                                   // 133
          "der Datenträger ist voll",                                                                         // 134
          "keine Berechtigung",                                                                               // 135
          "Das Wörterbuch kann nicht importiert werden.",                                                     // 136
          "%1: %2 Stichwörter, importiert in %3 Sekunden",                                                    // 137
          "geschriebene Einträge: %1 von %2 nach %3, %4 von %3 nach %2",                                      // 138
          "ausgelassen:",                                                                                     // 139
          "%1 Stichwörter länger als 30 Byte (etwa \"%2\")",                                                  // 140
          "%1 Stichwörter mit Zeichen, die der Zeichensatz nicht hat (etwa \"%2\")",                          // 141
          "%1 Stichwörter ohne Übersetzung in ihrem Artikel (etwa \"%2\")",                                   // 142
          "%1 Stichwörter ohne Übersetzung, die in einen Eintrag passt (etwa \"%2\")",                        // 143
          "%1 Übersetzungen mit Zeichen, die der Zeichensatz nicht hat",                                      // 144
          "%1 Übersetzungen länger als ein ganzes Feld",                                                      // 145
          "%1 selbst hinzugefügte Einträge wurden behalten",                                                  // 146
          "Dieses Wörterbuch importieren?",                                                                   // 147
          "Importieren",                                                                                      // 148
          "bald",                                                                                             // 149
          "Früher gezeigt; fällig um",                                                                        // 150
          "Einige Zeilen der Kartendatei der Wiederholung waren nicht lesbar; sie wurden beiseitegelegt in",  // 151
          "Die übrigen Karten bleiben erhalten, die Wiederholung geht weiter.",                               // 152
          "Die Kartendatei der Wiederholung ist zu groß zum Lesen; sie wurde aufbewahrt als",                 // 153
          "Diese Datei neben der Liste ist keine gewöhnliche Datei (eine Verknüpfung, eine Pipe oder ein Gerät) "
          "und bleibt, wie sie ist:",                                                  // 154
          "Diese Wiederholung wird nicht gespeichert.",                                // 155
          "Die Bewertungen werden nicht ins Protokoll der Wiederholung geschrieben.",  // 156
          "Textdateien (*.txt)",                                                       // 157
          "Alle Dateien (*)",                                                          // 158
          "Kein Eintrag für dieses Wort; gezeigt werden die nächsten.",                // 159
          "Das Protokoll eines unterbrochenen Imports wurde nicht ausgeführt: Es nennt Dateien, die kein Import "
          "schreibt, oder es ist keine gewöhnliche Datei. Nichts wurde umbenannt. Löschen Sie es, damit diese "
          "Meldung nicht mehr erscheint:",  // 160
          "Substantiv|Verb|Adjektiv|Adverb|Pronomen|Präposition|Konjunktion|Interjektion|Numerale|Artikel|maskulin|"
          "feminin|neutral|Plural",                                           // 161
          "Synonyme",                                                         // 162
          "Siehe auch",                                                       // 163
          "Anmerkung",                                                        // 164
          "Kein Artikel zu diesem Wort.",                                     // 165
          "In Einträgen suchen",                                              // 166
          "Wörter einer Übersetzung, einer Anmerkung oder eines Beispiels:",  // 167
          "Kein Eintrag enthält diese Wörter.",                               // 168
          "Einträge, die alle Wörter enthalten: %1",                          // 169
          "Kein Eintrag enthält alle Wörter; diese enthalten einige davon.",  // 170
          "Die Einträge werden für \"In Einträgen suchen\" indexiert. Das geschieht einmal und erneut, nachdem sich "
          "das Wörterbuch geändert hat.",                                                                      // 171
          "Die Einträge können nicht indexiert werden:",                                                       // 172
          "Wort|Übersetzung|Wörterbuch",                                                                       // 173
          "Wort sprechen (F5 spricht es erneut)",                                                              // 174
          "Hörübung: Wort hören und eingeben",                                                                 // 175
          "Gehörtes Wort eingeben und Enter drücken (F5 spielt es erneut ab).",                                // 176
          "Beide Richtungen",                                                                                  // 177
          "Zeitplan an meine Wiederholungen anpassen",                                                         // 178
          "Zurück zum Standardzeitplan",                                                                       // 179
          "Der Zeitplan wird an Ihre Wiederholungen angepasst...",                                             // 180
          "Noch zu wenige Wiederholungen, um den Zeitplan anzupassen (%1). Der Zeitplan bleibt, wie er ist.",  // 181
          "Zeitplan an %1 Wiederholungen angepasst. Für %2 Wiederholungen, die beim Anpassen nicht verwendet wurden, "
          "beträgt der Log-Loss (niedriger ist besser) mit dem bisherigen Zeitplan %3 und mit dem angepassten "
          "%4.",  // 182
          "Bei so wenigen Wiederholungen wurde nur angepasst, wie lange eine Karte nach ihrer ersten Bewertung "
          "behalten wird; der Rest wird angepasst, sobald es mehr sind.",                              // 183
          "Die Karten ab jetzt mit den angepassten Parametern planen?",                                // 184
          "Zeitplan am %1 an Ihre Wiederholungen angepasst",                                           // 185
          "Standardzeitplan",                                                                          // 186
          "%1 neue Wiederholungen seit der Anpassung des Zeitplans: erneut anpassen.",                 // 187
          "Fortschritt",                                                                               // 188
          "Wiederholungen pro Tag, die letzten 30 Tage",                                               // 189
          "Fällige Karten pro Tag, die nächsten 30 Tage",                                              // 190
          "Behalten nach einem Tag oder mehr seit der vorigen Wiederholung: %1 von %2 (%3), Ziel %4",  // 191
          "Noch keine Wiederholungen.",                                                                // 192
          "Ziel",                                                                                      // 193
          "Anki-Stapel (*.apkg)",                                                                      // 194
          "Wortliste importieren",                                                                     // 195
          "Wortlisten (*.csv *.tsv *.txt *.apkg)",                                                     // 196
          "Spalte der Wörter:",                                                                        // 197
          "Spalte der Übersetzungen:",                                                                 // 198
          "Die erste Zeile enthält die Namen der Spalten",                                             // 199
          "Kodierung:",                                                                                // 200
          "In die Lernliste:",                                                                         // 201
          "Die Wörter werden ins Wörterbuch aufgenommen...",                                           // 202
          "Spalte %1",                                                                                 // 203
          "Ins Wörterbuch aufgenommen: %1\nSchon im Wörterbuch: %2\n"
          "Zu lang (ein Wort hat höchstens 30 Zeichen, eine Übersetzung höchstens 50): %3\n"
          "Mit Zeichen, die der Zeichensatz der Sprache nicht hat: %4\n"
          "Ausgelassen (kein Wort, keine Übersetzung oder ein Komma im Wort): %5\n\n"
          "Lernliste \"%6\": %7 Wörter.",                                                                     // 204
          "Die Wortliste kann nicht importiert werden:",                                                      // 205
          "Die Datei enthält keinen Text: sie sieht aus wie die Bytes eines Programms oder eines Bildes.",    // 206
          "Zeile %1: ein Anführungszeichen öffnet ein Feld, das nie endet.",                                  // 207
          "Die Datei kann nicht gelesen werden.",                                                             // 208
          "Die Datei ist zu groß für eine Wortliste.",                                                        // 209
          "Die Datei ist kein Anki-Paket: sie ist kein ZIP-Archiv.",                                          // 210
          "Das Paket enthält keine Anki-Sammlung.",                                                           // 211
          "Die Sammlung des Pakets wäre entpackt weit größer als jede Wortliste, daher bleibt sie gepackt.",  // 212
          "Das Paket ist beschädigt.",                                                                        // 213
          "Die Datei enthält keine Zeile mit einem Wort und einer Übersetzung.",                              // 214
          "Mit den Änderungen eines anderen Computers zusammengeführt:\n%1 Wiederholungen, %2 neue Einträge, %3 "
          "Korrekturen, %4 Einträge in Lernlisten; von %5 anderen Dateien wurde die neuere behalten.",  // 215
          "Diese Dateien konnten nicht zusammengeführt werden. Sie bleiben neben den Dateien, zu denen sie gehören:",  // 216
      },
      {
          // ZEMBO
          {{"&Datei",
            {"Immer im Vordergrund", "Wörter ohne Aufnahme sprechen", "Übungsliste wiederholen",
             "Wörter in Textdatei &suchen", "Wörterbuch &importieren...", "&Wortliste importieren...",
             "&Beenden\tStrg+E"}},
           {"H&ilfe", {"&Hilfe zum Wörterbuch\tF1", "&Über..."}}},
          // ZOEKEN
          {{"&Zeichensatz", {"&Ein", "&Aus"}},
           {"Automatische Suche aus der Zwischenablage", {"Ein", "Aus"}},
           {"&Artikel", {"Einblenden", "Ausblenden"}},
           {"&Suchen", {"In &Einträgen suchen...\tStrg+F"}}},
          // TEKENSET
          {{"&Zeichensatz", {"&Ein", "&Aus"}}},
          // LIST
          {{"&Datei",
            {"Neue Liste anlegen", "Aktuelle Liste löschen", "Liste exportieren...",
             "Als Anki-Stapel exportieren..."}}},
          // READFILE
          {{"&Datei", {"Textdatei ö&ffnen", "Text aus der Zwischenablage &einfügen"}},
           {"&Artikel", {"Einblenden", "Ausblenden"}}},
      },
      {
          // ABOUTBOX
          {"Wörterbuch",
           {
               "zembo Wörterbuch, Version 1.0",
               "Zweisprachiges Lernwörterbuch",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Neue Liste anlegen",
           {
               "Name der Liste : ",
               "OK",
               "Abbrechen",
           }},
          // IMPORTDIALOG
          {"Wörterbuch importieren",
           {
               "Wörterbücher auf diesem Computer:",
               "&Andere Datei...",
               "&Importieren",
               "Abbrechen",
           }},
      },
      {'H', 'L', 'S', 'M', 'E'},
  };
  return edition;
}

}  // namespace zembo
