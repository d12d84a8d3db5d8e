// Speech speed: for 200 common words of each of German, French and English, the time from the
// call to the first audio buffer and to the whole word's samples of the in-program synthesis
// (voice loaded once per language), beside eSpeak NG's own command-line program speaking the
// same word into /dev/null, measured in the same run. Each figure is the best of three runs of
// the median over the words.
//
//   bench_speech

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "bench/benchutil.h"
#include "platform/qt/speech.h"

extern char** environ;

namespace {

using namespace zembo;
using bench::Clock;

// Two hundred common German words.
const char* const germanWords =
    "der die das und sein haben werden können müssen sagen machen geben kommen sollen wollen gehen wissen "
    "sehen lassen stehen finden bleiben liegen heißen denken nehmen tun dürfen glauben halten nennen "
    "mögen zeigen führen sprechen bringen leben fahren meinen fragen kennen gelten stellen spielen "
    "arbeiten brauchen folgen lernen bestehen verstehen setzen bekommen beginnen erzählen versuchen "
    "schreiben laufen erklären entsprechen sitzen ziehen scheinen fallen gehören entstehen erhalten "
    "treffen suchen legen vorstellen handeln erreichen tragen schaffen lesen verlieren darstellen "
    "erkennen entwickeln reden aussehen erscheinen bilden anfangen erwarten wohnen betreffen warten "
    "vergehen helfen gewinnen schließen fühlen bieten interessieren erinnern ergeben anbieten studieren "
    "verbinden ansehen fehlen bedeuten vergleichen Jahr Mal Zeit Mensch Kind Frau Mann Tag Hand Land "
    "Stadt Haus Weg Welt Leben Auge Woche Arbeit Schule Wasser Sonne Baum Tisch Stuhl Fenster Tür Buch "
    "Brot Milch Apfel Hund Katze Vogel Pferd Freund Mutter Vater Bruder Schwester Straße Auto Zug Geld "
    "Nacht Morgen Abend Himmel Meer Berg Blume Wald Garten Kopf Herz Sprache Wort Frage Antwort Musik "
    "Bild Farbe Zimmer Küche Bett Schlüssel Uhr Brief Zeitung Arzt Lehrer groß klein gut schlecht neu alt "
    "jung lang kurz hoch schön warm kalt schnell langsam leicht schwer früh spät hell dunkel laut leise "
    "richtig falsch glücklich";

// Two hundred common French words.
const char* const frenchWords =
    "être avoir faire dire pouvoir aller voir savoir vouloir venir falloir devoir croire trouver donner "
    "prendre parler aimer passer mettre demander tenir sembler laisser rester penser entendre regarder "
    "répondre rendre connaître paraître arriver sentir attendre vivre chercher sortir comprendre porter "
    "entrer devenir revenir écrire appeler tomber commencer servir perdre suivre partir ouvrir finir "
    "jouer lire courir dormir manger boire acheter payer travailler apprendre oublier changer marcher "
    "monter descendre chanter danser nager conduire envoyer recevoir montrer expliquer essayer aider "
    "fermer compter choisir gagner écouter pleurer rire tourner garder jeter tirer toucher sauter voler "
    "jour temps homme femme enfant monde vie main maison pays ville rue voiture train argent nuit matin "
    "soir ciel mer montagne fleur forêt jardin tête cœur langue mot question réponse musique image "
    "couleur chambre cuisine lit clé montre lettre journal médecin professeur école eau soleil arbre "
    "table chaise fenêtre porte livre pain lait pomme chien chat oiseau cheval ami mère père frère sœur "
    "année semaine heure minute travail histoire famille pied œil bouche nez oreille bras jambe visage "
    "corps grand petit bon mauvais nouveau vieux jeune long court haut beau chaud froid rapide lent "
    "facile difficile tôt tard clair sombre fort doux vrai faux heureux fatigué malade riche";

// Two hundred common English words.
const char* const englishWords =
    "be have do say get make go know take see come think look want give use find tell ask work seem feel "
    "try leave call keep let begin help talk turn start show hear play run move like live believe hold "
    "bring happen write provide sit stand lose pay meet include continue set learn change lead understand "
    "watch follow stop create speak read allow add spend grow open walk win offer remember love consider "
    "appear buy wait serve die send expect build stay fall cut reach kill remain time year people way day "
    "man woman child world life hand part place case week company system program question government "
    "number night point home water room mother area money story fact month lot right study book eye job "
    "word business issue side kind head house service friend father power hour game line end member law "
    "car city community name president team minute idea kid body information back parent face others "
    "level office door health person art war history party result morning reason research girl guy moment "
    "air teacher force education good new first last long great little own other old big high different "
    "small large next early young important few public bad";

std::vector<std::string> split(const char* words) {
  std::istringstream in(words);
  std::vector<std::string> out;
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}

double millisSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Figures {
  double firstBuffer = 1e9;  // ms, median over the words
  double wholeWord = 1e9;
  double commandLine = 1e9;
  double audioSeconds = 0;  // of all the words together
};

double inProgram(const std::string& voice, const std::vector<std::string>& words, Figures& figures) {
  std::vector<double> first, whole;
  double audio = 0;
  for (const std::string& word : words) {
    Clock::time_point firstAt{};
    const auto start = Clock::now();
    const SpokenWord spoken = synthesize(voice, word, [&] { firstAt = Clock::now(); });
    whole.push_back(millisSince(start));
    first.push_back(std::chrono::duration<double, std::milli>(firstAt - start).count());
    audio += double(spoken.samples.size()) / std::max(spoken.rate, 1);
  }
  figures.firstBuffer = std::min(figures.firstBuffer, median(first));
  figures.wholeWord = std::min(figures.wholeWord, median(whole));
  return audio;
}

// "espeak-ng -v voice -w /dev/null word", one process a word.
bool commandLine(const std::string& voice, const std::vector<std::string>& words, Figures& figures) {
  std::vector<double> times;
  for (const std::string& word : words) {
    std::vector<std::string> args = {"espeak-ng", "-v", voice, "-w", "/dev/null", word};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, "espeak-ng", nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    waitpid(child, &status, 0);
    times.push_back(millisSince(start));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  }
  figures.commandLine = std::min(figures.commandLine, median(times));
  return true;
}

}  // namespace

