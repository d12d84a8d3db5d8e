#include "practice/ankiexport.h"

#include <fstream>
#include <iterator>
#include <set>

#include "directions/directions.h"
#include "lookup/articlepane.h"
#include "lookup/articles.h"
#include "lookup/soundfiles.h"
#include "platform/codepage.h"
#include "platform/qt/soundencoding.h"
#include "platform/qt/speech.h"
#include "practice/reviewdeck.h"
#include "resources/uilanguage.h"
#include "review/cards.h"
#include "store/store.h"

namespace zembo {

namespace {

const std::vector<std::string> fieldNames = {"Word",    "Translation", "Pronunciation", "Gender/part of speech",
                                             "Example", "Sound"};
const std::string details = "<br>{{Pronunciation}} {{Gender/part of speech}}<br><i>{{Example}}</i>";

// What the article of a word adds to its note: "/ˈhʊnt/", "der, noun, masculine", the first example.
struct ArticleFields {
  std::string pronunciation, grammar, example;
};

ArticleFields articleFieldsOf(const WordRecord& record, const ArticleWords& words) {
  ArticleFields fields;
  for (const ArticleBlock& block : articleBlocksOf(record)) {
    if (fields.pronunciation.empty() && !block.pronunciation.empty())
      fields.pronunciation = "/" + block.pronunciation + "/";
    if (fields.grammar.empty()) {
      const std::string article = nounArticle(block, words.language);
      const std::string grammar = grammarText(block, words);
      fields.grammar = article;
      if (!article.empty() && !grammar.empty()) fields.grammar += ", ";
      fields.grammar += grammar;
    }
    for (const ArticleSense& sense : block.senses)
      if (fields.example.empty() && !sense.examples.empty())
        fields.example =
            sense.examples[0].first + (sense.examples[0].second.empty() ? "" : " — " + sense.examples[0].second);
  }
  return fields;
}

bool readWholeFile(const std::filesystem::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), {});
  return in.good() || in.eof();
}

// The word's sound as a deck carries it: its recording as it is, or its speech as Ogg Vorbis;
// false when it has neither.
bool soundOf(const DictionaryDirection& d, const std::string& word, const std::string& name, AnkiMedia& media) {
  const std::filesystem::path recording = soundFilePath(d.sourceName, word, d.sourceCharset);
  std::error_code error;
  if (std::filesystem::is_regular_file(recording, error) && readWholeFile(recording, media.bytes)) {
    media.name = name + ".wav";
    return true;
  }
  const std::string voice = voiceOfLanguage(toUtf8(d.sourceName, uiCodePage()));
  if (voice.empty()) return false;
  const SpokenWord spoken = synthesize(voice, toUtf8(word, codePageOfCharset(d.sourceCharset)));
  media.name = name + ".ogg";
  return encodeOggVorbis(spoken.samples, spoken.rate, media.bytes);
}

}  // namespace

AnkiDeck currentListAnkiDeck() {
  const DictionaryDirection& d = *directions.currentDirection;
  const std::string source = toUtf8(d.sourceName, uiCodePage()), target = toUtf8(d.targetName, uiCodePage());
  AnkiDeck deck;
  deck.name = toUtf8(store.practiceListName, uiCodePage());
  deck.noteTypeName = "zembo " + source + " - " + target;
  deck.fieldNames = fieldNames;
  deck.templates = {
      {source + " - " + target, "{{Word}}<br>{{Sound}}", "{{FrontSide}}<hr id=answer>{{Translation}}" + details},
      {target + " - " + source, "{{Translation}}", "{{FrontSide}}<hr id=answer>{{Word}}<br>{{Sound}}" + details}};
  followCurrentDirectionArticles();
  ArticleWords words = editionArticleWords();
  words.language = articles.language;
  // The list, the direction and the word name a note in every export.
  std::string guidPrefix = deck.name;
  for (const std::string* part : {&source, &target}) guidPrefix.append("\t").append(*part);
  guidPrefix += '\t';
  std::set<std::string> seen;
  WordRecord record;
  for (int i = 0; i < store.listCount; ++i) {
    if (readListRecord(i, record) != 0 || isDeleted(record) || wordOf(record).empty()) continue;
    const std::string word(wordOf(record));
    if (!seen.insert(word).second) continue;  // entries of one word are one note
    const std::string utf8Word = toUtf8(word, codePageOfCharset(d.sourceCharset));
    AnkiNote note;
    note.guid = stableGuid(guidPrefix + utf8Word);
    const ArticleFields article = articleFieldsOf(record, words);
    AnkiMedia media;
    const bool sound = soundOf(d, word, "zembo-" + hex64(stableHash(note.guid)), media);
    note.fields = {escapeHtml(utf8Word),
                   escapeHtml(toUtf8(wholeTranslationOf(record), codePageOfCharset(d.targetCharset))),
                   escapeHtml(article.pronunciation),
                   escapeHtml(article.grammar),
                   escapeHtml(article.example),
                   sound ? "[sound:" + media.name + "]" : ""};
    if (sound) deck.media.push_back(std::move(media));
    deck.notes.push_back(std::move(note));
  }
  return deck;
}

bool exportCurrentListAsAnkiDeck(const std::filesystem::path& target, std::int64_t nowMilliseconds,
                                 std::string& error) {
  return writeApkg(target, currentListAnkiDeck(), error, nowMilliseconds);
}

}  // namespace zembo
