#include "importer/commit.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <string_view>

#include "formats/entryindex.h"
#include "formats/recordsort.h"
#include "formats/reverselist.h"
#include "formats/sorttable.h"
#include "importer/configuration.h"
#include "importer/folderchanges.h"
#include "importer/reversebuilder.h"
#include "importer/userentries.h"
#include "platform/collation.h"
#include "platform/hostpath.h"

namespace zembo {

namespace {

// The order of the records by word in the language's collation; the records of one word keep
// their order, so a word's first record stays first. They lie next to each other, so only the
// first of them is sorted, and the others follow it.
std::vector<std::uint32_t> sortedOrder(const std::vector<WordRecord>& records, std::string_view languageName,
                                       const std::string& locale, StepClock& clock) {
  setCollationLocale(locale);
  unsigned char table[sortTableSize];
  // A table that is not whole is not used: the word file is then in the collation's order.
  const bool hasTable = readSortTable(languageName, table) == static_cast<long>(sortTableSize);
  CollationKeys keys(records.size(), hasTable ? table : nullptr);
  std::string_view previous;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string_view word = wordOf(records[i]);
    if (i == 0 || word != previous)
      keys.add(word);
    else
      keys.skip();
    previous = word;
    clock.poll();
  }
  keys.allAdded();
  const std::vector<std::uint32_t> firsts = keys.sortRecords(records, [&clock](std::int64_t) { clock.poll(); });
  std::vector<std::uint32_t> order;
  order.reserve(records.size());
  for (const std::uint32_t first : firsts) {
    order.push_back(first);
    const std::string_view word = wordOf(records[first]);
    for (std::uint32_t k = first + 1; k < records.size() && wordOf(records[k]) == word; ++k) order.push_back(k);
  }
  return order;
}

// Writes the records sorted; counts the records written.
void writeWordFile(FolderChanges& changes, const std::string& file, const std::vector<WordRecord>& records,
                   std::string_view languageName, const std::string& locale, std::int64_t& written, StepClock& clock) {
  const std::vector<std::uint32_t> order = sortedOrder(records, languageName, locale, clock);
  try {
    changes.write(hostPath(file), [&](std::FILE* out) {
      RecordWriter writer(out, order.size());
      for (std::size_t i = 0; i < order.size(); ++i) {
        // The records are visited in sorted order, all over memory: fetched ahead.
        if (i + 16 < order.size()) __builtin_prefetch(&records[order[i + 16]]);
        if (!writer.add(records[order[i]]) || clock.stopAsked()) return false;
      }
      written = static_cast<std::int64_t>(order.size());
      return writer.finish();
    });
  } catch (const ImportError&) {
    clock.stopHere();  // a write that a stop cut short is no failure of the write
    throw;
  }
}

// The headwords of records whose headwords' records lie together.
std::int64_t headwordCount(const std::vector<WordRecord>& records) {
  std::int64_t count = 0;
  for (std::size_t i = 0; i < records.size(); ++i)
    if (i == 0 || wordOf(records[i]) != wordOf(records[i - 1])) ++count;
  return count;
}

// The articles' index of an import, made on a thread of its own into memory while the word files'
// index is made on the caller's; ending it stops the thread at its next article and waits for it.
class ArticleIndexing {
 public:
  ArticleIndexing(const ArticleWriter& articles, const EntryIndexState& state) {
    thread_ = std::async(std::launch::async, [this, &articles, state] {
      EntryIndexWriter writer;
      writer.expect(articles.entries());
      articles.forEachArticle([&](std::string_view key, std::string_view article) {
        indexArticle(writer, key, article);
        return goOn_.load(std::memory_order_relaxed);
      });
      if (!goOn_) return std::string();
      // Written into memory: only the caller's thread changes the folder.
      char* bytes = nullptr;
      std::size_t size = 0;
      std::FILE* memory = ::open_memstream(&bytes, &size);
      const bool written = memory && writer.write(memory, state);
      if (memory) std::fclose(memory);
      std::string file = written ? std::string(bytes, size) : std::string();
      std::free(bytes);  // open_memstream's buffer
      return file;
    });
  }
  ArticleIndexing(const ArticleIndexing&) = delete;
  ArticleIndexing& operator=(const ArticleIndexing&) = delete;
  ~ArticleIndexing() {
    goOn_ = false;
    if (thread_.valid()) thread_.wait();
  }
  // The index's bytes; empty when it could not be made.
  std::string file() { return thread_.get(); }

