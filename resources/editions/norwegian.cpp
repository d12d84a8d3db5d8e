// The Norwegian (bokmål) edition. Texts as the program shows them; "\\" is one backslash of a
// folder name, and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& norwegianEdition() {
  static const EditionSource edition{
      {
          "Ordbok",              // 0
          "language\\",          // 1
          "list\\",              // 2
          "list\\temp.ls",       // 3
          "language\\tempfile",  // 4
          "icons\\",             // 5
          "zemboicon",           // 6
          "Ferdig",              // 7
          "Avbryt",              // 8
          "OK",                  // 9
          "tekenset",            // 10
          "Alltid øverst",       // 11
          "norwegian-bokmal",    // 12
          "0",                   // 13
          "Kunne ikke stille inn LOCALE\nSorteringen kan bli feil.\n\nInstaller flerspråklig "
          "støtte for dette språket fra Windows-CD-en din.   ",                        // 14
          "NorwegianAviDelay",                                                         // 15
          "Øv på ord",                                                                 // 16
          "Sakte",                                                                     // 17
          "Raskt",                                                                     // 18
          "200",                                                                       // 19
          "Du har nådd slutten av listen. ",                                           // 20
          "Øvingslisten",                                                              // 21
          "er tom.      \n\nVil du lage en ny øvingsliste?",                           // 22
          "Avslutt",                                                                   // 23
          "Lag øvingsliste",                                                           // 24
          "Legg til alle",                                                             // 25
          "Fjern alle",                                                                // 26
          "Legg til tilfeldige",                                                       // 27
          "Søk",                                                                       // 28
          "Legg til ord i listen",                                                     // 29
          "Klikk på et ord for å legge det til i listen",                              // 30
          "Klikk på et ord for å fjerne det fra listen",                               // 31
          "Øvingsliste",                                                               // 32
          "SLETTET",                                                                   // 33
          "Oppdater listen",                                                           // 34
          "Listen oppdateres\nVent litt",                                              // 35
          "Legg til tilfeldige ord",                                                   // 36
          "Slett den gamle listen",                                                    // 37
          "Antall ord (maks. ",                                                        // 38
          "Skriv ut",                                                                  // 39
          "Ordlisten sendes til skriveren",                                            // 40
          "Ord",                                                                       // 41
          "Lag ny liste",                                                              // 42
          "Navn på listen : ",                                                         // 43
          "Slett gjeldende liste",                                                     // 44
          "Slett liste",                                                               // 45
          "Lister",                                                                    // 46
          "Tegnene / \\ < > | . : ? * har spesiell betydning og er ikke tillatt.   ",  // 47
          "Vil du virkelig slette listen",                                             // 48
          "?",                                                                         // 49
          "Du må beholde minst én liste.   ",                                          // 50
          "Kan ikke slette mappen",                                                    // 51
          "Norsk",                                                                     // 52
          "dict.ini",                                                                  // 53
          "På",                                                                        // 54
          "Av",                                                                        // 55
          "[language]",                                                                // 56
          "[selected]",                                                                // 57
          "10",                                                                        // 58
          "[AddNew]",                                                                  // 59
          "8",                                                                         // 60
          "Skriver",                                                                   // 61
          "Leser",                                                                     // 62
          "Sorterer",                                                                  // 63
          "Legg til ord",                                                              // 64
          "BEKREFT HVER OPPFØRING MED ENTER",                                          // 65
          "Komma er ikke tillatt i dette feltet",                                      // 66
          "legge til ord",                                                             // 67
          "Nye oppføringer",                                                           // 68
          "Lesefeil",                                                                  // 69
          "Sorter",                                                                    // 70
          "Ordene sorteres\nVent litt",                                                // 71
          "Sorteringen mislyktes  ",                                                   // 72
          "Feil",                                                                      // 73
          "Ordbok",                                                                    // 74
          "Finner ikke INI-filen, programmet avbrytes.\n\nRapporter denne meldingen til :\n"
          "support@zembo.example\nhttp://www.zembo.example",               // 75
          "Sp&råk",                                                        // 76
          "Legg til ord",                                                  // 77
          "Start øving",                                                   // 78
          "Søk",                                                           // 79
          "Lag øvingsliste",                                               // 80
          "http://www.zembo.example",                                      // 81
          "support@zembo.example",                                         // 82
          "ordbok_no.hlp",                                                 // 83
          "Søk etter ord",                                                 // 84
          "Slett oppføring",                                               // 85
          "Gjenopprett oppføring",                                         // 86
          "Automatisk søk fra utklippstavlen",                             // 87
          "Kopier",                                                        // 88
          "Lim inn",                                                       // 89
          "Spill av",                                                      // 90
          "Søk etter ord i tekstfil",                                      // 91
          "Hjelp",                                                         // 92
          "Søk etter ord i tekstfil",                                      // 93
          "Tegnsett",                                                      // 94
          "Repeter øvingslisten",                                          // 95
          "Skriv oversettelsen og trykk Enter (bare Enter viser den)",     // 96
          "Igjen",                                                         // 97
          "Vanskelig",                                                     // 98
          "Bra",                                                           // 99
          "Lett",                                                          // 100
          "Ditt svar:",                                                    // 101
          "Ikke mer å repetere nå.",                                       // 102
          "Neste kort:",                                                   // 103
          "Kortfilen for repetisjon var skadet; den er tatt vare på som",  // 104
          "Repetisjonen begynner på nytt.",                                // 105
          "Kort igjen:",                                                   // 106
          "Eksporter liste",                                               // 107
          "Kunne ikke skrive filen",                                       // 108
          "oppslagsord",                                                   // 109
          "finnes allerede i ordboken.\n\n"
          "Erstatte ordene med den nye ordbokens? Ord du selv har lagt til, beholdes.",  // 110
          "Ordboken importeres\nEtt øyeblikk",                                           // 111
          "dictd-ordbøker (*.index)",                                                    // 112
          "Importer ordbok",                                                             // 113
          "%1: finner ikke filen.",                                                      // 114
          "%1 kan ikke åpnes.",                                                          // 115
          "%1 kan ikke leses.",                                                          // 116
          "%1 er skadet eller ufullstendig og kan ikke importeres.",                     // 117
          "%1: skadede komprimerte data i blokk %2.",                                    // 118
          "%1 er skadet: kontrollsummen stemmer ikke med teksten.",                      // 119
          "%1, linje %2: skadet indekslinje.",                                           // 120
          "%1: indekslinje %2 viser til en artikkel som slutter ved byte %3, forbi de %4 bytene filen kan romme.",  // 121
          "%1 inneholder langt mer enn artiklene sine: utpakket er den større enn de %2 bytene indeksen oppgir.",  // 122
          "%1: artikkelen i indekslinje %2 er ikke UTF-8-tekst.",  // 123
          "%1 kan ikke leses: ikke nok minne.",                    // 124
          "%1 oversetter til: %2, men språket i denne ordboken er: %3. Bare ordbøker til dette språket kan importeres: "
          "velg en fra listen.",                                                                // 125
          "Importprogrammet kjenner ikke språket i %1 og kan ikke importere den.",              // 126
          "%1 er ikke en fullstendig ordbokmappe.",                                             // 127
          "Sorteringsrekkefølgen %1 finnes ikke på dette systemet.",                            // 128
          "Mappen %1 kan ikke opprettes: %2.",                                                  // 129
          "%1 kan ikke skrives: %2.",                                                           // 130
          "%1 kan ikke få nytt navn %2: %3. Neste import eller neste oppstart fullfører det.",  // 131
          "En tidligere import kan ikke fullføres (%1): %2.",                                   // 132
          "%1 kan ikke slettes.",                                                               // 133
          "disken er full",                                                                     // 134
          "ingen tillatelse",                                                                   // 135
          "Ordboken kan ikke importeres.",                                                      // 136
          "%1: %2 oppslagsord, importert på %3 sekunder",                                       // 137
          "poster skrevet: %1 fra %2 til %3, %4 fra %3 til %2",                                 // 138
          "utelatt:",                                                                           // 139
          "%1 oppslagsord lengre enn 30 byte (for eksempel \"%2\")",                            // 140
          "%1 oppslagsord med tegn som tegnsettet mangler (for eksempel \"%2\")",               // 141
          "%1 oppslagsord uten oversettelse i artikkelen (for eksempel \"%2\")",                // 142
          "%1 oppslagsord uten en oversettelse som får plass i en post (for eksempel \"%2\")",  // 143
          "%1 oversettelser med tegn som tegnsettet mangler",                                   // 144
          "%1 oversettelser lengre enn et helt felt",                                           // 145
          "%1 ord du selv har lagt til, ble beholdt",                                           // 146
          "Importere denne ordboken?",                                                          // 147
          "Importer",                                                                           // 148
          "snart",                                                                              // 149
          "Vist før tiden; skulle komme kl.",                                                   // 150
          "Noen linjer i kortfilen for repetisjon kunne ikke leses; de er lagt til side i",     // 151
          "De andre kortene beholdes, og repetisjonen fortsetter.",                             // 152
          "Kortfilen for repetisjon er for stor til å leses; den er tatt vare på som",          // 153
          "Denne filen ved siden av listen er ikke en vanlig fil (en lenke, en pipe eller en enhet) og blir som den "
          "er:",                                                          // 154
          "Denne repetisjonen lagres ikke.",                              // 155
          "Vurderingene skrives ikke i repetisjonsloggen.",               // 156
          "Tekstfiler (*.txt)",                                           // 157
          "Alle filer (*)",                                               // 158
          "Ordet finnes ikke i ordboken; de nærmeste oppslagene vises.",  // 159
          "Loggen for en avbrutt import ble ikke utført: den nevner filer som ingen import skriver, eller den er ikke "
          "en vanlig fil. Ingenting ble omdøpt. Slett den for å unngå denne meldingen:",  // 160
          "substantiv|verb|adjektiv|adverb|pronomen|preposisjon|konjunksjon|interjeksjon|tallord|artikkel|hankjønn|"
          "hunkjønn|intetkjønn|flertall",                                         // 161
          "Synonymer",                                                            // 162
          "Se også",                                                              // 163
          "Merknad",                                                              // 164
          "Ingen artikkel for dette ordet.",                                      // 165
          "Søk i oppslag",                                                        // 166
          "Ord fra en oversettelse, en merknad eller et eksempel:",               // 167
          "Ingen oppslag inneholder disse ordene.",                               // 168
          "Oppslag som inneholder alle ordene: %1",                               // 169
          "Ingen oppslag inneholder alle ordene; disse inneholder noen av dem.",  // 170
          "Oppslagene indekseres for \"Søk i oppslag\". Det skjer én gang, og på nytt etter at ordboken er endret.",  // 171
          "Oppslagene kan ikke indekseres:",                                                      // 172
          "Ord|Oversettelse|Ordbok",                                                              // 173
          "Les opp ordet (F5 leser det igjen)",                                                   // 174
          "Lytteøving: hør ordet, skriv det",                                                     // 175
          "Skriv ordet du hører, og trykk Enter (F5 spiller det av igjen).",                      // 176
          "Begge veier",                                                                          // 177
          "Tilpass planen til repetisjonene mine",                                                // 178
          "Tilbake til standardplanen",                                                           // 179
          "Planen tilpasses repetisjonene dine...",                                               // 180
          "Det er ennå for få repetisjoner til å tilpasse planen (%1). Planen blir som den er.",  // 181
          "Planen er tilpasset %1 repetisjoner. På %2 repetisjoner som ble holdt utenfor tilpasningen, er log loss "
          "(lavere er bedre) %3 med planen som er brukt til nå, og %4 med den tilpassede.",  // 182
          "Med så få repetisjoner ble det bare tilpasset hvor lenge et kort huskes etter den første vurderingen; "
          "resten tilpasses når det er flere.",                                       // 183
          "Planlegge kortene med de tilpassede parameterne fra nå av?",               // 184
          "Planen tilpasset repetisjonene dine den %1",                               // 185
          "Standardplan",                                                             // 186
          "%1 nye repetisjoner siden planen ble tilpasset: tilpass den igjen.",       // 187
          "Fremgang",                                                                 // 188
          "Repetisjoner per dag, de siste 30 dagene",                                 // 189
          "Kort til repetisjon per dag, de neste 30 dagene",                          // 190
          "Husket en dag eller mer etter forrige repetisjon: %1 av %2 (%3), mål %4",  // 191
          "Ingen repetisjoner ennå.",                                                 // 192
          "Mål",                                                                      // 193
          "Anki-kortstokker (*.apkg)",                                                // 194
          "Importer ordliste",                                                        // 195
          "Ordlister (*.csv *.tsv *.txt *.apkg)",                                     // 196
          "Kolonne med ordene:",                                                      // 197
          "Kolonne med oversettelsene:",                                              // 198
          "Første rad inneholder navnene på kolonnene",                               // 199
          "Koding:",                                                                  // 200
          "Til øvingslisten:",                                                        // 201
          "Ordene legges til i ordboken...",                                          // 202
          "Kolonne %1",                                                               // 203
          "Lagt til i ordboken: %1\nAllerede i ordboken: %2\n"
          "For lange (et ord har høyst 30 tegn, en oversettelse høyst 50): %3\n"
          "Med tegn som språkets tegnsett mangler: %4\n"
          "Utelatt (uten ord, uten oversettelse eller med komma i ordet): %5\n\n"
          "Øvingsliste \"%6\": %7 ord.",                                                       // 204
          "Ordlisten kan ikke importeres:",                                                    // 205
          "Filen inneholder ingen tekst: den ser ut som bytene i et program eller et bilde.",  // 206
          "Linje %1: et anførselstegn åpner et felt som aldri slutter.",                       // 207
          "Filen kan ikke leses.",                                                             // 208
          "Filen er for stor til å være en ordliste.",                                         // 209
          "Filen er ikke en Anki-pakke: den er ikke et zip-arkiv.",                            // 210
          "Pakken inneholder ingen Anki-samling.",                                             // 211
          "Samlingen i pakken ville bli langt større enn noen ordliste når den pakkes ut, så den blir liggende "
          "pakket.",                                                  // 212
          "Pakken er skadet.",                                        // 213
          "Filen har ingen rad med både et ord og en oversettelse.",  // 214
          "Slått sammen med det en annen datamaskin endret:\n%1 repetisjoner, %2 nye oppslag, %3 rettelser, %4 "
          "oppføringer i øvelseslister; av %5 andre filer ble den nyeste beholdt.",                   // 215
          "Disse filene kunne ikke slås sammen. De blir liggende ved siden av filene de hører til:",  // 216
      },
      {
          // ZEMBO
          {{"&Fil",
            {"Alltid øverst", "Les opp ord uten innspilling", "Repeter øvingslisten", "&Søk etter ord i tekstfil",
             "&Importer ordbok...", "Importer &ordliste...", "&Avslutt\tCtrl+X"}},
           {"&Hjelp", {"&Hjelp for Ordbok\tF1", "&Om..."}}},
          // ZOEKEN
          {{"Te&gnsett", {"&På", "&Av"}},
           {"Automatisk søk fra utklippstavlen", {"På", "Av"}},
           {"&Artikkel", {"Vis", "Skjul"}},
           {"&Søk", {"Søk i &oppslag...\tCtrl+F"}}},
          // TEKENSET
          {{"Te&gnsett", {"&På", "&Av"}}},
          // LIST
          {{"&Fil",
            {"Lag ny liste", "Slett gjeldende liste", "Eksporter liste...", "Eksporter som Anki-kortstokk..."}}},
          // READFILE
          {{"&Fil", {"&Åpne tekstfil", "&Lim inn tekst fra utklippstavlen"}}, {"&Artikkel", {"Vis", "Skjul"}}},
      },
      {
          // ABOUTBOX
          {"Ordbok",
           {
               "zembo Ordbok, versjon 1.0",
               "Tospråklig ordbok for deg som lærer språk",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Lag ny liste",
           {
               "Navn på listen : ",
               "OK",
               "Avbryt",
           }},
          // IMPORTDIALOG
          {"Importer ordbok",
           {
               "Ordbøker på denne datamaskinen:",
               "&Annen fil...",
               "&Importer",
               "Avbryt",
           }},
      },
      {'T', 'O', 'S', 'L', 'X'},
  };
  return edition;
}

}  // namespace zembo