int main() {
  struct Language {
    const char* name;
    const char* voice;
    std::vector<std::string> words;
  };
  const Language languages[] = {{"German", "de", split(germanWords)},
                                {"French", "fr", split(frenchWords)},
                                {"English", "en", split(englishWords)}};
  std::printf("200 words of each language; medians over the words, best of three runs; milliseconds\n");
  std::printf("%-8s %12s %12s %10s %14s %12s %12s\n", "", "voice load", "first buffer", "whole word", "command line",
              "ratio whole", "audio/word");
  for (const Language& language : languages) {
    // The voice's first load, which a user meets once per language at the first Play.
    const auto loadStart = Clock::now();
    synthesize(language.voice, "a");
    const double voiceLoad = millisSince(loadStart);
    Figures figures;
    double audio = 0;
    bool commandLineRan = true;
    for (int run = 0; run < 3; ++run) {
      synthesize(language.voice, "a");  // the voice loaded, as it stays between words of one language
      audio = inProgram(language.voice, language.words, figures);
      commandLineRan = commandLineRan && commandLine(language.voice, language.words, figures);
    }
    if (!commandLineRan) {
      std::printf("%-8s espeak-ng did not run\n", language.name);
      return 1;
    }
    std::printf("%-8s %12.2f %12.2f %10.2f %14.2f %12.3f %11.0f\n", language.name, voiceLoad, figures.firstBuffer,
                figures.wholeWord, figures.commandLine, figures.wholeWord / figures.commandLine,
                1000 * audio / double(language.words.size()));
  }
  std::printf(
      "(voice load: the language's first word, with the engine's start for the first language;\n"
      " first buffer: synthesis until eSpeak NG hands over its first samples; whole word: all samples;\n"
      " command line: one espeak-ng process a word, with its start and voice load; audio/word: the\n"
      " spoken length of a word in ms, which playback adds after the first buffer)\n");
  return 0;
}
