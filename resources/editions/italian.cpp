// The Italian edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& italianEdition() {
  static const EditionSource edition{
      {
          "Dizionario",             // 0
          "language\\",             // 1
          "list\\",                 // 2
          "list\\temp.ls",          // 3
          "language\\tempfile",     // 4
          "icons\\",                // 5
          "zemboicon",              // 6
          "Fine",                   // 7
          "Annulla",                // 8
          "OK",                     // 9
          "tekenset",               // 10
          "Sempre in primo piano",  // 11
          "italian",                // 12
          "0",                      // 13
          "Errore nell'impostazione della LOCALE\nL'ordinamento potrebbe non essere "
          "corretto.\n\nInstallare il supporto multilingue per questa lingua dal CD-ROM di "
          "Windows.   ",                                                                          // 14
          "ItalianAviDelay",                                                                      // 15
          "Esercizio di vocabolario",                                                             // 16
          "Lento",                                                                                // 17
          "Veloce",                                                                               // 18
          "193",                                                                                  // 19
          "Hai raggiunto la fine dell'elenco. ",                                                  // 20
          "L'elenco esercizi",                                                                    // 21
          "è vuoto.      \n\nCreare un nuovo elenco esercizi?",                                   // 22
          "Esci",                                                                                 // 23
          "Crea elenco esercizi",                                                                 // 24
          "Aggiungi tutto",                                                                       // 25
          "Rimuovi tutto",                                                                        // 26
          "Aggiungi a caso",                                                                      // 27
          "Cerca",                                                                                // 28
          "Aggiungi parole all'elenco",                                                           // 29
          "Fai clic su una parola per aggiungerla all'elenco",                                    // 30
          "Fai clic su una parola per toglierla dall'elenco",                                     // 31
          "Elenco esercizi",                                                                      // 32
          "ELIMINATA",                                                                            // 33
          "Aggiornamento elenco",                                                                 // 34
          "Aggiornamento dell'elenco\nAttendere prego",                                           // 35
          "Aggiungi parole a caso",                                                               // 36
          "Elimina il vecchio elenco",                                                            // 37
          "Numero di parole (max. ",                                                              // 38
          "Stampa",                                                                               // 39
          "Invio dell'elenco di parole alla stampante",                                           // 40
          "Parola",                                                                               // 41
          "Crea nuovo elenco",                                                                    // 42
          "Nome dell'elenco : ",                                                                  // 43
          "Elimina elenco corrente",                                                              // 44
          "Elimina elenco",                                                                       // 45
          "Elenchi",                                                                              // 46
          "I caratteri / \\ < > | . : ? * hanno un significato speciale e non sono ammessi.   ",  // 47
          "Eliminare davvero l'elenco",                                                           // 48
          "?",                                                                                    // 49
          "Deve rimanere almeno un elenco.   ",                                                   // 50
          "Impossibile eliminare la cartella",                                                    // 51
          "Italiano",                                                                             // 52
          "dizionario.ini",                                                                       // 53
          "on",                                                                                   // 54
          "off",                                                                                  // 55
          "[language]",                                                                           // 56
          "[selected]",                                                                           // 57
          "10",                                                                                   // 58
          "[AddNew]",                                                                             // 59
          "8",                                                                                    // 60
          "Scrittura",                                                                            // 61
          "Lettura",                                                                              // 62
          "Ordinamento",                                                                          // 63
          "Aggiungi parole",                                                                      // 64
          "CONFERMARE OGNI VOCE CON INVIO",                                                       // 65
          "Virgola non ammessa in questo campo",                                                  // 66
          "aggiungere parole",                                                                    // 67
          "Nuove voci",                                                                           // 68
          "Errore di lettura",                                                                    // 69
          "Ordina",                                                                               // 70
          "Ordinamento delle parole in corso\nAttendere prego",                                   // 71
          "Ordinamento non riuscito  ",                                                           // 72
          "Errore",                                                                               // 73
          "Dizionario",                                                                           // 74
          "File INI non trovato, programma interrotto.\n\nSegnalare questo messaggio a :\n"
          "support@zembo.example\nhttp://www.zembo.example",                           // 75
          "&Lingua",                                                                   // 76
          "Aggiungi parole",                                                           // 77
          "Inizia esercizio",                                                          // 78
          "Cerca",                                                                     // 79
          "Crea elenco esercizi",                                                      // 80
          "http://www.zembo.example",                                                  // 81
          "support@zembo.example",                                                     // 82
          "dizionario.hlp",                                                            // 83
          "Cerca parole",                                                              // 84
          "Elimina voce",                                                              // 85
          "Ripristina voce",                                                           // 86
          "Ricerca automatica dagli Appunti",                                          // 87
          "Copia",                                                                     // 88
          "Incolla",                                                                   // 89
          "Ascolta",                                                                   // 90
          "Cerca parole in un file di testo",                                          // 91
          "Guida",                                                                     // 92
          "Cerca parole in un file di testo",                                          // 93
          "Set di caratteri",                                                          // 94
          "Ripassa l'elenco di esercizio",                                             // 95
          "Scrivi la traduzione e premi Invio (solo Invio la mostra)",                 // 96
          "Di nuovo",                                                                  // 97
          "Difficile",                                                                 // 98
          "Bene",                                                                      // 99
          "Facile",                                                                    // 100
          "La tua risposta:",                                                          // 101
          "Per ora non c'è altro da ripassare.",                                       // 102
          "Prossima scheda:",                                                          // 103
          "Il file delle schede di ripasso era danneggiato; è stato conservato come",  // 104
          "Il ripasso ricomincia da capo.",                                            // 105
          "Schede rimaste:",                                                           // 106
          "Esporta elenco",                                                            // 107
          "Impossibile scrivere il file",                                              // 108
          "lemmi",                                                                     // 109
          "è già nel dizionario.\n\n"
          "Sostituire le sue parole con quelle del nuovo dizionario? Le parole che hai aggiunto tu vengono "
          "mantenute.",                                                             // 110
          "Importazione del dizionario in corso\nUn momento, prego",                // 111
          "Dizionari dictd (*.index)",                                              // 112
          "Importa dizionario",                                                     // 113
          "%1: file non trovato.",                                                  // 114
          "%1 non può essere aperto.",                                              // 115
          "%1 non può essere letto.",                                               // 116
          "%1 è danneggiato o incompleto e non può essere importato.",              // 117
          "%1: dati compressi danneggiati nel blocco %2.",                          // 118
          "%1 è danneggiato: la sua somma di controllo non corrisponde al testo.",  // 119
          "%1, riga %2: riga dell'indice danneggiata.",                             // 120
          "%1: la riga dell'indice %2 indica un articolo che finisce al byte %3, oltre i %4 byte che questo file "
          "può contenere.",                                                                                  // 121
          "%1 contiene molto più dei suoi articoli: decompresso supera i %2 byte indicati dal suo indice.",  // 122
          "%1: l'articolo della riga dell'indice %2 non è testo UTF-8.",                                     // 123
          "%1 non può essere letto: memoria insufficiente.",                                                 // 124
          "%1 traduce in: %2, ma la lingua di questo dizionario è: %3. Si possono importare solo dizionari in "
          "questa lingua: sceglierne uno dall'elenco.",                                                           // 125
          "Il programma di importazione non conosce la lingua di %1 e non può importarlo.",                       // 126
          "%1 non è una cartella del dizionario completa.",                                                       // 127
          "L'ordinamento %1 non è disponibile su questo sistema.",                                                // 128
          "La cartella %1 non può essere creata: %2.",                                                            // 129
          "%1 non può essere scritto: %2.",                                                                       // 130
          "%1 non può essere rinominato in %2: %3. La prossima importazione o il prossimo avvio lo completerà.",  // 131
          "Un'importazione precedente non può essere completata (%1): %2.",                                       // 132
          "%1 non può essere eliminato.",                                                                         // 133
          "il disco è pieno",                                                                                     // 134
          "permesso negato",                                                                                      // 135
          "Il dizionario non può essere importato.",                                                              // 136
          "%1: %2 lemmi, importati in %3 secondi",                                                                // 137
          "record scritti: %1 da %2 a %3, %4 da %3 a %2",                                                         // 138
          "tralasciati:",                                                                                         // 139
          "%1 lemmi più lunghi di 30 byte (per esempio \"%2\")",                                                  // 140
          "%1 lemmi con caratteri assenti dal set di caratteri (per esempio \"%2\")",                             // 141
          "%1 lemmi senza traduzione nel loro articolo (per esempio \"%2\")",                                     // 142
          "%1 lemmi senza una traduzione che entri in un record (per esempio \"%2\")",                            // 143
          "%1 traduzioni con caratteri assenti dal set di caratteri",                                             // 144
          "%1 traduzioni più lunghe di un intero campo",                                                          // 145
          "%1 voci aggiunte da te sono state mantenute",                                                          // 146
          "Importare questo dizionario?",                                                                         // 147
          "Importa",                                                                                              // 148
          "a breve",                                                                                              // 149
          "Mostrata in anticipo; prevista alle",                                                                  // 150
          "Alcune righe del file delle schede di ripasso non erano leggibili; sono state messe da parte in",      // 151
          "Le altre schede restano e il ripasso continua.",                                                       // 152
          "Il file delle schede di ripasso è troppo grande per essere letto; è stato conservato come",            // 153
          "Questo file accanto all'elenco non è un file normale (un collegamento, una pipe o un dispositivo) e "
          "resta com'è:",                                                  // 154
          "Questo ripasso non viene salvato.",                             // 155
          "Le valutazioni non vengono scritte nel registro del ripasso.",  // 156
          "File di testo (*.txt)",                                         // 157
          "Tutti i file (*)",                                              // 158
          "Nessuna voce per questa parola; ecco le più vicine.",           // 159
          "Il registro di un'importazione interrotta non è stato eseguito: nomina file che nessuna importazione "
          "scrive, oppure non è un file normale. Non è stato rinominato nulla. Eliminarlo per non vedere più "
          "questo messaggio:",  // 160
          "sostantivo|verbo|aggettivo|avverbio|pronome|preposizione|congiunzione|interiezione|numerale|articolo|"
          "maschile|femminile|neutro|plurale",                                    // 161
          "Sinonimi",                                                             // 162
          "Vedi anche",                                                           // 163
          "Nota",                                                                 // 164
          "Nessuna voce per questa parola.",                                      // 165
          "Cerca nelle voci",                                                     // 166
          "Parole di una traduzione, di una nota o di un esempio:",               // 167
          "Nessuna voce contiene queste parole.",                                 // 168
          "Voci che contengono tutte le parole: %1",                              // 169
          "Nessuna voce contiene tutte le parole; queste ne contengono alcune.",  // 170
          "Le voci vengono indicizzate per \"Cerca nelle voci\". Succede una volta sola, e di nuovo dopo ogni modifica "
          "del dizionario.",                                                       // 171
          "Non è possibile indicizzare le voci:",                                  // 172
          "Parola|Traduzione|Dizionario",                                          // 173
          "Pronuncia la parola (F5 la ripete)",                                    // 174
          "Ascolto: senti la parola e scrivila",                                   // 175
          "Scrivi la parola che senti e premi Invio (F5 la riproduce di nuovo).",  // 176
          "In entrambi i sensi",                                                   // 177
          "Adatta la pianificazione ai miei ripassi",                              // 178
          "Torna alla pianificazione predefinita",                                 // 179
          "Adattamento della pianificazione ai tuoi ripassi...",                   // 180
          "I ripassi sono ancora troppo pochi per adattare la pianificazione (%1). La pianificazione resta "
          "invariata.",  // 181
          "Pianificazione adattata su %1 ripassi. Sui %2 ripassi tenuti fuori dall'adattamento, la perdita logaritmica "
          "(più è bassa, meglio è) è %3 con la pianificazione usata finora e %4 con quella adattata.",  // 182
          "Con così pochi ripassi è stato adattato solo quanto a lungo una scheda viene ricordata dopo la sua prima "
          "valutazione; il resto sarà adattato quando ce ne saranno di più.",                          // 183
          "Pianificare da ora in poi le schede con i parametri adattati?",                             // 184
          "Pianificazione adattata ai tuoi ripassi il %1",                                             // 185
          "Pianificazione predefinita",                                                                // 186
          "%1 nuovi ripassi da quando la pianificazione è stata adattata: adattala di nuovo.",         // 187
          "Progressi",                                                                                 // 188
          "Ripassi al giorno, ultimi 30 giorni",                                                       // 189
          "Schede da ripassare al giorno, prossimi 30 giorni",                                         // 190
          "Schede ricordate un giorno o più dopo il ripasso precedente: %1 su %2 (%3), obiettivo %4",  // 191
          "Ancora nessun ripasso.",                                                                    // 192
          "Obiettivo",                                                                                 // 193
          "Mazzi Anki (*.apkg)",                                                                       // 194
          "Importa elenco di parole",                                                                  // 195
          "Elenchi di parole (*.csv *.tsv *.txt *.apkg)",                                              // 196
          "Colonna delle parole:",                                                                     // 197
          "Colonna delle traduzioni:",                                                                 // 198
          "La prima riga contiene i nomi delle colonne",                                               // 199
          "Codifica:",                                                                                 // 200
          "Nell'elenco esercizi:",                                                                     // 201
          "Aggiunta delle parole al dizionario...",                                                    // 202
          "Colonna %1",                                                                                // 203
          "Aggiunte al dizionario: %1\nGià nel dizionario: %2\n"
          "Troppo lunghe (una parola ha al massimo 30 caratteri, una traduzione 50): %3\n"
          "Con caratteri assenti dal set di caratteri della lingua: %4\n"
          "Tralasciate (senza parola o traduzione, o con una virgola nella parola): %5\n\n"
          "Elenco esercizi \"%6\": %7 parole.",                                                   // 204
          "Non è possibile importare l'elenco di parole:",                                        // 205
          "Il file non contiene testo: sembra fatto dei byte di un programma o di un'immagine.",  // 206
          "Riga %1: una virgoletta apre un campo che non finisce mai.",                           // 207
          "Il file non può essere letto.",                                                        // 208
          "Il file è troppo grande per un elenco di parole.",                                     // 209
          "Il file non è un pacchetto Anki: non è un archivio zip.",                              // 210
          "Il pacchetto non contiene nessuna raccolta Anki.",                                     // 211
          "Decompressa, la raccolta del pacchetto supererebbe di molto qualsiasi elenco di parole, quindi resta "
          "compressa.",                                                          // 212
          "Il pacchetto è danneggiato.",                                         // 213
          "Il file non contiene nessuna riga con una parola e una traduzione.",  // 214
          "Unito con ciò che un altro computer ha cambiato:\n%1 ripassi, %2 nuove voci, %3 correzioni, %4 voci di "
          "liste di esercizio; di %5 altri file è stato tenuto il più recente.",                // 215
          "Questi file non si sono potuti unire. Restano accanto ai file a cui appartengono:",  // 216
      },
      {
          // ZEMBO
          {{"&File",
            {"Sempre in primo piano", "Pronuncia le parole senza registrazione", "Ripassa l'elenco di esercizio",
             "&Cerca parole in un file di testo", "&Importa dizionario...", "Importa elenco di &parole...",
             "&Esci\tCtrl+X"}},
           {"Gu&ida", {"&Guida al Dizionario\tF1", "&Informazioni su..."}}},
          // ZOEKEN
          {{"&Set di caratteri", {"&Attivo", "&Disattivo"}},
           {"Ricerca automatica dagli Appunti", {"Attiva", "Disattiva"}},
           {"&Voce", {"Mostra", "Nascondi"}},
           {"&Cerca", {"Cerca nelle &voci...\tCtrl+F"}}},
          // TEKENSET
          {{"&Set di caratteri", {"&Attivo", "&Disattivo"}}},
          // LIST
          {{"&File",
            {"Crea nuovo elenco", "Elimina elenco corrente", "Esporta elenco...", "Esporta come mazzo Anki..."}}},
          // READFILE
          {{"&File", {"&Apri file di testo", "&Incolla testo dagli Appunti"}}, {"&Voce", {"Mostra", "Nascondi"}}},
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
