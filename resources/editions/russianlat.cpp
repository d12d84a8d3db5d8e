// The Russian edition in Latin letters: Russian texts transliterated into plain ASCII. Texts as the
// program shows them; "\\" is one backslash of a folder name, and trailing blanks are part of the
// texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& russianLatEdition() {
  static const EditionSource edition{
      {
          "Slovar'",  // 0
          "language\\",  // 1
          "list\\",  // 2
          "list\\temp.ls",  // 3
          "language\\tempfile",  // 4
          "icons\\",  // 5
          "zemboicon",  // 6
          "Gotovo",  // 7
          "Otmena",  // 8
          "OK",  // 9
          "tekenset",  // 10
          "Poverkh vsekh okon",  // 11
          "russian",  // 12
          "204",  // 13
          "Oshibka ustanovki LOCALE\nRezul'taty sortirovki mogut byt' nevernymi.\n\nUstanovite "
          "mnogoyazychnuyu podderzhku dlya etogo yazyka s kompakt-diska Windows.   ",  // 14
          "KestraEngAviDelay",  // 15
          "Trenirovka slov",  // 16
          "Medlenno",  // 17
          "Bystro",  // 18
          "213",  // 19
          "Vy doshli do kontsa spiska. ",  // 20
          "Spisok dlya trenirovki",  // 21
          "pust.      \n\nSozdat' novyy spisok dlya trenirovki?",  // 22
          "Vykhod",  // 23
          "Sozdat' spisok dlya trenirovki",  // 24
          "Dobavit' vse",  // 25
          "Udalit' vse",  // 26
          "Dobavit' sluchaynye",  // 27
          "Poisk",  // 28
          "Dobavit' slova v spisok",  // 29
          "Shchelknite po slovu, chtoby dobavit' ego v spisok",  // 30
          "Shchelknite po slovu, chtoby ubrat' ego iz spiska",  // 31
          "Trenirovka",  // 32
          "UDALENO",  // 33
          "Obnovlenie spiska",  // 34
          "Spisok obnovlyaetsya\nPodozhdite, pozhaluysta",  // 35
          "Dobavit' sluchaynye slova",  // 36
          "Udalit' staryy spisok",  // 37
          "Chislo slov (maks. ",  // 38
          "Pechat'",  // 39
          "Spisok slov otpravlyaetsya na printer",  // 40
          "Slovo",  // 41
          "Sozdat' novyy spisok",  // 42
          "Imya spiska : ",  // 43
          "Udalit' tekushchiy spisok",  // 44
          "Udalenie spiska",  // 45
          "Spiski",  // 46
          "Simvoly / \\ < > | . : ? * imeyut osoboe znachenie i ne dopuskayutsya.   ",  // 47
          "Vy deystvitel'no khotite udalit' spisok",  // 48
          "?",  // 49
          "Dolzhen ostat'sya khotya by odin spisok.   ",  // 50
          "Ne udaetsya udalit' papku",  // 51
          "Russian",  // 52
          "slovar.ini",  // 53
          "on",  // 54
          "off",  // 55
          "[language]",  // 56
          "[selected]",  // 57
          "10",  // 58
          "[AddNew]",  // 59
          "8",  // 60
          "Zapis'",  // 61
          "Chtenie",  // 62
          "Sortirovka",  // 63
          "Dobavit' slova",  // 64
          "PODTVERZHDAYTE VVOD KLAVISHEY ENTER",  // 65
          "Zapyataya v etom pole ne dopuskaetsya",  // 66
          "dobavit' slova",  // 67
          "Novye zapisi",  // 68
          "Oshibka chteniya",  // 69
          "Sortirovka",  // 70
          "Slova sortiruyutsya\nPodozhdite, pozhaluysta",  // 71
          "Oshibka sortirovki  ",  // 72
          "Oshibka",  // 73
          "Slovar'",  // 74
          "Fayl INI ne nayden, rabota programmy prervana.\n\nSoobshchite ob etom po adresu :\n"
          "support@zembo.example\nhttp://www.zembo.example",  // 75
          "&Yazyk",  // 76
          "Dobavit' slova",  // 77
          "Nachat' trenirovku",  // 78
          "Poisk",  // 79
          "Sozdat' spisok dlya trenirovki",  // 80
          "http://www.zembo.example",  // 81
          "support@zembo.example",  // 82
          "slovar.hlp",  // 83
          "Poisk slov",  // 84
          "Udalit' zapis'",  // 85
          "Vosstanovit' zapis'",  // 86
          "Avtomaticheskiy poisk iz bufera obmena",  // 87
          "Kopirovat'",  // 88
          "Vstavit'",  // 89
          "Proslushat'",  // 90
          "Poisk slov v tekstovom fayle",  // 91
          "Spravka",  // 92
          "Poisk slov v tekstovom fayle",  // 93
          "Nabor simvolov",  // 94
          "Povtorit' spisok dlya uprazhneniy",  // 95
          "Vvedite perevod i nazhmite Enter (odin Enter pokazyvayet yego)",  // 96
          "Snova",  // 97
          "Trudno",  // 98
          "Khorosho",  // 99
          "Legko",  // 100
          "Vash otvet:",  // 101
          "Seychas bol'she nechego povtoryat'.",  // 102
          "Sleduyushchaya kartochka:",  // 103
          "Fayl kartochek povtoreniya byl povrezhden; on sokhranen kak",  // 104
          "Povtoreniye nachinayetsya zanovo.",  // 105
          "Ostalos' kartochek:",  // 106
          "Eksportirovat' spisok",  // 107
          "Ne udalos' zapisat' fayl",  // 108
          "slov",  // 109
          "uzhe est' v slovare.\n\n"
          "Zamenit' yego slova slovami novogo slovarya? Slova, dobavlennye vami, sokhranyatsya.",  // 110
          "Slovar' importiruyetsya\nPodozhdite, pozhaluysta",  // 111
          "Slovari dictd (*.index)",  // 112
          "Import slovarya",  // 113
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
          "Zhurnal prervannogo importa ne vypolnen: v nyom nazvany fayly, kotorye import ne zapisyvayet, ili eto ne obychnyy fayl. Nichego ne pereimenovano. Udalite yego, chtoby eto soobshcheniye bol'she ne poyavlyalos':",  // 175
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
          {{"&Fayl",
             {"Poverkh vsekh okon",
              "Proiznosit' slova bez zapisi", "Povtorit' spisok dlya uprazhneniy",
              "&Poisk slov v tekstovom fayle",
              "&Import slovarya...",
              "V&ykhod\tCtrl+X"}},
            {"Sp&ravka", {"&Spravka po slovaryu\tF1", "&O programme..."}}},
          // ZOEKEN
          {{"&Nabor simvolov", {"&Vkl.", "V&ykl."}},
            {"Avtomaticheskiy poisk iz bufera obmena", {"Vkl.", "Vykl."}}},
          // TEKENSET
          {{"&Nabor simvolov", {"&Vkl.", "V&ykl."}}},
          // LIST
          {{"&Fayl", {"Sozdat' novyy spisok", "Udalit' tekushchiy spisok", "Eksportirovat' spisok..."}}},
          // READFILE
          {{"&Fayl", {"&Otkryt' tekstovyy fayl", "&Vstavit' tekst iz bufera obmena"}}},
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
