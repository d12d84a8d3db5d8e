#include "platform/qt/speech.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QString>

#include <espeak-ng/speak_lib.h>

#include <map>

#include "platform/qt/sound.h"

namespace zembo {

namespace {

struct VoiceOfLanguage {
  const char* voice;
  std::vector<const char*> names;  // in the editions' languages and the language's own
};

// English, French, Swedish, Russian in Latin and in Cyrillic letters, Dutch, Italian, Norwegian,
// Danish and German names of each language, then its own name where that differs.
const VoiceOfLanguage voices[] = {
    {"en", {"English", "Anglais", "Engelska", "Angliyskiy", "Английский", "Engels", "Inglese", "Engelsk", "Englisch"}},
    {"fr",
     {"French", "Français", "Franska", "Frantsuzskiy", "Французский", "Frans", "Francese", "Fransk", "Französisch"}},
    {"de", {"German", "Allemand", "Tyska", "Nemetskiy", "Немецкий", "Duits", "Tedesco", "Tysk", "Deutsch"}},
    {"nl",
     {"Dutch", "Néerlandais", "Nederländska", "Gollandskiy", "Голландский", "Nederlands", "Olandese", "Nederlandsk",
      "Hollandsk", "Niederländisch"}},
    {"it",
     {"Italian", "Italien", "Italienska", "Italyanskiy", "Итальянский", "Italiaans", "Italiano", "Italiensk",
      "Italienisch"}},
    {"sv", {"Swedish", "Suédois", "Svenska", "Shvedskiy", "Шведский", "Zweeds", "Svedese", "Svensk", "Schwedisch"}},
    {"da", {"Danish", "Danois", "Danska", "Datskiy", "Датский", "Deens", "Danese", "Dansk", "Dänisch"}},
    {"nb",
     {"Norwegian", "Norvégien", "Norska", "Norvezhskiy", "Норвежский", "Noors", "Norvegese", "Norsk", "Norwegisch",
      "Bokmål", "Norsk bokmål"}},
    {"ru", {"Russian", "Russe", "Ryska", "Russkiy", "Русский", "Russisch", "Russo", "Russisk"}},
    {"es",
     {"Spanish", "Espagnol", "Spanska", "Ispanskiy", "Испанский", "Spaans", "Spagnolo", "Spansk", "Spanisch",
      "Español"}},
    {"pt",
     {"Portuguese", "Portugais", "Portugisiska", "Portugalskiy", "Португальский", "Portugees", "Portoghese",
      "Portugisisk", "Portugiesisch", "Português"}},
    {"pl", {"Polish", "Polonais", "Polska", "Polskiy", "Польский", "Pools", "Polacco", "Polsk", "Polnisch", "Polski"}},
    {"cs",
     {"Czech", "Tchèque", "Tjeckiska", "Cheshskiy", "Чешский", "Tsjechisch", "Ceco", "Tsjekkisk", "Tjekkisk",
      "Tschechisch", "Čeština"}},
    {"fi", {"Finnish", "Finnois", "Finska", "Finskiy", "Финский", "Fins", "Finlandese", "Finsk", "Finnisch", "Suomi"}},
};

// The engine, started at the first use; rate is 0 while it is not, -1 when it cannot start.
struct Engine {
  int rate = 0;
  std::string loadedVoice;
  std::map<std::string, bool> voiceLoads;  // whether each voice tried so far could be loaded
};

Engine engine;

struct Collector {
  std::vector<short>* samples;
  const std::function<void()>* firstBuffer;
};

int collectSamples(short* wave, int count, espeak_EVENT* events) {
  auto* collector = static_cast<Collector*>(events->user_data);
  if (!collector || !wave || count <= 0) return 0;
  if (collector->samples->empty() && *collector->firstBuffer) (*collector->firstBuffer)();
  collector->samples->insert(collector->samples->end(), wave, wave + count);
  return 0;
}

bool started() {
  if (engine.rate == 0) {
    engine.rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (engine.rate <= 0) {
      engine.rate = -1;
    } else {
      espeak_SetSynthCallback(collectSamples);
    }
  }
  return engine.rate > 0;
}

// Loads the voice unless it is the one loaded last.
bool loadVoice(const std::string& voice) {
  if (!started()) return false;
  if (voice == engine.loadedVoice) return true;
  const auto known = engine.voiceLoads.find(voice);
  if (known != engine.voiceLoads.end() && !known->second) return false;
  const bool loaded = espeak_SetVoiceByName(voice.c_str()) == EE_OK;
  engine.voiceLoads[voice] = loaded;
  engine.loadedVoice = loaded ? voice : std::string();
  return loaded;
}

}  // namespace

std::string voiceOfLanguage(std::string_view language) {
  const QString name = QString::fromUtf8(language.data(), static_cast<qsizetype>(language.size())).trimmed();
  for (const VoiceOfLanguage& entry : voices)
    for (const char* spelling : entry.names)
      if (name.compare(QString::fromUtf8(spelling), Qt::CaseInsensitive) == 0) return entry.voice;
  return {};
}

bool canSpeak(std::string_view language) {
  const std::string voice = voiceOfLanguage(language);
  if (voice.empty() || !started()) return false;
  const auto known = engine.voiceLoads.find(voice);
  return known != engine.voiceLoads.end() ? known->second : loadVoice(voice);
}

SpokenWord synthesize(std::string_view voice, std::string_view utf8Text, const std::function<void()>& firstBuffer) {
  SpokenWord word;
  if (utf8Text.find_first_not_of(" \t") == std::string_view::npos || !loadVoice(std::string(voice))) return word;
  const std::string text(utf8Text);
  Collector collector{&word.samples, &firstBuffer};
  if (espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &collector) != EE_OK)
    word.samples.clear();
  word.rate = engine.rate;
  return word;
}

bool speak(std::string_view language, std::string_view utf8Text) {
  // Without a device nothing is made: the call returns at once.
  if (QMediaDevices::defaultAudioOutput().isNull()) return false;
  const std::string voice = voiceOfLanguage(language);
  if (voice.empty()) return false;
  const SpokenWord word = synthesize(voice, utf8Text);
  return playSamples(word.samples.data(), word.samples.size(), word.rate, 1);
}

}  // namespace zembo
