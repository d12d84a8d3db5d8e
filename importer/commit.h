#pragma once
// Writing an import into its folder: the word files sorted, the reverse word file made from the
// forward one, the configuration file, each beside its place until the commit puts them all in
// place at once (importer/folderchanges.h).

#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "formats/articlefile.h"
#include "formats/wordrecord.h"
#include "importer/importer.h"
#include "importer/plan.h"
#include "importer/stepclock.h"

namespace zembo {

// Tells the caller how far the import has come.
void tell(const ImportOptions& options, int percent, const std::string& step);

// Packs the articles of an import on a thread of its own from when they are all given, while the
// import goes on; ending it stops the thread at its next chunk and waits for it.
class ArticlePacking {
 public:
  explicit ArticlePacking(ArticleWriter& articles) : articles_(articles) {}
  ArticlePacking(const ArticlePacking&) = delete;
  ArticlePacking& operator=(const ArticlePacking&) = delete;
  ~ArticlePacking();
  void start();
  // Packs what is left on this thread too, asking goOn before each chunk, and ends the packing:
  // false when it was stopped or a chunk failed.
  bool finish(const std::function<bool()>& goOn);
  ArticleWriter& articles() { return articles_; }

 private:
  ArticleWriter& articles_;
  std::atomic<bool> goOn_{true};
  std::future<bool> thread_;
};

// Writes the forward records read from the dictionary, joined with the user's entries, their
// reverse records, the articles of the forward file's headwords and the configuration into the
// folder, and commits them; throws ImportError, and the folder is then as it was unless the
// commit had begun.
void writeImport(const ImportOptions& options, const Pair& pair, bool isNew, ImportReport& report,
                 std::vector<WordRecord> forward, ArticlePacking& packing, StepClock& clock);

}  // namespace zembo
