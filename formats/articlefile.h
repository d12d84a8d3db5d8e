#pragma once
// The articles of an imported language: each headword's dictd articles, UTF-8 text, kept beside
// the forward word file ("language/Ger_Eng.zb" has "language/Ger_Eng.art") and read by headword
// with random access from the mapped file. Text here is UTF-8, not the word files' code page: the
// articles hold pronunciations and scripts no code page has. The key is the headword as the word
// file holds it (its code page's bytes), so that a record's word finds its articles exactly
// ("gehen" and "Gehen" have articles of their own). A language without the file has no articles.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zembo {

// The article file that belongs to a word file: the same name with ".art" for ".zb".
std::filesystem::path articleFileOf(const std::filesystem::path& wordFile);

class ArticleFile {
 public:
  ArticleFile();
  ~ArticleFile();
  ArticleFile(ArticleFile&&) noexcept;
  ArticleFile& operator=(ArticleFile&&) noexcept;

  // Maps the file and checks its header and index; false, with what is wrong in error (naming the
  // file), when it cannot be read or is damaged. A missing file is no error: false, error empty.
  bool open(const std::filesystem::path& path, std::string& error);
  void close();
  bool isOpen() const;

  // The articles of the headword whose word-file bytes are key, each as the dictionary gives it
  // (its first line the headword line, "Haus /haʊ̯s/ <n, sg>"), separated by an empty line; false
  // when the headword has none or a damaged chunk cannot be read (error says which, the file is
  // kept open for the other headwords).
  bool find(std::string_view key, std::string& articles, std::string& error) const;

 private:
  struct Mapped;
  std::unique_ptr<Mapped> mapped_;
};

}  // namespace zembo
