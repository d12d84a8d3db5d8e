#include "tests/importer/importfixture.h"

#include "tests/support/wordfiles.h"

namespace zembo::test {

void ImportTest::SetUp() {
  TempDirTest::SetUp();
  writeFile("zb/language.ini", "[Dictionary]\nLanguage=english\n");
  writeFile("zb/dict.ini", "# pairs\n[language]\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n\n[AddNew]\non\n");
  writeFile("zb/language/Fre_Eng.zb", "");
  options = {};
  options.yes = true;
}

void ImportTest::TearDown() { TempDirTest::TearDown(); }

std::filesystem::path ImportTest::writeDictionary(const std::string& name, const std::vector<DictdArticle>& articles) {
  std::filesystem::create_directories(dir / "dict");
  writeDictd(dir / "dict" / name, articles);
  return dir / "dict" / name;
}

ImportReport ImportTest::importInto(const std::filesystem::path& dictionary, const std::string& folder) {
  options.dictionary = dictionary;
  options.folder = dir / folder;
  return importDictionary(options);
}

std::vector<std::string> ImportTest::wordsOf(const std::filesystem::path& file) {
  std::vector<std::string> out;
  for (const WordPair& pair : readWords(file.string())) out.push_back(pair.word + "=" + pair.translation);
  return out;
}

std::map<std::string, std::string> ImportTest::snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    files[entry.path().lexically_relative(folder).string()] = entry.is_regular_file() ? readFile(entry.path()) : "/";
  return files;
}

DictdArticle article(const std::string& headword, const std::string& body) {
  return {headword, headword + " /x/ <n>\n" + body + "\n"};
}

}  // namespace zembo::test
