// The article file as the reader of the current language's articles.
#include <utility>

#include "formats/articlefile.h"
#include "lookup/articles.h"
#include "platform/hostpath.h"

namespace zembo {

namespace {

class ArticleFileReader : public ArticleReader {
 public:
  explicit ArticleFileReader(ArticleFile file) : file_(std::move(file)) {}
  bool find(std::string_view key, std::string& text, std::string& error) const override {
    return file_.find(key, text, error);
  }

 private:
  ArticleFile file_;
};

}  // namespace

std::unique_ptr<ArticleReader> openArticleFile(const std::string& wordFilePath, std::string& error) {
  ArticleFile file;
  if (!file.open(articleFileOf(hostPath(wordFilePath)), error)) return nullptr;
  return std::make_unique<ArticleFileReader>(std::move(file));
}

}  // namespace zembo
