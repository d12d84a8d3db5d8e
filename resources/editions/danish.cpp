// The Danish edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& danishEdition() {
  static const EditionSource edition{
      {
          "Ordbog",  // 0
          "language\\",  // 1
          "list\\",  // 2
          "list\\temp.ls",  // 3
          "language\\tempfile",  // 4
          "icons\\",  // 5
          "zemboicon",  // 6
          "Færdig",  // 7
          "Annuller",  // 8
          "OK",  // 9
          "tekenset",  // 10
          "Altid øverst",  // 11
          "danish",  // 12
          "0",  // 13
          "LOCALE kunne ikke indstilles\nSorteringen er måske ikke korrekt.\n\nInstaller "
          "understøttelse af flere sprog for dette sprog fra din Windows-cd-rom.   ",  // 14
          "DanishAviDelay",  // 15
          "Øv ord",  // 16
          "Langsomt",  // 17
          "Hurtigt",  // 18
          "205",  // 19
          "Du er nået til slutningen af listen. ",  // 20
          "Øvelseslisten",  // 21
          "er tom.      \n\nVil du oprette en ny øvelsesliste?",  // 22
          "Afslut",  // 23
          "Opret øvelsesliste",  // 24
          "Tilføj alle",  // 25
          "Fjern alle",  // 26
          "Tilføj tilfældige",  // 27
          "Søg",  // 28
          "Tilføj ord til listen",  // 29
          "Klik på et ord for at tilføje det til listen",  // 30
          "Klik på et ord for at fjerne det fra listen",  // 31
          "Øvelsesliste",  // 32
          "SLETTET",  // 33
          "Opdater listen",  // 34
          "Listen opdateres\nVent et øjeblik",  // 35
          "Tilføj tilfældige ord",  // 36
          "Slet den gamle liste",  // 37
          "Antal ord (maks. ",  // 38
          "Udskriv",  // 39
          "Ordlisten sendes til printeren",  // 40
          "Ord",  // 41
          "Opret ny liste",  // 42
          "Listens navn : ",  // 43
          "Slet den aktuelle liste",  // 44
          "Slet liste",  // 45
          "Lister",  // 46
          "Tegnene / \\ < > | . : ? * har en særlig betydning og er ikke tilladt.   ",  // 47
          "Vil du virkelig slette listen",  // 48
          "?",  // 49
          "Du skal beholde mindst én liste.   ",  // 50
          "Kan ikke slette mappen",  // 51
          "Dansk",  // 52
          "dict.ini",  // 53
          "on",  // 54
          "off",  // 55
          "[language]",  // 56
          "[selected]",  // 57
          "10",  // 58
          "[AddNew]",  // 59
          "8",  // 60
          "Skriver",  // 61
          "Læser",  // 62
          "Sorterer",  // 63
          "Tilføj ord",  // 64
          "BEKRÆFT HVER INDTASTNING MED ENTER",  // 65
          "Komma er ikke tilladt i dette felt",  // 66
          "tilføje ord",  // 67
          "Nye opslag",  // 68
          "Læsefejl",  // 69
          "Sorter",  // 70
          "Ordene sorteres\nVent et øjeblik",  // 71
          "Sorteringen mislykkedes  ",  // 72
          "Fejl",  // 73
          "Ordbog",  // 74
          "INI-filen blev ikke fundet, programmet afbrydes.\n\nRapporter denne meddelelse til "
          ":\nsupport@zembo.example\nhttp://www.zembo.example",  // 75
          "Sp&rog",  // 76
          "Tilføj ord",  // 77
          "Start øvelse",  // 78
          "Søg",  // 79
          "Opret øvelsesliste",  // 80
          "http://www.zembo.example",  // 81
          "support@zembo.example",  // 82
          "ordbog.hlp",  // 83
          "Søg efter ord",  // 84
          "Slet opslag",  // 85
          "Gendan opslag",  // 86
          "Automatisk søgning fra udklipsholderen",  // 87
          "Kopier",  // 88
          "Indsæt",  // 89
          "Afspil",  // 90
          "Søg efter ord i tekstfil",  // 91
          "Hjælp",  // 92
          "Søg efter ord i tekstfil",  // 93
          "Tegnsæt",  // 94
          "Repeter øvelseslisten",  // 95
          "Skriv oversættelsen og tryk Enter (kun Enter viser den)",  // 96
          "Igen",  // 97
          "Svær",  // 98
          "God",  // 99
          "Let",  // 100
          "Dit svar:",  // 101
          "Intet mere at repetere nu.",  // 102
          "Næste kort:",  // 103
          "Kortfilen til repetition var beskadiget; den er gemt som",  // 104
          "Repetitionen begynder forfra.",  // 105
          "Kort tilbage:",  // 106
          "Eksporter liste",  // 107
          "Kunne ikke skrive filen",  // 108
          "opslagsord",  // 109
          "findes allerede i ordbogen.\n\n"
          "Erstat dens ord med den nye ordbogs? Ord, du selv har tilføjet, bevares.",  // 110
          "Ordbogen importeres\nEt øjeblik",  // 111
          "dictd-ordbøger (*.index)",  // 112
          "Importér ordbog",  // 113
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
          "Loggen for en afbrudt import blev ikke udført: den nævner filer, som ingen import skriver, eller den er ikke en almindelig fil. Intet blev omdøbt. Slet den for at undgå denne meddelelse:",  // 175
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
          {{"&Filer", {"Altid øverst", "Læs ord op uden optagelse", "Repeter øvelseslisten", "&Søg efter ord i tekstfil", "&Importér ordbog...", "A&fslut\tCtrl+A"}},
            {"&Hjælp", {"&Hjælp til Ordbog\tF1", "&Om..."}}},
          // ZOEKEN
          {{"Te&gnsæt", {"&Til", "&Fra"}},
            {"Automatisk søgning fra udklipsholderen", {"Til", "Fra"}}},
          // TEKENSET
          {{"Te&gnsæt", {"&Til", "&Fra"}}},
          // LIST
          {{"&Filer", {"Opret ny liste", "Slet den aktuelle liste", "Eksporter liste..."}}},
          // READFILE
          {{"&Filer", {"&Åbn tekstfil", "&Indsæt tekst fra udklipsholderen"}}},
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
