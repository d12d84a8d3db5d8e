// The Swedish edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& swedishEdition() {
  static const EditionSource edition{
      {
          "Ordbok",           // 0
          "sprak\\",          // 1
          "lista\\",          // 2
          "lista\\temp.ls",   // 3
          "sprak\\tempfile",  // 4
          "icons\\",          // 5
          "zemboicon",        // 6
          "Klar",             // 7
          "Avbryt",           // 8
          "OK",               // 9
          "tekenset",         // 10
          "Alltid överst",    // 11
          "swedish",          // 12
          "0",                // 13
          "Det gick inte att ställa in LOCALE\nSorteringen kan bli felaktig.\n\nInstallera "
          "flerspråkigt stöd för det här språket från din Windows-cd.   ",                  // 14
          "SwedishAviDelay",                                                                // 15
          "Öva på ord",                                                                     // 16
          "Långsamt",                                                                       // 17
          "Snabbt",                                                                         // 18
          "194",                                                                            // 19
          "Du har kommit till slutet av listan. ",                                          // 20
          "Övningslistan",                                                                  // 21
          "är tom.      \n\nVill du skapa en ny övningslista?",                             // 22
          "Avsluta",                                                                        // 23
          "Skapa övningslista",                                                             // 24
          "Lägg till alla",                                                                 // 25
          "Ta bort alla",                                                                   // 26
          "Lägg till slumpvis",                                                             // 27
          "Sök",                                                                            // 28
          "Lägg till ord i listan",                                                         // 29
          "Klicka på ett ord för att lägga till det i listan",                              // 30
          "Klicka på ett ord för att ta bort det från listan",                              // 31
          "Övningslista",                                                                   // 32
          "BORTTAGEN",                                                                      // 33
          "Uppdatera listan",                                                               // 34
          "Listan uppdateras\nEtt ögonblick",                                               // 35
          "Lägg till slumpvisa ord",                                                        // 36
          "Ta bort den gamla listan",                                                       // 37
          "Antal ord (max. ",                                                               // 38
          "Skriv ut",                                                                       // 39
          "Ordlistan skickas till skrivaren",                                               // 40
          "Ord",                                                                            // 41
          "Skapa ny lista",                                                                 // 42
          "Listans namn : ",                                                                // 43
          "Ta bort aktuell lista",                                                          // 44
          "Ta bort lista",                                                                  // 45
          "Listor",                                                                         // 46
          "Tecknen / \\ < > | . : ? * har en särskild betydelse och är inte tillåtna.   ",  // 47
          "Vill du verkligen ta bort listan",                                               // 48
          "?",                                                                              // 49
          "Du måste behålla minst en lista.   ",                                            // 50
          "Det gick inte att ta bort mappen",                                               // 51
          "Svenska",                                                                        // 52
          "ordbok.ini",                                                                     // 53
          "på",                                                                             // 54
          "av",                                                                             // 55
          "[Språk]",                                                                        // 56
          "[Valda]",                                                                        // 57
          "7",                                                                              // 58
          "[Lägg till nya]",                                                                // 59
          "15",                                                                             // 60
          "Skriver",                                                                        // 61
          "Läser",                                                                          // 62
          "Sorterar",                                                                       // 63
          "Lägg till ord",                                                                  // 64
          "BEKRÄFTA VARJE INMATNING MED ENTER",                                             // 65
          "Kommatecken är inte tillåtet i det här fältet",                                  // 66
          "lägga till ord",                                                                 // 67
          "Nya poster",                                                                     // 68
          "Läsfel",                                                                         // 69
          "Sortera",                                                                        // 70
          "Orden sorteras\nEtt ögonblick",                                                  // 71
          "Sorteringen misslyckades  ",                                                     // 72
          "Fel",                                                                            // 73
          "Ordbok",                                                                         // 74
          "INI-filen hittades inte, programmet avbryts.\n\nRapportera det här meddelandet till "
          ":\nsupport@zembo.example\nhttp://www.zembo.example",              // 75
          "Sp&råk",                                                          // 76
          "Lägg till ord",                                                   // 77
          "Börja öva",                                                       // 78
          "Sök",                                                             // 79
          "Skapa övningslista",                                              // 80
          "http://www.zembo.example",                                        // 81
          "support@zembo.example",                                           // 82
          "ordbok.hlp",                                                      // 83
          "Sök ord",                                                         // 84
          "Ta bort post",                                                    // 85
          "Återställ post",                                                  // 86
          "Automatisk sökning i Urklipp",                                    // 87
          "Kopiera",                                                         // 88
          "Klistra in",                                                      // 89
          "Spela upp",                                                       // 90
          "Sök ord i textfil",                                               // 91
          "Hjälp",                                                           // 92
          "Sök ord i textfil",                                               // 93
          "Teckenuppsättning",                                               // 94
          "Repetera övningslistan",                                          // 95
          "Skriv översättningen och tryck på Enter (bara Enter visar den)",  // 96
          "Igen",                                                            // 97
          "Svår",                                                            // 98
          "Bra",                                                             // 99
          "Lätt",                                                            // 100
          "Ditt svar:",                                                      // 101
          "Inget mer att repetera just nu.",                                 // 102
          "Nästa kort:",                                                     // 103
          "Repetitionskortfilen var skadad; den har sparats som",            // 104
          "Repetitionen börjar om från början.",                             // 105
          "Kort kvar:",                                                      // 106
          "Exportera lista",                                                 // 107
          "Kunde inte skriva filen",                                         // 108
          "uppslagsord",                                                     // 109
          "finns redan i ordboken.\n\n"
          "Ersätta dess ord med den nya ordbokens? Ord som du själv har lagt till behålls.",                  // 110
          "Ordboken importeras\nEtt ögonblick",                                                               // 111
          "dictd-ordböcker (*.index)",                                                                        // 112
          "Importera ordbok",                                                                                 // 113
          "%1: filen finns inte.",                                                                            // 114
          "%1 kan inte öppnas.",                                                                              // 115
          "%1 kan inte läsas.",                                                                               // 116
          "%1 är skadad eller ofullständig och kan inte importeras.",                                         // 117
          "%1: skadade komprimerade data i block %2.",                                                        // 118
          "%1 är skadad: kontrollsumman stämmer inte med texten.",                                            // 119
          "%1, rad %2: skadad indexrad.",                                                                     // 120
          "%1: indexrad %2 anger en artikel som slutar vid byte %3, bortom de %4 byte som filen kan rymma.",  // 121
          "%1 innehåller långt mer än sina artiklar: uppackad blir den större än de %2 byte som dess index anger.",  // 122
          "%1: artikeln på indexrad %2 är inte UTF-8-text.",  // 123
          "%1 kan inte läsas: för lite minne.",               // 124
          "%1 översätter till: %2, men den här ordbokens språk är: %3. Bara ordböcker till det språket kan "
          "importeras: välj en i listan.",                                                   // 125
          "Importprogrammet känner inte till språket i %1 och kan inte importera den.",      // 126
          "%1 är inte en fullständig ordboksmapp.",                                          // 127
          "Sorteringsordningen %1 finns inte på det här systemet.",                          // 128
          "Mappen %1 kan inte skapas: %2.",                                                  // 129
          "%1 kan inte skrivas: %2.",                                                        // 130
          "%1 kan inte byta namn till %2: %3. Nästa import eller nästa start slutför det.",  // 131
          "En tidigare import kan inte slutföras (%1): %2.",                                 // 132
          "%1 kan inte tas bort.",                                                           // 133
          "disken är full",                                                                  // 134
          "behörighet saknas",                                                               // 135
          "Ordboken kan inte importeras.",                                                   // 136
          "%1: %2 uppslagsord, importerade på %3 sekunder",                                  // 137
          "poster skrivna: %1 från %2 till %3, %4 från %3 till %2",                          // 138
          "utelämnade:",                                                                     // 139
          "%1 uppslagsord längre än 30 byte (till exempel \"%2\")",                          // 140
          "%1 uppslagsord med tecken som teckenuppsättningen saknar (till exempel \"%2\")",  // 141
          "%1 uppslagsord utan översättning i sin artikel (till exempel \"%2\")",            // 142
          "%1 uppslagsord utan en översättning som ryms i en post (till exempel \"%2\")",    // 143
          "%1 översättningar med tecken som teckenuppsättningen saknar",                     // 144
          "%1 översättningar längre än ett helt fält",                                       // 145
          "%1 ord som du själv lagt till behölls",                                           // 146
          "Importera den här ordboken?",                                                     // 147
          "Importera",                                                                       // 148
          "snart",                                                                           // 149
          "Visas i förväg; skulle komma kl.",                                                // 150
          "Några rader i repetitionskortfilen kunde inte läsas; de har lagts åt sidan i",    // 151
          "De andra korten behålls och repetitionen fortsätter.",                            // 152
          "Repetitionskortfilen är för stor för att läsas; den har sparats som",             // 153
          "Den här filen bredvid listan är ingen vanlig fil (en länk, en pipe eller en enhet) och lämnas som den "
          "är:",                                                            // 154
          "Den här repetitionen sparas inte.",                              // 155
          "Betygen skrivs inte till repetitionsloggen.",                    // 156
          "Textfiler (*.txt)",                                              // 157
          "Alla filer (*)",                                                 // 158
          "Ordet finns inte i ordboken; de närmaste uppslagsorden visas.",  // 159
          "Loggen för en avbruten import utfördes inte: den nämner filer som ingen import skriver, eller så är den "
          "ingen vanlig fil. Ingenting döptes om. Ta bort den för att slippa detta meddelande:",  // 160
          "substantiv|verb|adjektiv|adverb|pronomen|preposition|konjunktion|interjektion|räkneord|artikel|maskulinum|"
          "femininum|neutrum|plural",                                                                         // 161
          "Synonymer",                                                                                        // 162
          "Se även",                                                                                          // 163
          "Anmärkning",                                                                                       // 164
          "Ingen artikel för detta ord.",                                                                     // 165
          "Sök i uppslag",                                                                                    // 166
          "Ord ur en översättning, en anmärkning eller ett exempel:",                                         // 167
          "Inget uppslag innehåller de här orden.",                                                           // 168
          "Uppslag som innehåller alla orden: %1",                                                            // 169
          "Inget uppslag innehåller alla orden; de här innehåller några av dem.",                             // 170
          "Uppslagen indexeras för \"Sök i uppslag\". Det sker en gång, och igen när ordboken har ändrats.",  // 171
          "Uppslagen kan inte indexeras:",                                                                    // 172
          "Ord|Översättning|Ordbok",                                                                          // 173
          "Läs upp ordet (F5 läser det igen)",                                                                // 174
          "Hörövning: hör ordet, skriv det",                                                                  // 175
          "Skriv ordet du hör och tryck på Enter (F5 spelar upp det igen).",                                  // 176
          "Båda hållen",                                                                                      // 177
          "Anpassa schemat efter mina repetitioner",                                                          // 178
          "Tillbaka till standardschemat",                                                                    // 179
          "Schemat anpassas efter dina repetitioner...",                                                      // 180
          "Det finns ännu för få repetitioner för att anpassa schemat (%1). Schemat förblir som det är.",     // 181
          "Schemat anpassat efter %1 repetitioner. På %2 repetitioner som hölls utanför anpassningen är log loss "
          "(lägre är bättre) %3 med schemat som använts hittills och %4 med det anpassade.",  // 182
          "Med så här få repetitioner anpassades bara hur länge man minns ett kort efter dess första betyg; resten "
          "anpassas när det finns fler.",                                                   // 183
          "Schemalägga korten med de anpassade parametrarna från och med nu?",              // 184
          "Schemat anpassat efter dina repetitioner den %1",                                // 185
          "Standardschema",                                                                 // 186
          "%1 nya repetitioner sedan schemat anpassades: anpassa det igen.",                // 187
          "Framsteg",                                                                       // 188
          "Repetitioner per dag, de senaste 30 dagarna",                                    // 189
          "Kort att repetera per dag, de kommande 30 dagarna",                              // 190
          "Ihågkomna en dag eller mer efter föregående repetition: %1 av %2 (%3), mål %4",  // 191
          "Inga repetitioner än.",                                                          // 192
          "Mål",                                                                            // 193
          "Anki-kortlekar (*.apkg)",                                                        // 194
          "Importera ordlista",                                                             // 195
          "Ordlistor (*.csv *.tsv *.txt *.apkg)",                                           // 196
          "Kolumn med orden:",                                                              // 197
          "Kolumn med översättningarna:",                                                   // 198
          "Första raden namnger kolumnerna",                                                // 199
          "Kodning:",                                                                       // 200
          "Till övningslistan:",                                                            // 201
          "Orden läggs till i ordboken...",                                                 // 202
          "Kolumn %1",                                                                      // 203
          "Tillagda i ordboken: %1\nFinns redan i ordboken: %2\n"
          "För långa (ett ord har högst 30 tecken, en översättning högst 50): %3\n"
          "Med tecken som språkets teckenuppsättning saknar: %4\n"
          "Utelämnade (inget ord, ingen översättning eller komma i ordet): %5\n\n"
          "Övningslista \"%6\": %7 ord.",                                                      // 204
          "Ordlistan kan inte importeras:",                                                    // 205
          "Filen innehåller ingen text: den ser ut som byte från ett program eller en bild.",  // 206
          "Rad %1: ett citattecken öppnar ett fält som aldrig slutar.",                        // 207
          "Filen kan inte läsas.",                                                             // 208
          "Filen är för stor för en ordlista.",                                                // 209
          "Filen är inget Anki-paket: den är inget zip-arkiv.",                                // 210
          "Paketet innehåller ingen Anki-samling.",                                            // 211
          "Paketets samling skulle bli långt större än någon ordlista när den packas upp, så den lämnas "
          "packad.",                                                    // 212
          "Paketet är skadat.",                                         // 213
          "Filen har ingen rad med både ett ord och en översättning.",  // 214
          "Sammanfogat med det en annan dator ändrade:\n%1 repetitioner, %2 nya uppslag, %3 rättelser, %4 poster i "
          "övningslistor; av %5 andra filer behölls den nyaste.",                             // 215
          "Dessa filer kunde inte sammanfogas. De ligger kvar bredvid filerna de hör till:",  // 216
      },
      {
          // ZEMBO
          {{"Ar&kiv",
            {"Alltid överst", "Läs upp ord utan inspelning", "Repetera övningslistan", "&Sök ord i textfil",
             "&Importera ordbok...", "Importera &ordlista...", "A&vsluta\tCtrl+X"}},
           {"&Hjälp", {"&Hjälp för Ordbok\tF1", "&Om..."}}},
          // ZOEKEN
          {{"Te&ckenuppsättning", {"&På", "&Av"}},
           {"Automatisk sökning i Urklipp", {"På", "Av"}},
           {"&Artikel", {"Visa", "Dölj"}},
           {"&Sök", {"Sök i &uppslag...\tCtrl+F"}}},
          // TEKENSET
          {{"Te&ckenuppsättning", {"&På", "&Av"}}},
          // LIST
          {{"Ar&kiv",
            {"Skapa ny lista", "Ta bort aktuell lista", "Exportera lista...", "Exportera som Anki-kortlek..."}}},
          // READFILE
          {{"Ar&kiv", {"&Öppna textfil", "&Klistra in text från Urklipp"}}, {"&Artikel", {"Visa", "Dölj"}}},
      },
      {
          // ABOUTBOX
          {"Ordbok",
           {
               "zembo Ordbok, version 1.0",
               "Tvåspråkig ordbok för språkstudier",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Skapa ny lista",
           {
               "Listans namn : ",
               "OK",
               "Avbryt",
           }},
          // IMPORTDIALOG
          {"Importera ordbok",
           {
               "Ordböcker på den här datorn:",
               "&Annan fil...",
               "&Importera",
               "Avbryt",
           }},
      },
      {'O', 'A', 'S', 'T', 'X'},
  };
  return edition;
}

}  // namespace zembo
