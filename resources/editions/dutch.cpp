// The Dutch edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& dutchEdition() {
  static const EditionSource edition{
      {
          "Woordenboek",          // 0
          "taal\\",               // 1
          "lijst\\",              // 2
          "lijst\\temp.ls",       // 3
          "taal\\tempfile",       // 4
          "icons\\",              // 5
          "zemboicon",            // 6
          "Klaar",                // 7
          "Annuleren",            // 8
          "OK",                   // 9
          "tekenset",             // 10
          "Altijd op voorgrond",  // 11
          "dutch",                // 12
          "0",                    // 13
          "Fout bij het instellen van LOCALE\nDe sortering is mogelijk niet juist.\n\n"
          "Installeer voor deze taal de meertalige ondersteuning vanaf uw Windows-cd-rom.   ",       // 14
          "DutchAviDelay",                                                                           // 15
          "Woorden oefenen",                                                                         // 16
          "Langzaam",                                                                                // 17
          "Snel",                                                                                    // 18
          "207",                                                                                     // 19
          "U bent aan het einde van de lijst. ",                                                     // 20
          "De oefenlijst",                                                                           // 21
          "is leeg.      \n\nEen nieuwe oefenlijst maken?",                                          // 22
          "Stoppen",                                                                                 // 23
          "Oefenlijst maken",                                                                        // 24
          "Alles toevoegen",                                                                         // 25
          "Alles verwijderen",                                                                       // 26
          "Willekeurig toevoegen",                                                                   // 27
          "Zoeken",                                                                                  // 28
          "Woorden aan de lijst toevoegen",                                                          // 29
          "Klik op een woord om het aan de lijst toe te voegen",                                     // 30
          "Klik op een woord om het uit de lijst te verwijderen",                                    // 31
          "Oefenlijst",                                                                              // 32
          "VERWIJDERD",                                                                              // 33
          "Lijst bijwerken",                                                                         // 34
          "De lijst wordt bijgewerkt\nEen ogenblik geduld",                                          // 35
          "Willekeurige woorden toevoegen",                                                          // 36
          "Oude lijst verwijderen",                                                                  // 37
          "Aantal woorden (max. ",                                                                   // 38
          "Afdrukken",                                                                               // 39
          "De woordenlijst wordt naar de printer gestuurd",                                          // 40
          "Woord",                                                                                   // 41
          "Nieuwe lijst maken",                                                                      // 42
          "Naam van de lijst : ",                                                                    // 43
          "Huidige lijst verwijderen",                                                               // 44
          "Lijst verwijderen",                                                                       // 45
          "Lijsten",                                                                                 // 46
          "De tekens / \\ < > | . : ? * hebben een speciale betekenis en zijn niet toegestaan.   ",  // 47
          "Wilt u de lijst",                                                                         // 48
          " echt verwijderen?",                                                                      // 49
          "U moet minstens één lijst bewaren.   ",                                                   // 50
          "Kan map niet verwijderen:",                                                               // 51
          "Nederlands",                                                                              // 52
          "zembo.ini",                                                                               // 53
          "on",                                                                                      // 54
          "off",                                                                                     // 55
          "[taal]",                                                                                  // 56
          "[selected]",                                                                              // 57
          "10",                                                                                      // 58
          "[toevoegen]",                                                                             // 59
          "11",                                                                                      // 60
          "Schrijven",                                                                               // 61
          "Lezen",                                                                                   // 62
          "Sorteren",                                                                                // 63
          "Woorden toevoegen",                                                                       // 64
          "BEVESTIG ELKE INVOER MET ENTER",                                                          // 65
          "Geen komma toegestaan in dit veld",                                                       // 66
          "woorden toevoegen",                                                                       // 67
          "Nieuwe invoer",                                                                           // 68
          "Leesfout",                                                                                // 69
          "Sorteren",                                                                                // 70
          "De woorden worden gesorteerd\nEen ogenblik geduld",                                       // 71
          "Sorteren mislukt  ",                                                                      // 72
          "Fout",                                                                                    // 73
          "Woordenboek",                                                                             // 74
          "INI-bestand niet gevonden, programma afgebroken.\n\nMeld dit bericht aan :\n"
          "support@zembo.example\nhttp://www.zembo.example",              // 75
          "Tal&en",                                                       // 76
          "Woorden toevoegen",                                            // 77
          "Oefenen starten",                                              // 78
          "Zoeken",                                                       // 79
          "Oefenlijst maken",                                             // 80
          "http://www.zembo.example",                                     // 81
          "support@zembo.example",                                        // 82
          "woordenboek.hlp",                                              // 83
          "Woorden zoeken",                                               // 84
          "Woord verwijderen",                                            // 85
          "Woord herstellen",                                             // 86
          "Automatisch zoeken vanaf klembord",                            // 87
          "Kopiëren",                                                     // 88
          "Plakken",                                                      // 89
          "Afspelen",                                                     // 90
          "Woorden zoeken in tekstbestand",                               // 91
          "Help",                                                         // 92
          "Woorden zoeken in tekstbestand",                               // 93
          "Tekenset",                                                     // 94
          "Oefenlijst herhalen",                                          // 95
          "Typ de vertaling en druk op Enter (alleen Enter toont haar)",  // 96
          "Opnieuw",                                                      // 97
          "Moeilijk",                                                     // 98
          "Goed",                                                         // 99
          "Makkelijk",                                                    // 100
          "Uw antwoord:",                                                 // 101
          "Nu niets meer te herhalen.",                                   // 102
          "Volgende kaart:",                                              // 103
          "Het kaartenbestand was beschadigd; het is bewaard als",        // 104
          "Het herhalen begint opnieuw.",                                 // 105
          "Nog te doen:",                                                 // 106
          "Lijst exporteren",                                             // 107
          "Kan het bestand niet schrijven",                               // 108
          "trefwoorden",                                                  // 109
          "staat al in het woordenboek.\n\n"
          "De woorden vervangen door die van het nieuwe woordenboek? Woorden die u zelf hebt toegevoegd, blijven "
          "behouden.",                                                        // 110
          "Het woordenboek wordt geïmporteerd\nEen ogenblik geduld",          // 111
          "dictd-woordenboeken (*.index)",                                    // 112
          "Woordenboek importeren",                                           // 113
          "%1: bestand niet gevonden.",                                       // 114
          "%1 kan niet worden geopend.",                                      // 115
          "%1 kan niet worden gelezen.",                                      // 116
          "%1 is beschadigd of onvolledig en kan niet worden geïmporteerd.",  // 117
          "%1: beschadigde gecomprimeerde gegevens in blok %2.",              // 118
          "%1 is beschadigd: de controlesom klopt niet met de tekst.",        // 119
          "%1, regel %2: beschadigde indexregel.",                            // 120
          "%1: indexregel %2 noemt een artikel dat eindigt bij byte %3, voorbij de %4 bytes die dit bestand kan "
          "bevatten.",                                                                                           // 121
          "%1 bevat veel meer dan zijn artikelen: uitgepakt is het meer dan de %2 bytes die zijn index noemt.",  // 122
          "%1: het artikel van indexregel %2 is geen UTF-8-tekst.",                                              // 123
          "%1 kan niet worden gelezen: onvoldoende geheugen.",                                                   // 124
          "%1 vertaalt naar: %2, maar de taal van dit woordenboek is: %3. Alleen woordenboeken naar deze taal kunnen "
          "worden geïmporteerd: kies er een uit de lijst.",                                                  // 125
          "Het importprogramma kent de taal van %1 niet en kan het niet importeren.",                        // 126
          "%1 is geen volledige woordenboekmap.",                                                            // 127
          "De sorteervolgorde %1 is op dit systeem niet beschikbaar.",                                       // 128
          "De map %1 kan niet worden gemaakt: %2.",                                                          // 129
          "%1 kan niet worden geschreven: %2.",                                                              // 130
          "%1 kan niet worden hernoemd naar %2: %3. De volgende import of de volgende start maakt het af.",  // 131
          "Een eerdere import kan niet worden afgemaakt (%1): %2.",                                          // 132
          "%1 kan niet worden verwijderd.",                                                                  // 133
          "de schijf is vol",                                                                                // 134
          "geen toestemming",                                                                                // 135
          "Het woordenboek kan niet worden geïmporteerd.",                                                   // 136
          "%1: %2 trefwoorden, geïmporteerd in %3 seconden",                                                 // 137
          "records geschreven: %1 van %2 naar %3, %4 van %3 naar %2",                                        // 138
          "weggelaten:",                                                                                     // 139
          "%1 trefwoorden langer dan 30 bytes (zoals \"%2\")",                                               // 140
          "%1 trefwoorden met tekens die de tekenset niet heeft (zoals \"%2\")",                             // 141
          "%1 trefwoorden zonder vertaling in hun artikel (zoals \"%2\")",                                   // 142
          "%1 trefwoorden zonder vertaling die in een record past (zoals \"%2\")",                           // 143
          "%1 vertalingen met tekens die de tekenset niet heeft",                                            // 144
          "%1 vertalingen langer dan een heel veld",                                                         // 145
          "%1 door u toegevoegde woorden zijn behouden",                                                     // 146
          "Dit woordenboek importeren?",                                                                     // 147
          "Importeren",                                                                                      // 148
          "straks",                                                                                          // 149
          "Vroeger getoond; aan de beurt om",                                                                // 150
          "Sommige regels van het kaartenbestand waren onleesbaar; ze zijn apart gezet in",                  // 151
          "De andere kaarten blijven bewaard en het herhalen gaat door.",                                    // 152
          "Het kaartenbestand is te groot om te lezen; het is bewaard als",                                  // 153
          "Dit bestand naast de lijst is geen gewoon bestand (een koppeling, een pipe of een apparaat) en blijft zoals "
          "het is:",                                                                   // 154
          "Deze herhaling wordt niet bewaard.",                                        // 155
          "De beoordelingen worden niet in het logboek van het herhalen geschreven.",  // 156
          "Tekstbestanden (*.txt)",                                                    // 157
          "Alle bestanden (*)",                                                        // 158
          "Geen vermelding voor dit woord; hier de dichtstbijzijnde.",                 // 159
          "Het logboek van een onderbroken import is niet uitgevoerd: het noemt bestanden die geen import schrijft, of "
          "het is geen gewoon bestand. Er is niets hernoemd. Verwijder het om deze melding niet meer te zien:",  // 160
          "zelfstandig naamwoord|werkwoord|bijvoeglijk "
          "naamwoord|bijwoord|voornaamwoord|voorzetsel|voegwoord|tussenwerpsel|telwoord|lidwoord|mannelijk|vrouwelijk|"
          "onzijdig|meervoud",                                            // 161
          "Synoniemen",                                                   // 162
          "Zie ook",                                                      // 163
          "Opmerking",                                                    // 164
          "Geen artikel voor dit woord.",                                 // 165
          "Zoeken in lemma's",                                            // 166
          "Woorden uit een vertaling, een opmerking of een voorbeeld:",   // 167
          "Geen lemma bevat deze woorden.",                               // 168
          "Lemma's die alle woorden bevatten: %1",                        // 169
          "Geen lemma bevat alle woorden; deze bevatten er enkele van.",  // 170
          "De lemma's worden geïndexeerd voor \"Zoeken in lemma's\". Dat gebeurt één keer, en opnieuw nadat het "
          "woordenboek is gewijzigd.",                                               // 171
          "De lemma's kunnen niet worden geïndexeerd:",                              // 172
          "Woord|Vertaling|Woordenboek",                                             // 173
          "Woord uitspreken (F5 herhaalt het)",                                      // 174
          "Luisteren: woord horen en typen",                                         // 175
          "Typ het woord dat u hoort en druk op Enter (F5 speelt het opnieuw af).",  // 176
          "Beide richtingen",                                                        // 177
          "Planning aanpassen aan mijn herhalingen",                                 // 178
          "Terug naar de standaardplanning",                                         // 179
          "De planning wordt aan uw herhalingen aangepast...",                       // 180
          "Er zijn nog te weinig herhalingen om de planning aan te passen (%1). De planning blijft zoals ze "
          "is.",  // 181
          "Planning aangepast aan %1 herhalingen. Op %2 herhalingen die buiten de aanpassing zijn gehouden, is de "
          "log-loss (lager is beter) %3 met de tot nu toe gebruikte planning en %4 met de aangepaste.",  // 182
          "Met zo weinig herhalingen is alleen aangepast hoe lang een kaart onthouden wordt na de eerste beoordeling; "
          "de rest wordt aangepast zodra er meer zijn.",                                         // 183
          "De kaarten vanaf nu plannen met de aangepaste parameters?",                           // 184
          "Planning op %1 aangepast aan uw herhalingen",                                         // 185
          "Standaardplanning",                                                                   // 186
          "%1 nieuwe herhalingen sinds de planning is aangepast: pas de planning opnieuw aan.",  // 187
          "Voortgang",                                                                           // 188
          "Herhalingen per dag, de laatste 30 dagen",                                            // 189
          "Te herhalen kaarten per dag, de komende 30 dagen",                                    // 190
          "Onthouden een dag of langer na de vorige herhaling: %1 van %2 (%3), doel %4",         // 191
          "Nog geen herhalingen.",                                                               // 192
          "Doel",                                                                                // 193
          "Anki-pakketten (*.apkg)",                                                             // 194
          "Woordenlijst importeren",                                                             // 195
          "Woordenlijsten (*.csv *.tsv *.txt *.apkg)",                                           // 196
          "Kolom van de woorden:",                                                               // 197
          "Kolom van de vertalingen:",                                                           // 198
          "De eerste rij bevat de namen van de kolommen",                                        // 199
          "Codering:",                                                                           // 200
          "In de oefenlijst:",                                                                   // 201
          "De woorden worden aan het woordenboek toegevoegd...",                                 // 202
          "Kolom %1",                                                                            // 203
          "Toegevoegd aan het woordenboek: %1\nAl in het woordenboek: %2\n"
          "Te lang (een woord heeft hoogstens 30 tekens, een vertaling hoogstens 50): %3\n"
          "Met tekens die de tekenset van de taal niet heeft: %4\n"
          "Weggelaten (geen woord, geen vertaling of een komma in het woord): %5\n\n"
          "Oefenlijst \"%6\": %7 woorden.",                                                            // 204
          "De woordenlijst kan niet worden geïmporteerd:",                                             // 205
          "Het bestand bevat geen tekst: het lijkt op de bytes van een programma of een afbeelding.",  // 206
          "Regel %1: een aanhalingsteken opent een veld dat nooit eindigt.",                           // 207
          "Het bestand kan niet worden gelezen.",                                                      // 208
          "Het bestand is te groot voor een woordenlijst.",                                            // 209
          "Het bestand is geen Anki-pakket: het is geen zip-archief.",                                 // 210
          "Het pakket bevat geen Anki-collectie.",                                                     // 211
          "Uitgepakt zou de collectie van het pakket veel groter zijn dan welke woordenlijst ook, dus blijft ze "
          "ingepakt.",                                                          // 212
          "Het pakket is beschadigd.",                                          // 213
          "Het bestand bevat geen rij met zowel een woord als een vertaling.",  // 214
          "Samengevoegd met wat een andere computer veranderde:\n%1 herhalingen, %2 nieuwe woorden, %3 correcties, %4 "
          "woorden in oefenlijsten; van %5 andere bestanden is het nieuwste bewaard.",                         // 215
          "Deze bestanden konden niet worden samengevoegd. Ze blijven naast de bestanden waar ze bij horen:",  // 216
      },
      {
          // ZEMBO
          {{"&Bestand",
            {"Altijd op voorgrond", "Woorden zonder opname uitspreken", "Oefenlijst herhalen",
             "&Woorden zoeken in tekstbestand", "Woordenboek &importeren...", "Woorden&lijst importeren...",
             "&Afsluiten\tCtrl+E"}},
           {"&Help", {"&Help bij Woordenboek\tF1", "&Over..."}}},
          // ZOEKEN
          {{"Te&kenset", {"&Aan", "&Uit"}},
           {"Automatisch zoeken vanaf klembord", {"Aan", "Uit"}},
           {"&Artikel", {"Tonen", "Verbergen"}},
           {"&Zoeken", {"Zoeken in &lemma's...\tCtrl+F"}}},
          // TEKENSET
          {{"Te&kenset", {"&Aan", "&Uit"}}},
          // LIST
          {{"&Bestand",
            {"Nieuwe lijst maken", "Huidige lijst verwijderen", "Lijst exporteren...",
             "Exporteren als Anki-pakket..."}}},
          // READFILE
          {{"&Bestand", {"Tekstbestand &openen", "Tekst &plakken vanaf klembord"}},
           {"&Artikel", {"Tonen", "Verbergen"}}},
      },
      {
          // ABOUTBOX
          {"Woordenboek",
           {
               "zembo Woordenboek, versie 1.0",
               "Tweetalig woordenboek voor taalleerders",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Nieuwe lijst maken",
           {
               "Naam van de lijst : ",
               "OK",
               "Annuleren",
           }},
          // IMPORTDIALOG
          {"Woordenboek importeren",
           {
               "Woordenboeken op deze computer:",
               "&Ander bestand...",
               "&Importeren",
               "Annuleren",
           }},
      },
      {'T', 'L', 'Z', 'A', 'E'},
  };
  return edition;
}

}  // namespace zembo
