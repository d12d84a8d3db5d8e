#include "importer/entries.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <future>
#include <span>
#include <unordered_map>

#include "formats/fields.h"
#include "importer/articles.h"
#include "importer/dictd.h"
#include "platform/codepage.h"

namespace zembo {

namespace {

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

  void oneMore(bool showing) {
    const std::size_t now = done.fetch_add(1, std::memory_order_relaxed) + 1;
    if (showing && shown && now % 4096 == 0) show(now);
  }
  void show(std::size_t now) const {
    (*shown)(total ? static_cast<int>(now * readingShare / total) : readingShare, "reading articles");
  }
  void end() const {
    if (shown) show(total);
  }
};

bool isDatabaseEntry(std::string_view headword) {
  return headword.starts_with("00database") || headword.starts_with("00-database");
}

// Gathers the entries of the articles in the code pages of the word file, one entry per headword.
class EntryCollector {
 public:
  EntryCollector(EntryCodePages codePages, ImportReport& report, std::size_t articles)
      : codePages_(codePages), report_(report) {
    // Never more entries than articles: entries_ never moves, so positions_ may view its words.
    entries_.reserve(articles);
    positions_.reserve(articles);
  }

  void add(const ParsedArticle& article, std::string_view indexHeadword) {
    const std::string_view headword = article.headword.empty() ? indexHeadword : article.headword;
    if (!fromUtf8Exactly(headword, codePages_.word, word_)) return skip(SkipCause::headwordOutsideCodePage, headword);
    if (word_.size() > wordFieldSize - 1) return skip(SkipCause::headwordTooLong, headword);
    if (article.translations.empty()) return skip(SkipCause::noTranslation, headword);
    std::string& translations = entryOf(word_).translations;
    for (const std::string_view translation : article.translations) {
      if (!fromUtf8Exactly(translation, codePages_.translation, converted_) ||
          converted_.size() > translationFieldSize - 1) {
        ++report_.translationsDropped;
        continue;
      }
      addLine(translations, converted_);
    }
  }

  // The entries of a later part of the dictionary join these.
  void absorb(const EntryCollector& later) {
    for (const Entry& entry : later.entries_) {
      std::string& translations = entryOf(entry.word).translations;
      forEachLine(entry.translations, [&](std::string_view translation) { addLine(translations, translation); });
    }
  }

  // The records of the forward word file, in the order the headwords came.
  std::vector<WordRecord> records() {
    std::vector<WordRecord> out;
    out.reserve(entries_.size());
    for (const Entry& entry : entries_) {
      const std::string joined = joinTranslations(entry.translations);
      if (joined.empty()) {
        skip(SkipCause::noTranslationFits, toUtf8(entry.word, codePages_.word));
        continue;
      }
      WordRecord record{};
      setField(record.word, sizeof record.word, entry.word);
      setField(record.translation, sizeof record.translation, joined);
      out.push_back(record);
    }
    return out;
  }

 private:
  struct Entry {
    std::string word;          // in the code page of the language
    std::string translations;  // in the home language's code page, each ended by a line end
  };

  // The entry of a word, made when the word comes for the first time; a later time counts as merged.
  Entry& entryOf(std::string_view word) {
    if (const auto at = positions_.find(word); at != positions_.end()) {
      ++report_.merged;
      return entries_[at->second];
    }
    entries_.push_back({std::string(word), {}});
    positions_.emplace(entries_.back().word, entries_.size() - 1);
    return entries_.back();
  }

  // Adds a line to lines unless it is one of them already.
  static void addLine(std::string& lines, std::string_view line) {
    bool found = false;
    forEachLine(lines, [&](std::string_view each) { found = found || each == line; });
    if (!found) lines.append(line) += '\n';
  }

  void skip(SkipCause cause, std::string_view headword) {
    const int k = static_cast<int>(cause);
    if (report_.skipped[k]++ == 0) report_.skipExample[k] = headword;
  }

