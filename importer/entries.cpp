#include "importer/entries.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <future>
#include <memory>
#include <span>
#include <unordered_set>

#include "formats/fields.h"
#include "importer/articles.h"
#include "importer/compounds.h"
#include "importer/dictd.h"
#include "importer/largetables.h"
#include "importer/wordnumbers.h"
#include "platform/codepage.h"

namespace zembo {

namespace {

// Translations in their order, each once: a short list is searched, a long one looks them up in a set.
class TranslationList {
 public:
  void add(std::string_view translation) {
    if (ordered_.size() < 16 ? std::find(ordered_.begin(), ordered_.end(), translation) != ordered_.end()
                             : !isNew(translation))
      return;
    ordered_.push_back(translation);
  }
  std::vector<std::string_view> take() { return std::move(ordered_); }

 private:
  // Whether the translation is new, filling the set from the list when it is first needed.
  bool isNew(std::string_view translation) {
    if (set_.empty()) set_.insert(ordered_.begin(), ordered_.end());
    return set_.insert(translation).second;
  }
  std::vector<std::string_view> ordered_;
  std::unordered_set<std::string_view> set_;
};

// Calls f with each line of text whose lines each end with a line end.
template <typename F>
void forEachLine(std::string_view lines, F f) {
  for (std::size_t at = 0; at < lines.size();) {
    std::size_t end = lines.find('\n', at);
    if (end == std::string_view::npos) end = lines.size();
    f(lines.substr(at, end - at));
    at = end + 1;
  }
}

// The articles read so far, by both threads; the first one shows them on a terminal.
// Reading the articles is the first 70 % of an import.
constexpr int readingShare = 70;

struct Progress {
  const ImportProgress* shown = nullptr;
  std::size_t total = 0;
  std::atomic<std::size_t> done{0};
  std::atomic<bool> failed{false};  // the other thread stops too
  StepClock* clock = nullptr;       // hears a request to stop, on the showing thread

  // Each thread counts its articles a batch at a time: a count both change for every article
  // would bounce between the cores' caches.
  static constexpr std::size_t batch = 256;
  // Adds articles a thread has read; the showing thread shows each 4096th that it passes.
  void add(std::size_t articles, bool showing) {
    const std::size_t now = done.fetch_add(articles, std::memory_order_relaxed) + articles;
    if (showing && shown && now / 4096 != (now - articles) / 4096) show(now);
  }
  void show(std::size_t now) const {
    (*shown)(total ? static_cast<int>(now * readingShare / total) : readingShare, "reading articles");
  }
  void end() const {
    if (shown) show(total);
  }
};

// The order of a headword's translations, decided from the articles of the FreeDict dictionaries:
// they give each sense of a word as an article of its own (gehen has 11, Zug 27, be 13), in no
// order of use, so the first article is seldom the everyday sense (gehen: "turn out" before "go",
// Zug: "strain" before "train"). What marks the everyday sense is its weight: the example
// sentences the dictionary gives for it (Zug "train": 25, the other articles at most 2) and the
// compounds of the headword whose translations use its first translation (Schlange "snake": 33,
// "queue" 3, "fence of fascines" none; Hund "dog": 186, "mine car" 1). Senses labelled [techn.],
// [chem.], [ugs.] and the like are not what a learner looks for first (kommen: "[ugs.] have an
// orgasm" before "come"), but a field label does not make a sense rare: the article of the most
// weight is the main one even when it is labelled [zool.] (Hund "dog"), [fin.] (Bank "bank") or
// [geh.] (meist "mostly"), unless every sense of it is colloquial, regional or dated ([ugs.],
// [Ös.], [veraltet]). Within an article the first translation is the sense's usual word and later
// ones rarer synonyms ("draught, draft [Am.]"). So: the main article (the first of those of the
// most weight, when any has some), then the unlabelled articles, then those labelled with a field,
// then those with a register, each group from the most weight down, then the most notes and
// references (the dictionary's order among equals); within each group the first translation of
// every article before the second of any, and so on; a translation that came already is not
// repeated.
struct SenseArticle {
  std::string_view translations;  // in the home language's code page, each ended by a line end
  std::string_view source;        // the article as the dictionary gives it, UTF-8
  std::uint32_t place = 0;        // of the article in the dictionary's data
  std::size_t count = 0;          // of the translations
  bool specialist = false;
  bool offRegister = false;
  int examples = 0;
  int sentences = 0;
  int compoundUses = 0;  // compounds of the headword whose translations use its first translation

