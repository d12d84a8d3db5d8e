// The Danish edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& danishEdition() {
  static const EditionSource edition{
      {
          "Ordbog",              // 0
          "language\\",          // 1
          "list\\",              // 2
          "list\\temp.ls",       // 3
          "language\\tempfile",  // 4
          "icons\\",             // 5
          "zemboicon",           // 6
          "Færdig",              // 7
          "Annuller",            // 8
          "OK",                  // 9
          "tekenset",            // 10
          "Altid øverst",        // 11
          "danish",              // 12
          "0",                   // 13
          "LOCALE kunne ikke indstilles\nSorteringen er måske ikke korrekt.\n\nInstaller "
          "understøttelse af flere sprog for dette sprog fra din Windows-cd-rom.   ",   // 14
          "DanishAviDelay",                                                             // 15
          "Øv ord",                                                                     // 16
          "Langsomt",                                                                   // 17
          "Hurtigt",                                                                    // 18
          "205",                                                                        // 19
          "Du er nået til slutningen af listen. ",                                      // 20
          "Øvelseslisten",                                                              // 21
          "er tom.      \n\nVil du oprette en ny øvelsesliste?",                        // 22
          "Afslut",                                                                     // 23
          "Opret øvelsesliste",                                                         // 24
          "Tilføj alle",                                                                // 25
          "Fjern alle",                                                                 // 26
          "Tilføj tilfældige",                                                          // 27
          "Søg",                                                                        // 28
          "Tilføj ord til listen",                                                      // 29
          "Klik på et ord for at tilføje det til listen",                               // 30
          "Klik på et ord for at fjerne det fra listen",                                // 31
          "Øvelsesliste",                                                               // 32
          "SLETTET",                                                                    // 33
          "Opdater listen",                                                             // 34
          "Listen opdateres\nVent et øjeblik",                                          // 35
          "Tilføj tilfældige ord",                                                      // 36
          "Slet den gamle liste",                                                       // 37
          "Antal ord (maks. ",                                                          // 38
          "Udskriv",                                                                    // 39
          "Ordlisten sendes til printeren",                                             // 40
          "Ord",                                                                        // 41
          "Opret ny liste",                                                             // 42
          "Listens navn : ",                                                            // 43
          "Slet den aktuelle liste",                                                    // 44
          "Slet liste",                                                                 // 45
          "Lister",                                                                     // 46
          "Tegnene / \\ < > | . : ? * har en særlig betydning og er ikke tilladt.   ",  // 47
          "Vil du virkelig slette listen",                                              // 48
          "?",                                                                          // 49
          "Du skal beholde mindst én liste.   ",                                        // 50
          "Kan ikke slette mappen",                                                     // 51
          "Dansk",                                                                      // 52
          "dict.ini",                                                                   // 53
          "on",                                                                         // 54
          "off",                                                                        // 55
          "[language]",                                                                 // 56
          "[selected]",                                                                 // 57
          "10",                                                                         // 58
          "[AddNew]",                                                                   // 59
          "8",                                                                          // 60
          "Skriver",                                                                    // 61
          "Læser",                                                                      // 62
          "Sorterer",                                                                   // 63
          "Tilføj ord",                                                                 // 64
          "BEKRÆFT HVER INDTASTNING MED ENTER",                                         // 65
          "Komma er ikke tilladt i dette felt",                                         // 66
          "tilføje ord",                                                                // 67
          "Nye opslag",                                                                 // 68
          "Læsefejl",                                                                   // 69
          "Sorter",                                                                     // 70
          "Ordene sorteres\nVent et øjeblik",                                           // 71
          "Sorteringen mislykkedes  ",                                                  // 72
          "Fejl",                                                                       // 73
          "Ordbog",                                                                     // 74
          "INI-filen blev ikke fundet, programmet afbrydes.\n\nRapporter denne meddelelse til "
          ":\nsupport@zembo.example\nhttp://www.zembo.example",        // 75
          "Sp&rog",                                                    // 76
          "Tilføj ord",                                                // 77
          "Start øvelse",                                              // 78
          "Søg",                                                       // 79
          "Opret øvelsesliste",                                        // 80
          "http://www.zembo.example",                                  // 81
          "support@zembo.example",                                     // 82
          "ordbog.hlp",                                                // 83
          "Søg efter ord",                                             // 84
          "Slet opslag",                                               // 85
          "Gendan opslag",                                             // 86
          "Automatisk søgning fra udklipsholderen",                    // 87
          "Kopier",                                                    // 88
          "Indsæt",                                                    // 89
          "Afspil",                                                    // 90
          "Søg efter ord i tekstfil",                                  // 91
          "Hjælp",                                                     // 92
          "Søg efter ord i tekstfil",                                  // 93
          "Tegnsæt",                                                   // 94
          "Repeter øvelseslisten",                                     // 95
          "Skriv oversættelsen og tryk Enter (kun Enter viser den)",   // 96
          "Igen",                                                      // 97
          "Svær",                                                      // 98
          "God",                                                       // 99
          "Let",                                                       // 100
          "Dit svar:",                                                 // 101
          "Intet mere at repetere nu.",                                // 102
          "Næste kort:",                                               // 103
          "Kortfilen til repetition var beskadiget; den er gemt som",  // 104
          "Repetitionen begynder forfra.",                             // 105
          "Kort tilbage:",                                             // 106
          "Eksporter liste",                                           // 107
          "Kunne ikke skrive filen",                                   // 108
          "opslagsord",                                                // 109
          "findes allerede i ordbogen.\n\n"
          "Erstat dens ord med den nye ordbogs? Ord, du selv har tilføjet, bevares.",  // 110
          "Ordbogen importeres\nEt øjeblik",                                           // 111
          "dictd-ordbøger (*.index)",                                                  // 112
          "Importér ordbog",                                                           // 113
          "%1: filen findes ikke.",                                                    // 114
          "%1 kan ikke åbnes.",                                                        // 115
          "%1 kan ikke læses.",                                                        // 116
          "%1 er beskadiget eller ufuldstændig og kan ikke importeres.",               // 117
          "%1: beskadigede komprimerede data i blok %2.",                              // 118
          "%1 er beskadiget: kontrolsummen passer ikke til teksten.",                  // 119
          "%1, linje %2: beskadiget indekslinje.",                                     // 120
          "%1: indekslinje %2 angiver en artikel, der slutter ved byte %3, ud over de %4 byte, filen kan rumme.",  // 121
          "%1 indeholder langt mere end sine artikler: udpakket fylder den mere end de %2 byte, dens indeks "
          "angiver.",                                            // 122
          "%1: artiklen i indekslinje %2 er ikke UTF-8-tekst.",  // 123
          "%1 kan ikke læses: ikke nok hukommelse.",             // 124
          "%1 oversætter til: %2, men denne ordbogs sprog er: %3. Kun ordbøger til dette sprog kan importeres: "
          "vælg en fra listen.",                                                              // 125
          "Importprogrammet kender ikke sproget i %1 og kan ikke importere den.",             // 126
          "%1 er ikke en komplet ordbogsmappe.",                                              // 127
          "Sorteringsrækkefølgen %1 findes ikke på dette system.",                            // 128
          "Mappen %1 kan ikke oprettes: %2.",                                                 // 129
          "%1 kan ikke skrives: %2.",                                                         // 130
          "%1 kan ikke omdøbes til %2: %3. Næste import eller næste start fuldfører det.",    // 131
          "En tidligere import kan ikke fuldføres (%1): %2.",                                 // 132
          "%1 kan ikke slettes.",                                                             // 133
          "disken er fuld",                                                                   // 134
          "ingen tilladelse",                                                                 // 135
          "Ordbogen kan ikke importeres.",                                                    // 136
          "%1: %2 opslagsord, importeret på %3 sekunder",                                     // 137
          "poster skrevet: %1 fra %2 til %3, %4 fra %3 til %2",                               // 138
          "udeladt:",                                                                         // 139
          "%1 opslagsord længere end 30 byte (f.eks. \"%2\")",                                // 140
          "%1 opslagsord med tegn, som tegnsættet ikke har (f.eks. \"%2\")",                  // 141
          "%1 opslagsord uden oversættelse i deres artikel (f.eks. \"%2\")",                  // 142
          "%1 opslagsord uden en oversættelse, der passer i en post (f.eks. \"%2\")",         // 143
          "%1 oversættelser med tegn, som tegnsættet ikke har",                               // 144
          "%1 oversættelser længere end et helt felt",                                        // 145
          "%1 ord, du selv har tilføjet, blev bevaret",                                       // 146
          "Importér denne ordbog?",                                                           // 147
          "Importér",                                                                         // 148
          "snart",                                                                            // 149
          "Vist før tiden; skulle komme kl.",                                                 // 150
          "Nogle linjer i kortfilen til repetition kunne ikke læses; de er lagt til side i",  // 151
          "De andre kort bevares, og repetitionen fortsætter.",                               // 152
          "Kortfilen til repetition er for stor til at blive læst; den er gemt som",          // 153
          "Denne fil ved siden af listen er ikke en almindelig fil (et link, en pipe eller en enhed) og bliver, "
          "som den er:",                                              // 154
          "Denne repetition gemmes ikke.",                            // 155
          "Vurderingerne skrives ikke i repetitionsloggen.",          // 156
          "Tekstfiler (*.txt)",                                       // 157
          "Alle filer (*)",                                           // 158
          "Ordet findes ikke i ordbogen; de nærmeste opslag vises.",  // 159
          "Loggen for en afbrudt import blev ikke udført: den nævner filer, som ingen import skriver, eller den er "
          "ikke en almindelig fil. Intet blev omdøbt. Slet den for at undgå denne meddelelse:",  // 160
          "substantiv|verbum|adjektiv|adverbium|pronomen|præposition|konjunktion|interjektion|talord|artikel|hankøn|"
          "hunkøn|intetkøn|flertal",                                                                              // 161
          "Synonymer",                                                                                            // 162
          "Se også",                                                                                              // 163
          "Bemærkning",                                                                                           // 164
          "Ingen artikel for dette ord.",                                                                         // 165
          "Søg i opslag",                                                                                         // 166
          "Ord fra en oversættelse, en bemærkning eller et eksempel:",                                            // 167
          "Intet opslag indeholder disse ord.",                                                                   // 168
          "Opslag, der indeholder alle ordene: %1",                                                               // 169
          "Intet opslag indeholder alle ordene; disse indeholder nogle af dem.",                                  // 170
          "Opslagene indekseres til \"Søg i opslag\". Det sker én gang og igen, når ordbogen er blevet ændret.",  // 171
          "Opslagene kan ikke indekseres:",                                                                       // 172
          "Ord|Oversættelse|Ordbog",                                                                              // 173
          "Læs ordet op (F5 læser det igen)",                                                                     // 174
          "Lytteøvelse: hør ordet, skriv det",                                                                    // 175
          "Skriv det ord, du hører, og tryk Enter (F5 afspiller det igen).",                                      // 176
          "Begge veje",                                                                                           // 177
          "Tilpas planen til mine repetitioner",                                                                  // 178
          "Tilbage til standardplanen",                                                                           // 179
          "Planen tilpasses dine repetitioner...",                                                                // 180
          "Der er endnu for få repetitioner til at tilpasse planen (%1). Planen forbliver, som den er.",          // 181
          "Planen tilpasset til %1 repetitioner. På %2 repetitioner, der blev holdt uden for tilpasningen, er log loss "
          "(lavere er bedre) %3 med den hidtidige plan og %4 med den tilpassede.",  // 182
          "Med så få repetitioner blev der kun tilpasset, hvor længe et kort huskes efter sin første vurdering; resten "
          "tilpasses, når der er flere.",                                                  // 183
          "Planlæg kortene med de tilpassede parametre fra nu af?",                        // 184
          "Planen tilpasset dine repetitioner den %1",                                     // 185
          "Standardplan",                                                                  // 186
          "%1 nye repetitioner, siden planen blev tilpasset: tilpas den igen.",            // 187
          "Fremskridt",                                                                    // 188
          "Repetitioner pr. dag, de sidste 30 dage",                                       // 189
          "Kort til repetition pr. dag, de næste 30 dage",                                 // 190
          "Husket en dag eller mere efter den forrige repetition: %1 af %2 (%3), mål %4",  // 191
          "Ingen repetitioner endnu.",                                                     // 192
          "Mål",                                                                           // 193
          "Anki-bunker (*.apkg)",                                                          // 194
          "Importér ordliste",                                                             // 195
          "Ordlister (*.csv *.tsv *.txt *.apkg)",                                          // 196
          "Kolonne med ordene:",                                                           // 197
          "Kolonne med oversættelserne:",                                                  // 198
          "Første række navngiver kolonnerne",                                             // 199
          "Kodning:",                                                                      // 200
          "Til øvelseslisten:",                                                            // 201
          "Ordene føjes til ordbogen...",                                                  // 202
          "Kolonne %1",                                                                    // 203
          "Føjet til ordbogen: %1\nAllerede i ordbogen: %2\n"
          "For lange (et ord har højst 30 tegn, en oversættelse højst 50): %3\n"
          "Med tegn, som sprogets tegnsæt ikke har: %4\n"
          "Udeladt (intet ord, ingen oversættelse eller et komma i ordet): %5\n\n"
          "Øvelsesliste \"%6\": %7 ord.",                                                                  // 204
          "Ordlisten kan ikke importeres:",                                                                // 205
          "Filen indeholder ingen tekst: den ligner bytes fra et program eller et billede.",               // 206
          "Linje %1: et anførselstegn åbner et felt, der aldrig slutter.",                                 // 207
          "Filen kan ikke læses.",                                                                         // 208
          "Filen er for stor til en ordliste.",                                                            // 209
          "Filen er ikke en Anki-pakke: den er ikke et zip-arkiv.",                                        // 210
          "Pakken indeholder ingen Anki-samling.",                                                         // 211
          "Pakkens samling ville fylde langt mere udpakket end nogen ordliste, så den forbliver pakket.",  // 212
          "Pakken er beskadiget.",                                                                         // 213
          "Filen har ingen række med både et ord og en oversættelse.",                                     // 214
          "Flettet med det, en anden computer ændrede:\n%1 repetitioner, %2 nye opslag, %3 rettelser, %4 poster i "
          "øvelseslister; af %5 andre filer blev den nyeste beholdt.",                                // 215
          "Disse filer kunne ikke flettes. De bliver liggende ved siden af de filer, de hører til:",  // 216
      },
      {
          // ZEMBO
          {{"&Filer",
            {"Altid øverst", "Læs ord op uden optagelse", "Repeter øvelseslisten", "&Søg efter ord i tekstfil",
             "&Importér ordbog...", "Importér &ordliste...", "A&fslut\tCtrl+A"}},
           {"&Hjælp", {"&Hjælp til Ordbog\tF1", "&Om..."}}},
          // ZOEKEN
          {{"Te&gnsæt", {"&Til", "&Fra"}},
           {"Automatisk søgning fra udklipsholderen", {"Til", "Fra"}},
           {"&Artikel", {"Vis", "Skjul"}},
           {"&Søg", {"Søg i &opslag...\tCtrl+F"}}},
          // TEKENSET
          {{"Te&gnsæt", {"&Til", "&Fra"}}},
          // LIST
          {{"&Filer",
            {"Opret ny liste", "Slet den aktuelle liste", "Eksporter liste...", "Eksporter som Anki-bunke..."}}},
          // READFILE
          {{"&Filer", {"&Åbn tekstfil", "&Indsæt tekst fra udklipsholderen"}}, {"&Artikel", {"Vis", "Skjul"}}},
      },
      {
          // ABOUTBOX
          {"Ordbog",
           {
               "zembo Ordbog, version 1.0",
               "Tosproget ordbog til dig, der lærer sprog",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Opret ny liste",
           {
               "Listens navn : ",
               "OK",
               "Annuller",
           }},
          // IMPORTDIALOG
          {"Importér ordbog",
           {
               "Ordbøger på denne computer:",
               "&Anden fil...",
               "&Importér",
               "Annuller",
           }},
      },
      {'T', 'A', 'S', 'L', 'A'},
  };
  return edition;
}

}  // namespace zembo