  const EntryCodePages codePages_;
  ImportReport& report_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string_view, std::size_t> positions_;  // of each word in entries_
  std::string word_, converted_;                                 // reused for every article
};

using OffsetOrder = std::vector<std::pair<std::uint64_t, std::uint32_t>>;  // offset, index line

// Reads the articles of one part of the dictionary into a collector.
void readArticles(const DictData& data, const std::vector<IndexEntry>& index,
                  std::span<const OffsetOrder::value_type> part, EntryCollector& collector, ImportReport& tally,
                  Progress& progress, bool showing) {
  ArticleReader reader(data);
  ParsedArticle article;
  for (std::size_t i = 0; i < part.size() && !progress.failed; ++i) {
    progress.oneMore(showing);
    const IndexEntry& entry = index[part[i].second];
    // An article indexed under several keys counts once.
    if (isDatabaseEntry(entry.headword) || (i > 0 && part[i - 1].first == entry.offset)) continue;
    const std::string_view text = reader.article(entry.offset, entry.length);
    if (!isUtf8(text))
      throw ImportError(data.file().string() + ": the article of index line " + std::to_string(entry.line) +
                        " is not UTF-8");
    ++tally.entriesRead;
    parseArticle(text, article);
    collector.add(article, entry.headword);
  }
}

// The counts of a part added to those of the whole; an example of the whole comes first.
void addTally(ImportReport& into, const ImportReport& part) {
  into.entriesRead += part.entriesRead;
  into.merged += part.merged;
  into.translationsDropped += part.translationsDropped;
  for (int k = 0; k < skipCauseCount; ++k) {
    if (into.skipped[k] == 0) into.skipExample[k] = part.skipExample[k];
    into.skipped[k] += part.skipped[k];
  }
}

// Reads the articles in two halves at once into the first half's collector; the second half's
// entries then join the first's.
void readInTwoHalves(const DictData& data, const std::vector<IndexEntry>& index, const OffsetOrder& byOffset,
                     EntryCollector& first, EntryCodePages codePages, const ImportProgress& progress, ImportReport& report,
                     StepClock& clock) {
  // The halves meet between two articles, never inside the index lines of one.
  std::size_t middle = byOffset.size() / 2;
  while (middle > 0 && middle < byOffset.size() && byOffset[middle].first == byOffset[middle - 1].first) ++middle;
  const std::span<const OffsetOrder::value_type> all(byOffset);
  Progress shared;
  shared.shown = progress ? &progress : nullptr;
  shared.total = byOffset.size();
  ImportReport secondTally;
  EntryCollector second(codePages, secondTally, byOffset.size() - middle);
  auto secondHalf = std::async(std::launch::async, [&] {
    try {
      readArticles(data, index, all.subspan(middle), second, secondTally, shared, false);
    } catch (...) {
      shared.failed = true;
      throw;
    }
  });
  try {
    readArticles(data, index, all.first(middle), first, report, shared, true);
  } catch (...) {
    shared.failed = true;
    throw;  // the second half's future waits for it to stop
  }
  secondHalf.get();
  shared.end();
  clock.step("reading the articles, in two halves at once");
  addTally(report, secondTally);
  first.absorb(second);
  clock.step("merging the second half's headwords into the first's");
}

}  // namespace

std::vector<WordRecord> readEntries(const std::filesystem::path& indexFile, const std::filesystem::path& dataFile,
                                    EntryCodePages codePages, const ImportProgress& progress,
                                    ImportReport& report, StepClock& clock) {
  const std::vector<IndexEntry> index = readIndex(indexFile);
  clock.step("reading the index");
  OffsetOrder byOffset;
  byOffset.reserve(index.size());
  for (std::size_t i = 0; i < index.size(); ++i) byOffset.emplace_back(index[i].offset, static_cast<std::uint32_t>(i));
  std::sort(byOffset.begin(), byOffset.end());
  const DictData data(dataFile, index);
  clock.step("reading the dictionary file");
  EntryCollector collector(codePages, report, byOffset.size());
  readInTwoHalves(data, index, byOffset, collector, codePages, progress, report, clock);
  // Every article is read: a flipped bit that garbled one shows in the checksum.
  data.checkWhole();
  clock.step("checking the dictionary file's checksum");
  std::vector<WordRecord> records = collector.records();
  clock.step("joining the translations");
  return records;
}

std::string joinTranslations(std::string_view lines) {
  std::string joined;
  forEachLine(lines, [&](std::string_view translation) {
    const std::size_t grown = joined.size() + (joined.empty() ? 0 : 2) + translation.size();
    if (translation.empty() || grown > translationFieldSize - 1) return;
    if (!joined.empty()) joined += ", ";
    joined += translation;
  });
  return joined;
}

}  // namespace zembo