  // How much the dictionary says of the sense: its example sentences and the compounds that use it.
  int weight() const { return sentences + compoundUses; }
};

// Buffers of everydayFirst, kept from one headword to the next.
struct OrderScratch {
  std::vector<const SenseArticle*> byUse;
  std::vector<std::vector<std::string_view>> senses;  // the translations of each article
};

// The article of the most weight, the first of them in the dictionary's order; null when none has
// any or only colloquial, regional or dated ones do.
const SenseArticle* mainArticle(const std::vector<SenseArticle>& articles) {
  const SenseArticle* main = nullptr;
  for (const SenseArticle& article : articles)
    if (!article.offRegister && article.weight() > (main ? main->weight() : 0)) main = &article;
  return main;
}

std::vector<std::string_view> everydayFirst(const std::vector<SenseArticle>& articles, OrderScratch& scratch) {
  TranslationList ordered;
  if (articles.size() == 1) {
    forEachLine(articles[0].translations, [&](std::string_view line) {
      if (!line.empty()) ordered.add(line);
    });
    return ordered.take();
  }
  const SenseArticle* main = mainArticle(articles);
  // The groups in their order: the main article with the unlabelled ones, those of a field, those
  // of a register.
  const auto rank = [main](const SenseArticle* a) {
    return a == main ? 0 : a->offRegister ? 3 : a->specialist ? 2 : 1;
  };
  std::vector<const SenseArticle*>& byUse = scratch.byUse;
  byUse.clear();
  for (const SenseArticle& article : articles) byUse.push_back(&article);
  std::stable_sort(byUse.begin(), byUse.end(), [&](const SenseArticle* a, const SenseArticle* b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return a->weight() != b->weight() ? a->weight() > b->weight() : a->examples > b->examples;
  });
  std::vector<std::vector<std::string_view>>& senses = scratch.senses;
  if (senses.size() < byUse.size()) senses.resize(byUse.size());
  for (std::size_t k = 0; k < byUse.size(); ++k) {
    senses[k].clear();
    forEachLine(byUse[k]->translations, [&](std::string_view line) {
      if (!line.empty()) senses[k].push_back(line);
    });
  }
  const auto groupEnd = [&](int lastRank) {
    return static_cast<std::size_t>(
        std::count_if(byUse.begin(), byUse.end(), [&](const SenseArticle* a) { return rank(a) <= lastRank; }));
  };
  const std::size_t unlabelledEnd = groupEnd(1), fieldEnd = groupEnd(2);
  for (const auto& [from, to] : {std::pair{std::size_t{0}, unlabelledEnd}, std::pair{unlabelledEnd, fieldEnd},
                                 std::pair{fieldEnd, byUse.size()}})
    for (std::size_t round = 0, added = 1; added > 0; ++round) {
      added = 0;
      for (std::size_t k = from; k < to; ++k) {
        if (round >= senses[k].size()) continue;
        ++added;
        ordered.add(senses[k][round]);
      }
    }
  return ordered.take();
}

// Text kept for the whole import in large blocks, so that the words and translations of the
// articles take no allocation each.
class TextStore {
 public:
  std::string_view keep(std::string_view text) {
    if (text.empty()) return {};
    if (text.size() > left_) newBlock(std::max(text.size(), blockSize));
    char* const at = next_;
    std::memcpy(at, text.data(), text.size());
    next_ += text.size();
    left_ -= text.size();
    return {at, text.size()};
  }
  // Takes over the blocks of another store: what it kept stays valid as long as this one.
  void adopt(TextStore& other) {
    for (auto& block : other.blocks_) blocks_.push_back(std::move(block));
    other.blocks_.clear();
    other.next_ = nullptr;
    other.left_ = 0;
  }

