#pragma once
// A folder of the English edition with one language, and dictd dictionaries made beside it.

#include <map>
#include <string>
#include <vector>

#include "importer/importer.h"
#include "tests/support/dictdfiles.h"
#include "tests/support/testenv.h"

namespace zembo::test {

class ImportTest : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // dict/<name>.index and .dict.dz.
  std::filesystem::path writeDictionary(const std::string& name, const std::vector<DictdArticle>& articles);
  ImportReport importInto(const std::filesystem::path& dictionary, const std::string& folder = "zb");
  // The words of a word file as "word=translation", in file order.
  std::vector<std::string> wordsOf(const std::filesystem::path& file);
  // Every file of a folder with its bytes.
  std::map<std::string, std::string> snapshot(const std::filesystem::path& folder);

  ImportOptions options;
};

// An article shaped as the FreeDict dictionaries shape them.
DictdArticle article(const std::string& headword, const std::string& body);

}  // namespace zembo::test