 private:
  std::atomic<bool> goOn_{true};
  std::future<std::string> thread_;
};

// Indexes the entries for "Find in entries": the articles' index and the word files' index, whose
// first entries the article file's keys number in their order as they number the articles' index,
// each naming the new versions of the files it was made from.
void writeEntryIndexes(FolderChanges& changes, const Pair& pair, const std::filesystem::path& forwardFile,
                       const std::filesystem::path& reverseFile, const ArticleWriter& articles,
                       const std::vector<WordRecord>& forward, const std::vector<WordRecord>& reverse,
                       StepClock& clock) {
  std::string error;
  const auto stateOf = [&error](const std::filesystem::path& file) {
    WordFileState state;
    if (!readWordFileState(FolderChanges::newVersion(file), state, error))
      throw ImportError(ImportFailure::cannotWrite, {file.string(), error});
    return state;
  };
  const WordFileState articleState = stateOf(articleFileOf(forwardFile));
  ArticleIndexing articleIndexing(articles, {{}, {}, articleState});
  EntryIndexWriter writer;
  articles.forEachArticle([&writer](std::string_view key, std::string_view) {
    writer.entry(0, key);
    return true;
  });
  indexWordFiles(writer, forward, reverse, {pair.sourceCodePage, pair.homeCodePage});
  clock.stopHere();
  const EntryIndexState state{stateOf(forwardFile), stateOf(reverseFile), articleState};
  const std::filesystem::path articleIndexFile = articleIndexOf(forwardFile);
  const std::string articleIndex = articleIndexing.file();
  if (articleIndex.empty())
    throw ImportError(ImportFailure::cannotWrite, {articleIndexFile.string(), "the entries could not be indexed"});
  changes.writeText(articleIndexFile, articleIndex);
  changes.write(wordIndexOf(forwardFile), [&](std::FILE* out) { return writer.write(out, state); });
}

}  // namespace

void tell(const ImportOptions& options, int percent, const std::string& step) {
  if (options.progress) options.progress(percent, step);
}

ArticlePacking::~ArticlePacking() {
  goOn_ = false;
  if (thread_.valid()) thread_.wait();
}

void ArticlePacking::start() {
  articles_.planPacking();
  thread_ = std::async(std::launch::async,
                       [this] { return articles_.packSome([this] { return goOn_.load(std::memory_order_relaxed); }); });
}

bool ArticlePacking::finish(const std::function<bool()>& goOn) {
  if (!thread_.valid()) start();
  const bool packed = articles_.packSome([&] {
    if (goOn()) return true;
    goOn_ = false;  // the other thread stops at its next chunk too
    return false;
  });
  return thread_.get() && packed && articles_.finishPacking();
}

void writeImport(const ImportOptions& options, const Pair& pair, bool isNew, ImportReport& report,
                 std::vector<WordRecord> forward, ArticlePacking& packing, StepClock& clock) {
  const FolderEdition& edition = *pair.edition;
  const InFolder inFolder(options.folder, pair.homeCodePage);

  const std::string wordFolder = inEdition(edition.wordFolder, pair);
  const std::string configFile = inEdition(edition.configFile, pair);
  removeImportLeftovers(hostPath(folderName(wordFolder)), {hostPath(configFile).string(), std::string(editionFile)});
  const std::vector<WordRecord> users = userEntries(pair, report.userEntriesKept);
  const std::string config = isNew ? newConfigText(pair) : configWithLanguage(options, pair, report);
  mergeUserEntries(forward, users);
  report.headwords = headwordCount(forward);
  FolderChanges changes;
  changes.makeFolder(hostPath(folderName(wordFolder)));
  if (isNew) changes.makeFolder(hostPath(folderName(inEdition(edition.listFolder, pair))));
  const std::string forwardFile = wordFolder + wordFileName(pair), reverseFile = wordFolder + reverseFileName(pair);
  report.forwardFile = (std::filesystem::current_path() / hostPath(forwardFile)).string();
  report.reverseFile = (std::filesystem::current_path() / hostPath(reverseFile)).string();
  const std::filesystem::path articleFile = articleFileOf(hostPath(forwardFile));
  report.articleFile = (std::filesystem::current_path() / articleFile).string();
  tell(options, 72, "sorting and writing " + report.forwardFile);
  writeWordFile(changes, forwardFile, forward, pair.name, pair.locale, report.written, clock);
  clock.step("sorting and writing the forward word file");
  const std::vector<WordRecord> reverse =
      reverseRecords(forward, {innerCommaOf(pair.homeCodePage), innerCommaOf(pair.sourceCodePage)}, clock);
  clock.step("making the reverse records");
  tell(options, 86, "sorting and writing " + report.reverseFile);
  writeWordFile(changes, reverseFile, reverse, inEdition(edition.homeName, pair), std::string(edition.locale),
                report.reverseWritten, clock);
  clock.step("sorting and writing the reverse word file");
  tell(options, 96, "writing " + report.articleFile);
  // What is left to pack is packed on this thread too, which hears a request to stop.
  const bool packed = packing.finish([&clock] {
    try {
      clock.stopHere();  // asked at every chunk: a chunk takes milliseconds
      return true;
    } catch (const ImportError&) {
      return false;
    }
  });
  clock.stopHere();
  if (!packed) throw ImportError(ImportFailure::cannotWrite, {report.articleFile, "the articles could not be packed"});
  ArticleWriter& articles = packing.articles();
  changes.write(articleFile, [&articles](std::FILE* out) { return articles.write(out); });
  report.articleBytes = articles.writtenSize();
  clock.step("writing the article file (packed beside the sorts)");
  tell(options, 97, "indexing the entries");
  writeEntryIndexes(changes, pair, hostPath(forwardFile), hostPath(reverseFile), articles, forward, reverse, clock);
  clock.step("indexing the entries");
  tell(options, 98, "configuration");
  changes.writeText(hostPath(configFile), config);
  if (isNew)
    changes.writeText(std::string(editionFile), "[Dictionary]\nLanguage=" + std::string(edition.iniValue) + "\n");
  // The last moment a stop leaves the folder as it was.
  clock.stopHere();
  clock.stopNoMore();
  if (options.committing) options.committing();
  changes.commit();
  clock.step("configuration");
}

}  // namespace zembo