 private:
  static constexpr std::size_t blockSize = std::size_t{32} << 20;
  void newBlock(std::size_t size) {
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    preferHugePages(blocks_.back().get(), size);
    next_ = blocks_.back().get();
    left_ = size;
  }
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* next_ = nullptr;
  std::size_t left_ = 0;
};

// The compounds of each kind (beginning with a word, ending with it) that weigh its senses.
constexpr std::size_t compoundsTaken = 50;

std::string_view firstLine(std::string_view lines) { return lines.substr(0, lines.find('\n')); }

// Whether translations hold word at the start of a word of theirs ("snake" in "venomous snake" and
// in "snakebite", not in "rattlesnake"): bytes past ASCII count as letters.
bool usesWord(std::string_view translations, std::string_view word) {
  if (word.empty()) return false;
  const auto isLetter = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
  };
  for (std::size_t at = translations.find(word); at != std::string_view::npos; at = translations.find(word, at + 1))
    if (at == 0 || !isLetter(translations[at - 1])) return true;
  return false;
}

// Gathers the entries of the articles in the code pages of the word file, one entry per headword.
class EntryCollector {
 public:
  EntryCollector(EntryCodePages codePages, ImportReport& report, std::size_t articles)
      : codePages_(codePages), report_(report), numbers_(articles) {}

  void add(const ParsedArticle& article, std::string_view indexHeadword, std::string_view source, std::uint32_t place) {
    const std::string_view headword = article.headword.empty() ? indexHeadword : article.headword;
    // An abbreviation on the headword line is a headword of its own with the same translations,
    // whether the headword it abbreviates fits or not.
    bool headwordFits = false;
    if (!convert(headword, codePages_.word, word_))
      skip(SkipCause::headwordOutsideCodePage, headword);
    else if (word_.size() > wordFieldSize - 1)
      skip(SkipCause::headwordTooLong, headword);
    else
      headwordFits = true;
    if (!headwordFits) {
      word_.clear();
      if (article.abbreviations.empty()) return;
    }
    if (article.translations.empty()) return headwordFits ? skip(SkipCause::noTranslation, headword) : void();
    SenseArticle sense{{}, {}, place, 0, article.specialist, article.offRegister, article.examples, article.sentences};
    senseText_.clear();
    for (const std::string_view translation : article.translations) {
      if (!convert(translation, codePages_.translation, converted_)) {
        ++report_.translationsOutsideCodePage;
        continue;
      }
      senseText_.append(converted_) += '\n';
      ++sense.count;
    }
    sense.translations = text_->keep(senseText_);
    sense.source = text_->keep(source);
    for (const std::string_view abbreviation : article.abbreviations)
      if (convert(abbreviation, codePages_.word, abbreviation_) && abbreviation_.size() <= wordFieldSize - 1 &&
          abbreviation_ != word_) {
        ++report_.abbreviations;
        translations_ += sense.count;
        entryOf(abbreviation_).articles.push_back(sense);
      }
    if (!headwordFits) return;
    translations_ += sense.count;
    entryOf(word_).articles.push_back(sense);
  }

  // The entries of a later part of the dictionary join these, their articles after these ones.
  void absorb(EntryCollector& later, StepClock& clock) {
    translations_ += later.translations_;
    text_->adopt(*later.text_);
    for (Entry& entry : later.entries_) {
      clock.poll();
      std::vector<SenseArticle>& articles = entryOf(entry.word).articles;
      if (articles.empty())
        articles = std::move(entry.articles);
      else
        articles.insert(articles.end(), entry.articles.begin(), entry.articles.end());
    }
  }

