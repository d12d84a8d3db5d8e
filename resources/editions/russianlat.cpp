// The Russian edition in Latin letters: Russian texts transliterated into plain ASCII. Texts as the
// program shows them; "\\" is one backslash of a folder name, and trailing blanks are part of the
// texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& russianLatEdition() {
  static const EditionSource edition{
      {
          "Slovar'",             // 0
          "language\\",          // 1
          "list\\",              // 2
          "list\\temp.ls",       // 3
          "language\\tempfile",  // 4
          "icons\\",             // 5
          "zemboicon",           // 6
          "Gotovo",              // 7
          "Otmena",              // 8
          "OK",                  // 9
          "tekenset",            // 10
          "Poverkh vsekh okon",  // 11
          "russian",             // 12
          "204",                 // 13
          "Oshibka ustanovki LOCALE\nRezul'taty sortirovki mogut byt' nevernymi.\n\nUstanovite "
          "mnogoyazychnuyu podderzhku dlya etogo yazyka s kompakt-diska Windows.   ",   // 14
          "KestraEngAviDelay",                                                          // 15
          "Trenirovka slov",                                                            // 16
          "Medlenno",                                                                   // 17
          "Bystro",                                                                     // 18
          "213",                                                                        // 19
          "Vy doshli do kontsa spiska. ",                                               // 20
          "Spisok dlya trenirovki",                                                     // 21
          "pust.      \n\nSozdat' novyy spisok dlya trenirovki?",                       // 22
          "Vykhod",                                                                     // 23
          "Sozdat' spisok dlya trenirovki",                                             // 24
          "Dobavit' vse",                                                               // 25
          "Udalit' vse",                                                                // 26
          "Dobavit' sluchaynye",                                                        // 27
          "Poisk",                                                                      // 28
          "Dobavit' slova v spisok",                                                    // 29
          "Shchelknite po slovu, chtoby dobavit' ego v spisok",                         // 30
          "Shchelknite po slovu, chtoby ubrat' ego iz spiska",                          // 31
          "Trenirovka",                                                                 // 32
          "UDALENO",                                                                    // 33
          "Obnovlenie spiska",                                                          // 34
          "Spisok obnovlyaetsya\nPodozhdite, pozhaluysta",                              // 35
          "Dobavit' sluchaynye slova",                                                  // 36
          "Udalit' staryy spisok",                                                      // 37
          "Chislo slov (maks. ",                                                        // 38
          "Pechat'",                                                                    // 39
          "Spisok slov otpravlyaetsya na printer",                                      // 40
          "Slovo",                                                                      // 41
          "Sozdat' novyy spisok",                                                       // 42
          "Imya spiska : ",                                                             // 43
          "Udalit' tekushchiy spisok",                                                  // 44
          "Udalenie spiska",                                                            // 45
          "Spiski",                                                                     // 46
          "Simvoly / \\ < > | . : ? * imeyut osoboe znachenie i ne dopuskayutsya.   ",  // 47
          "Vy deystvitel'no khotite udalit' spisok",                                    // 48
          "?",                                                                          // 49
          "Dolzhen ostat'sya khotya by odin spisok.   ",                                // 50
          "Ne udaetsya udalit' papku",                                                  // 51
          "Russian",                                                                    // 52
          "slovar.ini",                                                                 // 53
          "on",                                                                         // 54
          "off",                                                                        // 55
          "[language]",                                                                 // 56
          "[selected]",                                                                 // 57
          "10",                                                                         // 58
          "[AddNew]",                                                                   // 59
          "8",                                                                          // 60
          "Zapis'",                                                                     // 61
          "Chtenie",                                                                    // 62
          "Sortirovka",                                                                 // 63
          "Dobavit' slova",                                                             // 64
          "PODTVERZHDAYTE VVOD KLAVISHEY ENTER",                                        // 65
          "Zapyataya v etom pole ne dopuskaetsya",                                      // 66
          "dobavit' slova",                                                             // 67
          "Novye zapisi",                                                               // 68
          "Oshibka chteniya",                                                           // 69
          "Sortirovka",                                                                 // 70
          "Slova sortiruyutsya\nPodozhdite, pozhaluysta",                               // 71
          "Oshibka sortirovki  ",                                                       // 72
          "Oshibka",                                                                    // 73
          "Slovar'",                                                                    // 74
          "Fayl INI ne nayden, rabota programmy prervana.\n\nSoobshchite ob etom po adresu :\n"
          "support@zembo.example\nhttp://www.zembo.example",                 // 75
          "&Yazyk",                                                          // 76
          "Dobavit' slova",                                                  // 77
          "Nachat' trenirovku",                                              // 78
          "Poisk",                                                           // 79
          "Sozdat' spisok dlya trenirovki",                                  // 80
          "http://www.zembo.example",                                        // 81
          "support@zembo.example",                                           // 82
          "slovar.hlp",                                                      // 83
          "Poisk slov",                                                      // 84
          "Udalit' zapis'",                                                  // 85
          "Vosstanovit' zapis'",                                             // 86
          "Avtomaticheskiy poisk iz bufera obmena",                          // 87
          "Kopirovat'",                                                      // 88
          "Vstavit'",                                                        // 89
          "Proslushat'",                                                     // 90
          "Poisk slov v tekstovom fayle",                                    // 91
          "Spravka",                                                         // 92
          "Poisk slov v tekstovom fayle",                                    // 93
          "Nabor simvolov",                                                  // 94
          "Povtorit' spisok dlya uprazhneniy",                               // 95
          "Vvedite perevod i nazhmite Enter (odin Enter pokazyvayet yego)",  // 96
          "Snova",                                                           // 97
          "Trudno",                                                          // 98
          "Khorosho",                                                        // 99
          "Legko",                                                           // 100
          "Vash otvet:",                                                     // 101
          "Seychas bol'she nechego povtoryat'.",                             // 102
          "Sleduyushchaya kartochka:",                                       // 103
          "Fayl kartochek povtoreniya byl povrezhden; on sokhranen kak",     // 104
          "Povtoreniye nachinayetsya zanovo.",                               // 105
          "Ostalos' kartochek:",                                             // 106
          "Eksportirovat' spisok",                                           // 107
          "Ne udalos' zapisat' fayl",                                        // 108
          "slov",                                                            // 109
          "uzhe est' v slovare.\n\n"
          "Zamenit' yego slova slovami novogo slovarya? Slova, dobavlennye vami, sokhranyatsya.",  // 110
          "Slovar' importiruyetsya\nPodozhdite, pozhaluysta",                                      // 111
          "Slovari dictd (*.index)",                                                               // 112
          "Import slovarya",                                                                       // 113
          "%1: fayl ne nayden.",                                                                   // 114
          "%1 ne udayotsya otkryt'.",                                                              // 115
          "%1 ne udayotsya prochitat'.",                                                           // 116
          "%1 povrezhden ili nepolon, yego nel'zya importirovat'.",                                // 117
          "%1: povrezhdennye szhatye dannye v bloke %2.",                                          // 118
          "%1 povrezhden: kontrol'naya summa ne sovpadayet s tekstom.",                            // 119
          "%1, stroka %2: povrezhdennaya stroka indeksa.",                                         // 120
          "%1: stroka indeksa %2 nazyvayet stat'yu, kotoraya konchayetsya na bayte %3, dal'she %4 bayt, kotorye "
          "mozhet vmestit' etot fayl.",  // 121
          "%1 soderzhit gorazdo bol'she svoikh statey: raspakovannyy, on bol'she %2 bayt, nazvannykh yego "
          "indeksom.",                                           // 122
          "%1: stat'ya stroki indeksa %2 - ne tekst UTF-8.",     // 123
          "%1 ne udayotsya prochitat': nedostatochno pamyati.",  // 124
          "%1 perevodit na yazyk: %2, a yazyk etogo slovarya: %3. Importirovat' mozhno tol'ko slovari na etot "
          "yazyk: vyberite slovar' iz spiska.",                                    // 125
          "Programma importa ne znayet yazyk %1 i ne mozhet yego importirovat'.",  // 126
          "%1 - ne polnaya papka slovarya.",                                       // 127
          "Poryadok sortirovki %1 nedostupen v etoy sisteme.",                     // 128
          "Ne udayotsya sozdat' papku %1: %2.",                                    // 129
          "Ne udayotsya zapisat' %1: %2.",                                         // 130
          "Ne udayotsya pereimenovat' %1 v %2: %3. Sleduyushchiy import ili sleduyushchiy zapusk zavershit eto.",  // 131
          "Ne udayotsya zavershit' prezhniy import (%1): %2.",                                    // 132
          "Ne udayotsya udalit' %1.",                                                             // 133
          "disk zapolnen",                                                                        // 134
          "net dostupa",                                                                          // 135
          "Slovar' ne udayotsya importirovat'.",                                                  // 136
          "%1: zaglavnykh slov: %2, importirovano za %3 s",                                       // 137
          "zapisano zapisey: %1 (%2 - %3), %4 (%3 - %2)",                                         // 138
          "propushcheno:",                                                                        // 139
          "zaglavnykh slov dlinneye 30 bayt: %1 (naprimer, \"%2\")",                              // 140
          "zaglavnykh slov s simvolami vne kodirovki: %1 (naprimer, \"%2\")",                     // 141
          "zaglavnykh slov bez perevoda v stat'ye: %1 (naprimer, \"%2\")",                        // 142
          "zaglavnykh slov bez perevoda, pomeshchayushchegosya v zapis': %1 (naprimer, \"%2\")",  // 143
          "perevodov s simvolami vne kodirovki: %1",                                              // 144
          "perevodov dlinneye tselogo polya: %1",                                                 // 145
          "sokhraneno slov, dobavlennykh vami: %1",                                               // 146
          "Importirovat' etot slovar'?",                                                          // 147
          "Importirovat'",                                                                        // 148
          "skoro",                                                                                // 149
          "Pokazana ran'she sroka; srok v",                                                       // 150
          "Nekotorye stroki fayla kartochek povtoreniya ne udalos' prochitat'; oni otlozheny v",  // 151
          "Ostal'nye kartochki sokhraneny, povtoreniye prodolzhayetsya.",                         // 152
          "Fayl kartochek povtoreniya slishkom velik dlya chteniya; on sokhranen kak",            // 153
          "Etot fayl ryadom so spiskom ne yavlyayetsya obychnym faylom (ssylka, kanal ili ustroystvo) i ostavlen "
          "kak yest':",                                               // 154
          "Eto povtoreniye ne sokhranyayetsya.",                      // 155
          "Otsenki ne zapisyvayutsya v zhurnal povtoreniya.",         // 156
          "Tekstovye fayly (*.txt)",                                  // 157
          "Vse fayly (*)",                                            // 158
          "Etogo slova net v slovare; pokazany blizhayshiye slova.",  // 159
          "Zhurnal prervannogo importa ne vypolnen: v nyom nazvany fayly, kotorye import ne zapisyvayet, ili eto "
          "ne obychnyy fayl. Nichego ne pereimenovano. Udalite yego, chtoby eto soobshcheniye bol'she ne "
          "poyavlyalos':",  // 160
          "sushchestvitel'noye|glagol|prilagatel'noye|narechiye|mestoimeniye|predlog|soyuz|mezhdometiye|chislitel'noye|"
          "artikl'|muzhskoy rod|zhenskiy rod|sredniy rod|mnozhestvennoye chislo",              // 161
          "Sinonimy",                                                                          // 162
          "Sm. takzhe",                                                                        // 163
          "Primechaniye",                                                                      // 164
          "Dlya etogo slova net stat'i.",                                                      // 165
          "Poisk po stat'yam",                                                                 // 166
          "Slova perevoda, primechaniya ili primera:",                                         // 167
          "Ni odna stat'ya ne soderzhit etikh slov.",                                          // 168
          "Statey, soderzhashchikh vse slova: %1",                                             // 169
          "Ni odna stat'ya ne soderzhit vsekh slov; eti stat'i soderzhat nekotorye iz nikh.",  // 170
          "Stat'i indeksiruyutsya dlya funktsii \"Poisk po stat'yam\". Eto proiskhodit odin raz i povtoryayetsya posle "
          "kazhdogo izmeneniya slovarya.",                                       // 171
          "Ne udayotsya proindeksirovat' stat'i:",                               // 172
          "Slovo|Perevod|Slovar'",                                               // 173
          "Proiznosit' slovo (F5 povtoryayet)",                                  // 174
          "Na slukh: uslyshat' i vvesti slovo",                                  // 175
          "Vvedite uslyshannoye slovo i nazhmite Enter (F5 povtoryayet yego).",  // 176
          "V obe storony",                                                       // 177
          "Podstroit' raspisaniye pod moi povtoreniya",                          // 178
          "Vernut' standartnoye raspisaniye",                                    // 179
          "Raspisaniye podstraivayetsya pod vashi povtoreniya...",               // 180
          "Povtoreniy poka slishkom malo, chtoby podstroit' raspisaniye (%1). Raspisaniye ostayotsya "
          "prezhnim.",  // 181
          "Povtoreniy, po kotorym podstroyeno raspisaniye: %1. Na povtoreniyakh, ne ispol'zovannykh pri podstroyke "
          "(%2), logarifmicheskaya funktsiya poter' (chem men'she, tem luchshe) ravna %3 s prezhnim raspisaniyem i %4 "
          "s podstroyennym.",  // 182
          "Pri takom malom chisle povtoreniy podstroyeno tol'ko to, kak dolgo pomnitsya kartochka posle pervoy "
          "otsenki; ostal'noye budet podstroyeno, kogda povtoreniy stanet bol'she.",                   // 183
          "Vpred' planirovat' kartochki po podstroyennym parametram?",                                 // 184
          "Raspisaniye podstroyeno pod vashi povtoreniya (%1)",                                        // 185
          "Standartnoye raspisaniye",                                                                  // 186
          "Novykh povtoreniy posle podstroyki raspisaniya: %1 - podstroyte yego snova.",               // 187
          "Progress",                                                                                  // 188
          "Povtoreniy v den', posledniye 30 dney",                                                     // 189
          "Kartochek k povtoreniyu v den', sleduyushchiye 30 dney",                                    // 190
          "Vspomneno cherez den' i boleye posle predydushchego povtoreniya: %1 iz %2 (%3), tsel' %4",  // 191
          "Povtoreniy poka net.",                                                                      // 192
          "Tsel'",                                                                                     // 193
          "Kolody Anki (*.apkg)",                                                                      // 194
          "Import spiska slov",                                                                        // 195
          "Spiski slov (*.csv *.tsv *.txt *.apkg)",                                                    // 196
          "Stolbets slov:",                                                                            // 197
          "Stolbets perevodov:",                                                                       // 198
          "Pervaya stroka soderzhit nazvaniya stolbtsov",                                              // 199
          "Kodirovka:",                                                                                // 200
          "V spisok dlya trenirovki:",                                                                 // 201
          "Slova dobavlyayutsya v slovar'...",                                                         // 202
          "Stolbets %1",                                                                               // 203
          "Dobavleno v slovar': %1\nUzhe est' v slovare: %2\n"
          "Slishkom dlinnye (slovo ne dlinneye 30 simvolov, perevod ne dlinneye 50): %3\n"
          "S simvolami vne kodirovki yazyka: %4\n"
          "Propushcheno (net slova ili perevoda libo zapyataya v slove): %5\n\n"
          "Spisok dlya trenirovki \"%6\", slov: %7.",                                  // 204
          "Spisok slov ne udayotsya importirovat':",                                   // 205
          "V fayle net teksta: on pokhozh na bayty programmy ili kartinki.",           // 206
          "Stroka %1: kavychka otkryvayet pole, kotoroye nigde ne zakanchivayetsya.",  // 207
          "Fayl ne udayotsya prochitat'.",                                             // 208
          "Fayl slishkom velik dlya spiska slov.",                                     // 209
          "Fayl ne yavlyayetsya paketom Anki: eto ne zip-arkhiv.",                     // 210
          "V pakete net kollektsii Anki.",                                             // 211
          "Kollektsiya paketa v raspakovannom vide byla by namnogo bol'she lyubogo spiska slov, poetomu ona ne "
          "raspakovana.",                                      // 212
          "Paket povrezhden.",                                 // 213
          "V fayle net stroki, gde est' i slovo, i perevod.",  // 214
          "Ob'edineno s izmeneniyami drugogo komp'yutera:\n%1 povtoreniy, %2 novykh statey, %3 ispravleniy, %4 zapisey "
          "v spiskakh uprazhneniy; iz %5 drugikh faylov sokhranyon bolee noviy.",                      // 215
          "Eti fayly ne udalos' ob'edinit'. Oni ostayutsya ryadom s faylami, k kotorym otnosyatsya:",  // 216
      },
      {
          // ZEMBO
          {{"&Fayl",
            {"Poverkh vsekh okon", "Proiznosit' slova bez zapisi", "Povtorit' spisok dlya uprazhneniy",
             "&Poisk slov v tekstovom fayle", "&Import slovarya...", "Import spiska &slov...", "V&ykhod\tCtrl+X"}},
           {"Sp&ravka", {"&Spravka po slovaryu\tF1", "&O programme..."}}},
          // ZOEKEN
          {{"&Nabor simvolov", {"&Vkl.", "V&ykl."}},
           {"Avtomaticheskiy poisk iz bufera obmena", {"Vkl.", "Vykl."}},
           {"&Stat'ya", {"Pokazat'", "Skryt'"}},
           {"&Poisk", {"Poisk po &stat'yam...\tCtrl+F"}}},
          // TEKENSET
          {{"&Nabor simvolov", {"&Vkl.", "V&ykl."}}},
          // LIST
          {{"&Fayl",
            {"Sozdat' novyy spisok", "Udalit' tekushchiy spisok", "Eksportirovat' spisok...",
             "Eksportirovat' v kolodu Anki..."}}},
          // READFILE
          {{"&Fayl", {"&Otkryt' tekstovyy fayl", "&Vstavit' tekst iz bufera obmena"}},
           {"&Stat'ya", {"Pokazat'", "Skryt'"}}},
      },
      {
          // ABOUTBOX
          {"Slovar'",
           {
               "Slovar' zembo, versiya 1.0",
               "Dvuyazychnyy uchebnyy slovar'",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Sozdat' novyy spisok",
           {
               "Imya spiska : ",
               "OK",
               "Otmena",
           }},
          // IMPORTDIALOG
          {"Import slovarya",
           {
               "Slovari na etom kompyutere:",
               "&Drugoy fayl...",
               "&Importirovat'",
               "Otmena",
           }},
      },
      {'A', 'P', 'S', 'C', 'X'},
  };
  return edition;
}

}  // namespace zembo
