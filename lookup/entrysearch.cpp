#include "lookup/entrysearch.h"

#include <sys/stat.h>

#include "directions/directions.h"
#include "platform/codepage.h"
#include "platform/hostpath.h"
#include "store/store.h"

namespace zembo {

namespace {
EntrySearchState entrySearchState;  // the one mutable instance
}  // namespace
const EntrySearchState& entrySearch = entrySearchState;

namespace {

// The current language's files, as host paths.
struct LanguageFiles {
  std::string wordFile;  // the program's path of the forward word file
  std::filesystem::path forward, reverse, articles;
  int sourceCodePage = 0, homeCodePage = 0;
};

bool currentLanguageFiles(LanguageFiles& files) {
  if (!directions.currentDirection) return false;
  const DictionaryDirection* forward = forwardOf(directions.currentDirection);
  const DictionaryDirection* reverse = twinOf(forward);
  files.wordFile = wordFilePath(*forward);
  files.forward = hostPath(files.wordFile);
  if (reverse) files.reverse = hostPath(wordFilePath(*reverse));
  files.articles = articleFileOf(files.forward);
  files.sourceCodePage = codePageOfCharset(forward->sourceCharset);
  files.homeCodePage = codePageOfCharset(forward->targetCharset);
  return true;
}

FileStamp stampOf(const std::filesystem::path& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return {};
  return {static_cast<std::uint64_t>(info.st_size), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::array<FileStamp, 3> stampsOf(const LanguageFiles& files) {
  return {stampOf(files.forward), stampOf(files.reverse), stampOf(files.articles)};
}

// The articles' index of the language's article file (whose state it sets), made again unless it
// matches the file.
bool prepareArticleIndex(const LanguageFiles& files, WordFileState& articleState,
                         const std::function<void(int)>& progress, std::string& error) {
  EntryIndex& index = entrySearchState.articleIndex;
  index = EntryIndex();
  ArticleFile articles;
  if (!articles.open(files.articles, error)) return error.empty();  // no articles: no index
  if (!readWordFileState(files.articles, articleState, error)) return false;
  const EntryIndexState wanted{{}, {}, articleState};
  const std::filesystem::path path = articleIndexOf(files.forward);
  std::string ignored;  // a damaged index is made again
  if (index.open(path, ignored) && index.state() == wanted) return true;
  EntryIndexWriter writer;
  writer.expect(articles.keyCount());
  const std::uint64_t total = std::max<std::uint64_t>(articles.keyCount(), 1);
  std::uint64_t done = 0;
  progress(0);
  const bool read = articles.forEachArticle(
      [&](std::string_view key, std::string_view article) {
        indexArticle(writer, key, article);
        if (++done % 2048 == 0) progress(static_cast<int>(std::min<std::uint64_t>(done, total) * 60 / total));
        return true;
      },
      error);
  return read && writer.writeTo(path, wanted, error) && index.open(path, error);
}

// The word files' index, made again unless it matches both word files and the article file.
bool prepareWordIndex(const LanguageFiles& files, const WordFileState& articleState,
                      const std::function<void(int)>& progress, std::string& error) {
  EntryIndex& index = entrySearchState.wordIndex;
  index = EntryIndex();
  EntryIndexState wanted;
  if (!readWordFileState(files.forward, wanted.forward, error)) return false;
  if (!files.reverse.empty() && std::filesystem::exists(files.reverse) &&
      !readWordFileState(files.reverse, wanted.reverse, error))
    return false;
  wanted.articles = articleState;
  const std::filesystem::path path = wordIndexOf(files.forward);
  std::string ignored;
  if (index.open(path, ignored) && index.state() == wanted) return true;
  progress(60);
  std::vector<WordRecord> forward, reverse;
  if (!readWordFileRecords(files.forward, forward, error)) return false;
  if (wanted.reverse.size > 0 && !readWordFileRecords(files.reverse, reverse, error)) return false;
  progress(70);
  EntryIndexWriter writer;
  writer.numberEntriesOf(entrySearchState.articleIndex);
  indexWordFiles(writer, forward, reverse, {files.sourceCodePage, files.homeCodePage});
  progress(90);
  const bool made = writer.writeTo(path, wanted, error) && index.open(path, error);
  progress(100);
  return made;
}

bool needsPreparing(const LanguageFiles& files) {
  return files.wordFile != entrySearchState.wordFile || !entrySearchState.wordIndex.isOpen() ||
         stampsOf(files) != entrySearchState.checked;
}

}  // namespace

bool entrySearchNeedsPreparing() {
  LanguageFiles files;
  return currentLanguageFiles(files) && needsPreparing(files);
}

bool prepareEntrySearch(const std::function<void(int)>& progress, std::string& error) {
  error.clear();
  LanguageFiles files;
  if (!currentLanguageFiles(files)) return false;
  if (!needsPreparing(files)) return true;
  // Stamped before the checksums are read: a change meanwhile is checked again at the next search.
  const std::array<FileStamp, 3> stamps = stampsOf(files);
  resetEntrySearchState();
  const std::function<void(int)> tell = progress ? progress : [](int) {};
  WordFileState articleState;
  if (!prepareArticleIndex(files, articleState, tell, error) || !prepareWordIndex(files, articleState, tell, error)) {
    resetEntrySearchState();
    return false;
  }
  entrySearchState.wordFile = files.wordFile;
  entrySearchState.checked = stamps;
  return true;
}

std::vector<FoundEntry> findInEntries(std::string_view typed, std::size_t limit) {
  const EntryIndex* both[] = {&entrySearchState.articleIndex, &entrySearchState.wordIndex};
  return findEntries(both, typed, limit);
}

void resetEntrySearchState() { entrySearchState = EntrySearchState{}; }

}  // namespace zembo