  // The articles of every headword, in the dictionary's order, to articles, which keeps them where
  // they are read.
  void giveArticles(ArticleWriter& articles, StepClock& clock) {
    struct Source {
      std::uint32_t place;
      std::string_view word, text;
    };
    std::vector<Source> sources;
    reserveLarge(sources, translations_ / 2);
    for (const Entry& entry : entries_) {
      clock.poll();
      for (const SenseArticle& sense : entry.articles) sources.push_back({sense.place, entry.word, sense.source});
    }
    std::stable_sort(sources.begin(), sources.end(),
                     [](const Source& a, const Source& b) { return a.place < b.place; });
    articles.reserve(sources.size());
    for (const Source& source : sources) articles.addBorrowed(source.word, source.text);
    articles.keepAlive(text_);
    report_.articleHeadwords = static_cast<std::int64_t>(entries_.size());
  }

  // The records of the forward word file, in the order the headwords came.
  std::vector<WordRecord> records(StepClock& clock) {
    std::vector<WordRecord> out;
    reserveLarge(out, translations_);  // a record holds one translation at least
    weighByCompounds(clock);
    OrderScratch scratch;
    for (const Entry& entry : entries_) {
      clock.poll();
      const std::size_t before = out.size();
      const std::int64_t tooLongBefore = report_.translationsTooLong;
      const std::vector<std::string_view> translations = everydayFirst(entry.articles, scratch);
      appendWordRecords(entry.word, translations, out, report_.translationsTooLong);
      if (out.size() == before) {
        skip(SkipCause::noTranslationFits, toUtf8(entry.word, codePages_.word));
        continue;
      }
      // Every translation was written but those too long for a field.
      report_.translationsWritten +=
          static_cast<std::int64_t>(translations.size()) - (report_.translationsTooLong - tooLongBefore);
    }
    report_.translationsDropped = report_.translationsOutsideCodePage + report_.translationsTooLong;
    return out;
  }

 private:
  struct Entry {
    std::string_view word;  // in the code page of the language, kept in text_
    std::vector<SenseArticle> articles;
  };

  // Counts, for each article of a headword of several, the compounds of the headword whose
  // translations use the article's first translation; in two halves at once.
  void weighByCompounds(StepClock& clock) {
    const CompoundIndex index(codePages_.word, entries_.size(), [this](std::size_t i) { return entries_[i].word; });
    const std::size_t half = entries_.size() / 2;
    // A stop heard by the first half ends the second at once too.
    std::atomic<bool> stopped{false};
    auto second = std::async(std::launch::async, [&] {
      weighByCompounds(index, half, entries_.size(), [&] { return !stopped.load(std::memory_order_relaxed); });
    });
    try {
      weighByCompounds(index, 0, half, [&] { return clock.poll(), true; });
    } catch (...) {
      stopped = true;
      throw;
    }
    second.get();
  }
  template <typename GoOn>
  void weighByCompounds(const CompoundIndex& index, std::size_t from, std::size_t to, GoOn goOn) {
    std::vector<std::uint32_t> compounds;
    for (std::size_t e = from; e < to; ++e) {
      Entry& entry = entries_[e];
      if (entry.articles.size() < 2) continue;
      if (!goOn()) return;
      index.compoundsOf(entry.word, compoundsTaken, compounds);
      if (compounds.empty()) continue;
      for (std::size_t k = 0; k < entry.articles.size(); ++k) {
        SenseArticle& article = entry.articles[k];
        const std::string_view first = firstLine(article.translations);
        // Articles that begin with the same translation (Bank: "bank" three times) count it once.
        const auto same =
            std::find_if(entry.articles.begin(), entry.articles.begin() + static_cast<std::ptrdiff_t>(k),
                         [&](const SenseArticle& earlier) { return firstLine(earlier.translations) == first; });
        if (same != entry.articles.begin() + static_cast<std::ptrdiff_t>(k)) {
          article.compoundUses = same->compoundUses;
          continue;
        }
        article.compoundUses = static_cast<int>(std::count_if(compounds.begin(), compounds.end(), [&](std::uint32_t c) {
          return std::any_of(entries_[c].articles.begin(), entries_[c].articles.end(),
                             [&](const SenseArticle& used) { return usesWord(used.translations, first); });
        }));
      }
    }
  }

