// The Norwegian (bokmål) edition. Texts as the program shows them; "\\" is one backslash of a
// folder name, and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& norwegianEdition() {
  static const EditionSource edition{
      {
          "Ordbok",  // 0
          "language\\",  // 1
          "list\\",  // 2
          "list\\temp.ls",  // 3
          "language\\tempfile",  // 4
          "icons\\",  // 5
          "zemboicon",  // 6
          "Ferdig",  // 7
          "Avbryt",  // 8
          "OK",  // 9
          "tekenset",  // 10
          "Alltid øverst",  // 11
          "norwegian-bokmal",  // 12
          "0",  // 13
          "Kunne ikke stille inn LOCALE\nSorteringen kan bli feil.\n\nInstaller flerspråklig "
          "støtte for dette språket fra Windows-CD-en din.   ",  // 14
          "NorwegianAviDelay",  // 15
          "Øv på ord",  // 16
          "Sakte",  // 17
          "Raskt",  // 18
          "200",  // 19
          "Du har nådd slutten av listen. ",  // 20
          "Øvingslisten",  // 21
          "er tom.      \n\nVil du lage en ny øvingsliste?",  // 22
          "Avslutt",  // 23
          "Lag øvingsliste",  // 24
          "Legg til alle",  // 25
          "Fjern alle",  // 26
          "Legg til tilfeldige",  // 27
          "Søk",  // 28
          "Legg til ord i listen",  // 29
          "Klikk på et ord for å legge det til i listen",  // 30
          "Klikk på et ord for å fjerne det fra listen",  // 31
          "Øvingsliste",  // 32
          "SLETTET",  // 33
          "Oppdater listen",  // 34
          "Listen oppdateres\nVent litt",  // 35
          "Legg til tilfeldige ord",  // 36
          "Slett den gamle listen",  // 37
          "Antall ord (maks. ",  // 38
          "Skriv ut",  // 39
          "Ordlisten sendes til skriveren",  // 40
          "Ord",  // 41
          "Lag ny liste",  // 42
          "Navn på listen : ",  // 43
          "Slett gjeldende liste",  // 44
          "Slett liste",  // 45
          "Lister",  // 46
          "Tegnene / \\ < > | . : ? * har spesiell betydning og er ikke tillatt.   ",  // 47
          "Vil du virkelig slette listen",  // 48
          "?",  // 49
          "Du må beholde minst én liste.   ",  // 50
          "Kan ikke slette mappen",  // 51
          "Norsk",  // 52
          "dict.ini",  // 53
          "På",  // 54
          "Av",  // 55
          "[language]",  // 56
          "[selected]",  // 57
          "10",  // 58
          "[AddNew]",  // 59
          "8",  // 60
          "Skriver",  // 61
          "Leser",  // 62
          "Sorterer",  // 63
          "Legg til ord",  // 64
          "BEKREFT HVER OPPFØRING MED ENTER",  // 65
          "Komma er ikke tillatt i dette feltet",  // 66
          "legge til ord",  // 67
          "Nye oppføringer",  // 68
          "Lesefeil",  // 69
          "Sorter",  // 70
          "Ordene sorteres\nVent litt",  // 71
          "Sorteringen mislyktes  ",  // 72
          "Feil",  // 73
          "Ordbok",  // 74
          "Finner ikke INI-filen, programmet avbrytes.\n\nRapporter denne meldingen til :\n"
          "support@zembo.example\nhttp://www.zembo.example",  // 75
          "Sp&råk",  // 76
          "Legg til ord",  // 77
          "Start øving",  // 78
          "Søk",  // 79
          "Lag øvingsliste",  // 80
          "http://www.zembo.example",  // 81
          "support@zembo.example",  // 82
          "ordbok_no.hlp",  // 83
          "Søk etter ord",  // 84
          "Slett oppføring",  // 85
          "Gjenopprett oppføring",  // 86
          "Automatisk søk fra utklippstavlen",  // 87
          "Kopier",  // 88
          "Lim inn",  // 89
          "Spill av",  // 90
          "Søk etter ord i tekstfil",  // 91
          "Hjelp",  // 92
          "Søk etter ord i tekstfil",  // 93
          "Tegnsett",  // 94
          "Repeter øvingslisten",  // 95
          "Skriv oversettelsen og trykk Enter (bare Enter viser den)",  // 96
          "Igjen",  // 97
          "Vanskelig",  // 98
          "Bra",  // 99
          "Lett",  // 100
          "Ditt svar:",  // 101
          "Ikke mer å repetere nå.",  // 102
          "Neste kort:",  // 103
          "Kortfilen for repetisjon var skadet; den er tatt vare på som",  // 104
          "Repetisjonen begynner på nytt.",  // 105
          "Kort igjen:",  // 106
          "Eksporter liste",  // 107
          "Kunne ikke skrive filen",  // 108
          "oppslagsord",  // 109
          "finnes allerede i ordboken.\n\n"
          "Erstatte ordene med den nye ordbokens? Ord du selv har lagt til, beholdes.",  // 110
          "Ordboken importeres\nEtt øyeblikk",  // 111
          "dictd-ordbøker (*.index)",  // 112
          "Importer ordbok",  // 113
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
          "Loggen for en avbrutt import ble ikke utført: den nevner filer som ingen import skriver, eller den er ikke en vanlig fil. Ingenting ble omdøpt. Slett den for å unngå denne meldingen:",  // 175
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
          {{"&Fil", {"Alltid øverst", "Les opp ord uten innspilling", "Repeter øvingslisten", "&Søk etter ord i tekstfil", "&Importer ordbok...", "&Avslutt\tCtrl+X"}},
            {"&Hjelp", {"&Hjelp for Ordbok\tF1", "&Om..."}}},
          // ZOEKEN
          {{"Te&gnsett", {"&På", "&Av"}},
            {"Automatisk søk fra utklippstavlen", {"På", "Av"}}},
          // TEKENSET
          {{"Te&gnsett", {"&På", "&Av"}}},
          // LIST
          {{"&Fil", {"Lag ny liste", "Slett gjeldende liste", "Eksporter liste..."}}},
          // READFILE
          {{"&Fil", {"&Åpne tekstfil", "&Lim inn tekst fra utklippstavlen"}}},
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
