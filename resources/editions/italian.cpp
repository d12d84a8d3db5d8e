// The Italian edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& italianEdition() {
  static const EditionSource edition{
      {
          "Dizionario",  // 0
          "language\\",  // 1
          "list\\",  // 2
          "list\\temp.ls",  // 3
          "language\\tempfile",  // 4
          "icons\\",  // 5
          "zemboicon",  // 6
          "Fine",  // 7
          "Annulla",  // 8
          "OK",  // 9
          "tekenset",  // 10
          "Sempre in primo piano",  // 11
          "italian",  // 12
          "0",  // 13
          "Errore nell'impostazione della LOCALE\nL'ordinamento potrebbe non essere "
          "corretto.\n\nInstallare il supporto multilingue per questa lingua dal CD-ROM di "
          "Windows.   ",  // 14
          "ItalianAviDelay",  // 15
          "Esercizio di vocabolario",  // 16
          "Lento",  // 17
          "Veloce",  // 18
          "193",  // 19
          "Hai raggiunto la fine dell'elenco. ",  // 20
          "L'elenco esercizi",  // 21
          "è vuoto.      \n\nCreare un nuovo elenco esercizi?",  // 22
          "Esci",  // 23
          "Crea elenco esercizi",  // 24
          "Aggiungi tutto",  // 25
          "Rimuovi tutto",  // 26
          "Aggiungi a caso",  // 27
          "Cerca",  // 28
          "Aggiungi parole all'elenco",  // 29
          "Fai clic su una parola per aggiungerla all'elenco",  // 30
          "Fai clic su una parola per toglierla dall'elenco",  // 31
          "Elenco esercizi",  // 32
          "ELIMINATA",  // 33
          "Aggiornamento elenco",  // 34
          "Aggiornamento dell'elenco\nAttendere prego",  // 35
          "Aggiungi parole a caso",  // 36
          "Elimina il vecchio elenco",  // 37
          "Numero di parole (max. ",  // 38
          "Stampa",  // 39
          "Invio dell'elenco di parole alla stampante",  // 40
          "Parola",  // 41
          "Crea nuovo elenco",  // 42
          "Nome dell'elenco : ",  // 43
          "Elimina elenco corrente",  // 44
          "Elimina elenco",  // 45
          "Elenchi",  // 46
          "I caratteri / \\ < > | . : ? * hanno un significato speciale e non sono ammessi.   ",  // 47
          "Eliminare davvero l'elenco",  // 48
          "?",  // 49
          "Deve rimanere almeno un elenco.   ",  // 50
          "Impossibile eliminare la cartella",  // 51
          "Italiano",  // 52
          "dizionario.ini",  // 53
          "on",  // 54
          "off",  // 55
          "[language]",  // 56
          "[selected]",  // 57
          "10",  // 58
          "[AddNew]",  // 59
          "8",  // 60
          "Scrittura",  // 61
          "Lettura",  // 62
          "Ordinamento",  // 63
          "Aggiungi parole",  // 64
          "CONFERMARE OGNI VOCE CON INVIO",  // 65
          "Virgola non ammessa in questo campo",  // 66
          "aggiungere parole",  // 67
          "Nuove voci",  // 68
          "Errore di lettura",  // 69
          "Ordina",  // 70
          "Ordinamento delle parole in corso\nAttendere prego",  // 71
          "Ordinamento non riuscito  ",  // 72
          "Errore",  // 73
          "Dizionario",  // 74
          "File INI non trovato, programma interrotto.\n\nSegnalare questo messaggio a :\n"
          "support@zembo.example\nhttp://www.zembo.example",  // 75
          "&Lingua",  // 76
          "Aggiungi parole",  // 77
          "Inizia esercizio",  // 78
          "Cerca",  // 79
          "Crea elenco esercizi",  // 80
          "http://www.zembo.example",  // 81
          "support@zembo.example",  // 82
          "dizionario.hlp",  // 83
          "Cerca parole",  // 84
          "Elimina voce",  // 85
          "Ripristina voce",  // 86
          "Ricerca automatica dagli Appunti",  // 87
          "Copia",  // 88
          "Incolla",  // 89
          "Ascolta",  // 90
          "Cerca parole in un file di testo",  // 91
          "Guida",  // 92
          "Cerca parole in un file di testo",  // 93
          "Set di caratteri",  // 94
          "Ripassa l'elenco di esercizio",  // 95
          "Scrivi la traduzione e premi Invio (solo Invio la mostra)",  // 96
          "Di nuovo",  // 97
          "Difficile",  // 98
          "Bene",  // 99
          "Facile",  // 100
          "La tua risposta:",  // 101
          "Per ora non c'è altro da ripassare.",  // 102
          "Prossima scheda:",  // 103
          "Il file delle schede di ripasso era danneggiato; è stato conservato come",  // 104
          "Il ripasso ricomincia da capo.",  // 105
          "Schede rimaste:",  // 106
          "Esporta elenco",  // 107
          "Impossibile scrivere il file",  // 108
          "lemmi",  // 109
          "è già nel dizionario.\n\n"
          "Sostituire le sue parole con quelle del nuovo dizionario? Le parole che hai aggiunto tu vengono mantenute.",  // 110
          "Importazione del dizionario in corso\nUn momento, prego",  // 111
          "Dizionari dictd (*.index)",  // 112
          "Importa dizionario",  // 113
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
          "Il registro di un'importazione interrotta non è stato eseguito: nomina file che nessuna importazione scrive, oppure non è un file normale. Non è stato rinominato nulla. Eliminarlo per non vedere più questo messaggio:",  // 175
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
          {{"&File",
             {"Sempre in primo piano",
              "Pronuncia le parole senza registrazione", "Ripassa l'elenco di esercizio",
              "&Cerca parole in un file di testo",
              "&Importa dizionario...",
              "&Esci\tCtrl+X"}},
            {"Gu&ida", {"&Guida al Dizionario\tF1", "&Informazioni su..."}}},
          // ZOEKEN
          {{"&Set di caratteri", {"&Attivo", "&Disattivo"}},
            {"Ricerca automatica dagli Appunti", {"Attiva", "Disattiva"}}},
          // TEKENSET
          {{"&Set di caratteri", {"&Attivo", "&Disattivo"}}},
          // LIST
          {{"&File", {"Crea nuovo elenco", "Elimina elenco corrente", "Esporta elenco..."}}},
          // READFILE
          {{"&File", {"&Apri file di testo", "&Incolla testo dagli Appunti"}}},
      },
      {
          // ABOUTBOX
          {"Dizionario",
           {
               "Dizionario zembo, versione 1.0",
               "Dizionario bilingue per chi studia lingue",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Crea nuovo elenco",
           {
               "Nome dell'elenco : ",
               "OK",
               "Annulla",
           }},
          // IMPORTDIALOG
          {"Importa dizionario",
           {
               "Dizionari su questo computer:",
               "&Altro file...",
               "&Importa",
               "Annulla",
           }},
      },
      {'G', 'P', 'C', 'R', 'X'},
  };
  return edition;
}

}  // namespace zembo