  // The entry of a word, made when the word comes for the first time; a later time counts as merged.
  Entry& entryOf(std::string_view word) {
    const std::size_t known = entries_.size();
    const std::uint32_t number = numbers_.numberOf(word, WordNumbers::hashOf(word), [&](std::string_view added) {
      entries_.push_back({text_->keep(added), {}});
      return entries_.back().word;
    });
    if (entries_.size() == known) ++report_.merged;
    return entries_[number];
  }

  // Converts to a code page, characters it lacks to their plain equivalents; false when one has none.
  bool convert(std::string_view utf8, int codePage, std::string& out) {
    bool replaced = false;
    if (!fromUtf8WithEquivalents(utf8, codePage, out, replaced)) return false;
    if (replaced) ++report_.converted;
    return true;
  }

  void skip(SkipCause cause, std::string_view headword) {
    const int k = static_cast<int>(cause);
    if (report_.skipped[k]++ == 0) report_.skipExample[k] = headword;
  }

  const EntryCodePages codePages_;
  ImportReport& report_;
  std::shared_ptr<TextStore> text_ = std::make_shared<TextStore>();  // the article file keeps it too
  std::deque<Entry> entries_;
  WordNumbers numbers_;                                      // of the words of entries_
  std::string word_, abbreviation_, converted_, senseText_;  // reused for every article
  std::size_t translations_ = 0;                             // of every entry
};

using OffsetOrder = std::vector<std::pair<std::uint64_t, std::uint32_t>>;  // offset, index line

// The shape of a dictionary's articles, from its short description: the FreeDict+WikDict ones
// call themselves so there.
ArticleShape articleShapeOf(const DictData& data, const std::vector<IndexEntry>& index) {
  ArticleReader reader(data);
  for (const IndexEntry& entry : index)
    if (entry.headword == "00databaseshort" || entry.headword == "00-database-short")
      return reader.article(entry.offset, entry.length).find("WikDict") != std::string_view::npos
                 ? ArticleShape::definitionsAfterSenses
                 : ArticleShape::plain;
  return ArticleShape::plain;
}

// Reads the articles of one part of the dictionary into a collector.
void readArticles(const DictData& data, const std::vector<IndexEntry>& index, ArticleShape shape,
                  std::span<const OffsetOrder::value_type> part, std::size_t partStart, EntryCollector& collector,
                  ImportReport& tally, Progress& progress, bool showing) {
  ArticleReader reader(data);
  ParsedArticle article;
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (i % Progress::batch == 0 && i > 0) {
      progress.add(Progress::batch, showing);
      if (progress.failed) return;
    }
    if (showing && progress.clock) progress.clock->poll();
    const IndexEntry& entry = index[part[i].second];
    // An article indexed under several keys counts once.
    if (isDatabaseEntry(entry.headword) || (i > 0 && part[i - 1].first == entry.offset)) continue;
    const std::string_view text = reader.article(entry.offset, entry.length);
    if (!isUtf8(text)) throw ImportError(ImportFailure::notUtf8, {data.file().string(), std::to_string(entry.line)});
    ++tally.entriesRead;
    parseArticle(text, article, shape);
    collector.add(article, entry.headword, text, static_cast<std::uint32_t>(partStart + i));
  }
  if (!part.empty()) progress.add((part.size() - 1) % Progress::batch + 1, showing);
}

// The counts of a part added to those of the whole; an example of the whole comes first.
void addTally(ImportReport& into, const ImportReport& part) {
  into.entriesRead += part.entriesRead;
  into.merged += part.merged;
  into.translationsOutsideCodePage += part.translationsOutsideCodePage;
  into.converted += part.converted;
  into.abbreviations += part.abbreviations;
  for (int k = 0; k < skipCauseCount; ++k) {
    if (into.skipped[k] == 0) into.skipExample[k] = part.skipExample[k];
    into.skipped[k] += part.skipped[k];
  }
}

