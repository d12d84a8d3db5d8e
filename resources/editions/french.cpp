// The French edition. Texts as the program shows them; "\\" is one backslash of a folder name,
// and trailing blanks are part of the texts that carry them.
#include "resources/resourcedata.h"

namespace zembo {

const EditionSource& frenchEdition() {
  static const EditionSource edition{
      {
          "Dictionnaire",              // 0
          "langue\\",                  // 1
          "liste\\",                   // 2
          "liste\\temp.ls",            // 3
          "langue\\tempfile",          // 4
          "icones\\",                  // 5
          "zemboicon",                 // 6
          "Terminé",                   // 7
          "Annuler",                   // 8
          "OK",                        // 9
          "tekenset",                  // 10
          "Toujours au premier plan",  // 11
          "french",                    // 12
          "0",                         // 13
          "Impossible de régler la LOCALE\nLe résultat du tri peut être incorrect.\n\n"
          "Installez la prise en charge multilingue de cette langue depuis votre cd-rom "
          "Windows.   ",                                                // 14
          "FrenchAviDelay",                                             // 15
          "Exercice de vocabulaire",                                    // 16
          "Lent",                                                       // 17
          "Rapide",                                                     // 18
          "170",                                                        // 19
          "Vous êtes arrivé à la fin de la liste. ",                    // 20
          "La liste d'exercices",                                       // 21
          "est vide.      \n\nCréer une nouvelle liste d'exercices ?",  // 22
          "Quitter",                                                    // 23
          "Créer une liste d'exercices",                                // 24
          "Tout ajouter",                                               // 25
          "Tout retirer",                                               // 26
          "Ajout aléatoire",                                            // 27
          "Chercher",                                                   // 28
          "Ajouter des mots à la liste",                                // 29
          "Cliquez sur un mot pour l'ajouter à la liste",               // 30
          "Cliquez sur un mot pour le retirer de la liste",             // 31
          "Liste d'exercices",                                          // 32
          "SUPPRIMÉ",                                                   // 33
          "Mise à jour de la liste",                                    // 34
          "Mise à jour de la liste\nUn instant, s'il vous plaît",       // 35
          "Ajouter des mots au hasard",                                 // 36
          "Supprimer l'ancienne liste",                                 // 37
          "Nombre de mots (max. ",                                      // 38
          "Imprimer",                                                   // 39
          "Envoi de la liste de mots à l'imprimante",                   // 40
          "Mot",                                                        // 41
          "Créer une nouvelle liste",                                   // 42
          "Nom de la liste : ",                                         // 43
          "Supprimer la liste actuelle",                                // 44
          "Supprimer la liste",                                         // 45
          "Listes",                                                     // 46
          "Les caractères / \\ < > | . : ? * ont une signification particulière et ne sont pas "
          "autorisés.   ",                                       // 47
          "Voulez-vous vraiment supprimer la liste",             // 48
          " ?",                                                  // 49
          "Vous devez garder au moins une liste.   ",            // 50
          "Impossible de supprimer le dossier",                  // 51
          "Français",                                            // 52
          "dict.ini",                                            // 53
          "on",                                                  // 54
          "off",                                                 // 55
          "[langue]",                                            // 56
          "[selectionné]",                                       // 57
          "13",                                                  // 58
          "[ajouter]",                                           // 59
          "9",                                                   // 60
          "Écriture",                                            // 61
          "Lecture",                                             // 62
          "Tri",                                                 // 63
          "Ajouter des mots",                                    // 64
          "VALIDEZ CHAQUE SAISIE AVEC ENTRÉE",                   // 65
          "Virgule interdite dans ce champ",                     // 66
          "ajouter des mots",                                    // 67
          "Nouvelles entrées",                                   // 68
          "Erreur de lecture",                                   // 69
          "Tri",                                                 // 70
          "Tri des mots en cours\nUn instant, s'il vous plaît",  // 71
          "Échec du tri  ",                                      // 72
          "Erreur",                                              // 73
          "Dictionnaire",                                        // 74
          "Fichier INI introuvable, programme interrompu.\n\nSignalez ce message à :\n"
          "support@zembo.example\nhttp://www.zembo.example",                             // 75
          "&Langue",                                                                     // 76
          "Ajouter des mots",                                                            // 77
          "Commencer l'exercice",                                                        // 78
          "Chercher",                                                                    // 79
          "Créer une liste d'exercices",                                                 // 80
          "http://www.zembo.example",                                                    // 81
          "support@zembo.example",                                                       // 82
          "dictionnaire.hlp",                                                            // 83
          "Chercher des mots",                                                           // 84
          "Supprimer l'entrée",                                                          // 85
          "Rétablir l'entrée",                                                           // 86
          "Recherche automatique du presse-papiers",                                     // 87
          "Copier",                                                                      // 88
          "Coller",                                                                      // 89
          "Écouter",                                                                     // 90
          "Chercher les mots d'un fichier texte",                                        // 91
          "Aide",                                                                        // 92
          "Chercher les mots d'un fichier texte",                                        // 93
          "Jeu de caractères",                                                           // 94
          "Réviser la liste d'exercices",                                                // 95
          "Tapez la traduction et appuyez sur Entrée (Entrée seule l'affiche)",          // 96
          "À revoir",                                                                    // 97
          "Difficile",                                                                   // 98
          "Correct",                                                                     // 99
          "Facile",                                                                      // 100
          "Votre réponse :",                                                             // 101
          "Plus rien à réviser pour l'instant.",                                         // 102
          "Prochaine carte :",                                                           // 103
          "Le fichier des cartes de révision était endommagé ; il a été conservé sous",  // 104
          "La révision reprend depuis le début.",                                        // 105
          "Cartes restantes :",                                                          // 106
          "Exporter la liste",                                                           // 107
          "Impossible d'écrire le fichier",                                              // 108
          "entrées",                                                                     // 109
          "est déjà dans le dictionnaire.\n\n"
          "Remplacer ses mots par ceux du nouveau dictionnaire ? Les mots que vous avez ajoutés sont conservés.",  // 110
          "Le dictionnaire est en cours d'importation\nUn instant s'il vous plaît",  // 111
          "Dictionnaires dictd (*.index)",                                           // 112
          "Importer un dictionnaire",                                                // 113
          "%1 : fichier introuvable.",                                               // 114
          "%1 ne peut pas être ouvert.",                                             // 115
          "%1 ne peut pas être lu.",                                                 // 116
          "%1 est endommagé ou incomplet et ne peut pas être importé.",              // 117
          "%1 : données compressées endommagées dans le bloc %2.",                   // 118
          "%1 est endommagé : sa somme de contrôle ne correspond pas à son texte.",  // 119
          "%1, ligne %2 : ligne d'index endommagée.",                                // 120
          "%1 : la ligne d'index %2 désigne un article qui finit à l'octet %3, au-delà des %4 octets que ce fichier "
          "peut contenir.",                                                                                       // 121
          "%1 contient bien plus que ses articles : décompressé, il dépasse les %2 octets que nomme son index.",  // 122
          "%1 : l'article de la ligne d'index %2 n'est pas du texte UTF-8.",                                      // 123
          "%1 ne peut pas être lu : mémoire insuffisante.",                                                       // 124
          "%1 traduit vers : %2, mais la langue de ce dictionnaire est : %3. Seuls les dictionnaires vers cette langue "
          "peuvent être importés : choisissez-en un dans la liste.",                    // 125
          "L'importateur ne connaît pas la langue de %1 ; il ne peut pas l'importer.",  // 126
          "%1 n'est pas un dossier de dictionnaire complet.",                           // 127
          "L'ordre de tri %1 n'est pas disponible sur ce système.",                     // 128
          "Le dossier %1 ne peut pas être créé : %2.",                                  // 129
          "%1 ne peut pas être écrit : %2.",                                            // 130
          "%1 ne peut pas être renommé en %2 : %3. La prochaine importation ou le prochain démarrage l'achèvera.",  // 131
          "Une importation précédente ne peut pas être achevée (%1) : %2.",                                      // 132
          "%1 ne peut pas être supprimé.",                                                                       // 133
          "le disque est plein",                                                                                 // 134
          "permission refusée",                                                                                  // 135
          "Le dictionnaire ne peut pas être importé.",                                                           // 136
          "%1 : %2 mots-vedettes, importés en %3 secondes",                                                      // 137
          "enregistrements écrits : %1 de %2 vers %3, %4 de %3 vers %2",                                         // 138
          "omis :",                                                                                              // 139
          "%1 mots-vedettes de plus de 30 octets (par exemple « %2 »)",                                          // 140
          "%1 mots-vedettes avec des caractères absents du jeu de caractères (par exemple « %2 »)",              // 141
          "%1 mots-vedettes sans traduction dans leur article (par exemple « %2 »)",                             // 142
          "%1 mots-vedettes sans traduction qui tienne dans un enregistrement (par exemple « %2 »)",             // 143
          "%1 traductions avec des caractères absents du jeu de caractères",                                     // 144
          "%1 traductions plus longues qu'un champ entier",                                                      // 145
          "%1 entrées ajoutées par vous ont été gardées",                                                        // 146
          "Importer ce dictionnaire ?",                                                                          // 147
          "Importer",                                                                                            // 148
          "bientôt",                                                                                             // 149
          "Montrée en avance ; prévue à",                                                                        // 150
          "Des lignes du fichier des cartes de révision étaient illisibles ; elles ont été mises de côté dans",  // 151
          "Les autres cartes sont conservées et la révision continue.",                                          // 152
          "Le fichier des cartes de révision est trop grand pour être lu ; il a été conservé sous",              // 153
          "Ce fichier à côté de la liste n'est pas un fichier ordinaire (un lien, un tube ou un périphérique) ; il est "
          "laissé tel quel :",                                           // 154
          "Cette révision n'est pas enregistrée.",                       // 155
          "Les notes ne sont pas écrites dans le journal de révision.",  // 156
          "Fichiers texte (*.txt)",                                      // 157
          "Tous les fichiers (*)",                                       // 158
          "Ce mot n'a pas d'entrée ; voici les plus proches.",           // 159
          "Le journal d'une importation interrompue n'a pas été exécuté : il nomme des fichiers qu'aucune importation "
          "n'écrit, ou ce n'est pas un fichier ordinaire. Rien n'a été renommé. Supprimez-le pour ne plus voir ce "
          "message :",  // 160
          "nom|verbe|adjectif|adverbe|pronom|préposition|conjonction|interjection|numéral|article|masculin|féminin|"
          "neutre|pluriel",                                                                // 161
          "Synonymes",                                                                     // 162
          "Voir aussi",                                                                    // 163
          "Remarque",                                                                      // 164
          "Pas d'article pour ce mot.",                                                    // 165
          "Chercher dans les entrées",                                                     // 166
          "Mots d'une traduction, d'une remarque ou d'un exemple :",                       // 167
          "Aucune entrée ne contient ces mots.",                                           // 168
          "Entrées qui contiennent tous les mots : %1",                                    // 169
          "Aucune entrée ne contient tous les mots ; celles-ci en contiennent certains.",  // 170
          "Les entrées sont indexées pour « Chercher dans les entrées ». Cela n'a lieu qu'une fois, puis de nouveau "
          "après chaque modification du dictionnaire.",                                                          // 171
          "Les entrées ne peuvent pas être indexées :",                                                          // 172
          "Mot|Traduction|Dictionnaire",                                                                         // 173
          "Prononcer le mot (F5 le répète)",                                                                     // 174
          "Écoute : entendre le mot, le taper",                                                                  // 175
          "Tapez le mot que vous entendez et appuyez sur Entrée (F5 le rejoue).",                                // 176
          "Dans les deux sens",                                                                                  // 177
          "Ajuster le calendrier à mes révisions",                                                               // 178
          "Revenir au calendrier par défaut",                                                                    // 179
          "Ajustement du calendrier à vos révisions...",                                                         // 180
          "Il y a encore trop peu de révisions pour ajuster le calendrier (%1). Le calendrier reste tel quel.",  // 181
          "Calendrier ajusté sur %1 révisions. Sur %2 révisions tenues à l'écart de l'ajustement, la perte "
          "logarithmique (plus elle est faible, mieux c'est) vaut %3 avec le calendrier utilisé jusqu'ici et %4 avec "
          "le calendrier ajusté.",  // 182
          "Avec si peu de révisions, seule la durée pendant laquelle une carte est retenue après sa première note a "
          "été ajustée ; le reste le sera quand il y en aura davantage.",                                // 183
          "Planifier désormais les cartes avec les paramètres ajustés ?",                                // 184
          "Calendrier ajusté à vos révisions le %1",                                                     // 185
          "Calendrier par défaut",                                                                       // 186
          "%1 nouvelles révisions depuis l'ajustement du calendrier : ajustez-le à nouveau.",            // 187
          "Progrès",                                                                                     // 188
          "Révisions par jour, les 30 derniers jours",                                                   // 189
          "Cartes à réviser par jour, les 30 prochains jours",                                           // 190
          "Cartes retenues un jour ou plus après la révision précédente : %1 sur %2 (%3), objectif %4",  // 191
          "Aucune révision pour l'instant.",                                                             // 192
          "Objectif",                                                                                    // 193
          "Paquets Anki (*.apkg)",                                                                       // 194
          "Importer une liste de mots",                                                                  // 195
          "Listes de mots (*.csv *.tsv *.txt *.apkg)",                                                   // 196
          "Colonne des mots :",                                                                          // 197
          "Colonne des traductions :",                                                                   // 198
          "La première ligne nomme les colonnes",                                                        // 199
          "Encodage :",                                                                                  // 200
          "Dans la liste d'exercices :",                                                                 // 201
          "Ajout des mots au dictionnaire...",                                                           // 202
          "Colonne %1",                                                                                  // 203
          "Ajoutés au dictionnaire : %1\nDéjà dans le dictionnaire : %2\n"
          "Trop longs (un mot a au plus 30 caractères, une traduction 50) : %3\n"
          "Avec des caractères absents du jeu de caractères de la langue : %4\n"
          "Omis (sans mot, sans traduction ou virgule dans le mot) : %5\n\n"
          "Liste d'exercices « %6 » : %7 mots.",                                                           // 204
          "La liste de mots ne peut pas être importée :",                                                  // 205
          "Le fichier ne contient pas de texte : il ressemble aux octets d'un programme ou d'une image.",  // 206
          "Ligne %1 : un guillemet ouvre un champ qui ne se termine jamais.",                              // 207
          "Le fichier ne peut pas être lu.",                                                               // 208
          "Le fichier est trop grand pour une liste de mots.",                                             // 209
          "Le fichier n'est pas un paquet Anki : ce n'est pas une archive zip.",                           // 210
          "Le paquet ne contient aucune collection Anki.",                                                 // 211
          "Décompressée, la collection du paquet dépasserait de loin toute liste de mots ; elle reste donc "
          "compressée.",                                                                      // 212
          "Le paquet est endommagé.",                                                         // 213
          "Le fichier ne contient aucune ligne qui ait à la fois un mot et une traduction.",  // 214
          "Fusionné avec ce qu'un autre ordinateur a modifié :\n%1 révisions, %2 nouvelles entrées, %3 corrections, %4 "
          "entrées de listes d'exercice ; de %5 autres fichiers, le plus récent a été gardé.",  // 215
          "Ces fichiers n'ont pas pu être fusionnés. Ils restent à côté des fichiers auxquels ils appartiennent :",  // 216
      },
      {
          // ZEMBO
          {{"&Fichier",
            {"Toujours au premier plan", "Prononcer les mots sans enregistrement", "Réviser la liste d'exercices",
             "&Chercher les mots d'un fichier texte", "&Importer un dictionnaire...", "Importer une liste de &mots...",
             "&Quitter\tCtrl+Q"}},
           {"Ai&de", {"&Aide du Dictionnaire\tF1", "À &propos..."}}},
          // ZOEKEN
          {{"&Jeu de caractères", {"&Activé", "&Désactivé"}},
           {"Recherche automatique du presse-papiers", {"Activée", "Désactivée"}},
           {"&Article", {"Afficher", "Masquer"}},
           {"&Chercher", {"Chercher dans les &entrées...\tCtrl+F"}}},
          // TEKENSET
          {{"&Jeu de caractères", {"&Activé", "&Désactivé"}}},
          // LIST
          {{"&Fichier",
            {"Créer une nouvelle liste", "Supprimer la liste actuelle", "Exporter la liste...",
             "Exporter en paquet Anki..."}}},
          // READFILE
          {{"&Fichier", {"&Ouvrir un fichier texte", "Co&ller le texte du presse-papiers"}},
           {"&Article", {"Afficher", "Masquer"}}},
      },
      {
          // ABOUTBOX
          {"Dictionnaire",
           {
               "Dictionnaire zembo, version 1.0",
               "Dictionnaire bilingue pour les apprenants",
               "http://www.zembo.example",
               "support@zembo.example",
               "OK",
           }},
          // LISTDIALOG
          {"Créer une nouvelle liste",
           {
               "Nom de la liste : ",
               "OK",
               "Annuler",
           }},
          // IMPORTDIALOG
          {"Importer un dictionnaire",
           {
               "Dictionnaires sur cet ordinateur :",
               "&Autre fichier...",
               "&Importer",
               "Annuler",
           }},
      },
      {'A', 'P', 'C', 'I', 'Q'},
  };
  return edition;
}

}  // namespace zembo
