#pragma once
// The articles of the current language: the reader of the article file that belongs to the
// forward word file of the current direction ("Ger_Eng.zb" for Ger_Eng and for its twin Eng_Ger).
// The windows read a record's page through it; it follows the direction the windows make current.

#include <memory>
#include <string>
#include <string_view>

#include "directions/directions.h"
#include "formats/wordrecord.h"
#include "lookup/articleview.h"

namespace zembo {

// Whether a headword has articles: its articles as the file gives them, or false; error says what
// is wrong when a damaged part of the file could not be read.
class ArticleReader {
 public:
  virtual ~ArticleReader() = default;
  virtual bool find(std::string_view key, std::string& articles, std::string& error) const = 0;
};

// Opens the articles of a word file (the program's path, "language\\Ger_Eng.zb"): null when it has
// none, error set when its file is there but cannot be read.
using ArticleOpener = std::unique_ptr<ArticleReader> (*)(const std::string& wordFilePath, std::string& error);

// The reader of the article file format, or a null opener while the program is built without it.
std::unique_ptr<ArticleReader> openArticleFile(const std::string& wordFilePath, std::string& error);

struct ArticleState {
  ArticleOpener openArticles = openArticleFile;
  std::unique_ptr<ArticleReader> reader;  // null: the language has no articles
  std::string wordFile;                   // the forward word file whose articles are open (the program's path)
  bool reverse = false;                   // the current direction is the twin: a row's translations are the headwords
  std::string language;                   // the headwords' language, two letters of its locale ("de")
  std::string openError;
};
extern const ArticleState& articles;

// Tests open their own readers in place of the file's.
void setArticleOpener(ArticleOpener opener);
// Opens the articles of the current direction's language when it is not the one open.
void followCurrentDirectionArticles();
// Opens them again whichever is open: as a window opens, since an import may have replaced the
// file since the last one closed.
void openCurrentDirectionArticles();
// The page a record shows: forward the articles of its word; reverse those of each word its
// translation lists, under the word. Empty when there is nothing to show.
std::string articlePageOf(const WordRecord& record, const ArticleWords& words);
// The parsed articles of a record, as its page shows them (its main sense first); none when the
// language has no articles or the record none.
std::vector<ArticleBlock> articleBlocksOf(const WordRecord& record);
void resetArticleState();

}  // namespace zembo