// Reads the articles in two halves at once into the first half's collector; the second half's
// entries then join the first's.
void readInTwoHalves(const DictData& data, const std::vector<IndexEntry>& index, ArticleShape shape,
                     const OffsetOrder& byOffset, EntryCollector& first, EntryCodePages codePages,
                     const ImportProgress& progress, ImportReport& report, StepClock& clock) {
  // The halves meet between two articles, never inside the index lines of one.
  std::size_t middle = byOffset.size() / 2;
  while (middle > 0 && middle < byOffset.size() && byOffset[middle].first == byOffset[middle - 1].first) ++middle;
  const std::span<const OffsetOrder::value_type> all(byOffset);
  Progress shared;
  shared.shown = progress ? &progress : nullptr;
  shared.total = byOffset.size();
  shared.clock = &clock;
  ImportReport secondTally;
  EntryCollector second(codePages, secondTally, byOffset.size() - middle);
  auto secondHalf = std::async(std::launch::async, [&] {
    try {
      readArticles(data, index, shape, all.subspan(middle), middle, second, secondTally, shared, false);
    } catch (...) {
      shared.failed = true;
      throw;
    }
  });
  try {
    readArticles(data, index, shape, all.first(middle), 0, first, report, shared, true);
  } catch (...) {
    shared.failed = true;
    throw;  // the second half's future waits for it to stop
  }
  secondHalf.get();
  shared.end();
  clock.step("reading the articles, in two halves at once");
  addTally(report, secondTally);
  first.absorb(second, clock);
  clock.step("merging the second half's headwords into the first's");
}

}  // namespace

std::vector<WordRecord> readEntries(const std::filesystem::path& indexFile, const std::filesystem::path& dataFile,
                                    EntryCodePages codePages, const ImportProgress& progress, ImportReport& report,
                                    ArticleWriter& articles, const std::function<void()>& articlesGiven,
                                    StepClock& clock) {
  const std::vector<IndexEntry> index = readIndex(indexFile);
  clock.step("reading the index");
  OffsetOrder byOffset;
  reserveLarge(byOffset, index.size());
  for (std::size_t i = 0; i < index.size(); ++i) byOffset.emplace_back(index[i].offset, static_cast<std::uint32_t>(i));
  std::sort(byOffset.begin(), byOffset.end());
  const DictData data(dataFile, index);
  clock.step("reading the dictionary file");
  EntryCollector collector(codePages, report, byOffset.size());
  readInTwoHalves(data, index, articleShapeOf(data, index), byOffset, collector, codePages, progress, report, clock);
  // Every article is read: a flipped bit that garbled one shows in the checksum.
  data.checkWhole();
  clock.step("checking the dictionary file's checksum");
  collector.giveArticles(articles, clock);
  if (articlesGiven) articlesGiven();
  std::vector<WordRecord> records = collector.records(clock);
  clock.step("joining the translations");
  return records;
}

void appendWordRecords(std::string_view word, const std::vector<std::string_view>& translations,
                       std::vector<WordRecord>& out, std::int64_t& tooLong) {
  // The record being filled, by its place in out (which may move as it grows), and its length.
  std::size_t filling = SIZE_MAX, length = 0;
  for (const std::string_view translation : translations) {
    if (translation.size() > translationFieldSize - 1) {
      ++tooLong;
      continue;
    }
    if (filling != SIZE_MAX && length + 2 + translation.size() <= translationFieldSize - 1) {
      char* field = out[filling].translation + length;
      std::memcpy(field, ", ", 2);
      std::memcpy(field + 2, translation.data(), translation.size());
      length += 2 + translation.size();
      continue;
    }
    filling = out.size();
    WordRecord& record = out.emplace_back();  // zeroed: the fields end with NULs
    setField(record.word, sizeof record.word, word);
    std::memcpy(record.translation, translation.data(), translation.size());
    length = translation.size();
  }
}

}  // namespace zembo
